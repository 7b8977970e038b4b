#pragma once

#include <QImage>

// The faces of the default card set: eighteen different cats, each on its own
// background colour so that no two can be mixed up even on a tiny card.
class CatFaces
{
public:
    static constexpr int count = 18;
    static QImage face(int index);
};
