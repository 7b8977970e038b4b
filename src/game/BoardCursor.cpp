#include "BoardCursor.h"

#include <algorithm>

namespace game {

Cell moveCursor(Cell from, CursorMove move, std::int32_t columns, std::int32_t rows)
{
    if (columns <= 0 || rows <= 0)
        return from;
    const std::int32_t lastX = columns - 1;
    const std::int32_t lastY = rows - 1;
    Cell to = from;
    switch (move) {
    case CursorMove::Left: to.x = from.x - 1; break;
    case CursorMove::Right: to.x = from.x + 1; break;
    case CursorMove::Up: to.y = from.y - 1; break;
    case CursorMove::Down: to.y = from.y + 1; break;
    case CursorMove::RowStart: to.x = 0; break;
    case CursorMove::RowEnd: to.x = lastX; break;
    case CursorMove::BoardStart: to = {0, 0}; break;
    case CursorMove::BoardEnd: to = {lastX, lastY}; break;
    }
    return {std::clamp(to.x, 0, lastX), std::clamp(to.y, 0, lastY)};
}

} // namespace game
