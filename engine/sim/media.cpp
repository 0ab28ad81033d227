#include "sim/obstacles.h"

#include <algorithm>
#include <cmath>

namespace zb {

namespace {

constexpr double kMediumDegree = 3.14159265358979323846 / 180.0;

struct MediumOutline {
    MediumShape shape;
    double cx, cy, halfW, halfH, s, c;

    bool holds(int64_t i, int64_t j) const {
        const double di = double(i) - cx;
        const double dj = double(j) - cy;
        // Along the width and across it, turned as walls turn: counter-clockwise in the view,
        // whose rows run downwards; v grows towards the bottom of the box.
        const double u = di * c - dj * s;
        const double v = di * s + dj * c;
        switch (shape) {
        case MediumShape::Rectangle:
            return -halfW < u && u <= halfW && -halfH < v && v <= halfH;
        case MediumShape::Ellipse:
            return (u / halfW) * (u / halfW) + (v / halfH) * (v / halfH) <= 1.0;
        case MediumShape::Triangle:
            return -halfH <= v && v <= halfH && std::fabs(u) <= halfW * (v + halfH) / (2 * halfH);
        }
        return false;
    }
};

int64_t clampedIndex(double v, int64_t size) {
    return int64_t(std::clamp(v, 0.0, double(size - 1)));
}

} // namespace

void addMedium(Pool& pool, MediumShape shape, double centerX, double centerY, double width,
               double height, double angleDegrees, double coupling, double damping) {
    if (!pool.oscillators || !(width > 0.0) || !(height > 0.0) || !std::isfinite(width) ||
        !std::isfinite(height) || !std::isfinite(centerX) || !std::isfinite(centerY) ||
        !std::isfinite(angleDegrees))
        return;
    if (shape != MediumShape::Rectangle && shape != MediumShape::Ellipse &&
        shape != MediumShape::Triangle)
        return;
    settleMaterial(pool);
    const double theta = std::fmod(angleDegrees, 360.0) * kMediumDegree;
    const MediumOutline outline{shape,      centerX,         centerY,        width / 2,
                                height / 2, std::sin(theta), std::cos(theta)};
    const double reach = std::hypot(width, height) / 2 + 1;
    const int64_t i0 = clampedIndex(std::floor(centerX - reach), pool.sizeX);
    const int64_t i1 = clampedIndex(std::ceil(centerX + reach), pool.sizeX);
    const int64_t j0 = clampedIndex(std::floor(centerY - reach), pool.sizeY);
    const int64_t j1 = clampedIndex(std::ceil(centerY + reach), pool.sizeY);
    if (centerX + reach < 0 || centerY + reach < 0 || centerX - reach > pool.sizeX ||
        centerY - reach > pool.sizeY)
        return;
    const float factor = float(1.0 - damping);
    const float spring = float(coupling);
    for (int64_t j = j0; j <= j1; ++j) {
        for (int64_t i = i0; i <= i1; ++i) {
            if (!outline.holds(i, j))
                continue;
            Oscillator& o = pool.at(i, j);
            if (isWallCell(o) || o.exciter)
                continue;
            o.dampingFactor = factor;
            o.coupling = spring;
            o.color[2] = factor;
            // The outline, as a material change marks its first row; cut by the pool's border
            // it has none there.
            const bool edge = (i > 0 && !outline.holds(i - 1, j)) ||
                              (i + 1 < pool.sizeX && !outline.holds(i + 1, j)) ||
                              (j > 0 && !outline.holds(i, j - 1)) ||
                              (j + 1 < pool.sizeY && !outline.holds(i, j + 1));
            if (edge)
                o.color[1] = 0.2f;
        }
    }
}

} // namespace zb
