#pragma once

#include "imaging/Picture.h"

#include <QString>

#include <cstdint>

// One card of the board: where it lies on the board surface (twips), whether it
// is turned up or already found, its face picture, its pair key and the number
// of its face in the card set, from 1. The two cards of a pair share one
// picture, one key and one number.
struct MemoCard
{
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t x2 = 0;
    std::int32_t y2 = 0;
    bool isOpen = false;
    bool isFound = false;
    imaging::Picture pic;
    QString fName;
    std::int32_t face = 0;
};
