#include "Shuffle.h"

#include "Rounding.h"

#include <utility>

namespace game {

void shuffle(Board& board, const std::function<float()>& nextRandom)
{
    const std::int32_t m = board.upperX() - 1;
    const std::int32_t n = board.upperY() - 1;
    if (m <= 0 || n <= 0)
        return;
    for (std::int32_t swap = 0; swap < m * n; ++swap) {
        const float u1 = nextRandom();
        const float u2 = nextRandom();
        const float u3 = nextRandom();
        const float u4 = nextRandom();
        const std::int32_t p1 = roundHalfEven(double(u1) * m);
        const std::int32_t q1 = roundHalfEven(double(u2) * n);
        const std::int32_t p2 = roundHalfEven(double(u3) * m);
        const std::int32_t q2 = roundHalfEven(double(u4) * n);
        std::swap(board.at(p1, q1), board.at(p2, q2));
    }
}

} // namespace game
