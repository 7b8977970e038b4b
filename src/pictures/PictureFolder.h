#pragma once

#include <QString>

#include <cstdint>

namespace pictures {

// The picture folder: "pics" in the program's directory, flat. A face of a card
// set is the set's name, its number with at least two digits and ".jpg"
// (cardPussy00.jpg); a deck is its name and ".jpg" (deckAcorn.jpg).
QString picturesFolder(const QString& programDir);

// The path of face `count` of card set `name`, or of deck `name` when count is -1.
QString picturePath(const QString& programDir, const QString& name, std::int32_t count);

} // namespace pictures
