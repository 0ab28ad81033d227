// The camera as the viewing transformation (the view exports that set it are in
// sim/view_exports.cpp).
#include "render/drawing.h"
#include "sim/engine_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace zb {

namespace {

bool finite(const Vec3f& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

void applyCamera() {
    const Camera& c = gEngine.camera;
    Vec3f d{c.target.x - c.eye.x, c.target.y - c.eye.y, c.target.z - c.eye.z};
    Vec3f& last = gEngine.view.lastViewDirection;
    Vec3f eye = c.eye;
    if (!finite(eye))
        eye = {0.0f, 8.0f, 0.0f};
    // Eye on the target (or a value that is no number) gives no direction to look in: keep the
    // last direction that had one, rather than a matrix of zeros or NaN.
    if (!finite(d) || (d.x == 0.0f && d.y == 0.0f && d.z == 0.0f))
        d = last;
    else
        last = d;
    // (1, 0, 0) x d: the screen's horizontal axis is always the world's x axis.
    const Vec3f up{0.0f, -d.z, d.y};
    gluLookAt(eye.x, eye.y, eye.z, double(eye.x) + d.x, double(eye.y) + d.y, double(eye.z) + d.z,
              up.x, up.y, up.z);
}

} // namespace zb
