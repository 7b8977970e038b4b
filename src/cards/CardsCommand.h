#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace cards {

class Files;

// Where a set goes unless --pics says: the game's own pics folder when new
// files may be made there, else the player's own (a shared installation's
// players keep theirs in their data folder, where the game looks too).
struct PicsFolders
{
    QString game;
    QString own;
};

// The command line of brindlepair-cards: makes a card set, and a deck, from
// the player's own pictures in the game's pics folder.
class CardsCommand
{
public:
    // The exit statuses.
    enum Status { Done = 0, WrongUse = 1, Failed = 2 };

    // Progress and results go to `out`, what went wrong to `err`; every change
    // to the file system goes through `files`.
    CardsCommand(Files& files, const PicsFolders& folders, QTextStream& out, QTextStream& err);

    // The arguments start with the program's own name, as the system gives them.
    int run(const QStringList& arguments);

private:
    int wrongUse(const QString& message);
    int notFound(const QString& picture);
    // Turns the pictures as given, or one folder of them, into the pictures
    // in their order.
    int readInputs(QStringList& pictures);

    // The folder a set goes into without --pics; empty when none can be had.
    QString picsFolder();

    Files& files_;
    const PicsFolders folders_;
    QTextStream& out_;
    QTextStream& err_;
};

} // namespace cards
