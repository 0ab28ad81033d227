// Level of detail: large pools drawn with fewer primitives than cells (the flat view as one
// texture, the relief from every k-th node), designed pools exactly as before. Frames are read
// as "Bild speichern..." reads them, in a window the size of the default window's view.
#include "gl_fixture.h"

#include <GL/gl.h>
#include <X11/Xlib.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace zb::test {

namespace {

int differingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (size_t k = 0; k + 2 < a.size(); k += 3)
        n += a[k] != b[k] || a[k + 1] != b[k + 1] || a[k + 2] != b[k + 2] ? 1 : 0;
    return n;
}

Rgb colorOf(const Oscillator& o) {
    auto byte = [](float c) { return int(std::lround(c * 255.0f)); };
    return {byte(o.color[0]), byte(o.color[1]), byte(o.color[2])};
}

} // namespace

class DetailLevels : public EngineTest {
  protected:
    // The engine's part of the main window at its first size: 992 x 654 less the editor's strip.
    static constexpr int kWidth = 790;
    static constexpr int kHeight = 654;
    // The editor's camera heights: the default zoom and the farthest.
    static constexpr double kDefaultZoom = 1.2;
    static constexpr double kFarthestZoom = 1.4;

    void SetUp() override {
        EngineTest::SetUp();
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "drawing tests need an X display (make test starts one)";
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, kWidth, kHeight,
                                      0, 0, 0);
        XSelectInput(display_, window_, StructureNotifyMask);
        XMapWindow(display_, window_);
        XEvent e;
        do
            XWindowEvent(display_, window_, StructureNotifyMask, &e);
        while (e.type != MapNotify);
        ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, ZB_BUILD_DIR "/"), 0);
        ZBDLL_Set3dMode(false);
    }

    void TearDown() override {
        ZBDLL_ClearMarks();
        destroyRenderContext();
        if (display_) {
            XDestroyWindow(display_, window_);
            XCloseDisplay(display_);
        }
        EngineTest::TearDown();
    }

    // The editor's flat view: straight down on the pool's centre.
    static void lookDown(double height) { ZBDLL_SetCamera(0.0, height, 0.0, height - 1.0, 0.0); }

    std::vector<uint8_t> frame(bool drawScreens = true) {
        std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
        int32_t w = 0, h = 0;
        EXPECT_EQ(ZBDLL_ReadFrame(drawScreens, false, rgb.data(), int64_t(rgb.size()), &w, &h), 0);
        EXPECT_EQ(w, kWidth);
        EXPECT_EQ(h, kHeight);
        pixels_ = rgb;
        return rgb;
    }

    // x from the left, y from the top, of the last frame.
    Rgb at(int x, int y) const {
        const size_t k = (size_t(y) * kWidth + size_t(x)) * 3;
        return {pixels_[k], pixels_[k + 1], pixels_[k + 2]};
    }

    // The node under pixel (x, y) when looking straight down from height: the screen's x is
    // the world's x, its downward direction the world's z.
    static void nodeUnder(int x, int y, double height, int& i, int& j) {
        const double perUnit = kHeight / (2.0 * height * std::tan(M_PI / 8.0));
        const double wx = (x + 0.5 - kWidth / 2.0) / perUnit;
        const double wz = (y + 0.5 - kHeight / 2.0) / perUnit;
        const Pool& p = gEngine.pool;
        i = int(std::lround((wx - p.originX) / p.spacing));
        j = int(std::lround((wz - p.originZ) / p.spacing));
    }

    // Whether the pixel shows the colour of the node under it or of one next to it.
    bool showsCellUnder(int x, int y, double height) const {
        int i = 0, j = 0;
        nodeUnder(x, y, height, i, j);
        for (int dj = -1; dj <= 1; ++dj)
            for (int di = -1; di <= 1; ++di) {
                const int a = i + di, b = j + dj;
                if (a >= 0 && b >= 0 && a < pool().sizeX && b < pool().sizeY &&
                    at(x, y).near(colorOf(cell(a, b)), 1))
                    return true;
            }
        return false;
    }

    Display* display_ = nullptr;
    Window window_ = 0;
    std::vector<uint8_t> pixels_;
};

// The designed tanks at the editor's zooms: the grid lines, pixel for pixel.
TEST_F(DetailLevels, DesignedTanksAreDrawnAsDesigned) {
    struct Tank {
        int nx, ny;
    };
    for (const Tank t : {Tank{100, 50}, Tank{200, 200}, Tank{300, 300}}) {
        newPool(t.nx, t.ny);
        ZBDLL_AddWall(t.nx / 2, t.ny / 2, 30, t.nx / 2, 1, 3, 0);
        ZBDLL_AddExciter(t.nx / 4, t.ny / 4, 3, 3, 0, 10.0, 0.1, true);
        ZBDLL_AddMatChange(t.ny * 3 / 4, 1.0, 0.3);
        for (const double height : {kDefaultZoom, kFarthestZoom}) {
            lookDown(height);
            gEngine.view.lod.flatLinePixels = 0.0f; // the lines whatever the size
            const std::vector<uint8_t> lines = frame();
            gEngine.view.lod.flatLinePixels = zb::LevelOfDetail{}.flatLinePixels;
            EXPECT_EQ(differingPixels(frame(), lines), 0)
                << t.nx << " x " << t.ny << " from " << height;
        }
    }
    // The relief of tanks up to 200 x 200: the full mesh.
    ZBDLL_SetViewParameters(false, false);
    ZBDLL_Set3dMode(true);
    for (const int n : {150, 201}) {
        newPool(n, n);
        ZBDLL_AddExciter(n / 2, n / 2, 5, 5, 0, 40.0, 0.05, true);
        ZBDLL_SetPaused(false);
        for (int k = 0; k < 40; ++k)
            ZBDLL_NextFrame();
        ZBDLL_SetCamera(0.0, 0.9, 1.0, 0.0, 0.0);
        gEngine.view.lod.reliefStride = 1;
        const std::vector<uint8_t> full = frame(false);
        gEngine.view.lod.reliefStride = 0;
        EXPECT_EQ(differingPixels(frame(false), full), 0) << "relief " << n << " x " << n;
    }
}

// A large tank's flat view: the cells' own colours, without the background between lines; the
// editor's marks and the probes' markers over them.
TEST_F(DetailLevels, LargeTanksShowTheCellsColoursUnderTheMarks) {
    newPool(1000, 1000);
    std::mt19937 random(25);
    for (int j = 0; j < 1000; ++j)
        for (int i = 0; i < 1000; ++i) {
            float* c = cell(i, j).color;
            c[0] = float(random() % 256) / 255.0f;
            c[1] = float(random() % 256) / 255.0f;
            c[2] = float(random() % 256) / 255.0f;
        }
    cellsChanged(gEngine); // as an addition would have it
    lookDown(kDefaultZoom);
    frame();
    ASSERT_NE(gEngine.view.lod.flatTexture, 0u) << "the texture, not the lines";
    int wrong = 0;
    for (int y = 20; y < kHeight - 20; y += 37)
        for (int x = 80; x < kWidth - 80; x += 41)
            if (!showsCellUnder(x, y, kDefaultZoom)) {
                ++wrong;
                ADD_FAILURE() << "pixel " << x << ", " << y << " shows " << at(x, y);
            }
    EXPECT_EQ(wrong, 0);

    // A wall added after a frame is drawn in the next one.
    ZBDLL_AddWall(500, 500, 0, 1000, 0, 0, 0);
    frame();
    int i = 0, j = 0;
    for (int y = kHeight / 2 - 5; y < kHeight / 2 + 5; ++y) {
        nodeUnder(kWidth / 2, y, kDefaultZoom, i, j);
        if (j == 500) {
            EXPECT_TRUE(at(kWidth / 2, y).near({0, 0, 0}, 1)) << "the wall, " << at(kWidth / 2, y);
        }
    }

    // Marks and probe markers on top.
    const Rgb markColour = {255, 0, 255};
    ZBDLL_AddMarkLine(100, 200, 900, 200);
    ZBDLL_AddMarkHandle(300, 700);
    ZBDLL_AddProbe(700, 700, 0xff00ff);
    frame();
    auto pixelOf = [&](double node, bool column) {
        const Pool& p = gEngine.pool;
        const double perUnit = kHeight / (2.0 * kDefaultZoom * std::tan(M_PI / 8.0));
        return int(std::floor(((column ? p.originX : p.originZ) + node * p.spacing) * perUnit +
                              (column ? kWidth : kHeight) / 2.0));
    };
    auto orange = [](Rgb c) { return c.r > 230 && c.g > 90 && c.g < 140 && c.b < 30; };
    int lineOrange = 0;
    for (int y = pixelOf(200, false) - 2; y <= pixelOf(200, false) + 2; ++y)
        lineOrange += orange(at(pixelOf(500, true), y)) ? 1 : 0;
    EXPECT_GT(lineOrange, 0) << "the mark's line";
    EXPECT_TRUE(orange(at(pixelOf(300, true), pixelOf(700, false)))) << "the handle";
    int probe = 0;
    for (int y = pixelOf(700, false) - 8; y <= pixelOf(700, false) + 8; ++y)
        for (int x = pixelOf(700, true) - 8; x <= pixelOf(700, true) + 8; ++x)
            probe += at(x, y).near(markColour, 20) ? 1 : 0;
    EXPECT_GT(probe, 5) << "the probe's ring";
}

// Beyond the driver's texture size the cells are sampled; a pool of one column stays visible.
TEST_F(DetailLevels, TexturesOfAnySize) {
    newPool(1000, 1000);
    for (int k = 0; k < 40; ++k) { // bands of wall about 40 cells wide across both axes
        ZBDLL_AddWall(500, 600 + k, 0, 1000, 0, 0, 0);
        ZBDLL_AddWall(700 + k, 200, 90, 400, 0, 0, 0);
    }
    gEngine.view.lod.maxTextureSize = 256;
    lookDown(kDefaultZoom);
    frame();
    EXPECT_EQ(gEngine.view.lod.imageWidth, 256);
    EXPECT_EQ(gEngine.view.lod.imageHeight, 256);
    // Down the middle column, then along the row of node 200: 31 cells of wall and 181 of water
    // each way, 0.66 pixels a cell.
    int black = 0, water = 0;
    for (int y = 0; y < kHeight; ++y) {
        int i = 0, j = 0;
        nodeUnder(kWidth / 2, y, kDefaultZoom, i, j);
        if (j >= 605 && j <= 635)
            black += at(kWidth / 2, y).near({0, 0, 0}, 1) ? 1 : 0;
        else if (j >= 100 && j <= 280)
            water += at(kWidth / 2, y).near({255, 255, 255}, 1) ? 1 : 0;
    }
    EXPECT_GT(black, 14) << "down the middle";
    EXPECT_GT(water, 90) << "down the middle";
    black = water = 0;
    int rowY = 0;
    for (int y = 0, i = 0, j = 0; y < kHeight; ++y) {
        nodeUnder(kWidth / 2, y, kDefaultZoom, i, j);
        if (j == 200)
            rowY = y;
    }
    for (int x = 0; x < kWidth; ++x) {
        int i = 0, j = 0;
        nodeUnder(x, rowY, kDefaultZoom, i, j);
        if (i >= 705 && i <= 735)
            black += at(x, rowY).near({0, 0, 0}, 1) ? 1 : 0;
        else if (i >= 100 && i <= 280)
            water += at(x, rowY).near({255, 255, 255}, 1) ? 1 : 0;
    }
    EXPECT_GT(black, 14) << "along the row";
    EXPECT_GT(water, 90) << "along the row";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    gEngine.view.lod.maxTextureSize = 0;
    newPool(1, 3000);
    lookDown(kDefaultZoom);
    frame();
    EXPECT_NE(gEngine.view.lod.flatTexture, 0u);
    int shown = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = kWidth / 2 - 3; x <= kWidth / 2 + 3; ++x)
            shown += at(x, y).near({255, 255, 255}, 1) ? 1 : 0;
    EXPECT_GT(shown, 500) << "the column of water";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// The coarse relief keeps a wall of one cell, between the nodes it samples, in the wall's colour,
// and elsewhere shows the waves lit as the full mesh does.
TEST_F(DetailLevels, OneCellWallStaysInTheCoarseRelief) {
    newPool(1000, 1000);
    ZBDLL_AddExciter(500, 200, 5, 5, 0, 40.0, 0.05, true);
    for (int i = 0; i < 1000; ++i) { // row 502, no multiple of the stride, as a wall is written
        Oscillator& o = cell(i, 502);
        o.fixed = o.wall = true;
        o.color[0] = o.color[1] = o.color[2] = 0.0f;
    }
    cellsChanged(gEngine);
    for (int j = 0; j < 1000; ++j) // waves of about 60 cells, heights and normals from them
        for (int i = 0; i < 1000; ++i)
            if (!cell(i, j).fixed)
                cell(i, j).elongation = 0.01 * std::sin(0.1 * i) * std::cos(0.07 * j);
    stepPool(pool(), 0.0f, 0.0f, true);
    ZBDLL_SetViewParameters(false, false);
    ZBDLL_Set3dMode(true);
    ZBDLL_SetCamera(0.0, 1.0, 0.6, 0.0, 0.0);
    ZBDLL_RepaintScene(true, true); // fills the polygons
    frame(false);
    const ReliefMesh mesh = reliefMesh(nullptr);
    ASSERT_NE(mesh.indices, pool().triangleIndices.get()) << "the coarse mesh";
    EXPECT_LT(mesh.count, size_t(6) * 999 * 999 / 4) << "a quarter of the full mesh's";
    EXPECT_EQ(pool().triangleIndices, nullptr) << "the full mesh is not held";
    int black = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            black += at(x, y).near({0, 0, 0}, 6) ? 1 : 0;
    EXPECT_GT(black, 300) << "the wall across the relief";

    const std::vector<uint8_t> coarse = pixels_;
    gEngine.view.lod.reliefStride = 1;
    const std::vector<uint8_t> full = frame(false);
    int unlike = 0, lit = 0;
    for (size_t k = 0; k + 2 < full.size(); k += 3) {
        if (full[k] == kBackground.r && full[k + 2] == kBackground.b)
            continue;
        ++lit;
        for (size_t c = k; c < k + 3; ++c)
            if (std::abs(int(coarse[c]) - int(full[c])) > 12) {
                ++unlike;
                break;
            }
    }
    EXPECT_GT(lit, kWidth * kHeight / 2);
    EXPECT_LT(unlike, lit / 50) << "pixels unlike the full mesh's";
}

// The wire frame of a large pool is drawn from the coarse grid too, with the wall's cells at
// full detail; up to 200 cells a side it is the designed grid of every line.
TEST_F(DetailLevels, TheWireFrameIsCoarseAboveTheDesignedSizesAndKeepsAWall) {
    newPool(200, 200);
    EXPECT_EQ(wireMesh(nullptr).indices, pool().lineIndices.get()) << "200 x 200 as designed";
    newPool(1000, 1000);
    for (int i = 0; i < 1000; ++i) { // row 502, between the rows the coarse grid takes
        Oscillator& o = cell(i, 502);
        o.fixed = o.wall = true;
        o.color[0] = o.color[1] = o.color[2] = 0.0f;
    }
    cellsChanged(gEngine);
    ZBDLL_SetViewParameters(false, true);
    ZBDLL_Set3dMode(true);
    ZBDLL_SetCamera(0.0, 1.0, 0.6, 0.0, 0.0);
    frame(false);
    const ReliefMesh mesh = wireMesh(nullptr);
    ASSERT_NE(mesh.indices, pool().lineIndices.get()) << "the coarse lines";
    EXPECT_LT(mesh.count, size_t(4) * 999 * 1000 / 4) << "a quarter of the full grid's";
    EXPECT_EQ(pool().lineIndices, nullptr) << "the full grid is not held";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    // The wall's row in the picture: a long run of black pixels on some row.
    int longest = 0;
    for (int y = 0; y < kHeight; ++y) {
        int run = 0;
        for (int x = 0; x < kWidth; ++x) {
            run = at(x, y).near({0, 0, 0}, 6) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GT(longest, kWidth / 3) << "the wall across the wire frame";
}

// A moving exciter changes the cells' colours during the run: the texture follows it.
TEST_F(DetailLevels, AMovingExcitersFootprintIsDrawnWhereItIsNow) {
    ASSERT_EQ(ZBDLL_CreateEmptyPool(1000, 1000, 0.0, 4.0, 10), 0);
    ZBDLL_AddExciter(300, 500, 9, 9, 0, 10.0, 0.1, true);
    ZBDLL_SetExciterMotion(20000.0, 0.0, 0); // some hundred cells in a few steps
    lookDown(kDefaultZoom);
    frame();
    ASSERT_NE(gEngine.view.lod.flatTexture, 0u) << "the texture, not the lines";
    std::vector<bool> wasExciter(pool().cellCount());
    for (size_t k = 0; k < wasExciter.size(); ++k)
        wasExciter[k] = pool().oscillators[k].exciter;
    ZBDLL_SetPaused(false);
    for (int step = 0; step < 4; ++step)
        ZBDLL_NextFrame();
    frame();
    int checked = 0;
    for (int y = kHeight / 2 - 30; y < kHeight / 2 + 30; ++y)
        for (int x = 0; x < kWidth; ++x) {
            int i = 0, j = 0;
            nodeUnder(x, y, kDefaultZoom, i, j);
            if (i < 1 || j < 1 || i >= 999 || j >= 999)
                continue;
            const size_t k = size_t(j) * 1000 + size_t(i);
            bool whole = true; // the node and its neighbours, so that rounding cannot mislead
            for (int dj = -1; dj <= 1; ++dj)
                for (int di = -1; di <= 1; ++di)
                    whole = whole && cell(i + di, j + dj).exciter &&
                            !wasExciter[size_t(j + dj) * 1000 + size_t(i + di)];
            if (!whole)
                continue;
            ++checked;
            EXPECT_TRUE(at(x, y).near(colorOf(pool().oscillators[k]), 1))
                << "pixel " << x << ", " << y << " shows " << at(x, y) << " over the exciter";
        }
    EXPECT_GT(checked, 0) << "the exciter moved onto water that is seen";
}

// Under a pixel per cell the texture shows every second or third row only; a one-cell wall on any
// row must still be seen along its whole length.
TEST_F(DetailLevels, OneCellWallsShowOnEveryRowInTheFlatTexture) {
    const double perUnit = kHeight / (2.0 * kDefaultZoom * std::tan(M_PI / 8.0));
    for (int row = 400; row < 405; ++row) {
        ASSERT_EQ(ZBDLL_CreateEmptyPool(1000, 1000, 0.0, 4.0, 10), 0);
        for (int i = 200; i < 800; ++i) { // one cell thick, as a thin curved wall has it
            Oscillator& o = cell(i, row);
            o.fixed = o.wall = true;
            o.color[0] = o.color[1] = o.color[2] = 0.0f;
        }
        cellsChanged(gEngine);
        lookDown(kDefaultZoom);
        frame();
        ASSERT_NE(gEngine.view.lod.flatTexture, 0u) << "the texture, not the lines";
        const Pool& p = gEngine.pool;
        const int y =
            int(std::floor((p.originZ + double(row) * p.spacing) * perUnit + kHeight / 2.0));
        int missing = 0;
        for (int x = kWidth / 2 - 150; x <= kWidth / 2 + 150; x += 3) {
            bool wall = false;
            for (int dy = -1; dy <= 1; ++dy)
                wall = wall || at(x, y + dy).near({0, 0, 0}, 1);
            missing += wall ? 0 : 1;
        }
        EXPECT_EQ(missing, 0) << "wall on row " << row;
    }
}

// A large pool holds no full index list: the flat view's texture and the coarse relief need none.
// Zoomed in, the flat view has the grid lines of the cells on screen only, and draws them out to
// the picture's edges, also with the pool turned and beside the pool's border.
TEST_F(DetailLevels, ALargePoolHoldsTheGridLinesOnScreenOnly) {
    newPool(1000, 1000);
    EXPECT_EQ(pool().lineIndices, nullptr) << "none built with the pool";
    EXPECT_EQ(pool().triangleIndices, nullptr) << "none built with the pool";
    lookDown(kDefaultZoom);
    frame();
    ASSERT_NE(gEngine.view.lod.flatTexture, 0u) << "the texture, not the lines";
    EXPECT_EQ(pool().lineIndices, nullptr);
    EXPECT_EQ(pool().triangleIndices, nullptr);

    constexpr double kClose = 0.4; // the editor's nearest zoom: two pixels a cell at 1000 x 1000
    const double perUnit = kHeight / (2.0 * kClose * std::tan(M_PI / 8.0));
    struct View {
        double eyeX, eyeZ, angle;
    };
    for (const View view : {View{0.0, 0.0, 0.0}, View{0.35, -0.3, 0.0}, View{0.1, 0.1, 30.0}}) {
        ZBDLL_SetCamera(view.eyeX, kClose, view.eyeZ, kClose - 1.0, view.eyeZ);
        ZBDLL_SetPoolAngle(view.angle);
        frame();
        ASSERT_NE(pool().lineIndices, nullptr) << "the lines at " << view.eyeX;
        EXPECT_LT(pool().lineIndexCount, size_t(4) * 999 * 1000 / 3) << "those on screen";
        // Along the picture's edges and middle lines, wherever the pool lies under a stretch of
        // 20 pixels, lines cross it.
        auto overPool = [&](int x, int y) {
            const double a = -view.angle * M_PI / 180.0;
            const double wx = (x + 0.5 - kWidth / 2.0) / perUnit + view.eyeX;
            const double wz = (y + 0.5 - kHeight / 2.0) / perUnit + view.eyeZ;
            const double px = std::cos(a) * wx - std::sin(a) * wz;
            const double pz = std::sin(a) * wx + std::cos(a) * wz;
            return std::abs(px) < 0.49 && std::abs(pz) < 0.49;
        };
        int bare = 0, checked = 0;
        auto stretch = [&](int x, int y, int dx, int dy) {
            for (int k = 0; k < 20; ++k)
                if (!overPool(x + k * dx, y + k * dy))
                    return;
            int lines = 0;
            for (int k = 0; k < 20; ++k)
                lines += at(x + k * dx, y + k * dy).near(kBackground, 2) ? 0 : 1;
            ++checked;
            if (lines < 5) {
                ++bare;
                ADD_FAILURE() << "no lines from " << x << ", " << y << " at " << view.eyeX;
            }
        };
        for (int x = 0; x + 20 <= kWidth; x += 20)
            for (const int y : {0, kHeight / 2, kHeight - 1})
                stretch(x, y, 1, 0);
        for (int y = 0; y + 20 <= kHeight; y += 20)
            for (const int x : {0, kWidth / 2, kWidth - 1})
                stretch(x, y, 0, 1);
        EXPECT_GT(checked, 20);
        EXPECT_EQ(bare, 0);
    }
    ZBDLL_SetPoolAngle(0.0);
    lookDown(kDefaultZoom);
    frame();
    EXPECT_EQ(pool().lineIndices, nullptr) << "given back with the texture";
}

} // namespace zb::test
