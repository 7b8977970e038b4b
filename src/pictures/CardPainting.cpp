#include "CardPainting.h"

namespace pictures {

imaging::Picture pictureToPaint(const MemoCard& card, const imaging::Picture& deck, const imaging::Picture& fallback)
{
    if (card.x2 - card.x1 < smallestPaintedCard || card.y2 - card.y1 < smallestPaintedCard)
        return {};
    // A found card is painted exactly like an open one: nothing marks it.
    const imaging::Picture& shown = (card.isOpen || card.isFound) ? card.pic : deck;
    return shown ? shown : fallback;
}

} // namespace pictures
