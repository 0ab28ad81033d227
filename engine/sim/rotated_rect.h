// Rasterisation of turned rectangles, shared by walls and exciters. The roundings below decide
// which boundary cells belong to a shape, so they are part of the result, not an accident.
#pragma once

#include "sim/pool.h"

#include <cstdint>

namespace zb {

// Degrees to radians, as a double equal to 3.14159265359 / 180.
constexpr double kDegreeFactor = 0.017453292519944444;

// Brings an angle into -180 <= angle < 180 (180 becomes -180), for every int.
int32_t normaliseAngle(int32_t angle);

struct Rotation {
    float s; // sin of the normalised angle, rounded to float
    float c; // cos, likewise
};
Rotation rotationFor(int32_t angleDegrees);

// Offset of node (i, j) from the centre along the shape's first axis (a wall's length, an
// exciter's width), rounded to float.
inline float alongOffset(Rotation r, int64_t cx, int64_t cy, int64_t i, int64_t j) {
    const double t1 = (double(cy) - double(j)) * double(r.s);
    const double t2 = double(float(double(i) * double(r.c)));
    const double t3 = double(float(double(cx) * double(r.c)));
    return float(t1 + t2 - t3);
}

// Offset across the first axis, left in double: a wall keeps it unrounded.
inline double acrossOffset(Rotation r, int64_t cx, int64_t cy, int64_t i, int64_t j) {
    const double t2 = double(float(double(i) * double(r.s) - double(cx) * double(r.s)));
    const double t3 = double(float(double(cy) * double(r.c)));
    return double(j) * double(r.c) + t2 - t3;
}

// A rectangle turned by r about (cx, cy): |along| <= halfAlong, |across| <= halfAcross.
struct TurnedRect {
    Rotation r;
    int64_t cx, cy;
    double halfAlong, halfAcross;
};

// Inclusive node range of the grid that can hold cells of the shape; generous enough to cover
// every rounding above.
struct CellBox {
    int64_t i0, i1, j0, j1; // empty when i0 > i1 or j0 > j1
    bool empty() const { return i0 > i1 || j0 > j1; }
};
CellBox candidateBox(const Pool& pool, const TurnedRect& shape);

// The columns of row j (inside box) that can hold cells of the shape, as generous as the box:
// a shape costs in proportion to the cells it touches plus its rows, at any angle. Empty when
// first > last.
struct ColumnSpan {
    int64_t first, last;
};
ColumnSpan candidateColumns(const Pool& pool, const TurnedRect& shape, const CellBox& box,
                            int64_t j);

} // namespace zb
