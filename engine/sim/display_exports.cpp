// The display settings beyond the designed colours, and the time averages they show. The drawing
// reads the settings at every frame; the simulation's arithmetic never sees them.
#include "sim/display_averages.h"
#include "sim/engine_state.h"
#include "zbengine.h"

#include <algorithm>
#include <cmath>

using namespace zb;

extern "C" {

ZBDLL_API void ZBDLL_SetColorMode(int32_t mode) {
    DisplayState& d = gEngine.display;
    mode = mode == 1 || mode == 2 ? mode : 0;
    // The cells' average was not kept outside mode 2: it starts afresh.
    if (mode == 2 && d.colorMode != 2) {
        d.intensitySamples = 0;
        d.intensityScale = 0.0f;
    }
    if (mode == 1 && d.colorMode != 1)
        d.elevationRange = 0.0f;
    d.colorMode = mode;
}

ZBDLL_API void ZBDLL_SetHeightScale(float scale) {
    gEngine.display.heightScale = std::isfinite(scale) && scale > 0.0f ? scale : 1.0f;
}

ZBDLL_API void ZBDLL_SetScreenIntensity(bool shown) {
    gEngine.display.screenIntensity = shown;
}

ZBDLL_API int32_t ZBDLL_ReadScreenIntensity(int32_t screen, float* values, int32_t capacity) {
    const EngineState& s = gEngine;
    if (screen < 0 || screen >= s.screenCount)
        return -1;
    const int64_t count = s.poolExists ? screenLineLength(s.pool, s.screens[screen]) : 0;
    if (!values || capacity < count)
        return int32_t(count);
    const size_t k = size_t(screen);
    const bool averaged = k < s.display.screens.size() && s.display.screens[k].samples > 0;
    for (int64_t i = 0; i < count; ++i)
        values[i] = averaged ? s.display.screens[k].values[size_t(i)] : 0.0f;
    return int32_t(count);
}

ZBDLL_API int32_t ZBDLL_MarkNonFinite(void) {
    EngineState& s = gEngine;
    std::vector<uint32_t>& found = s.display.nonFinite;
    found.clear();
    // The steps watch their new heights: while they saw none broken, no pass is needed.
    if (!s.poolExists || !s.fieldBroken)
        return 0;
    // The height is the float copy of the elongation: it is not finite whenever the elongation
    // is not, and also when the elongation lies beyond float's range.
    const Oscillator* records = s.pool.oscillators.get();
    const size_t count = s.pool.cellCount();
    for (size_t k = 0; k < count; ++k)
        if (!std::isfinite(records[k].position.y)) [[unlikely]]
            found.push_back(uint32_t(k));
    return int32_t(found.size());
}

ZBDLL_API double ZBDLL_GetSimulationTime(void) {
    // The exciters' time runs on across a pool built without a reset; the difference of two
    // floats is exact in double.
    return double(gEngine.simTime) - double(gEngine.display.timeAtBuild);
}

} // extern "C"
