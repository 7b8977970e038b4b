#pragma once

#include <QImage>

// The pictures of the game itself rather than of its cards: the little "picture
// missing" sign shown in place of a picture that cannot be read, built into the
// program, and the game's icon, built into the program for its windows and
// installed for the desktop's menus at every size a menu or launcher asks for.
class Keepsakes
{
public:
    static constexpr QSize fallbackSize{52, 41};
    static constexpr int windowIconSize = 64;
    // The icon is drawn this many pixels a side and shrunk to each size asked
    // for, up to half of it.
    static constexpr int drawnIconSize = 512;

    static QImage fallback();
    // The icon, square, `size` pixels a side.
    static QImage icon(int size);
};
