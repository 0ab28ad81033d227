#include "render/glx_context.h"
#include "sim/engine_state.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace zb {

namespace {

// The handles live in the engine's state record, declared there without the X headers.
static_assert(std::is_same_v<Display, _XDisplay>);
static_assert(std::is_same_v<GLXFBConfig, __GLXFBConfigRec*>);
static_assert(std::is_same_v<GLXContext, __GLXcontextRec*>);
static_assert(std::is_same_v<Window, XId> && std::is_same_v<Colormap, XId> &&
              std::is_same_v<GLXWindow, XId>);

int onXError(Display* display, XErrorEvent* event) {
    XErrorTrapState& trap = gEngine.windowSystem.trap;
    if (display == trap.display) {
        ++trap.errors;
        return 0;
    }
    const auto previous = reinterpret_cast<XErrorHandler>(trap.previousHandler);
    return previous ? previous(display, event) : 0;
}

// Counts the errors of the engine's connection while it exists (see XErrorTrapState). A trap
// set while another is active (letting go of a host inside the trap that found it gone) hands
// the outer trap back its state, and with it the host's handler.
class XErrorTrap {
  public:
    explicit XErrorTrap(Display* display) : display_(display) {
        XSync(display_, False); // errors of earlier requests still count for an outer trap
        XErrorTrapState& trap = gEngine.windowSystem.trap;
        outer_ = trap;
        const XErrorHandler previous = XSetErrorHandler(onXError);
        trap.display = display_;
        trap.errors = 0;
        if (!outer_.display)
            trap.previousHandler = reinterpret_cast<XErrorHandlerAny>(previous);
    }
    ~XErrorTrap() { release(); }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server's answer to everything sent so far; true when any of it failed.
    bool failed() {
        XSync(display_, False);
        synced_ = true;
        return gEngine.windowSystem.trap.errors > 0;
    }

  private:
    void release() {
        if (!synced_)
            XSync(display_, False);
        XErrorTrapState& trap = gEngine.windowSystem.trap;
        if (!outer_.display)
            XSetErrorHandler(reinterpret_cast<XErrorHandler>(trap.previousHandler));
        trap = outer_;
    }
    Display* display_;
    XErrorTrapState outer_;
    bool synced_ = false;
};

int configAttribute(GLXFBConfig config, int attribute) {
    WindowSystemState& g = gEngine.windowSystem;
    int value = 0;
    glXGetFBConfigAttrib(g.display, config, attribute, &value);
    return value;
}

// Lower is better: no caveat, no multisampling, no accumulation buffer.
int configPenalty(GLXFBConfig config) {
    int penalty = 0;
    if (configAttribute(config, GLX_CONFIG_CAVEAT) != GLX_NONE)
        penalty += 4;
    if (configAttribute(config, GLX_SAMPLE_BUFFERS) > 0 || configAttribute(config, GLX_SAMPLES) > 0)
        penalty += 2;
    if (configAttribute(config, GLX_ACCUM_RED_SIZE) > 0)
        penalty += 1;
    return penalty;
}

// The best configuration whose visual is visualId, or (visualId 0) the best one with any
// true-colour visual; null when there is none.
GLXFBConfig pickConfig(GLXFBConfig* configs, int count, VisualID visualId) {
    GLXFBConfig best = nullptr;
    int bestPenalty = 1 << 30;
    for (int k = 0; k < count; ++k) {
        const int id = configAttribute(configs[k], GLX_VISUAL_ID);
        if (id == 0 || (visualId != 0 && VisualID(id) != visualId))
            continue;
        if (visualId == 0 && configAttribute(configs[k], GLX_X_VISUAL_TYPE) != GLX_TRUE_COLOR)
            continue;
        const int penalty = configPenalty(configs[k]);
        if (penalty < bestPenalty) {
            best = configs[k];
            bestPenalty = penalty;
        }
    }
    return best;
}

// A window of the configuration's visual inside parent; mapped, it covers the host. It selects
// no input, so every event still reaches the host.
Window createConfigWindow(Window parent, int width, int height, bool mapped, Colormap& colormap) {
    WindowSystemState& g = gEngine.windowSystem;
    XVisualInfo* info = glXGetVisualFromFBConfig(g.display, g.config);
    if (!info)
        return 0;
    XErrorTrap trap(g.display);
    colormap = XCreateColormap(g.display, parent, info->visual, AllocNone);
    XSetWindowAttributes attributes;
    std::memset(&attributes, 0, sizeof attributes);
    attributes.colormap = colormap;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;
    attributes.event_mask = 0;
    Window window =
        XCreateWindow(g.display, parent, 0, 0, unsigned(width > 0 ? width : 1),
                      unsigned(height > 0 ? height : 1), 0, info->depth, InputOutput, info->visual,
                      CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
    if (mapped)
        XMapWindow(g.display, window);
    XFree(info);
    if (trap.failed()) {
        if (window)
            XDestroyWindow(g.display, window);
        XFreeColormap(g.display, colormap);
        colormap = 0;
        return 0;
    }
    return window;
}

// Makes the context current on the parking window. The host's drawable is left to the caller.
bool park() {
    WindowSystemState& g = gEngine.windowSystem;
    XErrorTrap trap(g.display);
    const Bool ok =
        glXMakeContextCurrent(g.display, g.parkingDrawable, g.parkingDrawable, g.context);
    return !trap.failed() && ok;
}

// Forgets the host: its drawable and our child window in it. The context stays current on the
// parking window.
void releaseHost() {
    WindowSystemState& g = gEngine.windowSystem;
    if (!g.display)
        return;
    if (g.current)
        g.current = park();
    XErrorTrap trap(g.display);
    if (g.drawable)
        glXDestroyWindow(g.display, g.drawable);
    if (g.child)
        XDestroyWindow(g.display, g.child);
    if (g.colormap)
        XFreeColormap(g.display, g.colormap);
    trap.failed(); // a host that is gone already takes our child with it
    g.host = 0;
    g.child = 0;
    g.colormap = 0;
    g.drawable = 0;
}

// Draws into the window from now on, through a child of our own where its visual does not suit
// the configuration.
int32_t attachHost(Window window, int32_t width, int32_t height) {
    WindowSystemState& g = gEngine.windowSystem;
    XWindowAttributes attributes;
    {
        XErrorTrap trap(g.display);
        const Status ok = XGetWindowAttributes(g.display, window, &attributes);
        if (trap.failed() || !ok)
            return kNoWindow;
    }
    g.host = window;
    Window target = window;
    if (XVisualIDFromVisual(attributes.visual) !=
        VisualID(configAttribute(g.config, GLX_VISUAL_ID))) {
        // A visual GL cannot draw into, such as a 32-bit window with alpha: draw into a window
        // of our own inside it instead of making the context current on the host.
        g.child = createConfigWindow(window, width, height, true, g.colormap);
        target = g.child;
    }
    if (!target) {
        releaseHost();
        return kVisualUnusable;
    }
    {
        XErrorTrap trap(g.display);
        g.drawable = glXCreateWindow(g.display, g.config, target, nullptr);
        if (trap.failed() || !g.drawable) {
            g.drawable = 0;
            releaseHost();
            return kVisualUnusable;
        }
    }
    {
        XErrorTrap trap(g.display);
        const Bool ok = glXMakeContextCurrent(g.display, g.drawable, g.drawable, g.context);
        if (trap.failed() || !ok) {
            releaseHost();
            return kMakeCurrentFailed;
        }
    }
    g.current = true;
    return kContextCreated;
}

// Asks for presenting without waiting for the display's refresh, where the server can.
void disableSwapWait() {
    WindowSystemState& g = gEngine.windowSystem;
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    using SwapIntervalMesa = int (*)(unsigned);
    const char* extensions = glXQueryExtensionsString(g.display, DefaultScreen(g.display));
    auto has = [&](const char* name) { return extensions && std::strstr(extensions, name); };
    XErrorTrap trap(g.display);
    if (has("GLX_EXT_swap_control")) {
        auto f = reinterpret_cast<SwapIntervalExt>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
        if (f)
            f(g.display, g.drawable, 0);
    } else if (has("GLX_MESA_swap_control")) {
        auto f = reinterpret_cast<SwapIntervalMesa>(
            glXGetProcAddress(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
        if (f)
            f(0);
    }
    trap.failed(); // a refusal only costs speed
}

int32_t create(uintptr_t window, int32_t width, int32_t height) {
    WindowSystemState& g = gEngine.windowSystem;
    g.display = XOpenDisplay(nullptr);
    if (!g.display)
        return kNoWindow;

    int major = 0, minor = 0;
    if (!glXQueryVersion(g.display, &major, &minor) || major < 1 || (major == 1 && minor < 3))
        return kNoConfiguration;

    XWindowAttributes attributes;
    {
        XErrorTrap trap(g.display);
        const Status ok = XGetWindowAttributes(g.display, Window(window), &attributes);
        if (trap.failed() || !ok)
            return kNoWindow;
    }

    const int wanted[] = {GLX_X_RENDERABLE,
                          True,
                          GLX_DRAWABLE_TYPE,
                          GLX_WINDOW_BIT,
                          GLX_RENDER_TYPE,
                          GLX_RGBA_BIT,
                          GLX_DOUBLEBUFFER,
                          True,
                          GLX_RED_SIZE,
                          8,
                          GLX_GREEN_SIZE,
                          8,
                          GLX_BLUE_SIZE,
                          8,
                          GLX_DEPTH_SIZE,
                          16,
                          None};
    int count = 0;
    GLXFBConfig* configs =
        glXChooseFBConfig(g.display, XScreenNumberOfScreen(attributes.screen), wanted, &count);
    if (!configs || count == 0) {
        if (configs)
            XFree(configs);
        return kNoConfiguration;
    }
    // The host's own visual where it can; otherwise any, drawn through a child window.
    g.config = pickConfig(configs, count, XVisualIDFromVisual(attributes.visual));
    if (!g.config)
        g.config = pickConfig(configs, count, 0);
    XFree(configs);
    if (!g.config)
        return kVisualUnusable;

    g.parking =
        createConfigWindow(RootWindowOfScreen(attributes.screen), 1, 1, false, g.parkingColormap);
    if (!g.parking)
        return kVisualUnusable;
    {
        XErrorTrap trap(g.display);
        g.parkingDrawable = glXCreateWindow(g.display, g.config, g.parking, nullptr);
        if (trap.failed() || !g.parkingDrawable) {
            g.parkingDrawable = 0;
            return kVisualUnusable;
        }
    }
    {
        XErrorTrap trap(g.display);
        g.context = glXCreateNewContext(g.display, g.config, GLX_RGBA_TYPE, nullptr, True);
        if (trap.failed() || !g.context)
            return kCreateFailed;
    }
    if (!park())
        return kMakeCurrentFailed;
    g.current = true;
    const int32_t attached = attachHost(Window(window), width, height);
    if (attached != kContextCreated)
        return attached;
    disableSwapWait();
    return kContextCreated;
}

} // namespace

int32_t createGlxContext(uintptr_t window, int32_t width, int32_t height) {
    destroyGlxContext();
    const int32_t result = create(window, width, height);
    if (result != kContextCreated)
        destroyGlxContext();
    return result;
}

int32_t setGlxHost(uintptr_t window, int32_t width, int32_t height) {
    WindowSystemState& g = gEngine.windowSystem;
    if (!g.context)
        return kCreateFailed;
    releaseHost();
    if (!g.current)
        return kMakeCurrentFailed;
    if (window == 0)
        return kContextCreated;
    const int32_t result = attachHost(Window(window), width, height);
    if (result == kContextCreated)
        disableSwapWait();
    return result;
}

bool glxContextCurrent() {
    WindowSystemState& g = gEngine.windowSystem;
    return g.current;
}

bool glxHostAttached() {
    WindowSystemState& g = gEngine.windowSystem;
    if (!g.current || !g.host)
        return false;
    // A host destroyed behind our back (Qt does so when a window is closed) would have the
    // driver draw into freed memory: ask the server first, and let go of a host that is gone.
    XWindowAttributes attributes;
    XErrorTrap trap(g.display);
    const Status ok = XGetWindowAttributes(g.display, g.host, &attributes);
    if (trap.failed() || !ok) {
        releaseHost();
        return false;
    }
    return true;
}

bool glxVisibleArea(int32_t& x, int32_t& y, int32_t& width, int32_t& height) {
    WindowSystemState& g = gEngine.windowSystem;
    if (!g.current || !g.host || !g.drawable)
        return false;
    XWindowAttributes host, target;
    XErrorTrap trap(g.display);
    const Status ok = XGetWindowAttributes(g.display, g.host, &host) &&
                      (!g.child || XGetWindowAttributes(g.display, g.child, &target));
    if (trap.failed() || !ok)
        return false;
    if (!g.child)
        target = host;
    // The child lies at the host's upper left, so the host shows the child's upper rows.
    width = std::min(target.width, host.width);
    height = std::min(target.height, host.height);
    x = 0;
    y = target.height - height;
    return width > 0 && height > 0;
}

bool swapGlxBuffers() {
    WindowSystemState& g = gEngine.windowSystem;
    if (!g.current || !g.drawable)
        return false;
    XErrorTrap trap(g.display);
    glXSwapBuffers(g.display, g.drawable);
    return !trap.failed();
}

void resizeGlxDrawable(int32_t width, int32_t height) {
    WindowSystemState& g = gEngine.windowSystem;
    if (!g.child || width <= 0 || height <= 0)
        return;
    XErrorTrap trap(g.display);
    XResizeWindow(g.display, g.child, unsigned(width), unsigned(height));
    trap.failed();
}

void destroyGlxContext() {
    WindowSystemState& g = gEngine.windowSystem;
    if (!g.display)
        return;
    releaseHost();
    {
        XErrorTrap trap(g.display);
        if (g.context) {
            glXMakeContextCurrent(g.display, None, None, nullptr);
            glXDestroyContext(g.display, g.context);
        }
        if (g.parkingDrawable)
            glXDestroyWindow(g.display, g.parkingDrawable);
        if (g.parking)
            XDestroyWindow(g.display, g.parking);
        if (g.parkingColormap)
            XFreeColormap(g.display, g.parkingColormap);
        trap.failed();
    }
    XCloseDisplay(g.display);
    g = WindowSystemState{};
}

} // namespace zb
