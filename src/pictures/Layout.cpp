#include "Layout.h"

#include "game/Rounding.h"

namespace pictures {

void layOutCards(Board& board, float surfaceWidth, float surfaceHeight)
{
    const std::int32_t columns = board.upperX();
    const std::int32_t rows = board.upperY();
    if (columns <= 0 || rows <= 0)
        return;
    const std::int32_t width = game::roundHalfEven(surfaceWidth);
    const std::int32_t height = game::roundHalfEven(surfaceHeight);
    const std::int32_t w = game::roundHalfEven(double(width) / columns);
    const std::int32_t h = game::roundHalfEven(double(height) / rows);
    board.forEachCell([&](std::int32_t i, std::int32_t j) {
        MemoCard& card = board.card(i, j);
        card.x1 = i * w + cardMarginLeftTop;
        card.y1 = j * h + cardMarginLeftTop;
        card.x2 = i * w + w - cardMarginRightBottom;
        card.y2 = j * h + h - cardMarginRightBottom;
    });
}

} // namespace pictures
