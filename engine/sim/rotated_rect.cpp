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

// The float roundings of the offsets grow with the magnitudes involved (about 2^-24 of each);
// the bounds below use the same rounded s and c as the offsets. Allow far more than that.
double roundingMargin(const Pool& pool, const TurnedRect& shape) {
    return 1.0 + (std::fabs(double(shape.cx)) + std::fabs(double(shape.cy)) + double(pool.sizeX) +
                  double(pool.sizeY) + shape.halfAlong + shape.halfAcross) *
                     0x1p-18;
}

// Narrows [lo, hi] (offsets from the centre column) to where coefficient * offset lies in
// [low, high]; a coefficient of 0 constrains nothing.
void narrow(double coefficient, double low, double high, double& lo, double& hi) {
    if (coefficient == 0.0)
        return;
    double a = low / coefficient;
    double b = high / coefficient;
    if (a > b)
        std::swap(a, b);
    lo = std::max(lo, std::floor(a));
    hi = std::min(hi, std::ceil(b));
}

} // namespace

CellBox candidateBox(const Pool& pool, const TurnedRect& shape) {
    const double margin = roundingMargin(pool, shape);
    const double s = std::fabs(double(shape.r.s));
    const double c = std::fabs(double(shape.r.c));
    const double reachI = c * shape.halfAlong + s * shape.halfAcross + margin;
    const double reachJ = s * shape.halfAlong + c * shape.halfAcross + margin;
    const double lowI = std::floor(double(shape.cx) - reachI);
    const double highI = std::ceil(double(shape.cx) + reachI);
    const double lowJ = std::floor(double(shape.cy) - reachJ);
    const double highJ = std::ceil(double(shape.cy) + reachJ);
    if (highI < 0.0 || highJ < 0.0 || lowI > double(pool.sizeX - 1) ||
        lowJ > double(pool.sizeY - 1))
        return {1, 0, 1, 0};
    return {clampToGrid(lowI, pool.sizeX), clampToGrid(highI, pool.sizeX),
            clampToGrid(lowJ, pool.sizeY), clampToGrid(highJ, pool.sizeY)};
}

ColumnSpan candidateColumns(const Pool& pool, const TurnedRect& shape, const CellBox& box,
                            int64_t j) {
    // With di = i - cx and dj = j - cy, the offsets are along = di c - dj s and
    // across = di s + dj c, up to the roundings that the margin covers.
    const double margin = roundingMargin(pool, shape);
    const double s = double(shape.r.s);
    const double c = double(shape.r.c);
    const double dj = double(j) - double(shape.cy);
    double lo = double(box.i0) - double(shape.cx);
    double hi = double(box.i1) - double(shape.cx);
    const double along = shape.halfAlong + margin;
    const double across = shape.halfAcross + margin;
    narrow(c, dj * s - along, dj * s + along, lo, hi);
    narrow(s, -dj * c - across, -dj * c + across, lo, hi);
    if (!(lo <= hi))
        return {1, 0};
    return {int64_t(lo) + shape.cx, int64_t(hi) + shape.cx};
}

} // namespace zb
