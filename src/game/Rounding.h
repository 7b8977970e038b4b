#pragma once

#include <cmath>
#include <cstdint>

namespace game {

// Wherever a float or a quotient becomes a whole number (layout, progress bar,
// shuffle indices, the clock's seconds), it is rounded to the nearest integer
// with halves going to the even neighbour: 2.5 gives 2, 3.5 gives 4.
inline std::int32_t roundHalfEven(double value)
{
    return static_cast<std::int32_t>(std::nearbyint(value));
}

} // namespace game
