#include "sim/obstacles.h"

namespace zb {

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
