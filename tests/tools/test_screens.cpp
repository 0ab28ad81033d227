#include "field_output.h"
#include "screens.h"
#include "sim/engine_state.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace zbtool::test {

// A 6 x 4 pool with a horizontal screen on row 1, a vertical one on column 4 and two that lie
// outside, every node's height set to 10 j + i.
class Screens : public ::testing::Test {
  protected:
    void SetUp() override {
        zb::TZBecken tank;
        tank.SetSize(6, 4);
        tank.StandardKopplung = 1.0;
        addScreen(tank, "Zeile 1") = {.Position = 2, .Horizontal = true};
        addScreen(tank, "Spalte 4") = {.Position = 5, .Horizontal = false};
        addScreen(tank, "unterhalb") = {.Position = 5, .Horizontal = true};
        addScreen(tank, "links davor") = {.Position = 0, .Horizontal = false};
        tank.TransferToEngine();
        ASSERT_TRUE(zb::gEngine.poolExists);
        setHeights(1.0f);
    }
    void TearDown() override { zb::restoreLoadState(); }

    static void setHeights(float factor) {
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 6; ++i)
                zb::gEngine.pool.at(i, j).position.y = factor * float(10 * j + i);
    }
};

TEST_F(Screens, HeightsAlongTheRowOrColumnOfEachScreen) {
    const EngineView engine = engineView();
    const std::vector<ZBTOOLS_Screen>& lines = engine.screens;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(screenHeights(engine.pool, lines[0]), (std::vector<float>{10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(screenHeights(engine.pool, lines[1]), (std::vector<float>{4, 14, 24, 34}));
    EXPECT_FALSE(screenHeights(engine.pool, lines[2]));
    EXPECT_FALSE(screenHeights(engine.pool, lines[3]));
}

TEST_F(Screens, IntensityIsTheMeanOfTheSquaredHeights) {
    const EngineView engine = engineView();
    IntensityAverage average(engine);
    average.addSample(engine);
    setHeights(-3.0f);
    average.addSample(engine);
    setHeights(0.0f);
    average.addSample(engine);
    EXPECT_EQ(average.sampleCount(), 3);

    const auto means = average.averages();
    ASSERT_EQ(means.size(), 4u);
    ASSERT_TRUE(means[1]);
    ASSERT_EQ(means[1]->size(), 4u);
    for (int j = 0; j < 4; ++j) {
        const double h = 10 * j + 4;
        EXPECT_DOUBLE_EQ((*means[1])[size_t(j)], (h * h + 9 * h * h) / 3) << j;
    }
    ASSERT_TRUE(means[0]);
    EXPECT_DOUBLE_EQ((*means[0])[5], 15.0 * 15.0 * 10 / 3);
    EXPECT_FALSE(means[2]);
    EXPECT_FALSE(means[3]);

    // One column per screen; shorter and outside screens leave their cells empty.
    const auto cells = csvCells(intensityCsv(engine, means, 12, zb::CsvForm::International));
    ASSERT_EQ(cells.size(), 7u);
    EXPECT_EQ(cells[0][1], "Schirm 1 (waagrecht, Position 2): Höhe², Mittelwert ab Schritt 12");
    EXPECT_EQ(
        cells[0][3],
        "Schirm 3 (waagrecht, Position 5, außerhalb des Beckens): Höhe², Mittelwert ab Schritt 12");
    ASSERT_EQ(cells[5].size(), 5u);
    EXPECT_EQ(cells[5][0], "4");
    EXPECT_EQ(std::stof(cells[5][1]), float((*means[0])[4]));
    EXPECT_EQ(cells[5][2], "");
    EXPECT_EQ(cells[5][3], "");
    EXPECT_EQ(std::stof(cells[3][2]), float((*means[1])[2]));
}

TEST(ScreensWithoutPool, NothingIsReadAndTheFilesStayEmpty) {
    zb::TZBecken tank;
    tank.SetSize(100000, 100000);
    addScreen(tank, "Schirm");
    tank.TransferToEngine();
    EXPECT_FALSE(zb::gEngine.poolExists);
    const EngineView engine = engineView();
    EXPECT_FALSE(screenHeights(engine.pool, engine.screens.at(0)));
    EXPECT_TRUE(elongationBytes(engine.pool).empty());
    EXPECT_EQ(heightsCsv(engine.pool, zb::CsvForm::International), "");
    EXPECT_EQ(heightsCsv(engine.pool, zb::CsvForm::German), "");
    zb::restoreLoadState();
}

} // namespace zbtool::test
