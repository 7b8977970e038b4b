#include "PictureFolder.h"

#include "game/Format.h"
#include "ui/Platform.h"

#include <algorithm>

namespace pictures {

namespace {

QString fileName(const QString& name, std::int32_t count)
{
    if (count == -1)
        return name + QStringLiteral(".jpg");
    return name + game::formatDigits(count, 2) + QStringLiteral(".jpg");
}

} // namespace

QString picturesFolder(const QString& dir)
{
    return dir + ui::separator() + QStringLiteral("pics") + ui::separator();
}

QStringList pictureFolders()
{
    ui::Platform& platform = ui::platform();
    QStringList folders{picturesFolder(platform.programDir())};
    if (const QString own = platform.playerDataDir(); !own.isEmpty())
        folders << picturesFolder(own);
    return folders;
}

QString picturePath(const QString& name, std::int32_t count)
{
    const QStringList folders = pictureFolders();
    if (folders.size() > 1) {
        // Face 00 stands for its set, the deck (-1) for itself.
        const std::int32_t first = std::min(count, 0);
        bool players = false;
        if (ui::platform().findFile(folders.back() + fileName(name, first), players) && players)
            return folders.back() + fileName(name, count);
    }
    return folders.front() + fileName(name, count);
}

} // namespace pictures
