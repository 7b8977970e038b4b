#include "FolderChange.h"

#include "Files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace cards {

namespace {

const QString asideMark = QStringLiteral("old-");

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Adds what failed to the problems, when it did.
void note(QStringList& problems, const QString& why, const QString& what)
{
    if (!why.isEmpty())
        problems << what + QStringLiteral(": ") + why;
}

} // namespace

FolderChange::FolderChange(Files& files, const QString& picsDir)
    : files_(files),
      pics_(QDir::cleanPath(picsDir)),
      hidden_(pics_ + QStringLiteral("/.brindlepair-cards-") + QString::number(QCoreApplication::applicationPid()))
{
}

FolderChange::~FolderChange()
{
    if (!finished_)
        abandon();
}

bool FolderChange::check(const QString& why, const QString& what)
{
    if (why.isEmpty())
        return true;
    error_ = what + QStringLiteral(": ") + why;
    return false;
}

QString FolderChange::inPics(const QString& fileName) const
{
    return pics_ + u'/' + fileName;
}

QString FolderChange::inHidden(const QString& fileName) const
{
    return hidden_ + u'/' + fileName;
}

bool FolderChange::begin()
{
    if (!QFileInfo(pics_).isDir()) {
        if (!check(files_.makeFolder(pics_), QStringLiteral("Cannot make the folder ") + shown(pics_)))
            return false;
        madePics_ = true;
    }
    if (!check(files_.makeFolder(hidden_), QStringLiteral("Cannot make the folder ") + shown(hidden_)))
        return false;
    madeHidden_ = true;
    return true;
}

bool FolderChange::write(const QString& fileName, const QByteArray& contents)
{
    const QString path = inHidden(fileName);
    if (!check(files_.writeFile(path, contents), QStringLiteral("Cannot write ") + shown(path)))
        return false;
    written_ << fileName;
    return true;
}

bool FolderChange::move(const QString& from, const QString& to)
{
    const QString what = QStringLiteral("Cannot move ") + shown(from) + QStringLiteral(" to ") + shown(to);
    if (!check(files_.rename(from, to), what))
        return false;
    moves_.emplace_back(from, to);
    return true;
}

bool FolderChange::moveIntoPlace(const QStringList& old)
{
    for (const QString& fileName : old)
        if (!move(inPics(fileName), inHidden(asideMark + fileName)))
            return false;
    for (const QString& fileName : written_)
        if (!move(inHidden(fileName), inPics(fileName)))
            return false;
    return true;
}

QStringList FolderChange::commit()
{
    finished_ = true;
    QStringList problems;
    for (const auto& [from, to] : moves_)
        if (to.startsWith(hidden_))
            note(problems, files_.remove(to), QStringLiteral("Cannot remove the old ") + shown(to));
    note(problems, files_.removeFolder(hidden_), QStringLiteral("Cannot remove the folder ") + shown(hidden_));
    return problems;
}

QStringList FolderChange::abandon()
{
    finished_ = true;
    QStringList problems;
    for (auto move = moves_.rbegin(); move != moves_.rend(); ++move) {
        const auto& [from, to] = *move;
        note(problems, files_.rename(to, from),
             QStringLiteral("Cannot put back ") + shown(from) + QStringLiteral(" from ") + shown(to));
    }
    for (const QString& fileName : written_) {
        const QString path = inHidden(fileName);
        if (QFileInfo::exists(path))
            note(problems, files_.remove(path), QStringLiteral("Cannot remove ") + shown(path));
    }
    // A folder that still holds anything is not removed: what could not be
    // put back stays in the hidden folder.
    if (madeHidden_)
        note(problems, files_.removeFolder(hidden_), QStringLiteral("Cannot remove the folder ") + shown(hidden_));
    if (madePics_ && problems.isEmpty())
        note(problems, files_.removeFolder(pics_), QStringLiteral("Cannot remove the folder ") + shown(pics_));
    moves_.clear();
    written_.clear();
    return problems;
}

} // namespace cards
