#include "CardDescription.h"

namespace game {

QString cardDescription(const Board& board, std::int32_t x, std::int32_t y)
{
    const MemoCard& card = board.card(x, y);
    const QString place = QStringLiteral("Row %1, column %2: ").arg(y + 1).arg(x + 1);
    const QString picture = QStringLiteral("picture ") + QString::number(card.face);
    if (card.isFound)
        return place + QStringLiteral("found, ") + picture;
    if (card.isOpen)
        return place + QStringLiteral("face up, ") + picture;
    if (board.glimpsed({x, y}))
        return place + QStringLiteral("face down, last seen ") + picture;
    return place + QStringLiteral("face down");
}

} // namespace game
