#pragma once

#include "Board.h"

#include <QString>

#include <cstdint>

namespace game {

// What a screen reader says of the card in column x, row y: its place, counted
// from 1, and what a player sees of it. "Row 2, column 3: face down",
// "...: face up, picture 7", "...: found, picture 7". A card that was turned
// back after an unmatched pair, until the next card is turned, keeps the face
// it showed: "...: face down, last seen picture 7".
QString cardDescription(const Board& board, std::int32_t x, std::int32_t y);

} // namespace game
