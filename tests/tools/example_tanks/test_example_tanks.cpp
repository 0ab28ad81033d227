// The example tanks of the guided sequences, run on the engine at the front end's default time
// step: each must show what its text says, and every number the text states must be what the
// tank shows, within 3 % (fractions of an amplitude within 3 % of the amplitude).
#include "model/tank.h"
#include "model/tank_file.h"
#include "stated_numbers.h"
#include "wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace zb {
namespace {

const std::string kTankDir = ZB_EXAMPLE_TANK_DIR;

const char* const kAllTanks[] = {
    "Einfuehrung/Schritt1.zb", "Einfuehrung/Schritt2.zb", "Einfuehrung/Schritt3.zb",
    "Einfuehrung/Schritt4.zb", "Einfuehrung/Schritt5.zb", "Einfuehrung/Schritt6.zb",
    "MR/01_Radialwelle.zb",    "MR/02_EbeneWelle.zb",     "MR/03a_BeugungRadial.zb",
    "MR/11b_StehendeWelle.zb",
};

#define EXPECT_AS_STATED(measured, stated)                                                         \
    EXPECT_NEAR(measured, stated, kTolerance* std::abs(stated)) << "stated " #stated

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

    // Reads the tank and sends it to the engine, ready to run at the given step.
    bool open(const std::string& name, float step = kDefaultStep) {
        if (!tank.LoadFromFile(kTankDir + "/" + name))
            return false;
        return send(step);
    }
    bool send(float step = kDefaultStep) {
        freshHeadlessEngine();
        tank.TransferToEngine();
        ZBDLL_SetSimulationSpeed(step);
        ZBDLL_SetPaused(false);
        step_ = step;
        return gEngine.poolExists;
    }

    std::vector<TErreger*> exciters() const {
        std::vector<TErreger*> list;
        for (int k = 0; k < tank.Objekte->Count(); ++k)
            if (TErreger* e = tank.Objekte->at(k).erreger())
                list.push_back(e);
        return list;
    }
    double omega() const { return exciters().at(0)->Frequenz; }

    // Runs until a wave has travelled the given number of oscillators at the tank's coupling.
    void travel(double oscillators) const {
        runFrames(framesToTravel(oscillators, tank.StandardKopplung, step_));
    }
    Field field() const { return Field(omega(), 3, step_); }

    TZBecken tank;
    float step_ = kDefaultStep;
};

// Everything that makes a tank usable in the guided sequences, whatever its subject.
TEST_F(ExampleTank, EveryTankIsSmallNamedAndStableAtTheFastestSpeed) {
    for (const char* name : kAllTanks) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(open(name, kFastestStep));
        // The program draws every cell in every frame.
        EXPECT_LE(int64_t(sizeX()) * sizeY(), 100000);
        ASSERT_GE(exciters().size(), 1u);
        for (int k = 1; k < tank.Objekte->Count(); ++k)
            EXPECT_FALSE(tank.Objekte->at(k).Name.empty()) << "object " << k;

        runFrames(600);
        // Heights beyond the size of the pool, or not numbers any more, mean the step diverges.
        int runaway = 0;
        for (int j = 0; j < sizeY(); ++j)
            for (int i = 0; i < sizeX(); ++i)
                runaway += !(std::abs(cell(i, j).elongation) < 1.0);
        EXPECT_EQ(runaway, 0);
    }
}

TEST_F(ExampleTank, TopViewHoldsOneObjectOfEachKindInsideTheTank) {
    ASSERT_TRUE(open("Einfuehrung/Schritt1.zb"));
    EXPECT_EQ(sizeX(), statedNumber("Einfuehrung/01_Vogelsicht.rtf", R"((\d+) × \d+ Schwinger)"));
    EXPECT_EQ(sizeY(), statedNumber("Einfuehrung/01_Vogelsicht.rtf", R"(\d+ × (\d+) Schwinger)"));
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

// Radial waves: round rings of the wavelength the texts state.
TEST_F(ExampleTank, RadialWavesHaveRoundRingsOfTheStatedWavelength) {
    const std::pair<const char*, double> tanks[] = {
        {"Einfuehrung/Schritt3.zb",
         statedNumber("Einfuehrung/03_DaempfRaender.rtf", R"(Wellenlänge etwa (\d+) Schwinger)")},
        {"MR/01_Radialwelle.zb",
         statedNumber("MR/01_Radialwelle.rtf", R"(Wellenlänge λ, hier etwa (\d+) Schwinger)")},
    };
    for (const auto& [name, stated] : tanks) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(open(name));
        const TErreger& source = *exciters().at(0);
        EXPECT_EQ(source.Breite, source.Laenge) << "a square source";
        travel(1.5 * sizeX());
        const Field f = field();
        const int x = source.X, y = source.Y, reach = 60;
        // To the right, up and along a diagonal: the rings are round.
        EXPECT_AS_STATED(f.wavelengthOver(x + 10, x + 10 + reach, y - 3, y + 3), stated);
        EXPECT_AS_STATED(f.wavelengthOver(x - 3, x + 3, y - 10 - reach, y - 10), stated);
        EXPECT_AS_STATED(
            f.wavelengthOver(x + 7, x + 7 + reach * 2 / 3, y + 7, y + 7 + reach * 2 / 3), stated);
    }
}

// Step 2 keeps its waves in the tank; absorbing edges let them leave. The exciters are switched
// off once the waves fill the tank; then the energy left after the time to cross the tank is
// compared with the energy at switching off.
TEST_F(ExampleTank, AbsorbingEdgesLetTheWavesLeaveAndPlainOnesKeepThem) {
    auto energyLeft = [this](const char* name) {
        EXPECT_TRUE(open(name));
        travel(1.2 * std::max(sizeX(), sizeY()));
        ZBDLL_EnableExciters(false);
        const double before = freeEnergy(omega());
        travel(std::max(sizeX(), sizeY()));
        return freeEnergy(omega()) / before;
    };
    EXPECT_GT(energyLeft("Einfuehrung/Schritt2.zb"), 0.8);
    EXPECT_LT(energyLeft("Einfuehrung/Schritt3.zb"), 0.1);
    EXPECT_LT(energyLeft("MR/01_Radialwelle.zb"), 0.1);
    EXPECT_LT(energyLeft("MR/02_EbeneWelle.zb"), 0.1);
}

TEST_F(ExampleTank, StepThreeIsStepTwoWithTheStatedAbsorbingEdges) {
    TZBecken plain, absorbing;
    ASSERT_TRUE(plain.LoadFromFile(kTankDir + "/Einfuehrung/Schritt2.zb"));
    ASSERT_TRUE(absorbing.LoadFromFile(kTankDir + "/Einfuehrung/Schritt3.zb"));
    EXPECT_FALSE(plain.RandHinten || plain.RandVorne || plain.RandLinks || plain.RandRechts);
    EXPECT_TRUE(absorbing.RandHinten && absorbing.RandVorne && absorbing.RandLinks &&
                absorbing.RandRechts);
    EXPECT_EQ(absorbing.RandBreite, statedNumber("Einfuehrung/03_DaempfRaender.rtf",
                                                 R"(Streifen von (\d+) Schwingern Breite)"));
    absorbing.SetEdges(false, false, false, false, plain.RandBreite);
    EXPECT_EQ(serializeTank(plain), serializeTank(absorbing));
}

// The damped edges of step 3 and of the plane wave are alike; a plane front meets the front edge
// head-on, and the returning part is what the texts state, for the wavelengths they name and at
// both ends of the speed slider.
TEST_F(ExampleTank, DampedEdgesSendBackWhatTheTextsState) {
    TZBecken step3;
    ASSERT_TRUE(step3.LoadFromFile(kTankDir + "/Einfuehrung/Schritt3.zb"));
    const char* edges = "Einfuehrung/03_DaempfRaender.rtf";
    const char* slider = "Einfuehrung/SimulationsMenue.rtf";
    const auto shortWave = statedNumbers(
        edges, R"(Wellenlänge etwa (\d+) Schwinger\) gerade in den Rand, sind es bei der )"
               R"(Startgeschwindigkeit etwa (\d+) %)");
    const auto longWave = statedNumbers(
        edges, R"(Bei einer Wellenlänge von etwa (\d+) Schwingern sind es etwa (\d+) %)");
    const auto bothSpeeds = statedNumbers(
        slider, R"(Rand von (\d+) Schwingern wirft bei der Startgeschwindigkeit etwa (\d+) % )"
                R"(einer Welle von (\d+) Schwingern zurück, bei der höchsten Geschwindigkeit )"
                R"(nur etwa (\d+) %)");
    ASSERT_EQ(shortWave.size(), 1u);
    ASSERT_EQ(longWave.size(), 1u);
    ASSERT_EQ(bothSpeeds.size(), 1u);
    EXPECT_EQ(step3.RandBreite, bothSpeeds[0][0]);
    EXPECT_EQ(bothSpeeds[0][1], shortWave[0][1]) << "the two texts agree";
    EXPECT_EQ(bothSpeeds[0][2], shortWave[0][0]);

    struct Case {
        double wavelength, percent;
        float step;
    };
    const Case cases[] = {{shortWave[0][0], shortWave[0][1], kDefaultStep},
                          {longWave[0][0], longWave[0][1], kDefaultStep},
                          {bothSpeeds[0][2], bothSpeeds[0][3], kFastestStep}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wavelength);
        SCOPED_TRACE(c.step);
        ASSERT_TRUE(tank.LoadFromFile(kTankDir + "/MR/02_EbeneWelle.zb"));
        ASSERT_EQ(tank.RandBreite, step3.RandBreite);
        ASSERT_TRUE(tank.RandVorne);
        // The wavelength is 363 / omega at the coupling of the example tanks.
        ASSERT_EQ(tank.StandardKopplung, step3.StandardKopplung);
        exciters().at(0)->Frequenz = 2 * kPi * std::sqrt(10000.0 / 3.0) / c.wavelength;
        ASSERT_TRUE(send(c.step));
        travel(3.0 * sizeY());
        const Field f = field();
        const int edge = sizeY() - tank.RandBreite, x = sizeX() / 2;
        const Field::TwoWaves w = f.twoWaves(x, exciters()[0]->Y + 10, edge - 5, edge);
        EXPECT_AS_STATED(2 * kPi / w.k, c.wavelength);
        EXPECT_NEAR(std::abs(w.reflection()), c.percent / 100, kTolerance);
    }
}

// A plane front as wide as the tank, straight up to where the side edges, plain as the text
// says, weaken it a little.
TEST_F(ExampleTank, PlaneWaveIsStraightAndOnlyTheSideColumnsLag) {
    ASSERT_TRUE(open("MR/02_EbeneWelle.zb"));
    EXPECT_FALSE(tank.RandLinks || tank.RandRechts);
    travel(1.5 * sizeY());
    const Field f = field();
    const double stated =
        statedNumber("MR/02_EbeneWelle.rtf", R"(Wellenlänge λ \(etwa (\d+) Schwinger\))");
    EXPECT_AS_STATED(f.wavelengthAlong(sizeX() / 2, 60, 0, 1, 120), stated);

    double worstPhase = 0, side = 0, sideLag = 0;
    int rows = 0;
    for (int row = 80; row <= 180; row += 10, ++rows) {
        const Complex middle = f.at(sizeX() / 2, row);
        for (int i = 20; i < sizeX() - 20; ++i)
            worstPhase = std::max(worstPhase, std::abs(std::arg(f.at(i, row) / middle)));
        for (int i : {0, sizeX() - 1}) {
            side += f.amplitude(i, row) / std::abs(middle) / 2;
            sideLag += std::arg(f.at(i, row) / middle) / 2;
        }
    }
    EXPECT_LT(worstPhase, 0.2) << "radians off a straight front";
    // "etwa ein Fünftel schwächer und hinkt ein wenig nach"
    EXPECT_NEAR(side / rows, 0.8, 0.05);
    EXPECT_GT(sideLag / rows, 3 * kPi / 180);
    EXPECT_LT(sideLag / rows, 20 * kPi / 180);
}

// A single slit as wide as the text says, about one wavelength: behind it the wave spreads to
// the sides, where a wide gap would cast a beam with a shadow beside it.
TEST_F(ExampleTank, SingleSlitHasTheStatedWidthAndSpreadsTheWave) {
    struct Case {
        const char* tank;
        double width, wavelength;
    };
    const double step4Width =
        statedNumber("Einfuehrung/04_Waende.rtf",
                     R"(Der Spalt ist (\d+) Schwinger breit – genauso breit wie eine Wellenlänge)");
    const Case cases[] = {
        {"Einfuehrung/Schritt4.zb", step4Width, step4Width},
        {"MR/03a_BeugungRadial.zb",
         statedNumber("MR/03a_BeugungRadial.rtf", R"(Spalt von (\d+) Schwingern Breite)"),
         statedNumber("MR/03a_BeugungRadial.rtf", R"(Wellenlänge von etwa (\d+) Schwingern)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tank);
        ASSERT_TRUE(open(c.tank));
        const int wallRowIndex = firstWallRow();
        ASSERT_GE(wallRowIndex, 0);
        const WallRow wall = wallRow(wallRowIndex);
        EXPECT_TRUE(wall.reachesBothSides);
        EXPECT_TRUE(wallRow(wallRowIndex + 1).reachesBothSides);
        ASSERT_EQ(wall.openings.size(), 1u);
        // The width is the distance between the wall oscillators on both sides, as the editor's
        // slit width gives it.
        EXPECT_EQ(wall.openings[0].second - wall.openings[0].first + 2, c.width);
        const double slitX = 0.5 * (wall.openings[0].first + wall.openings[0].second);
        for (const TErreger* e : exciters())
            EXPECT_LT(e->Y, wallRowIndex) << "the source lies before the wall";

        travel(1.5 * sizeY());
        const Field f = field();
        const int slitColumn = int(slitX);
        EXPECT_AS_STATED(
            f.wavelengthOver(slitColumn - 3, slitColumn + 3, wallRowIndex + 15, wallRowIndex + 65),
            c.wavelength);

        // Behind the slit a circular wave starts from the slit: on circles around it the phase
        // is the same in every direction, and the wave reaches far to the sides. Without
        // diffraction the fronts would keep the shape they had before the wall.
        const double rowBehind = wallRowIndex + 1.5;
        auto behind = [&](double degrees, double r) {
            const double a = degrees * kPi / 180;
            return f.at(int(std::lround(slitX + r * std::sin(a))),
                        int(std::lround(rowBehind + r * std::cos(a))));
        };
        EXPECT_GT(std::abs(behind(0, 50)), 0.003) << "a visible wave passes the slit";
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
    }
}

// A turned plane front enters a slower medium: the couplings, the slowing, both wavelengths and
// both angles of the front are those of the text.
TEST_F(ExampleTank, RefractionShowsTheStatedWavelengthsAndAngles) {
    const char* text = "Einfuehrung/05_Materialuebergaenge.rtf";
    const auto couplings = statedNumbers(text, R"(\((\d+,?\d*) statt (\d+)\))");
    const double slower = statedNumber(text, R"(etwa (\d+,\d+)-mal langsamer)");
    const auto wavelengths = statedNumbers(text, R"(von etwa (\d+) auf etwa (\d+) Schwinger)");
    const auto angles =
        statedNumbers(text, R"(unter (\d+)° zur Grenzlinie, danach nur noch unter etwa (\d+)°)");
    ASSERT_EQ(couplings.size(), 1u);
    ASSERT_EQ(wavelengths.size(), 1u);
    ASSERT_EQ(angles.size(), 1u);

    ASSERT_TRUE(open("Einfuehrung/Schritt5.zb"));
    int boundary = -1;
    for (int j = 1; j < sizeY() && boundary < 0; ++j)
        if (cell(sizeX() / 2, j).coupling != cell(sizeX() / 2, j - 1).coupling)
            boundary = j;
    ASSERT_GT(boundary, 0);
    EXPECT_EQ(cell(sizeX() / 2, boundary).coupling, float(couplings[0][0]));
    EXPECT_EQ(cell(sizeX() / 2, boundary - 1).coupling, float(couplings[0][1]));
    EXPECT_AS_STATED(std::sqrt(couplings[0][1] / couplings[0][0]), slower);

    // The bar runs into the tank's borders, so its front covers the whole boundary.
    ASSERT_EQ(exciters().size(), 1u);
    bool touchesLeft = false, touchesBack = false;
    for (int j = 0; j < sizeY(); ++j)
        touchesLeft |= cell(0, j).exciter;
    for (int i = 0; i < sizeX(); ++i)
        touchesBack |= cell(i, 0).exciter;
    EXPECT_TRUE(touchesLeft && touchesBack);

    travel(1.5 * std::max(sizeX(), sizeY()));
    const Field f = field();
    // The incoming and the refracted wave in bands above and below the boundary.
    const int middle = sizeX() / 2;
    const auto [ax, ay] = f.waveVector(middle - 40, middle + 40, boundary - 25, boundary - 5);
    const auto [bx, by] = f.waveVector(middle - 40, middle + 40, boundary + 5, boundary + 25);
    const double above = 2 * kPi / std::hypot(ax, ay);
    const double below = 2 * kPi / std::hypot(bx, by);
    EXPECT_AS_STATED(above, wavelengths[0][0]);
    EXPECT_AS_STATED(below, wavelengths[0][1]);
    EXPECT_AS_STATED(above / below, slower);
    // The angle of the wave vector to the normal is the angle of the front to the boundary.
    EXPECT_AS_STATED(std::atan2(ax, ay) * 180 / kPi, angles[0][0]);
    EXPECT_AS_STATED(std::atan2(bx, by) * 180 / kPi, angles[0][1]);

    // The refracted wave is high enough to be seen.
    double mean = 0;
    for (int i = middle - 40; i <= middle + 40; ++i)
        mean += f.amplitude(i, boundary + 15) / 81;
    EXPECT_GT(mean, 0.005);
}

// Two slits three wavelengths apart with fringes on the screen behind them where the text puts
// them, and the far-field angles it quotes.
TEST_F(ExampleTank, DoubleSlitFringesLieWhereTheTextSays) {
    const char* text = "Einfuehrung/06_Schirme.rtf";
    const double distance = statedNumber(text, R"(Spalte liegen (\d+) Schwinger auseinander)");
    const double dark = statedNumber(text, R"(ersten ruhigen Stellen etwa (\d+) Schwinger)");
    const double bright = statedNumber(text, R"(starken Ausschläge etwa (\d+) Schwinger)");
    const auto angles = statedNumbers(text, R"(unter (\d+,?\d*)° und (\d+,?\d*)°)");
    ASSERT_EQ(angles.size(), 1u);

    ASSERT_TRUE(open("Einfuehrung/Schritt6.zb"));
    const int wallRowIndex = firstWallRow();
    ASSERT_GE(wallRowIndex, 0);
    const WallRow wall = wallRow(wallRowIndex);
    EXPECT_TRUE(wall.reachesBothSides);
    ASSERT_EQ(wall.openings.size(), 2u);
    const double left = 0.5 * (wall.openings[0].first + wall.openings[0].second);
    const double right = 0.5 * (wall.openings[1].first + wall.openings[1].second);
    EXPECT_EQ(right - left, distance);
    const double centre = 0.5 * (left + right);

    ASSERT_EQ(gEngine.screenCount, 1);
    const ScreenLine screen = gEngine.screens[0];
    ASSERT_TRUE(screen.horizontal);

    travel(1.5 * sizeY());
    const Field f = field();
    // The plane wave between the bar and the wall.
    const double wavelength =
        f.wavelengthOver(int(centre) - 80, int(centre) + 80, 55, wallRowIndex - 10);
    EXPECT_AS_STATED(distance / wavelength, 3.0) << "three wavelengths";
    EXPECT_AS_STATED(std::asin(wavelength / distance) * 180 / kPi, angles[0][0]);
    EXPECT_AS_STATED(std::asin(2 * wavelength / distance) * 180 / kPi, angles[0][1]);

    std::vector<double> profile;
    for (int i = 0; i < sizeX(); ++i)
        profile.push_back(f.amplitude(i, screen.position));
    // The brightest point lies straight behind the middle of the slits, high enough to be seen.
    const auto brightest =
        size_t(std::max_element(profile.begin(), profile.end()) - profile.begin());
    EXPECT_NEAR(double(brightest), centre, 3);
    const double peak = profile[brightest];
    EXPECT_GT(peak, 0.005);
    // On each side the first dark and the next bright place, refined between the cells.
    double darkOffset = 0, brightOffset = 0;
    for (int side : {-1, 1}) {
        SCOPED_TRACE(side);
        size_t i = brightest;
        while (profile[size_t(int(i) + side)] < profile[i])
            i = size_t(int(i) + side);
        const double darkAt = refinedExtremum(profile, i);
        EXPECT_LT(profile[i], 0.3 * peak);
        while (profile[size_t(int(i) + side)] > profile[i])
            i = size_t(int(i) + side);
        EXPECT_GT(profile[i], 0.5 * peak);
        darkOffset += std::abs(darkAt - centre) / 2;
        brightOffset += std::abs(refinedExtremum(profile, i) - centre) / 2;
    }
    EXPECT_AS_STATED(darkOffset, dark);
    EXPECT_AS_STATED(brightOffset, bright);
}

// A plane wave reflected by the plain front edge: along the screen, nodes every half wavelength
// and an antinode at the edge, since the edge reflects without a phase jump.
TEST_F(ExampleTank, StandingWaveHasNodesHalfAWavelengthApartAndAnAntinodeAtTheEnd) {
    const double stated =
        statedNumber("MR/11b_StehendeWelle.rtf", R"(Wellenlänge \(etwa (\d+) Schwinger\))");
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
    travel(6.0 * sizeY());
    const Field f = field();
    const int x = screen.position, first = barRow + 5, last = sizeY() - 1;
    const Field::TwoWaves w = f.twoWaves(x, first, last - 1, last);
    const double wavelength = 2 * kPi / w.k;
    EXPECT_AS_STATED(wavelength, stated);
    EXPECT_NEAR(std::abs(w.reflection()), 1.0, kTolerance) << "the waves are equal: true nodes";

    std::vector<double> profile;
    for (int j = 0; j <= last; ++j)
        profile.push_back(f.amplitude(x, j));
    std::vector<double> nodes;
    for (int j = first + 1; j < last; ++j)
        if (profile[size_t(j)] < profile[size_t(j) - 1] &&
            profile[size_t(j)] <= profile[size_t(j) + 1])
            nodes.push_back(refinedExtremum(profile, size_t(j)));
    ASSERT_GE(nodes.size(), 5u) << "several loops between bar and edge";
    EXPECT_AS_STATED((nodes.back() - nodes.front()) / double(nodes.size() - 1), wavelength / 2);
    // An antinode at the edge, the last node a quarter wavelength before it.
    const double antinode = *std::max_element(profile.begin() + first, profile.end());
    EXPECT_GT(antinode, 0.02) << "high enough to be seen on the screen";
    EXPECT_NEAR(profile[size_t(last)], antinode, kTolerance * antinode);
    EXPECT_NEAR(last - nodes.back(), wavelength / 4, kTolerance * wavelength);
}

} // namespace
} // namespace zb
