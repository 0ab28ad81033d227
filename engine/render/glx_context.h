// The window-system layer of the drawing: an OpenGL context on a host X11 window. The only code
// of the engine that knows Xlib and GLX; every X and GLX call runs inside an error trap, so a
// bad or vanished window gives a failure code, never an exit of the process.
#pragma once

#include <cstdint>

namespace zb {

// Results of context creation.
enum : int32_t {
    kContextCreated = 0,
    kNoWindow = -3,          // no display, or the window's attributes cannot be read
    kNoConfiguration = -4,   // no double-buffered RGBA configuration (or GLX older than 1.3)
    kVisualUnusable = -5,    // no configuration for the window's visual, and no child window
    kCreateFailed = -6,      // the context could not be created
    kMakeCurrentFailed = -7, // the context could not be made current
    kBufferTooSmall = -8,    // a frame read back does not fit the caller's buffer
};

// Creates a context on the window (an X window id) and makes it current. A configuration with
// the window's own visual is preferred; where there is none, the context draws into a child
// window of its own covering the host. Replaces any earlier context.
int32_t createGlxContext(uintptr_t window, int32_t width, int32_t height);

// Moves the context to another host window, keeping everything it holds; window 0 detaches it.
// Results as for creation; kCreateFailed when no context exists.
int32_t setGlxHost(uintptr_t window, int32_t width, int32_t height);

// The context exists and is current (on a host or, detached, on a window of our own).
bool glxContextCurrent();

// A host is attached and still exists; a host found gone is let go of.
bool glxHostAttached();

// The part of the drawable that the host window shows, in GL window coordinates (origin at the
// drawable's lower left); false without a host. The viewport may be larger than the host (it
// covers the host's scroll bars), and an own child window hangs below the host's lower edge.
bool glxVisibleArea(int32_t& x, int32_t& y, int32_t& width, int32_t& height);

// Presents the back buffer; false when there is no context or the swap failed.
bool swapGlxBuffers();

// Keeps the engine's own child window, if it has one, the size of the viewport.
void resizeGlxDrawable(int32_t width, int32_t height);

void destroyGlxContext();

} // namespace zb
