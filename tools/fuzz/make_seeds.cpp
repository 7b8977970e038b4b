// Writes the seed files of the score-file fuzz run into the folder given as
// the only argument: files the game itself writes, and a few near them.
#include "SeedFolder.h"

#include "hiscore/HiscoreFormat.h"

#include <QByteArray>

#include <utility>

int main(int argc, char** argv)
{
    const std::optional<QDir> folder = seedFolder(argc, argv);
    if (!folder)
        return 2;

    hiscore::HsTable table;
    hiscore::makeDefaultTable(table);
    const QByteArray defaults = hiscore::writeTable(table).value();

    // A table with an empty name, commas and spaces in names, and 8-bit letters.
    hiscore::HsTable mixed = table;
    mixed[hiscore::nameColumn][0] = QString();
    mixed[hiscore::nameColumn][4] = QStringLiteral("Ann, Bob");
    mixed[hiscore::nameColumn][9] = QStringLiteral("Zo\u00eb \u00c6sir");
    mixed[hiscore::attemptsColumn][14] = QStringLiteral("2147483647");
    const QByteArray mixedBytes = hiscore::writeTable(mixed).value();

    QByteArray lfOnly = defaults;
    lfOnly.replace("\r\n", "\n");

    // The table pushed by blank lines onto the end of the part that is read.
    const QByteArray atBound = QByteArray(hiscore::maxFileBytes - defaults.size() + 2, '\n') + defaults;

    const std::pair<const char*, QByteArray> seeds[] = {
        {"default.dat", defaults},
        {"mixed.dat", mixedBytes},
        {"lf-only.dat", lfOnly},
        {"cut.dat", defaults.left(defaults.size() / 2)},
        {"longer.dat", defaults + "\"Cuxqr\",\"AA\",\"aa\"\r\n"},
        {"at-bound.dat", atBound},
    };
    bool ok = true;
    for (const auto& [name, bytes] : seeds)
        ok = ok && putSeed(*folder, QString::fromLatin1(name), bytes);
    return ok ? 0 : 1;
}
