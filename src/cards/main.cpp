// brindlepair-cards: makes a card set for the game from the player's own pictures.
#include "cards/CardsCommand.h"
#include "cards/Files.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The game's name, so that the player's data folder is the game's.
    app.setApplicationName(QStringLiteral("Brindlepair"));
    // As in the game: whatever a picture's header claims, decoding it may take
    // no more than this.
    QImageReader::setAllocationLimit(256);
    QTextStream out(stdout);
    QTextStream err(stderr);
    cards::Files files;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const cards::PicsFolders folders{QCoreApplication::applicationDirPath() + QStringLiteral("/pics"),
                                     data.isEmpty() ? QString() : data + QStringLiteral("/pics")};
    return cards::CardsCommand(files, folders, out, err).run(QCoreApplication::arguments());
}
