// The example tanks of the guided sequences, run on the engine at the front end's default time
// step: each must show the phenomenon its step is about, clearly enough for a classroom.
#include "model/tank.h"
#include "model/tank_file.h"
#include "sim/engine_state.h"
#include "zbengine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace zb {
namespace {

using Complex = std::complex<double>;
constexpr double kPi = std::numbers::pi;

constexpr float kDefaultStep = 0.0025f;
constexpr float kFastestStep = 0.0121f;
// Wave speed at coupling c, in oscillators per time unit, is about kSpeedFactor * sqrt(c).
const double kSpeedFactor = std::sqrt(10000.0 / 3.0 / 4.0);

const std::string kTankDir = ZB_EXAMPLE_TANK_DIR;

const char* const kAllTanks[] = {
    "Einfuehrung/Schritt1.zb", "Einfuehrung/Schritt2.zb", "Einfuehrung/Schritt3.zb",
    "Einfuehrung/Schritt4.zb", "Einfuehrung/Schritt5.zb", "Einfuehrung/Schritt6.zb",
    "MR/01_Radialwelle.zb",    "MR/02_EbeneWelle.zb",     "MR/03a_BeugungRadial.zb",
    "MR/11b_StehendeWelle.zb",
};

Oscillator& cell(int i, int j) {
    return gEngine.pool.at(i, j);
}
int sizeX() {
    return gEngine.pool.sizeX;
}
int sizeY() {
    return gEngine.pool.sizeY;
}

void runFrames(int frames) {
    for (int f = 0; f < frames; ++f)
        ZBDLL_NextFrame();
}

// The steady field at the drive's frequency: for every cell the complex amplitude a with
// height = Re(a exp(i omega t)), taken over whole periods.
class Field {
  public:
    Field(double omega, int periods) : a_(size_t(sizeX()) * size_t(sizeY())) {
        const int frames = int(std::lround(periods * 2 * kPi / omega / kDefaultStep));
        for (int f = 0; f < frames; ++f) {
            ZBDLL_NextFrame();
            const Complex turn = std::polar(2.0 / frames, -omega * double(gEngine.simTime));
            for (int j = 0; j < sizeY(); ++j)
                for (int i = 0; i < sizeX(); ++i)
                    a_[index(i, j)] += cell(i, j).elongation * turn;
        }
    }

    Complex at(int i, int j) const { return a_[index(i, j)]; }
    double amplitude(int i, int j) const { return std::abs(at(i, j)); }

    // Wavelength from the phase advance along a straight run of cells from (i, j) in steps of
    // (di, dj); partial reflections only add a bounded wobble to the unwrapped phase.
    double wavelengthAlong(int i, int j, int di, int dj, int steps) const {
        double phase = 0;
        for (int s = 0; s < steps; ++s)
            phase += std::arg(at(i + (s + 1) * di, j + (s + 1) * dj) *
                              std::conj(at(i + s * di, j + s * dj)));
        return 2 * kPi * steps * std::hypot(di, dj) / std::abs(phase);
    }

    // Components |kx|, |ky| of the wave vector over a patch of cells. Any sum of waves whose
    // wave vectors differ only in the signs of their components obeys
    // a(i + 1) + a(i - 1) = 2 cos(kx) a(i), and likewise along y: so a wave and its reflection
    // at a row or column do not disturb the estimate.
    std::pair<double, double> waveVector(int i0, int i1, int j0, int j1) const {
        double sx = 0, sy = 0, norm = 0;
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                const Complex c = std::conj(at(i, j));
                sx += std::real(c * (at(i + 1, j) + at(i - 1, j)));
                sy += std::real(c * (at(i, j + 1) + at(i, j - 1)));
                norm += 2 * std::norm(at(i, j));
            }
        return {std::acos(std::clamp(sx / norm, -1.0, 1.0)),
                std::acos(std::clamp(sy / norm, -1.0, 1.0))};
    }

  private:
    size_t index(int i, int j) const { return size_t(i) + size_t(j) * size_t(sizeX()); }
    std::vector<Complex> a_;
};

// Energy of the waves in the cells outside damped edges, walls and exciters, for a wave of the
// given angular frequency.
double freeEnergy(double omega) {
    double e = 0;
    for (int j = 0; j < sizeY(); ++j)
        for (int i = 0; i < sizeX(); ++i) {
            const Oscillator& o = cell(i, j);
            if (o.dampingFactor == 1.0f && !o.fixed && !o.exciter)
                e += o.elongation * o.elongation + o.velocity * o.velocity / (omega * omega);
        }
    return e;
}

// The first row that holds a wall cell, -1 when there is none.
int firstWallRow() {
    for (int j = 0; j < sizeY(); ++j)
        for (int i = 0; i < sizeX(); ++i)
            if (isWallCell(cell(i, j)))
                return j;
    return -1;
}

// Runs of open cells along row j between walls that reach both sides.
struct WallRow {
    bool reachesBothSides = false;
    std::vector<std::pair<int, int>> openings; // first and last open column
};
WallRow wallRow(int j) {
    WallRow r;
    r.reachesBothSides = isWallCell(cell(0, j)) && isWallCell(cell(sizeX() - 1, j));
    for (int i = 0; i < sizeX(); ++i) {
        if (isWallCell(cell(i, j)))
            continue;
        if (r.openings.empty() || r.openings.back().second != i - 1)
            r.openings.push_back({i, i});
        else
            r.openings.back().second = i;
    }
    return r;
}

class ExampleTank : public ::testing::Test {
  protected:
    void TearDown() override { restoreLoadState(); }

    // Reads the tank and sends it to the engine, ready to run at the default step.
    bool open(const std::string& name) {
        if (!tank.LoadFromFile(kTankDir + "/" + name))
            return false;
        tank.TransferToEngine();
        ZBDLL_SetSimulationSpeed(kDefaultStep);
        ZBDLL_SetPaused(false);
        return gEngine.poolExists;
    }

    std::vector<const TErreger*> exciters() const {
        std::vector<const TErreger*> list;
        for (int k = 0; k < tank.Objekte->Count(); ++k)
            if (const TErreger* e = tank.Objekte->at(k).erreger())
                list.push_back(e);
        return list;
    }
    double omega() const { return exciters().at(0)->Frequenz; }

    // Frames until a wave has run the given number of oscillators at the tank's coupling.
    int framesToTravel(double oscillators) const {
        const double speed = kSpeedFactor * std::sqrt(tank.StandardKopplung);
        return int(oscillators / speed / kDefaultStep);
    }

    TZBecken tank;
};

// Everything that makes a tank usable in the guided sequences, whatever its subject.
TEST_F(ExampleTank, EveryTankIsSmallNamedAndStableAtTheFastestSpeed) {
    for (const char* name : kAllTanks) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(open(name));
        // The program draws every cell in every frame.
        EXPECT_LE(int64_t(sizeX()) * sizeY(), 100000);
        ASSERT_GE(exciters().size(), 1u);
        for (int k = 1; k < tank.Objekte->Count(); ++k)
            EXPECT_FALSE(tank.Objekte->at(k).Name.empty()) << "object " << k;

        ZBDLL_SetSimulationSpeed(kFastestStep);
        runFrames(600);
        // Heights beyond the size of the pool, or not numbers any more, mean the step diverges.
        int runaway = 0;
        for (int j = 0; j < sizeY(); ++j)
            for (int i = 0; i < sizeX(); ++i)
                runaway += !(std::abs(cell(i, j).elongation) < 1.0);
        EXPECT_EQ(runaway, 0);
        restoreLoadState();
    }
}

TEST_F(ExampleTank, TopViewHoldsOneObjectOfEachKindInsideTheTank) {
    ASSERT_TRUE(open("Einfuehrung/Schritt1.zb"));
    int count[5] = {};
    for (int k = 1; k < tank.Objekte->Count(); ++k)
        ++count[std::clamp(tank.Objekte->at(k).Art, 0, 4)];
    EXPECT_EQ(count[kArtErreger], 1);
    EXPECT_EQ(count[kArtWand], 1);
    EXPECT_EQ(count[kArtSchirm], 1);
    EXPECT_EQ(count[kArtMatUebergang], 1);

    int exciterCells = 0, boundary = -1;
    for (int j = 0; j < sizeY(); ++j)
        for (int i = 0; i < sizeX(); ++i)
            exciterCells += cell(i, j).exciter;
    const int wallRowIndex = firstWallRow();
    for (int j = 1; j < sizeY() && boundary < 0; ++j)
        if (cell(0, j).coupling != cell(0, j - 1).coupling)
            boundary = j;
    EXPECT_GT(exciterCells, 0);
    ASSERT_GE(wallRowIndex, 0);
    const WallRow wall = wallRow(wallRowIndex);
    EXPECT_TRUE(wall.reachesBothSides);
    EXPECT_EQ(wall.openings.size(), 1u);
    EXPECT_GT(boundary, 0) << "the material change lies inside the tank";
    ASSERT_EQ(gEngine.screenCount, 1);
    const ScreenLine& screen = gEngine.screens[0];
    EXPECT_GT(screen.position, 0);
    EXPECT_LT(screen.position, screen.horizontal ? sizeY() : sizeX());
}

// Radial waves: round rings of a wavelength that fits the tank several times.
TEST_F(ExampleTank, RadialWavesHaveRoundRingsOfAUsefulWavelength) {
    for (const char* name : {"Einfuehrung/Schritt3.zb", "MR/01_Radialwelle.zb"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(open(name));
        const TErreger& source = *exciters().at(0);
        EXPECT_EQ(source.Breite, source.Laenge) << "a square source";
        runFrames(framesToTravel(1.5 * sizeX()));
        const Field field(omega(), 3);
        const int x = source.X, y = source.Y, reach = 60;
        const double right = field.wavelengthAlong(x + 10, y, 1, 0, reach);
        const double up = field.wavelengthAlong(x, y - 10, 0, -1, reach);
        const double diagonal = field.wavelengthAlong(x + 7, y + 7, 1, 1, reach * 2 / 3);
        EXPECT_GE(right, 15.0);
        EXPECT_LE(right, 40.0);
        EXPECT_NEAR(up / right, 1.0, 0.1);
        EXPECT_NEAR(diagonal / right, 1.0, 0.1);
        restoreLoadState();
    }
}

// Step 2 keeps its waves in the tank; absorbing edges let them leave. The exciters are switched
// off once the waves fill the tank; then the energy left after the time to cross the tank is
// compared with the energy at switching off.
TEST_F(ExampleTank, AbsorbingEdgesLetTheWavesLeaveAndPlainOnesKeepThem) {
    auto energyLeft = [this](const char* name) {
        EXPECT_TRUE(open(name));
        runFrames(framesToTravel(1.2 * std::max(sizeX(), sizeY())));
        ZBDLL_EnableExciters(false);
        const double before = freeEnergy(omega());
        runFrames(framesToTravel(std::max(sizeX(), sizeY())));
        const double after = freeEnergy(omega());
        restoreLoadState();
        return after / before;
    };
    EXPECT_GT(energyLeft("Einfuehrung/Schritt2.zb"), 0.8);
    EXPECT_LT(energyLeft("Einfuehrung/Schritt3.zb"), 0.1);
    EXPECT_LT(energyLeft("MR/01_Radialwelle.zb"), 0.1);
    EXPECT_LT(energyLeft("MR/02_EbeneWelle.zb"), 0.1);
}

TEST_F(ExampleTank, StepThreeIsStepTwoWithAbsorbingEdges) {
    TZBecken plain, absorbing;
    ASSERT_TRUE(plain.LoadFromFile(kTankDir + "/Einfuehrung/Schritt2.zb"));
    ASSERT_TRUE(absorbing.LoadFromFile(kTankDir + "/Einfuehrung/Schritt3.zb"));
    EXPECT_FALSE(plain.RandHinten || plain.RandVorne || plain.RandLinks || plain.RandRechts);
    EXPECT_TRUE(absorbing.RandHinten && absorbing.RandVorne && absorbing.RandLinks &&
                absorbing.RandRechts);
    absorbing.SetEdges(false, false, false, false, plain.RandBreite);
    EXPECT_EQ(serializeTank(plain), serializeTank(absorbing));
}

// A plane front as wide as the tank, parallel to the rows, of a useful wavelength.
TEST_F(ExampleTank, PlaneWaveFrontsAreStraightAcrossTheWholeWidth) {
    ASSERT_TRUE(open("MR/02_EbeneWelle.zb"));
    runFrames(framesToTravel(1.5 * sizeY()));
    const Field field(omega(), 3);
    const int row = sizeY() / 2;
    const Complex middle = field.at(sizeX() / 2, row);
    double worstPhase = 0, weakest = 1e9;
    for (int i = 0; i < sizeX(); ++i) {
        worstPhase = std::max(worstPhase, std::abs(std::arg(field.at(i, row) * std::conj(middle))));
        weakest = std::min(weakest, field.amplitude(i, row) / std::abs(middle));
    }
    EXPECT_LT(worstPhase, 0.2) << "radians off a straight front";
    EXPECT_GT(weakest, 0.8) << "the front fades towards a side";
    const double wavelength = field.wavelengthAlong(sizeX() / 2, 60, 0, 1, 120);
    EXPECT_GE(wavelength, 15.0);
    EXPECT_LE(wavelength, 40.0);
}

// A single slit about one wavelength wide: behind it the wave spreads to the sides, where a
// wide gap would cast a beam with a shadow beside it.
TEST_F(ExampleTank, SingleSlitSpreadsTheWaveBehindIt) {
    for (const char* name : {"Einfuehrung/Schritt4.zb", "MR/03a_BeugungRadial.zb"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(open(name));
        const int wallRowIndex = firstWallRow();
        ASSERT_GE(wallRowIndex, 0);
        const WallRow wall = wallRow(wallRowIndex);
        EXPECT_TRUE(wall.reachesBothSides);
        EXPECT_TRUE(wallRow(wallRowIndex + 1).reachesBothSides);
        ASSERT_EQ(wall.openings.size(), 1u);
        const int slitWidth = wall.openings[0].second - wall.openings[0].first + 1;
        const double slitX = 0.5 * (wall.openings[0].first + wall.openings[0].second);
        for (const TErreger* e : exciters())
            EXPECT_LT(e->Y, wallRowIndex) << "the source lies before the wall";

        runFrames(framesToTravel(1.5 * sizeY()));
        const Field field(omega(), 3);
        const double wavelength = field.wavelengthAlong(int(slitX), wallRowIndex + 15, 0, 1, 50);
        EXPECT_GE(wavelength, 15.0);
        EXPECT_LE(wavelength, 40.0);
        EXPECT_LT(slitWidth, 1.5 * wavelength);
        EXPECT_GT(slitWidth, 0.5 * wavelength);

        // Behind the slit a circular wave starts from the slit: on circles around it the phase
        // is the same in every direction, and the wave reaches far to the sides. Without
        // diffraction the fronts would keep the shape they had before the wall.
        const double rowBehind = wallRowIndex + 1.5;
        auto behind = [&](double degrees, double r) {
            const double a = degrees * kPi / 180;
            return field.at(int(std::lround(slitX + r * std::sin(a))),
                            int(std::lround(rowBehind + r * std::cos(a))));
        };
        const double ahead = std::abs(behind(0, 50));
        EXPECT_GT(ahead, 0.003) << "a visible wave passes the slit";
        for (double degrees : {-45.0, -30.0, 30.0, 45.0}) {
            SCOPED_TRACE(degrees);
            Complex turn = 0;
            double side = 0, straight = 0;
            for (double r = 40; r <= 60; ++r) {
                turn += behind(degrees, r) * std::conj(behind(0, r));
                side += std::abs(behind(degrees, r));
                straight += std::abs(behind(0, r));
            }
            EXPECT_LT(std::abs(std::arg(turn)), 0.5) << "radians off a circle around the slit";
            EXPECT_GT(side / straight, 0.4);
        }
        restoreLoadState();
    }
}

// A turned plane front enters a slower medium: below the boundary the wavelength is shorter and
// the front is turned towards the boundary, as Snell's law says.
TEST_F(ExampleTank, RefractionShortensTheWaveAndTurnsTheFront) {
    ASSERT_TRUE(open("Einfuehrung/Schritt5.zb"));
    int boundary = -1;
    for (int j = 1; j < sizeY() && boundary < 0; ++j)
        if (cell(sizeX() / 2, j).coupling != cell(sizeX() / 2, j - 1).coupling)
            boundary = j;
    ASSERT_GT(boundary, 0);
    EXPECT_LT(cell(sizeX() / 2, boundary).coupling, cell(sizeX() / 2, boundary - 1).coupling);

    // The bar runs into the tank's borders, so its front covers the whole boundary.
    ASSERT_EQ(exciters().size(), 1u);
    const TErreger& bar = *exciters()[0];
    EXPECT_NE(bar.Winkel % 180, 0) << "the front is turned against the rows";
    bool touchesLeft = false, touchesBack = false;
    for (int j = 0; j < sizeY(); ++j)
        touchesLeft |= cell(0, j).exciter;
    for (int i = 0; i < sizeX(); ++i)
        touchesBack |= cell(i, 0).exciter;
    EXPECT_TRUE(touchesLeft && touchesBack);

    runFrames(framesToTravel(1.5 * std::max(sizeX(), sizeY())));
    const Field field(omega(), 3);
    // The incoming and the refracted wave in bands above and below the boundary.
    const int middle = sizeX() / 2;
    const auto [ax, ay] = field.waveVector(middle - 40, middle + 40, boundary - 25, boundary - 5);
    const auto [bx, by] = field.waveVector(middle - 40, middle + 40, boundary + 5, boundary + 25);
    const double above = 2 * kPi / std::hypot(ax, ay);
    const double below = 2 * kPi / std::hypot(bx, by);
    const double angleAbove = std::atan2(ax, ay);
    const double angleBelow = std::atan2(bx, by);
    EXPECT_GE(below, 15.0);
    EXPECT_LE(above, 40.0);
    EXPECT_LT(below, 0.7 * above);
    EXPECT_GT(angleAbove, 30 * kPi / 180) << "the incoming front is clearly turned";
    EXPECT_LT(angleBelow, angleAbove - 15 * kPi / 180) << "the front turns visibly";
    EXPECT_NEAR(std::sin(angleAbove) / std::sin(angleBelow), above / below, 0.15 * above / below);

    // The refracted wave is high enough to be seen.
    double mean = 0;
    for (int i = middle - 40; i <= middle + 40; ++i)
        mean += field.amplitude(i, boundary + 15) / 81;
    EXPECT_GT(mean, 0.005);
}

// Two slits with fringes on the screen behind them: a bright middle and dark and bright fringes
// on each side.
TEST_F(ExampleTank, DoubleSlitDrawsFringesOnTheScreen) {
    ASSERT_TRUE(open("Einfuehrung/Schritt6.zb"));
    const int wallRowIndex = firstWallRow();
    ASSERT_GE(wallRowIndex, 0);
    const WallRow wall = wallRow(wallRowIndex);
    EXPECT_TRUE(wall.reachesBothSides);
    ASSERT_EQ(wall.openings.size(), 2u);
    const double centre = 0.25 * (wall.openings[0].first + wall.openings[0].second +
                                  wall.openings[1].first + wall.openings[1].second);

    ASSERT_EQ(gEngine.screenCount, 1);
    const ScreenLine screen = gEngine.screens[0];
    ASSERT_TRUE(screen.horizontal);
    EXPECT_GT(screen.position, wallRowIndex + 60) << "the screen lies well behind the slits";

    runFrames(framesToTravel(1.5 * sizeY()));
    const Field field(omega(), 3);
    std::vector<double> profile;
    for (int i = 0; i < sizeX(); ++i)
        profile.push_back(field.amplitude(i, screen.position));

    // The brightest point on the screen lies straight behind the middle of the slits...
    const int brightest = int(std::max_element(profile.begin(), profile.end()) - profile.begin());
    EXPECT_NEAR(brightest, centre, 10);
    const double peak = profile[size_t(brightest)];
    EXPECT_GT(peak, 0.005) << "the fringes are high enough to be seen";
    // ... and on each side, within 80 oscillators, the screen turns dark and bright again.
    for (int side : {-1, 1}) {
        SCOPED_TRACE(side);
        auto near = [&](int i) { return i > 0 && i < sizeX() - 1 && std::abs(i - brightest) < 80; };
        int i = brightest;
        while (near(i) && profile[size_t(i)] > 0.3 * peak)
            i += side;
        double darkest = peak, brightAgain = 0;
        for (; near(i); i += side) {
            darkest = std::min(darkest, profile[size_t(i)]);
            if (profile[size_t(i)] > 3 * darkest)
                brightAgain = std::max(brightAgain, profile[size_t(i)]);
        }
        EXPECT_LT(darkest, 0.3 * peak);
        EXPECT_GT(brightAgain, 0.5 * peak);
    }
}

// A plane wave reflected by the plain front edge: along the screen, nodes every half
// wavelength and an antinode at the edge, since the edge reflects without a phase jump.
TEST_F(ExampleTank, StandingWaveHasNodesAlongTheScreen) {
    ASSERT_TRUE(open("MR/11b_StehendeWelle.zb"));
    EXPECT_FALSE(tank.RandVorne) << "the front edge reflects";
    ASSERT_EQ(gEngine.screenCount, 1);
    const ScreenLine screen = gEngine.screens[0];
    ASSERT_FALSE(screen.horizontal) << "the screen runs along the wave";
    int barRow = -1;
    for (int j = 0; j < sizeY() && barRow < 0; ++j)
        if (cell(screen.position, j).exciter)
            barRow = j;
    ASSERT_GE(barRow, 0);

    // The waves between bar and edge settle after a few trips there and back.
    runFrames(framesToTravel(6.0 * sizeY()));
    const Field field(omega(), 3);
    const int x = screen.position, first = barRow + 5, last = sizeY() - 1;

    // Along the screen the field is a wave running to the edge and one coming back with the
    // same wavelength; from every two neighbouring cells follow both amplitudes. Where they are
    // equal, the nodes stand still and the field vanishes there.
    double sum = 0, norm = 0;
    for (int j = first; j < last; ++j) {
        sum += std::real(std::conj(field.at(x, j)) * (field.at(x, j + 1) + field.at(x, j - 1)));
        norm += 2 * std::norm(field.at(x, j));
    }
    const double k = std::acos(sum / norm);
    const Complex step = std::polar(1.0, -k);
    double worstNode = 0, antinode = 0;
    Complex towards, back;
    for (int j = first; j < last; ++j) {
        back = (field.at(x, j + 1) - field.at(x, j) * step) / Complex(0, 2 * std::sin(k));
        towards = field.at(x, j) - back;
        const double sumOfBoth = std::abs(towards) + std::abs(back);
        worstNode = std::max(worstNode, std::abs(std::abs(towards) - std::abs(back)) / sumOfBoth);
        antinode = std::max(antinode, sumOfBoth);
    }
    EXPECT_LT(worstNode, 0.05) << "nodes, relative to the antinodes";
    EXPECT_GT(antinode, 0.02) << "high enough to be seen on the screen";
    const double wavelength = 2 * kPi / k;
    EXPECT_GE(wavelength, 15.0);
    EXPECT_LE(wavelength, 40.0);
    EXPECT_GE((last - first) / (wavelength / 2), 5.0) << "several loops between bar and edge";
    // At the edge both waves are in phase: an antinode, as after reflection without phase jump.
    EXPECT_GT(std::cos(std::arg(towards * step / (back / step))), 0.9);
}

} // namespace
} // namespace zb
