#include "literal_additions.h"

#include "sim/obstacles.h"
#include "sim/rotated_rect.h"

namespace zb::literal {

bool inAnySlitLoop(double u, float m, int32_t n, int32_t b, int32_t g) {
    for (int64_t k = 0; k < n; ++k) {
        const double start = double(m) + double(k) * double(int64_t(b) + g);
        if (start < u && u < start + double(b))
            return true;
    }
    return false;
}

void addWall(Pool& p, int32_t cx, int32_t cy, int32_t angle, int32_t length, int32_t slitCount,
             int32_t slitWidth, int32_t barWidth) {
    if (length <= 0)
        return;
    const Rotation r = rotationFor(angle);
    const float m = firstSlitStart(slitCount, slitWidth, barWidth);
    const double half = double(length) / 2;
    for (int64_t i = 0; i < p.sizeX; ++i) {
        for (int64_t j = 0; j < p.sizeY; ++j) {
            const double v = acrossOffset(r, cx, cy, i, j);
            const float u = alongOffset(r, cx, cy, i, j);
            if (!(-1.0 < v && v <= 1.0 && -half < u && u <= half))
                continue;
            // Slit counts beyond a few thousand are left to the logarithmic test.
            if (slitCount < 5000 ? inAnySlitLoop(u, m, slitCount, slitWidth, barWidth)
                                 : inAnySlit(u, m, slitCount, slitWidth, barWidth))
                continue;
            Oscillator& o = p.at(i, j);
            if (isWallCell(o))
                continue;
            o.fixed = true;
            o.wall = true;
            o.exciter = false;
            o.dampingFactor = 0.0f;
            o.color[0] = 0.0f;
            o.color[1] = 0.0f;
            o.color[2] = 0.0f;
            o.color[3] = 1.0f;
        }
    }
}

void addExciter(Pool& p, int32_t cx, int32_t cy, int32_t width, int32_t length, int32_t angle,
                double omega, double amplitude, bool sineMode) {
    if (width <= 0 || length <= 0)
        return;
    const Rotation r = rotationFor(angle);
    const double halfWidth = double(width) / 2;
    const double halfLength = double(length) / 2;
    for (int64_t i = 0; i < p.sizeX; ++i) {
        for (int64_t j = 0; j < p.sizeY; ++j) {
            Oscillator& o = p.at(i, j);
            const float u = alongOffset(r, cx, cy, i, j);
            const float v = float(acrossOffset(r, cx, cy, i, j));
            if (isWallCell(o) ||
                !(-halfLength < v && v <= halfLength && -halfWidth < u && u <= halfWidth))
                continue;
            o.exciter = true;
            o.sineMode = sineMode;
            o.amplitude = float(amplitude);
            o.omega = float(omega);
            o.velocity = omega * amplitude;
            o.fixed = false;
            o.wall = false;
            o.color[0] = 0.0f;
            o.color[1] = 1.0f;
            o.color[2] = 0.0f;
            o.color[3] = 1.0f;
        }
    }
}

void addMatChange(Pool& p, int32_t startY, double coupling, double damping) {
    for (int64_t i = 0; i < p.sizeX; ++i) {
        for (int64_t j = startY < 0 ? 0 : startY; j < p.sizeY; ++j) {
            Oscillator& o = p.at(i, j);
            o.dampingFactor = float(1.0 - damping);
            o.color[2] = o.dampingFactor;
            o.coupling = float(coupling);
            if (j == startY)
                o.color[1] = 0.2f;
        }
    }
}

void addEdges(Pool& p, float w, bool back, bool front, bool left, bool right) {
    const float base = p.baseDampingFactor;
    const double nx = p.sizeX;
    const double ny = p.sizeY;
    for (int64_t i = 0; i < p.sizeX; ++i) {
        for (int64_t j = 0; j < p.sizeY; ++j) {
            Oscillator& o = p.at(i, j);
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

} // namespace zb::literal
