// Shaped media, curved walls and quiet edges. Placeholder until they land: accepted and ignored.
#include "zbengine.h"

extern "C" {

ZBDLL_API void ZBDLL_AddMedium(int32_t, double, double, double, double, double, double, double) {}

ZBDLL_API void ZBDLL_AddArcWall(double, double, double, double, double, int32_t, int32_t, int32_t,
                                int32_t) {}

ZBDLL_API void ZBDLL_AddParabolaWall(double, double, double, double, double, int32_t, int32_t,
                                     int32_t, int32_t) {}

ZBDLL_API void ZBDLL_SetEdgeKind(int32_t) {}
}
