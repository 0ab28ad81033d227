// The software renderer allocates its per-frame memory (binned triangles, shaded vertices)
// afresh for every frame and frees it after; glibc hands freed memory at the top of the heap
// back to the system once it exceeds the trim threshold, so every frame faulted tens of
// megabytes in again (about 40 % of a frame at 500 x 500). Keeping as much as a frame of the
// pool needs makes the next frame reuse it; held beyond that, it is memory the window keeps.
#pragma once

#include "sim/pool.h"

namespace zb {

// Sets the process's trim threshold for drawing this pool: about 128 bytes per triangle, at least
// 32 MiB and at most 48 MiB.
void keepDriverMemoryFor(const Pool& pool);

} // namespace zb
