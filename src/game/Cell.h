#pragma once

#include <cstdint>

namespace game {

// A card cell: column x, row y.
struct Cell
{
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Cell&, const Cell&) = default;
};

} // namespace game
