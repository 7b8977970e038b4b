#pragma once

#include <QColor>

// The colours shared across the pictures, so a branch, a star or a white coat
// is the same colour on every card.
struct Palette
{
    static inline const QColor bark{0x8a, 0x5a, 0x36};
    static inline const QColor leaf{0x5c, 0xb8, 0x4a};
    static inline const QColor gold{0xf7, 0xc9, 0x3e};
    static inline const QColor starlight{0xff, 0xf2, 0xb0};
    static inline const QColor white{0xfb, 0xf8, 0xf2};
    static inline const QColor ivory{0xfb, 0xf6, 0xe8};
    static inline const QColor yellow{0xff, 0xc8, 0x2e};
    static inline const QColor orange{0xff, 0x8a, 0x2a};
    static inline const QColor pink{0xf3, 0xa5, 0xb6};
    static inline const QColor blush{0xf6, 0x8c, 0x6a, 150};
};
