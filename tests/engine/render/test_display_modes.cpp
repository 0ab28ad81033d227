// The display beyond the designed colours, read back from the frame: colour by elevation in
// every view, the intensity map, the height scale and the panel's averaged intensity.
#include "gl_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zb::test {

namespace {

bool isCrest(Rgb c) {
    return c.r > 100 && c.r > c.g + 60 && c.r > c.b + 50;
}
bool isTrough(Rgb c) {
    return c.b > 90 && c.r < 90 && c.b > c.r + 50 && c.b > c.g + 20; // not the background
}

// Window column (x) or row (z) of a point at height 0 seen straight down from 1.5.
int seenFromAbove(double world) {
    return int(std::lround(world * 193.2));
}

constexpr Rgb kIntensityCurve{255, 140, 0}; // (1, 0.55, 0)

enum class View { Flat, WireFrame, Relief, BirdsEye };

// Polygon mode is fixed when the pool is set up, so the view is chosen before the pool.
void chooseView(View v) {
    ZBDLL_SetViewParameters(false, v == View::WireFrame);
    ZBDLL_Set3dMode(v != View::Flat);
}

void placeCamera(View v) {
    if (v == View::BirdsEye)
        ZBDLL_SetCamera(0.0, 1.1, 1.0, 0.0, 0.0);
    else
        ZBDLL_SetCamera(0.0, 1.5, 0.0, 0.5, 0.0);
}

// A crest on the left and a trough on the right of a 41 x 41 pool, heights and normals set.
void crestAndTrough() {
    EngineTest::newPool(41, 41);
    for (int j = 18; j <= 22; ++j)
        for (int d = 0; d < 5; ++d) {
            EngineTest::cell(8 + d, j).elongation = 0.1;
            EngineTest::cell(28 + d, j).elongation = -0.1;
        }
    stepPool(EngineTest::pool(), 0.0f, 0.0f, true);
}

std::vector<Oscillator> records() {
    const Pool& p = EngineTest::pool();
    return {p.oscillators.get(), p.oscillators.get() + p.cellCount()};
}

bool sameBytes(const std::vector<Oscillator>& a, const std::vector<Oscillator>& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(Oscillator)) == 0;
}

} // namespace

class DisplayModes : public GlTest {
  protected:
    // Pixels matching pred and the mean of their columns.
    template <class Pred>
    std::pair<int, double> where(Pred pred) const {
        int n = 0;
        double sum = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (pred(at(x, y))) {
                    ++n;
                    sum += x;
                }
        return {n, n > 0 ? sum / n : 0.0};
    }
};

TEST_F(DisplayModes, CrestsAndTroughsTakeTheirColoursInEveryView) {
    for (View v : {View::Flat, View::WireFrame, View::Relief, View::BirdsEye}) {
        SCOPED_TRACE(int(v));
        chooseView(v);
        crestAndTrough();
        placeCamera(v);
        ZBDLL_SetColorMode(0);
        capture(false);
        EXPECT_EQ(where(isCrest).first + where(isTrough).first, 0) << "the designed colours";
        ZBDLL_SetColorMode(1);
        capture(false);
        const auto [crests, crestX] = where(isCrest);
        const auto [troughs, troughX] = where(isTrough);
        EXPECT_GT(crests, 40);
        EXPECT_GT(troughs, 40);
        EXPECT_LT(crestX, 150) << "the crest lies left of the middle";
        EXPECT_GT(troughX, 170);
    }
}

TEST_F(DisplayModes, WallsExcitersAndMaterialChangesKeepTheirColoursInBothModes) {
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        ZBDLL_SetColorMode(0);
        newPool(21, 21);
        ZBDLL_AddMatChange(10, 1.0, 0.5); // the designed water turns yellow from row 10 on
        ZBDLL_AddWall(10, 16, 0, 21, 0, 0, 0);
        ZBDLL_AddExciter(10, 4, 3, 3, 0, 10.0, 0.1, true);
        ZBDLL_SetColorMode(mode);
        placeCamera(View::Flat);
        capture(false);
        // Black walls on the elevation scale; on the intensity scale, whose dark end they would
        // vanish in, light grey.
        const Rgb wall = mode == 1 ? Rgb{0, 0, 0} : Rgb{191, 191, 191};
        EXPECT_GT(count([&](Rgb c) { return c.near(wall, 2); }), 150) << "wall";
        EXPECT_GT(count([](Rgb c) { return c.r < 40 && c.g > 200 && c.b < 40; }), 20) << "exciter";
        // Still water: white on the elevation scale, the dark end on the intensity scale; either
        // takes the material's tint, half the blue, on the intensity scale mixed a quarter of
        // the way towards it.
        const Rgb water = mode == 1 ? Rgb{255, 255, 255} : Rgb{13, 13, 64};
        const Rgb tinted = mode == 1 ? Rgb{water.r, water.g, water.b / 2} : Rgb{73, 73, 56};
        EXPECT_GT(count([&](Rgb c) { return c.near(water, 2); }, 0, 115), 200);
        EXPECT_GT(count([&](Rgb c) { return c.near(tinted, 2); }, 125, kHeight), 200);
    }
}

TEST_F(DisplayModes, WallsEdgesAndExcitersStandOutFromStillWaterInEveryMode) {
    // A fresh pool, as after a start or a reset: nothing measured yet, the water at rest.
    constexpr int n = 61;
    auto seen = [&](int i, int j) {
        const int x = 160 + seenFromAbove(-0.5 + i / double(n - 1));
        const int y = 120 + seenFromAbove(-0.5 + j / double(n - 1));
        for (int dy : {0, -1, 1})
            if (!at(x, y + dy).near(kBackground, 6))
                return at(x, y + dy);
        return kBackground;
    };
    auto apart = [](Rgb a, Rgb b) {
        return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
    };
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        ZBDLL_ResetAll();
        ZBDLL_SetColorMode(0);
        ZBDLL_CreateEmptyPool(n, n, 0.0, 1.0, 6);
        ZBDLL_AddWall(30, 40, 0, 40, 0, 0, 0);
        ZBDLL_AddExciter(30, 15, 3, 3, 0, 25.0, 0.2, true);
        ZBDLL_AddEdges(true, true, true, true);
        ZBDLL_SetColorMode(mode);
        placeCamera(View::Flat);
        capture(false);
        const Rgb water = seen(30, 28);
        ASSERT_FALSE(water.near(kBackground, 6));
        EXPECT_GE(apart(seen(30, 40), water), 200) << "wall " << seen(30, 40) << " on " << water;
        EXPECT_GE(apart(seen(30, 15), water), 200) << "exciter " << seen(30, 15);
        for (const auto& [i, j] : {std::pair{1, 28}, {59, 28}, {30, 1}, {30, 59}})
            EXPECT_GE(apart(seen(i, j), water), 150)
                << "damped edge at " << i << ", " << j << ": " << seen(i, j) << " on " << water;
    }
}

TEST_F(DisplayModes, HeightScaleChangesThePictureButNoStoredHeight) {
    chooseView(View::Relief);
    newPool(41, 41);
    for (int j = 0; j < 41; ++j)
        for (int i = 0; i < 41; ++i)
            cell(i, j).elongation = 0.05 * std::sin(0.4 * i);
    stepPool(pool(), 0.0f, 0.0f, true);
    placeCamera(View::BirdsEye); // oblique, so that heights move the surface in the picture
    const std::vector<Oscillator> before = records();
    capture(false);
    const std::vector<uint8_t> plain = pixels_;
    ZBDLL_SetHeightScale(4.0f);
    capture(false);
    EXPECT_TRUE(sameBytes(before, records()));
    size_t changed = 0;
    for (size_t k = 0; k < plain.size(); k += 3)
        changed += std::memcmp(&plain[k], &pixels_[k], 3) != 0 ? 1 : 0;
    EXPECT_GT(changed, 2000u);
    for (float meaningless : {0.0f, -2.0f, NAN, INFINITY}) {
        ZBDLL_SetHeightScale(meaningless);
        capture(false);
        EXPECT_EQ(pixels_, plain) << meaningless << " counts as 1";
    }

    // Flat water is lit as before at any scale: the normals keep unit length.
    newPool(21, 21);
    placeCamera(View::Relief);
    for (float scale : {0.25f, 5.0f}) {
        ZBDLL_SetHeightScale(scale);
        capture(false);
        EXPECT_TRUE(at(160, 120).near({204, 204, 204}, 2)) << scale << ": " << at(160, 120);
    }
}

TEST_F(DisplayModes, ThePanelDrawsTheAveragedIntensityAsTheProfilesEnvelope) {
    newPool(21, 21);
    ZBDLL_AddScreen(10, true);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame(); // the screen's average exists from its first step
    ASSERT_EQ(gEngine.display.screens.size(), 1u);
    // The average of a sine wave 0.1 high: its envelope lies 12 rows above and below the middle.
    gEngine.display.screens[0].values.assign(21, 0.1f * 0.1f / 2);
    placeCamera(View::Flat);
    auto curve = [](Rgb c) { return c.near(kIntensityCurve, 3); };
    capture(true, true);
    EXPECT_EQ(count(curve), 0) << "not shown by default";
    ZBDLL_SetScreenIntensity(true);
    capture(true, true);
    EXPECT_GT(count(curve, kPanelMiddle - 14, kPanelMiddle - 10), 140);
    EXPECT_GT(count(curve, kPanelMiddle + 10, kPanelMiddle + 14), 140);
    EXPECT_EQ(
        count(curve, 0, kPanelMiddle - 14) + count(curve, kPanelMiddle - 9, kPanelMiddle + 10), 0);
}

TEST_F(DisplayModes, AStrongWavesEnvelopeIsScaledIntoThePanel) {
    newPool(21, 21);
    ZBDLL_AddScreen(10, true);
    ZBDLL_SetScreenIntensity(true);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();
    ASSERT_EQ(gEngine.display.screens.size(), 1u);
    // Sine waves 0.5 high on the left half of the line, 0.25 on the right: four and two times
    // the panel's half height of 0.125.
    std::vector<float>& values = gEngine.display.screens[0].values;
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = i < 10 ? 0.5f * 0.5f / 2 : 0.25f * 0.25f / 2;
    placeCamera(View::Flat);
    auto curve = [](Rgb c) { return c.near(kIntensityCurve, 3); };
    capture(true, true);
    const int top = kPanelMiddle - 15; // y = -0.75
    EXPECT_EQ(count(curve, 0, top - 1), 0) << "nothing above the panel";
    EXPECT_GT(count(curve, top - 1, top + 3), 50) << "the highest part touches the panel's top";
    EXPECT_GT(count(curve, kPanelMiddle - 9, kPanelMiddle - 6), 50) << "the rest at half of it";
}

TEST_F(DisplayModes, TheIntensityMapIsDarkWhereTheAveragedFieldHasItsMinima) {
    // Two slits in a wall across the pool, lit by an exciter in front of them; damped edges
    // keep reflections weak.
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(61, 61, 0.0, 1.0, 6);
    ZBDLL_AddEdges(true, true, true, true);
    ZBDLL_AddWall(30, 20, 0, 61, 2, 3, 10);
    ZBDLL_AddExciter(30, 9, 3, 3, 0, 25.0, 0.2, true);
    ZBDLL_SetColorMode(2);
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 1500; ++k)
        ZBDLL_NextFrame();
    placeCamera(View::Flat);
    capture(false);
    // Along a row behind the slits: the brightness of the grid line at each node.
    const int j = 45;
    const int y = 120 + seenFromAbove(-0.5 + j / 60.0);
    auto brightness = [&](int i) {
        const int x = 160 + seenFromAbove(-0.5 + i / 60.0);
        for (int dy : {0, -1, 1})
            if (!at(x, y + dy).near(kBackground, 6))
                return at(x, y + dy).r + at(x, y + dy).g + at(x, y + dy).b;
        return -1;
    };
    const float* field = &gEngine.display.intensity[size_t(j) * 61];
    int darkLines = 0;
    for (int m = 10; m <= 50; ++m) {
        const float* around = field + m - 8;
        const float brightest = *std::max_element(around, around + 17);
        if (!(field[m] < field[m - 1] && field[m] < field[m + 1] && field[m] < 0.1f * brightest))
            continue;
        ++darkLines;
        int darkest = m;
        for (int i = m - 4; i <= m + 4; ++i)
            if (brightness(i) >= 0 && brightness(i) < brightness(darkest))
                darkest = i;
        EXPECT_LE(std::abs(darkest - m), 1) << "the field's minimum at column " << m;
        const int bright = int(std::max_element(around, around + 17) - field);
        EXPECT_LT(brightness(m), brightness(bright) - 250) << m << " against " << bright;
    }
    EXPECT_GE(darkLines, 2) << "a two-slit pattern behind the wall";
}

} // namespace zb::test
