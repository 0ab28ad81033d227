// The run state behind the exports: load values, reset, time, speed, pause and screens.
#include "engine_fixture.h"

namespace zb::test {

using EngineApi = EngineTest;

TEST_F(EngineApi, NothingHappensWithoutAPool) {
    EXPECT_FALSE(gEngine.poolExists);
    EXPECT_TRUE(gEngine.paused);
    EXPECT_TRUE(gEngine.exciterEnabled);
    EXPECT_EQ(gEngine.simSpeed, 0.00312f);
    EXPECT_EQ(gEngine.simTime, 0.0f);
    ZBDLL_SetPaused(false);
    EXPECT_EQ(ZBDLL_NextFrame(), 0);
    EXPECT_EQ(gEngine.simTime, 0.0f); // no pool, no time
    ZBDLL_AddWall(1, 1, 0, 5, 0, 0, 0);
    ZBDLL_AddExciter(1, 1, 2, 2, 0, 1.0, 1.0, true);
    ZBDLL_AddMatChange(0, 1.0, 0.0);
    ZBDLL_AddEdges(true, true, true, true);
    EXPECT_FALSE(gEngine.poolExists);
    // Screens need no pool.
    EXPECT_EQ(ZBDLL_AddScreen(3, true), 1);
}

TEST_F(EngineApi, TimeAdvancesBeforeTheStepAndSumsInFloat) {
    newPool(6, 6);
    ZBDLL_SetSimulationSpeed(0.0031f);
    ZBDLL_NextFrame(); // paused after the reset
    EXPECT_EQ(gEngine.simTime, 0.0f);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();
    EXPECT_EQ(gEngine.simTime, 0.0031f);
    ZBDLL_NextFrame();
    EXPECT_EQ(gEngine.simTime, 0.0031f + 0.0031f);
    float t = gEngine.simTime;
    for (int k = 0; k < 1000; ++k) {
        ZBDLL_NextFrame();
        t = t + 0.0031f;
    }
    EXPECT_EQ(gEngine.simTime, t);
    EXPECT_NE(double(t), 1002 * double(0.0031f)); // the float sum drifts, as it always has
    // A new speed applies from the next step, without restarting time.
    ZBDLL_SetSimulationSpeed(0.01f);
    ZBDLL_NextFrame();
    EXPECT_EQ(gEngine.simTime, t + 0.01f);
}

TEST_F(EngineApi, ResetKeepsSpeedScreensAndCamera) {
    newPool(10, 10, 0.0, 1.0, 3);
    ZBDLL_SetSimulationSpeed(0.0077f);
    ZBDLL_AddScreen(2, false);
    ZBDLL_SetPaused(false);
    ZBDLL_EnableExciters(false);
    ZBDLL_NextFrame();
    const Camera camera = gEngine.camera;
    ZBDLL_ResetAll();
    EXPECT_FALSE(gEngine.poolExists);
    EXPECT_EQ(gEngine.pool.oscillators, nullptr);
    EXPECT_TRUE(gEngine.paused);
    EXPECT_TRUE(gEngine.exciterEnabled);
    EXPECT_EQ(gEngine.simTime, 0.0f);
    EXPECT_EQ(gEngine.simSpeed, 0.0077f);
    EXPECT_EQ(gEngine.screenCount, 1);
    EXPECT_EQ(gEngine.edgeWidth, 3.0f);
    EXPECT_EQ(gEngine.pool.sizeX, 10); // the last sizes stay
    EXPECT_EQ(std::memcmp(&gEngine.camera, &camera, sizeof camera), 0);
    ZBDLL_ResetAll(); // twice is harmless
    EXPECT_FALSE(gEngine.poolExists);
}

TEST_F(EngineApi, NewPoolEmptiesTheScreensAndPlacesTheDefaultCamera) {
    EXPECT_EQ(ZBDLL_AddScreen(4, true), 1);
    newPool(100, 50);
    EXPECT_EQ(gEngine.screenCount, 0);
    const float s = gEngine.pool.spacing;
    EXPECT_EQ(gEngine.camera.eye.x, float(100 * double(s) / 2));
    EXPECT_EQ(gEngine.camera.eye.y, 8.0f);
    EXPECT_EQ(gEngine.camera.eye.z, float(50 * double(s) / 2));
    EXPECT_EQ(gEngine.camera.target.x, gEngine.camera.eye.x);
    EXPECT_EQ(gEngine.camera.target.y, 0.0f);
    EXPECT_EQ(gEngine.camera.target.z, gEngine.camera.eye.z);

    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(ZBDLL_AddScreen(k * 3, k % 2 == 0), k);
    EXPECT_EQ(ZBDLL_AddScreen(99, true), 5); // a sixth is ignored
    EXPECT_EQ(gEngine.screens[4].position, 15);
    EXPECT_FALSE(gEngine.screens[4].horizontal);
    EXPECT_EQ(gEngine.screens[1].position, 6);
    EXPECT_TRUE(gEngine.screens[1].horizontal);

    ZBDLL_ResetAll();
    ZBDLL_AddScreen(1, true); // between reset and the next pool: discarded as well
    ZBDLL_CreateEmptyPool(10, 10, 0.0, 1.0, 0);
    EXPECT_EQ(gEngine.screenCount, 0);
}

TEST_F(EngineApi, PausedPoolDoesNotStep) {
    newPool(8, 8);
    cell(4, 4).elongation = 0.5;
    ZBDLL_NextFrame();
    EXPECT_EQ(cell(4, 4).position.y, 0.0f);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();
    EXPECT_NE(cell(4, 4).position.y, 0.0f);
    ZBDLL_SetPaused(true);
    const double e = cell(4, 4).elongation;
    ZBDLL_NextFrame();
    EXPECT_EQ(cell(4, 4).elongation, e);
}

TEST_F(EngineApi, NewPoolWithoutResetReplacesTheOldOne) {
    newPool(8, 8);
    ZBDLL_CreateEmptyPool(5, 4, 0.0, 1.0, 0); // the caller's duty skipped: still no leak
    EXPECT_TRUE(gEngine.poolExists);
    EXPECT_EQ(gEngine.pool.cellCount(), 20u);
    ZBDLL_CreateEmptyPool(0, 4, 0.0, 1.0, 0);
    EXPECT_FALSE(gEngine.poolExists);
    EXPECT_EQ(gEngine.pool.oscillators, nullptr);
}

} // namespace zb::test
