// The water surface: the pool's records drawn in place as one indexed mesh.
#include "render/bitmap_loader.h"
#include "render/drawing.h"
#include "render/messages.h"
#include "sim/display_colors.h"
#include "sim/engine_state.h"

#include <GL/gl.h>

#include <vector>

namespace zb {

namespace {

// A cell whose height is no finite number has no place in the mesh: a violet square at rest
// height stands in for it, over whatever the broken mesh shows around it.
void drawNonFiniteCells(const Pool& p) {
    const std::vector<uint32_t>& cells = gEngine.display.nonFinite;
    if (cells.empty() || !p.oscillators)
        return;
    const float h = 0.5f * p.spacing;
    glPushAttrib(GL_ENABLE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor3ub(200, 0, 200);
    glBegin(GL_QUADS);
    for (const uint32_t k : cells) {
        if (k >= p.cellCount())
            continue;
        const Vec3f& c = p.oscillators[k].position;
        glVertex3f(c.x - h, 0.0f, c.z - h);
        glVertex3f(c.x + h, 0.0f, c.z - h);
        glVertex3f(c.x + h, 0.0f, c.z + h);
        glVertex3f(c.x - h, 0.0f, c.z + h);
    }
    glEnd();
    glPopAttrib();
}

} // namespace

void reportRefusedIndexList(Pool& p) {
    if (p.indexListsRefused)
        return;
    p.indexListsRefused = true;
    reportMessage("Error", dibErrorMessage(DibError::OutOfMemory));
}

void drawSurface(bool drawScreens) {
    Pool& p = gEngine.pool;
    const DrawingState& v = gEngine.view;
    // A colour mode's own colours stand in for the records' for this draw only.
    const uint32_t* colors = displayColors(gEngine);
    const bool lit = !v.flatView && !v.wireframe;
    const bool wire = !v.flatView && v.wireframe;
    const ReliefMesh relief = lit    ? reliefMesh(colors)
                              : wire ? wireMesh(colors)
                                     : ReliefMesh{nullptr, 0, colors, nullptr};
    if (relief.colors)
        glColorPointer(4, GL_UNSIGNED_BYTE, 0, relief.colors);
    if (relief.vertices) {
        glVertexPointer(3, GL_FLOAT, 6 * sizeof(float), relief.vertices);
        glNormalPointer(GL_FLOAT, 6 * sizeof(float), relief.vertices + 3);
    }
    // Heights drawn higher or lower; GL_NORMALIZE gives the scaled normals unit length again,
    // so the light falls as on a surface of that shape.
    const float scale = gEngine.display.heightScale;
    const bool scaled = !v.flatView && scale != 1.0f;
    if (scaled) {
        glPushMatrix();
        glScalef(1.0f, scale, 1.0f);
        glEnable(GL_NORMALIZE);
    }
    bool flatLines = false;
    // The flat view always shows grid lines, whatever the wire-frame setting, unless its cells
    // are too small for them.
    if (lit) {
        if (relief.count > 0 && relief.indices)
            glDrawElements(GL_TRIANGLES, GLsizei(relief.count), GL_UNSIGNED_INT, relief.indices);
    } else if (wire) {
        if (relief.count > 0 && relief.indices)
            glDrawElements(GL_LINES, GLsizei(relief.count), GL_UNSIGNED_INT, relief.indices);
    } else if (!(v.flatView && drawFlatTexture(colors))) {
        flatLines = true;
        if (neededLineIndices(p)) {
            if (p.lineIndexCount > 0)
                glDrawElements(GL_LINES, GLsizei(p.lineIndexCount), GL_UNSIGNED_INT,
                               p.lineIndices.get());
        } else if (p.oscillators) {
            reportRefusedIndexList(p);
        }
    }
    // Until the view changes, the next frame needs the same lists; a large pool keeps no other.
    releaseUnusedIndexLists(p, relief.indices && relief.indices == p.triangleIndices.get(),
                            flatLines || (relief.indices && relief.indices == p.lineIndices.get()));
    if (scaled) {
        glDisable(GL_NORMALIZE);
        glPopMatrix();
    }
    if (relief.colors)
        glColorPointer(3, GL_FLOAT, sizeof(Oscillator), &p.oscillators.get()->color);
    if (relief.vertices) {
        glVertexPointer(3, GL_FLOAT, sizeof(Oscillator), &p.oscillators.get()->position);
        glNormalPointer(GL_FLOAT, sizeof(Oscillator), &p.oscillators.get()->normal);
    }
    drawNonFiniteCells(p);
    glDisable(GL_LIGHTING);
    if (drawScreens)
        drawScreenBoxes();
}

} // namespace zb
