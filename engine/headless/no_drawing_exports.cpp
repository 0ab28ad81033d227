// The drawing exports for programs that never draw (the command-line tool): there is never a
// context, so nothing is drawn and no window is taken. Linked instead of the drawing library,
// they keep such programs free of GL and X.
#include "sim/engine_state.h"
#include "zbengine.h"

using namespace zb;

extern "C" {

ZBDLL_API int32_t ZBDLL_CreateFromHwnd(uintptr_t, int32_t, int32_t, const char*) {
    return -3; // no display
}

ZBDLL_API int32_t ZBDLL_SetWindow(uintptr_t, int32_t, int32_t) {
    return -6; // no context
}

ZBDLL_API void ZBDLL_Resize(int32_t, int32_t) {}

ZBDLL_API void ZBDLL_Reshape(int32_t width, int32_t height) __attribute__((alias("ZBDLL_Resize")));

ZBDLL_API void ZBDLL_Set3dMode(bool enabled) {
    gEngine.view.flatView = !enabled;
}

ZBDLL_API bool ZBDLL_RepaintScene(bool, bool) {
    return false;
}

ZBDLL_API int32_t ZBDLL_ReadFrame(bool, bool, uint8_t*, int64_t, int32_t* width, int32_t* height) {
    if (width)
        *width = 0;
    if (height)
        *height = 0;
    return -6; // no context
}

ZBDLL_API void ZBDLL_SetMessageHandler(void (*handler)(const char* title, const char* text)) {
    gEngine.messageHandler = handler;
}

} // extern "C"
