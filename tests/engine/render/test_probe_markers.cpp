// Probe markers: a ring in the probe's colour over its oscillator in the flat view, a post in
// the relief; gone with the probes.
#include "gl_fixture.h"

#include <cmath>

namespace zb::test {

namespace {

constexpr uint32_t kProbeColour = 0xff00ff;

bool isProbeColour(Rgb c) {
    return c.near({255, 0, 255}, 20);
}

} // namespace

using ProbeMarkers = GlTest;

TEST_F(ProbeMarkers, ARingOverTheOscillatorAndAPostInTheRelief) {
    newPool(21, 21);
    ZBDLL_AddProbe(10, 15, kProbeColour);
    ZBDLL_AddProbe(30, 5, 0x00ffff); // outside: never drawn
    lookDown(1.5);
    // Looking straight down from 1.5: oscillator k lies 193.2 (-0.5 + 0.05 k) pixels from the
    // window's centre (see the marks' test).
    auto pixel = [](double k) { return int(std::lround((-0.5 + 0.05 * k) * 193.2)); };
    const int x = 160 + pixel(10), y = 120 + pixel(15);
    std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
    int32_t w = 0, h = 0;
    ASSERT_EQ(ZBDLL_ReadFrame(false, false, rgb.data(), int64_t(rgb.size()), &w, &h), 0);
    ASSERT_EQ(w, kWidth);
    auto frameAt = [&](int px, int py) {
        const size_t k = (size_t(py) * size_t(w) + size_t(px)) * 3;
        return Rgb{rgb[k], rgb[k + 1], rgb[k + 2]};
    };
    EXPECT_TRUE(isProbeColour(frameAt(x + 3, y))) << frameAt(x + 3, y);
    EXPECT_TRUE(isProbeColour(frameAt(x, y - 4))) << frameAt(x, y - 4);
    EXPECT_TRUE(frameAt(x, y).near({0, 0, 0}, 40)) << "the centre marks the oscillator";
    EXPECT_TRUE(frameAt(x + 6, y).near({0, 0, 0}, 40)) << "the rim";
    capture();
    EXPECT_EQ(count(isProbeColour), 11 * 11 - 3 * 3);
    EXPECT_EQ(count([](Rgb c) { return c.near({0, 255, 255}, 20); }), 0);

    // In the relief, seen from the front and above, a post stands on the surface.
    ZBDLL_Set3dMode(true);
    ZBDLL_SetCamera(0.0, 0.8, 1.2, 0.0, 0.0);
    capture();
    EXPECT_GT(count(isProbeColour), 20);

    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(21, 21, 0.0, 1.0, 0);
    capture();
    EXPECT_EQ(count(isProbeColour), 0) << "a reset discards the probes";
}

// The post stands on the surface as it is drawn: with the heights scaled down, a raised cell's
// post comes down with the water instead of floating at the computed height.
TEST_F(ProbeMarkers, ThePostFollowsTheDrawnHeights) {
    newPool(21, 21);
    ZBDLL_AddProbe(10, 10, kProbeColour);
    ZBDLL_Set3dMode(true);
    ZBDLL_SetCamera(0.0, 0.8, 1.2, 0.0, 0.0);
    auto lowestProbeRow = [&] {
        capture();
        for (int y = kHeight - 1; y >= 0; --y)
            if (count(isProbeColour, y, y + 1) > 0)
                return y;
        return -1;
    };
    const int atRest = lowestProbeRow();
    ASSERT_GE(atRest, 0);
    for (int64_t k = 0; k < int64_t(gEngine.pool.cellCount()); ++k)
        gEngine.pool.oscillators[size_t(k)].position.y = 0.4f;
    const int raised = lowestProbeRow();
    EXPECT_LT(raised, atRest - 20) << "a raised surface lifts the post";
    ZBDLL_SetHeightScale(0.01f);
    EXPECT_NEAR(lowestProbeRow(), atRest, 3) << "scaled down, the post is back on the water";
    ZBDLL_SetHeightScale(1.0f);
}

} // namespace zb::test
