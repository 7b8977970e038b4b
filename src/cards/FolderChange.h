#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace cards {

class Files;

// Changes the pics folder all or nothing. The new files are written into a
// hidden folder inside it (the game lists neither hidden files nor folders) and
// moved into place only once every one of them is there; the files they replace
// are first moved aside into the same hidden folder, so that a failure at any
// step can put everything back as it was.
class FolderChange
{
public:
    FolderChange(Files& files, const QString& picsDir);
    // Puts everything back unless committed or abandoned.
    ~FolderChange();
    FolderChange(const FolderChange&) = delete;
    FolderChange& operator=(const FolderChange&) = delete;

    // Makes the hidden folder, and the pics folder first when there is none.
    bool begin();
    bool write(const QString& fileName, const QByteArray& contents);
    // Moves the files of the pics folder named `old` aside, then every file
    // written into its place.
    bool moveIntoPlace(const QStringList& old);
    // Lets go of the files moved aside and of the hidden folder. The new files
    // are in place whatever happens; what could not be removed is returned.
    QStringList commit();
    // Puts the pics folder back as it was and removes what was made. What could
    // not be put back is returned, saying where the old files are kept.
    QStringList abandon();

    // The step that failed, naming the file and the reason.
    const QString& error() const { return error_; }

private:
    bool check(const QString& why, const QString& what);
    bool move(const QString& from, const QString& to);
    QString inPics(const QString& fileName) const;
    QString inHidden(const QString& fileName) const;

    Files& files_;
    const QString pics_;
    const QString hidden_;
    bool madePics_ = false;
    bool madeHidden_ = false;
    bool finished_ = false;
    QStringList written_;
    // Every rename done, in order, as (from, to).
    std::vector<std::pair<QString, QString>> moves_;
    QString error_;
};

} // namespace cards
