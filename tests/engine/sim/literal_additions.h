// The additions written literally: every rule applied to every node of the grid, columns
// outer, each change written at once. The engine's additions visit only the nodes they can
// change and write material changes late; the records must come out the same.
#pragma once

#include "sim/pool.h"

#include <cstdint>

namespace zb::literal {

// Whether u lies in one of the slits, testing every slit in turn.
bool inAnySlitLoop(double u, float m, int32_t slitCount, int32_t slitWidth, int32_t barWidth);

void addWall(Pool& p, int32_t cx, int32_t cy, int32_t angle, int32_t length, int32_t slitCount,
             int32_t slitWidth, int32_t barWidth);
void addExciter(Pool& p, int32_t cx, int32_t cy, int32_t width, int32_t length, int32_t angle,
                double omega, double amplitude, bool sineMode);
void addMatChange(Pool& p, int32_t startY, double coupling, double damping);
void addEdges(Pool& p, float edgeWidth, bool back, bool front, bool left, bool right);

} // namespace zb::literal
