// What a pool needs in memory and whether the machine has that much free now. The engine asks
// before it builds a pool; the front end and zbtool ask the same function, so that their
// verdicts agree with the engine's.
#pragma once

#include "sim/pool.h"

#include <cstdint>

namespace zb {

// Bytes the arrays of an nx × ny pool take: the records and both index lists. 0 for a size
// without nodes; saturates at UINT64_MAX.
uint64_t poolBytes(int64_t sizeX, int64_t sizeY);

// Bytes of the per-cell display arrays (intensity average and drawn colours), allocated only
// once a colour mode needs them and then held to the same budget; not part of poolBytes, so a
// pool that fits without them is never refused for them. Saturates at UINT64_MAX.
uint64_t displayArrayBytes(int64_t sizeX, int64_t sizeY);

// MemAvailable of /proc/meminfo in bytes: what can be allocated without swapping. Where the
// kernel does not say, the free pages; UINT64_MAX when nothing can be learnt.
uint64_t availableMemoryBytes();

// What a pool may take of availableBytes: three quarters. The rest stays for what a pool
// brings along (the drawing driver's copy of the vertices, the program, the desktop), and
// MemAvailable counts page cache that cannot all be dropped at once.
uint64_t poolMemoryBudget(uint64_t availableBytes);

struct PoolBudget {
    PoolSizeCheck verdict = PoolSizeCheck::Ok;
    uint64_t neededBytes = 0;    // poolBytes of the size
    uint64_t availableBytes = 0; // poolMemoryBudget: what a pool may take
};

// The size rules of checkPoolSize, then the bytes against the budget of availableBytes.
PoolBudget checkPoolBudget(int64_t sizeX, int64_t sizeY, uint64_t availableBytes);
// The same against the memory available now.
PoolBudget checkPoolBudget(int64_t sizeX, int64_t sizeY);

} // namespace zb
