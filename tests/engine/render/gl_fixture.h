// Drawing tests: each gets its own X window and a context on it, and reads back what a frame
// composed into the back buffer (the back buffer is undefined after presenting).
#pragma once

#include "engine_fixture.h"
#include "render/drawing.h"
#include "sim/step.h"

#include <GL/gl.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace zb::test {

struct Rgb {
    int r, g, b;
    bool near(Rgb o, int tolerance = 3) const {
        return std::abs(r - o.r) <= tolerance && std::abs(g - o.g) <= tolerance &&
               std::abs(b - o.b) <= tolerance;
    }
};

inline std::ostream& operator<<(std::ostream& os, Rgb c) {
    return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

constexpr Rgb kBackground{153, 153, 229}; // clear colour (0.6, 0.6, 0.9)

inline bool isBlack(Rgb c) {
    return c.r < 40 && c.g < 40 && c.b < 40;
}

// The screen panel's middle line, y = -0.875, in window rows from the top.
constexpr int kPanelMiddle = 225;

class GlTest : public EngineTest {
  protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    void SetUp() override {
        EngineTest::SetUp();
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "drawing tests need an X display (make test starts one)";
        window_ = createWindow(DefaultVisual(display_, DefaultScreen(display_)),
                               DefaultDepth(display_, DefaultScreen(display_)));
        ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, ZB_BUILD_DIR "/"), 0);
        ZBDLL_Set3dMode(false);
    }

    void TearDown() override {
        destroyRenderContext();
        if (display_) {
            for (Window w : windows_)
                XDestroyWindow(display_, w);
            XCloseDisplay(display_);
        }
        EngineTest::TearDown();
    }

    // A mapped top-level window of the given visual.
    Window createWindow(Visual* visual, int depth) {
        const Window root = DefaultRootWindow(display_);
        XSetWindowAttributes a{};
        a.colormap = XCreateColormap(display_, root, visual, AllocNone);
        a.border_pixel = 0;
        a.background_pixel = 0;
        a.event_mask = StructureNotifyMask;
        const Window w =
            XCreateWindow(display_, root, 0, 0, kWidth, kHeight, 0, depth, InputOutput, visual,
                          CWColormap | CWBorderPixel | CWBackPixel | CWEventMask, &a);
        XMapWindow(display_, w);
        XEvent e;
        do
            XWindowEvent(display_, w, StructureNotifyMask, &e);
        while (e.type != MapNotify);
        windows_.push_back(w);
        return w;
    }

    // The eye straight above the pool's centre at the given height, as the editor places it.
    static void lookDown(double height) { ZBDLL_SetCamera(0.0, height, 0.0, height - 1.0, 0.0); }

    // Composes a frame and reads the back buffer, top row first.
    void capture(bool drawScreens = true, bool drawProfiles = false) {
        composeFrame(drawScreens, drawProfiles);
        glFinish();
        pixels_.assign(size_t(kWidth) * kHeight * 3, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
    }

    // x from the left, y from the top of the window.
    Rgb at(int x, int y) const {
        const size_t k = (size_t(kHeight - 1 - y) * kWidth + size_t(x)) * 3;
        return {pixels_[k], pixels_[k + 1], pixels_[k + 2]};
    }

    template <class Pred>
    int count(Pred pred, int y0 = 0, int y1 = kHeight) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < kWidth; ++x)
                n += pred(at(x, y)) ? 1 : 0;
        return n;
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    std::vector<Window> windows_;
    std::vector<uint8_t> pixels_;
};

} // namespace zb::test
