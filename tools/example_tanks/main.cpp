// Writes the example tanks of the two guided sequences into the program's data folder.
//
// Every tank uses the coupling of a new tank, 4.0: the fastest waves that stay stable at the
// highest speed setting, so that at the default time step a wave crosses 200 oscillators in
// about 1400 frames. The wave speed is then 57.7 oscillators per time unit and the wavelength
// 363 / omega. All values are ones the editor can show: periods in whole milliseconds,
// amplitudes in steps of 0.02, couplings in steps of 0.05.
#include "model/tank.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

using namespace zb;

constexpr double kCoupling = 4.0;
constexpr double kSlowCoupling = 1.5; // refractive index 1.6

// The damped edges absorb the better the wider they are and the shorter the wave. At the
// default time step a width of 40 still sends back about a quarter of the amplitude of a wave
// of 18 oscillators; the maximum of 50 is hardly better and costs more of the tank.
constexpr int32_t kAbsorbingWidth = 40;

// The drive of a period T in simulation milliseconds, as the editor computes it.
constexpr double omegaForPeriod(double periodMs) {
    return 1000.0 / periodMs * 50.0;
}
constexpr double kOmega = omegaForPeriod(2500); // 20: wavelength 18 oscillators
// 13.3: wavelength 27, and 17 in the slow medium
constexpr double kRefractionOmega = omegaForPeriod(3750);

// Heights are drawn at the scale of the tank, where a wavelength is less than 0.1 units: a
// wave much higher than a few hundredths looks like spikes in the 3-D view.
constexpr double kRadialAmplitude = 0.06; // falls off with the distance from the source
constexpr double kPlaneAmplitude = 0.02;

TZBecken emptyTank(int32_t x, int32_t y) {
    TZBecken t;
    t.SetSize(x, y);
    t.StandardKopplung = kCoupling;
    return t;
}

void absorbAll(TZBecken& t) {
    t.SetEdges(true, true, true, true, kAbsorbingWidth);
}

TErreger& addExciter(TZBecken& t, const char* name, double omega) {
    TErreger& e = *t.Objekte->add(std::make_unique<TObjekt>(kArtErreger, name)).erreger();
    e.Frequenz = omega;
    return e;
}

// A small square: a point source for waves several times longer than it.
void addRadialExciter(TZBecken& t, int32_t x, int32_t y, double omega = kOmega) {
    TErreger& e = addExciter(t, "Erreger", omega);
    e.X = x;
    e.Y = y;
    e.Breite = e.Laenge = 4;
    e.Amplitude = kRadialAmplitude;
}

// A wave bar two rows deep, turned by the angle from the rows. It drives as an added
// acceleration rather than a prescribed displacement, so that waves coming back pass through it
// into the absorbing edge behind it instead of bouncing between the bar and what reflected them.
TErreger& addWaveBar(TZBecken& t, int32_t x, int32_t y, int32_t length, int32_t angle,
                     double omega = kOmega) {
    TErreger& e = addExciter(t, "Ebener Erreger", omega);
    e.X = x;
    e.Y = y;
    e.Breite = length;
    e.Laenge = 2;
    e.Winkel = angle;
    e.Amplitude = kPlaneAmplitude;
    e.Fest = false;
    return e;
}

// A bar over the whole width just in front of the absorbing back edge: a plane front moving
// towards larger y.
TErreger& addPlaneExciter(TZBecken& t, double omega = kOmega) {
    return addWaveBar(t, (t.GroesseX - 1) / 2, kAbsorbingWidth + 5, t.GroesseX, 0, omega);
}

// A horizontal wall over the whole width with its slits in the middle.
void addWall(TZBecken& t, const char* name, int32_t y, int32_t slits, int32_t slitWidth,
             int32_t slitDistance = 0) {
    TWand& w = *t.Objekte->add(std::make_unique<TObjekt>(kArtWand, name)).wand();
    w.X = (t.GroesseX - 1) / 2;
    w.Y = y;
    w.Laenge = t.GroesseX;
    w.SpaltAnz = slits;
    w.Spaltbreite = slitWidth;
    w.Spaltabstand = slitDistance;
}

void addScreen(TZBecken& t, int32_t position, bool horizontal) {
    TSchirm& s = *t.Objekte->add(std::make_unique<TObjekt>(kArtSchirm, "Schirm")).schirm();
    s.Position = position;
    s.Horizontal = horizontal;
}

void addMaterialChange(TZBecken& t, int32_t y, double coupling) {
    TMatUebergang& m =
        *t.Objekte->add(std::make_unique<TObjekt>(kArtMatUebergang, "Materialübergang"))
             .matUebergang();
    m.Y = y;
    m.Kopplung = coupling;
}

// Introduction

// One object of each kind, in the order in which the wave meets them, to explain the top view;
// the waves are those of step 5. The edges stay plain: they are the subject of step 3.
TZBecken topView() {
    TZBecken t = emptyTank(200, 200);
    addRadialExciter(t, 100, 30, kRefractionOmega);
    addWall(t, "Wand mit Spalt", 70, 1, 18);
    addMaterialChange(t, 120, kSlowCoupling);
    addScreen(t, 180, true);
    return t;
}

// A single source in the middle. The plain edges send the rings back, and soon the tank is
// full of crossing waves, which step 3 cures.
TZBecken firstSimulation() {
    TZBecken t = emptyTank(240, 240);
    addRadialExciter(t, 120, 120);
    return t;
}

TZBecken absorbingEdges() {
    TZBecken t = firstSimulation();
    absorbAll(t);
    return t;
}

// A slit as wide as the wavelength: behind it the plane front turns into a half circle.
TZBecken slitWall() {
    TZBecken t = emptyTank(240, 260);
    absorbAll(t);
    addPlaneExciter(t);
    addWall(t, "Wand mit Spalt", 100, 1, 18);
    return t;
}

// A front turned by 45 degrees against the boundary enters a medium where waves run 1.6 times
// slower: the wavelength shrinks from 27 to 17 and the front turns to 26 degrees
// (sin 45° / sin 26° = 1.6). A stronger contrast would turn the front further but reflect
// more, and the reflected wave crosses the incoming one. The bar runs from the left edge to the
// back edge, so that the front covers the whole boundary.
TZBecken refraction() {
    TZBecken t = emptyTank(320, 270);
    absorbAll(t);
    // Less than half of the height passes into the slow medium.
    addWaveBar(t, 90, 90, 500, 45, kRefractionOmega).Amplitude = 0.04;
    addMaterialChange(t, 170, kSlowCoupling);
    return t;
}

// Two slits three wavelengths apart, each narrower than the wavelength so that it spreads its
// wave widely: far away the bright fringes leave at sin a = k / 3, at 19.5° and 42°. The screen
// lies only 100 rows behind the slits, where the near field puts the first dark places about
// 19 oscillators off the middle instead of the 17.5 that exact path differences give; the text
// states what the screen shows.
TZBecken doubleSlit() {
    TZBecken t = emptyTank(280, 280);
    absorbAll(t);
    addPlaneExciter(t).Amplitude = 0.06; // the slits pass a small part of it
    addWall(t, "Doppelspalt", 100, 2, 12, 54);
    addScreen(t, 200, true);
    return t;
}

// Experiment series

TZBecken radialWave() {
    TZBecken t = emptyTank(240, 240);
    absorbAll(t);
    addRadialExciter(t, 120, 120);
    return t;
}

// The sides stay plain: a front running along them is not reflected and stays straight right
// up to them, where damped sides would eat its ends.
TZBecken planeWave() {
    TZBecken t = emptyTank(200, 260);
    t.SetEdges(true, true, false, false, kAbsorbingWidth);
    addPlaneExciter(t);
    return t;
}

// A point source three wavelengths before a slit a little narrower than the wavelength: behind
// the slit a new circular wave starts, as if the slit were the source. A source closer to the
// wall would give the wave a curvature across the slit that the new wave still shows.
TZBecken radialDiffraction() {
    TZBecken t = emptyTank(240, 260);
    absorbAll(t);
    addRadialExciter(t, 120, 55);
    addWall(t, "Wand mit Spalt", 110, 1, 16);
    return t;
}

// The front edge reflects without a phase jump, so the returning wave and the incoming one form
// nodes every half wavelength, with an antinode at the edge; the screen runs along the channel.
// The channel is narrower than a wavelength, so that the bar can only start waves running
// straight along it: in a wider tank the plain sides, whose oscillators have one neighbour
// less, also start waves running at a slant, which blur the nodes.
TZBecken standingWave() {
    TZBecken t = emptyTank(30, 200);
    t.SetEdges(true, false, false, false, kAbsorbingWidth);
    addPlaneExciter(t, omegaForPeriod(4500)).Amplitude = 0.04; // wavelength 33
    addScreen(t, 16, false);
    return t;
}

struct ExampleTank {
    const char* path; // below the program folder
    TZBecken (*build)();
};

const ExampleTank kExamples[] = {
    {"Data/RTFs/Einfuehrung/Schritt1.zb", topView},
    {"Data/RTFs/Einfuehrung/Schritt2.zb", firstSimulation},
    {"Data/RTFs/Einfuehrung/Schritt3.zb", absorbingEdges},
    {"Data/RTFs/Einfuehrung/Schritt4.zb", slitWall},
    {"Data/RTFs/Einfuehrung/Schritt5.zb", refraction},
    {"Data/RTFs/Einfuehrung/Schritt6.zb", doubleSlit},
    {"Data/RTFs/MR/01_Radialwelle.zb", radialWave},
    {"Data/RTFs/MR/02_EbeneWelle.zb", planeWave},
    {"Data/RTFs/MR/03a_BeugungRadial.zb", radialDiffraction},
    {"Data/RTFs/MR/11b_StehendeWelle.zb", standingWave},
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    int failures = 0;
    for (const ExampleTank& example : kExamples) {
        const std::filesystem::path path = root / example.path;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) {
            std::fprintf(stderr, "example_tanks: cannot create %s: %s\n",
                         path.parent_path().c_str(), ec.message().c_str());
            ++failures;
            continue;
        }
        const TankSaveResult saved = example.build().SaveToFile(path.string());
        if (!saved.ok) {
            std::fprintf(stderr, "example_tanks: cannot write %s: %s\n", path.c_str(),
                         saved.reason.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
