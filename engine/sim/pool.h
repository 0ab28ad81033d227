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

// A material change not yet written into the records. Changes arrive sorted by start row and
// each overrides the rows from its start on, so a change is written only up to where the next
// one starts; whatever reads or writes the records settles it first (settleMaterial).
struct PendingMaterial {
    bool active = false;
    bool markFirstRow = false; // the change's start row lies inside the grid: colour it
    int64_t firstRow = 0;      // rows firstRow .. NY-1 take the material
    float dampingFactor = 1;
    float coupling = 0;
};

// Nodes columns firstColumn..lastColumn by rows firstRow..lastRow, both ends included.
struct NodeBlock {
    int32_t firstColumn = 0;
    int32_t lastColumn = -1;
    int32_t firstRow = 0;
    int32_t lastRow = -1;
    bool operator==(const NodeBlock&) const = default;
};

struct Pool {
    int32_t sizeX = 0;              // columns NX; kept after the arrays are released
    int32_t sizeY = 0;              // rows NY
    float spacing = 0;              // distance of neighbouring nodes, drawing units
    float originX = 0;              // drawing x of node (0, 0)
    float originZ = 0;              // drawing z of node (0, 0)
    float baseDampingFactor = 1;    // 1 - damping of the pool as created; scales damped edges
    CArray<Oscillator> oscillators; // node (i, j) is element i + j * NX
    // The full mesh's index lists depend on nothing but the size. A small pool gets them with
    // its records; a large one is mostly drawn from coarse meshes or the flat view's texture and
    // gets each list on the first frame that draws it (neededTriangleIndices, neededLineIndices).
    // Absent for a pool that is never drawn.
    CArray<uint32_t> triangleIndices;
    size_t triangleIndexCount = 0; // 6 (NX-1)(NY-1)
    CArray<uint32_t> lineIndices;
    size_t lineIndexCount = 0; // 2 ((NX-1) NY + NX (NY-1)) for the whole grid
    // The nodes whose lines lineIndices holds: the whole grid, but for a large pool's flat view
    // zoomed in, which needs the lines on screen only.
    NodeBlock lineBlock;
    size_t lineIndexCapacity = 0;
    bool indexListsRefused = false; // a list could not be allocated for a frame (told once)
    PendingMaterial pendingMaterial;

    size_t cellCount() const { return size_t(sizeX) * size_t(sizeY); }
    Oscillator& at(int64_t i, int64_t j) { return oscillators[size_t(i + j * int64_t(sizeX))]; }
    const Oscillator& at(int64_t i, int64_t j) const {
        return oscillators[size_t(i + j * int64_t(sizeX))];
    }
};

// Why a size request builds no pool.
enum class PoolSizeCheck { Ok, TooSmall, TooManyCells, TooLittleMemory };

// Whether sizeX x sizeY can be built: both positive with NX + NY >= 3, node indices and the
// index counts fit 32 bits, and the arrays fit into memoryBytes. The memory budget
// (checkPoolBudget) builds on it.
PoolSizeCheck checkPoolSize(int64_t sizeX, int64_t sizeY, uint64_t memoryBytes);

// Stores the sizes and builds the pool at rest. Arrays the pool holds for exactly this size
// are written afresh rather than allocated again (every byte as a new build would have it);
// arrays of another size are released first. Without indexLists the pool gets none (a pool
// that is never drawn). False when the sizes are refused; the pool then has no arrays.
bool buildPool(Pool& pool, int32_t sizeX, int32_t sizeY, float damping, float coupling,
               bool indexLists = true);

void releasePool(Pool& pool);

// Whether a pool of this size gets its index lists when it is built: lists of up to 2 MiB, about
// 200 x 200 nodes, whose full mesh is drawn in every view.
bool indexListsBuiltWithPool(int64_t sizeX, int64_t sizeY);

// Gives a pool built without index lists the lists a drawn pool of its size is built with (a
// drawing joined in after all): both for a small pool, none for a large one. False when the pool
// has no arrays or the lists cannot be allocated.
bool addIndexLists(Pool& pool);
void releaseIndexLists(Pool& pool);

// The full triangle or line list, built on first use: false when the pool has no arrays or the
// list cannot be allocated (the frame then draws without it).
bool neededTriangleIndices(Pool& pool);
bool neededLineIndices(Pool& pool);
// The lines between the block's nodes, in the order of the full list; for a small pool always
// the full list. The block is clamped to the grid.
bool neededLineIndices(Pool& pool, NodeBlock block);
// Releases the lists of a large pool that the frame just drawn did not use, so that a zoomed-in
// look or a fine mesh costs memory only while it is on screen.
void releaseUnusedIndexLists(Pool& pool, bool usedTriangles, bool usedLines);

// The arrays of a discarded pool, kept for the next pool of the same size.
struct SpareArrays {
    int32_t sizeX = 0;
    int32_t sizeY = 0;
    CArray<Oscillator> oscillators;
    CArray<uint32_t> triangleIndices;
    size_t triangleIndexCount = 0;
    CArray<uint32_t> lineIndices;
    size_t lineIndexCount = 0;
};

// Moves the pool's arrays into spare (releasing what spare held): the pool has none afterwards,
// and its sizes stay.
void setArraysAside(Pool& pool, SpareArrays& spare);

// Gives spare's arrays back to a pool that holds none; buildPool then decides whether they fit.
void takeArraysBack(Pool& pool, SpareArrays& spare);

// A node that is inside the grid and not a wall cell.
inline bool isFreeCell(const Pool& pool, int64_t i, int64_t j) {
    if (i < 0 || j < 0 || i >= pool.sizeX || j >= pool.sizeY)
        return false;
    return !isWallCell(pool.at(i, j));
}

} // namespace zb
