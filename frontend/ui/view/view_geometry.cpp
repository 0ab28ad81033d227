#include "view/view_geometry.h"

#include <cmath>

namespace zb::ui {

namespace {

// gluPerspective(45, ...): the half-height of the view at distance 1.
const double kHalfFieldTangent = std::tan(45.0 * 3.14159265358979323846 / 360.0);

// World units per device pixel at the water.
double worldPerPixel(const TopView& view) {
    return 2.0 * view.height * kHalfFieldTangent / double(view.viewportHeight);
}

} // namespace

PoolLayout poolLayout(int sizeX, int sizeY) {
    PoolLayout p;
    if (sizeX <= 0 || sizeY <= 0 || sizeX + sizeY < 3) {
        return p;
    }
    // The engine's own arithmetic, in float.
    if (sizeX > sizeY) {
        p.spacing = 1.0f / float(sizeX - 1);
        p.originX = -0.5f;
        p.originZ = (0.5f - 0.5f * float(sizeY) / float(sizeX)) - 0.5f;
    } else {
        p.spacing = 1.0f / float(sizeY - 1);
        p.originX = (0.5f - 0.5f * float(sizeX) / float(sizeY)) - 0.5f;
        p.originZ = -0.5f;
    }
    return p;
}

QPointF oscillatorAt(const TopView& view, const PoolLayout& pool, QPointF pixel) {
    // Window x runs with world x; window y (downwards) with world z, since the top of the
    // picture is -z. The viewport's centre lies half its height above the panel's bottom.
    const double unit = worldPerPixel(view);
    const double x = view.eyeX + (pixel.x() - view.viewportWidth / 2.0) * unit;
    const double z =
        view.eyeZ + (pixel.y() - (view.panelHeight - view.viewportHeight / 2.0)) * unit;
    return {(x - pool.originX) / pool.spacing, (z - pool.originZ) / pool.spacing};
}

QPointF pixelOf(const TopView& view, const PoolLayout& pool, QPointF oscillator) {
    const double unit = worldPerPixel(view);
    const double x = pool.originX + pool.spacing * oscillator.x();
    const double z = pool.originZ + pool.spacing * oscillator.y();
    return {(x - view.eyeX) / unit + view.viewportWidth / 2.0,
            (z - view.eyeZ) / unit + (view.panelHeight - view.viewportHeight / 2.0)};
}

double oscillatorsPerPixel(const TopView& view, const PoolLayout& pool) {
    return worldPerPixel(view) / pool.spacing;
}

} // namespace zb::ui
