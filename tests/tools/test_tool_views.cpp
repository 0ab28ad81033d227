// The tools' view of the engine (zbengine_tools.h) against the engine's own records: the tools
// cannot see those records, so a view that reads the wrong field or writes past a buffer would
// otherwise go unnoticed.
#include "tool_support.h"

#include "sim/engine_state.h"
#include "zbengine.h"
#include "zbengine_tools.h"

#include <gtest/gtest.h>

namespace zbtool::test {

class ToolViews : public ::testing::Test {
  protected:
    void TearDown() override { zb::restoreLoadState(); }
};

TEST_F(ToolViews, EveryNodeReadsAsTheEngineHoldsIt) {
    zb::TZBecken tank;
    tank.SetSize(14, 9);
    tank.StandardKopplung = 1.0;
    addWall(tank, "Wand") = {.X = 7, .Y = 5, .Laenge = 14, .SpaltAnz = 1, .Spaltbreite = 3};
    addExciter(tank, "Sinus") = {.X = 3, .Y = 2, .Breite = 2, .Laenge = 2, .Fest = true};
    addExciter(tank, "Stoß") = {.X = 10, .Y = 2, .Breite = 2, .Laenge = 2, .Fest = false};
    tank.TransferToEngine();
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(0.0025f);
    for (int step = 0; step < 40; ++step)
        ZBDLL_NextFrame();

    const ZBTOOLS_PoolView view = ZBTOOLS_GetPool();
    const zb::Pool& pool = zb::gEngine.pool;
    ASSERT_TRUE(view.exists);
    ASSERT_EQ(view.sizeX, 14);
    ASSERT_EQ(view.sizeY, 9);
    // Every kind of node is there to be told apart: water, wall, and both drives.
    int walls = 0, sineExciters = 0, pushedExciters = 0;
    for (size_t k = 0; k < pool.cellCount(); ++k) {
        const zb::Oscillator& o = pool.oscillators[k];
        EXPECT_EQ(ZBTOOLS_Elongation(&view, k), o.elongation) << k;
        EXPECT_EQ(ZBTOOLS_Height(&view, k), o.position.y) << k;
        EXPECT_EQ(ZBTOOLS_IsWall(&view, k), zb::isWallCell(o)) << k;
        EXPECT_EQ(ZBTOOLS_IsExciter(&view, k), o.exciter) << k;
        walls += zb::isWallCell(o);
        sineExciters += o.exciter && o.sineMode;
        pushedExciters += o.exciter && !o.sineMode;
    }
    EXPECT_GT(walls, 0);
    EXPECT_GT(sineExciters, 0);
    EXPECT_GT(pushedExciters, 0);
}

TEST_F(ToolViews, ScreensAreCopiedOnlyIntoABufferThatHoldsThemAll) {
    zb::TZBecken tank;
    tank.SetSize(6, 4);
    tank.StandardKopplung = 1.0;
    addScreen(tank, "a") = {.Position = 2, .Horizontal = true};
    addScreen(tank, "b") = {.Position = 9, .Horizontal = false};
    addScreen(tank, "c") = {.Position = 1, .Horizontal = false};
    tank.TransferToEngine();

    ZBTOOLS_Screen screens[ZBTOOLS_MAX_SCREENS + 1];
    for (ZBTOOLS_Screen& s : screens)
        s = {-7, true};
    EXPECT_EQ(ZBTOOLS_GetScreens(nullptr, 0), 3);
    EXPECT_EQ(ZBTOOLS_GetScreens(screens, 2), 3);
    EXPECT_EQ(screens[0].position, -7);
    EXPECT_EQ(screens[1].position, -7);
    EXPECT_EQ(ZBTOOLS_GetScreens(screens, ZBTOOLS_MAX_SCREENS + 1), 3);
    EXPECT_EQ(screens[0].position, 1); // the engine's rows count from 0
    EXPECT_TRUE(screens[0].horizontal);
    EXPECT_EQ(screens[1].position, 8); // outside the pool, as held
    EXPECT_FALSE(screens[1].horizontal);
    EXPECT_EQ(screens[2].position, 0);
    EXPECT_EQ(screens[3].position, -7);
}

TEST_F(ToolViews, AHeadlessEngineBuildsPoolsWithoutIndexLists) {
    zb::TZBecken tank;
    tank.SetSize(30, 20);
    tank.StandardKopplung = 1.0;
    ZBTOOLS_SetHeadless(true);
    tank.TransferToEngine();
    ASSERT_TRUE(ZBTOOLS_GetPool().exists);
    EXPECT_EQ(zb::gEngine.pool.triangleIndices, nullptr);
    EXPECT_EQ(zb::gEngine.pool.lineIndices, nullptr);

    ZBTOOLS_SetHeadless(false);
    tank.TransferToEngine();
    EXPECT_NE(zb::gEngine.pool.triangleIndices, nullptr);
}

} // namespace zbtool::test
