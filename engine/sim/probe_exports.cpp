// Probes: single oscillators whose elongation every step records for the host. Stored here,
// without GL, so that programs that never draw record them too; render/probe_markers.cpp draws
// them.
#include "sim/engine_state.h"
#include "zbengine.h"

using namespace zb;

extern "C" {

ZBDLL_API int32_t ZBDLL_AddProbe(int32_t x, int32_t y, uint32_t rgb) {
    return addProbe(gEngine.probes, {x, y, rgb});
}

ZBDLL_API int32_t ZBDLL_ReadProbes(float* values, int32_t capacity) {
    return drainProbes(gEngine.probes, values, capacity);
}

} // extern "C"
