#pragma once

#include "Cell.h"
#include "MemoCard.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The board `square`: slots of card references indexed (column, row), both from
// 0 to the upper bounds it was allocated with. The cards are in columns
// 0 .. upperX - 1 and rows 0 .. upperY - 1; the slots of column upperX and row
// upperY stay empty for the board's whole life. Walks take their limits from
// the bounds, never from the settings, and go column by column.
class Board
{
public:
    using CardRef = std::shared_ptr<MemoCard>;

    Board() = default;
    // Allocates (upperX + 1) x (upperY + 1) empty slots.
    Board(std::int32_t upperX, std::int32_t upperY);

    bool allocated() const { return allocated_; }
    std::int32_t upperX() const { return upperX_; }
    std::int32_t upperY() const { return upperY_; }

    CardRef& at(std::int32_t x, std::int32_t y) { return slots_[index(x, y)]; }
    const CardRef& at(std::int32_t x, std::int32_t y) const { return slots_[index(x, y)]; }
    MemoCard& card(std::int32_t x, std::int32_t y) { return *at(x, y); }
    const MemoCard& card(std::int32_t x, std::int32_t y) const { return *at(x, y); }

    // Calls f(x, y) for every card cell, column by column.
    template <typename F>
    void forEachCell(F&& f) const
    {
        for (std::int32_t x = 0; x <= upperX_ - 1; ++x)
            for (std::int32_t y = 0; y <= upperY_ - 1; ++y)
                f(x, y);
    }

    // The two cards of the last unmatched pair, face down again. Until the
    // next card is turned, a screen reader is told what they showed: the one
    // glimpse of them that a player who sees the board gets.
    void glimpsePair(game::Cell first, game::Cell second) { glimpse_ = {first, second}; }
    bool glimpsed(game::Cell cell) const { return glimpse_ && ((*glimpse_)[0] == cell || (*glimpse_)[1] == cell); }
    // Ends the glimpse; the cards it was of, none when there was none.
    std::vector<game::Cell> forgetGlimpse();

private:
    std::size_t index(std::int32_t x, std::int32_t y) const
    {
        return std::size_t(x) * std::size_t(upperY_ + 1) + std::size_t(y);
    }

    std::vector<CardRef> slots_;
    std::int32_t upperX_ = 0;
    std::int32_t upperY_ = 0;
    bool allocated_ = false;
    std::optional<std::array<game::Cell, 2>> glimpse_;
};
