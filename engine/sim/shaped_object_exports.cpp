// Shaped media, curved walls and quiet edges: thin functions over the global state.
#include "zbengine.h"

#include "sim/engine_state.h"
#include "sim/obstacles.h"

using namespace zb;

extern "C" {

ZBDLL_API void ZBDLL_AddMedium(int32_t shape, double centerX, double centerY, double width,
                               double height, double angle, double coupling, double damping) {
    if (gEngine.poolExists)
        addMedium(gEngine.pool, MediumShape(shape), centerX, centerY, width, height, angle,
                  coupling, damping);
    cellsChanged(gEngine);
}

ZBDLL_API void ZBDLL_AddArcWall(double centerX, double centerY, double radius, double startAngle,
                                double endAngle, int32_t thickness, int32_t slitCount,
                                int32_t slitWidth, int32_t barWidth) {
    if (gEngine.poolExists)
        addArcWall(gEngine.pool, centerX, centerY, radius, startAngle, endAngle, thickness,
                   slitCount, slitWidth, barWidth);
    cellsChanged(gEngine);
}

ZBDLL_API void ZBDLL_AddParabolaWall(double focusX, double focusY, double focalLength, double angle,
                                     double width, int32_t thickness, int32_t slitCount,
                                     int32_t slitWidth, int32_t barWidth) {
    if (gEngine.poolExists)
        addParabolaWall(gEngine.pool, focusX, focusY, focalLength, angle, width, thickness,
                        slitCount, slitWidth, barWidth);
    cellsChanged(gEngine);
}

ZBDLL_API void ZBDLL_SetEdgeKind(int32_t kind) {
    gEngine.edgeKind = kind == 1 ? 1 : 0;
}
}
