#pragma once

#include <QImage>

// The two pictures built into the program itself: the little "picture missing"
// sign shown in place of a picture that cannot be read, and the window icon.
class Keepsakes
{
public:
    static constexpr QSize fallbackSize{52, 41};
    static constexpr int iconSize = 256;

    static QImage fallback();
    static QImage icon();
};
