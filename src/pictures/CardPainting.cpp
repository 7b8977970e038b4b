#include "CardPainting.h"

namespace pictures {

ui::Picture pictureToPaint(const MemoCard& card, const ui::Picture& deck, const ui::Picture& fallback)
{
    if (card.x2 - card.x1 < smallestPaintedCard || card.y2 - card.y1 < smallestPaintedCard)
        return {};
    // A found card is painted exactly like an open one: nothing marks it.
    const ui::Picture& shown = (card.isOpen || card.isFound) ? card.pic : deck;
    return shown ? shown : fallback;
}

} // namespace pictures
