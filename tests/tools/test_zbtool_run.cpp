// zbtool as its users run it: the built program, its exit codes, messages and files.
#include "png_check.h"
#include "sim/memory_budget.h"
#include "tool_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace zbtool::test {

namespace {

using ::testing::HasSubstr;

std::string referenceFile(int n, const char* suffix) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", n);
    return std::string(ZB_TEST_DATA_DIR) + "/vectors/case_" + number + suffix;
}

// A plane wave from the top meets a wall with two slits; a screen lies 30 rows behind it.
zb::TZBecken doubleSlitTank() {
    zb::TZBecken tank;
    tank.SetSize(121, 120);
    tank.StandardKopplung = 1.0;
    tank.SetEdges(true, true, true, true, 15);
    zb::TErreger& wave = addExciter(tank, "Ebene Welle");
    wave = {.X = 60,
            .Y = 20,
            .Breite = 3,
            .Laenge = 91,
            .Winkel = 90,
            .Frequenz = 15.0,
            .Amplitude = 0.5};
    addWall(tank, "Doppelspalt") = {
        .X = 60, .Y = 30, .Laenge = 121, .SpaltAnz = 2, .Spaltbreite = 4, .Spaltabstand = 16};
    addScreen(tank, "Schirm") = {.Position = 61, .Horizontal = true};
    return tank;
}

} // namespace

class ReferenceTanks : public ::testing::TestWithParam<int> {};

TEST_P(ReferenceTanks, ElongationsAfter200StepsAreBitIdentical) {
    TempDir dir;
    const std::string out = dir.file("e.f64");
    const ToolRun run = runTool(
        {"simulate", referenceFile(GetParam(), ".zb"), "--steps", "200", "--elongation-out", out});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, ""); // no progress bar when nobody watches
    const std::vector<uint8_t> got = readBytes(out),
                               want = readBytes(referenceFile(GetParam(), ".elongation-200.f64"));
    ASSERT_FALSE(want.empty());
    ASSERT_EQ(got.size(), want.size());
    EXPECT_TRUE(got == want) << "first difference at byte "
                             << std::mismatch(got.begin(), got.end(), want.begin()).first -
                                    got.begin();
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceTanks, ::testing::Range(0, 6));

TEST(ZbtoolInfo, DescribesTheTankAndEveryKindOfObject) {
    TempDir dir;
    zb::TZBecken tank;
    tank.SetSize(160, 90);
    tank.SetEdges(true, false, true, false, 7);
    tank.StandardDaempfung = 0.02;
    tank.StandardKopplung = 1.5;
    zb::TErreger& kick = addExciter(tank, "Stößel");
    kick = {.X = 20,
            .Y = 30,
            .Breite = 5,
            .Laenge = 5,
            .Frequenz = 20.0,
            .Amplitude = 0.3,
            .Fest = false};
    addExciter(tank, "Welle") = {.X = 80, .Y = 5, .Breite = 3, .Laenge = 40, .Winkel = 90};
    addWall(tank, "Doppelspalt") = {
        .X = 80, .Y = 40, .Laenge = 160, .SpaltAnz = 2, .Spaltbreite = 8, .Spaltabstand = 20};
    addScreen(tank, "Schirm unten") = {.Position = 81, .Horizontal = true};
    addScreen(tank, "Schirm rechts") = {.Position = 200, .Horizontal = false};
    addMaterial(tank, "Glas") = {.Y = 60, .Kopplung = 0.75, .Daempfung = 0.1};
    tank.Objekte->add(zb::TObjekt::withoutRecord(7, "Fremd")); // as a version 2 file has it
    const std::string path = saveTank(tank, dir, "alles.zb");

    const ToolRun run = runTool({"info", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string& s = run.out;
    EXPECT_THAT(s, HasSubstr("160 × 90 Schwinger"));
    EXPECT_THAT(s, HasSubstr("absorbierend hinten (y = 0), links (x = 0); Breite 7 Schwinger"));
    EXPECT_THAT(s, HasSubstr("Dämpfung:   0,02 (2 %)"));
    EXPECT_THAT(s, HasSubstr("Kopplung:   1,5"));
    EXPECT_THAT(s, HasSubstr("Objekte:    7"));
    EXPECT_THAT(s, HasSubstr("1. Erreger „Stößel“\n   Mitte (20, 30), Breite 5, Länge 5"));
    EXPECT_THAT(s, HasSubstr("Kreiswelle"));
    EXPECT_THAT(s, HasSubstr("Periode T = 2500 ms Simulationszeit = 2,5 s (Frequenz 20)"));
    EXPECT_THAT(s, HasSubstr("Betriebsart: Als zusätzliche Beschleunigung"));
    EXPECT_THAT(s, HasSubstr("doppelte Amplitude, 0,6"));
    EXPECT_THAT(s, HasSubstr("2. Erreger „Welle“"));
    EXPECT_THAT(s, HasSubstr("ebene Welle\n   Periode T = 5000 ms"));
    EXPECT_THAT(s, HasSubstr("Betriebsart: Sinusförmige Auslenkung vorgeben"));
    EXPECT_THAT(s, HasSubstr("3. Wand „Doppelspalt“\n   Mitte (80, 40), Länge 160, Winkel 0°\n"
                             "   2 Spalte, Breite 8, Abstand 20 (Mitte zu Mitte)"));
    EXPECT_THAT(s, HasSubstr("4. Schirm „Schirm unten“\n   waagrecht, Position 81 (Zeile 80"));
    EXPECT_THAT(s, HasSubstr("5. Schirm „Schirm rechts“\n   senkrecht, Position 200 (Spalte 199 "
                             "ab 0 gezählt), liegt außerhalb des Beckens"));
    EXPECT_THAT(s, HasSubstr("6. Materialübergang „Glas“\n   ab Zeile 60: Kopplung 0,75, "
                             "Dämpfung 0,1 (10 %)"));
    EXPECT_THAT(s, HasSubstr("7. Eintrag unbekannter Art 7 „Fremd“"));
}

TEST(ZbtoolInfo, SizeVerdictIsTheEnginesAgainstTheMemoryAvailableNow) {
    TempDir dir;
    std::vector<std::pair<int, int>> sizes = {{100, 50}, {18000, 18000}, {100000, 100000}};
    // Where this machine has one: a square that needs more than a pool may take now but less
    // than the machine's total memory, which the size check used to compare with.
    const uint64_t budget = zb::poolMemoryBudget(zb::availableMemoryBytes());
    const uint64_t total = uint64_t(sysconf(_SC_PHYS_PAGES)) * uint64_t(sysconf(_SC_PAGE_SIZE));
    const uint64_t wanted = budget / 2 + total / 2;
    const int side = int(std::sqrt(double(wanted) / double(zb::poolBytes(1000, 1000)) * 1e6));
    if (budget / 10 * 11 < total / 10 * 9 &&
        zb::checkPoolSize(side, side, UINT64_MAX) == zb::PoolSizeCheck::Ok)
        sizes.emplace_back(side, side);
    for (const auto& [nx, ny] : sizes) {
        zb::TZBecken tank;
        tank.SetSize(nx, ny);
        const ToolRun run = runTool({"info", saveTank(tank, dir, "gross.zb")});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        switch (zb::checkPoolBudget(nx, ny).verdict) {
        case zb::PoolSizeCheck::Ok:
            EXPECT_THAT(run.out, HasSubstr(" Schwinger\n")) << nx;
            break;
        case zb::PoolSizeCheck::TooLittleMemory:
            EXPECT_THAT(run.out, HasSubstr("Schwinger – zu groß für den freien Speicher (braucht "))
                << nx;
            EXPECT_THAT(run.out, HasSubstr(" GiB), die Simulation baut kein Becken")) << nx;
            break;
        case zb::PoolSizeCheck::TooManyCells:
            EXPECT_THAT(run.out, HasSubstr("Schwinger – zu groß, die Simulation baut kein Becken"))
                << nx;
            break;
        case zb::PoolSizeCheck::TooSmall:
            ADD_FAILURE() << nx;
        }
    }
}

TEST(ZbtoolUsage, WrongCommandLinesExitWithOneAndAShortGermanUsage) {
    TempDir dir;
    const std::vector<uint8_t> original = readBytes(referenceFile(0, ".zb"));
    const std::string tank = dir.file("becken.zb");
    writeBytes(tank, original);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "Es fehlt ein Befehl"},
        {{"rechne", tank}, "Unbekannter Befehl „rechne“"},
        {{"simulate", tank}, "braucht --steps"},
        {{"simulate", tank, "--steps", "-5"}, "--steps erwartet eine ganze Zahl ab 0, nicht „-5“"},
        {{"simulate", tank, "--steps", "10", "--dt", "0.0025x"}, "--dt erwartet"},
        {{"simulate", tank, "--steps", "1", "--heights-csv", dir.file("h.csv"), "--csv-format",
          "deutsch"},
         "--csv-format erwartet de (Semikolon und Dezimalkomma, für deutsche "
         "Tabellenkalkulationen) oder en (Komma und Dezimalpunkt), nicht „deutsch“."},
        // The tank itself must never become an output.
        {{"simulate", tank, "--steps", "1", "--png", tank}, "würde die Beckendatei"},
    };
    for (const auto& [args, message] : cases) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 1) << message;
        EXPECT_THAT(run.err, HasSubstr(message));
        EXPECT_EQ(run.out, "") << message;
    }
    EXPECT_EQ(readBytes(tank), original);
    EXPECT_FALSE(std::filesystem::exists(dir.file("h.csv")));
    EXPECT_THAT(runTool({}).err, HasSubstr("Aufruf: zbtool info BECKEN.zb"));

    for (const char* help : {"--help", "help"}) {
        const ToolRun run = runTool({help});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_THAT(run.out, HasSubstr("--intensity-csv DATEI"));
        EXPECT_THAT(run.out, HasSubstr("--csv-format de|en"));
        EXPECT_THAT(run.out, HasSubstr("3    eine Ausgabedatei kann nicht geschrieben werden"));
    }
}

TEST(ZbtoolTankFile, UnreadableTanksExitWithTwoAndTheReason) {
    TempDir dir;
    std::vector<uint8_t> bytes = readBytes(referenceFile(3, ".zb"));
    ASSERT_GT(bytes.size(), 100u);
    bytes[0] = 5; // a newer program's tank
    writeBytes(dir.file("neu.zb"), bytes);
    bytes[0] = 2;
    bytes.pop_back();
    writeBytes(dir.file("kurz.zb"), bytes);
    writeBytes(dir.file("leer.zb"), {});
    std::filesystem::create_directory(dir.file("ordner.zb"));

    const std::vector<std::pair<std::string, std::string>> cases = {
        {dir.file("fehlt.zb"), "Datei „" + dir.file("fehlt.zb") + "“ nicht gefunden"},
        {dir.file("neu.zb"), "keine Zitterbecken-Datei (Version 5, erwartet 1 bis 4)"},
        {dir.file("kurz.zb"), "ist unvollständig"},
        {dir.file("leer.zb"), "ist unvollständig"},
        {dir.file("ordner.zb"), "kann nicht gelesen werden"},
    };
    const std::string out = dir.file("e.f64");
    for (const auto& [path, message] : cases) {
        for (const char* command : {"info", "simulate"}) {
            const ToolRun run =
                std::strcmp(command, "info") == 0
                    ? runTool({"info", path})
                    : runTool({"simulate", path, "--steps", "1", "--elongation-out", out});
            EXPECT_EQ(run.exitCode, 2) << command << ' ' << path;
            EXPECT_THAT(run.err, HasSubstr(message)) << command;
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(ZbtoolSimulate, OutputsAgreeWithEachOther) {
    TempDir dir;
    const std::string tank = referenceFile(5, ".zb");
    const ToolRun run =
        runTool({"simulate", tank, "--steps", "37", "--elongation-out", dir.file("e.f64"),
                 "--heights-csv", dir.file("h.csv"), "--screens-csv", dir.file("s.csv"),
                 "--intensity-csv", dir.file("i.csv"), "--average-from", "37"});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::vector<uint8_t> e = readBytes(dir.file("e.f64"));
    // A header of the column numbers X, then per row its number Y and its heights; case 5 is
    // 24 x 24.
    const auto table = csvCells(readText(dir.file("h.csv")));
    ASSERT_EQ(table.size(), 25u);
    ASSERT_EQ(table[0].size(), 25u);
    EXPECT_EQ(table[0][0], "Y \\ X");
    std::vector<std::vector<std::string>> heights; // [j][i]
    for (size_t j = 0; j < 24; ++j) {
        EXPECT_EQ(table[0][1 + j], std::to_string(j));
        ASSERT_EQ(table[1 + j].size(), 25u);
        EXPECT_EQ(table[1 + j][0], std::to_string(j));
        heights.emplace_back(table[1 + j].begin() + 1, table[1 + j].end());
    }
    ASSERT_EQ(e.size(), 24u * 24u * sizeof(double));
    int moving = 0;
    for (size_t j = 0; j < 24; ++j) {
        for (size_t i = 0; i < 24; ++i) {
            double elongation;
            std::memcpy(&elongation, &e[(i + j * 24) * sizeof(double)], sizeof elongation);
            EXPECT_EQ(std::stof(heights[j][i]), float(elongation)) << i << ", " << j;
            moving += elongation != 0.0;
        }
    }
    EXPECT_GT(moving, 100);

    // Case 5 has screens on row 23, on column 199 (outside), again on row 23 and on column 17:
    // the editor's Positions 24, 200, 24 and 18.
    // A header numbering the nodes along the longest screen, then one line per screen.
    auto screens = csvCells(readText(dir.file("s.csv")));
    ASSERT_EQ(screens.size(), 5u);
    ASSERT_EQ(screens[0].size(), 26u);
    EXPECT_EQ(screens[0][0], "Richtung");
    EXPECT_EQ(screens[0][1], "Position");
    EXPECT_EQ(screens[0][2], "0");
    EXPECT_EQ(screens[0][25], "23");
    screens.erase(screens.begin());
    EXPECT_EQ(screens[1], (std::vector<std::string>{"senkrecht", "200", "außerhalb des Beckens"}));
    ASSERT_EQ(screens[0].size(), 26u);
    EXPECT_EQ(screens[0][0], "waagrecht");
    EXPECT_EQ(screens[0][1], "24");
    for (size_t i = 0; i < 24; ++i)
        EXPECT_EQ(screens[0][2 + i], heights[23][i]);
    ASSERT_EQ(screens[3].size(), 26u);
    EXPECT_EQ(screens[3][1], "18");
    for (size_t j = 0; j < 24; ++j)
        EXPECT_EQ(screens[3][2 + j], heights[j][17]);

    // Averaged from the last step alone: height² of the final state.
    const auto intensity = csvCells(readText(dir.file("i.csv")));
    ASSERT_EQ(intensity.size(), 25u);
    EXPECT_EQ(intensity[0][1],
              "Schirm 1 (waagrecht, Position 24): Höhe², Mittelwert ab Schritt 37");
    EXPECT_EQ(intensity[1][0], "0") << "nodes along a screen are counted from 0";
    for (size_t i = 0; i < 24; ++i) {
        const double h = std::stof(heights[23][i]);
        // strtof: std::stof refuses the subnormal squares of faint heights.
        EXPECT_EQ(std::strtof(intensity[1 + i][1].c_str(), nullptr), float(h * h));
        EXPECT_EQ(intensity[1 + i][2], "");
    }
}

TEST(ZbtoolSimulate, IntensityBehindADoubleSlitPeaksBehindTheCentre) {
    TempDir dir;
    const std::string tank = saveTank(doubleSlitTank(), dir, "doppelspalt.zb");
    const ToolRun run = runTool({"simulate", tank, "--steps", "900", "--dt", "0.01",
                                 "--intensity-csv", dir.file("i.csv"), "--average-from", "400"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto cells = csvCells(readText(dir.file("i.csv")));
    ASSERT_EQ(cells.size(), 122u);
    std::vector<double> intensity;
    for (size_t r = 1; r < cells.size(); ++r)
        intensity.push_back(std::stod(cells[r].at(1)));

    const auto strongest = std::max_element(intensity.begin() + 35, intensity.begin() + 86);
    EXPECT_NEAR(double(strongest - intensity.begin()), 60.0, 1.0);
    // Dark fringes on both sides of the central bright one.
    const double left = *std::min_element(intensity.begin() + 42, intensity.begin() + 57);
    const double right = *std::min_element(intensity.begin() + 64, intensity.begin() + 79);
    EXPECT_LT(left, intensity[60] / 5);
    EXPECT_LT(right, intensity[60] / 5);
}

TEST(ZbtoolSimulate, PngIsAValidPictureWithWallsBlackAndExcitersGreen) {
    TempDir dir;
    const std::string tank = saveTank(doubleSlitTank(), dir, "doppelspalt.zb");
    const ToolRun run = runTool({"simulate", tank, "--steps", "150", "--dt", "0.01", "--png",
                                 dir.file("bild.png"), "--scale", "3"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const DecodedPng png = decodePng(readBytes(dir.file("bild.png")));
    ASSERT_EQ(png.error, "");
    ASSERT_EQ(png.width, 121u * 3);
    ASSERT_EQ(png.height, 120u * 3);
    const auto node = [&](uint32_t i, uint32_t j) {
        const uint8_t* p = png.pixel(i * 3 + 1, j * 3 + 1);
        return std::vector<int>{p[0], p[1], p[2]};
    };
    EXPECT_EQ(node(10, 30), (std::vector<int>{0, 0, 0}));    // the wall
    EXPECT_EQ(node(60, 20), (std::vector<int>{0, 190, 60})); // the exciter
    EXPECT_NE(node(60, 40), node(10, 30));                   // water behind the slits
    EXPECT_NE(node(60, 40), node(60, 20));

    // Small tanks get a picture one can look at without a magnifier.
    const ToolRun small = runTool(
        {"simulate", referenceFile(0, ".zb"), "--steps", "1", "--png", dir.file("klein.png")});
    ASSERT_EQ(small.exitCode, 0) << small.err;
    const DecodedPng smallPng = decodePng(readBytes(dir.file("klein.png")));
    ASSERT_EQ(smallPng.error, "");
    EXPECT_GE(smallPng.width, 400u);
    EXPECT_EQ(smallPng.width % 24, 0u);
}

TEST(ZbtoolSimulate, AbsurdTanksBuildNoPoolAndWriteEmptyResults) {
    TempDir dir;
    for (const auto& [nx, ny] : {std::pair{100000, 100000}, {-5, 7}, {0, 0}}) {
        zb::TZBecken absurd;
        absurd.SetSize(nx, ny);
        absurd.SetEdges(true, true, true, true, -3);
        absurd.StandardKopplung = 0.0; // the lowest allowed; below it the tank is refused
        addExciter(absurd, "E") = {.X = -5, .Y = 1 << 30, .Breite = -2, .Laenge = 1 << 30};
        addWall(absurd, "W") = {.X = 1 << 30, .Laenge = -1, .SpaltAnz = 1 << 30};
        addScreen(absurd, "S") = {.Position = 3, .Horizontal = false};
        const std::string tank = saveTank(absurd, dir, "absurd.zb");
        const std::string e = dir.file("e.f64");
        writeBytes(e, {1, 2, 3});
        const ToolRun run =
            runTool({"simulate", tank, "--steps", "1000000000", "--elongation-out", e,
                     "--heights-csv", dir.file("h.csv"), "--screens-csv", dir.file("s.csv")});
        ASSERT_EQ(run.exitCode, 0) << nx << ' ' << run.err;
        EXPECT_THAT(run.err, HasSubstr("ergibt kein Becken"));
        EXPECT_TRUE(readBytes(e).empty());
        EXPECT_EQ(readText(dir.file("h.csv")), "");
        EXPECT_EQ(readText(dir.file("s.csv")),
                  "Richtung,Position\nsenkrecht,3,außerhalb des Beckens\n");

        const ToolRun picture =
            runTool({"simulate", tank, "--steps", "1", "--png", dir.file("p.png")});
        EXPECT_EQ(picture.exitCode, 3);
        EXPECT_THAT(picture.err, HasSubstr("kein Bild"));
        EXPECT_FALSE(std::filesystem::exists(dir.file("p.png")));

        EXPECT_EQ(runTool({"info", tank}).exitCode, 0);

        absurd.StandardKopplung = -1.0;
        const ToolRun refused =
            runTool({"simulate", saveTank(absurd, dir, "absurd.zb"), "--steps", "1"});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_THAT(refused.err, HasSubstr("Die Kopplung des Beckens ist −1;"));
    }
}

TEST(ZbtoolSimulate, AFailingOutputNamesFileAndReasonAndLeavesOtherFilesAlone) {
    TempDir dir;
    const std::string e = dir.file("e.f64");
    writeBytes(e, {'a', 'l', 't'});
    const std::string missing = dir.file("fehlt/bild.png");
    const ToolRun run = runTool({"simulate", referenceFile(0, ".zb"), "--steps", "5",
                                 "--elongation-out", e, "--png", missing});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_THAT(run.err,
                HasSubstr("„" + missing + "“ nicht schreiben: der Ordner existiert nicht."));
    EXPECT_EQ(readText(e), "alt");
    // No temporary file is left behind either.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    const ToolRun folder = runTool({"simulate", referenceFile(0, ".zb"), "--steps", "5",
                                    "--heights-csv", dir.path().string()});
    EXPECT_EQ(folder.exitCode, 3);
    EXPECT_THAT(folder.err, HasSubstr("nicht schreiben: das ist ein Ordner."));
}

} // namespace zbtool::test
