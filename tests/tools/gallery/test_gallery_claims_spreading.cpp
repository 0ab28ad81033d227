// The gallery's experiments on spreading, reflection, standing waves and edges: every number a
// text states, measured in its tank as the program runs it.
#include "gallery_text.h"
#include "model/simulation_time.h"
#include "wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

namespace zb {
namespace {

#define EXPECT_AS_STATED(measured, stated)                                                         \
    EXPECT_NEAR(measured, stated, kTolerance* std::abs(stated)) << "stated " #stated

double degrees(double radians) {
    return radians * 180 / kPi;
}

// A gallery tank sent to a headless engine, run as the program runs it: at the time step of its
// display's speed, exciters on.
class Experiment {
  public:
    explicit Experiment(const std::string& name) : text(name), tank(text.tank()) {}
    ~Experiment() { restoreLoadState(); }

    void start() {
        freshHeadlessEngine();
        tank.TransferToEngine();
        ZBDLL_SetSimulationSpeed(dt);
        ZBDLL_SetPaused(false);
    }
    // The first object of the given name, taken out of the tank (to run it without).
    void remove(const std::string& name) {
        for (int k = 1; k < tank.Objekte->Count(); ++k)
            if (tank.Objekte->at(k).Name == name) {
                tank.Objekte->remove(k);
                return;
            }
        ADD_FAILURE() << "no object " << name;
    }
    std::vector<const TErreger*> exciters() const {
        std::vector<const TErreger*> list;
        for (int k = 0; k < tank.Objekte->Count(); ++k)
            if (const TErreger* e = tank.Objekte->at(k).erreger())
                list.push_back(e);
        return list;
    }
    double omega() const { return exciters().at(0)->Frequenz; }
    void travel(double oscillators) const {
        runFrames(framesToTravel(oscillators, tank.StandardKopplung, dt));
    }
    // Runs until the given second of Simulationszeit since the start.
    void runUntil(double seconds) const {
        while (simulationSeconds(double(gEngine.simTime)) < seconds)
            ZBDLL_NextFrame();
    }
    double seconds() const { return simulationSeconds(double(gEngine.simTime)); }
    Field field(int periods = 3) const { return Field(omega(), periods, dt); }

    GalleryText text;
    TZBecken tank;
    const float dt =
        float(tank.Anzeige.value_or(TAnzeige{}).Geschwindigkeit / 100.0 * 0.008 + 0.0001);
};

// The direction a wave runs in over a patch, from the mean phase step along x and along y (the
// field of a wave running along k is e^(-i k·r)): kx and ky, with y downwards as rows count.
struct Direction {
    double kx, ky;
    double angleFromDown() const { return degrees(std::atan2(kx, ky)); }
};
Direction direction(const Field& f, int ci, int cj, int half) {
    Complex sx = 0, sy = 0;
    for (int j = cj - half; j <= cj + half; ++j)
        for (int i = ci - half; i <= ci + half; ++i) {
            sx += f.at(i + 1, j) * std::conj(f.at(i, j));
            sy += f.at(i, j + 1) * std::conj(f.at(i, j));
        }
    return {-std::arg(sx), -std::arg(sy)};
}

// The field of one run less that of another: what the removed objects sent back.
class FieldDifference {
  public:
    FieldDifference(const Field& with, const Field& without) : with_(with), without_(without) {}
    Complex at(int i, int j) const { return with_.at(i, j) - without_.at(i, j); }

  private:
    const Field& with_;
    const Field& without_;
};
Direction direction(const FieldDifference& f, int ci, int cj, int half) {
    Complex sx = 0, sy = 0;
    for (int j = cj - half; j <= cj + half; ++j)
        for (int i = ci - half; i <= ci + half; ++i) {
            sx += f.at(i + 1, j) * std::conj(f.at(i, j));
            sy += f.at(i, j + 1) * std::conj(f.at(i, j));
        }
    return {-std::arg(sx), -std::arg(sy)};
}

// A cell's wave as a running phasor: h + i v / omega is A e^(i (k x - omega t)) for a wave
// h = A cos(k x - omega t), so its size is the envelope and its phase steps by k along the wave.
Complex phasor(int i, int j, double omega) {
    const Oscillator& o = cell(i, j);
    return {double(o.elongation), double(o.velocity) / omega};
}

TEST(GalleryClaims, Punktquelle) {
    Experiment x("01_Punktquelle");
    const double stated = x.text.number(R"(Wellenlänge: hier etwa (\d+) Schwinger)");
    x.start();
    x.travel(1.5 * sizeX());
    const Field f = x.field();
    const TErreger& q = *x.exciters().at(0);
    const int i = q.X, j = q.Y, reach = 50;
    // Right, up and along a diagonal: the rings are round.
    EXPECT_AS_STATED(f.wavelengthOver(i + 10, i + 10 + reach, j - 3, j + 3), stated);
    EXPECT_AS_STATED(f.wavelengthOver(i - 3, i + 3, j - 10 - reach, j - 10), stated);
    EXPECT_AS_STATED(f.wavelengthOver(i + 7, i + 7 + reach * 2 / 3, j + 7, j + 7 + reach * 2 / 3),
                     stated);
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, EbeneWelle) {
    Experiment x("02_EbeneWelle");
    const double stated = x.text.number(R"(Wellenlänge ist etwa (\d+) Schwinger)");
    x.start();
    x.travel(1.5 * sizeY());
    const Field f = x.field();
    const TErreger& bar = *x.exciters().at(0);
    const int first = bar.Y + 10, last = sizeY() - x.tank.RandBreite - 10;
    EXPECT_AS_STATED(f.wavelengthOver(20, sizeX() - 20, first, last), stated);
    const Direction d = direction(f, sizeX() / 2, (first + last) / 2, 10);
    EXPECT_NEAR(d.angleFromDown(), 0.0, 1.0) << "the fronts parallel to the bar";
    // Equally high all the way, within the few per cent the quiet edge sends back.
    EXPECT_NEAR(f.amplitude(sizeX() / 2, last), f.amplitude(sizeX() / 2, first),
                0.05 * f.amplitude(sizeX() / 2, first));
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Huygens) {
    Experiment x("03_Huygens");
    const double row = x.text.number(R"(um (\d+)° gegen die Waagerechte geneigt)");
    const double front = x.text.number(R"(also um (\d+)° gegen die Senkrechte)");
    const double wavelength = x.text.number(R"(einzelnen Quelle: etwa (\d+) Schwinger)");
    // The row: a straight line through the sources' centres, rising to the right.
    const auto sources = x.exciters();
    ASSERT_GE(sources.size(), 5u);
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const TErreger* e : sources) {
        sx += e->X;
        sy += e->Y;
        sxx += double(e->X) * e->X;
        sxy += double(e->X) * e->Y;
    }
    const double n = double(sources.size());
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    EXPECT_AS_STATED(-degrees(std::atan(slope)), row);
    for (const TErreger* e : sources)
        EXPECT_EQ(e->Frequenz, sources[0]->Frequenz) << "in the same rhythm";

    x.start();
    x.travel(1.5 * sizeX());
    const Field f = x.field();
    // A wide patch three wavelengths in front of the row's middle, along its normal: the waves
    // from the row's ends wrinkle the front locally, by a few degrees.
    const double a = row * kPi / 180, cx = sx / n, cy = sy / n, ahead = 50;
    const int pi = int(std::lround(cx + ahead * std::sin(a)));
    const int pj = int(std::lround(cy + ahead * std::cos(a)));
    const Direction d = direction(f, pi, pj, 18);
    EXPECT_AS_STATED(d.angleFromDown(), front);
    EXPECT_AS_STATED(2 * kPi / std::hypot(d.kx, d.ky), wavelength);
    x.text.expectEveryNumberChecked();
}

// The ring's place: where the energy along a ray from the source peaks, weighed by the distance
// to undo the spreading over ever longer rings.
double ringRadius(int i0, int j0, int reach, double omega) {
    std::vector<double> e;
    for (int r = 0; r <= reach; ++r)
        e.push_back(std::norm(phasor(i0 + r, j0, omega)) * r);
    size_t peak = 1;
    for (size_t r = 1; r + 1 < e.size(); ++r)
        if (e[r] > e[peak])
            peak = r;
    return refinedExtremum(e, peak);
}

TEST(GalleryClaims, Puls) {
    Experiment x("04_Puls");
    const double speed = x.text.number(R"(etwa (\d+,\d) Schwinger zurück)");
    const TErreger& q = *x.exciters().at(0);
    ASSERT_TRUE(q.Puls);
    EXPECT_EQ(q.Perioden, 1) << "a single swing";
    x.start();
    const int reach = sizeX() - x.tank.RandBreite - q.X - 5;
    x.runUntil(4);
    const double t1 = x.seconds(), r1 = ringRadius(q.X, q.Y, reach, q.Frequenz);
    x.runUntil(12);
    const double t2 = x.seconds(), r2 = ringRadius(q.X, q.Y, reach, q.Frequenz);
    std::printf("pulse %.3f\n", (r2 - r1) / (t2 - t1));
    EXPECT_AS_STATED((r2 - r1) / (t2 - t1), speed);
    // Behind the ring the water is still.
    EXPECT_LT(std::abs(phasor(q.X + int(r2 / 2), q.Y, q.Frequenz)),
              0.05 * std::abs(phasor(q.X + int(r2), q.Y, q.Frequenz)));
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Wellenpaket) {
    Experiment x("05_Wellenpaket");
    const double wavelength = x.text.number(R"(kurzer Wellen von (\d+) Schwingern Länge)");
    const auto speeds = x.text.numbers(
        R"(laufen mit etwa (\d+,\d) Schwingern pro Sekunde Simulationszeit, das Paket als Ganzes )"
        R"(aber nur mit etwa (\d+,\d))",
        2);
    const TErreger& bar = *x.exciters().at(0);
    ASSERT_TRUE(bar.Puls);
    const double omega = bar.Frequenz;
    x.start();
    const int column = x.tank.GroesseX / 2, first = bar.Y + 8;
    const int last = x.tank.GroesseY - x.tank.RandBreite - 5;
    // The packet's centre (its energy's) and its wave number (the mean phase step inside it).
    struct Snapshot {
        double t, centre, k;
    };
    auto snapshot = [&] {
        double sum = 0, moment = 0;
        Complex step = 0;
        for (int j = first; j < last; ++j) {
            const Complex z = phasor(column, j, omega);
            sum += std::norm(z);
            moment += std::norm(z) * j;
            step += phasor(column, j + 1, omega) * std::conj(z);
        }
        return Snapshot{x.seconds(), moment / sum, std::arg(step)};
    };
    x.runUntil(12);
    const Snapshot a = snapshot();
    x.runUntil(30);
    const Snapshot b = snapshot();
    std::printf("packet %.3f %.3f %.3f\n", 2 * kPi / b.k, omega / b.k / kSecondsPerEngineTime,
                (b.centre - a.centre) / (b.t - a.t));
    EXPECT_AS_STATED(2 * kPi / b.k, wavelength);
    EXPECT_AS_STATED(omega / b.k / kSecondsPerEngineTime, speeds[0]);
    EXPECT_AS_STATED((b.centre - a.centre) / (b.t - a.t), speeds[1]);
    x.text.expectEveryNumberChecked();
}

// Incoming wave from a run without the walls, reflected wave from the difference with them.
TEST(GalleryClaims, ReflexionWand) {
    Experiment x("10_ReflexionWand");
    const auto angles = x.text.numbers(
        R"(läuft unter (\d+)° gegen das Lot auf die Wand zu und wird unter (\d+)°)", 2);
    x.start();
    x.travel(1.5 * sizeX());
    const Field with = x.field();
    x.remove("Wand");
    x.start();
    x.travel(1.5 * sizeX());
    const Field without = x.field();
    // The beam meets the wall in the middle; look a third of the way back along either path.
    int wallRow = -1;
    for (int j = 0; j < sizeY() && wallRow < 0; ++j)
        if (isWallCell(cell(sizeX() / 2, j)))
            wallRow = j;
    const Direction in = direction(without, 111, 144, 6);
    const Direction out = direction(FieldDifference(with, without), 189, 144, 6);
    std::printf("in %.2f %.2f out %.2f %.2f\n", in.kx, in.ky, out.kx, out.ky);
    EXPECT_AS_STATED(degrees(std::atan2(in.kx, in.ky)), angles[0]);
    EXPECT_AS_STATED(degrees(std::atan2(out.kx, -out.ky)), angles[1]);
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, ReflexionEcke) {
    Experiment x("11_ReflexionEcke");
    const double incoming = x.text.number(R"(läuft unter (\d+)° gegen die untere Wand)");
    const double between = x.text.number(R"(bilden einen Winkel von (\d+)°)");
    x.start();
    x.travel(2.5 * sizeX());
    const Field with = x.field();
    x.remove("Wand unten");
    x.remove("Wand rechts");
    x.start();
    x.travel(2.5 * sizeX());
    const Field without = x.field();
    const Direction in = direction(without, 105, 180, 6);
    const Direction back = direction(FieldDifference(with, without), 158, 130, 6);
    std::printf("in %.2f %.2f back %.2f %.2f\n", in.kx, in.ky, back.kx, back.ky);
    EXPECT_AS_STATED(degrees(std::atan2(in.ky, in.kx)), incoming);
    const double turn =
        std::acos(std::clamp((in.kx * back.kx + in.ky * back.ky) / std::hypot(in.kx, in.ky) /
                                 std::hypot(back.kx, back.ky),
                             -1.0, 1.0));
    EXPECT_AS_STATED(degrees(turn), between);
    x.text.expectEveryNumberChecked();
}

} // namespace
} // namespace zb
