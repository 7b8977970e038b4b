#include "PictureFolder.h"

#include "game/Format.h"
#include "ui/Platform.h"

namespace pictures {

QString picturesFolder(const QString& programDir)
{
    return programDir + ui::separator() + QStringLiteral("pics") + ui::separator();
}

QString picturePath(const QString& programDir, const QString& name, std::int32_t count)
{
    if (count == -1)
        return picturesFolder(programDir) + name + QStringLiteral(".jpg");
    return picturesFolder(programDir) + name + game::formatDigits(count, 2) + QStringLiteral(".jpg");
}

} // namespace pictures
