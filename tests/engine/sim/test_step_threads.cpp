// The step on two threads against the step on one, the averages added during the sweep against
// the separate pass over the records, and the normals left out of steps no lit relief needs.
#include "engine_fixture.h"
#include "sim/display_averages.h"
#include "sim/frame.h"
#include "sim/step.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace zb::test {

namespace {

// A field in motion everywhere, with a wall and two exciters across the rows where two threads
// meet (rows ny/2 - 1 and ny/2); on narrow or short pools they are clipped to what fits.
void seamTank(int nx, int ny) {
    EngineTest::newPool(nx, ny, 0.01, 1.3);
    ZBDLL_AddWall(nx / 2, ny / 2 - 1, 90, ny / 2 + 1, 1, 2, 0);
    ZBDLL_AddExciter(nx / 4, ny / 2 - 1, 3, 3, 0, 30.0, 0.3, true);
    ZBDLL_AddExciter(3 * nx / 4, ny / 2, 1, 2, 0, 20.0, 0.2, false);
    Pool& p = EngineTest::pool();
    uint32_t r = 12345;
    for (size_t k = 0; k < p.cellCount(); ++k) {
        Oscillator& o = p.oscillators[k];
        r = r * 1664525u + 1013904223u;
        if (!o.fixed) {
            o.elongation = (double(r >> 8) / double(1u << 24) - 0.5) * 0.1;
            o.position.y = float(o.elongation);
        }
    }
}

void useThreads(int threads) {
    gEngine.stepThreads = threads;
    gEngine.twoThreadMinCells = 0; // two threads on the smallest pools too
}

bool threadsFromEnvironment() {
    return std::getenv("ZB_THREADS") != nullptr;
}

} // namespace

using StepThreads = EngineTest;

TEST_F(StepThreads, TwoThreadsGiveTheBitsOfOne) {
    if (threadsFromEnvironment())
        GTEST_SKIP() << "ZB_THREADS decides the threads";
    const std::pair<int, int> sizes[] = {{83, 61}, {64, 64}, {40, 4},   {3, 4},   {2, 6}, {7, 5},
                                         {1, 9},   {9, 1},   {17, 200}, {250, 9}, {5, 33}};
    for (const auto& [nx, ny] : sizes) {
        seamTank(nx, ny);
        Pool two = clonePool(pool());
        float t = 0.0f;
        for (int step = 0; step < 40; ++step) {
            const bool exciters = step < 25 || step >= 32;
            t = t + 0.003f;
            useThreads(1);
            EXPECT_FALSE(stepPool(pool(), 0.003f, t, exciters));
            useThreads(2);
            EXPECT_FALSE(stepPool(two, 0.003f, t, exciters));
        }
        EXPECT_EQ(firstDifference(pool(), two), -1) << nx << " x " << ny;
    }
}

TEST_F(StepThreads, EitherHalfOrTheSeamReportsAFieldThatBrokeDown) {
    if (threadsFromEnvironment())
        GTEST_SKIP() << "ZB_THREADS decides the threads";
    useThreads(2);
    for (const int row : {3, 9, 10, 16}) { // the top half, the seam row, the bottom half
        newPool(20, 20);
        cell(7, row).elongation = std::numeric_limits<double>::infinity();
        EXPECT_TRUE(stepPool(pool(), 0.003f, 0.003f, true)) << "row " << row;
    }
}

TEST_F(StepThreads, AForkedChildStepsAloneAndExitsCleanly) {
    if (threadsFromEnvironment())
        GTEST_SKIP() << "ZB_THREADS decides the threads";
    useThreads(2);
    seamTank(30, 30);
    stepPool(pool(), 0.003f, 0.003f, true); // the worker is running now
    Pool parent = clonePool(pool());
    stepPool(parent, 0.003f, 0.006f, true);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        alarm(20); // a step waiting for a worker that the child does not have
        stepPool(pool(), 0.003f, 0.006f, true);
        std::exit(firstDifference(pool(), parent) == -1 ? 0 : 1); // static destructors too
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
}

// Every step through the frames, with the per-cell average and five screens (two of them on the
// rows where two threads meet), against the same steps followed by the separate pass.
class FusedAverages : public EngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(FusedAverages, AreTheSeparatePassBitForBit) {
    useThreads(GetParam());
    const int nx = 41, ny = 30;
    seamTank(nx, ny);
    ZBDLL_AddScreen(ny / 2 - 1, true);
    ZBDLL_AddScreen(ny / 2, true);
    ZBDLL_AddScreen(3, false);
    ZBDLL_AddScreen(nx - 1, false);
    ZBDLL_AddScreen(0, true);
    ZBDLL_SetColorMode(2);
    ZBDLL_SetPaused(false);

    auto separate = std::make_unique<EngineState>();
    separate->pool = clonePool(pool());
    separate->poolExists = true;
    separate->simSpeed = gEngine.simSpeed;
    separate->display.colorMode = 2;
    separate->screenCount = gEngine.screenCount;
    for (int k = 0; k < gEngine.screenCount; ++k)
        separate->screens[k] = gEngine.screens[k];

    for (int step = 1; step <= 60; ++step) {
        ZBDLL_NextFrame();
        stepPool(separate->pool, gEngine.simSpeed, gEngine.simTime, true);
        accumulateDisplayAverages(*separate);
        ASSERT_EQ(firstDifference(pool(), separate->pool), -1) << "step " << step;
        ASSERT_EQ(std::memcmp(gEngine.display.intensity.get(), separate->display.intensity.get(),
                              pool().cellCount() * sizeof(float)),
                  0)
            << "cells, step " << step;
        for (int k = 0; k < gEngine.screenCount; ++k)
            ASSERT_EQ(gEngine.display.screens[size_t(k)].values,
                      separate->display.screens[size_t(k)].values)
                << "screen " << k << ", step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(Threads, FusedAverages, ::testing::Values(1, 2),
                         [](const auto& p) { return std::to_string(p.param); });

// The frames step as the view asks, here with a context said to exist but nothing to draw with.
class NormalsOnDemand : public EngineTest, public ::testing::WithParamInterface<int> {
  protected:
    void TearDown() override {
        gEngine.contextExists = false;
        EngineTest::TearDown();
    }
};

TEST_P(NormalsOnDemand, FlatViewAndWireFrameLeaveThemTheLitReliefGetsTheStepsOwn) {
    useThreads(GetParam());
    seamTank(41, 30);
    Pool full = clonePool(pool());
    const Pool atRest = clonePool(pool());
    gEngine.contextExists = true;
    ZBDLL_SetPaused(false);
    auto frames = [&](int n) {
        for (int k = 0; k < n; ++k) {
            ZBDLL_NextFrame();
            stepPool(full, gEngine.simSpeed, gEngine.simTime, true);
        }
    };
    auto sameNormals = [](const Pool& a, const Pool& b) {
        for (size_t k = 0; k < a.cellCount(); ++k)
            if (std::memcmp(&a.oscillators[k].normal, &b.oscillators[k].normal, sizeof(Vec3f)))
                return false;
        return true;
    };

    gEngine.view.flatView = true;
    frames(7);
    gEngine.view.flatView = false; // the wire frame
    frames(5);
    EXPECT_TRUE(sameNormals(pool(), atRest)) << "the flat view and the wire frame need none";
    refreshStaleNormals();
    EXPECT_TRUE(sameNormals(pool(), atRest)) << "only a lit frame asks for them";

    gEngine.view.wireframe = false;
    refreshStaleNormals();
    EXPECT_EQ(firstDifference(pool(), full), -1) << "the normals the steps would have left";
    frames(3);
    EXPECT_EQ(firstDifference(pool(), full), -1) << "lit: every step computes them";
    EXPECT_FALSE(gEngine.normalsStale);
}

INSTANTIATE_TEST_SUITE_P(Threads, NormalsOnDemand, ::testing::Values(1, 2),
                         [](const auto& p) { return std::to_string(p.param); });

} // namespace zb::test
