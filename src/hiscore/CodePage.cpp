#include "CodePage.h"

#include <QList>

#include <algorithm>
#include <array>

namespace hiscore {

namespace {

// The characters of the codes 128 to 159.
constexpr std::array<char16_t, 32> codes128To159 = {
    u'\u20ac', u'\u0081', u'\u201a', u'\u0192', u'\u201e', u'\u2026', u'\u2020', u'\u2021',
    u'\u02c6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008d', u'\u017d', u'\u008f',
    u'\u0090', u'\u2018', u'\u2019', u'\u201c', u'\u201d', u'\u2022', u'\u2013', u'\u2014',
    u'\u02dc', u'\u2122', u'\u0161', u'\u203a', u'\u0153', u'\u009d', u'\u017e', u'\u0178',
};

char codeOf(char32_t character)
{
    if (character < 128 || (character >= 160 && character <= 255))
        return char(character);
    const auto found = std::find(codes128To159.begin(), codes128To159.end(), character);
    return found == codes128To159.end() ? '?' : char(128 + (found - codes128To159.begin()));
}

} // namespace

QByteArray toCodePage(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t character : text.toUcs4())
        bytes.append(codeOf(character));
    return bytes;
}

QString fromCodePage(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text.append(code >= 128 && code < 160 ? QChar(codes128To159[code - 128]) : QChar(code));
    }
    return text;
}

} // namespace hiscore
