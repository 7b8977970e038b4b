#include "Format.h"

#include "Rounding.h"

namespace game {

QString formatDigits(double value, int minDigits)
{
    const qint64 whole = qint64(std::nearbyint(value));
    const QString digits = QString::number(whole < 0 ? -whole : whole).rightJustified(minDigits, u'0');
    return whole < 0 ? u'-' + digits : digits;
}

QString formatRightAligned(const QString& text, int places)
{
    return text.rightJustified(places, u' ');
}

} // namespace game
