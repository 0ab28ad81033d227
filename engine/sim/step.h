// One time step of the wave field.
#pragma once

#include "sim/pool.h"

namespace zb {

// 10000 / 3: scales the coupling term of the velocity update.
constexpr double kCouplingScale = 3333.3333333333335;

// Advances every oscillator by dt at simulated time t: velocities and elongations of the free
// cells (exciters driven while exciterEnabled), then all heights, then all normals.
void stepPool(Pool& pool, float dt, float t, bool exciterEnabled);

} // namespace zb
