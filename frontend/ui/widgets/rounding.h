// Control positions from model values.
#pragma once

#include <cmath>

namespace zb::ui {

// Halves go to the even neighbour; anything a control cannot show (not a number, beyond the
// range, beyond int) is brought into [lo, hi] first, so the conversion is always defined.
inline int roundIntoRange(double value, int lo, int hi) {
    if (std::isnan(value) || value <= lo) {
        return lo;
    }
    if (value >= hi) {
        return hi;
    }
    return int(std::nearbyint(value)); // the default rounding mode ties to even
}

} // namespace zb::ui
