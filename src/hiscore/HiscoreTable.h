#pragma once

#include "HiscoreFormat.h"

#include <QString>

// Where the high-score table is kept, and its loading and saving.
namespace hiscore {

inline constexpr char fileName[] = "hiscore.dat";
inline constexpr char loadingMessage[] = "Error loading file: 'hiscore.dat'";
inline constexpr char writingMessage[] = "Error writing file: 'hiscore.dat'";

// The game's own score file: the program's directory, a separator (even when
// the directory ends with one) and the file name.
QString sharedHsPath();
// The score file the player's results are kept in: the game's own where its
// folder takes new files or the file there may be written (a build folder, an
// installation of the player's own). A shared installation's folder takes
// neither, and each player keeps hiscore.dat in their own data folder.
QString hsPath();

// Fills columns 0 to 2 of rows 0 to 14 from hiscore.dat; a missing file is
// written with the default table. A player's own file that is not there yet
// starts from the game's own table when the game's folder holds a readable
// one (nothing is written then until a result is), else from the defaults. A
// fault shows the loading message; nothing is written then.
void loadHS(HsTable& table);
// Replaces hiscore.dat with rows 0 to 14, making the player's data folder
// when the file goes there. Everything is scrambled before the file is
// touched and the file is replaced as a whole, so a fault leaves the old file
// as it was; it shows the writing message.
void saveHS(const HsTable& table);

} // namespace hiscore
