#include "Picture.h"

#include <QString>

namespace ui {

Picture loadStoredPicture(const QString& resource)
{
    QImage image(resource);
    if (image.isNull())
        return {};
    return makePicture(std::move(image));
}

} // namespace ui
