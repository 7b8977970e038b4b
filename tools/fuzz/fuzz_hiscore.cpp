// Feeds arbitrary bytes to the reader of hiscore.dat, the very function that
// loadHS uses, and checks what must hold for any file:
// - reading never crashes, hangs or reads outside the bytes (the sanitizers and
//   libFuzzer's timeout watch that);
// - rows are stored whole and in order: the rows read before a fault are
//   stored, every later row keeps its old content, and row 15 and column 3 are
//   never touched;
// - every stored cell is 8-bit text;
// - a file longer than the bound reads as its first maxFileBytes bytes would on
//   their own, or is damaged: what lies past the bound never makes it readable;
// - a table read from a file can always be saved again (each field scrambles
//   back into the bytes it was read from, which hold no quote, CR or LF), and
//   the saved file reads back to the same table and saves to the same bytes.
#include "hiscore/CodePage.h"
#include "hiscore/HiscoreFormat.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>

using hiscore::HsTable;

namespace {

// What every cell holds before reading: a character that no decoded field can
// contain, so a cell that still holds it was not stored.
const QString untouched = QStringLiteral("\u0141old");

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "hiscore reader: %s\n", what);
        std::abort();
    }
}

HsTable untouchedTable()
{
    HsTable table;
    for (auto& column : table)
        for (QString& cell : column)
            cell = untouched;
    return table;
}

bool rowStored(const HsTable& table, int row)
{
    for (int column = 0; column < hiscore::fieldsPerRow; ++column)
        if (table[column][row] == untouched)
            return false;
    return true;
}

bool rowUntouched(const HsTable& table, int row)
{
    for (int column = 0; column < hiscore::fieldsPerRow; ++column)
        if (table[column][row] != untouched)
            return false;
    return true;
}

// Text the score file's code page holds, character for character.
bool isEightBit(const QString& text)
{
    return hiscore::fromCodePage(hiscore::toCodePage(text)) == text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A deep copy: the reader may index only within these bytes.
    const QByteArray contents(reinterpret_cast<const char*>(data), qsizetype(size));
    HsTable table = untouchedTable();
    const bool readable = hiscore::readTable(contents, table);

    int storedRows = 0;
    while (storedRows < hiscore::usedRows && rowStored(table, storedRows))
        ++storedRows;
    for (int row = storedRows; row < hiscore::rowCount; ++row)
        require(rowUntouched(table, row), "a row after the first unstored one was changed");
    for (int row = 0; row < hiscore::rowCount; ++row)
        require(table[hiscore::columnCount - 1][row] == untouched, "column 3 was changed");
    for (int row = 0; row < storedRows; ++row)
        for (int column = 0; column < hiscore::fieldsPerRow; ++column)
            require(isEightBit(table[column][row]), "a stored cell is not 8-bit text");
    require(readable == (storedRows == hiscore::usedRows), "success does not match the rows stored");

    HsTable again = untouchedTable();
    require(hiscore::readTable(contents, again) == readable && again == table, "reading twice differs");

    if (readable && contents.size() > hiscore::maxFileBytes) {
        HsTable start = untouchedTable();
        require(hiscore::readTable(contents.first(hiscore::maxFileBytes), start) && start == table,
                "a long file reads otherwise than its start within the bound");
    }

    if (!readable)
        return 0;

    const std::optional<QByteArray> saved = hiscore::writeTable(table);
    require(saved.has_value(), "a table read from a file cannot be saved");
    HsTable reread = untouchedTable();
    require(hiscore::readTable(*saved, reread), "a saved table cannot be read");
    for (int row = 0; row < hiscore::usedRows; ++row)
        for (int column = 0; column < hiscore::fieldsPerRow; ++column)
            require(reread[column][row] == table[column][row], "a saved table reads back differently");
    const std::optional<QByteArray> savedAgain = hiscore::writeTable(reread);
    require(savedAgain == saved, "saving the read-back table gives other bytes");
    return 0;
}
