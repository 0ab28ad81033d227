// What the help pages on media, curved walls and edges state, measured on the engine. Stated
// fractions of an amplitude must hold within 3 % of the amplitude, other numbers within 3 %.
#include "model/dispersion.h"
#include "stated_numbers.h"
#include "wave_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace zb {
namespace {

constexpr int kStripSource = 100;

// The angular frequency of a wave lambda oscillators long at coupling 1 and time step dt.
double omegaFor(double lambda, double dt) {
    return 2 / dt * std::asin(dt * std::sqrt(kSpring) / 2 * std::sin(kPi / lambda));
}

// A strip two oscillators wide stands in for a plane wave running straight down: each of its
// oscillators has three neighbours, so with its coupling scaled by 3/4 it moves exactly as the
// open tank with coupling 1 does across a wide front. The scaling comes after the edges, which
// take their profile from the coupling. The source drives by force, so waves pass through it.
class Strip : public ::testing::Test {
  protected:
    void TearDown() override { restoreLoadState(); }

    void build(int length, int edgeWidth) {
        freshHeadlessEngine();
        ZBDLL_CreateEmptyPool(2, length, 0.0, 1.0, edgeWidth);
    }
    // The far end has edges of the kind asked for; the end behind the source always swallows
    // what comes back, so that the strip settles soon.
    void start(double omega, int edgeKind, float step) {
        ZBDLL_AddExciter(0, kStripSource, 2, 1, 0, omega, 0.02, false);
        ZBDLL_SetSimulationSpeed(step);
        ZBDLL_SetEdgeKind(1);
        ZBDLL_AddEdges(true, edgeKind == 1, false, false);
        if (edgeKind != 1)
            ZBDLL_AddEdges(false, true, false, false);
        for (int j = 0; j < sizeY(); ++j)
            for (int i = 0; i < 2; ++i)
                cell(i, j).coupling *= 0.75f;
        ZBDLL_SetPaused(false);
        runFrames(framesToTravel(2.5 * sizeY(), 1.0, step));
        field_ = std::make_unique<Field>(omega, 4, step);
    }
    const Field& field() const { return *field_; }

    std::unique_ptr<Field> field_;
};

TEST_F(Strip, EdgesReflectWhatTheEdgePageStates) {
    const char* page = "OH/Raender.rtf";
    const auto designed = statedNumbers(
        page, R"(Bei einem Rand von (\d+) Schwingern, der Kopplung 1 und der Startgeschwindigkeit )"
              R"(kommen von einer Welle von (\d+) Schwingern Länge etwa (\d+) % der Amplitude )"
              R"(zurück, von einer Welle von (\d+) Schwingern Länge etwa (\d+) %)");
    ASSERT_EQ(designed.size(), 1u);
    const auto quiet = statedNumbers(page, R"(Wellen mit (\d+) und mit (\d+) Schwingern Länge )"
                                           R"(weniger als (\d+) % der Amplitude zurück, bei )"
                                           R"(jeder Geschwindigkeit)");
    ASSERT_EQ(quiet.size(), 1u);
    const int band = int(designed[0][0]);
    const int length = 400;
    auto reflection = [&](double lambda, int kind, float step) {
        build(length, band);
        start(omegaFor(lambda, step), kind, step);
        return std::abs(field()
                            .twoWaves(0, kStripSource + 30, length - band - 20, length - band - 1)
                            .reflection());
    };
    for (int n : {1, 3}) {
        SCOPED_TRACE(designed[0][n]);
        EXPECT_NEAR(reflection(designed[0][n], 0, kDefaultStep), designed[0][n + 1] / 100,
                    kTolerance);
    }
    for (float step : {kDefaultStep, kFastestStep}) {
        for (int n : {0, 1}) {
            SCOPED_TRACE(quiet[0][n]);
            SCOPED_TRACE(step);
            EXPECT_LT(reflection(quiet[0][n], 1, step), quiet[0][2] / 100);
        }
    }
}

TEST_F(Strip, WavesInAMediumAreAsShortAsTheMediaPageStates) {
    const auto claim = statedNumbers(
        "OH/Medien.rtf", R"(Im Becken mit der Kopplung 1 sind die Wellen (\d+) Schwinger lang; in )"
                         R"(einem Medium mit der Kopplung (\d+,\d+) sind sie nur etwa (\d+) )"
                         R"(Schwinger lang)");
    ASSERT_EQ(claim.size(), 1u);
    build(500, 40);
    // The medium covers the strip from row 301 on.
    ZBDLL_AddMedium(0, 0.5, 400, 2, 200, 0, claim[0][1], 0.0);
    start(omegaFor(claim[0][0], kDefaultStep), 1, kDefaultStep);
    const double outside = 2 * kPi / field().twoWaves(0, 140, 280, 200).k;
    const double inside = 2 * kPi / field().twoWaves(0, 320, 440, 380).k;
    EXPECT_NEAR(outside, claim[0][0], 0.03 * claim[0][0]);
    EXPECT_NEAR(inside, claim[0][2], 0.03 * claim[0][2]);
}

// The lens example's numbers from the paraxial thick-lens formula, n taken from the grid's
// wavelengths; the engine's tests hold the lens to that formula.
TEST(MediaPage, LensExampleFollowsTheThickLensFormula) {
    const auto claim = statedNumbers(
        "OH/Medien.rtf",
        R"(Eine Ellipse, (\d+) Schwinger breit und (\d+) hoch, mit der Kopplung (\d+,\d+) im )"
        R"(Becken mit der Kopplung 1, und eine ebene Welle von etwa (\d+) Schwingern Länge )"
        R"(\(n ≈ (\d+,\d)\): Hier ist R = (\d+), die Formel für die dicke Linse gibt f ≈ (\d+), )"
        R"(und die Wellenfronten laufen auf einen Punkt etwa (\d+) Schwinger hinter dem Rand)");
    ASSERT_EQ(claim.size(), 1u);
    const auto& c = claim[0];
    const double omega = omegaFor(c[3], kFastestStep);
    const double n = discreteWavelength(omega, double(kFastestStep), 1.0) /
                     discreteWavelength(omega, double(kFastestStep), c[2]);
    const double a = c[0] / 2, b = c[1] / 2, r = b * b / a, d = 2 * a;
    const double f = 1 / ((n - 1) * (2 / r - (n - 1) * d / (n * r * r)));
    EXPECT_NEAR(n, c[4], 0.05);
    EXPECT_NEAR(r, c[5], 0.5);
    EXPECT_NEAR(f, c[6], 0.03 * c[6]);
    EXPECT_NEAR(f * (1 - (n - 1) * d / (n * r)), c[7], 0.03 * c[7]);
}

class OpenTank : public ::testing::Test {
  protected:
    void TearDown() override { restoreLoadState(); }

    // A tank with quiet edges 30 wide all round; objects come in between.
    template <class Objects>
    Field run(int nx, int ny, double omega, int frames, Objects objects) {
        freshHeadlessEngine();
        ZBDLL_CreateEmptyPool(nx, ny, 0.0, 1.0, 30);
        objects();
        ZBDLL_SetEdgeKind(1);
        ZBDLL_AddEdges(true, true, true, true);
        ZBDLL_SetSimulationSpeed(kFastestStep);
        ZBDLL_SetPaused(false);
        runFrames(frames);
        return Field(omega, 1, kFastestStep);
    }
};

TEST_F(OpenTank, PrismDeflectsAsTheMediaPageStates) {
    const auto claim = statedNumbers(
        "OH/Medien.rtf",
        R"(Ein Prisma, (\d+) Schwinger breit und (\d+) hoch, mit der Kopplung (\d+,\d+) im )"
        R"(Becken mit der Kopplung 1, lenkt eine waagerecht einlaufende Welle von etwa (\d+) )"
        R"(Schwingern Länge um etwa (\d+)° nach unten ab)");
    ASSERT_EQ(claim.size(), 1u);
    const auto& c = claim[0];
    const double omega = omegaFor(c[3], kFastestStep);
    const int cx = 130, cy = 110;
    const Field field = run(260, 220, omega, 2000, [&] {
        ZBDLL_AddMedium(2, cx, cy, c[0], c[1], 0, c[2], 0.0);
        ZBDLL_AddExciter(45, cy, 50, 1, 90, omega, 0.1, false); // a beam below the apex
    });
    // The beam behind the prism: the brightest stretch of a column there.
    const int i0 = cx + 55;
    int beam = 40;
    for (int j = 40; j < 180; ++j)
        if (field.amplitude(i0, j) > field.amplitude(i0, beam))
            beam = j;
    // Its direction from the mean phase step along x and along y over a patch in it, the field
    // being e^(-i k·r) of a wave running along k; rows run downwards.
    Complex stepX = 0, stepY = 0;
    for (int j = beam - 6; j <= beam + 6; ++j) {
        for (int i = i0; i < i0 + 12; ++i) {
            stepX += field.at(i + 1, j) * std::conj(field.at(i, j));
            stepY += field.at(i, j + 1) * std::conj(field.at(i, j));
        }
    }
    EXPECT_NEAR(-std::atan2(std::arg(stepY), -std::arg(stepX)) * 180 / kPi, c[4], 0.03 * c[4])
        << "degrees downwards";
}

TEST_F(OpenTank, ParabolicMirrorFocusesWhereTheCurvedWallPageStates) {
    const auto claim = statedNumbers(
        "OH/GebogeneWaende.rtf",
        R"(Eine Parabel mit der Brennweite (\d+) und der Breite (\d+); eine ebene Welle von etwa )"
        R"((\d+) Schwingern Länge läuft entlang der Achse auf sie zu. Die reflektierte Welle )"
        R"(sammelt sich (\d+) Schwinger vor dem Scheitel)");
    ASSERT_EQ(claim.size(), 1u);
    const auto& c = claim[0];
    const double omega = omegaFor(c[2], kFastestStep);
    const int ny = 200, fx = 90, fy = ny / 2;
    const double vertex = fx - c[0];
    std::vector<Field> fields;
    for (bool mirror : {false, true}) {
        fields.push_back(run(240, ny, omega, 1500, [&] {
            if (mirror)
                ZBDLL_AddParabolaWall(fx, fy, c[0], 0, c[1], 1, 0, 0, 0);
            ZBDLL_AddExciter(205, fy, ny, 1, 90, omega, 0.1, false);
        }));
    }
    // What the mirror sends back: the field with it less the field without it, along the axis.
    std::vector<double> back;
    for (int i = 0; i < 240; ++i)
        back.push_back(std::abs(fields[1].at(i, fy) - fields[0].at(i, fy)));
    size_t peak = size_t(vertex) + 10;
    for (size_t i = peak; i < 160; ++i)
        if (back[i] > back[peak])
            peak = i;
    EXPECT_NEAR(refinedExtremum(back, peak) - vertex, c[3], 0.03 * c[3]);
}

} // namespace
} // namespace zb
