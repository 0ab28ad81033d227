// The wave field behind the start screen, computed by the engine itself: a plane wave passing a
// double slit, seen from above.
#pragma once

#include <cstddef>
#include <vector>

namespace zb::start {

struct WaveField {
    int width = 0; // visible oscillators; row 0 at the top as in the flat view
    int height = 0;
    std::vector<double> heights; // row-major
    std::vector<bool> walls;

    size_t index(int i, int j) const { return size_t(i) + size_t(j) * size_t(width); }
};

// Builds the tank, runs it headless and returns the part away from the absorbing edges. Width 0
// when the engine refused the tank.
WaveField computeDoubleSlitField();

} // namespace zb::start
