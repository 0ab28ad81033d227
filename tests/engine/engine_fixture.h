// Engine tests share the one process-wide engine; each starts from the state at library load.
#pragma once

#include "sim/engine_state.h"
#include "sim/obstacles.h"
#include "zbengine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

namespace zb::test {

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override { restoreLoadState(); }
    void TearDown() override { restoreLoadState(); }

  public:
    // The records as the step and the drawing see them: a pending material change written.
    static Pool& pool() {
        settleMaterial(gEngine.pool);
        return gEngine.pool;
    }
    static Oscillator& cell(int i, int j) { return pool().at(i, j); }

    // A fresh, undamped pool with coupling 1.
    static void newPool(int nx, int ny, double damping = 0.0, double coupling = 1.0,
                        int edgeWidth = 0) {
        ZBDLL_ResetAll();
        ZBDLL_CreateEmptyPool(nx, ny, damping, coupling, edgeWidth);
    }

    using CellSet = std::set<std::pair<int, int>>;
    template <class Pred>
    static CellSet cellsWhere(Pred pred) {
        CellSet s;
        for (int j = 0; j < pool().sizeY; ++j)
            for (int i = 0; i < pool().sizeX; ++i)
                if (pred(pool().at(i, j)))
                    s.insert({i, j});
        return s;
    }
    static CellSet wallCells() {
        return cellsWhere([](const Oscillator& o) { return o.fixed && o.wall; });
    }
    static CellSet exciterCells() {
        return cellsWhere([](const Oscillator& o) { return o.exciter; });
    }
};

// The nodes i0..i1 x j0..j1.
inline EngineTest::CellSet rect(int i0, int i1, int j0, int j1) {
    EngineTest::CellSet s;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i)
            s.insert({i, j});
    return s;
}

// A copy of the grid (without index lists), for stepping the same field two ways.
inline Pool clonePool(const Pool& p) {
    Pool c;
    c.sizeX = p.sizeX;
    c.sizeY = p.sizeY;
    c.spacing = p.spacing;
    c.originX = p.originX;
    c.originZ = p.originZ;
    c.baseDampingFactor = p.baseDampingFactor;
    c.oscillators.reset(static_cast<Oscillator*>(std::malloc(p.cellCount() * sizeof(Oscillator))));
    std::memcpy(c.oscillators.get(), p.oscillators.get(), p.cellCount() * sizeof(Oscillator));
    return c;
}

// Index of the first record in which two pools of the same size differ, or -1.
inline long firstDifference(const Pool& a, const Pool& b) {
    for (size_t k = 0; k < a.cellCount(); ++k)
        if (std::memcmp(&a.oscillators[k], &b.oscillators[k], sizeof(Oscillator)) != 0)
            return long(k);
    return -1;
}

inline uint64_t bitsOf(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

} // namespace zb::test
