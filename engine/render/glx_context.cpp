#include "render/glx_context.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace zb {

namespace {

struct GlxState {
    Display* display = nullptr;
    Window host = 0;
    Window child = 0; // the engine's own window inside the host, when the host's visual is unusable
    Colormap colormap = 0;
    GLXWindow drawable = 0;
    GLXContext context = nullptr;
    bool current = false;
};

GlxState g;

// Xlib's default error handler ends the process. While a trap is set, errors of the engine's
// own connection are counted instead; errors of any other connection go to the handler that
// was there before.
Display* trapDisplay = nullptr;
int trappedErrors = 0;
XErrorHandler previousHandler = nullptr;

int onXError(Display* display, XErrorEvent* event) {
    if (display == trapDisplay) {
        ++trappedErrors;
        return 0;
    }
    return previousHandler ? previousHandler(display, event) : 0;
}

class XErrorTrap {
  public:
    explicit XErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        trapDisplay = display_;
        trappedErrors = 0;
        previousHandler = XSetErrorHandler(onXError);
    }
    ~XErrorTrap() { release(); }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server's answer to everything sent so far; true when any of it failed.
    bool failed() {
        XSync(display_, False);
        synced_ = true;
        return trappedErrors > 0;
    }

  private:
    void release() {
        if (!synced_)
            XSync(display_, False);
        XSetErrorHandler(previousHandler);
        trapDisplay = nullptr;
    }
    Display* display_;
    bool synced_ = false;
};

int configAttribute(GLXFBConfig config, int attribute) {
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

// A window of the configuration's visual inside the host, covering it. It selects no input, so
// every event still reaches the host.
Window createChildWindow(GLXFBConfig config, int width, int height) {
    XVisualInfo* info = glXGetVisualFromFBConfig(g.display, config);
    if (!info)
        return 0;
    XErrorTrap trap(g.display);
    g.colormap = XCreateColormap(g.display, g.host, info->visual, AllocNone);
    XSetWindowAttributes attributes;
    std::memset(&attributes, 0, sizeof attributes);
    attributes.colormap = g.colormap;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;
    attributes.event_mask = 0;
    Window child =
        XCreateWindow(g.display, g.host, 0, 0, unsigned(width > 0 ? width : 1),
                      unsigned(height > 0 ? height : 1), 0, info->depth, InputOutput, info->visual,
                      CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
    XMapWindow(g.display, child);
    XFree(info);
    if (trap.failed()) {
        if (child)
            XDestroyWindow(g.display, child);
        return 0;
    }
    return child;
}

// Asks for presenting without waiting for the display's refresh, where the server can.
void disableSwapWait() {
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
    g.display = XOpenDisplay(nullptr);
    if (!g.display)
        return kNoWindow;
    g.host = Window(window);

    int major = 0, minor = 0;
    if (!glXQueryVersion(g.display, &major, &minor) || major < 1 || (major == 1 && minor < 3))
        return kNoConfiguration;

    XWindowAttributes attributes;
    {
        XErrorTrap trap(g.display);
        const Status ok = XGetWindowAttributes(g.display, g.host, &attributes);
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
    GLXFBConfig config = pickConfig(configs, count, XVisualIDFromVisual(attributes.visual));
    Window target = g.host;
    if (!config) {
        // A visual GL cannot draw into, such as a 32-bit window with alpha: draw into a window
        // of our own inside it instead of making the context current on the host.
        config = pickConfig(configs, count, 0);
        g.child = config ? createChildWindow(config, width, height) : 0;
        target = g.child;
    }
    XFree(configs);
    if (!config || !target)
        return kVisualUnusable;

    {
        XErrorTrap trap(g.display);
        g.drawable = glXCreateWindow(g.display, config, target, nullptr);
        if (trap.failed() || !g.drawable) {
            g.drawable = 0;
            return kVisualUnusable;
        }
    }
    {
        XErrorTrap trap(g.display);
        g.context = glXCreateNewContext(g.display, config, GLX_RGBA_TYPE, nullptr, True);
        if (trap.failed() || !g.context)
            return kCreateFailed;
    }
    {
        XErrorTrap trap(g.display);
        const Bool ok = glXMakeContextCurrent(g.display, g.drawable, g.drawable, g.context);
        if (trap.failed() || !ok)
            return kMakeCurrentFailed;
    }
    g.current = true;
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

bool glxContextCurrent() {
    return g.current;
}

bool swapGlxBuffers() {
    if (!g.current)
        return false;
    XErrorTrap trap(g.display);
    glXSwapBuffers(g.display, g.drawable);
    return !trap.failed();
}

void resizeGlxDrawable(int32_t width, int32_t height) {
    if (!g.child || width <= 0 || height <= 0)
        return;
    XErrorTrap trap(g.display);
    XResizeWindow(g.display, g.child, unsigned(width), unsigned(height));
    trap.failed();
}

void destroyGlxContext() {
    if (!g.display)
        return;
    {
        XErrorTrap trap(g.display);
        if (g.context) {
            glXMakeContextCurrent(g.display, None, None, nullptr);
            glXDestroyContext(g.display, g.context);
        }
        if (g.drawable)
            glXDestroyWindow(g.display, g.drawable);
        if (g.child)
            XDestroyWindow(g.display, g.child);
        if (g.colormap)
            XFreeColormap(g.display, g.colormap);
        trap.failed();
    }
    XCloseDisplay(g.display);
    g = GlxState{};
}

} // namespace zb
