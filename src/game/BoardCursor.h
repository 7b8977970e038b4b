#pragma once

#include "Cell.h"

#include <cstdint>

namespace game {

// The moves of the keyboard's cursor over the board.
enum class CursorMove { Left, Right, Up, Down, RowStart, RowEnd, BoardStart, BoardEnd };

// Where the cursor goes from `from` on a board of `columns` x `rows` cards: one
// card at a time, stopping at the edges, to the ends of its row or to the first
// and last card of the board. Found cards are not skipped, so every card keeps
// its place. On a board without cards it stays where it is.
Cell moveCursor(Cell from, CursorMove move, std::int32_t columns, std::int32_t rows);

} // namespace game
