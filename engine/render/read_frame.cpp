// The picture as drawn, for "Bild speichern...": the frame is composed and read from the back
// buffer before it is presented, because a grab of the window would also catch whatever lies
// over it, and the back buffer is undefined once presented.
#include "render/drawing.h"
#include "render/glx_context.h"
#include "sim/engine_state.h"
#include "zbengine.h"

#include <GL/gl.h>

#include <algorithm>

using namespace zb;

extern "C" {

ZBDLL_API int32_t ZBDLL_ReadFrame(bool drawScreens, bool drawProfiles, uint8_t* rgb,
                                  int64_t capacity, int32_t* width, int32_t* height) {
    if (width)
        *width = 0;
    if (height)
        *height = 0;
    const DrawingState& v = gEngine.view;
    int32_t x = 0, y = 0, w = 0, h = 0;
    if (!gEngine.poolExists || !renderContextExists() || !glxHostAttached() ||
        !glxVisibleArea(x, y, w, h))
        return kCreateFailed;
    // What the window shows of the viewport, which may reach past the window on every side.
    const int32_t x1 = std::min(x + w, v.width), y1 = std::min(y + h, v.height);
    x = std::max(x, 0);
    y = std::max(y, 0);
    if (x1 <= x || y1 <= y)
        return kCreateFailed;
    w = x1 - x;
    h = y1 - y;
    if (width)
        *width = w;
    if (height)
        *height = h;
    const int64_t rowBytes = int64_t(w) * 3;
    if (!rgb || capacity < rowBytes * h)
        return kBufferTooSmall;

    composeFrame(drawScreens, drawProfiles);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    // GL counts rows from the bottom; a picture file from the top.
    for (int64_t top = 0, bottom = h - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(rgb + top * rowBytes, rgb + (top + 1) * rowBytes, rgb + bottom * rowBytes);
    swapGlxBuffers(); // the window shows what was saved
    return 0;
}

} // extern "C"
