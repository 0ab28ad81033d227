// Moving and pulsed exciters (moving_exciters.h).
#include "zbengine.h"

#include "sim/engine_state.h"
#include "sim/moving_exciters.h"

using namespace zb;

extern "C" {

ZBDLL_API void ZBDLL_SetExciterMotion(double vx, double vy, int32_t pulsePeriods) {
    setExciterMotion(gEngine, vx, vy, pulsePeriods);
}

ZBDLL_API void ZBDLL_TriggerPulse(void) {
    triggerPulses(gEngine);
}
}
