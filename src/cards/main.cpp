// brindlepair-cards: makes a card set for the game from the player's own pictures.
#include "cards/CardsCommand.h"
#include "cards/Files.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // As in the game: whatever a picture's header claims, decoding it may take
    // no more than this.
    QImageReader::setAllocationLimit(256);
    QTextStream out(stdout);
    QTextStream err(stderr);
    cards::Files files;
    return cards::CardsCommand(files, out, err).run(QCoreApplication::arguments());
}
