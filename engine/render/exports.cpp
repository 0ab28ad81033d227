// The drawing half of the exported interface.
#include "render/drawing.h"
#include "render/glx_context.h"
#include "sim/engine_state.h"
#include "sim/frame.h"
#include "zbengine.h"

#include <GL/gl.h>

using namespace zb;

extern "C" {

ZBDLL_API int32_t ZBDLL_CreateFromHwnd(uintptr_t window, int32_t width, int32_t height,
                                       const char* basePath) {
    return createRenderContext(window, width, height, basePath);
}

ZBDLL_API int32_t ZBDLL_SetWindow(uintptr_t window, int32_t width, int32_t height) {
    if (!renderContextExists())
        return kCreateFailed;
    return setGlxHost(window, width, height);
}

ZBDLL_API void ZBDLL_Resize(int32_t width, int32_t height) {
    if (!renderContextExists())
        return;
    resizeGlxDrawable(width, height);
    if (width != gEngine.view.width || height != gEngine.view.height)
        gEngine.view.resized = true;
    setProjection(width, height);
}

// The same function under its second name.
ZBDLL_API void ZBDLL_Reshape(int32_t width, int32_t height) __attribute__((alias("ZBDLL_Resize")));

ZBDLL_API void ZBDLL_Set3dMode(bool enabled) {
    gEngine.view.flatView = !enabled;
    if (!renderContextExists())
        return;
    if (enabled)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_LIGHTING);
}

ZBDLL_API bool ZBDLL_RepaintScene(bool drawScreens, bool drawProfiles) {
    if (gEngine.view.resized) {
        gEngine.view.resized = false;
        runFrame(false, true, drawScreens, drawProfiles);
    }
    return runFrame(false, true, drawScreens, drawProfiles);
}

} // extern "C"
