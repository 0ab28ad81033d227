#include "sim/obstacles.h"
#include "sim/rotated_rect.h"

namespace zb {

float firstSlitStart(int32_t slitCount, int32_t slitWidth, int32_t barWidth) {
    // -((n - 1) g + n b) / 2 without integer overflow; halving is exact.
    const __int128 span =
        __int128(int64_t(slitCount) - 1) * barWidth + __int128(slitCount) * slitWidth;
    return float(double(-span) / 2);
}

namespace {

// Largest k in [lo, hi] with pred(k), for pred true on a prefix; lo - 1 when none.
template <class Pred>
int64_t lastTrue(int64_t lo, int64_t hi, Pred pred) {
    int64_t found = lo - 1;
    while (lo <= hi) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (pred(mid)) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    return found;
}

} // namespace

bool inAnySlit(double u, float m, int32_t slitCount, int32_t slitWidth, int32_t barWidth) {
    // Slit k is the open interval (start_k, start_k + b) with start_k = m + k (b + g), each sum
    // rounded in double. An empty interval (b <= 0) holds nothing.
    if (slitCount <= 0 || slitWidth <= 0)
        return false;
    const double period = double(int64_t(slitWidth) + barWidth);
    const double width = double(slitWidth);
    auto start = [&](int64_t k) { return double(m) + double(k) * period; };
    auto afterStart = [&](int64_t k) { return start(k) < u; };
    auto beforeEnd = [&](int64_t k) { return u < start(k) + width; };
    const int64_t last = int64_t(slitCount) - 1;
    if (period == 0.0)
        return afterStart(0) && beforeEnd(0);
    // Rounding is monotone, so along k each test flips at most once: a slit holds u exactly when
    // the ranges where the two tests hold overlap.
    if (period > 0.0) {
        const int64_t lastAfter = lastTrue(0, last, afterStart);
        const int64_t lastNotBefore = lastTrue(0, last, [&](int64_t k) { return !beforeEnd(k); });
        return lastNotBefore + 1 <= lastAfter;
    }
    const int64_t lastBefore = lastTrue(0, last, beforeEnd);
    const int64_t lastNotAfter = lastTrue(0, last, [&](int64_t k) { return !afterStart(k); });
    return lastNotAfter + 1 <= lastBefore;
}

void stampWallCell(Oscillator& o) {
    if (isWallCell(o))
        return;
    o.fixed = true;
    o.wall = true;
    o.exciter = false;
    o.dampingFactor = 0.0f;
    o.color[0] = 0.0f;
    o.color[1] = 0.0f;
    o.color[2] = 0.0f;
    o.color[3] = 1.0f;
}

void addWall(Pool& pool, int32_t centerX, int32_t centerY, int32_t angle, int32_t length,
             int32_t slitCount, int32_t slitWidth, int32_t barWidth) {
    if (!pool.oscillators || length <= 0)
        return;
    settleMaterial(pool);
    const Rotation r = rotationFor(angle);
    const float m = firstSlitStart(slitCount, slitWidth, barWidth);
    const double halfLength = double(length) / 2;
    const TurnedRect shape{r, centerX, centerY, halfLength, 1.0};
    const CellBox box = candidateBox(pool, shape);
    if (box.empty())
        return;

    for (int64_t j = box.j0; j <= box.j1; ++j) {
        const ColumnSpan span = candidateColumns(pool, shape, box, j);
        for (int64_t i = span.first; i <= span.last; ++i) {
            const double v = acrossOffset(r, centerX, centerY, i, j);
            if (!(-1.0 < v && v <= 1.0))
                continue;
            const float u = alongOffset(r, centerX, centerY, i, j);
            if (!(-halfLength < u && u <= halfLength))
                continue;
            if (inAnySlit(u, m, slitCount, slitWidth, barWidth))
                continue;
            stampWallCell(pool.at(i, j));
        }
    }
}

} // namespace zb
