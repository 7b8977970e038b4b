#pragma once

#include "game/MemoCard.h"
#include "imaging/Picture.h"

#include <cstdint>

namespace pictures {

// A card narrower or lower than this (twips) is not painted.
inline constexpr std::int32_t smallestPaintedCard = 50;

// The picture a card shows: the deck while it is face down, its face once it is
// open or found, and the fallback wherever that picture is missing. None when
// the card is too small to be painted.
imaging::Picture pictureToPaint(const MemoCard& card, const imaging::Picture& deck, const imaging::Picture& fallback);

} // namespace pictures
