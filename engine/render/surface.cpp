// The water surface: the pool's records drawn in place as one indexed mesh.
#include "render/drawing.h"
#include "sim/display_colors.h"
#include "sim/engine_state.h"

#include <GL/gl.h>

namespace zb {

void drawSurface(bool drawScreens) {
    const Pool& p = gEngine.pool;
    const DrawingState& v = gEngine.view;
    // A colour mode's own colours stand in for the records' for this draw only.
    const uint32_t* colors = displayColors(gEngine);
    if (colors)
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, colors);
    // Heights drawn higher or lower; GL_NORMALIZE gives the scaled normals unit length again,
    // so the light falls as on a surface of that shape.
    const float scale = gEngine.display.heightScale;
    const bool scaled = !v.flatView && scale != 1.0f;
    if (scaled) {
        glPushMatrix();
        glScalef(1.0f, scale, 1.0f);
        glEnable(GL_NORMALIZE);
    }
    // The flat view always shows grid lines, whatever the wire-frame setting.
    if (!v.flatView && !v.wireframe) {
        if (p.triangleIndexCount > 0)
            glDrawElements(GL_TRIANGLES, GLsizei(p.triangleIndexCount), GL_UNSIGNED_INT,
                           p.triangleIndices.get());
    } else if (p.lineIndexCount > 0) {
        glDrawElements(GL_LINES, GLsizei(p.lineIndexCount), GL_UNSIGNED_INT, p.lineIndices.get());
    }
    if (scaled) {
        glDisable(GL_NORMALIZE);
        glPopMatrix();
    }
    if (colors)
        glColorPointer(3, GL_FLOAT, sizeof(Oscillator), &p.oscillators.get()->color);
    glDisable(GL_LIGHTING);
    if (drawScreens)
        drawScreenBoxes();
}

} // namespace zb
