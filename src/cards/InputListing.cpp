#include "InputListing.h"

#include <QDir>
#include <QImageReader>

#include <algorithm>

namespace cards {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The run of digits that starts at `at`, without its leading zeros; `at` moves past it.
QStringView number(const QString& text, qsizetype& at)
{
    while (at < text.size() && text[at] == u'0')
        ++at;
    const qsizetype start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return QStringView(text).sliced(start, at - start);
}

} // namespace

bool InputListing::read(const QString& folder, QStringList& pictures, QStringList& others)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return false;
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files)) {
        if (formats.contains(info.suffix().toLower().toUtf8()))
            pictures << info.filePath();
        else
            others << info.fileName();
    }
    std::sort(pictures.begin(), pictures.end(), before);
    return true;
}

bool InputListing::before(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const QStringView x = number(a, i);
            const QStringView y = number(b, j);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (const int order = x.compare(y); order != 0)
                return order < 0;
            continue;
        }
        const char32_t x = a[i].toCaseFolded().unicode();
        const char32_t y = b[j].toCaseFolded().unicode();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return j < b.size();
    // Names that read alike (IMG_02 and IMG_2, a and A) still keep one order.
    return a < b;
}

} // namespace cards
