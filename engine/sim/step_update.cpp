// Passes 1 and 2 of the step for one row: velocities and elongations, then the new heights.
// The update reads only the copies of the old heights, so a row may take its new heights at
// once.
#include "sim/step.h"
#include "sim/step_rows.h"

#include <algorithm>
#include <climits>
#include <immintrin.h>

namespace zb {

namespace {

inline void storeHeight(Oscillator& o, float* newHeights, int64_t i) {
    const float h = float(o.elongation);
    o.position.y = h;
    newHeights[i] = h;
}

// Any cell, with every case of the update.
void updateCell(Pool& p, int64_t i, int64_t j, const RowHeights& old, float* newHeights,
                StepContext& ctx) {
    Oscillator& o = p.at(i, j);
    if (o.fixed) {
        storeHeight(o, newHeights, i);
        return;
    }
    const bool fl = isFreeCell(p, i - 1, j);
    const bool fr = isFreeCell(p, i + 1, j);
    const bool fu = isFreeCell(p, i, j - 1);
    const bool fd = isFreeCell(p, i, j + 1);
    const double hc = old.here[i];
    double delta;
    if (fl && fr && fu && fd) {
        delta = 0.25 * (double(old.up[i]) + double(old.down[i]) + double(old.here[i + 1]) +
                        double(old.here[i - 1])) -
                hc;
    } else {
        // Mean over the free neighbours only; the running sum is a float, as it always was.
        float sum = 0.0f;
        int n = 0;
        if (fl) {
            sum = float(double(sum) + (double(old.here[i - 1]) - hc));
            ++n;
        }
        if (fr) {
            sum = float(double(sum) + (double(old.here[i + 1]) - hc));
            ++n;
        }
        if (fu) {
            sum = float(double(sum) + (double(old.up[i]) - hc));
            ++n;
        }
        if (fd) {
            sum = float(double(sum) + (double(old.down[i]) - hc));
            ++n;
        }
        delta = n > 0 ? double(sum) / double(n) : 0.0;
    }
    double velocity = o.velocity + delta * (ctx.dtK * double(o.coupling));
    if (o.exciter && ctx.drive) {
        double s, c;
        ctx.trig.get(o.omega, s, c);
        const double omega = o.omega;
        const double amplitude = o.amplitude;
        velocity = velocity - ctx.dt * amplitude * (omega * omega) * s;
        if (o.sineMode)
            velocity = amplitude * omega * c;
    } else {
        velocity = double(o.dampingFactor) * velocity;
    }
    o.velocity = velocity;
    o.elongation = o.elongation + ctx.dt * velocity;
    storeHeight(o, newHeights, i);
}

// A cell whose four neighbours are free and which is neither fixed nor an exciter.
inline void updatePlainCell(Oscillator& o, int64_t i, const RowHeights& old, float* newHeights,
                            const StepContext& ctx) {
    const double delta = 0.25 * (double(old.up[i]) + double(old.down[i]) + double(old.here[i + 1]) +
                                 double(old.here[i - 1])) -
                         double(old.here[i]);
    double velocity = o.velocity + delta * (ctx.dtK * double(o.coupling));
    velocity = double(o.dampingFactor) * velocity;
    o.velocity = velocity;
    o.elongation = o.elongation + ctx.dt * velocity;
    storeHeight(o, newHeights, i);
}

// One double or float field of consecutive records in vector lanes.
inline __m128d loadPair(const double* a, const double* b) {
    return _mm_loadh_pd(_mm_load_sd(a), b);
}
inline __m128d loadFloatPair(const float* a, const float* b) {
    return _mm_cvtps_pd(_mm_unpacklo_ps(_mm_load_ss(a), _mm_load_ss(b)));
}
inline void storePair(double* a, double* b, __m128d v) {
    _mm_storel_pd(a, v);
    _mm_storeh_pd(b, v);
}
inline __m128d loadHeights(const float* h) {
    return _mm_cvtps_pd(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(h))));
}
inline void storeHeightPair(Oscillator* o, float* h, __m128 v) {
    _mm_storel_pi(reinterpret_cast<__m64*>(h), v);
    _mm_store_ss(&o[0].position.y, v);
    _mm_store_ss(&o[1].position.y, _mm_shuffle_ps(v, v, 1));
}

// Asks for every other cache line (stride 2) or every one of one stretch of the row two rows
// down, so that fetching it from memory overlaps with the arithmetic of this row; with stride 2
// the normals of the row before ask for the lines in between. The next row's update then finds
// them in cache when it reads them as its down neighbours.
inline void prefetchAhead(const Oscillator* ahead, int cells, int stride) {
    const char* p = reinterpret_cast<const char*>(ahead);
    for (int line = 0; line < (cells * int(sizeof(Oscillator)) + 63) / 64; line += stride)
        __builtin_prefetch(p + 64 * line);
}

constexpr uint32_t kBlocking = kFixedByte | kWallByte;
constexpr uint32_t kSpecial = kFixedByte | kWallByte | kExciterByte;

// What the packed update of row j needs besides the row itself: the row below it, whose old
// heights it copies into rows.down on the way.
struct PlainRun {
    Oscillator* row;
    const Oscillator* down;
    const Oscillator* ahead; // two rows down (or the row itself), to be fetched meanwhile
    RowHeights rows;
    float* newHeights;
};

// Cells from i on, two at a time, for as long as their down neighbours are plain (a special
// one is left to the caller, which lists it); returns the first cell not done. The cells and
// their neighbours in rows j-1 and j must be plain. Everything the loop needs is held in
// locals: the stores through vector types may alias anything, which would otherwise make the
// compiler reload it all after every store.
int64_t updatePlainRun(PlainRun& run, int64_t i, int64_t end, const StepContext& ctx) {
    const __m128d quarter = _mm_set1_pd(0.25);
    const __m128d dtK = _mm_set1_pd(ctx.dtK);
    const __m128d dt = _mm_set1_pd(ctx.dt);
    const int stride = ctx.aheadLineStride;
    Oscillator* const row = run.row;
    const Oscillator* const down = run.down;
    const Oscillator* const ahead = run.ahead;
    const float* const up = run.rows.up;
    const float* const here = run.rows.here;
    float* const downCopy = run.rows.down;
    float* const newHeights = run.newHeights;
    for (; i + 2 <= end; i += 2) {
        const Oscillator* d = down + i;
        if ((flagWord(d[0]) | flagWord(d[1])) & kSpecial)
            break;
        prefetchAhead(ahead + i, 2, stride);
        const __m128 downHeights =
            _mm_unpacklo_ps(_mm_load_ss(&d[0].position.y), _mm_load_ss(&d[1].position.y));
        _mm_storel_pi(reinterpret_cast<__m64*>(downCopy + i), downHeights);
        Oscillator& a = row[i];
        Oscillator& b = row[i + 1];
        const __m128d sum =
            _mm_add_pd(_mm_add_pd(_mm_add_pd(loadHeights(up + i), _mm_cvtps_pd(downHeights)),
                                  loadHeights(here + i + 1)),
                       loadHeights(here + i - 1));
        const __m128d delta = _mm_sub_pd(_mm_mul_pd(quarter, sum), loadHeights(here + i));
        const __m128d coupling = loadFloatPair(&a.coupling, &b.coupling);
        __m128d velocity = _mm_add_pd(loadPair(&a.velocity, &b.velocity),
                                      _mm_mul_pd(delta, _mm_mul_pd(dtK, coupling)));
        velocity = _mm_mul_pd(loadFloatPair(&a.dampingFactor, &b.dampingFactor), velocity);
        storePair(&a.velocity, &b.velocity, velocity);
        const __m128d elongation =
            _mm_add_pd(loadPair(&a.elongation, &b.elongation), _mm_mul_pd(dt, velocity));
        storePair(&a.elongation, &b.elongation, elongation);
        storeHeightPair(row + i, newHeights + i, _mm_cvtpd_ps(elongation));
    }
    return i;
}

// The same with four double lanes, where the processor has them. The attribute rather than a
// pragma block, so that clang builds it too.
#define ZB_AVX __attribute__((target("avx")))

ZB_AVX inline __m256d heightsWide(const float* h) {
    return _mm256_cvtps_pd(_mm_loadu_ps(h));
}

ZB_AVX inline __m256d doublesWide(const Oscillator* o, double Oscillator::*field) {
    return _mm256_set_m128d(loadPair(&(o[2].*field), &(o[3].*field)),
                            loadPair(&(o[0].*field), &(o[1].*field)));
}

ZB_AVX inline __m256d floatsWide(const Oscillator* o, float Oscillator::*field) {
    return _mm256_cvtps_pd(_mm_setr_ps(o[0].*field, o[1].*field, o[2].*field, o[3].*field));
}

ZB_AVX inline void storeWide(Oscillator* o, double Oscillator::*field, __m256d v) {
    storePair(&(o[0].*field), &(o[1].*field), _mm256_castpd256_pd128(v));
    storePair(&(o[2].*field), &(o[3].*field), _mm256_extractf128_pd(v, 1));
}

ZB_AVX int64_t updatePlainRunWide(PlainRun& run, int64_t i, int64_t end, const StepContext& ctx) {
    const __m256d quarter = _mm256_set1_pd(0.25);
    const __m256d dtK = _mm256_set1_pd(ctx.dtK);
    const __m256d dt = _mm256_set1_pd(ctx.dt);
    const int stride = ctx.aheadLineStride;
    Oscillator* const row = run.row;
    const Oscillator* const down = run.down;
    const Oscillator* const ahead = run.ahead;
    const float* const up = run.rows.up;
    const float* const here = run.rows.here;
    float* const downCopy = run.rows.down;
    float* const newHeights = run.newHeights;
    for (; i + 4 <= end; i += 4) {
        const Oscillator* d = down + i;
        if ((flagWord(d[0]) | flagWord(d[1]) | flagWord(d[2]) | flagWord(d[3])) & kSpecial)
            break;
        prefetchAhead(ahead + i, 4, stride);
        const __m128 downHeights =
            _mm_setr_ps(d[0].position.y, d[1].position.y, d[2].position.y, d[3].position.y);
        _mm_storeu_ps(downCopy + i, downHeights);
        Oscillator* o = row + i;
        const __m256d sum = _mm256_add_pd(
            _mm256_add_pd(_mm256_add_pd(heightsWide(up + i), _mm256_cvtps_pd(downHeights)),
                          heightsWide(here + i + 1)),
            heightsWide(here + i - 1));
        const __m256d delta = _mm256_sub_pd(_mm256_mul_pd(quarter, sum), heightsWide(here + i));
        const __m256d coupling = floatsWide(o, &Oscillator::coupling);
        __m256d velocity = _mm256_add_pd(doublesWide(o, &Oscillator::velocity),
                                         _mm256_mul_pd(delta, _mm256_mul_pd(dtK, coupling)));
        velocity = _mm256_mul_pd(floatsWide(o, &Oscillator::dampingFactor), velocity);
        storeWide(o, &Oscillator::velocity, velocity);
        const __m256d elongation =
            _mm256_add_pd(doublesWide(o, &Oscillator::elongation), _mm256_mul_pd(dt, velocity));
        storeWide(o, &Oscillator::elongation, elongation);
        const __m128 heights = _mm256_cvtpd_ps(elongation);
        _mm_storeu_ps(newHeights + i, heights);
        _mm_store_ss(&o[0].position.y, heights);
        _mm_store_ss(&o[1].position.y, _mm_shuffle_ps(heights, heights, 1));
        _mm_store_ss(&o[2].position.y, _mm_shuffle_ps(heights, heights, 2));
        _mm_store_ss(&o[3].position.y, _mm_shuffle_ps(heights, heights, 3));
    }
    return i;
}

#undef ZB_AVX

} // namespace

void copyRow(const Oscillator* row, int64_t nx, float* heights, SpecialCells& specials) {
    specials.clear();
    for (int64_t i = 0; i < nx; ++i) {
        const uint32_t flags = flagWord(row[i]);
        if (flags & kSpecial) [[unlikely]]
            specials.push_back({i, flags});
        heights[i] = row[i].position.y;
    }
}

namespace {

// The columns 1 .. nx-2 of a row that the packed kernels must leave out, ascending: where the
// cell itself is special, or its left or right neighbour or the one above blocks. (The one
// below is checked on the way, as the kernels read that row.) A merge of four ascending lists.
void collectStops(const SpecialCells& up, const SpecialCells& here, int64_t nx,
                  std::vector<int64_t>& stops) {
    stops.clear();
    struct Source {
        const SpecialCells& cells;
        uint32_t mask; // which cells count
        int64_t offset;
        size_t k;
    };
    Source sources[4] = {{here, kBlocking, -1, 0}, // left of a blocking cell
                         {here, kSpecial, 0, 0},
                         {here, kBlocking, 1, 0}, // right of one
                         {up, kBlocking, 0, 0}};  // below one
    for (;;) {
        int64_t next = INT64_MAX;
        for (Source& src : sources) {
            while (src.k < src.cells.size() && !(src.cells[src.k].flags & src.mask))
                ++src.k;
            if (src.k < src.cells.size())
                next = std::min(next, src.cells[src.k].column + src.offset);
        }
        if (next == INT64_MAX)
            return;
        if (next >= 1 && next <= nx - 2 && (stops.empty() || stops.back() != next))
            stops.push_back(next);
        for (Source& src : sources)
            if (src.k < src.cells.size() && src.cells[src.k].column + src.offset == next)
                ++src.k;
    }
}

} // namespace

void updateRow(Pool& p, int64_t j, RowHeights rows, float* newHeights, RowSpecials specials,
               StepContext& ctx) {
    const int64_t nx = p.sizeX;
    Oscillator* row = &p.at(0, j);
    const bool hasDown = j + 1 < p.sizeY;
    if (nx < 3 || j == 0 || !hasDown) {
        // A border row, or a pool too narrow for the kernels: every cell on its own.
        if (hasDown)
            copyRow(row + nx, nx, rows.down, specials.down);
        else
            specials.down.clear();
        for (int64_t i = 0; i < nx; ++i)
            updateCell(p, i, j, rows, newHeights, ctx);
        return;
    }

    PlainRun run{row, row + nx, j + 2 < p.sizeY ? row + 2 * nx : row, rows, newHeights};
    specials.down.clear();
    auto takeDown = [&](int64_t i) {
        const uint32_t flags = flagWord(run.down[i]);
        rows.down[i] = run.down[i].position.y;
        if (flags & kSpecial)
            specials.down.push_back({i, flags});
        return (flags & kBlocking) == 0;
    };
    const bool wide = wideKernels();
    // Cells from..end-1, none of them a stop: packed where the row below allows.
    auto plainStretch = [&](int64_t from, int64_t end) {
        for (int64_t i = from; i < end;) {
            i = wide ? updatePlainRunWide(run, i, end, ctx) : updatePlainRun(run, i, end, ctx);
            if (i >= end)
                break;
            // Fewer cells left than a group, or a group with a special cell below: one by one.
            if (takeDown(i))
                updatePlainCell(row[i], i, rows, newHeights, ctx);
            else
                updateCell(p, i, j, rows, newHeights, ctx);
            ++i;
        }
    };

    collectStops(specials.up, specials.here, nx, specials.stops);
    takeDown(0);
    updateCell(p, 0, j, rows, newHeights, ctx);
    int64_t i = 1;
    for (const int64_t stop : specials.stops) {
        plainStretch(i, stop);
        takeDown(stop);
        updateCell(p, stop, j, rows, newHeights, ctx);
        i = stop + 1;
    }
    plainStretch(i, nx - 1);
    takeDown(nx - 1);
    updateCell(p, nx - 1, j, rows, newHeights, ctx);
}

} // namespace zb
