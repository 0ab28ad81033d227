// zbtool's two forms of every CSV: the German one (";" between fields, decimal comma, byte-order
// mark) holds exactly the values of the international one, in no more digits than a spreadsheet
// keeps.
#include "tool_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace zbtool::test {

namespace {

const std::string kByteOrderMark = "\xEF\xBB\xBF";

// A number as a script reads the international form: the whole cell, with a decimal point.
std::optional<double> enNumber(const std::string& cell) {
    if (cell.empty() || cell.find(',') != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(cell.c_str(), &end);
    return *end == '\0' ? std::optional(v) : std::nullopt;
}

// The same as a German spreadsheet reads it: a decimal comma, and a point is no part of it.
std::optional<double> deNumber(const std::string& cell) {
    if (cell.find('.') != std::string::npos)
        return std::nullopt;
    std::string text = cell;
    std::replace(text.begin(), text.end(), ',', '.');
    return enNumber(text);
}

// The digits of a number's mantissa without leading zeros: a spreadsheet keeps 15.
int significantDigits(const std::string& cell) {
    const std::string mantissa = cell.substr(0, cell.find_first_of("eE"));
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return 0;
    int digits = 0;
    for (size_t k = first; k < mantissa.size(); ++k)
        digits += mantissa[k] >= '0' && mantissa[k] <= '9';
    return digits;
}

zb::TZBecken measuredTank() {
    zb::TZBecken tank;
    tank.SetSize(40, 30);
    tank.StandardKopplung = 2.0;
    tank.StandardDaempfung = 0.001;
    addExciter(tank, "Quelle") = {.X = 10, .Y = 8, .Breite = 3, .Laenge = 3, .Frequenz = 30.0};
    addProbe(tank, "Mitte; \"oben\"") = {20, 15, 0xff0000};
    addProbe(tank, "Draußen") = {100, 3, 0x0000ff};
    addScreen(tank, "unten") = {.Position = 25, .Horizontal = true};
    addScreen(tank, "rechts") = {.Position = 31, .Horizontal = false};
    addScreen(tank, "weit weg") = {.Position = 500, .Horizontal = false};
    return tank;
}

} // namespace

TEST(ZbtoolCsvForms, TheGermanFormHoldsEveryValueOfTheInternationalOne) {
    TempDir dir;
    const std::string tank = saveTank(measuredTank(), dir, "becken.zb");
    const char* const kinds[] = {"--heights-csv", "--screens-csv", "--intensity-csv",
                                 "--probes-csv"};
    for (const char* form : {"en", "de"}) {
        std::vector<std::string> args{"simulate", tank, "--steps", "400", "--csv-format", form};
        for (const char* kind : kinds) {
            args.push_back(kind);
            args.push_back(dir.file(std::string(form) + kind + ".csv"));
        }
        const ToolRun run = runTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }

    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        const std::string en = readText(dir.file(std::string("en") + kind + ".csv"));
        std::string de = readText(dir.file(std::string("de") + kind + ".csv"));
        EXPECT_NE(en.substr(0, 3), kByteOrderMark);
        ASSERT_EQ(de.substr(0, 3), kByteOrderMark);
        de.erase(0, 3);
        const auto enCells = csvCells(en, ',');
        const auto deCells = csvCells(de, ';');
        ASSERT_EQ(deCells.size(), enCells.size());
        ASSERT_GT(enCells.size(), 3u);
        int fractions = 0;
        for (size_t r = 0; r < enCells.size(); ++r) {
            ASSERT_EQ(deCells[r].size(), enCells[r].size()) << "row " << r;
            for (size_t c = 0; c < enCells[r].size(); ++c) {
                const std::string& e = enCells[r][c];
                const std::string& d = deCells[r][c];
                if (const std::optional<double> value = enNumber(e)) {
                    const std::optional<double> read = deNumber(d);
                    ASSERT_TRUE(read) << r << ", " << c << ": " << d;
                    EXPECT_EQ(*read, *value) << r << ", " << c << ": " << e << " / " << d;
                    fractions += d.find(',') != std::string::npos;
                    EXPECT_LE(significantDigits(e), 15) << r << ", " << c << ": " << e;
                } else {
                    EXPECT_EQ(d, e) << r << ", " << c; // texts and empty cells
                }
            }
        }
        EXPECT_GT(fractions, 20) << "decimal commas";
    }
    // The probe named with the German separator stays one cell.
    const std::string probes = readText(dir.file("de--probes-csv.csv"));
    EXPECT_EQ(csvCells(probes.substr(3), ';')[0][2], "Mitte; oben");
}

TEST(ZbtoolCsvForms, AnUnknownFormIsRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    const std::string tank = saveTank(measuredTank(), dir, "becken.zb");
    const std::string csv = dir.file("h.csv");
    for (const char* form : {"DE", "csv", "", "de,en"}) {
        const ToolRun run =
            runTool({"simulate", tank, "--steps", "3", "--heights-csv", csv, "--csv-format", form});
        EXPECT_EQ(run.exitCode, 1) << form;
        EXPECT_THAT(run.err, ::testing::HasSubstr("--csv-format erwartet de (Semikolon und "
                                                  "Dezimalkomma"))
            << form;
        EXPECT_FALSE(fs::exists(csv)) << form;
    }
}

} // namespace zbtool::test
