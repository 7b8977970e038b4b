#include "SetMaker.h"

#include "FolderChange.h"
#include "PictureConverter.h"
#include "SetName.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>

namespace cards {

SetMaker::SetMaker(Files& files, QTextStream& out, QTextStream& err) : files_(files), out_(out), err_(err) {}

QStringList SetMaker::filesOf(const SetName& name, const QString& picsDir, bool withDeck)
{
    QStringList found;
    for (const QString& file : QDir(picsDir).entryList(QDir::Files | QDir::System, QDir::Name))
        if (name.isFaceFile(file) || (withDeck && file == name.deckFile()))
            found << file;
    return found;
}

bool SetMaker::make(const SetName& name, const QStringList& faces, const QString& deck, const QString& picsDir,
                    const QStringList& old)
{
    QStringList inputs = faces;
    if (!deck.isEmpty())
        inputs << deck;
    PictureConverter converter(inputs);
    FolderChange change(files_, picsDir);
    if (!change.begin())
        return fail(change, change.error());

    // The same picture twice gives the same face, byte for byte.
    QHash<QByteArray, int> seen;
    for (int n = 0; n < inputs.size(); ++n) {
        const QString input = QDir::toNativeSeparators(inputs[n]);
        PictureConverter::Face face = converter.take(n);
        if (!face.error.isEmpty())
            return fail(change, input + QStringLiteral(": ") + face.error);
        if (const auto same = seen.constFind(face.jpeg); same != seen.cend())
            return fail(change, QDir::toNativeSeparators(inputs[*same]) + QStringLiteral(" and ") + input
                                    + QStringLiteral(" are the same picture: every face and the deck must differ, "
                                                     "or two pairs look alike and never match."));
        seen.insert(face.jpeg, n);
        const bool isDeck = n == faces.size();
        const QString target = isDeck ? name.deckFile() : name.faceFile(n);
        if (!change.write(target, face.jpeg))
            return fail(change, change.error());
        out_ << (isDeck ? QStringLiteral("[deck]") : QStringLiteral("[%1/%2]").arg(n + 1).arg(faces.size())) << ' '
             << QFileInfo(input).fileName() << QStringLiteral(" -> ") << target << Qt::endl;
    }
    if (!change.moveIntoPlace(old))
        return fail(change, change.error());
    // The set is in place: what is left over is only said.
    for (const QString& problem : change.commit())
        err_ << problem << Qt::endl;
    return true;
}

bool SetMaker::fail(FolderChange& change, const QString& error)
{
    err_ << error << Qt::endl;
    const QStringList problems = change.abandon();
    for (const QString& problem : problems)
        err_ << problem << Qt::endl;
    if (problems.isEmpty())
        err_ << "Nothing was changed in the pics folder." << Qt::endl;
    return false;
}

} // namespace cards
