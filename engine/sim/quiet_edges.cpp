#include "sim/quiet_edges.h"
#include "sim/obstacles.h"
#include "sim/step.h"

#include <algorithm>
#include <cmath>

namespace zb {

namespace {

// Nodes counted from one end of a side of n nodes that lie inside a band of width w.
int64_t quietBand(float w, int64_t n) {
    if (!(w > 0.0f))
        return 0;
    return std::min<int64_t>(n, int64_t(std::ceil(double(w))));
}

// How deep node k (counted from the border, 0 the outermost) lies in a band of width w: 1 at
// the border, falling by 1/w per node, 0 from w on.
double depthInBand(int64_t k, double w) {
    return double(k) < w ? (w - double(k)) / w : 0.0;
}

float quietFactor(const QuietCell& c, float dt) {
    return float(double(c.priorFactor) * std::exp(-double(c.rate) * double(dt)));
}

} // namespace

void addQuietEdges(Pool& pool, QuietEdges& quiet, float edgeWidth, bool back, bool front, bool left,
                   bool right, float dt) {
    quiet.cells.clear();
    if (!pool.oscillators)
        return;
    settleMaterial(pool);
    const double w = double(edgeWidth);
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    auto lay = [&](int64_t i, int64_t j) {
        double shape = 0.0;
        auto add = [&shape](double depth) { shape += depth * depth; };
        if (left)
            add(depthInBand(i, w));
        if (right)
            add(depthInBand(nx - 1 - i, w));
        if (back)
            add(depthInBand(j, w));
        if (front)
            add(depthInBand(ny - 1 - j, w));
        Oscillator& o = pool.at(i, j);
        if (shape <= 0.0 || isWallCell(o))
            return;
        // A wave's speed is √(K·coupling)/2 oscillators per time unit; scaling the rate with it
        // keeps the band equally quiet behind any material.
        const double speed = std::sqrt(kCouplingScale * std::max(0.0, double(o.coupling))) / 2;
        QuietCell c{size_t(i + j * nx), o.dampingFactor, float(kQuietRateScale * speed / w * shape),
                    0.0f};
        c.factor = quietFactor(c, dt);
        o.dampingFactor = c.factor;
        o.coupling = float(double(o.coupling) * (1.0 - kQuietSlowing * std::min(1.0, shape)));
        if (!o.exciter)
            o.color[2] = float(double(o.color[2]) * std::max(0.0, 1.0 - shape));
        quiet.cells.push_back(c);
    };
    const int64_t top = back ? quietBand(edgeWidth, ny) : 0;
    const int64_t bottom = front ? ny - quietBand(edgeWidth, ny) : ny;
    const int64_t leftEnd = left ? quietBand(edgeWidth, nx) : 0;
    const int64_t rightStart = right ? nx - quietBand(edgeWidth, nx) : nx;
    for (int64_t j = 0; j < ny; ++j) {
        if (j < top || j >= bottom) {
            for (int64_t i = 0; i < nx; ++i)
                lay(i, j);
            continue;
        }
        for (int64_t i = 0; i < leftEnd; ++i)
            lay(i, j);
        for (int64_t i = std::max(leftEnd, rightStart); i < nx; ++i)
            lay(i, j);
    }
}

void retuneQuietEdges(Pool& pool, QuietEdges& quiet, float dt) {
    if (quiet.cells.empty())
        return;
    const size_t count = pool.oscillators ? pool.cellCount() : 0;
    for (const QuietCell& c : quiet.cells) {
        if (c.index >= count || pool.oscillators[c.index].dampingFactor != c.factor) {
            quiet.cells.clear();
            return;
        }
    }
    for (QuietCell& c : quiet.cells) {
        c.factor = quietFactor(c, dt);
        pool.oscillators[c.index].dampingFactor = c.factor;
    }
}

} // namespace zb
