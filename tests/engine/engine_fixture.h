// Engine tests share the one process-wide engine; each starts from the state at library load.
#pragma once

#include "sim/engine_state.h"
#include "zbengine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <utility>

namespace zb::test {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { restoreLoadState(); }
    void TearDown() override { restoreLoadState(); }

    static Pool& pool() { return gEngine.pool; }
    static Oscillator& cell(int i, int j) { return gEngine.pool.at(i, j); }

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

inline uint64_t bitsOf(double d) {
    uint64_t b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

} // namespace zb::test
