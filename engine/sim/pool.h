// The grid of oscillators and the two mesh index lists the drawing uses.
#pragma once

#include "sim/oscillator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace zb {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <class T>
using CArray = std::unique_ptr<T[], FreeDeleter>;

struct Pool {
    int32_t sizeX = 0;              // columns NX; kept after the arrays are released
    int32_t sizeY = 0;              // rows NY
    float spacing = 0;              // distance of neighbouring nodes, drawing units
    float originX = 0;              // drawing x of node (0, 0)
    float originZ = 0;              // drawing z of node (0, 0)
    float baseDampingFactor = 1;    // 1 - damping of the pool as created; scales damped edges
    CArray<Oscillator> oscillators; // node (i, j) is element i + j * NX
    CArray<uint32_t> triangleIndices;
    size_t triangleIndexCount = 0; // 6 (NX-1)(NY-1)
    CArray<uint32_t> lineIndices;
    size_t lineIndexCount = 0; // 2 ((NX-1) NY + NX (NY-1))

    size_t cellCount() const { return size_t(sizeX) * size_t(sizeY); }
    Oscillator& at(int64_t i, int64_t j) { return oscillators[size_t(i + j * int64_t(sizeX))]; }
    const Oscillator& at(int64_t i, int64_t j) const {
        return oscillators[size_t(i + j * int64_t(sizeX))];
    }
};

// Why a size request builds no pool.
enum class PoolSizeCheck { Ok, TooSmall, TooManyCells, TooLittleMemory };

// Whether sizeX x sizeY can be built: both positive with NX + NY >= 3, node indices and the
// index counts fit 32 bits, and the arrays fit into memoryBytes (by default the machine's
// physical memory).
PoolSizeCheck checkPoolSize(int64_t sizeX, int64_t sizeY, uint64_t memoryBytes);
PoolSizeCheck checkPoolSize(int64_t sizeX, int64_t sizeY);

// Releases any previous arrays, stores the sizes and builds the pool at rest. False when the
// sizes are refused; the pool then has no arrays.
bool buildPool(Pool& pool, int32_t sizeX, int32_t sizeY, float damping, float coupling);

void releasePool(Pool& pool);

// A node that is inside the grid and not a wall cell.
inline bool isFreeCell(const Pool& pool, int64_t i, int64_t j) {
    if (i < 0 || j < 0 || i >= pool.sizeX || j >= pool.sizeY)
        return false;
    return !isWallCell(pool.at(i, j));
}

} // namespace zb
