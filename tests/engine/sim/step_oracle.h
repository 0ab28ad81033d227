// The time step written literally: three passes, columns outer and rows inner. The production
// step must reproduce it bit for bit; tests and benchmarks compare against it.
#pragma once

#include "sim/pool.h"

namespace zb::oracle {

void stepPool(Pool& pool, float dt, float t, bool exciterEnabled);

} // namespace zb::oracle
