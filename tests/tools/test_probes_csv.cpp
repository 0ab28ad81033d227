// zbtool's probes: the CSV of their elevations step by step, its agreement with the engine, the
// period it shows, and the command lines it refuses.
#include "tool_support.h"

#include "model/simulation_time.h"
#include "sim/engine_state.h"
#include "zbengine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zbtool::test {

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// std::stof refuses the subnormal values of a wave's faint front.
float number(const std::string& cell) {
    char* end = nullptr;
    const float v = std::strtof(cell.c_str(), &end);
    EXPECT_TRUE(!cell.empty() && *end == '\0') << "not a number: " << cell;
    return v;
}

// A point source near one corner of a damped tank, and three probes of its own: one unnamed,
// one outside.
zb::TZBecken probedTank() {
    zb::TZBecken tank;
    tank.SetSize(60, 40);
    tank.StandardKopplung = 1.0;
    tank.StandardDaempfung = 0.002;
    addExciter(tank, "Quelle") = {.X = 12, .Y = 10, .Breite = 3, .Laenge = 3, .Frequenz = 25.0};
    addProbe(tank, "Mitte, \"oben\"") = {30, 20, 0xff0000};
    addWall(tank, "Wand") = {.X = 45, .Y = 30, .Laenge = 10};
    addProbe(tank, "") = {5, 35, 0x00ff00};
    addProbe(tank, "Draußen") = {100, 3, 0x0000ff};
    return tank;
}

} // namespace

TEST(ZbtoolProbes, CsvHoldsEachStepOfADirectEngineRun) {
    TempDir dir;
    const zb::TZBecken tank = probedTank();
    const std::string csv = dir.file("m.csv");
    const int steps = 300;
    const ToolRun run =
        runTool({"simulate", saveTank(tank, dir, "b.zb"), "--steps", std::to_string(steps), "--dt",
                 "0.003", "--probe", "59,39", "--probes-csv", csv, "--probe", "0,0"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto cells = csvCells(readText(csv));
    ASSERT_EQ(cells.size(), size_t(steps) + 1);
    EXPECT_EQ(cells[0],
              (std::vector<std::string>{"Schritt", "Zeit in s", "Mitte, oben", "Messpunkt (5,35)",
                                        "Draußen (außerhalb des Beckens)", "Messpunkt (59,39)",
                                        "Messpunkt (0,0)"}));

    zb::restoreLoadState();
    zb::gEngine.headless = true;
    tank.TransferToEngine();
    ZBDLL_AddProbe(59, 39, 0);
    ZBDLL_AddProbe(0, 0, 0);
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(0.003f);
    float row[5];
    int moving = 0;
    for (int step = 1; step <= steps; ++step) {
        ZBDLL_NextFrame();
        ASSERT_EQ(ZBDLL_ReadProbes(row, 5), 1);
        const std::vector<std::string>& line = cells[size_t(step)];
        ASSERT_EQ(line.size(), 7u) << step;
        EXPECT_EQ(line[0], std::to_string(step));
        // The engine's time (a sum of floats), in the seconds of the exciter's period.
        EXPECT_EQ(number(line[1]),
                  float(zb::simulationSeconds(double(float(ZBDLL_GetSimulationTime())))))
            << step;
        for (int k : {0, 1, 3, 4})
            EXPECT_EQ(number(line[size_t(2 + k)]), row[k]) << step << ", " << k;
        EXPECT_EQ(line[4], "") << "the probe outside has no values";
        moving += row[0] != 0.0f;
    }
    EXPECT_GT(moving, 100) << "the wave reaches the middle";
    zb::restoreLoadState();
}

// A chain one oscillator wide, driven at its top end: the probe swings with the drive's period.
// Longer than the engine's store of 4096 steps, so that every step must have been taken in time.
TEST(ZbtoolProbes, CsvShowsTheDrivesPeriod) {
    TempDir dir;
    zb::TZBecken tank;
    tank.SetSize(1, 3000); // the far end's reflection never comes back in time
    tank.StandardKopplung = 16.0;
    const double omega = 40.0; // the model passes its frequency on as the angular frequency
    addExciter(tank, "Antrieb") = {.X = 0, .Y = 0, .Breite = 1, .Laenge = 1, .Frequenz = omega};
    const std::string csv = dir.file("m.csv");
    const ToolRun run = runTool({"simulate", saveTank(tank, dir, "kette.zb"), "--steps", "4500",
                                 "--probe", "0,30", "--probes-csv", csv});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto cells = csvCells(readText(csv));
    ASSERT_EQ(cells.size(), 4501u);
    EXPECT_EQ(cells[4500][0], "4500");
    std::vector<double> rising; // times of upward zero crossings, interpolated
    for (size_t s = 400; s < cells.size(); ++s) {
        const double t0 = std::stod(cells[s - 1][1]), t1 = std::stod(cells[s][1]);
        const double h0 = std::stod(cells[s - 1][2]), h1 = std::stod(cells[s][2]);
        if (h0 < 0.0 && h1 >= 0.0)
            rising.push_back(t0 + (t1 - t0) * h0 / (h0 - h1));
    }
    ASSERT_GE(rising.size(), 10u);
    const double period = (rising.back() - rising.front()) / double(rising.size() - 1);
    const double expected = 50.0 / omega; // T = 50000 / Frequenz ms, as the exciter box says
    EXPECT_NEAR(period, expected, 0.01 * expected);
}

namespace {

// The period of a probe's swing from its upward zero crossings from row `from` on, in the unit
// of the time column (cells[row][1]); the probe is column 2.
double swingPeriod(const std::vector<std::vector<std::string>>& cells, size_t from,
                   double (*read)(const std::string&)) {
    std::vector<double> rising;
    for (size_t s = from; s < cells.size(); ++s) {
        const double t0 = read(cells[s - 1][1]), t1 = read(cells[s][1]);
        const double h0 = read(cells[s - 1][2]), h1 = read(cells[s][2]);
        if (h0 < 0.0 && h1 >= 0.0)
            rising.push_back(t0 + (t1 - t0) * h0 / (h0 - h1));
    }
    EXPECT_GE(rising.size(), 10u);
    if (rising.size() < 2)
        return 0.0;
    return (rising.back() - rising.front()) / double(rising.size() - 1);
}

double pointReading(const std::string& cell) {
    size_t used = 0;
    const double v = std::stod(cell, &used);
    EXPECT_EQ(used, cell.size()) << cell;
    return v;
}

// The German form by its own rules: a decimal comma, never a point.
double commaReading(const std::string& cell) {
    EXPECT_EQ(cell.find('.'), std::string::npos) << cell;
    std::string text = cell;
    std::replace(text.begin(), text.end(), ',', '.');
    return pointReading(text);
}

} // namespace

// A plane wave with Frequenz 20, shown by the exciter box as T = 2500 ms: read off the time
// column, in the seconds its header names, the probe swings with a period of 2.5 s, in both
// forms of the file.
TEST(ZbtoolProbes, APlaneWavesPeriodOnTheTimeColumnIsTheExcitersT) {
    TempDir dir;
    zb::TZBecken tank;
    tank.SetSize(20, 200);
    tank.StandardKopplung = 4.0;
    tank.StandardDaempfung = 0.01;
    tank.SetEdges(true, true, false, false, 30);
    addExciter(tank, "Ebene Welle") = {
        .X = 10, .Y = 60, .Breite = 1, .Laenge = 20, .Winkel = 90, .Frequenz = 20.0};
    const std::string path = saveTank(tank, dir, "welle.zb");
    for (const char* form : {"en", "de"}) {
        SCOPED_TRACE(form);
        const bool german = std::string(form) == "de";
        const std::string csv = dir.file(std::string(form) + ".csv");
        const ToolRun run = runTool({"simulate", path, "--steps", "3000", "--probe", "10,90",
                                     "--probes-csv", csv, "--csv-format", form});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::string text = readText(csv);
        if (german) {
            ASSERT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
            text.erase(0, 3);
        }
        const auto cells = csvCells(text, german ? ';' : ',');
        ASSERT_EQ(cells.size(), 3001u);
        ASSERT_EQ(cells[0].size(), 3u);
        EXPECT_EQ(cells[0][1], "Zeit in s");
        // From step 1000 on, when the damping has taken the start's other frequencies out.
        const double period = swingPeriod(cells, 1000, german ? commaReading : pointReading);
        EXPECT_NEAR(period, 2.5, 0.005 * 2.5);
    }
}

TEST(ZbtoolProbes, WrongProbesAreRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    const std::string plain = saveTank(probedTank(), dir, "b.zb");
    zb::TZBecken crowded = probedTank();
    for (int k = 0; k < 4; ++k)
        addProbe(crowded, "P") = {k, k, 0};
    const std::string seven = saveTank(crowded, dir, "voll.zb");
    zb::TZBecken bare;
    bare.SetSize(20, 20);
    const std::string none = saveTank(bare, dir, "leer.zb");
    const std::string csv = dir.file("m.csv");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{plain, "--probe", "4;5", "--probes-csv", csv},
         "--probe erwartet einen Schwinger als X,Y"},
        {{plain, "--probe", "4,5"}, "--probe gilt nur zusammen mit --probes-csv"},
        {{plain, "--probe", "60,0", "--probes-csv", csv},
         "Der Messpunkt (60,0) liegt außerhalb des Beckens (60 × 40 Schwinger"},
        {{seven, "--probe", "1,1", "--probe", "2,2", "--probes-csv", csv},
         "Zu viele Messpunkte: 9 (7 im Becken, 2 mit --probe); die Simulation misst höchstens 8."},
        {{none, "--probes-csv", csv}, "Das Becken hat keine Messpunkte"},
    };
    for (const auto& [extra, message] : cases) {
        std::vector<std::string> args{"simulate", "--steps", "5"};
        args.insert(args.end(), extra.begin(), extra.end());
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 1) << message;
        EXPECT_THAT(run.err, HasSubstr(message));
        EXPECT_FALSE(fs::exists(csv)) << message;
    }
    // Eight in all are measured.
    const ToolRun eight =
        runTool({"simulate", seven, "--steps", "5", "--probe", "1,1", "--probes-csv", csv});
    ASSERT_EQ(eight.exitCode, 0) << eight.err;
    EXPECT_EQ(csvCells(readText(csv))[5].size(), 10u);
}

TEST(ZbtoolProbes, InfoListsProbesWithPositionAndColour) {
    TempDir dir;
    zb::TZBecken tank = probedTank();
    for (int k = 0; k < 6; ++k) {
        std::string name = "P";
        name += std::to_string(k);
        addProbe(tank, name) = {k, k, 0x1f77b4};
    }
    const ToolRun run = runTool({"info", saveTank(tank, dir, "b.zb")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string& s = run.out;
    EXPECT_THAT(
        s, HasSubstr("2. Messpunkt „Mitte, \"oben\"“\n   Schwinger (30, 20), Farbe #FF0000\n"));
    EXPECT_THAT(s, HasSubstr("4. Messpunkt (ohne Namen)\n   Schwinger (5, 35), Farbe #00FF00\n"));
    EXPECT_THAT(s, HasSubstr("5. Messpunkt „Draußen“\n   Schwinger (100, 3), Farbe #0000FF, liegt "
                             "außerhalb des Beckens\n"));
    EXPECT_THAT(s, HasSubstr("10. Messpunkt „P4“\n   Schwinger (4, 4), Farbe #1F77B4\n"));
    EXPECT_THAT(s, Not(HasSubstr("P5"))) << "a tank file keeps the first eight probes";
}

} // namespace zbtool::test
