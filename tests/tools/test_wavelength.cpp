// The exciter box's wavelength against the waves the engine makes: a plane wave runs down a long
// tank, and the distance between its zero crossings is measured in zbtool's heights. The short
// waves tell it from the continuum formula, which is 11 % off at a period of 1000 ms
// and coupling 1.5.
#include "model/dispersion.h"
#include "sim/engine_state.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace zbtool::test {

// Named, not anonymous: the test classes that gtest derives from the fixture live outside the
// anonymous namespace.
struct Case {
    double periodMs;
    double coupling;
};

class ExciterWavelength : public ::testing::TestWithParam<Case> {};

namespace {

constexpr double kSpring = 10000.0 / 3.0; // the step's factor before coupling · Laplacian
constexpr float kDt = 0.0025f;            // a run's start speed, and zbtool's default
constexpr int kExciterRow = 4;

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    char name[32];
    std::snprintf(name, sizeof name, "T%d_c%d", int(info.param.periodMs),
                  int(info.param.coupling * 10));
    return name;
}

// Column width/2 of the heights, from the top row down; each row starts with its number.
std::vector<double> middleColumn(const std::string& csv, int width) {
    std::vector<double> column;
    const std::vector<std::vector<std::string>> rows = csvCells(csv);
    EXPECT_EQ(rows.at(0).at(size_t(1 + width / 2)), std::to_string(width / 2));
    for (size_t j = 1; j < rows.size(); ++j)
        column.push_back(std::stod(rows[j].at(size_t(1 + width / 2))));
    return column;
}

// The wavelength from the zero crossings in rows [from, to): twice their mean spacing.
double measuredWavelength(const std::vector<double>& h, int from, int to) {
    std::vector<double> crossings;
    for (int y = from; y + 1 < to; ++y)
        if ((h[size_t(y)] < 0.0) != (h[size_t(y + 1)] < 0.0))
            crossings.push_back(y + h[size_t(y)] / (h[size_t(y)] - h[size_t(y + 1)]));
    if (crossings.size() < 3)
        return 0.0;
    return 2.0 * (crossings.back() - crossings.front()) / double(crossings.size() - 1);
}

} // namespace

TEST_P(ExciterWavelength, ReadoutMatchesTheWavesInTheTank) {
    const Case c = GetParam();
    const double omega = 1000.0 / c.periodMs * 50.0; // as the exciter box stores the period
    const double predicted = zb::discreteWavelength(omega, double(kDt), c.coupling);
    ASSERT_GT(predicted, 0.0);

    // Measured over rows [from, to) behind the exciter, once the front, at the group velocity,
    // is two wavelengths past them. The tank ends where not even the fastest disturbance
    // (√(K·c)/2 rows per time unit) arrives, so nothing is reflected; the side edges pull the
    // wave's borders ahead, which takes a few wavelengths to reach the middle column.
    const int from = kExciterRow + int(predicted);
    const int to = kExciterRow + int(4.0 * predicted) + 20;
    const double k = 2.0 * M_PI / predicted;
    const double root = std::sqrt(kSpring * double(float(c.coupling)));
    const double group = root / 2.0 * std::cos(k / 2.0) / std::cos(omega * double(kDt) / 2.0);
    const double time = (double(to - kExciterRow) + 2.0 * predicted) / group;
    const int steps = int(std::ceil(time / double(kDt)));
    const int rows = kExciterRow + int(root / 2.0 * time) + 20;
    const int width = int(4.0 * predicted) + 40;

    zb::TZBecken tank;
    tank.SetSize(width, rows);
    tank.StandardKopplung = c.coupling;
    addExciter(tank, "Ebene Welle") = {.X = width / 2,
                                       .Y = kExciterRow,
                                       .Breite = 1,
                                       .Laenge = width,
                                       .Winkel = 90,
                                       .Frequenz = omega,
                                       .Amplitude = 0.5};
    TempDir dir;
    const std::string path = saveTank(tank, dir, "rinne.zb");
    const std::string heights = dir.file("h.csv");
    const ToolRun run = runTool({"simulate", path, "--steps", std::to_string(steps), "--dt",
                                 "0.0025", "--heights-csv", heights});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::vector<double> h = middleColumn(readText(heights), width);
    ASSERT_EQ(h.size(), size_t(rows));
    const double measured = measuredWavelength(h, from, to);
    EXPECT_NEAR(measured, predicted, 0.02 * predicted);
}

INSTANTIATE_TEST_SUITE_P(PeriodsAndCouplings, ExciterWavelength,
                         ::testing::Values(Case{1000, 1.5}, Case{1000, 4}, Case{1000, 7.5},
                                           Case{2500, 1.5}, Case{2500, 4}, Case{2500, 7.5},
                                           Case{5000, 1.5}, Case{5000, 4}, Case{5000, 7.5}),
                         caseName);

// The readout takes the coupling of the exciter's row as the engine builds it: changes applied by
// ascending start row (equal rows in list order), one before the first row covering row 0 on.
TEST(ExciterRowCoupling, IsTheOneTheEngineBuilds) {
    zb::TZBecken tank;
    tank.SetSize(6, 30);
    tank.StandardKopplung = 4.0;
    const std::pair<int32_t, double> changes[] = {{20, 1.5}, {10, 5.0}, {-3, 2.0},
                                                  {0, 3.0},  {10, 6.0}, {40, 7.0}};
    for (const auto& [row, coupling] : changes)
        addMaterial(tank, "M") = {.Y = row, .Kopplung = coupling};
    zb::restoreLoadState();
    zb::gEngine.headless = true;
    tank.TransferToEngine();
    ASSERT_TRUE(zb::gEngine.poolExists);
    for (int32_t y = 0; y < tank.GroesseY; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(float(zb::couplingOfRow(tank, y)), zb::gEngine.pool.at(3, y).coupling);
    }
    zb::restoreLoadState();
}

} // namespace zbtool::test
