#include "view/object_shapes.h"

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
        return exciterShape(*e).outline();
    }
    if (const TMesspunkt* m = o.messpunkt()) {
        return probeShape(*m).outline();
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
        return handles;
    }
    return {};
}

} // namespace zb::ui
