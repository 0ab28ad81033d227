// Walls along a circular arc and along a parabola. A node belongs to the wall when its distance
// from the curve is within half the thickness, at least 1/2, and its nearest point on the curve
// lies on the wall's stretch. The distance changes by at most 1 from a node to its neighbour,
// so a path of neighbours from one side (distance below -1/2) to the other (above 1/2) must
// step on a node in between: the wall has no gaps a wave could pass, whatever the curvature.
#include "sim/obstacles.h"

#include <algorithm>
#include <cmath>

namespace zb {

namespace {

constexpr double kCurvePi = 3.14159265358979323846;
constexpr double kCurveDegree = kCurvePi / 180.0;
// Covers the roundings of the distance, which must not open a gap where it is exactly 1/2.
constexpr double kBandSlack = 1e-9;

struct NodeRange {
    int64_t i0, i1, j0, j1;
    bool empty() const { return i0 > i1 || j0 > j1; }
};

// Nodes of the grid inside [x0, x1] x [y0, y1], widened by one.
NodeRange nodesWithin(const Pool& pool, double x0, double x1, double y0, double y1) {
    if (!(x0 <= x1) || !(y0 <= y1) || x1 < -1.0 || y1 < -1.0 || x0 > double(pool.sizeX) ||
        y0 > double(pool.sizeY))
        return {1, 0, 1, 0};
    auto clampTo = [](double v, int64_t size) {
        return int64_t(std::clamp(v, 0.0, double(size - 1)));
    };
    return {clampTo(std::floor(x0) - 1, pool.sizeX), clampTo(std::ceil(x1) + 1, pool.sizeX),
            clampTo(std::floor(y0) - 1, pool.sizeY), clampTo(std::ceil(y1) + 1, pool.sizeY)};
}

double halfThickness(int32_t thickness) {
    return std::max(1, thickness) / 2.0;
}

bool inBand(double distance, double half) {
    return -half < distance && distance <= half + kBandSlack;
}

// The parameter t of the point (t²/(4f), t) nearest to (a, b): a root of
// t³ + (8f² - 4fa) t - 8f² b = 0, the one closest when there are three.
double nearestOnParabola(double a, double b, double f) {
    const double p = 8 * f * f - 4 * f * a;
    const double q = -8 * f * f * b;
    const double disc = q * q / 4 + p * p * p / 27;
    double best;
    if (disc >= 0) {
        const double r = std::sqrt(disc);
        best = std::cbrt(-q / 2 + r) + std::cbrt(-q / 2 - r);
    } else {
        const double m = 2 * std::sqrt(-p / 3);
        const double phi = std::acos(std::clamp(3 * q / (p * m), -1.0, 1.0)) / 3;
        best = 0;
        double bestDistance = INFINITY;
        for (int k = 0; k < 3; ++k) {
            const double t = m * std::cos(phi - 2 * kCurvePi * k / 3);
            const double da = t * t / (4 * f) - a;
            const double db = t - b;
            if (da * da + db * db < bestDistance) {
                bestDistance = da * da + db * db;
                best = t;
            }
        }
    }
    // Cardano's form loses digits near a double root; Newton's step gives them back.
    for (int n = 0; n < 2; ++n) {
        const double slope = 3 * best * best + p;
        if (slope != 0)
            best -= (best * best * best + p * best + q) / slope;
    }
    return best;
}

// Arc length from the vertex to parameter t on a = t²/(4f).
double parabolaArcLength(double t, double f) {
    const double x = t / (2 * f);
    return t / 2 * std::sqrt(1 + x * x) + f * std::asinh(x);
}

} // namespace

void addArcWall(Pool& pool, double centerX, double centerY, double radius, double startAngle,
                double endAngle, int32_t thickness, int32_t slitCount, int32_t slitWidth,
                int32_t barWidth) {
    if (!pool.oscillators || !std::isfinite(centerX) || !std::isfinite(centerY) ||
        !std::isfinite(radius) || !(radius > 0) || !std::isfinite(startAngle) ||
        !std::isfinite(endAngle))
        return;
    settleMaterial(pool);
    const double half = halfThickness(thickness);
    // The span runs counter-clockwise from start to end, in (0, 360]: equal angles close the
    // circle.
    double span = std::fmod(endAngle - startAngle, 360.0);
    if (span <= 0)
        span += 360.0;
    const double start = std::fmod(startAngle, 360.0);
    const float m = firstSlitStart(slitCount, slitWidth, barWidth);
    const double reach = radius + half + 1;
    const NodeRange box =
        nodesWithin(pool, centerX - reach, centerX + reach, centerY - reach, centerY + reach);
    if (box.empty())
        return;
    for (int64_t j = box.j0; j <= box.j1; ++j) {
        for (int64_t i = box.i0; i <= box.i1; ++i) {
            const double dx = double(i) - centerX;
            const double dy = centerY - double(j); // upwards in the view
            if (!inBand(std::hypot(dx, dy) - radius, half))
                continue;
            double along = std::atan2(dy, dx) / kCurveDegree - start;
            along = std::fmod(along, 360.0);
            if (along < 0)
                along += 360.0;
            if (along > span)
                continue;
            // Measured along the arc from its middle, counter-clockwise.
            const double u = radius * (along - span / 2) * kCurveDegree;
            if (inAnySlit(u, m, slitCount, slitWidth, barWidth))
                continue;
            stampWallCell(pool.at(i, j));
        }
    }
}

void addParabolaWall(Pool& pool, double focusX, double focusY, double focalLength, double angle,
                     double width, int32_t thickness, int32_t slitCount, int32_t slitWidth,
                     int32_t barWidth) {
    if (!pool.oscillators || !std::isfinite(focusX) || !std::isfinite(focusY) ||
        !std::isfinite(focalLength) || !(focalLength > 0) || !std::isfinite(angle) ||
        !std::isfinite(width) || !(width > 0))
        return;
    settleMaterial(pool);
    const double f = focalLength;
    const double half = halfThickness(thickness);
    const double theta = std::fmod(angle, 360.0) * kCurveDegree;
    // The axis from the vertex towards the focus, and across it, in node coordinates (rows run
    // downwards, angles turn counter-clockwise in the view).
    const double ex = std::cos(theta);
    const double ey = -std::sin(theta);
    const double nx = -ey;
    const double ny = ex;
    const double vx = focusX - f * ex;
    const double vy = focusY - f * ey;
    const double halfWidth = width / 2;
    const float m = firstSlitStart(slitCount, slitWidth, barWidth);

    // The box of the stretch, in the axis' frame, then in the grid's.
    const double a0 = -half - 1;
    const double a1 = halfWidth * halfWidth / (4 * f) + half + 1;
    const double b1 = halfWidth + half + 1;
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (double a : {a0, a1}) {
        for (double b : {-b1, b1}) {
            const double x = vx + a * ex + b * nx;
            const double y = vy + a * ey + b * ny;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    const NodeRange box = nodesWithin(pool, x0, x1, y0, y1);
    if (box.empty())
        return;
    for (int64_t j = box.j0; j <= box.j1; ++j) {
        for (int64_t i = box.i0; i <= box.i1; ++i) {
            const double px = double(i) - vx;
            const double py = double(j) - vy;
            const double a = px * ex + py * ey;
            const double b = px * nx + py * ny;
            const double t = nearestOnParabola(a, b, f);
            if (!(std::fabs(t) <= halfWidth))
                continue;
            const double da = a - t * t / (4 * f);
            const double db = b - t;
            const double distance = std::copysign(std::hypot(da, db), -da);
            if (!inBand(distance, half))
                continue;
            if (inAnySlit(parabolaArcLength(t, f), m, slitCount, slitWidth, barWidth))
                continue;
            stampWallCell(pool.at(i, j));
        }
    }
}

} // namespace zb
