#include "view/curve_shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zb::ui {

namespace {

constexpr double kRadPerDegree = 3.14159265358979323846 / 180.0;
constexpr int kMaxSamples = 2000; // per piece: enough for any tank, bounded for absurd files
constexpr int kMaxSlits = 4096;   // slits further out than any wall reaches are not looked at

// The unit vector at this angle, rows running down.
QPointF screenDirection(double degrees) {
    return {std::cos(degrees * kRadPerDegree), -std::sin(degrees * kRadPerDegree)};
}

// (u, v) in a frame turned by the angle about the centre: u along the angle, v a quarter turn
// clockwise from it, as walls and exciters are turned.
QPointF turnedPoint(QPointF centre, double degrees, double u, double v) {
    const double c = std::cos(degrees * kRadPerDegree), s = std::sin(degrees * kRadPerDegree);
    return {centre.x() + u * c + v * s, centre.y() - u * s + v * c};
}

using Interval = std::pair<double, double>;

// The parts of [lo, hi] outside the slits, laid out as a straight wall's about 0: slit k is open
// from m + k * spacing over its width, m = -((n - 1) * bar + n * width) / 2.
std::vector<Interval> keptIntervals(double lo, double hi, int32_t count, int32_t width,
                                    int32_t spacing) {
    std::vector<Interval> gaps;
    if (count > 0 && width > 0) {
        const double b = width, period = spacing, bar = period - b;
        const double m = -((double(count) - 1) * bar + double(count) * b) / 2;
        if (period > 0) {
            const double first = std::max(0.0, std::floor((lo - m - b) / period));
            const double last = std::min(double(count) - 1, std::ceil((hi - m) / period));
            for (double k = first; k <= last && k - first < kMaxSlits; ++k) {
                gaps.emplace_back(m + k * period, m + k * period + b);
            }
        } else {
            // Slits that lie on or over each other open one stretch.
            const double end = m + (double(count) - 1) * period;
            gaps.emplace_back(std::min(m, end), std::max(m, end) + b);
        }
    }
    std::vector<Interval> kept;
    double from = lo;
    for (const Interval& g : gaps) {
        if (g.first > from) {
            kept.emplace_back(from, std::min(g.first, hi));
        }
        from = std::max(from, g.second);
        if (from >= hi) {
            break;
        }
    }
    if (from < hi) {
        kept.emplace_back(from, hi);
    }
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [](const Interval& i) { return i.second <= i.first; }),
               kept.end());
    return kept;
}

// The curve sampled over each kept stretch of its length parameter, at most `step` apart.
template <class PointAt>
std::vector<Polyline> sampled(const std::vector<Interval>& kept, double step, PointAt pointAt) {
    std::vector<Polyline> pieces;
    for (const Interval& i : kept) {
        const int n =
            int(std::clamp(std::ceil((i.second - i.first) / step), 1.0, double(kMaxSamples)));
        Polyline piece;
        piece.reserve(size_t(n) + 1);
        for (int k = 0; k <= n; ++k) {
            piece.push_back(pointAt(i.first + (i.second - i.first) * k / n));
        }
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

double pointToSegment(QPointF a, QPointF b, QPointF p) {
    const QPointF ab = b - a, ap = p - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / length2, 0.0, 1.0) : 0;
    const QPointF d = ap - t * ab;
    return std::hypot(d.x(), d.y());
}

double parabolaFocalLength(const TParabel& p) {
    return std::max(0.5, double(p.Brennweite));
}

} // namespace

Polyline mediumBoundary(const TMedium& m) {
    const QPointF c(m.X, m.Y);
    const double hu = m.Breite / 2.0, hv = m.Hoehe / 2.0;
    switch (m.Form) {
    case kMediumRechteck:
        return {turnedPoint(c, m.Winkel, -hu, -hv), turnedPoint(c, m.Winkel, hu, -hv),
                turnedPoint(c, m.Winkel, hu, hv), turnedPoint(c, m.Winkel, -hu, hv)};
    case kMediumDreieck:
        return {turnedPoint(c, m.Winkel, 0, -hv), turnedPoint(c, m.Winkel, hu, hv),
                turnedPoint(c, m.Winkel, -hu, hv)};
    default: {
        Polyline ring;
        constexpr int kSteps = 72;
        for (int k = 0; k < kSteps; ++k) {
            const double phi = 2 * 3.14159265358979323846 * k / kSteps;
            ring.push_back(turnedPoint(c, m.Winkel, hu * std::cos(phi), hv * std::sin(phi)));
        }
        return ring;
    }
    }
}

bool insidePolygon(const Polyline& polygon, QPointF p) {
    bool inside = false;
    for (size_t k = 0, j = polygon.size() - 1; k < polygon.size(); j = k++) {
        const QPointF a = polygon[k], b = polygon[j];
        if ((a.y() > p.y()) != (b.y() > p.y()) &&
            p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x()) {
            inside = !inside;
        }
    }
    return inside;
}

QPointF arcPoint(const TKreisbogen& a, double degrees) {
    return QPointF(a.X, a.Y) + std::max(0.5, double(a.Radius)) * screenDirection(degrees);
}

double arcSpan(const TKreisbogen& a) {
    const double span = std::fmod(double(a.Endwinkel) - a.Startwinkel, 360.0);
    return span <= 0 ? span + 360.0 : span;
}

std::vector<Polyline> arcPieces(const TKreisbogen& a) {
    const double radius = std::max(0.5, double(a.Radius));
    const double span = arcSpan(a);
    const double middle = a.Startwinkel + span / 2;
    const double half = radius * span * kRadPerDegree / 2;
    // Three degrees apart at most, and at most an oscillator on large circles.
    const double step = std::min(1.0, radius * 3 * kRadPerDegree);
    return sampled(keptIntervals(-half, half, a.SpaltAnz, a.Spaltbreite, a.Spaltabstand), step,
                   [&](double s) { return arcPoint(a, middle + s / radius / kRadPerDegree); });
}

QPointF parabolaVertex(const TParabel& p) {
    return QPointF(p.X, p.Y) - parabolaFocalLength(p) * screenDirection(p.Winkel);
}

std::vector<Polyline> parabolaPieces(const TParabel& p) {
    // Across the axis t, along it t^2 / 4f from the vertex; the slits are measured along the curve,
    // whose length from the vertex is f (u sqrt(1 + u^2) + asinh u) with u = t / 2f.
    const double f = parabolaFocalLength(p);
    const double rim = std::max(0.0, p.Breite / 2.0);
    const auto lengthTo = [f](double t) {
        const double u = t / (2 * f);
        return f * (u * std::sqrt(1 + u * u) + std::asinh(u));
    };
    const auto acrossAt = [&](double s) {
        double lo = -rim, hi = rim;
        for (int k = 0; k < 50; ++k) {
            const double mid = (lo + hi) / 2;
            (lengthTo(mid) < s ? lo : hi) = mid;
        }
        return (lo + hi) / 2;
    };
    const QPointF vertex = parabolaVertex(p), axis = screenDirection(p.Winkel),
                  across = screenDirection(p.Winkel - 90);
    const double half = lengthTo(rim);
    return sampled(keptIntervals(-half, half, p.SpaltAnz, p.Spaltbreite, p.Spaltabstand), 1.0,
                   [&](double s) {
                       const double t = acrossAt(s);
                       return vertex + t * t / (4 * f) * axis + t * across;
                   });
}

double halfThickness(int32_t dicke) {
    return std::max(1, dicke) / 2.0;
}

std::vector<QLineF> bandOutline(const std::vector<Polyline>& pieces, double half) {
    std::vector<QLineF> lines;
    for (const Polyline& piece : pieces) {
        if (piece.size() < 2) {
            continue;
        }
        Polyline left, right;
        for (size_t k = 0; k < piece.size(); ++k) {
            const QPointF along = piece[std::min(k + 1, piece.size() - 1)] - piece[k ? k - 1 : 0];
            const double length = std::hypot(along.x(), along.y());
            const QPointF normal =
                length > 0 ? QPointF(-along.y(), along.x()) / length * half : QPointF();
            left.push_back(piece[k] + normal);
            right.push_back(piece[k] - normal);
        }
        for (size_t k = 0; k + 1 < piece.size(); ++k) {
            lines.emplace_back(left[k], left[k + 1]);
            lines.emplace_back(right[k], right[k + 1]);
        }
        lines.emplace_back(left.front(), right.front());
        lines.emplace_back(left.back(), right.back());
    }
    return lines;
}

double distanceToLines(const std::vector<Polyline>& pieces, QPointF p, bool closed) {
    double best = INFINITY;
    for (const Polyline& piece : pieces) {
        for (size_t k = 0; k + 1 < piece.size(); ++k) {
            best = std::min(best, pointToSegment(piece[k], piece[k + 1], p));
        }
        if (closed && piece.size() > 2) {
            best = std::min(best, pointToSegment(piece.back(), piece.front(), p));
        } else if (piece.size() == 1) {
            best = std::min(best, pointToSegment(piece[0], piece[0], p));
        }
    }
    return best;
}

double exciterPeriod(const TErreger& e) {
    // T = 50000 / Frequenz ms, as the exciter box states it; a drive without frequency has no
    // period, and its arrow shows the way of one second.
    return e.Frequenz > 1e-3 ? 50.0 / e.Frequenz : 1.0;
}

QPointF velocityTip(const TErreger& e) {
    return QPointF(e.X, e.Y) + QPointF(e.Vx, e.Vy) * exciterPeriod(e);
}

std::vector<QLineF> velocityArrow(const TErreger& e) {
    if (e.Vx == 0.0 && e.Vy == 0.0) {
        return {};
    }
    const QPointF from(e.X, e.Y), tip = velocityTip(e);
    const QPointF along = tip - from;
    const double length = std::hypot(along.x(), along.y());
    if (!(length > 0) || !std::isfinite(length)) {
        return {};
    }
    const double head = std::clamp(0.3 * length, 0.5, 4.0);
    const QPointF back = -along / length * head;
    const auto swung = [](QPointF v, double degrees) {
        const double c = std::cos(degrees * kRadPerDegree), s = std::sin(degrees * kRadPerDegree);
        return QPointF(v.x() * c - v.y() * s, v.x() * s + v.y() * c);
    };
    return {{from, tip}, {tip, tip + swung(back, 25)}, {tip, tip + swung(back, -25)}};
}

} // namespace zb::ui
