// The step is the program's inner loop. Its result is defined by three passes over the grid
// (update, heights, normals); this implementation fuses them into one row-major sweep that
// gives the same bits. The heights of the rows in flight live in small contiguous rows as well:
// the old heights of rows j-1..j+1, which the update of row j reads (it copies row j+1 itself,
// as it reads its down neighbours), so that row j can take its new heights at once; and the new
// heights of rows j-2..j, from which the normals of row j-1 follow. Each row runs packed except
// at its special cells (fixed, wall, exciter) and their neighbours, which the sweep lists as it
// reads the rows.
#include "sim/step.h"
#include "sim/engine_state.h"
#include "sim/obstacles.h"
#include "sim/step_rows.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace zb {

namespace {

SweepBuffers& sweepBuffers(int64_t nx) {
    SweepBuffers& b = gEngine.sweep;
    b.oldHeights.reserve(nx, 3);
    b.newHeights.reserve(nx, 3);
    if (b.dx.size() < size_t(nx) + 16)
        b.dx.resize(size_t(nx) + 16);
    return b;
}

// x depends only on the column, and never changes after the pool is built.
void fillDx(const Pool& pool, std::vector<float>& dx) {
    const int64_t nx = pool.sizeX;
    for (int64_t i = 0; i < nx; ++i)
        dx[size_t(i)] = pool.at(std::min(i + 1, nx - 1), 0).position.x -
                        pool.at(std::max<int64_t>(i - 1, 0), 0).position.x;
}

// The normals of row r from the new heights of the rows around it.
void rowNormals(Pool& pool, SweepBuffers& b, int64_t r) {
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    const int64_t u = r > 0 ? r - 1 : r;
    const int64_t d = r + 1 < ny ? r + 1 : r;
    const float dz = pool.at(0, d).position.z - pool.at(0, u).position.z;
    storeNormals(&pool.at(0, r), nx, b.newHeights.row(u), b.newHeights.row(r), b.newHeights.row(d),
                 b.dx.data(), dz, &pool.at(0, r + 3 < ny ? r + 3 : r));
}

// Whether any of n heights is infinite or NaN, whose exponent bits are all set. Run on a row of
// new heights while it is still in the cache, it costs a fraction of a percent of the step and
// leaves the cells' arithmetic as it is; a look at the records after the step would read them
// all from memory again.
bool anyNonFinite(const float* h, int64_t n) {
    uint32_t found = 0;
    for (int64_t i = 0; i < n; ++i)
        found |= uint32_t((std::bit_cast<uint32_t>(h[i]) & 0x7f800000u) == 0x7f800000u);
    return found != 0;
}

} // namespace

bool stepPool(Pool& pool, float dt, float t, bool exciterEnabled, bool normals) {
    if (!pool.oscillators)
        return false;
    settleMaterial(pool);
    StepContext ctx{double(dt), double(dt) * kCouplingScale, exciterEnabled, TrigCache(double(t))};
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    SweepBuffers& b = sweepBuffers(nx);
    fillDx(pool, b.dx);

    copyRow(&pool.at(0, 0), nx, b.oldHeights.row(0), b.specialsOf(0));
    bool nonFinite = false;
    for (int64_t j = 0; j <= ny; ++j) {
        if (j < ny) {
            const RowHeights rows{b.oldHeights.row(j - 1), b.oldHeights.row(j),
                                  b.oldHeights.row(j + 1)};
            const RowSpecials specials{b.specialsOf(j - 1), b.specialsOf(j), b.specialsOf(j + 1),
                                       b.stops};
            updateRow(pool, j, rows, b.newHeights.row(j), specials, ctx);
            nonFinite = nonFinite || anyNonFinite(b.newHeights.row(j), nx);
        }
        if (normals && j >= 1)
            rowNormals(pool, b, j - 1);
    }
    return nonFinite;
}

void refreshNormals(Pool& pool) {
    if (!pool.oscillators)
        return;
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    SweepBuffers& b = sweepBuffers(nx);
    fillDx(pool, b.dx);
    // The heights are the records' own; the normals of row j-1 need rows j-2 .. j.
    for (int64_t j = 0; j <= ny; ++j) {
        if (j < ny) {
            const Oscillator* row = &pool.at(0, j);
            float* h = b.newHeights.row(j);
            for (int64_t i = 0; i < nx; ++i)
                h[i] = row[i].position.y;
        }
        if (j >= 1)
            rowNormals(pool, b, j - 1);
    }
}

} // namespace zb
