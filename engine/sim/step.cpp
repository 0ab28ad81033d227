// The step is the program's inner loop. Its result is defined by three passes over the grid
// (update, heights, normals); this implementation fuses them into one row-major sweep that
// gives the same bits. The heights of the rows in flight live in small contiguous rows as well:
// the old heights of rows j-1..j+1, which the update of row j reads (it copies row j+1 itself,
// as it reads its down neighbours), so that row j can take its new heights at once; and the new
// heights of rows j-2..j, from which the normals of row j-1 follow. Each row runs packed except
// at its special cells (fixed, wall, exciter) and their neighbours, which the sweep lists as it
// reads the rows. On two threads, each takes half of the rows and the row between them is done
// last (stepInTwo).
#include "sim/step.h"
#include "sim/display_averages.h"
#include "sim/engine_state.h"
#include "sim/obstacles.h"
#include "sim/step_rows.h"
#include "sim/step_threads.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace zb {

namespace {

SweepBuffers& reservedSweep(SweepBuffers& b, int64_t nx) {
    b.oldHeights.reserve(nx, 3);
    b.newHeights.reserve(nx, 3);
    return b;
}

// x depends only on the column, and never changes after the pool is built.
const float* columnSpans(const Pool& pool) {
    std::vector<float>& dx = gEngine.sweep.dx;
    const int64_t nx = pool.sizeX;
    if (dx.size() < size_t(nx) + 16)
        dx.resize(size_t(nx) + 16);
    for (int64_t i = 0; i < nx; ++i)
        dx[size_t(i)] = pool.at(std::min(i + 1, nx - 1), 0).position.x -
                        pool.at(std::max<int64_t>(i - 1, 0), 0).position.x;
    return dx.data();
}

// The normals of row r from the new heights of the rows around it.
void rowNormals(Pool& pool, SweepBuffers& b, const float* dx, int64_t r) {
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    const int64_t u = r > 0 ? r - 1 : r;
    const int64_t d = r + 1 < ny ? r + 1 : r;
    const float dz = pool.at(0, d).position.z - pool.at(0, u).position.z;
    storeNormals(&pool.at(0, r), nx, b.newHeights.row(u), b.newHeights.row(r), b.newHeights.row(d),
                 dx, dz, &pool.at(0, r + 3 < ny ? r + 3 : r));
}

// The normals of rows from .. to-1 from the heights in the records.
void normalsFromRecords(Pool& pool, SweepBuffers& b, const float* dx, int64_t from, int64_t to) {
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    for (int64_t j = std::max<int64_t>(from - 1, 0); j <= to; ++j) {
        if (j < ny) {
            const Oscillator* row = &pool.at(0, j);
            float* h = b.newHeights.row(j);
            for (int64_t i = 0; i < nx; ++i)
                h[i] = row[i].position.y;
        }
        if (j - 1 >= from && j - 1 < to)
            rowNormals(pool, b, dx, j - 1);
    }
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

// One thread's share of a step: rows first .. last-1, and the normals of rows normalsFrom ..
// normalsTo-1, whose neighbours' new heights it computes itself.
struct SweepPart {
    Pool* pool;
    SweepBuffers* buffers;
    const float* dx;
    const RowAverages* averages; // null: none kept
    double dt;
    double t;
    bool drive;
    int64_t first;
    int64_t last;
    int64_t normalsFrom;
    int64_t normalsTo;
    bool nonFinite; // the result
};

StepContext contextOf(const SweepPart& part) {
    return StepContext{part.dt, part.dt * kCouplingScale, part.drive, TrigCache(part.t),
                       part.normalsTo > part.normalsFrom ? 2 : 1};
}

// The new heights of row j, just computed: checked and averaged while they are in cache.
bool rowDone(const SweepPart& part, int64_t j, const float* h) {
    const int64_t nx = part.pool->sizeX;
    if (part.averages)
        addRowToAverages(*part.averages, j, nx, h);
    return anyNonFinite(h, nx);
}

void sweepRows(SweepPart& part) {
    Pool& pool = *part.pool;
    SweepBuffers& b = *part.buffers;
    StepContext ctx = contextOf(part);
    const int64_t nx = pool.sizeX;
    const int64_t first = part.first;
    if (first > 0)
        copyRow(&pool.at(0, first - 1), nx, b.oldHeights.row(first - 1), b.specialsOf(first - 1));
    copyRow(&pool.at(0, first), nx, b.oldHeights.row(first), b.specialsOf(first));
    bool nonFinite = false;
    for (int64_t j = first; j <= part.last; ++j) {
        if (j < part.last) {
            const RowHeights rows{b.oldHeights.row(j - 1), b.oldHeights.row(j),
                                  b.oldHeights.row(j + 1)};
            const RowSpecials specials{b.specialsOf(j - 1), b.specialsOf(j), b.specialsOf(j + 1),
                                       b.stops};
            updateRow(pool, j, rows, b.newHeights.row(j), specials, ctx);
            nonFinite = rowDone(part, j, b.newHeights.row(j)) || nonFinite;
        }
        if (j - 1 >= part.normalsFrom && j - 1 < part.normalsTo)
            rowNormals(pool, b, part.dx, j - 1);
    }
    part.nonFinite = nonFinite;
}

void sweepRowsJob(void* part) {
    sweepRows(*static_cast<SweepPart*>(part));
}

// Rows 0 .. s-2 on this thread and s .. ny-1 on the worker, which share no row: each reads the
// old heights of row s-1 only. Row s-1, the seam, follows; it needs the old heights of row s,
// kept aside, and the ones of row s-2, which this thread's buffers still hold. The normals of
// rows s-2 .. s, which need the seam's new heights, come last.
bool stepInTwo(SweepPart whole) {
    Pool& pool = *whole.pool;
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    const int64_t s = ny / 2;
    const bool normals = whole.normalsTo > whole.normalsFrom;
    SweepPart top = whole;
    top.last = s - 1;
    top.normalsTo = normals ? s - 2 : 0;
    SweepPart bottom = whole;
    bottom.buffers = &reservedSweep(gEngine.workerSweep, nx);
    bottom.first = s;
    bottom.normalsFrom = normals ? s + 1 : 0;
    bottom.normalsTo = normals ? ny : 0;

    SweepBuffers& b = *whole.buffers;
    b.seam.reserve(nx, 2);
    float* oldBelow = b.seam.row(0);
    float* newBelow = b.seam.row(1);
    Oscillator* below = &pool.at(0, s);
    for (int64_t i = 0; i < nx; ++i)
        oldBelow[i] = below[i].position.y;
    if (!startWorkerJob(sweepRowsJob, &bottom)) {
        sweepRows(whole);
        return whole.nonFinite;
    }
    sweepRows(top);
    finishWorkerJob();

    // The seam row's update reads row s from the records, so they hold the old heights while it
    // runs.
    for (int64_t i = 0; i < nx; ++i) {
        newBelow[i] = below[i].position.y;
        below[i].position.y = oldBelow[i];
    }
    StepContext ctx = contextOf(whole);
    const int64_t j = s - 1;
    const RowHeights rows{b.oldHeights.row(j - 1), b.oldHeights.row(j), b.oldHeights.row(j + 1)};
    const RowSpecials specials{b.specialsOf(j - 1), b.specialsOf(j), b.specialsOf(j + 1), b.stops};
    updateRow(pool, j, rows, b.newHeights.row(j), specials, ctx);
    const bool seamNonFinite = rowDone(whole, j, b.newHeights.row(j));
    for (int64_t i = 0; i < nx; ++i)
        below[i].position.y = newBelow[i];
    if (normals)
        normalsFromRecords(pool, b, whole.dx, s - 2, s + 1);
    return top.nonFinite || bottom.nonFinite || seamNonFinite;
}

} // namespace

bool stepPool(Pool& pool, float dt, float t, bool exciterEnabled, bool normals,
              const RowAverages* averages) {
    if (!pool.oscillators)
        return false;
    settleMaterial(pool);
    const int64_t nx = pool.sizeX;
    const int64_t ny = pool.sizeY;
    SweepPart whole{};
    whole.pool = &pool;
    whole.buffers = &reservedSweep(gEngine.sweep, nx);
    whole.dx = columnSpans(pool);
    whole.averages = averages;
    whole.dt = double(dt);
    whole.t = double(t);
    whole.drive = exciterEnabled;
    whole.first = 0;
    whole.last = ny;
    whole.normalsFrom = 0;
    whole.normalsTo = normals ? ny : 0;
    if (stepThreadCount(nx, ny) == 2)
        return stepInTwo(whole);
    sweepRows(whole);
    return whole.nonFinite;
}

void refreshNormals(Pool& pool) {
    if (!pool.oscillators)
        return;
    normalsFromRecords(pool, reservedSweep(gEngine.sweep, pool.sizeX), columnSpans(pool), 0,
                       pool.sizeY);
}

} // namespace zb
