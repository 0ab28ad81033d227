// What the help texts say about walls, edges, damping and the waves' speed, measured on the engine.
// A tank one oscillator wide stands in for a plane wave running straight: its oscillators have two
// neighbours instead of four, so coupling 2 there moves exactly as coupling 4 does across a wide
// front. Stated fractions of an amplitude must hold within 3 % of the amplitude.
#include "model/csv_table.h"
#include "model/dispersion.h"
#include "model/objects.h"
#include "model/simulation_time.h"
#include "stated_numbers.h"
#include "wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <regex>
#include <utility>
#include <vector>

namespace zb {
namespace {

constexpr double kChannelCoupling = 2.0; // a plane wave at the example tanks' coupling 4
constexpr double kOmega = 20.0;          // wavelength 18
constexpr int kSourceRow = 100;
constexpr int kMeasureFrom = kSourceRow + 30;

class Channel : public ::testing::Test {
  protected:
    void TearDown() override { restoreLoadState(); }

    // A channel of the given length whose back edge swallows what comes back through the
    // source; the source drives as an added acceleration, so waves pass through it.
    void build(int length, int edgeWidth = 60) {
        freshHeadlessEngine();
        ZBDLL_CreateEmptyPool(1, length, 0.0, kChannelCoupling, edgeWidth);
        length_ = length;
    }
    void start(float step, bool backEdge = true, bool frontEdge = false) {
        ZBDLL_AddExciter(0, kSourceRow, 1, 1, 0, kOmega, 0.02, false);
        ZBDLL_AddEdges(backEdge, frontEdge, false, false);
        ZBDLL_SetSimulationSpeed(step);
        ZBDLL_SetPaused(false);
        runFrames(framesToTravel(4.0 * length_, 2 * kChannelCoupling, step));
        field_ = std::make_unique<Field>(kOmega, 4, step);
    }
    const Field& field() const { return *field_; }

    int length_ = 0;
    std::unique_ptr<Field> field_;
};

// Walls are left out of their neighbours' mean: they reflect everything like a free end, with
// an antinode right in front of them and the first node a quarter wavelength before it. Edges
// held fixed return a crest as a trough.
TEST_F(Channel, WallsReflectLikeAFreeEndAndFixedEdgesWithAPhaseJump) {
    for (const char* file : {"OH/Waende.rtf", "Funktionsweise3.rtf"})
        EXPECT_EQ(statedNumbers(file, "vollständig und ohne Phasensprung").size(), 1u) << file;
    ASSERT_EQ(statedNumbers("OH/Waende.rtf", "Direkt vor der Wand liegt ein Bauch, der erste "
                                             "Knoten eine Viertelwellenlänge davor")
                  .size(),
              1u);
    for (float step : {kDefaultStep, kFastestStep}) {
        SCOPED_TRACE(step);
        build(400);
        ZBDLL_AddWall(0, 300, 0, 1, 0, 0, 0);
        start(step);
        int wall = 0;
        while (wall < length_ && !isWallCell(cell(0, wall)))
            ++wall;
        ASSERT_LT(wall, length_);
        const int front = wall - 1; // the last oscillator that moves
        const Field::TwoWaves w = field().twoWaves(0, kMeasureFrom, front - 1, front);
        EXPECT_NEAR(std::abs(w.reflection()), 1.0, kTolerance);
        EXPECT_NEAR(std::arg(w.reflection()), 0.0, kTolerance * 2 * kPi) << "no phase jump";
        // Over the last wavelength: antinode at the front, node a quarter wavelength before it.
        const double antinode = std::abs(w.towards) + std::abs(w.back);
        for (int j = front - int(2 * kPi / w.k); j <= front; ++j)
            EXPECT_NEAR(field().amplitude(0, j), antinode * std::abs(std::cos(w.k * (front - j))),
                        kTolerance * antinode)
                << front - j << " rows before the wall";
    }

    // "Reflexion mit Phasensprung": damped edges one oscillator wide hold the last row still.
    ASSERT_EQ(
        statedNumbers("Funktionsweise3.rtf", "Ein Wellenberg kommt als Wellental zurück").size(),
        1u);
    build(400, 1);
    start(kDefaultStep, false, true);
    const int held = length_ - 1;
    EXPECT_EQ(cell(0, held).elongation, 0.0);
    const Field::TwoWaves w = field().twoWaves(0, kMeasureFrom, held - 2, held);
    EXPECT_NEAR(std::abs(w.reflection()), 1.0, kTolerance);
    EXPECT_NEAR(std::abs(std::arg(w.reflection())), kPi, kTolerance * 2 * kPi) << "a phase jump";
}

// A sudden change of damping is a boundary: a strong one reflects most of the wave, and only a
// weak one over many rows swallows it.
TEST_F(Channel, DampingStepsReflectWhatTheTextStates) {
    const char* text = "OH/Materialuebergaenge.rtf";
    std::vector<std::vector<double>> claims =
        statedNumbers(text, R"(zu (\d+) % Dämpfung etwa (\d+) % der Amplitude)");
    for (const auto& more : statedNumbers(text, R"([bB]ei (\d+) % (?:kommen nur )?etwa (\d+) %)"))
        claims.push_back(more);
    ASSERT_EQ(claims.size(), 4u) << "10 %, 30 %, 50 % and 1 %";
    ASSERT_EQ(statedNumbers(text, R"(bei 100 % die ganze Welle, mit Phasensprung)").size(), 1u);
    claims.push_back({100, 100});

    constexpr int kStep = 300;
    for (const auto& claim : claims) {
        SCOPED_TRACE(claim[0]);
        build(1500);
        ZBDLL_AddMatChange(kStep, kChannelCoupling, claim[0] / 100);
        start(kDefaultStep);
        const Field::TwoWaves w = field().twoWaves(0, kMeasureFrom, kStep - 10, kStep);
        EXPECT_NEAR(std::abs(w.reflection()), claim[1] / 100, kTolerance);
        if (claim[0] == 100) {
            EXPECT_NEAR(std::abs(std::arg(w.reflection())), kPi, kTolerance * 2 * kPi);
        }
    }
}

// Damping acts once per step: the smaller the step, the more it takes per simulated time, and
// the shorter the stretch over which a wave dies away.
TEST_F(Channel, DampingPerRowGrowsAsTheStepShrinks) {
    const auto claim = statedNumbers(
        "OH/Materialuebergaenge.rtf",
        R"(Bei (\d+) % sinkt die Amplitude einer Welle von 18 Schwingern bei der )"
        R"(Startgeschwindigkeit auf etwa (\d+) Zeilen auf ein Drittel, bei der höchsten )"
        R"(Geschwindigkeit erst auf etwa (\d+) Zeilen)");
    ASSERT_EQ(claim.size(), 1u);
    for (const auto& [step, rows] :
         {std::pair{kDefaultStep, claim[0][1]}, std::pair{kFastestStep, claim[0][2]}}) {
        SCOPED_TRACE(step);
        constexpr int kStep = 300;
        build(kStep + 6 * int(rows));
        ZBDLL_AddMatChange(kStep, kChannelCoupling, claim[0][0] / 100);
        start(step);
        // The decay over two thirds of the stretch, clear of the step and of the far end.
        const int a = kStep + int(rows) / 3, b = kStep + int(rows);
        const double third =
            (b - a) * std::log(3.0) / std::log(field().amplitude(0, a) / field().amplitude(0, b));
        EXPECT_NEAR(third, rows, kTolerance * rows);
    }
}

// λ = c · T in the readouts' units: the exciter box's example, read off a run. The period comes
// from an oscillator's crossings on the user's clock, the wavelength from the field along the
// channel, and their ratio must be the c the text states and the box shows.
TEST_F(Channel, WaveSpeedIsTheWavelengthPerPeriodOfTheReadouts) {
    const auto claim = statedNumbers(
        "OH/Erreger.rtf", R"(Bei T = (\d+) ms und der Kopplung (\d+) werden die Wellen etwa )"
                          R"((\d+) Schwinger lang und laufen mit c ≈ (\d+,\d) Schwinger/s)");
    ASSERT_EQ(claim.size(), 1u);
    const double period = claim[0][0] / 1000, lambda = claim[0][2], speed = claim[0][3];
    ASSERT_EQ(claim[0][1], 2 * kChannelCoupling) << "the channel stands in for this coupling";
    ASSERT_NEAR(50000 / claim[0][0], kOmega, 1e-9) << "the box's T = 50000 / Frequenz ms";

    build(400);
    start(kDefaultStep);
    const double k = field().twoWaves(0, kMeasureFrom, kMeasureFrom + 120, kMeasureFrom).k;
    const double measuredLambda = 2 * kPi / k;

    // Rising zero crossings of one oscillator over eight periods, on the readouts' clock.
    std::vector<double> crossings;
    double before = cell(0, kMeasureFrom).elongation, then = simulationSeconds(gEngine.simTime);
    const int frames = int(8 * 2 * kPi / kOmega / double(kDefaultStep));
    for (int f = 0; f < frames; ++f) {
        ZBDLL_NextFrame();
        const double now = simulationSeconds(gEngine.simTime), h = cell(0, kMeasureFrom).elongation;
        if (before < 0 && h >= 0)
            crossings.push_back(then + (now - then) * -before / (h - before));
        before = h;
        then = now;
    }
    ASSERT_GE(crossings.size(), 6u);
    const double measuredPeriod =
        (crossings.back() - crossings.front()) / double(crossings.size() - 1);
    const double measuredSpeed = measuredLambda / measuredPeriod;

    EXPECT_NEAR(measuredPeriod, period, 0.005 * period);
    EXPECT_NEAR(measuredLambda, lambda, 0.5); // stated in whole oscillators
    EXPECT_NEAR(measuredSpeed, speed, 0.05);  // stated to one decimal
    const double shown =
        phaseSpeed(discreteWavelength(kOmega, double(kDefaultStep), 2 * kChannelCoupling), kOmega);
    EXPECT_NEAR(measuredSpeed, shown, 0.01 * shown) << "what the exciter box shows";
}

// The page on probes: how many a tank takes, and the two tables "Messwerte speichern..." writes,
// each with the example number written as the table writes it.
TEST(ProbePage, StatesTheProbeLimitAndBothTableForms) {
    const std::string page = "OH/Messpunkte.rtf";
    EXPECT_EQ(statedNumber(page, R"(höchstens (\d+) Messpunkte)"), double(kMaxMesspunkte));
    const std::string text = helpText(page);
    const struct {
        CsvForm form;
        const char* pattern;
        char separator, decimalMark;
    } forms[] = {
        {CsvForm::German, R"(Semikolon zwischen den Spalten und Dezimalkomma \(([0-9.,]+)\))", ';',
         ','},
        {CsvForm::International, R"(Komma zwischen den Spalten und Dezimalpunkt \(([0-9.,]+)\))",
         ',', '.'},
    };
    for (const auto& f : forms) {
        std::smatch claim;
        ASSERT_TRUE(std::regex_search(text, claim, std::regex(f.pattern))) << f.pattern;
        const std::string example = claim[1].str();
        const size_t mark = example.find(f.decimalMark);
        ASSERT_NE(mark, std::string::npos) << example;
        std::string plain = example;
        plain[mark] = '.';
        CsvTable table(f.form);
        table.number(std::stod(plain));
        table.number(int64_t(1));
        EXPECT_EQ(table.separator(), f.separator);
        const std::string row = example + f.separator + "1";
        const std::string written = table.str();
        EXPECT_EQ(written.substr(written.size() - std::min(written.size(), row.size())), row);
    }
}

} // namespace
} // namespace zb
