// The geometry of media, curved walls and moving exciters in the flat view, in oscillators: a
// medium's boundary, the centre line of an arc or parabola wall broken at its slits, and an
// exciter's velocity arrow. Angles count counter-clockwise on the screen, whose rows run down.
#pragma once

#include "model/objects.h"

#include <QLineF>
#include <QPointF>

#include <vector>

namespace zb::ui {

using Polyline = std::vector<QPointF>;

// The closed boundary of the medium's shape. A triangle's apex is at the top of its box.
Polyline mediumBoundary(const TMedium& medium);
bool insidePolygon(const Polyline& polygon, QPointF point);

// Where the circle of the arc passes at this angle.
QPointF arcPoint(const TKreisbogen& arc, double degrees);
// The arc's start and end angle apart, in (0, 360].
double arcSpan(const TKreisbogen& arc);
// The centre lines of the wall between its slits, which are centred on the arc's middle and
// measured along it.
std::vector<Polyline> arcPieces(const TKreisbogen& arc);

QPointF parabolaVertex(const TParabel& parabola);
// As arcPieces, the slits centred on the vertex.
std::vector<Polyline> parabolaPieces(const TParabel& parabola);

// Half a curved wall's thickness: the band its centre line stands for.
double halfThickness(int32_t dicke);
// The outline of a band of this half width about each centre line.
std::vector<QLineF> bandOutline(const std::vector<Polyline>& pieces, double half);
// The least distance from the point to any of the lines, INFINITY when there are none.
double distanceToLines(const std::vector<Polyline>& pieces, QPointF point, bool closed);

// The period of the exciter's drive in seconds of Simulationszeit. The velocity arrow is as long
// as the way the exciter travels in one period, so that against the wavelength it shows v / c.
double exciterPeriod(const TErreger& exciter);
QPointF velocityTip(const TErreger& exciter);
// The arrow from the centre to the tip; none for an exciter at rest.
std::vector<QLineF> velocityArrow(const TErreger& exciter);

} // namespace zb::ui
