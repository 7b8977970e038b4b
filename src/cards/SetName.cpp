#include "SetName.h"

#include <algorithm>

namespace cards {

namespace {

const QString prefix = QStringLiteral("card");

bool isAllowed(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

SetName::SetName(const QString& given)
    : given_(given), rest_(given.startsWith(prefix) ? given.mid(prefix.size()) : given)
{
}

QString SetName::refusal() const
{
    if (!given_.isEmpty() && !std::all_of(given_.begin(), given_.end(), isAllowed))
        return QStringLiteral("The name \"%1\" cannot be used: a name holds only the letters A to Z and a to z, "
                              "the digits 0 to 9, \"-\" and \"_\".")
            .arg(given_);
    if (rest_.isEmpty())
        return QStringLiteral("The name \"%1\" names no set: give the part after \"card\", such as Holiday for "
                              "cardHoliday, in letters A to Z and a to z, digits 0 to 9, \"-\" and \"_\".")
            .arg(given_);
    return {};
}

QString SetName::faceFile(int face) const
{
    return cardName() + QString::number(face).rightJustified(2, u'0') + QStringLiteral(".jpg");
}

bool SetName::isFaceFile(const QString& fileName) const
{
    const QString name = cardName();
    return fileName.size() == name.size() + 6 && fileName.startsWith(name) && isDigit(fileName[name.size()])
        && isDigit(fileName[name.size() + 1]) && fileName.endsWith(QStringLiteral(".jpg"));
}

} // namespace cards
