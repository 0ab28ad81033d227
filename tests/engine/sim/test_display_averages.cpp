// The time averages the display shows, against averages the test keeps from the heights itself,
// and the promise that no display setting changes what the simulation computes.
#include "engine_fixture.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace zb::test {

namespace {

constexpr double kOmega = 40.0;

// The tank both averages run on: an exciter off-centre, so every line sees a different field.
void excitedPool() {
    EngineTest::newPool(41, 31);
    ZBDLL_AddExciter(12, 9, 3, 3, 0, kOmega, 0.2, true);
    ZBDLL_SetPaused(false);
}

// The mean of the squares until two periods have passed, then exponential with that time
// constant: kept in double from the heights the step leaves in the records.
struct ReferenceAverage {
    std::vector<double> values;
    uint64_t n = 0;
    void add(const std::vector<double>& heights) {
        const double tau = 2.0 * 2.0 * std::numbers::pi / kOmega;
        const double w = std::max(1.0 / double(++n), double(gEngine.simSpeed) / tau);
        values.resize(heights.size(), 0.0);
        for (size_t k = 0; k < heights.size(); ++k)
            values[k] += w * (heights[k] * heights[k] - values[k]);
    }
};

std::vector<double> rowHeights(int j) {
    std::vector<double> h;
    for (int i = 0; i < EngineTest::pool().sizeX; ++i)
        h.push_back(EngineTest::cell(i, j).position.y);
    return h;
}
std::vector<double> columnHeights(int i) {
    std::vector<double> h;
    for (int j = 0; j < EngineTest::pool().sizeY; ++j)
        h.push_back(EngineTest::cell(i, j).position.y);
    return h;
}

std::vector<float> screenIntensity(int screen, int count) {
    std::vector<float> v(size_t(count), -1.0f);
    EXPECT_EQ(ZBDLL_ReadScreenIntensity(screen, v.data(), count), count);
    return v;
}

} // namespace

using DisplayAverages = EngineTest;

TEST_F(DisplayAverages, ScreensAverageTheSquaredHeightsAlongTheirLines) {
    excitedPool();
    ZBDLL_AddScreen(20, true);
    ZBDLL_AddScreen(25, false);
    ZBDLL_AddScreen(31, true); // beyond the last row
    ReferenceAverage row, column;
    // 300 steps: past the time constant (about 100 steps), so both phases are compared.
    for (int k = 0; k < 300; ++k) {
        ZBDLL_NextFrame();
        row.add(rowHeights(20));
        column.add(columnHeights(25));
    }
    const std::vector<float> r = screenIntensity(0, 41);
    const std::vector<float> c = screenIntensity(1, 31);
    double largest = 0;
    for (size_t k = 0; k < 41; ++k) {
        EXPECT_NEAR(r[k], row.values[k], 1e-4 * row.values[k] + 1e-12) << "column " << k;
        largest = std::max(largest, row.values[k]);
    }
    for (size_t k = 0; k < 31; ++k)
        EXPECT_NEAR(c[k], column.values[k], 1e-4 * column.values[k] + 1e-12) << "row " << k;
    EXPECT_GT(largest, 1e-4) << "the waves reached the screen";

    EXPECT_EQ(ZBDLL_ReadScreenIntensity(2, nullptr, 0), 0) << "a line outside the pool";
    EXPECT_EQ(ZBDLL_ReadScreenIntensity(3, nullptr, 0), -1);
    EXPECT_EQ(ZBDLL_ReadScreenIntensity(-1, nullptr, 0), -1);
    std::vector<float> small(40, -1.0f);
    EXPECT_EQ(ZBDLL_ReadScreenIntensity(0, small.data(), 40), 41);
    EXPECT_EQ(small, std::vector<float>(40, -1.0f)) << "nothing written into too little room";
}

TEST_F(DisplayAverages, CellIntensityIsKeptOnlyInItsModeAndMatchesTheHeights) {
    excitedPool();
    for (int k = 0; k < 20; ++k)
        ZBDLL_NextFrame();
    EXPECT_EQ(gEngine.display.intensitySamples, 0u) << "nothing averaged outside mode 2";
    EXPECT_EQ(gEngine.display.intensity, nullptr);
    ZBDLL_SetColorMode(2);
    ReferenceAverage field;
    std::vector<double> heights(pool().cellCount());
    for (int k = 0; k < 250; ++k) {
        ZBDLL_NextFrame();
        for (size_t c = 0; c < heights.size(); ++c)
            heights[c] = pool().oscillators[c].position.y;
        field.add(heights);
    }
    ASSERT_NE(gEngine.display.intensity, nullptr);
    for (size_t c = 0; c < heights.size(); ++c)
        ASSERT_NEAR(gEngine.display.intensity[c], field.values[c], 1e-4 * field.values[c] + 1e-12)
            << "cell " << c;
}

TEST_F(DisplayAverages, ANewPoolOrAResetStartsTheAveragesAndTheClockAfresh) {
    auto build = [] {
        ZBDLL_CreateEmptyPool(41, 31, 0.0, 1.0, 0);
        ZBDLL_AddExciter(12, 9, 3, 3, 0, kOmega, 0.2, true);
        ZBDLL_AddScreen(12, true);
    };
    auto run = [](int steps) {
        for (int k = 0; k < steps; ++k)
            ZBDLL_NextFrame();
    };
    // After its first step a restarted average holds that step's squares alone (weight 1);
    // one that ran on would still show the waves of the pool before.
    auto expectFirstStepOnly = [] {
        const std::vector<float> v = screenIntensity(0, 41);
        for (int i = 0; i < 41; ++i) {
            const float h = cell(i, 12).position.y;
            EXPECT_EQ(v[size_t(i)], h * h) << i;
        }
        for (size_t c = 0; c < pool().cellCount(); ++c) {
            const float h = pool().oscillators[c].position.y;
            ASSERT_EQ(gEngine.display.intensity[c], h * h) << c;
        }
    };
    ZBDLL_SetColorMode(2);
    build();
    ZBDLL_SetPaused(false);
    run(100);
    EXPECT_EQ(ZBDLL_GetSimulationTime(), double(gEngine.simTime));
    ASSERT_GT(screenIntensity(0, 41)[12], 1e-5f) << "waves on the line";

    // Built again without a reset: the exciters' time runs on, the display's starts at 0.
    const float before = gEngine.simTime;
    build();
    EXPECT_EQ(ZBDLL_GetSimulationTime(), 0.0);
    run(1);
    expectFirstStepOnly();
    run(99);
    EXPECT_EQ(ZBDLL_GetSimulationTime(), double(gEngine.simTime) - double(before));
    EXPECT_GT(ZBDLL_GetSimulationTime(), 0.0);

    ZBDLL_ResetAll();
    EXPECT_EQ(ZBDLL_GetSimulationTime(), 0.0);
    EXPECT_EQ(ZBDLL_ReadScreenIntensity(0, nullptr, 0), 0) << "no pool, no line";
    build();
    ZBDLL_SetPaused(false);
    run(1);
    expectFirstStepOnly();
}

TEST_F(DisplayAverages, NoDisplaySettingChangesTheSimulation) {
    auto run = [](bool display) {
        ZBDLL_SetColorMode(display ? 2 : 0);
        ZBDLL_SetHeightScale(display ? 4.0f : 1.0f);
        ZBDLL_SetScreenIntensity(display);
        excitedPool();
        ZBDLL_AddWall(20, 18, 30, 25, 2, 2, 4);
        ZBDLL_AddMatChange(24, 0.5, 0.01);
        if (display) {
            ZBDLL_AddScreen(20, true);
            ZBDLL_AddScreen(5, false);
        }
        for (int k = 0; k < 150; ++k)
            ZBDLL_NextFrame();
        return clonePool(pool());
    };
    const Pool plain = run(false);
    const Pool shown = run(true);
    ASSERT_NE(gEngine.display.intensitySamples, 0u);
    EXPECT_EQ(firstDifference(plain, shown), -1);
}

} // namespace zb::test
