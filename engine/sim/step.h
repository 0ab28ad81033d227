// One time step of the wave field.
#pragma once

#include "sim/pool.h"

namespace zb {

struct RowAverages;

// 10000 / 3: scales the coupling term of the velocity update.
constexpr double kCouplingScale = 3333.3333333333335;

// Advances every oscillator by dt at simulated time t: velocities and elongations of the free
// cells (exciters driven while exciterEnabled), then all heights, then all normals. Without
// normals, the last pass is left out; refreshNormals gives them later, as the step would have.
// Adds the new heights to averages, when given (prepareDisplayAverages). Runs on one or two
// threads (stepThreadCount) with the same result. Returns whether a new height is no finite
// number (infinite or NaN): the field broke down.
bool stepPool(Pool& pool, float dt, float t, bool exciterEnabled, bool normals = true,
              const RowAverages* averages = nullptr);

// The normals of every node from the current heights: the third pass of a step on its own.
void refreshNormals(Pool& pool);

} // namespace zb
