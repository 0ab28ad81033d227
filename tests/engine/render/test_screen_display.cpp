// Screens: boxes in the scene and the profile panel over its two background pictures.
#include "gl_fixture.h"

namespace zb::test {

namespace {

constexpr Rgb kFirstScreen{153, 51, 51};  // (0.6, 0.2, 0.2)
constexpr Rgb kSecondScreen{51, 153, 51}; // (0.2, 0.6, 0.2)

} // namespace

using ScreenDisplay = GlTest;

TEST_F(ScreenDisplay, BoxesOutlineTheirLinesInTheFlatView) {
    newPool(21, 21);
    ZBDLL_AddScreen(5, true);
    ZBDLL_AddScreen(15, false);
    lookDown(1.5);
    capture(true);
    auto first = [](Rgb c) { return c.near(kFirstScreen, 2); };
    auto second = [](Rgb c) { return c.near(kSecondScreen, 2); };
    // Row 5 lies at z = -0.25, window row 120 - 48; the box is one spacing deep.
    EXPECT_GT(count(first, 62, 83), 150);
    EXPECT_EQ(count(first, 0, 60) + count(first, 85, kHeight), 0);
    EXPECT_GT(count(second), 150);
    capture(false);
    EXPECT_EQ(count(first) + count(second), 0) << "no boxes without drawScreens";
}

TEST_F(ScreenDisplay, PanelShowsBothBackgroundsWithoutScreens) {
    newPool(21, 21);
    lookDown(1.5);
    capture(true, true);
    for (int x : {40, 120, 200, 280}) {
        const Rgb c = at(x, 232);
        EXPECT_FALSE(c.near(kBackground, 10)) << x << ": " << c;
        EXPECT_GT(c.r + c.g + c.b, 3 * 180) << "a light picture, " << x << ": " << c;
    }
    // The two halves are tinted differently.
    EXPECT_FALSE(at(80, 232).near(at(240, 232), 2));
}

TEST_F(ScreenDisplay, TranslucentBackgroundsLetTheSceneShowThrough) {
    newPool(21, 21);
    lookDown(1.5);
    capture(true, false);
    const std::vector<uint8_t> scene = pixels_;
    capture(true, true);
    const std::vector<uint8_t> opaque = pixels_;
    ZBDLL_SetViewParameters(true, true);
    capture(true, true);
    for (int x : {30, 110, 170, 250}) {
        for (int y : {216, 236}) {
            const size_t k = (size_t(kHeight - 1 - y) * kWidth + size_t(x)) * 3;
            for (int c = 0; c < 3; ++c) {
                const double mixed = 0.3 * opaque[k + c] + 0.7 * scene[k + c];
                EXPECT_NEAR(pixels_[k + c], mixed, 2.5) << x << "," << y << " channel " << c;
            }
        }
    }
}

TEST_F(ScreenDisplay, ProfilesFollowTheHeightsInTheirHalf) {
    newPool(21, 21);
    ZBDLL_AddScreen(10, true);
    ZBDLL_AddScreen(10, false);
    lookDown(1.5);
    capture(true, true);
    auto first = [](Rgb c) { return c.near(kFirstScreen, 2); };
    auto second = [](Rgb c) { return c.near(kSecondScreen, 2); };
    // Flat water: straight curves along the middle line, horizontal screens on the left.
    int left = 0, right = 0;
    for (int x = 0; x < kWidth; ++x) {
        left += first(at(x, kPanelMiddle)) || first(at(x, kPanelMiddle - 1)) ? 1 : 0;
        right += second(at(x, kPanelMiddle)) || second(at(x, kPanelMiddle - 1)) ? 1 : 0;
    }
    EXPECT_GT(left, 140);
    EXPECT_LT(left, 161);
    EXPECT_GT(right, 140);
    EXPECT_LT(right, 161);
    EXPECT_FALSE(first(at(200, kPanelMiddle)));
    EXPECT_FALSE(second(at(100, kPanelMiddle)));

    // Lift the measured row by 0.05: the curve rises by 0.05 of the window's half-height.
    for (int i = 0; i < 21; ++i)
        cell(i, 10).elongation = 0.05;
    stepPool(pool(), 0.0f, 0.0f, true);
    capture(true, true);
    EXPECT_EQ(count(first, kPanelMiddle - 2, kPanelMiddle + 2), 0);
    EXPECT_GT(count(first, kPanelMiddle - 8, kPanelMiddle - 4), 140);
}

TEST_F(ScreenDisplay, FirstRowGetsABoxButNoCurve) {
    newPool(21, 21);
    ZBDLL_AddScreen(0, true);
    ZBDLL_AddScreen(-3, true);
    ZBDLL_AddScreen(400, false);
    lookDown(1.5);
    capture(true, true);
    auto first = [](Rgb c) { return c.near(kFirstScreen, 2); };
    EXPECT_GT(count(first, 0, 200), 100) << "the box at the back edge";
    EXPECT_EQ(count(first, 200, kHeight), 0) << "no curve";
    EXPECT_EQ(count([](Rgb c) { return c.near({51, 51, 153}, 2); }, 200, kHeight), 0);
}

TEST_F(ScreenDisplay, LaterScreensAreDrawnOnTop) {
    newPool(21, 21);
    ZBDLL_AddScreen(10, true);
    ZBDLL_AddScreen(10, true);
    lookDown(1.5);
    capture(true, true);
    EXPECT_EQ(count([](Rgb c) { return c.near(kFirstScreen, 2); }, 200, kHeight), 0);
    EXPECT_GT(count([](Rgb c) { return c.near(kSecondScreen, 2); }, 200, kHeight), 140);
}

// A pool that is not square tells the two sides apart, which every test above leaves alike.
TEST_F(ScreenDisplay, ANonSquarePoolsProfilesFillTheirHalvesUpToTheLastRowAndColumn) {
    // 41 x 21: a horizontal screen spans 41 nodes, a vertical one 21; both on the last line.
    newPool(41, 21);
    ZBDLL_AddScreen(20, true);
    ZBDLL_AddScreen(40, false);
    // The last row lifted, so that the vertical screen's curve cannot hide the horizontal one.
    for (int i = 0; i < 41; ++i)
        cell(i, 20).elongation = 0.05;
    stepPool(pool(), 0.0f, 0.0f, true);
    lookDown(1.5);
    capture(false, true);
    // The first and last panel column a screen's colour appears in, and how often.
    const auto extent = [&](Rgb colour) {
        struct {
            int lo = kWidth, hi = -1, pixels = 0;
        } e;
        for (int y = 205; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (at(x, y).near(colour, 2)) {
                    e.lo = std::min(e.lo, x);
                    e.hi = std::max(e.hi, x);
                    ++e.pixels;
                }
        return e;
    };
    const auto h = extent(kFirstScreen);
    EXPECT_GT(h.pixels, 140) << "the last row has its curve";
    EXPECT_LE(h.lo, 1);
    EXPECT_GE(h.hi, 150) << "41 nodes over the left half";
    EXPECT_LT(h.hi, 160);
    const auto v = extent(kSecondScreen);
    EXPECT_GT(v.pixels, 140) << "the last column has its curve";
    EXPECT_GE(v.lo, 159);
    EXPECT_LE(v.lo, 161);
    EXPECT_GE(v.hi, 300) << "21 nodes over the right half";
    EXPECT_LT(v.hi, 320);
}

TEST_F(ScreenDisplay, BackgroundPicturesStandUpright) {
    newPool(41, 21);
    lookDown(1.5);
    capture(false, true);
    // Each picture's caption sits in its top left corner: darker than the same corner below.
    const auto brightness = [&](int x0, int y0) {
        int sum = 0;
        for (int y = y0; y < y0 + 8; ++y)
            for (int x = x0; x < x0 + 40; ++x) {
                const Rgb c = at(x, y);
                sum += c.r + c.g + c.b;
            }
        return sum / (8 * 40 * 3);
    };
    for (int left : {2, 162})
        EXPECT_LT(brightness(left, 211), brightness(left, 231) - 15) << "picture at " << left;
}

} // namespace zb::test
