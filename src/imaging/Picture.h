#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace imaging {

// A loaded picture, shared by everyone who holds it: both cards of a pair point
// at the one picture loaded for them. "No picture" is an empty pointer, never an
// empty image.
using Picture = std::shared_ptr<const QImage>;

inline Picture makePicture(QImage image)
{
    return std::make_shared<const QImage>(std::move(image));
}

// A picture built into the program (a Qt resource such as ":/pictures/fallback.png"),
// read in the format its suffix names. Kept as PNG, it needs no image-format plugin.
Picture loadStoredPicture(const QString& resource);

} // namespace imaging
