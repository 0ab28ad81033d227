#include "sim/engine_state.h"
#include "sim/obstacles.h"
#include "sim/quiet_edges.h"

#include <algorithm>
#include <cmath>

namespace zb {

namespace {

// Nodes 0 .. result-1 satisfy double(k) < w, for k counted from either end of a side of n
// nodes; one more than needed, so that every node the test below picks is inside.
int64_t bandWidth(float w, int64_t n) {
    if (!(w > 0.0f))
        return 0;
    return std::min<int64_t>(n, int64_t(std::min(std::ceil(double(w)), double(n))) + 1);
}

} // namespace

void addEdges(Pool& pool, float edgeWidth, bool back, bool front, bool left, bool right) {
    // The kind asked for applies to these edges only; the designed ones leave no quiet band.
    const int32_t kind = gEngine.edgeKind;
    gEngine.edgeKind = 0;
    gEngine.quietEdges.cells.clear();
    if (!pool.oscillators)
        return;
    if (kind == 1) {
        addQuietEdges(pool, gEngine.quietEdges, edgeWidth, back, front, left, right,
                      gEngine.simSpeed);
        return;
    }
    settleMaterial(pool);
    const float w = edgeWidth;
    const float base = pool.baseDampingFactor;
    const double nx = pool.sizeX;
    const double ny = pool.sizeY;
    // Every product is rounded to float, as the factors are stored.
    auto scale = [&](int64_t i, int64_t j) {
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
    };
    // The bands that a chosen side can reach; the test above still decides each node.
    const int64_t top = back ? bandWidth(w, pool.sizeY) : 0;
    const int64_t bottom = front ? pool.sizeY - bandWidth(w, pool.sizeY) : pool.sizeY;
    const int64_t leftEnd = left ? bandWidth(w, pool.sizeX) : 0;
    const int64_t rightStart = right ? pool.sizeX - bandWidth(w, pool.sizeX) : pool.sizeX;
    for (int64_t j = 0; j < pool.sizeY; ++j) {
        if (j < top || j >= bottom) {
            for (int64_t i = 0; i < pool.sizeX; ++i)
                scale(i, j);
            continue;
        }
        for (int64_t i = 0; i < leftEnd; ++i)
            scale(i, j);
        for (int64_t i = std::max(leftEnd, rightStart); i < pool.sizeX; ++i)
            scale(i, j);
    }
}

} // namespace zb
