// The tools' read-only views of the engine state (zbengine_tools.h).
#include "zbengine_tools.h"

#include "sim/engine_state.h"

#include <algorithm>

using namespace zb;

static_assert(ZBTOOLS_MAX_SCREENS == kMaxScreens);

extern "C" {

ZBTOOLS_API ZBTOOLS_PoolView ZBTOOLS_GetPool(void) {
    const EngineState& s = gEngine;
    ZBTOOLS_PoolView view{};
    view.sizeX = s.pool.sizeX;
    view.sizeY = s.pool.sizeY;
    view.stride = sizeof(Oscillator);
    if (!s.poolExists || !s.pool.oscillators)
        return view;
    // None of these fields waits for a pending material change (only coupling, damping and
    // colour do), so the records can be read as they are.
    const Oscillator& first = s.pool.oscillators[0];
    view.exists = true;
    view.elongation = &first.elongation;
    view.height = &first.position.y;
    view.fixed = &first.fixed;
    view.wall = &first.wall;
    view.exciter = &first.exciter;
    return view;
}

ZBTOOLS_API int32_t ZBTOOLS_GetScreens(ZBTOOLS_Screen* screens, int32_t capacity) {
    const EngineState& s = gEngine;
    const int32_t count = std::clamp(s.screenCount, 0, kMaxScreens);
    if (screens && capacity >= count)
        for (int32_t k = 0; k < count; ++k)
            screens[k] = {s.screens[k].position, s.screens[k].horizontal};
    return count;
}

ZBTOOLS_API void ZBTOOLS_SetHeadless(bool headless) {
    gEngine.headless = headless;
}

ZBTOOLS_API void ZBTOOLS_SetStepThreads(int32_t threads) {
    gEngine.stepThreads = threads == 1 || threads == 2 ? threads : 0;
}

} // extern "C"
