#pragma once

#include "game/Board.h"

#include <cstdint>

namespace pictures {

// Every card 30 twips in from the left and top of its cell and 100 twips short
// of its right and bottom, so neighbours are 130 twips apart.
inline constexpr std::int32_t cardMarginLeftTop = 30;
inline constexpr std::int32_t cardMarginRightBottom = 100;

// Divides a surface of the given outer size (twips) into one equal cell per card
// and stores each card's rectangle. A board without columns or rows lays out
// nothing.
void layOutCards(Board& board, float surfaceWidth, float surfaceHeight);

} // namespace pictures
