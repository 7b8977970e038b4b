#pragma once

#include <QByteArray>
#include <QString>

namespace cards {

// Every change the program makes to the file system, one step at a time, so
// that a test can make any step fail (which a folder's permissions cannot do
// for root). Each step returns why it failed, or an empty text when it did not.
// The one question it answers, whether a folder takes new files, is here for
// the same reason.
class Files
{
public:
    virtual ~Files() = default;

    // Makes one folder; its parent must exist.
    virtual QString makeFolder(const QString& path);
    // Makes a folder and every missing folder above it.
    virtual QString makeFolders(const QString& path);
    // Writes a new file; one that exists already is not overwritten.
    virtual QString writeFile(const QString& path, const QByteArray& contents);
    // Renames a file within its file system; an existing target is not replaced.
    virtual QString rename(const QString& from, const QString& to);
    virtual QString remove(const QString& path);
    // Removes an empty folder.
    virtual QString removeFolder(const QString& path);

    // Whether new files may be made in the folder, or, while it is not there
    // yet, in the nearest folder above it that is.
    virtual bool folderTakesNewFiles(const QString& path);
};

} // namespace cards
