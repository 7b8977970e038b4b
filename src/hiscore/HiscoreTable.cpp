#include "HiscoreTable.h"

#include "ui/Platform.h"

namespace hiscore {

QString sharedHsPath()
{
    return ui::platform().programDir() + ui::separator() + QLatin1String(fileName);
}

QString hsPath()
{
    ui::Platform& platform = ui::platform();
    const QString shared = sharedHsPath();
    const QString own = platform.playerDataDir();
    if (own.isEmpty() || platform.folderTakesNewFiles(platform.programDir()) || platform.fileTakesWrites(shared))
        return shared;
    return own + ui::separator() + QLatin1String(fileName);
}

void loadHS(HsTable& table)
{
    ui::Platform& platform = ui::platform();
    const QString path = hsPath();
    bool found = false;
    if (!platform.findFile(path, found)) {
        platform.messageBox(QLatin1String(loadingMessage));
        return;
    }
    // One byte more than is read tells a longer file; a huge one is not held.
    QByteArray contents;
    bool read = false;
    if (found) {
        if (!platform.readFile(path, maxFileBytes + 1, contents)) {
            platform.messageBox(QLatin1String(loadingMessage));
            return;
        }
        read = true;
    } else if (const QString shared = sharedHsPath(); path != shared) {
        // The player's first game here: a table of the shared installation's
        // own that the player may read is where the player's starts.
        bool sharedFound = false;
        read = platform.findFile(shared, sharedFound) && sharedFound
            && platform.readFile(shared, maxFileBytes + 1, contents);
    }
    if (!read) {
        makeDefaultTable(table);
        saveHS(table);
        return;
    }
    if (!readTable(contents, table))
        platform.messageBox(QLatin1String(loadingMessage));
}

void saveHS(const HsTable& table)
{
    ui::Platform& platform = ui::platform();
    const QString path = hsPath();
    const std::optional<QByteArray> contents = writeTable(table);
    const auto folderThere = [&] { return path == sharedHsPath() || platform.makeFolder(platform.playerDataDir()); };
    if (!contents || !folderThere() || !platform.writeFileWhole(path, *contents))
        platform.messageBox(QLatin1String(writingMessage));
}

} // namespace hiscore
