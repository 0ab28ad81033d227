// zbtool and the stability limit of the time step: a --dt above it is refused with the limit
// named, and a field that stops being finite is reported with its own exit code and coloured
// in the picture instead of being written as calm water.
#include "png_check.h"
#include "time_step.h"
#include "tool_support.h"
#include "unstable_tanks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace zbtool::test {

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

zb::TZBecken tankWithCoupling(double coupling) {
    zb::TZBecken tank;
    tank.SetSize(30, 20);
    tank.StandardKopplung = coupling;
    addExciter(tank, "E") = {
        .X = 15, .Y = 10, .Breite = 1, .Laenge = 1, .Frequenz = 20.0, .Amplitude = 0.3};
    return tank;
}

} // namespace

TEST(ZbtoolTimeStep, AStepAboveTheLimitIsRefusedNamingTheLimit) {
    TempDir dir;
    zb::TZBecken strong = tankWithCoupling(7.5);
    zb::TZBecken material = tankWithCoupling(1.0);
    addMaterial(material, "Glas") = {.Y = 12, .Kopplung = 7.5, .Daempfung = 0.0};
    for (const zb::TZBecken* tank : {&strong, &material}) {
        const std::string path = saveTank(*tank, dir, "becken.zb");
        const std::string out = dir.file("h.csv");
        for (const char* dt : {"0.0088", "0,01", "1e30"}) {
            const ToolRun run =
                runTool({"simulate", path, "--steps", "5", "--dt", dt, "--heights-csv", out});
            EXPECT_EQ(run.exitCode, 1) << dt;
            EXPECT_THAT(run.err, HasSubstr("--dt ist für dieses Becken zu groß: bei der größten "
                                           "Kopplung 7,5 bleibt die Rechnung nur bis --dt "
                                           "0,008765 stabil."));
            EXPECT_FALSE(fs::exists(out));
        }
        // The number named is itself accepted, and info names it too.
        const ToolRun atLimit = runTool({"simulate", path, "--steps", "500", "--dt", "0,008765"});
        EXPECT_EQ(atLimit.exitCode, 0) << atLimit.err;
        EXPECT_THAT(runTool({"info", path}).out,
                    HasSubstr("Schritt dt: stabil bis --dt 0,008765 (größte Kopplung 7,5; je "
                              "Schritt bis 0,0698 s Simulationszeit)"));
    }
    EXPECT_EQ(limitText(0.0119999), "0,01199");
    EXPECT_EQ(limitText(2.0), "2,000");
}

TEST(ZbtoolTimeStep, HandMadeValuesThatNoStepKeepsStableAreRefusedAndNeverCalledStable) {
    TempDir dir;
    const std::string data = std::string(ZB_TEST_DATA_DIR) + "/unstable-values/";
    const auto& tanks = zb::test::kUnstableTanks;
    for (const auto& tank : tanks) {
        const std::string out = dir.file("h.csv");
        const ToolRun run =
            runTool({"simulate", data + tank.file, "--steps", "2000", "--heights-csv", out});
        EXPECT_EQ(run.exitCode, 1) << tank.file;
        EXPECT_THAT(run.err, HasSubstr(std::string("zbtool: ") + tank.reason +
                                       " Damit wird die Rechnung bei jedem --dt instabil."));
        EXPECT_FALSE(fs::exists(out)) << tank.file;

        const ToolRun info = runTool({"info", data + tank.file});
        EXPECT_EQ(info.exitCode, 0) << tank.file;
        EXPECT_THAT(info.out, HasSubstr(std::string("Schritt dt: instabil bei jedem --dt. ") +
                                        tank.reason + "\n"));
        EXPECT_THAT(info.out, Not(HasSubstr("stabil bis"))) << tank.file;
    }
}

TEST(ZbtoolTimeStep, AFieldThatStopsBeingFiniteExitsWithFiveAndIsMarkedInThePicture) {
    TempDir dir;
    // Damping and coupling that let every swing grow are refused now; an amplitude beyond
    // float's range still reaches the engine as infinity and spreads from the exciter.
    zb::TZBecken growing = tankWithCoupling(1.0);
    growing.Objekte->at(1).erreger()->Amplitude = 1e300;
    addWall(growing, "W") = {.X = 15, .Y = 3, .Laenge = 30};
    const std::string path = saveTank(growing, dir, "wachsend.zb");
    const ToolRun run = runTool({"simulate", path, "--steps", "100000", "--heights-csv",
                                 dir.file("h.csv"), "--png", dir.file("bild.png"), "--scale", "1"});
    EXPECT_EQ(run.exitCode, 5) << run.err;
    EXPECT_THAT(run.err, HasSubstr("ist das Feld keine endliche Zahl mehr"));
    EXPECT_THAT(run.err, HasSubstr("im Bild sind solche Schwinger violett"));
    // A height that is no finite number is an empty cell, never a number a spreadsheet would
    // take for a result.
    const auto heights = csvCells(readText(dir.file("h.csv")));
    ASSERT_EQ(heights.size(), 1u + 20u);
    int broken = 0;
    for (size_t j = 1; j < heights.size(); ++j) {
        ASSERT_EQ(heights[j].size(), 1u + 30u);
        for (size_t i = 1; i < heights[j].size(); ++i) {
            broken += heights[j][i].empty();
            if (!heights[j][i].empty()) {
                EXPECT_TRUE(std::isfinite(std::stod(heights[j][i]))) << heights[j][i];
            }
        }
    }
    EXPECT_GT(broken, 0);
    EXPECT_EQ(heights[1 + 15][1 + 25], "") << "the node that is violet in the picture";

    const DecodedPng png = decodePng(readBytes(dir.file("bild.png")));
    ASSERT_EQ(png.error, "");
    ASSERT_EQ(png.width, 30u);
    const auto colour = [&](uint32_t x, uint32_t y) {
        const uint8_t* p = png.pixel(x, y);
        return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(colour(25, 15), (std::vector<int>{200, 0, 200})) << "water that broke down";
    EXPECT_EQ(colour(5, 3), (std::vector<int>{0, 0, 0})) << "walls stay black";

    EXPECT_THAT(runTool({"--help"}).out, HasSubstr("5    die Rechnung wurde instabil"));
}

} // namespace zbtool::test
