// Probes: single oscillators whose elongation every step records for the host.
#include "sim/engine_state.h"
#include "zbengine.h"

using namespace zb;

extern "C" {

ZBDLL_API int32_t ZBDLL_AddProbe(int32_t x, int32_t y, uint32_t rgb) {
    (void)x;
    (void)y;
    (void)rgb;
    return 0;
}

ZBDLL_API int32_t ZBDLL_ReadProbes(float* values, int32_t capacity) {
    (void)values;
    (void)capacity;
    return 0;
}

} // extern "C"
