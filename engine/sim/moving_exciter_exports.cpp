// Moving and pulsed exciters. Placeholder until the motion lands: accepted and ignored.
#include "zbengine.h"

extern "C" {

ZBDLL_API void ZBDLL_SetExciterMotion(double, double, int32_t) {}

ZBDLL_API void ZBDLL_TriggerPulse(void) {}
}
