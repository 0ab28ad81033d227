// The editor's marks over the flat view: outlines and handles of the selected object, drawn by
// the engine because nothing else can draw over its window. They are stored by the exports in
// sim/mark_exports.cpp.
#include "render/drawing.h"
#include "sim/engine_state.h"
#include "zbengine.h"

#include <GL/gl.h>

#include <cmath>

namespace zb {

namespace {

constexpr GLfloat kMarkColour[3] = {1.0f, 0.45f, 0.0f}; // orange: no kind of cell has it

void vertexAt(double i, double j) {
    const Pool& p = gEngine.pool;
    glVertex3f(float(double(p.originX) + double(p.spacing) * i), 0.0f,
               float(double(p.originZ) + double(p.spacing) * j));
}

bool finite(const Mark& m) {
    return std::isfinite(m.i0) && std::isfinite(m.j0) && std::isfinite(m.i1) && std::isfinite(m.j1);
}

} // namespace

void drawMarks() {
    const std::vector<Mark>& marks = gEngine.view.marks;
    if (marks.empty())
        return;
    glLineWidth(2.0f);
    glColor3fv(kMarkColour);
    glBegin(GL_LINES);
    for (const Mark& m : marks) {
        if (!m.handle && finite(m)) {
            vertexAt(m.i0, m.j0);
            vertexAt(m.i1, m.j1);
        }
    }
    glEnd();
    glLineWidth(1.0f);
    // Square points: a black rim, then the orange face.
    const GLfloat sizes[2] = {9.0f, 5.0f};
    for (int pass = 0; pass < 2; ++pass) {
        glPointSize(sizes[pass]);
        if (pass == 0)
            glColor3f(0.0f, 0.0f, 0.0f);
        else
            glColor3fv(kMarkColour);
        glBegin(GL_POINTS);
        for (const Mark& m : marks) {
            if (m.handle && finite(m))
                vertexAt(m.i0, m.j0);
        }
        glEnd();
    }
    glPointSize(2.0f);
}

} // namespace zb
