// Objects written into the grid when they are added: exciters, walls, material changes and
// damped edges. Each is a no-op without a pool and never touches a node outside the grid; each
// costs in proportion to the nodes it can change.
#pragma once

#include "sim/pool.h"

#include <cstdint>

namespace zb {

struct LastExciter;

// With last, also keeps the exciter's parameters and what lay under each cell it took, for a
// motion given to it afterwards.
void addExciter(Pool& pool, int32_t centerX, int32_t centerY, int32_t width, int32_t length,
                int32_t angle, double omega, double amplitude, bool sineMode,
                LastExciter* last = nullptr);

void addWall(Pool& pool, int32_t centerX, int32_t centerY, int32_t angle, int32_t length,
             int32_t slitCount, int32_t slitWidth, int32_t barWidth);

// Whether a node at offset u along a wall lies in one of its slits: the first slit starts at m,
// each is slitWidth wide and the next starts barWidth later. Same answer as testing every slit
// in turn, but in logarithmic time, so that any slit count is cheap.
bool inAnySlit(double u, float m, int32_t slitCount, int32_t slitWidth, int32_t barWidth);

// Start of the first slit, measured along the wall from its centre.
float firstSlitStart(int32_t slitCount, int32_t slitWidth, int32_t barWidth);

// Material from row startY on. The rows are written once the next change, or anything else
// that reads or writes the records, comes (see PendingMaterial).
void addMatChange(Pool& pool, int32_t startY, double coupling, double damping);

// Writes a pending material change into the records. Every addition, the step and the drawing
// call it first; so must any other reader of the records after addMatChange.
void settleMaterial(Pool& pool);

// Scales the damping towards the chosen borders over edgeWidth nodes. Only the border bands
// are visited: elsewhere the factors stay and a cell's blue already equals its factor. When
// quiet edges were asked for (gEngine.edgeKind), lays those instead (quiet_edges.h).
void addEdges(Pool& pool, float edgeWidth, bool back, bool front, bool left, bool right);

// Makes a node a wall cell, as every wall does.
void stampWallCell(Oscillator& o);

// The outlines of a shaped medium; the triangle is isosceles with its apex at the top of its box.
enum class MediumShape : int32_t { Rectangle = 0, Ellipse = 1, Triangle = 2 };

// Gives the nodes inside the shape (centre, full width and height, turned counter-clockwise by
// angleDegrees as walls turn) the coupling and damping, converted as addMatChange converts them,
// and the material's tint: blue as the factor, and its outline marked as a change's first row.
// Walls and exciters stay.
void addMedium(Pool& pool, MediumShape shape, double centerX, double centerY, double width,
               double height, double angleDegrees, double coupling, double damping);

// Walls along curves, thickness oscillators across the curve, with slits measured along it.
// The band holds every node within thickness/2 of the curve (at least 1/2): no wave gets
// through, as water moves only between a node and its four neighbours.
void addArcWall(Pool& pool, double centerX, double centerY, double radius, double startAngle,
                double endAngle, int32_t thickness, int32_t slitCount, int32_t slitWidth,
                int32_t barWidth);
void addParabolaWall(Pool& pool, double focusX, double focusY, double focalLength, double angle,
                     double width, int32_t thickness, int32_t slitCount, int32_t slitWidth,
                     int32_t barWidth);

} // namespace zb
