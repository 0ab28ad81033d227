// The context on a host window: creation results, repaint without a pool, viewport, modes,
// and the background pictures' messages.
#include "gl_fixture.h"
#include "render/glx_context.h"

#include <GL/glx.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace zb::test {

namespace {

std::vector<std::string> messages;
void recordMessage(const char* title, const char* text) {
    messages.push_back(std::string(title) + ": " + text);
}

int hostErrorHandler(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

class RenderContext : public GlTest {
  protected:
    void SetUp() override {
        messages.clear();
        GlTest::SetUp();
    }
    void TearDown() override {
        ZBDLL_SetMessageHandler(nullptr);
        GlTest::TearDown();
    }
};

TEST_F(RenderContext, CreatesOnTheHostWindowAndDrawsAPool) {
    EXPECT_TRUE(renderContextExists());
    EXPECT_FALSE(ZBDLL_RepaintScene(true, true)) << "no pool yet";
    newPool(21, 21);
    lookDown(1.5);
    EXPECT_TRUE(ZBDLL_RepaintScene(true, true));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(RenderContext, RepaintWithoutPoolLeavesTheWindowAlone) {
    newPool(21, 21);
    lookDown(1.5);
    capture();
    const std::vector<uint8_t> before = pixels_;
    ZBDLL_ResetAll();
    EXPECT_FALSE(ZBDLL_RepaintScene(true, false));
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels_.data());
    EXPECT_EQ(pixels_, before) << "the back buffer was touched";
}

// The saved picture is the frame as drawn, top row first; a buffer too small is left alone.
TEST_F(RenderContext, ReadFrameGivesThePictureAsDrawn) {
    int32_t width = -1, height = -1;
    std::vector<uint8_t> picture(size_t(kWidth) * kHeight * 3, 7);
    EXPECT_EQ(
        ZBDLL_ReadFrame(true, false, picture.data(), int64_t(picture.size()), &width, &height),
        kCreateFailed)
        << "no pool yet";
    newPool(21, 21);
    lookDown(1.5);
    ZBDLL_AddExciter(3, 2, 2, 2, 0, 1.0, 1.0, false); // green near the top left only
    EXPECT_EQ(
        ZBDLL_ReadFrame(true, false, picture.data(), int64_t(picture.size()) - 1, &width, &height),
        kBufferTooSmall);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    // A viewport larger than the window (it covers the host's scroll bars) gives what shows.
    ZBDLL_Reshape(kWidth + 40, kHeight + 30);
    EXPECT_EQ(ZBDLL_ReadFrame(true, false, nullptr, 0, &width, &height), kBufferTooSmall);
    EXPECT_EQ(width, kWidth);
    EXPECT_EQ(height, kHeight);
    ZBDLL_Reshape(kWidth, kHeight);
    EXPECT_TRUE(std::all_of(picture.begin(), picture.end(), [](uint8_t b) { return b == 7; }));

    ASSERT_EQ(
        ZBDLL_ReadFrame(true, false, picture.data(), int64_t(picture.size()), nullptr, nullptr), 0);
    capture();
    for (int y = 0; y < kHeight; ++y) {
        const uint8_t* row = picture.data() + size_t(y) * kWidth * 3;
        for (int x = 0; x < kWidth; ++x) {
            const Rgb drawn = at(x, y);
            ASSERT_TRUE(drawn.near({row[3 * x], row[3 * x + 1], row[3 * x + 2]}, 0))
                << x << ", " << y << ": " << drawn;
        }
    }
    const auto green = [](Rgb c) { return c.g > 200 && c.r < 60 && c.b < 60; };
    EXPECT_GT(count(green, 0, kHeight / 2), 0);
    EXPECT_EQ(count(green, kHeight / 2, kHeight), 0) << "the exciter lies in the upper half";
}

TEST_F(RenderContext, BadWindowsAndMissingDisplaysGiveCodesNotExits) {
    EXPECT_EQ(ZBDLL_CreateFromHwnd(0x1fffffff, 100, 100, "/"), kNoWindow);
    EXPECT_FALSE(renderContextExists());
    newPool(5, 5);
    EXPECT_FALSE(ZBDLL_RepaintScene(true, true)) << "nothing to draw into";
    ZBDLL_Reshape(50, 50);
    ZBDLL_Set3dMode(true); // no GL call may be made without a context

    const std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_EQ(ZBDLL_CreateFromHwnd(window_, 100, 100, "/"), kNoWindow);
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, ZB_BUILD_DIR "/"), 0);
}

TEST_F(RenderContext, WindowWithAlphaVisualIsDrawnInto) {
    XVisualInfo info;
    ASSERT_TRUE(XMatchVisualInfo(display_, DefaultScreen(display_), 32, TrueColor, &info))
        << "the test server offers no 32-bit visual";
    const Window argb = createWindow(info.visual, 32);
    ASSERT_EQ(ZBDLL_CreateFromHwnd(argb, kWidth, kHeight, ZB_BUILD_DIR "/"), 0);
    newPool(21, 21);
    lookDown(1.5);
    EXPECT_TRUE(ZBDLL_RepaintScene(true, false)) << "presenting must work on this window";
    capture();
    EXPECT_TRUE(at(2, 2).near(kBackground)) << at(2, 2);
}

TEST_F(RenderContext, WindowWithoutUsableConfigurationGetsAChildWindow) {
    // A true-colour visual whose GL configurations are all single-buffered or without depth.
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(display_, DefaultScreen(display_), &count);
    auto usable = [&](VisualID id) {
        for (int k = 0; k < count; ++k) {
            int visual = 0, doubled = 0, depth = 0;
            glXGetFBConfigAttrib(display_, configs[k], GLX_VISUAL_ID, &visual);
            glXGetFBConfigAttrib(display_, configs[k], GLX_DOUBLEBUFFER, &doubled);
            glXGetFBConfigAttrib(display_, configs[k], GLX_DEPTH_SIZE, &depth);
            if (VisualID(visual) == id && doubled && depth >= 16)
                return true;
        }
        return false;
    };
    XVisualInfo pattern{};
    pattern.screen = DefaultScreen(display_);
    pattern.c_class = TrueColor;
    pattern.depth = 24;
    int visuals = 0;
    XVisualInfo* list = XGetVisualInfo(
        display_, VisualScreenMask | VisualClassMask | VisualDepthMask, &pattern, &visuals);
    XVisualInfo* unusable = nullptr;
    for (int k = 0; k < visuals && !unusable; ++k)
        if (!usable(list[k].visualid))
            unusable = &list[k];
    ASSERT_NE(unusable, nullptr) << "the test server has no visual to exercise the fallback";
    const Window host = createWindow(unusable->visual, unusable->depth);
    XFree(list);
    XFree(configs);

    ASSERT_EQ(ZBDLL_CreateFromHwnd(host, kWidth, kHeight, ZB_BUILD_DIR "/"), 0);
    Window root, parent, *children = nullptr;
    unsigned childCount = 0;
    XQueryTree(display_, host, &root, &parent, &children, &childCount);
    ASSERT_EQ(childCount, 1u) << "the engine's own window inside the host";
    const Window child = children[0];
    XFree(children);
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, child, &attributes);
    EXPECT_EQ(attributes.your_event_mask, 0) << "events must reach the host";

    newPool(21, 21);
    lookDown(1.5);
    EXPECT_TRUE(ZBDLL_RepaintScene(true, false));
    capture();
    EXPECT_TRUE(at(2, 2).near(kBackground)) << at(2, 2);
    EXPECT_GT(GlTest::count([](Rgb c) { return c.r > 250 && c.g > 250 && c.b > 250; }), 500);

    ZBDLL_Reshape(200, 150);
    XGetWindowAttributes(display_, child, &attributes);
    EXPECT_EQ(attributes.width, 200);
    EXPECT_EQ(attributes.height, 150);
}

TEST_F(RenderContext, FollowsItsHostToANewWindowAndLetsGoOfOneThatVanished) {
    newPool(21, 21);
    ZBDLL_AddScreen(10, true);
    lookDown(1.5);
    capture(true, true);
    const std::vector<uint8_t> first = pixels_;

    // The toolkit destroys the host behind the engine's back, as Qt does on a close.
    XDestroyWindow(display_, window_);
    std::erase(windows_, window_);
    XSync(display_, False);
    EXPECT_FALSE(ZBDLL_RepaintScene(true, true));
    EXPECT_FALSE(ZBDLL_RepaintScene(true, true));

    // A new window gets the same picture: context, textures and pool came along.
    const Window next = createWindow(DefaultVisual(display_, DefaultScreen(display_)),
                                     DefaultDepth(display_, DefaultScreen(display_)));
    ASSERT_EQ(ZBDLL_SetWindow(next, kWidth, kHeight), kContextCreated);
    EXPECT_TRUE(ZBDLL_RepaintScene(true, true));
    capture(true, true);
    EXPECT_EQ(pixels_, first) << "the moved context draws another picture";

    // Detached, nothing is drawn; a pool built meanwhile is drawn once a window is back.
    ASSERT_EQ(ZBDLL_SetWindow(0, 0, 0), kContextCreated);
    EXPECT_FALSE(ZBDLL_RepaintScene(true, false));
    newPool(21, 21);
    ZBDLL_AddScreen(10, true);
    lookDown(1.5);
    ASSERT_EQ(ZBDLL_SetWindow(next, kWidth, kHeight), kContextCreated);
    capture(true, true);
    EXPECT_EQ(pixels_, first);

    EXPECT_EQ(ZBDLL_SetWindow(0x1fffffff, kWidth, kHeight), kNoWindow);
    EXPECT_FALSE(ZBDLL_RepaintScene(true, false));
    destroyRenderContext();
    EXPECT_EQ(ZBDLL_SetWindow(next, kWidth, kHeight), kCreateFailed);
}

TEST_F(RenderContext, OneResetEndsTheDrawingAndForgetsEveryHandler) {
    ZBDLL_SetMessageHandler(recordMessage);
    const XId parking = gEngine.windowSystem.parking;
    ASSERT_NE(parking, 0u);
    newPool(21, 21);
    restoreLoadState();
    EXPECT_FALSE(renderContextExists());
    EXPECT_EQ(gEngine.messageHandler, nullptr);
    EXPECT_EQ(gEngine.windowSystem.display, nullptr);
    // The engine's connection is closed, and with it its own windows.
    XSync(display_, False);
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
    const bool parked = std::find(children, children + count, parking) != children + count;
    XFree(children);
    EXPECT_FALSE(parked) << "the parking window outlived the reset";
    // And the drawing starts again as after loading.
    ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, ZB_BUILD_DIR "/"), 0);
    newPool(21, 21);
    lookDown(1.5);
    EXPECT_TRUE(ZBDLL_RepaintScene(true, true));
}

TEST_F(RenderContext, TheHostsErrorHandlerIsBackAfterNestedTraps) {
    newPool(21, 21);
    lookDown(1.5);
    const XErrorHandler before = XSetErrorHandler(hostErrorHandler);
    // A host found gone is let go of inside the trap that found it: one trap within another.
    XDestroyWindow(display_, window_);
    std::erase(windows_, window_);
    XSync(display_, False);
    EXPECT_FALSE(ZBDLL_RepaintScene(true, false));
    EXPECT_EQ(XSetErrorHandler(before), hostErrorHandler);
}

TEST_F(RenderContext, EmptySizesKeepTheLastViewport) {
    ZBDLL_Reshape(0, 100);
    ZBDLL_Resize(100, 0);
    ZBDLL_Reshape(-5, 100);
    EXPECT_EQ(gEngine.view.width, kWidth);
    EXPECT_EQ(gEngine.view.height, kHeight);
    ZBDLL_Reshape(200, 100);
    newPool(5, 5);
    composeFrame(true, false);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 200);
    EXPECT_EQ(viewport[3], 100);
}

TEST_F(RenderContext, ModeSwitchesTakeEffectAtOnce) {
    ZBDLL_Set3dMode(true);
    EXPECT_FALSE(gEngine.view.flatView);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glEnable(GL_LIGHTING);
    ZBDLL_Set3dMode(false);
    EXPECT_TRUE(gEngine.view.flatView);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(RenderContext, UnreadablePicturesAreReportedOnceEachAndTheEngineGoesOn) {
    ZBDLL_SetMessageHandler(recordMessage);
    ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, "/nonexistent/"), 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0],
              "Error: Failed to open DIB file /nonexistent/Data/Textures/SchirmBgHor.bmp.\n");
    EXPECT_EQ(messages[1],
              "Error: Failed to open DIB file /nonexistent/Data/Textures/SchirmBgVert.bmp.\n");
    newPool(21, 21);
    lookDown(1.5);
    EXPECT_TRUE(ZBDLL_RepaintScene(true, true)); // plain panel backgrounds

    messages.clear();
    // Built in place: GCC 12 misreads "/" + std::string(…) as out of bounds at -O3.
    std::string longBase(5002, 'x');
    longBase.front() = longBase.back() = '/';
    ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, longBase.c_str()), 0);
    EXPECT_EQ(messages.size(), 2u);
    messages.clear();
    ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, nullptr), 0);
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(RenderContext, PicturesAreFoundWhateverTheLetterCase) {
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path() / ("zb-case-" + std::to_string(getpid()));
    fs::create_directories(base / "data" / "TEXTURES");
    // An exact spelling that leads nowhere must not hide the folder that holds the pictures.
    fs::create_directories(base / "Data" / "Textures");
    fs::copy_file(ZB_BUILD_DIR "/Data/Textures/SchirmBgHor.bmp",
                  base / "data" / "TEXTURES" / "schirmbghor.BMP");
    fs::copy_file(ZB_BUILD_DIR "/Data/Textures/SchirmBgVert.bmp",
                  base / "data" / "TEXTURES" / "SCHIRMBGVERT.bmp");
    ZBDLL_SetMessageHandler(recordMessage);
    ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, (base.string() + "/").c_str()), 0);
    fs::remove_all(base);
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_NE(gEngine.view.screenTextures[0], 0u);
    EXPECT_NE(gEngine.view.screenTextures[1], 0u);
}

} // namespace zb::test
