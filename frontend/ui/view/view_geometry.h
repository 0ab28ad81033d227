// Where an oscillator appears in the flat top view, and which oscillator lies under a pixel:
// computed from the same numbers the engine draws with (camera, projection, pool layout).
#pragma once

#include <QPointF>

namespace zb::ui {

// The top view as the view frame places it: the eye straight above (eyeX, eyeZ) at a height, a
// perspective of 45 degrees over the engine's viewport, which covers the whole frame while the
// panel (its drawable) lacks the scroll bars at the right and the bottom.
struct TopView {
    double eyeX = 0, eyeZ = 0;                 // world units
    double height = 1.2;                       // eye above the water
    int viewportWidth = 1, viewportHeight = 1; // device pixels
    int panelHeight = 1;                       // device pixels; the viewport starts at its bottom
};

// The pool's layout in world units, as the engine builds it (in float, like the engine).
struct PoolLayout {
    double spacing = 1, originX = 0, originZ = 0;
};
PoolLayout poolLayout(int sizeX, int sizeY);

// The oscillator (column i, row j, fractional) under a panel pixel (device pixels, top left
// origin, the pixel's corner), and back.
QPointF oscillatorAt(const TopView& view, const PoolLayout& pool, QPointF pixel);
QPointF pixelOf(const TopView& view, const PoolLayout& pool, QPointF oscillator);
// How many oscillators one device pixel spans.
double oscillatorsPerPixel(const TopView& view, const PoolLayout& pool);

} // namespace zb::ui
