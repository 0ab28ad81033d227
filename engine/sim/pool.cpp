#include "sim/pool.h"
#include "sim/memory_budget.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <immintrin.h>
#include <sys/mman.h>
#include <unistd.h>

namespace zb {

namespace {

uint64_t triangleIndexCount(uint64_t nx, uint64_t ny) {
    return 6 * (nx - 1) * (ny - 1);
}
uint64_t lineIndexCount(uint64_t nx, uint64_t ny) {
    return 2 * ((nx - 1) * ny + nx * (ny - 1));
}

// Geometry in float arithmetic, as the drawing expects it: the longer side spans -0.5 .. 0.5.
void placeGrid(Pool& p) {
    const float nx = float(p.sizeX);
    const float ny = float(p.sizeY);
    if (p.sizeX > p.sizeY) {
        p.spacing = 1.0f / float(p.sizeX - 1);
        p.originX = -0.5f;
        p.originZ = (0.5f - 0.5f * ny / nx) - 0.5f;
    } else {
        p.spacing = 1.0f / float(p.sizeY - 1);
        p.originX = (0.5f - 0.5f * nx / ny) - 0.5f;
        p.originZ = -0.5f;
    }
}

// Large pools are written with streaming stores: every byte of a record is overwritten, so
// ordinary stores, which read each cache line before writing it, would double the traffic.
constexpr size_t kStreamingBytes = size_t(8) << 20;

void fillOscillators(Pool& p, float damping, float coupling) {
    const float dampingFactor = float(1.0 - double(damping));
    Oscillator proto;
    std::memset(&proto, 0, sizeof proto);
    proto.normal = {0.0f, -1.0f, 0.0f};
    proto.color[0] = 1.0f;
    proto.color[1] = 1.0f;
    proto.color[2] = dampingFactor;
    proto.color[3] = 1.0f;
    proto.dampingFactor = dampingFactor;
    proto.coupling = coupling;

    const size_t nx = size_t(p.sizeX);
    auto xs = std::make_unique<float[]>(nx);
    for (size_t i = 0; i < nx; ++i)
        xs[i] = float(double(p.originX) + double(p.spacing) * double(i));
    const bool streaming = p.cellCount() * sizeof(Oscillator) >= kStreamingBytes &&
                           reinterpret_cast<uintptr_t>(p.oscillators.get()) % 16 == 0;
    // The record in five 16-byte parts: position and normal.x vary, the other four do not.
    static_assert(sizeof(Oscillator) == 5 * 16 && offsetof(Oscillator, normal) == 12);
    const auto* part = reinterpret_cast<const __m128i*>(&proto);
    const __m128i p1 = _mm_loadu_si128(part + 1), p2 = _mm_loadu_si128(part + 2),
                  p3 = _mm_loadu_si128(part + 3), p4 = _mm_loadu_si128(part + 4);
    for (int32_t j = 0; j < p.sizeY; ++j) {
        const float z = float(double(p.originZ) + double(p.spacing) * double(j));
        Oscillator* row = &p.oscillators[size_t(j) * nx];
        if (!streaming) {
            for (size_t i = 0; i < nx; ++i) {
                row[i] = proto;
                row[i].position = {xs[i], 0.0f, z};
            }
            continue;
        }
        for (size_t i = 0; i < nx; ++i) {
            auto* out = reinterpret_cast<__m128i*>(&row[i]);
            _mm_stream_ps(reinterpret_cast<float*>(out), _mm_setr_ps(xs[i], 0.0f, z, 0.0f));
            _mm_stream_si128(out + 1, p1);
            _mm_stream_si128(out + 2, p2);
            _mm_stream_si128(out + 3, p3);
            _mm_stream_si128(out + 4, p4);
        }
    }
    if (streaming)
        _mm_sfence();
}

// Appended column by column, as the drawing has always received them.
void buildTriangleIndices(Pool& p) {
    const uint32_t nx = uint32_t(p.sizeX);
    const uint32_t ny = uint32_t(p.sizeY);
    uint32_t* tri = p.triangleIndices.get();
    for (uint32_t i = 0; i + 1 < nx; ++i) {
        for (uint32_t j = 0; j + 1 < ny; ++j) {
            const uint32_t a = i + j * nx;
            const uint32_t b = a + 1;
            const uint32_t d = a + nx;
            const uint32_t c = d + 1;
            *tri++ = a;
            *tri++ = b;
            *tri++ = c;
            *tri++ = a;
            *tri++ = c;
            *tri++ = d;
        }
    }
}

void buildLineIndices(Pool& p) {
    const uint32_t nx = uint32_t(p.sizeX);
    const NodeBlock& b = p.lineBlock;
    uint32_t* line = p.lineIndices.get();
    for (uint32_t i = uint32_t(b.firstColumn); i <= uint32_t(b.lastColumn); ++i) {
        for (uint32_t j = uint32_t(b.firstRow); j <= uint32_t(b.lastRow); ++j) {
            const uint32_t a = i + j * nx;
            if (i < uint32_t(b.lastColumn)) {
                *line++ = a;
                *line++ = a + 1;
            }
            if (j < uint32_t(b.lastRow)) {
                *line++ = a;
                *line++ = a + nx;
            }
        }
    }
}

template <class T>
CArray<T> allocateArray(size_t count) {
    return CArray<T>(static_cast<T*>(std::malloc(count == 0 ? 1 : count * sizeof(T))));
}

// The step sweeps the records row by row every frame; on large pools, 2 MiB pages spare the
// address translation most of its misses. Only a hint: the kernel may decline.
CArray<Oscillator> allocateOscillators(size_t count) {
    constexpr size_t kHugePage = size_t(2) << 20;
    const size_t bytes = count * sizeof(Oscillator);
    if (bytes < 4 * kHugePage)
        return allocateArray<Oscillator>(count);
    const size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (p)
        madvise(p, rounded, MADV_HUGEPAGE);
    return CArray<Oscillator>(static_cast<Oscillator*>(p));
}

} // namespace

PoolSizeCheck checkPoolSize(int64_t sizeX, int64_t sizeY, uint64_t memoryBytes) {
    if (sizeX <= 0 || sizeY <= 0 || sizeX + sizeY < 3)
        return PoolSizeCheck::TooSmall;
    const uint64_t nx = uint64_t(sizeX);
    const uint64_t ny = uint64_t(sizeY);
    // Node indices are 32-bit and the drawing passes index counts as a signed 32-bit count.
    if (nx * ny > UINT32_MAX || triangleIndexCount(nx, ny) > uint64_t(INT32_MAX) ||
        lineIndexCount(nx, ny) > uint64_t(INT32_MAX))
        return PoolSizeCheck::TooManyCells;
    const uint64_t bytes = nx * ny * sizeof(Oscillator) +
                           (triangleIndexCount(nx, ny) + lineIndexCount(nx, ny)) * sizeof(uint32_t);
    // Refused up front: an overcommitted allocation would succeed and then be killed on first use.
    if (bytes > memoryBytes)
        return PoolSizeCheck::TooLittleMemory;
    return PoolSizeCheck::Ok;
}

bool indexListsBuiltWithPool(int64_t sizeX, int64_t sizeY) {
    if (sizeX <= 0 || sizeY <= 0)
        return true;
    constexpr uint64_t kBuiltWithPoolBytes = uint64_t(2) << 20;
    const uint64_t nx = uint64_t(sizeX);
    const uint64_t ny = uint64_t(sizeY);
    if (nx * ny > kBuiltWithPoolBytes)
        return false;
    return (triangleIndexCount(nx, ny) + lineIndexCount(nx, ny)) * sizeof(uint32_t) <=
           kBuiltWithPoolBytes;
}

void releaseLineIndices(Pool& pool) {
    pool.lineIndices.reset();
    pool.lineIndexCount = 0;
    pool.lineIndexCapacity = 0;
    pool.lineBlock = NodeBlock{};
}

void releaseIndexLists(Pool& pool) {
    pool.triangleIndices.reset();
    pool.triangleIndexCount = 0;
    releaseLineIndices(pool);
}

void releasePool(Pool& pool) {
    pool.oscillators.reset();
    releaseIndexLists(pool);
    pool.pendingMaterial = PendingMaterial{};
}

bool neededTriangleIndices(Pool& pool) {
    if (!pool.oscillators)
        return false;
    if (pool.triangleIndices)
        return true;
    const size_t count = triangleIndexCount(uint64_t(pool.sizeX), uint64_t(pool.sizeY));
    pool.triangleIndices = allocateArray<uint32_t>(count);
    if (!pool.triangleIndices)
        return false;
    pool.triangleIndexCount = count;
    buildTriangleIndices(pool);
    return true;
}

bool neededLineIndices(Pool& pool) {
    return neededLineIndices(pool, NodeBlock{0, pool.sizeX - 1, 0, pool.sizeY - 1});
}

bool neededLineIndices(Pool& pool, NodeBlock block) {
    if (!pool.oscillators)
        return false;
    if (indexListsBuiltWithPool(pool.sizeX, pool.sizeY)) {
        block = NodeBlock{0, pool.sizeX - 1, 0, pool.sizeY - 1};
    } else {
        block.firstColumn = std::max(block.firstColumn, 0);
        block.firstRow = std::max(block.firstRow, 0);
        block.lastColumn = std::min(block.lastColumn, pool.sizeX - 1);
        block.lastRow = std::min(block.lastRow, pool.sizeY - 1);
        if (block.lastColumn < block.firstColumn || block.lastRow < block.firstRow)
            block = NodeBlock{0, 0, 0, 0}; // nothing on screen: one node, no lines
    }
    if (pool.lineIndices && pool.lineBlock == block)
        return true;
    const size_t count = lineIndexCount(uint64_t(block.lastColumn - block.firstColumn + 1),
                                        uint64_t(block.lastRow - block.firstRow + 1));
    // Scrolling changes the block every frame: a list is allocated anew only when it grows, or
    // when it holds far more than the block needs.
    if (!pool.lineIndices || count > pool.lineIndexCapacity || count < pool.lineIndexCapacity / 4) {
        releaseLineIndices(pool);
        pool.lineIndices = allocateArray<uint32_t>(count);
        if (!pool.lineIndices)
            return false;
        pool.lineIndexCapacity = count;
    }
    pool.lineIndexCount = count;
    pool.lineBlock = block;
    buildLineIndices(pool);
    return true;
}

bool addIndexLists(Pool& pool) {
    if (!pool.oscillators)
        return false;
    if (!indexListsBuiltWithPool(pool.sizeX, pool.sizeY))
        return true;
    if (neededTriangleIndices(pool) && neededLineIndices(pool))
        return true;
    releaseIndexLists(pool);
    return false;
}

void releaseUnusedIndexLists(Pool& pool, bool usedTriangles, bool usedLines) {
    if (indexListsBuiltWithPool(pool.sizeX, pool.sizeY))
        return;
    if (!usedTriangles) {
        pool.triangleIndices.reset();
        pool.triangleIndexCount = 0;
    }
    if (!usedLines)
        releaseLineIndices(pool);
}

bool buildPool(Pool& pool, int32_t sizeX, int32_t sizeY, float damping, float coupling,
               bool indexLists) {
    // Every editor change builds the tank anew, mostly at the same size: keeping the arrays
    // spares the page faults of fresh memory, and the index lists depend on the size alone.
    if (!pool.oscillators || pool.sizeX != sizeX || pool.sizeY != sizeY)
        releasePool(pool);
    pool.pendingMaterial = PendingMaterial{};
    pool.indexListsRefused = false;
    pool.sizeX = sizeX;
    pool.sizeY = sizeY;
    // Arrays kept from the last build at this size are already taken from what is available.
    uint64_t available = availableMemoryBytes();
    if (pool.oscillators)
        available += std::min(poolBytes(sizeX, sizeY), UINT64_MAX - available);
    if (checkPoolBudget(sizeX, sizeY, available).verdict != PoolSizeCheck::Ok) {
        releasePool(pool);
        return false;
    }

    if (!pool.oscillators)
        pool.oscillators = allocateOscillators(uint64_t(sizeX) * uint64_t(sizeY));
    if (!indexLists)
        releaseIndexLists(pool);
    if (!pool.oscillators || (indexLists && !addIndexLists(pool))) {
        releasePool(pool);
        return false;
    }

    placeGrid(pool);
    pool.baseDampingFactor = float(1.0 - double(damping));
    fillOscillators(pool, damping, coupling);
    return true;
}

void setArraysAside(Pool& pool, SpareArrays& spare) {
    spare = SpareArrays{};
    if (!pool.oscillators) {
        releasePool(pool);
        return;
    }
    // A large pool's lists are built again when a frame needs them, and for its view.
    if (!indexListsBuiltWithPool(pool.sizeX, pool.sizeY))
        releaseIndexLists(pool);
    spare.sizeX = pool.sizeX;
    spare.sizeY = pool.sizeY;
    spare.oscillators = std::move(pool.oscillators);
    spare.triangleIndices = std::move(pool.triangleIndices);
    spare.triangleIndexCount = pool.triangleIndexCount;
    spare.lineIndices = std::move(pool.lineIndices);
    spare.lineIndexCount = pool.lineIndexCount;
    releasePool(pool);
}

void takeArraysBack(Pool& pool, SpareArrays& spare) {
    if (pool.oscillators || !spare.oscillators) {
        spare = SpareArrays{};
        return;
    }
    releasePool(pool);
    pool.sizeX = spare.sizeX;
    pool.sizeY = spare.sizeY;
    pool.oscillators = std::move(spare.oscillators);
    pool.triangleIndices = std::move(spare.triangleIndices);
    pool.triangleIndexCount = spare.triangleIndexCount;
    pool.lineIndices = std::move(spare.lineIndices);
    pool.lineIndexCount = spare.lineIndexCount;
    pool.lineIndexCapacity = spare.lineIndexCount;
    if (pool.lineIndices)
        pool.lineBlock = NodeBlock{0, pool.sizeX - 1, 0, pool.sizeY - 1};
    spare = SpareArrays{};
}

} // namespace zb
