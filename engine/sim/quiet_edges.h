// Edges that hardly reflect. Over the band a damping rate grows smoothly from 0 at its inner
// border to its largest at the pool's border, and the coupling falls smoothly, so that waves
// slow down as they go in: a long wave then spans more wavelengths of the band and is damped over
// a shorter way, and neither profile has a step that would send part of it back. Damping alone
// left 2 % of a wave of 36 oscillators at a band of 40; with the slowing it is 0.5 %. The step
// applies a factor per time step, so the factors depend on dt; the rates are kept to set the
// factors again when dt changes.
#pragma once

#include "sim/pool.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zb {

// The profiles over the band, with depth 0 at its inner border and 1 at the pool's border (summed
// over the sides in a corner): the rate sigma = kQuietRateScale · c / w · depth², c being the
// wave speed of the cell's coupling before the band (oscillators per time unit) and w the band's
// width; the coupling is scaled by 1 - kQuietSlowing · depth² (at most to 1 - kQuietSlowing).
constexpr double kQuietRateScale = 10.0;
constexpr double kQuietSlowing = 0.95;

struct QuietCell {
    size_t index;      // record index in the pool
    float priorFactor; // the cell's damping factor before the edge
    float rate;        // damping rate, per engine time unit
    float factor;      // the factor last written, to notice a pool built anew
};

struct QuietEdges {
    std::vector<QuietCell> cells;
};

// Lays the quiet band over the chosen borders and writes the factors for time step dt.
void addQuietEdges(Pool& pool, QuietEdges& quiet, float edgeWidth, bool back, bool front, bool left,
                   bool right, float dt);

// Writes the factors for a new time step. Cells whose factor is no longer the one written belong
// to a pool built since: then the list is dropped and nothing is written.
void retuneQuietEdges(Pool& pool, QuietEdges& quiet, float dt);

} // namespace zb
