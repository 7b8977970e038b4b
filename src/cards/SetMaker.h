#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace cards {

class Files;
class FolderChange;
class SetName;

// Makes a card set, and with it a deck, from picture files in the pics folder:
// all of it or nothing. One progress line a picture goes to `out`, in the
// order of the faces; what failed goes to `err`.
class SetMaker
{
public:
    SetMaker(Files& files, QTextStream& out, QTextStream& err);

    // The files of the pics folder that belong to the set: its faces, and its
    // deck when `withDeck`.
    static QStringList filesOf(const SetName& name, const QString& picsDir, bool withDeck);

    // Faces 00, 01 ... from `faces` in order, the deck from `deck` unless it is
    // empty; `old` are the files of the pics folder the set replaces, all
    // removed. False, with the pics folder as it was, on any failure.
    bool make(const SetName& name, const QStringList& faces, const QString& deck, const QString& picsDir,
              const QStringList& old);

private:
    bool fail(FolderChange& change, const QString& error);

    Files& files_;
    QTextStream& out_;
    QTextStream& err_;
};

} // namespace cards
