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

void addEdges(Pool& pool, float edgeWidth, bool back, bool front, bool left, bool right) {
    if (!pool.oscillators)
        return;
    const float w = edgeWidth;
    const float base = pool.baseDampingFactor;
    const double nx = pool.sizeX;
    const double ny = pool.sizeY;
    // Every product is rounded to float, as the factors are stored.
    for (int64_t j = 0; j < pool.sizeY; ++j) {
        for (int64_t i = 0; i < pool.sizeX; ++i) {
            Oscillator& o = pool.at(i, j);
            float f = o.dampingFactor;
            if (left && double(i) < double(w))
                f = float(i) / w * f * base;
            if (right && double(i) >= nx - double(w))
                f = float(nx - double(i) - 1.0) / w * f * base;
            if (back && double(j) < double(w))
                f = float(j) / w * f * base;
            if (front && double(j) >= ny - double(w))
                f = float(ny - double(j) - 1.0) / w * f * base;
            o.dampingFactor = f;
            if (!o.exciter)
                o.color[2] = f;
        }
    }
}

} // namespace zb
