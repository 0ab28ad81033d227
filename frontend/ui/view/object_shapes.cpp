#include "view/object_shapes.h"

#include "view/curve_shapes.h"

#include <algorithm>
#include <cmath>

namespace zb::ui {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

// A rectangle turned about its centre, as walls and exciters lie: u runs along the first side
// (a wall's length, an exciter's width), v along the second.
struct Turned {
    QPointF centre;
    double angle; // degrees, counter-clockwise on the screen
    double halfU, halfV;

    double c() const { return std::cos(angle * kDegree); }
    double s() const { return std::sin(angle * kDegree); }
    QPointF local(QPointF p) const {
        const double di = p.x() - centre.x(), dj = p.y() - centre.y();
        return {di * c() - dj * s(), di * s() + dj * c()};
    }
    QPointF world(double u, double v) const {
        // The inverse of local(): rows count downwards, so a positive angle turns towards -j.
        return {centre.x() + u * c() + v * s(), centre.y() - u * s() + v * c()};
    }
    double distance(QPointF p) const {
        const QPointF l = local(p);
        const double du = std::max(std::abs(l.x()) - halfU, 0.0);
        const double dv = std::max(std::abs(l.y()) - halfV, 0.0);
        return std::hypot(du, dv);
    }
    std::vector<QLineF> outline() const {
        const QPointF a = world(-halfU, -halfV), b = world(halfU, -halfV), c = world(halfU, halfV),
                      d = world(-halfU, halfV);
        return {{a, b}, {b, c}, {c, d}, {d, a}};
    }
};

// A wall covers the band -1 < v <= 1 across its line and -L/2 < u <= L/2 along it (at angle 0
// the rows Y and Y + 1).
Turned wallShape(const TWand& w) {
    return {{double(w.X), double(w.Y)}, double(w.Winkel), w.Laenge / 2.0, 1.0};
}

Turned exciterShape(const TErreger& e) {
    return {{double(e.X), double(e.Y)}, double(e.Winkel), e.Breite / 2.0, e.Laenge / 2.0};
}

// A probe is one oscillator; its marker, and what picks it, is a little larger.
Turned probeShape(const TMesspunkt& m) {
    return {{double(m.X), double(m.Y)}, 0.0, 1.5, 1.5};
}

// A parabola's focus is marked by a cross this far out from it, which picks the mirror as well.
constexpr double kFocusMark = 1.5;

std::vector<QLineF> focusCross(const TParabel& p) {
    const QPointF f(p.X, p.Y);
    return {{f - QPointF(kFocusMark, 0), f + QPointF(kFocusMark, 0)},
            {f - QPointF(0, kFocusMark), f + QPointF(0, kFocusMark)}};
}

// Where a still exciter's velocity handle waits, clear of its other handles; once the arrow
// reaches out of the exciter, the handle sits at its head.
QPointF velocityHandle(const TErreger& e) {
    const Turned t = exciterShape(e);
    const QPointF tip = velocityTip(e);
    if ((e.Vx != 0.0 || e.Vy != 0.0) && t.distance(tip) > 0) {
        return tip;
    }
    return t.world(t.halfU + 3, -t.halfV - 3);
}

// The least and greatest offsets of a shape from the point it is placed by.
struct Extent {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

Extent extentOf(const std::vector<Polyline>& pieces, QPointF origin) {
    Extent e;
    for (const Polyline& piece : pieces) {
        for (const QPointF& q : piece) {
            e.minX = std::min(e.minX, q.x() - origin.x());
            e.maxX = std::max(e.maxX, q.x() - origin.x());
            e.minY = std::min(e.minY, q.y() - origin.y());
            e.maxY = std::max(e.maxY, q.y() - origin.y());
        }
    }
    return e;
}

// Moves (x, y) as little as needed for the extent about it to lie in the tank; false when it
// cannot.
bool placeInTank(int32_t& x, int32_t& y, const Extent& e, const TZBecken& tank) {
    constexpr double kSlack = 1e-9;
    const double loX = std::ceil(-e.minX - kSlack),
                 hiX = std::floor(tank.GroesseX - 1 - e.maxX + kSlack);
    const double loY = std::ceil(-e.minY - kSlack),
                 hiY = std::floor(tank.GroesseY - 1 - e.maxY + kSlack);
    if (loX > hiX || loY > hiY) {
        return false;
    }
    x = int32_t(std::clamp(double(x), loX, hiX));
    y = int32_t(std::clamp(double(y), loY, hiY));
    return true;
}

// How much smaller a shape must become for its extent to fit the tank.
double shrinkToFit(const Extent& e, const TZBecken& tank) {
    const double w = e.maxX - e.minX, h = e.maxY - e.minY;
    double factor = 1.0;
    if (w > 0) {
        factor = std::min(factor, (tank.GroesseX - 1) / w);
    }
    if (h > 0) {
        factor = std::min(factor, (tank.GroesseY - 1) / h);
    }
    return std::max(0.0, factor);
}

// One axis of a medium's box: the box covers centre ± extent / 2, the tank's cells -0.5 to
// size - 0.5.
void fitAxis(int32_t& centre, int32_t& extent, int32_t size) {
    extent = std::clamp(extent, 1, std::max(1, size));
    for (;;) {
        const double lo = std::ceil(extent / 2.0 - 0.5), hi = std::floor(size - 0.5 - extent / 2.0);
        if (lo <= hi || extent <= 1) {
            centre = int32_t(std::clamp(double(centre), lo, std::max(lo, hi)));
            return;
        }
        --extent; // a box of even width in a tank of odd width, or the other way round
    }
}

} // namespace

double distanceTo(const TObjekt& o, QPointF p) {
    if (const TWand* w = o.wand()) {
        return wallShape(*w).distance(p);
    }
    if (const TErreger* e = o.erreger()) {
        return exciterShape(*e).distance(p);
    }
    if (const TSchirm* s = o.schirm()) {
        const double line = s->Position - 1;
        return std::abs((s->Horizontal ? p.y() : p.x()) - line);
    }
    if (const TMatUebergang* m = o.matUebergang()) {
        return std::abs(p.y() - m->Y);
    }
    if (const TMesspunkt* m = o.messpunkt()) {
        return probeShape(*m).distance(p);
    }
    if (const TMedium* m = o.medium()) {
        const Polyline boundary = mediumBoundary(*m);
        return insidePolygon(boundary, p) ? 0.0 : distanceToLines({boundary}, p, true);
    }
    if (const TKreisbogen* a = o.kreisbogen()) {
        return std::max(0.0, distanceToLines(arcPieces(*a), p, false) - halfThickness(a->Dicke));
    }
    if (const TParabel* q = o.parabel()) {
        const double wall = distanceToLines(parabolaPieces(*q), p, false) - halfThickness(q->Dicke);
        const double focus = std::hypot(p.x() - q->X, p.y() - q->Y) - kFocusMark;
        return std::max(0.0, std::min(wall, focus));
    }
    return INFINITY;
}

bool centreInTank(const TObjekt& o, const TZBecken& tank) {
    const auto within = [](int32_t v, int32_t size) { return v >= 0 && v < size; };
    const int32_t nx = tank.GroesseX, ny = tank.GroesseY;
    if (const TWand* w = o.wand()) {
        return within(w->X, nx) && within(w->Y, ny);
    }
    if (const TErreger* e = o.erreger()) {
        return within(e->X, nx) && within(e->Y, ny);
    }
    if (const TSchirm* s = o.schirm()) {
        return within(s->Position - 1, s->Horizontal ? ny : nx);
    }
    if (const TMatUebergang* m = o.matUebergang()) {
        return within(m->Y, ny);
    }
    if (const TMesspunkt* m = o.messpunkt()) {
        return within(m->X, nx) && within(m->Y, ny);
    }
    if (const TMedium* m = o.medium()) {
        return within(m->X, nx) && within(m->Y, ny);
    }
    if (const TKreisbogen* a = o.kreisbogen()) {
        return within(a->X, nx) && within(a->Y, ny);
    }
    if (const TParabel* q = o.parabel()) {
        return within(q->X, nx) && within(q->Y, ny);
    }
    return true;
}

void fitIntoTank(TWand& w, const TZBecken& tank) {
    // Unturned, the wall covers the rows Y and Y + 1 and the columns X + d with
    // -L/2 < d <= L/2, that is from X + 1 - ceil(L/2) to X + floor(L/2).
    w.Laenge = std::clamp(w.Laenge, 1, std::max(1, tank.GroesseX));
    const int32_t below = (w.Laenge + 1) / 2 - 1, above = w.Laenge / 2;
    w.X = std::clamp(w.X, below, std::max(below, tank.GroesseX - 1 - above));
    w.Y = std::clamp(w.Y, 0, std::max(0, tank.GroesseY - 2));
}

void fitIntoTank(TMedium& m, const TZBecken& tank) {
    fitAxis(m.X, m.Breite, tank.GroesseX);
    fitAxis(m.Y, m.Hoehe, tank.GroesseY);
}

void fitIntoTank(TKreisbogen& a, const TZBecken& tank) {
    // The whole arc and its centre, whose place the editor keeps in the tank.
    a.Radius = std::max(1, a.Radius);
    for (;;) {
        TKreisbogen whole = a;
        whole.SpaltAnz = 0;
        const Extent e = extentOf(arcPieces(whole), QPointF(a.X, a.Y));
        if (placeInTank(a.X, a.Y, e, tank) || a.Radius <= 1) {
            break;
        }
        a.Radius = std::max(1, std::min(a.Radius - 1, int32_t(a.Radius * shrinkToFit(e, tank))));
    }
    a.X = std::clamp(a.X, 0, std::max(0, tank.GroesseX - 1));
    a.Y = std::clamp(a.Y, 0, std::max(0, tank.GroesseY - 1));
}

void fitIntoTank(TParabel& p, const TZBecken& tank) {
    // Shrunk alike across and along, so that the mirror keeps its shape.
    p.Brennweite = std::max(1, p.Brennweite);
    p.Breite = std::max(2, p.Breite);
    for (;;) {
        TParabel whole = p;
        whole.SpaltAnz = 0;
        const Extent e = extentOf(parabolaPieces(whole), QPointF(p.X, p.Y));
        if (placeInTank(p.X, p.Y, e, tank) || (p.Brennweite <= 1 && p.Breite <= 2)) {
            break;
        }
        const double factor = shrinkToFit(e, tank);
        p.Brennweite =
            std::max(1, std::min(p.Brennweite - 1, int32_t(std::lround(p.Brennweite * factor))));
        p.Breite = std::max(2, std::min(p.Breite - 1, int32_t(std::lround(p.Breite * factor))));
    }
    p.X = std::clamp(p.X, 0, std::max(0, tank.GroesseX - 1));
    p.Y = std::clamp(p.Y, 0, std::max(0, tank.GroesseY - 1));
}

std::optional<Pick> objectAt(const TZBecken& tank, QPointF point, double tolerance) {
    std::optional<Pick> best;
    double bestDistance = INFINITY;
    const TObjektListe& list = *tank.Objekte;
    for (int k = 1; k < list.Count(); ++k) {
        const double d = distanceTo(list.at(k), point);
        if (d <= tolerance && d <= bestDistance) {
            bestDistance = d;
            best = Pick{list.at(k).serial(), ObjectPart::Body};
        }
    }
    return best;
}

std::vector<QLineF> outlineOf(const TObjekt& o, const TZBecken& tank) {
    if (const TWand* w = o.wand()) {
        return wallShape(*w).outline();
    }
    if (const TErreger* e = o.erreger()) {
        std::vector<QLineF> lines = exciterShape(*e).outline();
        const std::vector<QLineF> arrow = velocityArrow(*e);
        lines.insert(lines.end(), arrow.begin(), arrow.end());
        return lines;
    }
    if (const TMesspunkt* m = o.messpunkt()) {
        return probeShape(*m).outline();
    }
    if (const TMedium* m = o.medium()) {
        const Polyline boundary = mediumBoundary(*m);
        std::vector<QLineF> lines;
        for (size_t k = 0; k < boundary.size(); ++k) {
            lines.emplace_back(boundary[k], boundary[(k + 1) % boundary.size()]);
        }
        return lines;
    }
    if (const TKreisbogen* a = o.kreisbogen()) {
        return bandOutline(arcPieces(*a), halfThickness(a->Dicke));
    }
    if (const TParabel* q = o.parabel()) {
        std::vector<QLineF> lines = bandOutline(parabolaPieces(*q), halfThickness(q->Dicke));
        const std::vector<QLineF> focus = focusCross(*q);
        lines.insert(lines.end(), focus.begin(), focus.end());
        return lines;
    }
    // Lines across the whole tank, a little wider than the line itself.
    const double nx = tank.GroesseX - 1, ny = tank.GroesseY - 1;
    auto band = [](QPointF a, QPointF b, QPointF across) {
        return std::vector<QLineF>{{a - across, b - across}, {a + across, b + across}};
    };
    if (const TSchirm* s = o.schirm()) {
        const double line = s->Position - 1;
        return s->Horizontal ? band({0, line}, {nx, line}, {0, 0.5})
                             : band({line, 0}, {line, ny}, {0.5, 0});
    }
    if (const TMatUebergang* m = o.matUebergang()) {
        return band({0, double(m->Y)}, {nx, double(m->Y)}, {0, 0.5});
    }
    return {};
}

std::vector<QLineF> alwaysShownOf(const TObjekt& o) {
    if (const TErreger* e = o.erreger()) {
        return velocityArrow(*e);
    }
    if (const TParabel* q = o.parabel()) {
        return focusCross(*q);
    }
    return {};
}

std::vector<Handle> handlesOf(const TObjekt& o) {
    if (const TWand* w = o.wand()) {
        const Turned t = wallShape(*w);
        return {{ObjectPart::WallEnd, t.world(t.halfU, 0)},
                {ObjectPart::WallEnd, t.world(-t.halfU, 0)}};
    }
    if (const TErreger* e = o.erreger()) {
        const Turned t = exciterShape(*e);
        std::vector<Handle> handles{{ObjectPart::ExciterWidth, t.world(t.halfU, 0)}};
        if (e->Breite != e->Laenge) {
            handles.push_back({ObjectPart::ExciterLength, t.world(0, t.halfV)});
        }
        handles.push_back({ObjectPart::ExciterVelocity, velocityHandle(*e)});
        return handles;
    }
    if (const TMedium* m = o.medium()) {
        const Turned t{
            {double(m->X), double(m->Y)}, double(m->Winkel), m->Breite / 2.0, m->Hoehe / 2.0};
        return {{ObjectPart::MediumSize, t.world(t.halfU, t.halfV)},
                {ObjectPart::MediumAngle, t.world(t.halfU, 0)}};
    }
    if (const TKreisbogen* a = o.kreisbogen()) {
        const double span = arcSpan(*a);
        return {{ObjectPart::ArcRadius, arcPoint(*a, a->Startwinkel + span / 2)},
                {ObjectPart::ArcStart, arcPoint(*a, a->Startwinkel)},
                {ObjectPart::ArcEnd, arcPoint(*a, a->Startwinkel + span)}};
    }
    if (const TParabel* q = o.parabel()) {
        // The focus is shown as a handle too; a press on it grabs the body, which moves the mirror.
        return {{ObjectPart::ParabolaVertex, parabolaVertex(*q)},
                {ObjectPart::Body, QPointF(q->X, q->Y)}};
    }
    return {};
}

} // namespace zb::ui
