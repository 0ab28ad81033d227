#include "sim/obstacles.h"

#include <algorithm>

namespace zb {

namespace {

// Writes m into rows m.firstRow .. endRow-1 and colours its start row.
void writeMaterial(Pool& pool, const PendingMaterial& m, int64_t endRow) {
    for (int64_t j = m.firstRow; j < endRow; ++j) {
        Oscillator* row = &pool.at(0, j);
        for (int64_t i = 0; i < pool.sizeX; ++i) {
            row[i].dampingFactor = m.dampingFactor;
            row[i].color[2] = m.dampingFactor;
            row[i].coupling = m.coupling;
        }
    }
    // Later changes never touch this colour, so it is due even where they take the rows over.
    if (m.markFirstRow) {
        Oscillator* row = &pool.at(0, m.firstRow);
        for (int64_t i = 0; i < pool.sizeX; ++i)
            row[i].color[1] = 0.2f;
    }
}

} // namespace

void addMatChange(Pool& pool, int32_t startY, double coupling, double damping) {
    if (!pool.oscillators)
        return;
    // Rows before the grid do not exist: a negative start changes every row and marks none.
    const int64_t first = std::max<int64_t>(startY, 0);
    if (first >= pool.sizeY)
        return;
    PendingMaterial& pending = pool.pendingMaterial;
    if (pending.active)
        writeMaterial(pool, pending, std::clamp<int64_t>(first, pending.firstRow, pool.sizeY));
    pending = {true, startY >= 0, first, float(1.0 - damping), float(coupling)};
}

void settleMaterial(Pool& pool) {
    PendingMaterial& pending = pool.pendingMaterial;
    if (!pending.active || !pool.oscillators)
        return;
    writeMaterial(pool, pending, pool.sizeY);
    pending.active = false;
}

} // namespace zb
