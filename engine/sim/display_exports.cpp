// The display settings beyond the designed colours, and the time averages they show. The drawing
// reads the settings at every frame; the simulation's arithmetic never sees them.
#include "sim/engine_state.h"
#include "zbengine.h"

using namespace zb;

extern "C" {

ZBDLL_API void ZBDLL_SetColorMode(int32_t mode) {
    (void)mode;
}

ZBDLL_API void ZBDLL_SetHeightScale(float scale) {
    (void)scale;
}

ZBDLL_API void ZBDLL_SetScreenIntensity(bool shown) {
    (void)shown;
}

ZBDLL_API int32_t ZBDLL_ReadScreenIntensity(int32_t screen, float* values, int32_t capacity) {
    (void)screen;
    (void)values;
    (void)capacity;
    return -1;
}

ZBDLL_API double ZBDLL_GetSimulationTime(void) {
    return double(gEngine.simTime);
}

} // extern "C"
