#include "render/driver_memory.h"

#include <algorithm>
#include <cstdint>
#include <malloc.h>

namespace zb {

void keepDriverMemoryFor(const Pool& pool) {
    constexpr uint64_t kMiB = uint64_t(1) << 20;
    const uint64_t nx = uint64_t(pool.sizeX > 0 ? pool.sizeX : 0);
    const uint64_t ny = uint64_t(pool.sizeY > 0 ? pool.sizeY : 0);
    // What a frame frees at the top of the heap grows with the triangles drawn, about 128 bytes
    // each: 32 MiB at 500 x 500. Larger pools' frames were measured to reuse freed memory further
    // down the heap without faulting, so the threshold stops at 48 MiB; sized by the pool, it
    // kept up to 256 MiB resident at 1000 x 1000, twice the pool.
    const uint64_t bytes = std::clamp<uint64_t>(128 * 2 * nx * ny, 32 * kMiB, 48 * kMiB);
    // Setting one threshold ends glibc's own adjustment of both: allocations up to the largest
    // mapping threshold it accepts come from the heap, where freeing keeps them. This, not the
    // trim threshold, is what spares most frames from faulting their memory in afresh.
    mallopt(M_MMAP_THRESHOLD, int(32 * kMiB));
    mallopt(M_TRIM_THRESHOLD, int(bytes));
}

} // namespace zb
