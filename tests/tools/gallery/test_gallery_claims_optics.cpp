// The optics experiments of the gallery (refraction, lenses and mirrors, Doppler and supersonic
// sources): every number their texts state, measured in their tanks as the program runs them.
#include "gallery_text.h"
#include "model/simulation_time.h"
#include "optics_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zb::optics {
namespace {

// Angles hold within 3 % of the angle, other numbers within 3 % of the number.
void expectClose(double measured, double stated, const char* what) {
    EXPECT_NEAR(measured, stated, kTolerance * stated) << what;
}

// Leaves the engine as a fresh one for the next test, however this one ends.
struct EngineReset {
    ~EngineReset() { restoreLoadState(); }
};

TEST(GalleryClaims, Brechung) {
    EngineReset reset;
    GalleryText text("21_Brechung");
    TZBecken tank = text.tank();
    const int boundary = firstOf<TMatUebergang>(tank).Y;
    const double omega = firstOf<TErreger>(tank).Frequenz;
    const Field field = steadyField(tank, omega, 500);
    const double lambdaAbove = field.wavelengthOver(110, 220, boundary - 60, boundary - 10);
    const double lambdaBelow = field.wavelengthOver(150, 250, boundary + 15, boundary + 70);
    const double incidence = angleFromNormal(field, 110, 220, boundary - 60, boundary - 10);
    const double refraction = angleFromNormal(field, 150, 250, boundary + 15, boundary + 70);

    const auto lambda = text.numbers(
        R"(Oben sind die Wellen etwa (\d+) Schwinger lang, unten nur etwa (\d+)\.)", 2);
    expectClose(lambdaAbove, lambda[0], "wavelength above");
    expectClose(lambdaBelow, lambda[1], "wavelength below");
    const auto angles = text.numbers(
        R"(Einfallswinkel von (\d+)° gegen das Lot auf die Grenze und läuft unten unter etwa )"
        R"((\d+)° weiter)",
        2);
    expectClose(incidence, angles[0], "angle of incidence");
    expectClose(refraction, angles[1], "angle of refraction");
    text.expectEveryNumberChecked();
}

// The fast water is a square turned by 45°: its face meets the plane wave that runs down the tank
// at 45°, and sends it off sideways.
TEST(GalleryClaims, Totalreflexion) {
    EngineReset reset;
    GalleryText text("22_Totalreflexion");
    TZBecken tank = text.tank();
    const TMedium fast = firstOf<TMedium>(tank);
    const double omega = firstOf<TErreger>(tank).Frequenz;
    const int edge = tank.RandBreite + 5;
    const auto isFast = [&](int i, int j) {
        return cell(i, j).coupling > tank.StandardKopplung * 1.01;
    };
    const Field field = steadyField(tank, omega, 320);
    // The wave on its way, above the face's upper end, where nothing comes back: its wavelength
    // and direction, and from that its angle against the face's normal.
    int top = 0;
    while (top < sizeY() && !isFast(sizeX() - 1 - tank.RandBreite, top))
        ++top;
    top -= tank.RandBreite;
    const int left = sizeX() / 4, right = sizeX() * 3 / 4;
    const double lambda = field.wavelengthOver(left, right, top - 45, top - 25);
    const double incidence =
        fast.Winkel - directionFromNormal(field, left, right, top - 45, top - 25);
    // What gets through: the largest swing in the fast water a wavelength of it beyond the face
    // (where the swing that reaches into it has faded), against the wave's amplitude above.
    double swing = 0;
    for (int j = top - 45; j <= top - 25; ++j)
        for (int i = left; i <= right; ++i)
            swing = std::max(swing, field.amplitude(i, j));
    double through = 0;
    for (int j = edge; j < sizeY() - edge; ++j)
        for (int i = edge; i < sizeX() - edge; ++i)
            if (isFast(i - 30, j - 30))
                through = std::max(through, field.amplitude(i, j));

    // The critical angle from the wavelengths on both sides of the face, turned to meet the
    // wave straight.
    TZBecken straight(tank);
    TMedium& turned = firstOf<TMedium>(straight);
    turned.Winkel = 0;
    turned.X = tank.GroesseX / 2;
    turned.Y = tank.GroesseY / 2 + turned.Hoehe / 2;
    const Field normal = steadyField(straight, omega, 320);
    const int x = tank.GroesseX / 2;
    int face = 0;
    while (face < sizeY() && !isFast(x, face))
        ++face;
    const double slow = 2 * kPi / normal.twoWaves(x, face - 60, face - 10, face).k;
    const double quick = 2 * kPi / normal.twoWaves(x, face + 10, sizeY() - edge, face).k;
    const double critical = std::asin(slow / quick) * 180 / kPi;
    // "doppelt so schnell": at one frequency the speeds are as the wavelengths.
    EXPECT_NEAR(quick / slow, 2.0, 2.0 * kTolerance) << "the fast water's speed";

    expectClose(lambda,
                text.number(R"(Oben sind die Wellen langsam und etwa (\d+) Schwinger lang)"),
                "wavelength above");
    expectClose(critical, text.number(R"(Der Grenzwinkel ist daher etwa (\d+)°)"),
                "critical angle");
    expectClose(incidence, text.number(R"(trifft mit (\d+)° gegen das Lot)"), "incidence");
    EXPECT_LT(through / swing,
              text.number(R"(schwingt das schnelle Wasser nirgends mit mehr als (\d+) % ihrer )"
                          R"(Amplitude)") /
                  100);
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Prisma) {
    EngineReset reset;
    GalleryText text("23_Prisma");
    TZBecken tank = text.tank();
    const TMedium prism = firstOf<TMedium>(tank);
    const double omega = firstOf<TErreger>(tank).Frequenz;
    const Field field = steadyField(tank, omega, 500);
    // The beam behind the prism: the brightest stretch of a column there. Its direction from the
    // mean phase step along x and along y over a patch in it, the field being e^(-i k·r) of a
    // wave running along k; rows run downwards, towards the base.
    const int i0 = prism.X + prism.Breite / 2 + 25;
    int beam = 40;
    for (int j = 40; j < sizeY() - 40; ++j)
        if (field.amplitude(i0, j) > field.amplitude(i0, beam))
            beam = j;
    Complex stepX = 0, stepY = 0;
    for (int j = beam - 6; j <= beam + 6; ++j) {
        for (int i = i0; i < i0 + 12; ++i) {
            stepX += field.at(i + 1, j) * std::conj(field.at(i, j));
            stepY += field.at(i, j + 1) * std::conj(field.at(i, j));
        }
    }
    const double deflection = -std::atan2(std::arg(stepY), -std::arg(stepX)) * 180 / kPi;
    expectClose(deflection, text.number(R"(um etwa (\d+)° zur Grundseite hin abgelenkt)"),
                "deflection");
    text.expectEveryNumberChecked();
}

// Where the moving exciter is: the mean column of the cells it drives.
double exciterColumn(int row) {
    double sum = 0;
    int n = 0;
    for (int i = 0; i < sizeX(); ++i)
        if (cell(i, row).exciter) {
            sum += i;
            ++n;
        }
    return n ? sum / n : std::nan("");
}

TEST(GalleryClaims, Doppler) {
    EngineReset reset;
    GalleryText text("61_Doppler");
    TZBecken tank = text.tank();
    const TErreger source = firstOf<TErreger>(tank);
    const int row = source.Y;
    const double dt = runStep(tank);

    // At rest: the waves once the front has run 120 oscillators.
    TZBecken resting(tank);
    firstOf<TErreger>(resting).Vx = 0;
    startRun(resting);
    runFrames(framesToTravel(130, tank.StandardKopplung, dt));
    const double lambdaRest = wavelengthFromCrossings(row, source.X + 10, source.X + 100);

    // Moving: its speed from two places of it, and the waves once it has gone 120 oscillators.
    startRun(tank);
    const int frames = int(120 / (source.Vx * kSecondsPerEngineTime) / dt);
    runFrames(frames / 2);
    const double x0 = exciterColumn(row), t0 = simulationSeconds(gEngine.simTime);
    runFrames(frames - frames / 2);
    const double x1 = exciterColumn(row), t1 = simulationSeconds(gEngine.simTime);
    const double speed = (x1 - x0) / (t1 - t0);
    const int edge = tank.RandBreite + 5;
    const double ahead = wavelengthFromCrossings(row, int(x1) + 10, sizeX() - edge);
    const double behind = wavelengthFromCrossings(row, edge, int(x1) - 10);

    expectClose(speed, text.number(R"(Der Erreger fährt mit (\d+(?:,\d+)?) Schwinger/s)"), "speed");
    expectClose(lambdaRest, text.number(R"(Ruhend macht er Wellen von (\d+) Schwingern Länge)"),
                "wavelength at rest");
    const auto moving = text.numbers(R"(vor ihm drängen sie sich auf etwa (\d+,\d) Schwinger )"
                                     R"(zusammen, hinter ihm ziehen sie sich auf etwa (\d+,\d) )"
                                     R"(Schwinger auseinander)",
                                     2);
    expectClose(ahead, moving[0], "wavelength ahead");
    expectClose(behind, moving[1], "wavelength behind");
    text.expectEveryNumberChecked();
}

// A source at the speed of its waves: the wave speed from the wavelength of the source at rest,
// and the water ahead of the moving one.
TEST(GalleryClaims, Schallmauer) {
    EngineReset reset;
    GalleryText text("63_Schallmauer");
    TZBecken tank = text.tank();
    const TErreger source = firstOf<TErreger>(tank);
    const int row = source.Y;
    const double dt = runStep(tank);

    TZBecken resting(tank);
    firstOf<TErreger>(resting).Vx = 0;
    startRun(resting);
    runFrames(framesToTravel(130, tank.StandardKopplung, dt));
    const double period = 2 * kPi / source.Frequenz * kSecondsPerEngineTime;
    const double waveSpeed = wavelengthFromCrossings(row, source.X + 10, source.X + 100) / period;

    startRun(tank);
    const int frames = int(180 / (source.Vx * kSecondsPerEngineTime) / dt);
    runFrames(frames / 2);
    const double x0 = exciterColumn(row), t0 = simulationSeconds(gEngine.simTime);
    runFrames(frames - frames / 2);
    const double x1 = exciterColumn(row), t1 = simulationSeconds(gEngine.simTime);
    const double speed = (x1 - x0) / (t1 - t0);
    // Ahead of it, past the cells it drives, against behind it, along its row.
    double ahead = 0, behind = 0;
    for (int i = int(x1) + 8; i < sizeX(); ++i)
        ahead = std::max(ahead, std::abs(cell(i, row).elongation));
    for (int i = 0; i < int(x1) - 4; ++i)
        behind = std::max(behind, std::abs(cell(i, row).elongation));

    const double stated = text.number(R"(Der Erreger fährt mit (\d+,\d) Schwinger/s, genau so )"
                                      R"(schnell, wie seine Wellen laufen)");
    expectClose(speed, stated, "the exciter's speed");
    expectClose(waveSpeed, stated, "the waves' speed");
    EXPECT_LT(ahead, 0.01 * behind) << "Vor ihm bleibt das Wasser ruhig";
    text.expectEveryNumberChecked();
}

// The cone's edge in each column is where the swing first reaches a hundredth of that column's
// largest, seen from the border: beyond the cone the water is still. The slope over many columns
// gives the half angle.
TEST(GalleryClaims, Machkegel) {
    EngineReset reset;
    GalleryText text("62_Machkegel");
    TZBecken tank = text.tank();
    const TErreger source = firstOf<TErreger>(tank);
    const double dt = runStep(tank), v = source.Vx * kSecondsPerEngineTime;
    const int mid = source.Y;
    startRun(tank);
    runFrames(int(170 / v / dt));
    const double sourceX = source.X + v * double(gEngine.simTime);
    ASSERT_LT(sourceX, sizeX() - tank.RandBreite);
    int edges = 0;
    const double angle = coneHalfAngle(sourceX, mid, source.X + 50, edges);
    ASSERT_GT(edges, 30);
    expectClose(angle, text.number(R"(Sein halber Öffnungswinkel α ist etwa (\d+)°)"),
                "half angle");
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Sammellinse) {
    EngineReset reset;
    GalleryText text("71_Sammellinse");
    TZBecken tank = text.tank();
    const TMedium lens = firstOf<TMedium>(tank);
    const double omega = firstOf<TErreger>(tank).Frequenz;
    const Field with = steadyField(tank, omega, 500);
    const Field plain = steadyField(without<TMedium>(tank), omega, 500);
    const int cy = lens.Y, rim = lens.X + lens.Breite / 2;
    const double kOut = 2 * kPi / plain.wavelengthAlong(rim, cy, 1, 0, 60);

    const double converge = frontCentre(with, plain, rim + 10, cy, lens.Hoehe / 6, kOut) - rim;
    const double brightest = peakAlong(rim + 3, sizeX() - tank.RandBreite - 5,
                                       [&](int i) { return std::norm(with.at(i, cy)); }) -
                             rim;
    expectClose(converge,
                text.number(R"(auf einen Punkt etwa (\d+) Schwinger hinter ihrem Rand zu)"),
                "focus");
    expectClose(brightest,
                text.number(R"(Am hellsten ist die Welle aber schon etwa (\d+) Schwinger hinter)"),
                "brightest");
    text.expectEveryNumberChecked();
}

// The image of a point source: the brightest place on the axis behind the lens, where the waves
// the lens bends back meet.
TEST(GalleryClaims, LinseBild) {
    EngineReset reset;
    GalleryText text("74_LinseBild");
    TZBecken tank = text.tank();
    const TMedium lens = firstOf<TMedium>(tank);
    const TErreger source = firstOf<TErreger>(tank);
    const Field field = steadyField(tank, source.Frequenz, 400);
    const double image = peakAlong(lens.X + lens.Breite / 2 + 3, sizeX() - tank.RandBreite - 5,
                                   [&](int i) { return std::norm(field.at(i, lens.Y)); });
    EXPECT_EQ(source.Y, lens.Y) << "on the axis";
    expectClose(lens.X - source.X,
                text.number(R"(Die Punktquelle steht (\d+) Schwinger vor der Mitte der Linse)"),
                "the source's distance");
    expectClose(image - lens.X,
                text.number(R"(Am hellsten ist die Achse etwa (\d+) Schwinger hinter der Mitte)"),
                "the image's distance");
    text.expectEveryNumberChecked();
}

// What a mirror sends back, along its axis: the field with it less the field without it.
template <class Mirror>
std::vector<double> reflectedAlongAxis(const TZBecken& tank, double omega, int row) {
    const Field with = steadyField(tank, omega, 500);
    const Field plain = steadyField(without<Mirror>(tank), omega, 500);
    std::vector<double> back;
    for (int i = 0; i < sizeX(); ++i)
        back.push_back(std::abs(with.at(i, row) - plain.at(i, row)));
    return back;
}

double peakOf(const std::vector<double>& y, int i0, int i1) {
    size_t best = size_t(i0);
    for (size_t i = size_t(i0); i <= size_t(i1); ++i)
        if (y[i] > y[best])
            best = i;
    return refinedExtremum(y, best);
}

TEST(GalleryClaims, Hohlspiegel) {
    EngineReset reset;
    GalleryText text("72_Hohlspiegel");
    TZBecken tank = text.tank();
    const TKreisbogen mirror = firstOf<TKreisbogen>(tank);
    const double omega = firstOf<TErreger>(tank).Frequenz;
    const std::vector<double> back = reflectedAlongAxis<TKreisbogen>(tank, omega, mirror.Y);
    // The mirror's face on the axis: its first wall cell seen from the wave.
    startRun(tank);
    int vertex = mirror.X;
    while (vertex < sizeX() && !cell(vertex, mirror.Y).wall)
        ++vertex;
    const double focus = vertex - peakOf(back, vertex - 110, vertex - 15);
    EXPECT_EQ(mirror.Radius, text.number(R"(Kreisbogen mit dem Radius R = (\d+) Schwinger)"));
    expectClose(focus, text.number(R"(dass sie sich etwa (\d+) Schwinger vor dem Spiegel)"),
                "focus");
    EXPECT_LT(focus, mirror.Radius / 2.0) << "nearer than half the radius";
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Parabolspiegel) {
    EngineReset reset;
    GalleryText text("73_Parabolspiegel");
    TZBecken tank = text.tank();
    const TParabel mirror = firstOf<TParabel>(tank);
    const double omega = firstOf<TErreger>(tank).Frequenz;
    const std::vector<double> back = reflectedAlongAxis<TParabel>(tank, omega, mirror.Y);
    startRun(tank);
    int vertex = mirror.X;
    while (vertex > 0 && !cell(vertex, mirror.Y).wall)
        --vertex;
    const double focus = peakOf(back, vertex + 10, vertex + 110) - vertex;
    EXPECT_EQ(mirror.Brennweite, text.number(R"(hat die Brennweite (\d+) Schwinger)"));
    expectClose(focus, text.number(R"(sammelt sich etwa (\d+) Schwinger vor dem Scheitel)"),
                "focus");
    text.expectEveryNumberChecked();
}

} // namespace
} // namespace zb::optics
