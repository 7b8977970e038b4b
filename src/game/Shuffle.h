#pragma once

#include "Board.h"

#include <functional>

namespace game {

// Mixes the cards of the board: (columns - 1) x (rows - 1) swaps, each between
// two cells drawn independently from four values of the generator (column,
// row, column, row). The cards themselves are not touched, only moved.
void shuffle(Board& board, const std::function<float()>& nextRandom);

} // namespace game
