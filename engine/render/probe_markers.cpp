// Probe markers: a ring in the probe's colour over the flat view, a post standing on the surface
// in the 3-D view. The probes are stored by sim/probe_exports.cpp.
#include "render/drawing.h"
#include "sim/engine_state.h"

#include <GL/gl.h>

namespace zb {

namespace {

constexpr float kPostHeight = 0.08f; // world units above the surface; the pool is 1 wide

void colourOf(uint32_t rgb) {
    glColor3ub(GLubyte(rgb >> 16), GLubyte(rgb >> 8), GLubyte(rgb));
}

bool inside(const Pool& p, const Probe& probe) {
    return probe.x >= 0 && probe.y >= 0 && probe.x < p.sizeX && probe.y < p.sizeY;
}

// Square points from the largest down, so each pass leaves the previous one as a rim: black,
// the colour, a black centre that marks the probed oscillator itself.
void drawFlatMarkers(const Pool& p, const ProbeStore& store) {
    const float sizes[3] = {13.0f, 11.0f, 3.0f};
    for (int pass = 0; pass < 3; ++pass) {
        glPointSize(sizes[pass]);
        glBegin(GL_POINTS);
        for (int32_t k = 0; k < store.count; ++k) {
            const Probe& probe = store.probes[k];
            if (!inside(p, probe))
                continue;
            if (pass == 1)
                colourOf(probe.rgb);
            else
                glColor3f(0.0f, 0.0f, 0.0f);
            glVertex3fv(&p.at(probe.x, probe.y).position.x);
        }
        glEnd();
    }
}

// A post that rides on the wave as drawn (heights times the display's scale), topped by a square
// point in the probe's colour.
void drawPosts(const Pool& p, const ProbeStore& store) {
    const float scale = gEngine.display.heightScale;
    glLineWidth(3.0f);
    glBegin(GL_LINES);
    for (int32_t k = 0; k < store.count; ++k) {
        const Probe& probe = store.probes[k];
        if (!inside(p, probe))
            continue;
        const Vec3f& at = p.at(probe.x, probe.y).position;
        colourOf(probe.rgb);
        glVertex3f(at.x, at.y * scale, at.z);
        glVertex3f(at.x, at.y * scale + kPostHeight, at.z);
    }
    glEnd();
    glLineWidth(1.0f);
    glPointSize(9.0f);
    glBegin(GL_POINTS);
    for (int32_t k = 0; k < store.count; ++k) {
        const Probe& probe = store.probes[k];
        if (!inside(p, probe))
            continue;
        const Vec3f& at = p.at(probe.x, probe.y).position;
        colourOf(probe.rgb);
        glVertex3f(at.x, at.y * scale + kPostHeight, at.z);
    }
    glEnd();
}

} // namespace

void drawProbeMarkers() {
    const ProbeStore& store = gEngine.probes;
    const Pool& p = gEngine.pool;
    if (store.count == 0 || !p.oscillators)
        return;
    glDisable(GL_LIGHTING);
    if (gEngine.view.flatView)
        drawFlatMarkers(p, store);
    else
        drawPosts(p, store);
    glPointSize(2.0f);
}

} // namespace zb
