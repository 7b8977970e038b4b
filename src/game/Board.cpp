#include "Board.h"

#include <algorithm>
#include <utility>

Board::Board(std::int32_t upperX, std::int32_t upperY)
    : slots_(std::size_t(std::max(upperX, 0) + 1) * std::size_t(std::max(upperY, 0) + 1)),
      upperX_(std::max(upperX, 0)), upperY_(std::max(upperY, 0)), allocated_(true)
{
}

std::vector<game::Cell> Board::forgetGlimpse()
{
    if (!glimpse_)
        return {};
    const std::array<game::Cell, 2> cells = *std::exchange(glimpse_, std::nullopt);
    return {cells.begin(), cells.end()};
}
