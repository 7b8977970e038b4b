#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The high-score table and the format of its file hiscore.dat: three places
// for each of the five board sizes, in a scrambled text file. Where the file is
// and when it is read and written is HiscoreTable's business.
namespace hiscore {

// Every field is shifted by the key of its column, code by code in the file's
// 8-bit code page (Windows-1252). Any key of 3 or more keeps a printable
// character clear of LF (10), CR (13) and the double quote (34), so a field
// never breaks the file's layout. The name key is the smallest of those, so
// that as few letters as possible leave the 8-bit range (only 253 to 255); the
// two number keys turn the digits into letters, "0" to "9" into "A" to "J" and
// "a" to "j".
inline constexpr std::int32_t nameKey = 3;
inline constexpr std::int32_t attemptsKey = 17;
inline constexpr std::int32_t timeKey = 49;

inline constexpr int columnCount = 4;
inline constexpr int rowCount = 16;
// Rows 0 to 14 hold the places (row = size block x 3 + place); row 15 and
// column 3 are never used.
inline constexpr int usedRows = rowCount - 1;
inline constexpr int nameColumn = 0;
inline constexpr int attemptsColumn = 1;
inline constexpr int timeColumn = 2;
// The columns that the file holds, one field each.
inline constexpr int fieldsPerRow = 3;

// hsTable[column][row]; every cell starts empty.
using HsTable = std::array<std::array<QString, rowCount>, columnCount>;

// The most of a score file that is read. Fifteen lines as saving writes them
// (a name of 12 characters and two numbers of up to 11, each quoted) take 660
// bytes; the rest leaves room for the layouts the reader forgives.
inline constexpr qsizetype maxFileBytes = 4096;

// Shifts every 8-bit code of a text up by `key` (encodeStr), or every code of a
// scrambled field down (decodeStr). A character the code page cannot hold is
// scrambled as "?". Nothing when a shifted code falls outside 0 to 255.
std::optional<QByteArray> encodeStr(const QString& str, std::int32_t key);
std::optional<QString> decodeStr(const QByteArray& str, std::int32_t key);

// Writes the default entries into columns 0 to 2 of rows 0 to 14.
void makeDefaultTable(HsTable& table);

// Reads the 45 scrambled fields of a score file into the table, a row at a time:
// a row's cells are stored once all three of its fields have been read. Stops
// at the first fault and returns false; the rows stored before it stay stored.
// Whatever follows the 45th field is not looked at.
//
// The fields must lie within the file's first maxFileBytes bytes, the end of
// the 45th included: in a longer file, a field that reaches that bound is
// damage, as the end of the file would be where a field should start.
//
// What saving writes is read exactly. Beyond that the reader is lenient where
// nothing can be misread: a line may end in CR LF, LF or CR; spaces and tabs
// around a field are skipped; a field need not be quoted (it then runs to the
// next comma or line end, spaces around it dropped); blank lines where a line
// would start are skipped. It refuses what can only be damage: the end of the
// file where a field should start (even after a comma), a quoted field that does not close on its
// line, anything but spaces between a closing quote and the comma or line end,
// a quote inside an unquoted field, and a field that unscrambles outside 0 to 255.
bool readTable(const QByteArray& contents, HsTable& table);

// The whole file for rows 0 to 14, every field scrambled. Nothing when a field
// cannot be scrambled within 0 to 255, or would scramble into a double quote,
// CR or LF (the file could not be read back).
std::optional<QByteArray> writeTable(const HsTable& table);

} // namespace hiscore
