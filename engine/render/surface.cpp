// The water surface: the pool's records drawn in place as one indexed mesh.
#include "render/drawing.h"
#include "sim/engine_state.h"

#include <GL/gl.h>

namespace zb {

void drawSurface(bool drawScreens) {
    const Pool& p = gEngine.pool;
    const DrawingState& v = gEngine.view;
    // The flat view always shows grid lines, whatever the wire-frame setting.
    if (!v.flatView && !v.wireframe) {
        if (p.triangleIndexCount > 0)
            glDrawElements(GL_TRIANGLES, GLsizei(p.triangleIndexCount), GL_UNSIGNED_INT,
                           p.triangleIndices.get());
    } else if (p.lineIndexCount > 0) {
        glDrawElements(GL_LINES, GLsizei(p.lineIndexCount), GL_UNSIGNED_INT, p.lineIndices.get());
    }
    glDisable(GL_LIGHTING);
    if (drawScreens)
        drawScreenBoxes();
}

} // namespace zb
