#include "bench_tanks.h"

#include "sim/engine_state.h"
#include "sim/step.h"
#include "zbengine.h"

namespace zb::bench {

namespace {

void warmUp() {
    for (int k = 0; k < 3; ++k)
        stepPool(gEngine.pool, 0.0025f, 0.0025f * float(k + 1), true);
}

} // namespace

void makeRadialPool(int n) {
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 0);
    ZBDLL_AddExciter(n / 2, n / 2, 5, 5, 0, 10.0, 0.1, true);
    ZBDLL_AddEdges(false, false, false, false);
    warmUp();
}

void makeEmptyPool(int n) {
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 0);
    ZBDLL_AddEdges(false, false, false, false);
    warmUp();
}

void makeObjectPool(int n) {
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(n, n, 0.001, 1.0, 0);
    // Four bands of five walls, each band with a steep wall, so that every row holds wall cells.
    const int angles[20] = {90, 0,  45,  120, 17,  60, 163, 90, 30,  135,
                            75, 10, 100, 150, -20, 80, 5,   57, 110, 33};
    for (int k = 0; k < 20; ++k) {
        const int cx = n * (k % 5 + 1) / 6;
        const int cy = n * (2 * (k / 5) + 1) / 8;
        ZBDLL_AddWall(cx, cy, angles[k], n / 3, k % 3, n / 100 + 2, n / 60 + 3);
    }
    for (int k = 0; k < 5; ++k)
        ZBDLL_AddExciter(n * (2 * k + 1) / 10, n / 10, 5, 5, 20 * k, 10.0 + k, 0.1, k % 2 == 0);
    ZBDLL_AddEdges(false, false, false, false);
    warmUp();
}

} // namespace zb::bench
