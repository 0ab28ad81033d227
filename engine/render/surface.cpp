// The water surface: the pool's records drawn in place as one indexed mesh.
#include "render/bitmap_loader.h"
#include "render/drawing.h"
#include "render/messages.h"
#include "sim/display_colors.h"
#include "sim/engine_state.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
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

// The nodes whose grid lines can reach the viewport in the flat view: the corners of the
// viewport taken back onto the plane of the pool (the projection of a plane is invertible), with
// a node to spare on every side. The whole grid when a corner shows no point of the plane.
NodeBlock nodesInView(const Pool& p) {
    const NodeBlock whole{0, p.sizeX - 1, 0, p.sizeY - 1};
    GLdouble model[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    double m[16]; // projection x model, column-major
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += projection[k * 4 + r] * model[c * 4 + k];
            m[c * 4 + r] = sum;
        }
    // Clip x, y, w of the point (x, 0, z): h * (x, z, 1).
    const double h[3][3] = {{m[0], m[8], m[12]}, {m[1], m[9], m[13]}, {m[3], m[11], m[15]}};
    const double det = h[0][0] * (h[1][1] * h[2][2] - h[1][2] * h[2][1]) -
                       h[0][1] * (h[1][0] * h[2][2] - h[1][2] * h[2][0]) +
                       h[0][2] * (h[1][0] * h[2][1] - h[1][1] * h[2][0]);
    if (!std::isfinite(det) || det == 0.0)
        return whole;
    double inv[3][3];
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            // Cofactor of (c, r), divided by the determinant.
            const int r0 = (c + 1) % 3, r1 = (c + 2) % 3, c0 = (r + 1) % 3, c1 = (r + 2) % 3;
            inv[r][c] = (h[r0][c0] * h[r1][c1] - h[r0][c1] * h[r1][c0]) / det;
        }
    double iMin = HUGE_VAL, iMax = -HUGE_VAL, jMin = HUGE_VAL, jMax = -HUGE_VAL;
    for (const double u : {-1.0, 1.0})
        for (const double v : {-1.0, 1.0}) {
            const double q[3] = {inv[0][0] * u + inv[0][1] * v + inv[0][2],
                                 inv[1][0] * u + inv[1][1] * v + inv[1][2],
                                 inv[2][0] * u + inv[2][1] * v + inv[2][2]};
            if (!(q[2] > 0.0)) // beyond the horizon
                return whole;
            const double i = (q[0] / q[2] - p.originX) / p.spacing;
            const double j = (q[1] / q[2] - p.originZ) / p.spacing;
            if (!std::isfinite(i) || !std::isfinite(j))
                return whole;
            iMin = std::min(iMin, i);
            iMax = std::max(iMax, i);
            jMin = std::min(jMin, j);
            jMax = std::max(jMax, j);
        }
    auto node = [](double x, int32_t last) {
        return int32_t(std::clamp(x, -1.0, double(last) + 1.0));
    };
    return NodeBlock{
        node(std::floor(iMin) - 2, p.sizeX - 1), node(std::ceil(iMax) + 2, p.sizeX - 1),
        node(std::floor(jMin) - 2, p.sizeY - 1), node(std::ceil(jMax) + 2, p.sizeY - 1)};
}

// A software driver keeps every primitive of a frame, sorted into the screen's tiles, until the
// frame is rasterized: about 200 bytes a line, 55 MiB for the grid of a 1000 x 1000 pool zoomed
// in. Flushed in parts, it rasterizes each part and reuses that memory for the next; the lines
// and their order, and so the picture, stay the same. (The relief's meshes are small enough not
// to gain from it.)
constexpr size_t kIndicesPerDraw = size_t(1) << 14;

void drawLinesInParts(size_t count, const uint32_t* indices) {
    for (size_t first = 0; first < count; first += kIndicesPerDraw) {
        if (first > 0)
            glFlush();
        glDrawElements(GL_LINES, GLsizei(std::min(kIndicesPerDraw, count - first)), GL_UNSIGNED_INT,
                       indices + first);
    }
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
        if (neededLineIndices(p, nodesInView(p))) {
            drawLinesInParts(p.lineIndexCount, p.lineIndices.get());
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
