// The objects of a tank as the flat view shows them, in oscillators: which one lies under a
// point (by its real footprint, turned walls and exciters included), its outline and the handles
// a pupil drags to change it; whether it stands in the tank.
#pragma once

#include "model/tank.h"

#include <QLineF>
#include <QPointF>

#include <cstdint>
#include <optional>
#include <vector>

namespace zb::ui {

// What of an object a point or a handle stands for.
enum class ObjectPart {
    Body,            // the object itself: dragging moves it
    WallEnd,         // an end of a wall: length and angle
    ExciterWidth,    // a side of an exciter: its width (both sides of a radial one)
    ExciterLength,   // the end of a plane front: its length and angle
    ExciterVelocity, // the head of the velocity arrow: speed and direction
    MediumSize,      // a corner of a medium's box: its width and height
    MediumAngle,     // the end of a medium's own x axis: its angle
    ArcRadius,       // the middle of an arc
    ArcStart,        // the ends of an arc: their angles
    ArcEnd,
    ParabolaVertex, // focal length and the direction the mirror opens to; the focus stays
};

struct Pick {
    uint64_t serial = 0;
    ObjectPart part = ObjectPart::Body;
};

struct Handle {
    ObjectPart part;
    QPointF at;
};

// The object under the point, within tolerance oscillators of its footprint; the nearest wins,
// and among equals the one later in the list, which is drawn over the others.
std::optional<Pick> objectAt(const TZBecken& tank, QPointF point, double tolerance);

// How far the point lies from the object's footprint, in oscillators; 0 on or inside it.
double distanceTo(const TObjekt& object, QPointF point);

// Whether the object's centre (a screen's or a material change's line) lies in the tank.
bool centreInTank(const TObjekt& object, const TZBecken& tank);

// Shortens an unturned wall to the tank's width at most and moves its centre as little as needed
// so that every cell it covers lies in the tank.
void fitIntoTank(TWand& wall, const TZBecken& tank);
// Shrink the shape, if need be, and move its centre (a parabola's focus) so that all of it lies in
// the tank, unturned as it is when inserted.
void fitIntoTank(TMedium& medium, const TZBecken& tank);
void fitIntoTank(TKreisbogen& arc, const TZBecken& tank);
void fitIntoTank(TParabel& parabola, const TZBecken& tank);

std::vector<QLineF> outlineOf(const TObjekt& object, const TZBecken& tank);
// What the flat view shows of an object even when it is not selected, beyond the engine's own
// drawing: a moving exciter's velocity and a parabola's focus.
std::vector<QLineF> alwaysShownOf(const TObjekt& object);
std::vector<Handle> handlesOf(const TObjekt& object);

} // namespace zb::ui
