#include "CardsCommand.h"

#include "Files.h"
#include "InputListing.h"
#include "SetMaker.h"
#include "SetName.h"

#include "game/BoardSize.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace cards {

namespace {

constexpr int fewestFaces = game::boardSizes.front().faces();
constexpr int mostFaces = game::boardSizes.back().faces();

const char* const description = R"(Makes a card set for Brindlepair from your own pictures: the faces
cardNAME00.jpg, cardNAME01.jpg ... in the pics folder beside the game, ready to
be chosen in its settings. Where the game's folder takes no new files (a game
installed for everyone), the set goes into your own pics folder instead,
~/.local/share/Brindlepair/pics, where the game finds it too. "card" is put in front of NAME when it lacks it; NAME
holds only letters A to Z and a to z, digits 0 to 9, "-" and "_".

Give 8 to 18 pictures in the order of the faces, or one folder: its pictures
are then taken in name order, with the numbers in names compared as numbers
(IMG_2 before IMG_10). 8 faces fill the 4 x 4 board, 10 up to 5 x 4, 12 up to
6 x 4, 15 up to 6 x 5, and 18 all five boards.

Any picture Qt reads will do (JPEG, PNG, BMP, GIF ...). Each one is turned
upright as its orientation tag says, made no larger than it takes to cover
960 x 540 pixels (the largest card, on a 3840 x 2160 screen), and saved as a
JPEG. Two inputs that are the same picture are refused.

The set is made whole or not at all: on any failure the pics folder stays as
it was. Exit status: 0 done; 1 wrong use (an option, the name, the number of
pictures, a set that exists already); 2 a picture or a folder that cannot be
read or written.)";

QStringList fileNames(const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    return names;
}

// "the set cardHoliday (18 faces) and the deck deckHoliday.jpg", as far as the
// files are there.
QString describe(const SetName& name, const QStringList& files)
{
    const bool deck = files.contains(name.deckFile());
    const qsizetype faces = files.size() - (deck ? 1 : 0);
    QStringList parts;
    if (faces > 0)
        parts << QStringLiteral("the set %1 (%2 faces)").arg(name.cardName()).arg(faces);
    if (deck)
        parts << QStringLiteral("the deck ") + name.deckFile();
    return parts.join(QStringLiteral(" and "));
}

// "the boards 4 x 4, 5 x 4 and 6 x 4" for 12 faces.
QString boardsFilled(int faces)
{
    QStringList boards;
    for (const game::BoardSize& size : game::boardSizes)
        if (size.faces() <= faces)
            boards << QString::fromLatin1(size.name);
    const QString last = boards.takeLast();
    if (boards.isEmpty())
        return QStringLiteral("the ") + last + QStringLiteral(" board");
    const QString list = boards.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    return boards.size() + 1 == qsizetype(game::boardSizes.size()) ? QStringLiteral("every board: ") + list
                                                                    : QStringLiteral("the boards ") + list;
}

} // namespace

CardsCommand::CardsCommand(Files& files, const PicsFolders& folders, QTextStream& out, QTextStream& err)
    : files_(files), folders_(folders), out_(out), err_(err)
{
}

int CardsCommand::wrongUse(const QString& message)
{
    err_ << message << Qt::endl << "Try --help for how to use it." << Qt::endl;
    return WrongUse;
}

int CardsCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(description));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption pics(QStringLiteral("pics"),
                                  QStringLiteral("Make the set in the folder DIR instead of the pics folder beside "
                                                 "the game. A folder that does not exist yet is made."),
                                  QStringLiteral("DIR"));
    const QCommandLineOption deck(QStringLiteral("deck"),
                                  QStringLiteral("Also make the deck deckNAME.jpg, the cards' back, from PICTURE."),
                                  QStringLiteral("PICTURE"));
    const QCommandLineOption first(QStringLiteral("first"),
                                   QStringLiteral("Take the first 18 pictures when there are more, and say which "
                                                  "were left out."));
    const QCommandLineOption replace(QStringLiteral("replace"),
                                     QStringLiteral("Replace a set (and, with --deck, a deck) of that name. Every "
                                                    "face of the old set is removed."));
    parser.addOptions({pics, deck, first, replace});
    parser.addPositionalArgument(QStringLiteral("NAME"), QStringLiteral("The set's name, such as Holiday."));
    parser.addPositionalArgument(QStringLiteral("PICTURE"), QStringLiteral("8 to 18 pictures, or one folder of them."),
                                 QStringLiteral("PICTURE...|FOLDER"));
    if (!parser.parse(arguments))
        return wrongUse(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        out_ << parser.helpText();
        return Done;
    }
    QStringList pictures = parser.positionalArguments();
    if (pictures.size() < 2)
        return wrongUse(QStringLiteral("Give the set's NAME and then its pictures, or a folder of them."));
    const SetName name(pictures.takeFirst());
    if (const QString refusal = name.refusal(); !refusal.isEmpty())
        return wrongUse(refusal);
    if (const int status = readInputs(pictures); status != Done)
        return status;

    QStringList leftOut;
    if (pictures.size() > mostFaces && parser.isSet(first)) {
        leftOut = pictures.mid(mostFaces);
        pictures.resize(mostFaces);
    }
    const QString given = pictures.size() == 1 ? QStringLiteral("1 picture")
                                                : QStringLiteral("%1 pictures").arg(pictures.size());
    if (pictures.size() < fewestFaces)
        return wrongUse(
            QStringLiteral("%1: a set needs %2 at least, for the 4 x 4 board.").arg(given).arg(fewestFaces));
    if (pictures.size() > mostFaces)
        return wrongUse(
            QStringLiteral("%1: a set has %2 faces at most, for the 6 x 6 board. --first takes the first %2.")
                .arg(given)
                .arg(mostFaces));
    const QString deckPicture = parser.value(deck);
    if (!deckPicture.isEmpty() && !QFileInfo(deckPicture).isFile())
        return notFound(deckPicture);

    const QString picsDir = parser.isSet(pics) ? parser.value(pics) : picsFolder();
    if (picsDir.isEmpty())
        return Failed;
    const QStringList old = SetMaker::filesOf(name, picsDir, !deckPicture.isEmpty());
    if (!old.isEmpty() && !parser.isSet(replace))
        return wrongUse(QStringLiteral("%1 already holds %2. --replace replaces it.")
                            .arg(QDir::toNativeSeparators(picsDir), describe(name, old)));

    SetMaker maker(files_, out_, err_);
    if (!maker.make(name, pictures, deckPicture, picsDir, old))
        return Failed;
    out_ << "Made the set " << name.cardName() << " in " << QDir::toNativeSeparators(picsDir)
         << (deckPicture.isEmpty() ? QString() : QStringLiteral(", and the deck ") + name.deckFile()) << '.'
         << Qt::endl
         << "Its " << pictures.size() << " faces fill " << boardsFilled(int(pictures.size())) << '.' << Qt::endl;
    if (!old.isEmpty())
        out_ << "It replaces " << describe(name, old) << '.' << Qt::endl;
    if (!leftOut.isEmpty())
        out_ << "Left out, as --first says: " << fileNames(leftOut).join(QStringLiteral(", ")) << Qt::endl;
    return Done;
}

QString CardsCommand::picsFolder()
{
    if (folders_.own.isEmpty() || files_.folderTakesNewFiles(folders_.game))
        return folders_.game;
    // The player's data folder is made for it; a pics folder made there goes
    // again if the set cannot be made, as in the game's.
    const QString data = QFileInfo(folders_.own).path();
    if (const QString why = files_.makeFolders(data); !why.isEmpty()) {
        err_ << "Cannot make the folder " << QDir::toNativeSeparators(data) << ": " << why << Qt::endl;
        return {};
    }
    out_ << "The game's pics folder " << QDir::toNativeSeparators(folders_.game)
         << " takes no new files: the set goes into your own, " << QDir::toNativeSeparators(folders_.own) << '.'
         << Qt::endl;
    return folders_.own;
}

int CardsCommand::readInputs(QStringList& pictures)
{
    if (pictures.size() == 1 && QFileInfo(pictures.front()).isDir()) {
        const QString folder = pictures.takeFirst();
        QStringList others;
        if (!InputListing::read(folder, pictures, others)) {
            err_ << "Cannot read the folder " << QDir::toNativeSeparators(folder) << Qt::endl;
            return Failed;
        }
        if (!others.isEmpty())
            out_ << "Not taken, as Qt reads no picture from them: " << others.join(QStringLiteral(", ")) << Qt::endl;
        return Done;
    }
    for (const QString& picture : pictures) {
        if (QFileInfo(picture).isDir())
            return wrongUse(QDir::toNativeSeparators(picture)
                            + QStringLiteral(" is a folder: give either one folder or pictures."));
        if (!QFileInfo(picture).isFile())
            return notFound(picture);
    }
    return Done;
}

int CardsCommand::notFound(const QString& picture)
{
    err_ << QDir::toNativeSeparators(picture) << ": no such file" << Qt::endl;
    return Failed;
}

} // namespace cards
