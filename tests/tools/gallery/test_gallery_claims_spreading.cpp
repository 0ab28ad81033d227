// The gallery's experiments on spreading, reflection, standing waves and edges: every number a
// text states, measured in its tank as the program runs it.
#include "gallery_text.h"
#include "model/dispersion.h"
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
// Over the square of cells within half of (ci, cj); any field with at(i, j).
template <class AnyField>
Direction direction(const AnyField& f, int ci, int cj, int half) {
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
    ASSERT_EQ(sources.size(), 13u) << "as many as the text names in words";
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
    EXPECT_AS_STATED(discreteWavelength(sources[0]->Frequenz, x.dt, x.tank.StandardKopplung),
                     wavelength)
        << "a single source's";
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
    EXPECT_AS_STATED((r2 - r1) / (t2 - t1), speed);
    // Behind the ring the water is nearly still: in a plane a pulse leaves only a faint wake.
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
    EXPECT_EQ(bar.Perioden, 8) << "as many periods as the text names in words";
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
    EXPECT_AS_STATED(2 * kPi / b.k, wavelength);
    EXPECT_AS_STATED(omega / b.k / kSecondsPerEngineTime, speeds[0]);
    // Short waves slower than long ones, whose speed is sqrt(K c) / 2.
    EXPECT_LT(omega / b.k, 0.97 * std::sqrt(kSpring * x.tank.StandardKopplung) / 2);
    EXPECT_AS_STATED((b.centre - a.centre) / (b.t - a.t), speeds[1]);
    x.text.expectEveryNumberChecked();
}

// The positions of the minima of the field's amplitude along a straight run of cells, refined
// to a fraction of a cell.
std::vector<double> nodesAlong(const Field& f, int i, int j, int di, int dj, int steps) {
    std::vector<double> profile;
    for (int s = 0; s < steps; ++s)
        profile.push_back(f.amplitude(i + s * di, j + s * dj));
    std::vector<double> nodes;
    for (size_t s = 1; s + 1 < profile.size(); ++s)
        if (profile[s] < profile[s - 1] && profile[s] <= profile[s + 1])
            nodes.push_back(refinedExtremum(profile, s));
    return nodes;
}
double meanSpacing(const std::vector<double>& nodes) {
    return nodes.size() < 2 ? 0.0 : (nodes.back() - nodes.front()) / double(nodes.size() - 1);
}

// The first wall cell along a run of cells, -1 when there is none.
int firstWall(int i, int j, int di, int dj) {
    for (int s = 0;
         i + s * di >= 0 && i + s * di < sizeX() && j + s * dj >= 0 && j + s * dj < sizeY(); ++s)
        if (isWallCell(cell(i + s * di, j + s * dj)))
            return s;
    return -1;
}

// Incoming wave from a run without the walls, reflected wave from the difference with them.
TEST(GalleryClaims, ReflexionWand) {
    Experiment x("10_ReflexionWand");
    const auto angles = x.text.numbers(
        R"(läuft unter (\d+)° gegen das Lot auf die Wand zu und wird unter (\d+)°)", 2);
    const TErreger& bar = *x.exciters().at(0);
    x.start();
    x.travel(sizeX());
    const Field with = x.field();
    // Where the bar's beam meets the wall: the bar turned by its angle sends it down at that
    // angle from the vertical. Both patches lie 60 oscillators back along the two paths.
    const int wall = firstWall(bar.X, bar.Y, 0, 1) + bar.Y;
    const double a = bar.Winkel * kPi / 180, run = (wall - bar.Y) / std::cos(a) - 60;
    const int inI = int(std::lround(bar.X + run * std::sin(a)));
    const int outI = int(std::lround(bar.X + (run + 120) * std::sin(a)));
    const int pathJ = int(std::lround(bar.Y + run * std::cos(a)));
    x.remove("Wand");
    x.start();
    x.travel(sizeX());
    const Field without = x.field();
    const Direction in = direction(without, inI, pathJ, 6);
    const Direction out = direction(FieldDifference(with, without), outI, pathJ, 6);
    EXPECT_AS_STATED(degrees(std::atan2(in.kx, in.ky)), angles[0]);
    EXPECT_AS_STATED(degrees(std::atan2(out.kx, -out.ky)), angles[1]);
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, ReflexionEcke) {
    Experiment x("11_ReflexionEcke");
    const double incoming = x.text.number(R"(läuft unter (\d+)° gegen die untere Wand)");
    const double between = x.text.number(R"(bilden einen Winkel von (\d+)°)");
    x.start();
    x.travel(1.4 * sizeX());
    const Field with = x.field();
    x.remove("Wand unten");
    x.remove("Wand rechts");
    x.start();
    x.travel(1.4 * sizeX());
    const Field without = x.field();
    const Direction in = direction(without, 105, 180, 6);
    const Direction back = direction(FieldDifference(with, without), 158, 130, 6);
    EXPECT_AS_STATED(degrees(std::atan2(in.ky, in.kx)), incoming);
    const double turn =
        std::acos(std::clamp((in.kx * back.kx + in.ky * back.ky) / std::hypot(in.kx, in.ky) /
                                 std::hypot(back.kx, back.ky),
                             -1.0, 1.0));
    EXPECT_AS_STATED(degrees(turn), between);
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, StehendeWelle) {
    Experiment x("50_StehendeWelle");
    const auto stated = x.text.numbers(
        R"(liegen (\d+) Schwinger auseinander, eine halbe Wellenlänge von (\d+) Schwingern)", 2);
    x.start();
    x.travel(4.0 * sizeY());
    const Field f = x.field();
    const int column = sizeX() / 2, first = x.exciters().at(0)->Y + 5;
    const int wall = firstWall(column, first, 0, 1) + first;
    ASSERT_GT(wall, first);
    const Field::TwoWaves w = f.twoWaves(column, first, wall - 2, wall - 1);
    EXPECT_AS_STATED(2 * kPi / w.k, stated[1]);
    EXPECT_GT(std::abs(w.reflection()), 0.9) << "the wall sends nearly all of it back";
    const std::vector<double> nodes = nodesAlong(f, column, first, 0, 1, wall - first);
    ASSERT_GE(nodes.size(), 8u);
    EXPECT_AS_STATED(meanSpacing(nodes), stated[0]);
    // An antinode at the wall: as high as the highest between bar and wall.
    double highest = 0;
    for (int j = first; j < wall; ++j)
        highest = std::max(highest, f.amplitude(column, j));
    EXPECT_GT(f.amplitude(column, wall - 1), 0.95 * highest);
    x.text.expectEveryNumberChecked();
}

// The two node lines across a run of cells in one of the bands between the other direction's node
// lines: the outermost minima, those beside the source lie between them.
std::pair<double, double> outerNodes(const Field& f, int i, int j, int di, int dj, int steps) {
    const std::vector<double> nodes = nodesAlong(f, i, j, di, dj, steps);
    if (nodes.size() < 2)
        return {0.0, 0.0};
    return {nodes.front(), nodes.back()};
}

TEST(GalleryClaims, StehendeWelleKasten) {
    Experiment x("51_StehendeWelleKasten");
    const double spacing =
        x.text.number(R"(Die Knotenlinien liegen etwa (\d+) Schwinger auseinander)");
    EXPECT_FALSE(x.tank.RandHinten || x.tank.RandVorne || x.tank.RandLinks || x.tank.RandRechts)
        << "four reflecting edges";
    x.start();
    // Long enough for the damping to take away what the start set ringing besides the mode.
    x.runUntil(90);
    const Field f = x.field(2);
    const int n = sizeX(), centre = n / 2;
    ASSERT_EQ(sizeY(), n) << "a square";
    // Rows and columns at the edges and through the middle: the bands of the three by three fields.
    double sum = 0;
    int count = 0;
    for (int k : {0, 5, centre - 5, centre + 5, n - 6, n - 1}) {
        for (const auto& [first, last] :
             {outerNodes(f, 0, k, 1, 0, n), outerNodes(f, k, 0, 0, 1, n)}) {
            // Two node lines, one in each outer third.
            EXPECT_LT(first, n / 3.0) << k;
            EXPECT_GT(last, 2 * n / 3.0) << k;
            EXPECT_NEAR(first + last, n - 1, 1.0) << "symmetric about the middle";
            sum += last - first;
            ++count;
        }
    }
    EXPECT_AS_STATED(sum / count, spacing);
    const auto [edgeFirst, edgeLast] = outerNodes(f, 0, 0, 1, 0, n);
    const auto [middleFirst, middleLast] = outerNodes(f, 0, centre, 1, 0, n);
    EXPECT_GT(middleLast - middleFirst, edgeLast - edgeFirst + 1) << "wider in the middle";
    // Nothing moves on the node lines: the field there is small against the fields' middles.
    const int node = int(std::lround(edgeFirst));
    EXPECT_LT(f.amplitude(node, 0), 0.05 * f.amplitude(0, 0));
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, ResonanzKanal) {
    Experiment x("52_ResonanzKanal");
    const double length = x.text.number(R"(ist (\d+) Schwinger lang)");
    const double half = x.text.number(R"(halbe Wellenlängen von je (\d+) Schwingern)");
    const auto growth =
        x.text.numbers(R"(Nach (\d+) s Simulationszeit sind die Bäuche etwa (\d+)-mal so hoch)", 2);
    const TErreger& bar = *x.exciters().at(0);
    x.start();
    // The channel runs down the middle column, between the walls above and below the bar.
    const int column = sizeX() / 2;
    const int top = bar.Y - firstWall(column, bar.Y, 0, -1) + 1;
    const int inside = firstWall(column, top, 0, 1);
    EXPECT_AS_STATED(double(inside), length);
    x.runUntil(growth[0]);
    double antinode = 0;
    for (int j = top; j < top + inside; ++j)
        antinode = std::max(antinode, std::abs(phasor(column, j, bar.Frequenz)));
    const Field f = x.field();
    const std::vector<double> nodes = nodesAlong(f, column, top, 0, 1, inside);
    EXPECT_EQ(nodes.size(), 5u);
    EXPECT_AS_STATED(meanSpacing(nodes), half);
    // The wave the bar sends out alone, the walls taken away, between the channel's end and the
    // edge.
    x.remove("Wand oben");
    x.remove("Wand unten");
    x.start();
    x.travel(sizeY());
    const Field alone = x.field();
    const double free = alone.amplitude(column, (top + inside + sizeY() - x.tank.RandBreite) / 2);
    EXPECT_AS_STATED(antinode / free, growth[1]);
    x.text.expectEveryNumberChecked();
}

// The share of the amplitude the front edge sends back, from the waves running either way along
// the middle column between the bar and the edge.
double edgeReflection(Experiment& x) {
    x.start();
    x.travel(4.0 * sizeY());
    const Field f = x.field();
    const int edge = sizeY() - x.tank.RandBreite;
    return std::abs(
        f.twoWaves(sizeX() / 2, x.exciters().at(0)->Y + 10, edge - 5, edge).reflection());
}

TEST(GalleryClaims, GedaempfteRaender) {
    Experiment x("80_GedaempfteRaender");
    const auto stated = x.text.numbers(
        R"(Wellen von (\d+) Schwingern Länge gegen einen gedämpften Rand von (\d+) Schwingern )"
        R"(Breite\. Er wirft etwa (\d+) % der Amplitude zurück)",
        3);
    EXPECT_EQ(x.tank.RandArt, 0) << "the designed edges";
    EXPECT_EQ(x.tank.RandBreite, stated[1]);
    EXPECT_AS_STATED(discreteWavelength(x.omega(), x.dt, x.tank.StandardKopplung), stated[0]);
    const double r = edgeReflection(x);
    EXPECT_NEAR(r, stated[2] / 100, kTolerance * stated[2] / 100);
    x.text.expectEveryNumberChecked();
}

TEST(GalleryClaims, LeiseRaender) {
    Experiment x("81_LeiseRaender");
    const auto stated = x.text.numbers(
        R"(Wellen von (\d+) Schwingern Länge gegen einen kaum reflektierenden Rand von (\d+) )"
        R"(Schwingern Breite\. Er wirft weniger als (\d+) % der Amplitude zurück)",
        3);
    EXPECT_EQ(x.tank.RandArt, 1) << "the quiet edges";
    EXPECT_EQ(x.tank.RandBreite, stated[1]);
    EXPECT_AS_STATED(discreteWavelength(x.omega(), x.dt, x.tank.StandardKopplung), stated[0]);
    const double r = edgeReflection(x);
    EXPECT_LT(r, stated[2] / 100);
    x.text.expectEveryNumberChecked();
}

} // namespace
} // namespace zb
