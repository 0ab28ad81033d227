#include "render/driver_memory.h"

#include <algorithm>
#include <cstdint>
#include <malloc.h>

namespace zb {

void keepDriverMemoryFor(const Pool& pool) {
    constexpr uint64_t kMiB = uint64_t(1) << 20;
    const uint64_t nx = uint64_t(pool.sizeX > 0 ? pool.sizeX : 0);
    const uint64_t ny = uint64_t(pool.sizeY > 0 ? pool.sizeY : 0);
    // Line segments outnumber triangles: 2 NX NY against 2 (NX-1)(NY-1).
    const uint64_t bytes = std::clamp<uint64_t>(128 * 2 * nx * ny, 64 * kMiB, 1024 * kMiB);
    // Setting one threshold ends glibc's own adjustment of both: allocations up to the largest
    // mapping threshold it accepts come from the heap, where freeing keeps them.
    mallopt(M_MMAP_THRESHOLD, int(32 * kMiB));
    mallopt(M_TRIM_THRESHOLD, int(bytes));
}

} // namespace zb
