#include "sim/rotated_rect.h"

#include <algorithm>
#include <cmath>

namespace zb {

int32_t normaliseAngle(int32_t angle) {
    // Closed form of "while >= 180 subtract 360, then while < -180 add 360".
    int64_t a = angle;
    if (a >= 180)
        a -= 360 * ((a - 180) / 360 + 1);
    if (a < -180)
        a += 360 * ((-180 - a + 359) / 360);
    return int32_t(a);
}

Rotation rotationFor(int32_t angleDegrees) {
    const double theta = double(normaliseAngle(angleDegrees)) * kDegreeFactor;
    return {float(std::sin(theta)), float(std::cos(theta))};
}

namespace {

int64_t clampToGrid(double v, int64_t size) {
    if (!(v > 0.0))
        return 0;
    if (v >= double(size - 1))
        return size - 1;
    return int64_t(v);
}

} // namespace

CellBox candidateBox(const Pool& pool, Rotation r, int64_t cx, int64_t cy, double halfAlong,
                     double halfAcross) {
    // The float roundings of the offsets grow with the magnitudes involved (about 2^-24 of
    // each), and s^2 + c^2 differs from 1 by a few float ulps: allow far more than both.
    const double margin = 4.0 + (std::fabs(double(cx)) + std::fabs(double(cy)) +
                                 double(pool.sizeX) + double(pool.sizeY) + halfAlong + halfAcross) *
                                    0x1p-18;
    const double s = std::fabs(double(r.s));
    const double c = std::fabs(double(r.c));
    const double reachI = c * halfAlong + s * halfAcross + margin;
    const double reachJ = s * halfAlong + c * halfAcross + margin;
    const double lowI = std::floor(double(cx) - reachI);
    const double highI = std::ceil(double(cx) + reachI);
    const double lowJ = std::floor(double(cy) - reachJ);
    const double highJ = std::ceil(double(cy) + reachJ);
    if (highI < 0.0 || highJ < 0.0 || lowI > double(pool.sizeX - 1) ||
        lowJ > double(pool.sizeY - 1))
        return {1, 0, 1, 0};
    return {clampToGrid(lowI, pool.sizeX), clampToGrid(highI, pool.sizeX),
            clampToGrid(lowJ, pool.sizeY), clampToGrid(highJ, pool.sizeY)};
}

} // namespace zb
