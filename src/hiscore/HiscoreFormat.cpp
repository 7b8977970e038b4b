#include "HiscoreFormat.h"

#include "CodePage.h"

namespace hiscore {

namespace {

constexpr char quote = '"';
constexpr char comma = ',';
constexpr char cr = '\r';
constexpr char lf = '\n';

constexpr std::array<std::int32_t, fieldsPerRow> columnKeys = {nameKey, attemptsKey, timeKey};

struct DefaultEntry
{
    const char* name;
    std::int32_t attempts;
    std::int32_t time;
};

// Rows 0 to 14: within a size the attempts rise from place to place, the times
// need not.
constexpr std::array<DefaultEntry, usedRows> defaultEntries = {{
    {"Amelia", 30, 44},
    {"Bruno", 32, 56},
    {"Clara", 34, 53},
    {"Dmitri", 44, 62},
    {"Elena", 52, 67},
    {"Felix", 54, 66},
    {"Greta", 62, 86},
    {"Hugo", 66, 84},
    {"Ingrid", 70, 97},
    {"Jonas", 74, 99},
    {"Katja", 80, 102},
    {"Lorenz", 84, 110},
    {"Mira", 90, 140},
    {"Nils", 96, 133},
    {"Olivia", 100, 154},
}};

std::optional<QByteArray> shift(QByteArray codes, qint64 by)
{
    for (char& byte : codes) {
        const qint64 code = static_cast<unsigned char>(byte) + by;
        if (code < 0 || code > 255)
            return std::nullopt;
        byte = char(code);
    }
    return codes;
}

// Walks the bytes of a score file one field at a time.
class FieldReader
{
public:
    // `bytes` are the start of the file, and all of it unless `cut`: then what
    // runs into their end is cut off there and cannot be read.
    FieldReader(QByteArrayView bytes, bool cut) : data(bytes), cut(cut) {}

    // The next field's raw (still scrambled) bytes, its comma or line end
    // consumed; nothing when the file is damaged or ends where a field should be.
    std::optional<QByteArray> next()
    {
        if (atLineStart)
            skipBlankLines();
        skipSpaces();
        // The end of the file ends a field that has begun; where a field
        // should begin, the file has ended early.
        if (atEnd())
            return std::nullopt;
        const std::optional<QByteArray> field = data[pos] == quote ? quoted() : unquoted();
        if (!field || !endOfField())
            return std::nullopt;
        return field;
    }

private:
    bool atEnd() const { return pos >= data.size(); }
    bool isSpace() const { return !atEnd() && (data[pos] == ' ' || data[pos] == '\t'); }
    bool isLineEnd() const { return !atEnd() && (data[pos] == cr || data[pos] == lf); }

    void skipSpaces()
    {
        while (isSpace())
            ++pos;
    }

    void skipLineEnd()
    {
        if (data[pos] == cr && pos + 1 < data.size() && data[pos + 1] == lf)
            ++pos;
        ++pos;
    }

    void skipBlankLines()
    {
        for (;;) {
            qsizetype p = pos;
            while (p < data.size() && (data[p] == ' ' || data[p] == '\t'))
                ++p;
            if (p >= data.size() || (data[p] != cr && data[p] != lf))
                return;
            pos = p;
            skipLineEnd();
        }
    }

    std::optional<QByteArray> quoted()
    {
        const qsizetype start = ++pos;
        while (!atEnd() && data[pos] != quote && !isLineEnd())
            ++pos;
        if (atEnd() || data[pos] != quote)
            return std::nullopt;
        return data.sliced(start, pos++ - start).toByteArray();
    }

    std::optional<QByteArray> unquoted()
    {
        const qsizetype start = pos;
        qsizetype end = pos;
        while (!atEnd() && data[pos] != comma && !isLineEnd()) {
            if (data[pos] == quote)
                return std::nullopt;
            if (!isSpace())
                end = pos + 1;
            ++pos;
        }
        return data.sliced(start, end - start).toByteArray();
    }

    // A field ends at a comma, at a line end or at the end of the file.
    bool endOfField()
    {
        skipSpaces();
        atLineStart = true;
        if (atEnd())
            return !cut;
        if (isLineEnd()) {
            skipLineEnd();
            return true;
        }
        atLineStart = false;
        if (data[pos] != comma)
            return false;
        ++pos;
        return true;
    }

    const QByteArrayView data;
    const bool cut;
    qsizetype pos = 0;
    bool atLineStart = true;
};

} // namespace

std::optional<QByteArray> encodeStr(const QString& str, std::int32_t key)
{
    return shift(toCodePage(str), key);
}

std::optional<QString> decodeStr(const QByteArray& str, std::int32_t key)
{
    const std::optional<QByteArray> codes = shift(str, -qint64(key));
    return codes ? std::optional<QString>(fromCodePage(*codes)) : std::nullopt;
}

void makeDefaultTable(HsTable& table)
{
    for (int row = 0; row < usedRows; ++row) {
        const DefaultEntry& entry = defaultEntries[std::size_t(row)];
        table[nameColumn][row] = QString::fromLatin1(entry.name);
        table[attemptsColumn][row] = QString::number(entry.attempts);
        table[timeColumn][row] = QString::number(entry.time);
    }
}

bool readTable(const QByteArray& contents, HsTable& table)
{
    const bool cut = contents.size() > maxFileBytes;
    FieldReader reader(QByteArrayView(contents).first(cut ? maxFileBytes : contents.size()), cut);
    for (int row = 0; row < usedRows; ++row) {
        std::array<QString, fieldsPerRow> cells;
        for (int column = 0; column < fieldsPerRow; ++column) {
            const std::optional<QByteArray> field = reader.next();
            if (!field)
                return false;
            std::optional<QString> plain = decodeStr(*field, columnKeys[std::size_t(column)]);
            if (!plain)
                return false;
            cells[std::size_t(column)] = std::move(*plain);
        }
        for (int column = 0; column < fieldsPerRow; ++column)
            table[column][row] = std::move(cells[std::size_t(column)]);
    }
    return true;
}

std::optional<QByteArray> writeTable(const HsTable& table)
{
    QByteArray bytes;
    for (int row = 0; row < usedRows; ++row) {
        for (int column = 0; column < fieldsPerRow; ++column) {
            const std::optional<QByteArray> scrambled = encodeStr(table[column][row], columnKeys[std::size_t(column)]);
            if (!scrambled)
                return std::nullopt;
            // A quote or line end inside a field would end it early on reading.
            const QByteArray& field = *scrambled;
            if (field.contains(quote) || field.contains(cr) || field.contains(lf))
                return std::nullopt;
            if (column > 0)
                bytes.append(comma);
            bytes.append(quote).append(field).append(quote);
        }
        bytes.append(cr).append(lf);
    }
    return bytes;
}

} // namespace hiscore
