// The experiments of diffraction and interference: the angles of the quiet and the loud lines,
// measured in the steady field the running tank settles into.
#include "gallery_text.h"
#include "wave_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace zb {
namespace {

#define EXPECT_AS_STATED(measured, stated)                                                         \
    EXPECT_NEAR(measured, stated, kTolerance* std::abs(stated)) << "stated " #stated

// The time step of the speed slider's position the tank opens with.
float openingStep(const TZBecken& tank) {
    const int speed = tank.Anzeige ? tank.Anzeige->Geschwindigkeit : TAnzeige().Geschwindigkeit;
    return float(speed / 100.0 * 0.008 + 0.0001);
}

// The tank running as a run starts it: headless, exciters on, at its opening speed.
class RunningTank {
  public:
    explicit RunningTank(const TZBecken& tank) : step_(openingStep(tank)) {
        freshHeadlessEngine();
        tank.TransferToEngine();
        ZBDLL_SetSimulationSpeed(step_);
        ZBDLL_SetPaused(false);
        for (int k = 0; k < tank.Objekte->Count(); ++k)
            if (const TErreger* e = tank.Objekte->at(k).erreger())
                omega_ = e->Frequenz;
        coupling_ = tank.StandardKopplung;
    }
    ~RunningTank() { restoreLoadState(); }

    float step() const { return step_; }
    double omega() const { return omega_; }
    // Runs until a wave has crossed the given number of oscillators.
    void travel(double oscillators) const {
        runFrames(framesToTravel(oscillators, coupling_, step_));
    }
    Field field() const { return Field(omega_, 3, step_); }

  private:
    float step_;
    double omega_ = 0, coupling_ = 0;
};

// The complex amplitude between the cells, interpolated from the four around.
Complex between(const Field& f, double x, double y) {
    const int i = int(std::floor(x)), j = int(std::floor(y));
    const double u = x - i, v = y - j;
    return (1 - v) * ((1 - u) * f.at(i, j) + u * f.at(i + 1, j)) +
           v * ((1 - u) * f.at(i, j + 1) + u * f.at(i + 1, j + 1));
}

// A circle around a centre, angles in degrees counted from the direction u towards v.
struct Arc {
    double x, y;
    double ux = 0, uy = 1, vx = 1, vy = 0;

    double amplitude(const Field& f, double r, double degrees) const {
        const double c = std::cos(degrees * kPi / 180), s = std::sin(degrees * kPi / 180);
        return std::abs(between(f, x + r * (c * ux + s * vx), y + r * (c * uy + s * vy)));
    }

    // The angle of the deepest (or highest) place between from and to degrees on the circle of
    // radius r. The amplitude is averaged over 3° first: the fringes are wide, and the
    // leftovers of the start ripple them on a finer scale.
    double extremum(const Field& f, double r, double from, double to, bool deepest) const {
        constexpr double kStep = 0.25;
        constexpr int kHalfWidth = 6;
        std::vector<double> raw;
        for (int n = -kHalfWidth; from + (n - kHalfWidth) * kStep <= to + 1e-9; ++n)
            raw.push_back(amplitude(f, r, from + n * kStep));
        std::vector<double> smooth(raw.size() - 2 * kHalfWidth);
        for (size_t n = 0; n < smooth.size(); ++n) {
            for (int m = 0; m <= 2 * kHalfWidth; ++m)
                smooth[n] += raw[n + size_t(m)];
            if (!deepest)
                smooth[n] = -smooth[n];
        }
        const auto best = size_t(std::min_element(smooth.begin(), smooth.end()) - smooth.begin());
        if (best == 0 || best + 1 == smooth.size())
            return from + double(best) * kStep; // at the border of the window: not a fringe
        return from + refinedExtremum(smooth, best) * kStep;
    }

    // The extremum on both sides (the window mirrored), averaged over the radii: the angle of a
    // line of quiet (or loud) water through the centre.
    double lineAngle(const Field& f, std::initializer_list<double> radii, double from, double to,
                     bool deepest, bool bothSides = true) const {
        double sum = 0;
        int n = 0;
        for (double r : radii) {
            sum += extremum(f, r, from, to, deepest), ++n;
            if (bothSides)
                sum -= extremum(f, r, -to, -from, deepest), ++n;
        }
        return sum / n;
    }
};

// Where the wall cells of the first row that holds any leave an opening: the centre of each
// opening, and the row just behind the wall.
struct Openings {
    std::vector<double> centres;
    std::vector<int> widths; // as the editor counts them: between the wall cells on both sides
    int front = 0;           // the first wall row
    double behind = 0;
};
Openings wallOpenings() {
    Openings o;
    int j0 = -1;
    for (int j = 0; j < sizeY() && j0 < 0; ++j)
        for (int i = 0; i < sizeX(); ++i)
            if (isWallCell(cell(i, j)))
                j0 = j;
    if (j0 < 0) {
        ADD_FAILURE() << "no wall";
        return o;
    }
    int j1 = j0;
    while (j1 + 1 < sizeY() && isWallCell(cell(0, j1 + 1)))
        ++j1;
    o.front = j0;
    o.behind = j1 + 0.5;
    for (int i = 0; i < sizeX(); ++i) {
        if (isWallCell(cell(i, j0)))
            continue;
        int last = i;
        while (last + 1 < sizeX() && !isWallCell(cell(last + 1, j0)))
            ++last;
        o.centres.push_back(0.5 * (i + last));
        o.widths.push_back(last - i + 2);
        i = last;
    }
    return o;
}

// The mean place of the cells of the exciter whose cells include (x, y)'s neighbourhood.
std::pair<double, double> exciterCentre(int x, int y, int reach = 4) {
    double sx = 0, sy = 0;
    int n = 0;
    for (int j = y - reach; j <= y + reach; ++j)
        for (int i = x - reach; i <= x + reach; ++i)
            if (cell(i, j).exciter)
                sx += i, sy += j, ++n;
    EXPECT_GT(n, 0) << "no exciter at " << x << ", " << y;
    return {sx / std::max(n, 1), sy / std::max(n, 1)};
}

// The direction, in degrees from +y towards +x, of the strongest plane wave of wavelength
// lambda in a patch of the field, between from and to degrees: the patch's field projected on
// plane waves of every direction, under a window that keeps the borders of the patch from
// smearing the neighbouring directions over it.
double strongestDirection(const Field& f, int i0, int i1, int j0, int j1, double lambda,
                          double from, double to) {
    const double k = 2 * kPi / lambda;
    auto window = [](int n, int lo, int hi) {
        return 0.5 - 0.5 * std::cos(2 * kPi * (n - lo + 0.5) / (hi - lo + 1));
    };
    const int w = i1 - i0 + 1, h = j1 - j0 + 1;
    std::vector<Complex> patch(size_t(w) * size_t(h));
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i)
            patch[size_t(i - i0) + size_t(j - j0) * size_t(w)] =
                window(i, i0, i1) * window(j, j0, j1) * f.at(i, j);
    constexpr double kStep = 0.1;
    std::vector<double> power;
    std::vector<Complex> across(size_t(w), 0.0), along(size_t(h), 0.0);
    for (double d = from; d <= to + 1e-9; d += kStep) {
        const double sx = std::sin(d * kPi / 180), sy = std::cos(d * kPi / 180);
        for (int i = 0; i < w; ++i)
            across[size_t(i)] = std::polar(1.0, k * sx * (i0 + i));
        for (int j = 0; j < h; ++j)
            along[size_t(j)] = std::polar(1.0, k * sy * (j0 + j));
        Complex sum = 0;
        for (int j = 0; j < h; ++j) {
            Complex row = 0;
            for (int i = 0; i < w; ++i)
                row += patch[size_t(i) + size_t(j) * size_t(w)] * across[size_t(i)];
            sum += row * along[size_t(j)];
        }
        power.push_back(-std::norm(sum));
    }
    const auto best = size_t(std::min_element(power.begin(), power.end()) - power.begin());
    if (best == 0 || best + 1 == power.size())
        return from + double(best) * kStep;
    return from + refinedExtremum(power, best) * kStep;
}

// The plane wave between its bar and the wall, where the wall's reflection runs back through it.
double wavelengthBeforeWall(const Field& f, const Openings& wall) {
    const int mid = sizeX() / 2;
    return f.wavelengthOver(mid - 50, mid + 50, wall.front - 30, wall.front - 10);
}

TEST(GalleryClaims, Einzelspalt) {
    GalleryText text("30_Einzelspalt");
    const double lambda = text.number(R"((\d+) Schwingern Wellenlänge)");
    const double width = text.number(R"(Spalt, der (\d+) Schwinger breit)");
    const double angle = text.number(R"(etwa (\d+)° links und rechts der Mitte)");
    const double farAngle = text.number(R"(einen Winkel von (\d+)° voraus)");

    RunningTank run(text.tank());
    const Openings slit = wallOpenings();
    ASSERT_EQ(slit.centres.size(), 1u);
    EXPECT_EQ(slit.widths[0], width);
    run.travel(400);
    const Field f = run.field();
    const double measured = wavelengthBeforeWall(f, slit);
    EXPECT_AS_STATED(measured, lambda);
    EXPECT_AS_STATED(degrees(std::asin(measured / width)), farAngle);

    const Arc arc{slit.centres[0], slit.behind};
    const double quiet = arc.lineAngle(f, {80, 100, 115}, 15, 45, true);
    EXPECT_AS_STATED(quiet, angle);
    EXPECT_GT(quiet, farAngle) << "near the slit the quiet lines lie further out";
    EXPECT_LT(arc.amplitude(f, 100, quiet), 0.25 * arc.amplitude(f, 100, 0));
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, SchmalerSpalt) {
    GalleryText text("31_SchmalerSpalt");
    const double width =
        text.number(R"(nur (\d+) Schwinger breit, kaum mehr als anderthalb Wellenlängen)");
    const double angle = text.number(R"(etwa (\d+)° neben der Mitte)");
    const double farAngle = text.number(R"(sagt sin α = λ / b (\d+)° voraus)");

    RunningTank run(text.tank());
    const Openings slit = wallOpenings();
    ASSERT_EQ(slit.centres.size(), 1u);
    EXPECT_EQ(slit.widths[0], width);
    run.travel(400);
    const Field f = run.field();
    const double lambda = wavelengthBeforeWall(f, slit);
    EXPECT_GT(width / lambda, 1.5) << "kaum mehr als anderthalb Wellenlängen";
    EXPECT_LT(width / lambda, 1.6);
    EXPECT_AS_STATED(degrees(std::asin(lambda / width)), farAngle);

    const Arc arc{slit.centres[0], slit.behind};
    const double quiet = arc.lineAngle(f, {80, 100, 115}, 25, 70, true);
    EXPECT_AS_STATED(quiet, angle);
    EXPECT_GT(quiet, farAngle) << "near the slit the quiet lines lie further out";
    EXPECT_LT(arc.amplitude(f, 100, quiet), 0.25 * arc.amplitude(f, 100, 0));
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Gitter) {
    GalleryText text("32_Gitter");
    const double spacing = text.number(R"(Mitten (\d+) Schwinger auseinanderliegen)");
    const double angle = text.number(R"(unter etwa (\d+)° schräg)");
    const double lambda = text.number(R"(λ von (\d+) Schwingern)");

    RunningTank run(text.tank());
    const Openings slits = wallOpenings();
    ASSERT_EQ(slits.centres.size(), 9u) << "neun Spalte";
    for (size_t n = 1; n < slits.centres.size(); ++n)
        EXPECT_EQ(slits.centres[n] - slits.centres[n - 1], spacing);
    run.travel(450);
    const Field f = run.field();
    const double measured = wavelengthBeforeWall(f, slits);
    EXPECT_AS_STATED(measured, lambda);
    EXPECT_AS_STATED(degrees(std::asin(measured / spacing)), angle);
    EXPECT_GT(2 * measured, spacing) << "no second order";

    // Close behind the middle of the grating the straight wave and both first orders cross: the
    // fronts of the strongest slanted wave there.
    const int mid = int((slits.centres.front() + slits.centres.back()) / 2);
    const int top = int(slits.behind) + 25;
    const double right = strongestDirection(f, mid - 45, mid + 45, top, top + 50, measured, 20, 70);
    const double left =
        strongestDirection(f, mid - 45, mid + 45, top, top + 50, measured, -70, -20);
    EXPECT_AS_STATED((right - left) / 2, angle);
    text.expectEveryNumberChecked();
}

// The exciters' centres, as the engine placed their cells.
std::vector<std::pair<double, double>> exciterCentres(const TZBecken& tank) {
    std::vector<std::pair<double, double>> centres;
    for (int k = 0; k < tank.Objekte->Count(); ++k)
        if (const TErreger* e = tank.Objekte->at(k).erreger())
            centres.push_back(exciterCentre(e->X, e->Y));
    return centres;
}

TEST(GalleryClaims, ZweiQuellen) {
    GalleryText text("40_ZweiQuellen");
    const double distance = text.number(R"(Quellen, (\d+) Schwinger voneinander entfernt)");
    const double lambda = text.number(R"(Kreiswellen mit (\d+) Schwingern Wellenlänge)");
    const double first = text.number(R"(etwa (\d+)° neben der Mittelsenkrechten)");
    const double second = text.number(R"(die nächsten unter etwa (\d+)°)");

    const TZBecken tank = text.tank();
    RunningTank run(tank);
    const auto sources = exciterCentres(tank);
    ASSERT_EQ(sources.size(), 2u);
    const auto [lx, ly] = sources[0];
    const auto [rx, ry] = sources[1];
    EXPECT_EQ(ly, ry) << "side by side";
    EXPECT_AS_STATED(std::abs(rx - lx), distance);
    run.travel(300);
    const Field f = run.field();
    // Outwards from the right source, beyond the near field of both.
    EXPECT_AS_STATED(f.wavelengthAlong(int(std::max(lx, rx)) + 30, int(ry), 1, 0, 50), lambda);

    const Arc arc{0.5 * (lx + rx), ly};
    const double firstLine = arc.lineAngle(f, {50, 70, 90}, 5, 30, true);
    const double secondLine = arc.lineAngle(f, {50, 70, 90}, 35, 65, true);
    EXPECT_AS_STATED(firstLine, first);
    EXPECT_AS_STATED(secondLine, second);
    EXPECT_LT(arc.amplitude(f, 70, firstLine), 0.1 * arc.amplitude(f, 70, 0)) << "quiet";
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Doppelspalt) {
    GalleryText text("41_Doppelspalt");
    const double lambda = text.number(R"((\d+) Schwingern Wellenlänge)");
    const double distance = text.number(R"(Mitten (\d+) Schwinger auseinanderliegen)");
    const double quiet = text.number(R"(ruhigen Streifen liegen etwa (\d+)°)");
    const double loud = text.number(R"(die nächsten unruhigen etwa (\d+)°)");
    const double formula = text.number(R"(sagt für sie (\d+(?:,\d+)?)° voraus)");

    RunningTank run(text.tank());
    const Openings slits = wallOpenings();
    ASSERT_EQ(slits.centres.size(), 2u);
    const double d = slits.centres[1] - slits.centres[0];
    EXPECT_EQ(d, distance);
    run.travel(400);
    const Field f = run.field();
    const double measured = wavelengthBeforeWall(f, slits);
    EXPECT_AS_STATED(measured, lambda);
    EXPECT_AS_STATED(degrees(std::asin(measured / d)), formula);

    const Arc arc{0.5 * (slits.centres[0] + slits.centres[1]), slits.behind};
    const double quietLine = arc.lineAngle(f, {80, 100, 120}, 4, 18, true);
    const double loudLine = arc.lineAngle(f, {80, 100, 120}, 15, 32, false);
    EXPECT_AS_STATED(quietLine, quiet);
    EXPECT_AS_STATED(loudLine, loud);
    EXPECT_LT(arc.amplitude(f, 100, quietLine), 0.2 * arc.amplitude(f, 100, loudLine));

    // The screen across the fan: its curve has a hump straight behind the middle and one on each
    // side, with a trough between.
    ASSERT_EQ(gEngine.screenCount, 1);
    const ScreenLine screen = gEngine.screens[0];
    ASSERT_TRUE(screen.horizontal);
    const double behind = screen.position - slits.behind;
    auto onScreen = [&](double a) {
        return f.amplitude(int(std::lround(arc.x + behind * std::tan(a * kPi / 180))),
                           screen.position);
    };
    EXPECT_LT(onScreen(quietLine), 0.3 * onScreen(0));
    EXPECT_LT(onScreen(quietLine), 0.3 * onScreen(loudLine));
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, LloydSpiegel) {
    GalleryText text("42_LloydSpiegel");
    const double height = text.number(R"(etwa (\d+) Schwinger über einer langen Wand)");
    const auto angles = text.numbers(R"(unter etwa (\d+)° und (\d+)° schräg)", 2);

    const TZBecken tank = text.tank();
    RunningTank run(tank);
    const auto sources = exciterCentres(tank);
    ASSERT_EQ(sources.size(), 1u);
    const auto [sx, sy] = sources[0];
    int wallRow = int(sy);
    while (wallRow + 1 < sizeY() && !isWallCell(cell(int(sx), wallRow)))
        ++wallRow;
    ASSERT_TRUE(isWallCell(cell(int(sx), wallRow)));
    EXPECT_AS_STATED(wallRow - sy, height);
    run.travel(400);
    const Field f = run.field();

    // From the foot of the source along the wall (0°) upwards.
    const Arc arc{sx, double(wallRow), 1, 0, 0, -1};
    const double first = arc.lineAngle(f, {100, 140, 180}, 5, 22, true, false);
    const double second = arc.lineAngle(f, {100, 140, 180}, 25, 50, true, false);
    EXPECT_AS_STATED(first, angles[0]);
    EXPECT_AS_STATED(second, angles[1]);
    // Along the wall the water moves, more than three times as strongly as on the quiet line.
    for (double r : {100.0, 140.0})
        EXPECT_GT(arc.amplitude(f, r, 1), 3 * arc.amplitude(f, r, first)) << r;
    text.expectEveryNumberChecked();
}

// The runs of wall cells along row j: first and last column of each.
std::vector<std::pair<int, int>> wallRuns(int j) {
    std::vector<std::pair<int, int>> runs;
    for (int i = 0; i < sizeX(); ++i)
        if (isWallCell(cell(i, j))) {
            if (runs.empty() || runs.back().second != i - 1)
                runs.push_back({i, i});
            else
                runs.back().second = i;
        }
    return runs;
}

TEST(GalleryClaims, Hindernis) {
    GalleryText text("33_Hindernis");
    const double small = text.number(R"(Das kleine ist nur (\d+) Schwinger lang, eine halbe)");
    const double large = text.number(R"(großen, (\d+) Schwinger langen Hindernis)");

    RunningTank run(text.tank());
    const Openings front = wallOpenings();
    const auto runs = wallRuns(front.front);
    ASSERT_EQ(runs.size(), 2u);
    const auto [big, little] = runs[0].second - runs[0].first > runs[1].second - runs[1].first
                                   ? std::pair(runs[0], runs[1])
                                   : std::pair(runs[1], runs[0]);
    EXPECT_AS_STATED(little.second - little.first + 1, small);
    EXPECT_AS_STATED(big.second - big.first + 1, large);
    run.travel(420);
    const Field f = run.field();
    const double lambda = wavelengthBeforeWall(f, front);
    EXPECT_AS_STATED(small / lambda, 0.5) << "eine halbe Wellenlänge";

    // The wave beside them: across the gap between the two, where neither shades it.
    const int gapFrom = std::min(big.second, little.second) + 15;
    const int gapTo = std::max(big.first, little.first) - 15;
    ASSERT_LT(gapFrom, gapTo);
    auto besides = [&](int j) {
        double sum = 0;
        for (int i = gapFrom; i <= gapTo; ++i)
            sum += f.amplitude(i, j);
        return sum / (gapTo - gapFrom + 1);
    };
    const int littleX = (little.first + little.second) / 2, bigX = (big.first + big.second) / 2;
    int behind = front.front;
    while (isWallCell(cell(littleX, behind)) || isWallCell(cell(bigX, behind)))
        ++behind;
    // The rows from `from` to `to` where the claim fails: how many, and the first.
    auto failingRows = [](int from, int to, auto holds) {
        int count = 0, first = -1;
        for (int j = from; j < to; ++j)
            if (!holds(j) && count++ == 0)
                first = j;
        return std::pair(count, first);
    };
    const auto passes = failingRows(behind, sizeY() - 35, [&](int j) {
        return f.amplitude(littleX, j) > 2.0 / 3 * besides(j);
    });
    EXPECT_EQ(passes.first, 0) << "rows where the wave behind the small one stays low, first "
                               << passes.second;
    // Five wavelengths of shadow.
    const auto shadow = failingRows(behind, behind + 90,
                                    [&](int j) { return f.amplitude(bigX, j) < 0.5 * besides(j); });
    EXPECT_EQ(shadow.first, 0) << "rows where the big one casts no shadow, first " << shadow.second;
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Schwebung) {
    GalleryText text("43_Schwebung");
    const auto periods = text.numbers(R"(Periode (\d+) ms, die rechte mit (\d+) ms)", 2);
    const double beat = text.number(R"(Etwa alle (\d+) Schwingungen der linken Quelle)");

    const TZBecken tank = text.tank();
    std::vector<const TErreger*> sources;
    const TMesspunkt* probe = nullptr;
    for (int k = 0; k < tank.Objekte->Count(); ++k) {
        if (const TErreger* e = tank.Objekte->at(k).erreger())
            sources.push_back(e);
        if (const TMesspunkt* m = tank.Objekte->at(k).messpunkt())
            probe = m;
    }
    ASSERT_EQ(sources.size(), 2u);
    ASSERT_NE(probe, nullptr);
    const TErreger& left = *(sources[0]->X < sources[1]->X ? sources[0] : sources[1]);
    const TErreger& right = *(sources[0]->X < sources[1]->X ? sources[1] : sources[0]);
    // The periods as the editor shows them, in whole milliseconds.
    EXPECT_EQ(std::lround(50000 / left.Frequenz), periods[0]);
    EXPECT_EQ(std::lround(50000 / right.Frequenz), periods[1]);

    RunningTank run(tank);
    run.travel(250);
    // The probe's swing over each period of the left source, taken about every tenth of one.
    const double period = 2 * kPi / left.Frequenz;
    const int frames = int(std::lround(period / run.step()));
    std::vector<double> swing;
    std::vector<double> heights;
    for (int n = 0; n < 45 * frames; ++n) {
        ZBDLL_NextFrame();
        heights.push_back(cell(probe->X, probe->Y).elongation);
    }
    const size_t every = size_t(frames) / 10;
    for (size_t n = 0; n + size_t(frames) <= heights.size(); n += every) {
        double sum = 0;
        for (size_t k = n; k < n + size_t(frames); ++k)
            sum += heights[k] * heights[k];
        swing.push_back(std::sqrt(2 * sum / frames));
    }
    // The quiet moments: the least swing in each stretch of the curve below a third of its most.
    const double most = *std::max_element(swing.begin(), swing.end());
    std::vector<double> quiet;
    for (size_t n = 0; n < swing.size();) {
        if (swing[n] >= most / 3) {
            ++n;
            continue;
        }
        size_t least = n;
        for (; n < swing.size() && swing[n] < most / 3; ++n)
            if (swing[n] < swing[least])
                least = n;
        if (least > 0 && least + 1 < swing.size())
            quiet.push_back(refinedExtremum(swing, least) * double(every) / frames);
    }
    ASSERT_GE(quiet.size(), 3u) << "quiet moments at the probe";
    EXPECT_AS_STATED((quiet.back() - quiet.front()) / double(quiet.size() - 1), beat);
    const double least = *std::min_element(swing.begin(), swing.end());
    EXPECT_LT(least, 0.3 * most) << "fast ruhig";
    text.expectEveryNumberChecked();
}

// Both sources' centres, left first.
std::pair<std::pair<double, double>, std::pair<double, double>> sourcePair(const TZBecken& tank) {
    auto sources = exciterCentres(tank);
    EXPECT_EQ(sources.size(), 2u);
    sources.resize(2);
    if (sources[1].first < sources[0].first)
        std::swap(sources[0], sources[1]);
    return {sources[0], sources[1]};
}

TEST(GalleryClaims, ZweiQuellenWeiterAuseinander) {
    GalleryText text("44_ZweiQuellenWeiterAuseinander");
    const double distance = text.number(R"(Quellen (\d+) Schwinger auseinander, doppelt)");
    const double first = text.number(R"(nur etwa (\d+)° neben der Mittelsenkrechten)");
    const double second = text.number(R"(die nächsten unter etwa (\d+)°)");

    // The sources of the other experiment it compares itself with.
    double otherDistance = 0;
    {
        const TZBecken other = GalleryText("40_ZweiQuellen").tank();
        RunningTank otherRun(other);
        const auto [l, r] = sourcePair(other);
        otherDistance = r.first - l.first;
    }
    const TZBecken tank = text.tank();
    RunningTank run(tank);
    const auto [l, r] = sourcePair(tank);
    EXPECT_EQ(l.second, r.second) << "side by side";
    EXPECT_AS_STATED(r.first - l.first, distance);
    EXPECT_AS_STATED((r.first - l.first) / otherDistance, 2.0) << "doppelt so weit";
    run.travel(300);
    const Field f = run.field();
    const Arc arc{0.5 * (l.first + r.first), l.second};
    const double firstLine = arc.lineAngle(f, {60, 75, 90}, 2, 14, true);
    const double secondLine = arc.lineAngle(f, {60, 75, 90}, 15, 30, true);
    EXPECT_AS_STATED(firstLine, first);
    EXPECT_AS_STATED(secondLine, second);
    EXPECT_LT(arc.amplitude(f, 75, firstLine), 0.1 * arc.amplitude(f, 75, 0)) << "quiet";
    text.expectEveryNumberChecked();
}

TEST(GalleryClaims, Kante) {
    GalleryText text("34_Kante");
    const double lambda = text.number(R"((\d+) Schwingern Wellenlänge)");

    RunningTank run(text.tank());
    const Openings wall = wallOpenings();
    ASSERT_EQ(wall.centres.size(), 1u) << "the wall leaves one opening, beside its edge";
    const auto runs = wallRuns(wall.front);
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_EQ(runs[0].first, 0) << "the wall starts at the left border";
    const double edge = runs[0].second + 0.5;
    run.travel(400);
    const Field f = run.field();
    EXPECT_AS_STATED(wavelengthBeforeWall(f, wall), lambda);

    ASSERT_EQ(gEngine.screenCount, 1);
    const int screenRow = gEngine.screens[0].position;
    // The free wave: well beside the edge, before the absorbing border.
    const int freeFrom = int(edge) + 45, freeTo = sizeX() - 50;
    ASSERT_LT(freeFrom, freeTo);
    for (int j = int(wall.behind) + 25; j <= screenRow + 20; j += 15) {
        SCOPED_TRACE(j);
        double free = 0;
        for (int i = freeFrom; i <= freeTo; ++i)
            free += f.amplitude(i, j) / (freeTo - freeFrom + 1);
        auto at = [&](double dx) { return std::abs(between(f, edge + dx, j)) / free; };
        EXPECT_NEAR(at(0), 0.5, 0.1) << "etwa halb so hoch";
        EXPECT_GT(at(-30), 0.1) << "the wave runs into the shadow";
        for (double dx = 0; dx > -30; dx -= 10)
            EXPECT_GT(at(dx), at(dx - 10)) << "weaker the further from the edge";
    }
    text.expectEveryNumberChecked();
}

} // namespace
} // namespace zb
