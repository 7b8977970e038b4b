#include "Picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QString>

namespace imaging {

Picture loadStoredPicture(const QString& resource)
{
    // The format is named by the suffix and not guessed: guessing asks every
    // image-format plugin Qt has whether it knows the file, and so loads them
    // all, with their libraries, before the first window shows. A PNG is read
    // by Qt itself, without any plugin.
    QImageReader reader(resource, QFileInfo(resource).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return makePicture(std::move(image));
}

} // namespace imaging
