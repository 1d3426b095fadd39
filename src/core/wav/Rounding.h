#pragma once

#include <cmath>
#include <cstdint>

namespace veskar {

/// Rounds to the nearest integer, ties to even (2.5 → 2, 3.5 → 4), whatever the floating-point
/// environment says: every time and level of the engine is rounded this way.
inline int64_t RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    auto result = static_cast<int64_t>(floor);
    if (diff > 0.5 || (diff == 0.5 && (result & 1) != 0)) {
        ++result;
    }
    return result;
}

} // namespace veskar
