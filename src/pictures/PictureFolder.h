#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace pictures {

// A picture folder: "pics" in a folder, flat. A face of a card set is the
// set's name, its number with at least two digits and ".jpg"
// (cardPussy00.jpg); a deck is its name and ".jpg" (deckAcorn.jpg).
QString picturesFolder(const QString& dir);

// The picture folders the game offers sets and decks from: the game's own
// beside the program, then the player's own in the player's data folder
// (where a shared installation's players add theirs).
QStringList pictureFolders();

// The path of face `count` of card set `name`, or of deck `name` when count is
// -1. A set or deck the player has of that name is the player's: the player's
// folder is taken when it holds the set's first face (or the deck), so all
// faces of a set come from one folder; else the game's own.
QString picturePath(const QString& name, std::int32_t count);

} // namespace pictures
