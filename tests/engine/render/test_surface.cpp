// The three views of the surface: flat top view, lit relief, wire frame.
#include "gl_fixture.h"

#include <cmath>
#include <limits>

namespace zb::test {

namespace {

bool isWhite(Rgb c) {
    return c.r > 250 && c.g > 250 && c.b > 250;
}
bool isGreen(Rgb c) {
    return c.r < 40 && c.g > 200 && c.b < 40;
}

} // namespace

using Surface = GlTest;

TEST_F(Surface, FlatViewShowsTheLayoutFromAbove) {
    newPool(21, 21);
    ZBDLL_AddWall(10, 10, 0, 21, 0, 0, 0); // rows 10 and 11, all columns
    ZBDLL_AddExciter(10, 4, 3, 3, 0, 10.0, 0.1, true);
    lookDown(1.5);
    capture(false);
    EXPECT_TRUE(at(2, 2).near(kBackground)) << at(2, 2);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    // Looking straight down from 1.5: a world z maps to row 120 + 193 z, -z at the top.
    auto row = [](int j) { return 120 + int(std::lround((-0.5 + 0.05 * j) * 193.2)); };
    int blackOutside = 0, blackInside = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (isBlack(at(x, y)))
                (y >= row(10) - 2 && y <= row(11) + 2 ? blackInside : blackOutside)++;
    EXPECT_GT(blackInside, 150) << "the wall's grid lines";
    EXPECT_EQ(blackOutside, 0);
    EXPECT_GT(count(isGreen, row(3) - 2, row(5) + 3), 20) << "the exciter";
    EXPECT_EQ(count(isGreen, row(6), kHeight), 0);
    EXPECT_GT(count(isWhite), 1000) << "water grid";
}

TEST_F(Surface, FlatViewIgnoresTheWaves) {
    newPool(31, 31);
    ZBDLL_AddExciter(15, 15, 3, 3, 0, 40.0, 0.3, true);
    lookDown(1.5);
    capture();
    const std::vector<uint8_t> atRest = pixels_;
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 30; ++k)
        ZBDLL_NextFrame();
    ASSERT_NE(cell(15, 15).position.y, 0.0f);
    capture();
    EXPECT_EQ(pixels_, atRest);
}

TEST_F(Surface, ReliefIsLitFromAboveAndDarkFromBelow) {
    ZBDLL_SetViewParameters(false, false); // before the pool: it fixes the polygon mode
    ZBDLL_Set3dMode(true);
    newPool(21, 21);
    lookDown(1.5);
    capture(false);
    // Flat water facing up: ambient 0.2 plus diffuse 0.6 of white.
    EXPECT_TRUE(at(160, 120).near({204, 204, 204}, 2)) << at(160, 120);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "switched off again after the surface";

    // From below only the ambient part shows.
    ZBDLL_SetCamera(0.0, -1.5, 0.0, -0.5, 0.0);
    capture(false);
    EXPECT_TRUE(at(160, 120).near({51, 51, 51}, 2)) << at(160, 120);
}

TEST_F(Surface, SlopesAreDarkerThanFlatWater) {
    ZBDLL_SetViewParameters(false, false);
    ZBDLL_Set3dMode(true);
    newPool(41, 41);
    for (int j = 0; j < 41; ++j)
        for (int i = 0; i < 41; ++i)
            cell(i, j).elongation = 0.3 * std::sin(0.3 * i);
    stepPool(pool(), 0.0f, 0.0f, true); // heights and normals from the elongations
    lookDown(1.5);
    capture(false);
    int darker = 0;
    for (int x = 100; x < 220; ++x)
        darker += at(x, 120).r < 195 ? 1 : 0;
    EXPECT_GT(darker, 20);
    for (int x = 100; x < 220; ++x)
        EXPECT_LE(at(x, 120).r, 206) << x;
}

TEST_F(Surface, WireFrameDrawsUnlitLinesAndSwitchesAtTheNextFrame) {
    ZBDLL_Set3dMode(true);
    ZBDLL_SetViewParameters(false, true);
    newPool(21, 21);
    lookDown(1.5);
    capture(false);
    EXPECT_GT(count(isWhite), 1000) << "unlit white grid lines";
    EXPECT_TRUE(at(2, 2).near(kBackground));

    // Triangles from the next frame on, lit. The pool was set up for lines, so they are drawn
    // as outlines until a frame with the panel makes polygons filled.
    ZBDLL_SetViewParameters(false, false);
    capture(false);
    EXPECT_LT(count(isWhite), 50) << "lit, not white";
    ZBDLL_RepaintScene(true, true);
    capture(false);
    // The pool covers window columns 64..256 and rows 24..216 from this height.
    int uncovered = 0;
    for (int y = 30; y < 210; ++y)
        for (int x = 70; x < 250; ++x)
            uncovered += at(x, y).near(kBackground) ? 1 : 0;
    EXPECT_EQ(uncovered, 0);
    EXPECT_TRUE(at(160, 120).near({204, 204, 204}, 2)) << at(160, 120);
}

TEST_F(Surface, SingleRowPoolDrawsLinesButNoTriangles) {
    newPool(30, 1);
    lookDown(1.5);
    capture(false);
    EXPECT_GT(count(isWhite), 100);
    ZBDLL_Set3dMode(true);
    ZBDLL_SetViewParameters(false, false);
    capture(false);
    EXPECT_EQ(count([](Rgb c) { return !c.near(kBackground); }), 0);
}

TEST_F(Surface, HeightsThatAreNoNumbersDoNotStopTheDrawing) {
    newPool(21, 21);
    ZBDLL_AddScreen(10, true);
    ZBDLL_AddScreen(10, false);
    cell(10, 10).elongation = std::numeric_limits<double>::quiet_NaN();
    cell(5, 10).elongation = std::numeric_limits<double>::infinity();
    cell(10, 3).elongation = -1e300;
    stepPool(pool(), 0.0f, 0.0f, true);
    ZBDLL_SetViewParameters(true, false);
    for (bool flat : {true, false}) {
        ZBDLL_Set3dMode(!flat);
        lookDown(1.5);
        EXPECT_TRUE(ZBDLL_RepaintScene(true, true));
        ZBDLL_SetCamera(0.0, 0.5, 1.2, 0.0, 0.0);
        EXPECT_TRUE(ZBDLL_RepaintScene(true, true));
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace zb::test

namespace zb::test {

TEST_F(Surface, MaterialChangeIsDrawnInTheFrameRightAfterIt) {
    newPool(21, 21);
    ZBDLL_AddMatChange(10, 1.0, 0.5); // damping 0.5: the grid turns yellow from row 10 on
    lookDown(1.5);
    capture(false); // straight after the change: no step and no other addition
    EXPECT_GT(count([](Rgb c) { return c.near({255, 255, 127}, 3); }), 500);
}

} // namespace zb::test
