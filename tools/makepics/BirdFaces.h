#pragma once

#include <QImage>

// The faces of the second card set: eighteen different birds, each on its own
// background colour.
class BirdFaces
{
public:
    static constexpr int count = 18;
    static QImage face(int index);
};
