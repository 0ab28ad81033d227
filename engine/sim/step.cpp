// The step is the program's inner loop. Its result is defined by three passes over the grid
// (update, heights, normals); this implementation fuses them into one row-major sweep that
// gives the same bits. The heights of the rows in flight live in small contiguous rows as well:
// the old heights of rows j-1..j+1, which the update of row j reads (it copies row j+1 itself,
// as it reads its down neighbours), so that row j can take its new heights at once; and the new
// heights of rows j-2..j, from which the normals of row j-1 follow. Rows that hold no wall,
// fixed cell or exciter, nor border one, run packed.
#include "sim/step.h"
#include "sim/step_rows.h"

#include <algorithm>

namespace zb {

namespace {

// Working memory of the sweep; the engine is single-threaded, and keeping it saves an
// allocation per step.
struct SweepBuffers {
    RowRing oldHeights; // rows j-1, j, j+1 before the step
    RowRing newHeights; // rows j-2, j-1, j after it
    std::vector<float> dx;
};

SweepBuffers& sweepBuffers(int64_t nx) {
    static SweepBuffers b;
    b.oldHeights.reserve(nx, 3);
    b.newHeights.reserve(nx, 3);
    if (b.dx.size() < size_t(nx) + 16)
        b.dx.resize(size_t(nx) + 16);
    return b;
}

} // namespace

void stepPool(Pool& pool, float dt, float t, bool exciterEnabled) {
    if (!pool.oscillators)
        return;
    StepContext ctx{double(dt), double(dt) * kCouplingScale, exciterEnabled, TrigCache(double(t))};
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    SweepBuffers& b = sweepBuffers(nx);
    for (int64_t i = 0; i < nx; ++i)
        b.dx[size_t(i)] = pool.at(std::min(i + 1, nx - 1), 0).position.x -
                          pool.at(std::max<int64_t>(i - 1, 0), 0).position.x;

    bool plainUp = false;
    bool plainHere = copyOldRow(&pool.at(0, 0), nx, b.oldHeights.row(0));
    for (int64_t j = 0; j <= ny; ++j) {
        if (j < ny) {
            const RowHeights rows{b.oldHeights.row(j - 1), b.oldHeights.row(j),
                                  b.oldHeights.row(j + 1)};
            const bool plainDown =
                updateRow(pool, j, rows, b.newHeights.row(j), plainUp && plainHere, ctx);
            plainUp = plainHere;
            plainHere = plainDown;
        }
        if (j >= 1) {
            const int64_t r = j - 1;
            const int64_t u = r > 0 ? r - 1 : r;
            const int64_t d = r + 1 < ny ? r + 1 : r;
            const float dz = pool.at(0, d).position.z - pool.at(0, u).position.z;
            storeNormals(&pool.at(0, r), nx, b.newHeights.row(u), b.newHeights.row(r),
                         b.newHeights.row(d), b.dx.data(), dz, &pool.at(0, r + 3 < ny ? r + 3 : r));
        }
    }
}

} // namespace zb
