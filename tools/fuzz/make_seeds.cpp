// Writes the seed files of the score-file fuzz run into the folder given as
// the only argument: files the game itself writes, and a few near them.
#include "hiscore/HiscoreTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool put(const QDir& dir, const char* name, const QByteArray& bytes)
{
    QFile file(dir.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED-FOLDER\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

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

    const bool ok = put(dir, "default.dat", defaults) && put(dir, "mixed.dat", mixedBytes)
        && put(dir, "lf-only.dat", lfOnly) && put(dir, "cut.dat", defaults.left(defaults.size() / 2))
        && put(dir, "longer.dat", defaults + "\"Cuxqr\",\"AA\",\"aa\"\r\n")
        && put(dir, "at-bound.dat", atBound);
    return ok ? 0 : 1;
}
