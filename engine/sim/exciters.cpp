#include "sim/moving_exciters.h"
#include "sim/obstacles.h"
#include "sim/rotated_rect.h"

namespace zb {

void addExciter(Pool& pool, int32_t centerX, int32_t centerY, int32_t width, int32_t length,
                int32_t angle, double omega, double amplitude, bool sineMode, LastExciter* last) {
    if (last) {
        *last = {true,  centerX,      centerY,          width,    length,
                 angle, float(omega), float(amplitude), sineMode, {}};
        last->covered.clear();
    }
    if (!pool.oscillators || width <= 0 || length <= 0)
        return;
    settleMaterial(pool);
    const Rotation r = rotationFor(angle);
    const double halfWidth = double(width) / 2;
    const double halfLength = double(length) / 2;
    const TurnedRect shape{r, centerX, centerY, halfWidth, halfLength};
    const CellBox box = candidateBox(pool, shape);
    if (box.empty())
        return;

    // Each node's membership depends on nothing but its own offsets and flags, so the visiting
    // order does not matter; rows outer keeps the walk through memory linear.
    for (int64_t j = box.j0; j <= box.j1; ++j) {
        const ColumnSpan span = candidateColumns(pool, shape, box, j);
        for (int64_t i = span.first; i <= span.last; ++i) {
            Oscillator& o = pool.at(i, j);
            if (isWallCell(o))
                continue;
            const float u = alongOffset(r, centerX, centerY, i, j);
            const float v = float(acrossOffset(r, centerX, centerY, i, j));
            if (!(-halfLength < v && v <= halfLength && -halfWidth < u && u <= halfWidth))
                continue;
            if (last) {
                CoveredCell c{
                    i + j * int64_t(pool.sizeX), flagWord(o), o.amplitude, o.omega, {}, o.velocity};
                __builtin_memcpy(c.color, o.color, sizeof c.color);
                last->covered.push_back(c);
            }
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

} // namespace zb
