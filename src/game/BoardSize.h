#pragma once

#include <array>
#include <cstdint>

namespace game {

// A board size on offer: columns by rows of cards.
struct BoardSize
{
    std::int32_t columns;
    std::int32_t rows;
    // How the lists and the high-score table name it.
    const char* name;

    // The faces it shows: one for each pair of cards.
    constexpr std::int32_t faces() const { return columns * rows / 2; }
};

// The board sizes on offer, in the order of the lists and of the high-score
// table's blocks. Each has an even number of cards and its own rows in the
// table; no other size is accepted.
inline constexpr std::array<BoardSize, 5> boardSizes{{
    {4, 4, "4 x 4"},
    {5, 4, "5 x 4"},
    {6, 4, "6 x 4"},
    {6, 5, "6 x 5"},
    {6, 6, "6 x 6"},
}};

} // namespace game
