#include "sim/obstacles.h"

#include <algorithm>

namespace zb {

void addMatChange(Pool& pool, int32_t startY, double coupling, double damping) {
    if (!pool.oscillators)
        return;
    const float dampingFactor = float(1.0 - damping);
    const float couplingF = float(coupling);
    // Rows before the grid do not exist: a negative start changes every row and marks none.
    const int64_t first = std::max<int64_t>(startY, 0);
    for (int64_t j = first; j < pool.sizeY; ++j) {
        for (int64_t i = 0; i < pool.sizeX; ++i) {
            Oscillator& o = pool.at(i, j);
            o.dampingFactor = dampingFactor;
            o.color[2] = dampingFactor;
            o.coupling = couplingF;
            if (j == startY)
                o.color[1] = 0.2f;
        }
    }
}

} // namespace zb
