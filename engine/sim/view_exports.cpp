// The view exports that only record settings: camera, pool angle, view parameters. The drawing
// reads them at every frame; without one they are merely kept.
#include "sim/engine_state.h"
#include "zbengine.h"

using namespace zb;

extern "C" {

ZBDLL_API void ZBDLL_SetCamera(double eyeX, double eyeY, double eyeZ, double targetY,
                               double targetZ) {
    gEngine.camera.eye = {float(eyeX), float(eyeY), float(eyeZ)};
    gEngine.camera.target = {float(eyeX), float(targetY), float(targetZ)};
}

ZBDLL_API void ZBDLL_SetPoolAngle(double angle) {
    gEngine.view.poolAngle = float(angle);
}

ZBDLL_API void ZBDLL_SetViewParameters(bool translucentScreens, bool wireframe) {
    gEngine.view.translucentScreens = translucentScreens;
    gEngine.view.wireframe = wireframe;
}

} // extern "C"
