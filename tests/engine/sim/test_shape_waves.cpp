// Shaped media and curved walls against the optics they are built for, measured in the engine's
// steady field.
#include "engine_fixture.h"
#include "wave_measure.h"

#include <string>

namespace zb::test {

namespace {

struct Peak {
    double x, y, value;
};

// The largest of value(i, j) over the box, refined between the nodes by a parabola per axis.
template <class Value>
Peak peakIn(int i0, int i1, int j0, int j1, Value value) {
    int bi = i0, bj = j0;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i)
            if (value(i, j) > value(bi, bj)) {
                bi = i;
                bj = j;
            }
    auto refine = [](double l, double c, double r) {
        const double d = l - 2 * c + r;
        return d < 0 ? 0.5 * (l - r) / d : 0.0;
    };
    return {bi + refine(value(bi - 1, bj), value(bi, bj), value(bi + 1, bj)),
            bj + refine(value(bi, bj - 1), value(bi, bj), value(bi, bj + 1)), value(bi, bj)};
}

} // namespace

using ShapedOptics = EngineTest;

TEST_F(ShapedOptics, ParabolicMirrorFocusesAPlaneWaveAtItsFocus) {
    const int nx = 240, ny = 200, period = 28;
    const double omega = omegaOfPeriod(period, kTopSpeed);
    const double fx = 90, fy = 100, f = 40;
    SteadyField field[2];
    for (int withMirror = 0; withMirror < 2; ++withMirror) {
        newPool(nx, ny, 0.0, 1.0, 30);
        if (withMirror)
            ZBDLL_AddParabolaWall(fx, fy, f, 0.0, 120.0, 1, 0, 0, 0);
        // A line across the tank, driven by force, so that it lets the reflected waves through.
        ZBDLL_AddExciter(205, ny / 2, ny, 1, 90, omega, 0.1, false);
        ZBDLL_SetEdgeKind(1);
        ZBDLL_AddEdges(true, true, true, true);
        ZBDLL_SetSimulationSpeed(kTopSpeed);
        field[withMirror] = steadyField(kTopSpeed, 1500, period);
    }
    // The mirror's own field: what it adds to the wave that runs without it.
    const Peak p = peakIn(60, 150, 80, 120, [&](int i, int j) {
        return std::norm(field[1].at(i, j) - field[0].at(i, j));
    });
    RecordProperty("focus", std::to_string(p.x) + ", " + std::to_string(p.y));
    EXPECT_LT(std::hypot(p.x - fx, p.y - fy), 2.0) << p.x << ", " << p.y;
}

TEST_F(ShapedOptics, EllipseLensFocusesWhereRayOpticsPlacesIt) {
    const int nx = 300, ny = 220, period = 28;
    const double omega = omegaOfPeriod(period, kTopSpeed);
    const double cx = 100, cy = ny / 2, a = 25, b = 60, inner = 0.25;
    SteadyField field[2];
    for (int withLens = 0; withLens < 2; ++withLens) {
        newPool(nx, ny, 0.0, 1.0, 30);
        if (withLens)
            ZBDLL_AddMedium(1, cx, cy, 2 * a, 2 * b, 0.0, inner, 0.0);
        ZBDLL_AddExciter(35, ny / 2, ny, 1, 90, omega, 0.1, false);
        ZBDLL_SetEdgeKind(1);
        ZBDLL_AddEdges(true, true, true, true);
        field[withLens] = steadyField(kTopSpeed, 2000, period);
    }
    // Paraxial thick-lens formula, the speed ratio n from the grid's wave numbers along the axis;
    // the ellipse's vertices are curved with radius b²/a.
    const double kOut = waveNumber(omega, kTopSpeed, 1.0, 0.0);
    const double n = waveNumber(omega, kTopSpeed, inner, 0.0) / kOut;
    const double r = b * b / a, d = 2 * a;
    const double focal = 1 / ((n - 1) * (2 / r - (n - 1) * d / (n * r * r)));
    const double backFocus = cx + a + focal * (1 - (n - 1) * d / (n * r));

    // Where the lens makes the wave converge to: the centre of its fronts near the axis, from the
    // phase the lens adds (that of the run without it taken off) across a column behind it,
    // phase(y) = k (√(s² + y²) - s) ≈ k y² / (2 s).
    const int column = int(cx + a) + 10;
    double sumPhase = 0, sumY4 = 0;
    for (int side : {-1, 1}) {
        double phase = 0;
        for (int y = 1; y <= int(b / 3); ++y) {
            auto added = [&](int dy) {
                return field[1].at(column, int(cy) + dy) / field[0].at(column, int(cy) + dy);
            };
            phase += std::arg(added(side * y) / added(side * (y - 1)));
            sumPhase += phase * y * y;
            sumY4 += double(y) * y * y * y;
        }
    }
    const double converge = column + kOut / (2 * sumPhase / sumY4);
    EXPECT_NEAR(converge, backFocus, 0.1 * focal) << "n " << n << ", f " << focal;

    // And it does focus there: the axis is far brighter behind the lens than without it. Its
    // brightest point lies nearer to the lens than the paraxial focus, as the rays far from the
    // axis cross the axis sooner and the aperture is only a few wavelengths wide.
    const Peak p = peakIn(int(cx + a + 3), nx - 31, int(cy), int(cy),
                          [&](int i, int j) { return field[1].intensity(i, j); });
    EXPECT_GT(p.value, 4 * field[0].intensity(int(p.x), int(cy)));
    EXPECT_GT(p.x, cx + a + 0.4 * focal);
    EXPECT_LT(p.x, backFocus);
    RecordProperty("converge", std::to_string(converge));
    RecordProperty("brightest", std::to_string(p.x));
}

namespace {

// The direction a wave takes behind a face between two couplings (k conserved along the face),
// both as angles of k in the view (y upwards); normal points across the face in the direction
// of travel.
double refracted(double omega, float dt, double direction, double from, double to, double normal) {
    const double kAlong = waveNumber(omega, dt, from, direction) * std::sin(direction - normal);
    double lo = -M_PI / 2, hi = M_PI / 2;
    for (int n = 0; n < 100; ++n) {
        const double mid = (lo + hi) / 2;
        (waveNumber(omega, dt, to, normal + mid) * std::sin(mid) < kAlong ? lo : hi) = mid;
    }
    return normal + (lo + hi) / 2;
}

} // namespace

TEST_F(ShapedOptics, PrismDeflectsAsSnellAtBothFaces) {
    const int nx = 260, ny = 220, period = 28;
    const double omega = omegaOfPeriod(period, kTopSpeed);
    const double cx = 130, cy = 110, w = 60, h = 100, inner = 0.5;
    newPool(nx, ny, 0.0, 1.0, 30);
    ZBDLL_AddMedium(2, cx, cy, w, h, 0.0, inner, 0.0);
    // A beam along +x onto the left face, below the apex.
    ZBDLL_AddExciter(45, int(cy), 50, 1, 90, omega, 0.1, false);
    ZBDLL_SetEdgeKind(1);
    ZBDLL_AddEdges(true, true, true, true);
    const SteadyField field = steadyField(kTopSpeed, 2000, period);

    // Face normals in the direction of travel, in the view with y upwards: the left face runs
    // from the base's left end to the apex, the right one from the apex down.
    const double inNormal = std::atan2(-w / 2, h);
    const double outNormal = std::atan2(w / 2, h);
    const double inside = refracted(omega, kTopSpeed, 0.0, 1.0, inner, inNormal);
    const double expected = refracted(omega, kTopSpeed, inside, inner, 1.0, outNormal);

    // The wave's direction from its phase steps over a patch in the beam behind the prism: its
    // brightest stretch of a column there.
    const int i0 = int(cx + 55);
    const Peak beam =
        peakIn(i0, i0, 40, ny - 41, [&](int i, int j) { return field.intensity(i, j); });
    std::complex<double> stepX = 0, stepY = 0;
    for (int j = int(beam.y) - 6; j <= int(beam.y) + 6; ++j) {
        for (int i = i0; i < i0 + 12; ++i) {
            stepX += field.at(i + 1, j) * std::conj(field.at(i, j));
            stepY += field.at(i, j + 1) * std::conj(field.at(i, j));
        }
    }
    // U = e^{-i k·r}, and rows run downwards.
    const double measured = std::atan2(std::arg(stepY), -std::arg(stepX));
    RecordProperty("deflection", std::to_string(measured / M_PI * 180));
    EXPECT_NEAR(measured / M_PI * 180, expected / M_PI * 180, 1.0);
}

} // namespace zb::test
