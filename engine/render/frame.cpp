// The rendering context and the frame: projection, the set-up for a new pool, and the fixed
// order of drawing one frame.
#include "sim/frame.h"
#include "render/data_files.h"
#include "render/drawing.h"
#include "render/driver_memory.h"
#include "render/glx_context.h"
#include "sim/engine_state.h"
#include "sim/obstacles.h"
#include "sim/step.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace zb {

namespace {

void releaseScreenTextures() {
    for (uint32_t& name : gEngine.view.screenTextures) {
        if (name != 0 && gEngine.contextExists)
            glDeleteTextures(1, &name);
        name = 0;
    }
}

} // namespace

int32_t createRenderContext(uintptr_t window, int32_t width, int32_t height, const char* basePath) {
    destroyRenderContext();
    const int32_t result = createGlxContext(window, width, height);
    if (result != kContextCreated)
        return result;
    gEngine.contextExists = true;
    gEngine.view.width = width;
    gEngine.view.height = height;
    gEngine.draw.drawFrame = drawFrame;
    gEngine.draw.setUpPoolDrawing = setUpPoolDrawing;
    gEngine.draw.release = destroyRenderContext;
    // A drawn pool needs its index lists and current normals (without lists, no surface).
    if (gEngine.headless) {
        gEngine.headless = false;
        addIndexLists(gEngine.pool);
        refreshNormals(gEngine.pool);
    }
    setProjection(width, height);

    const std::string base = basePath ? basePath : "";
    gEngine.view.screenTextures[0] =
        loadScreenTexture(findDataFile(base, "Data/Textures/SchirmBgHor.bmp"));
    gEngine.view.screenTextures[1] =
        loadScreenTexture(findDataFile(base, "Data/Textures/SchirmBgVert.bmp"));
    if (gEngine.poolExists)
        setUpPoolDrawing();
    return kContextCreated;
}

bool renderContextExists() {
    return gEngine.contextExists;
}

void destroyRenderContext() {
    releaseScreenTextures();
    releaseFlatTexture();
    gEngine.contextExists = false;
    gEngine.draw = DrawHooks{};
    destroyGlxContext();
}

void setProjection(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(width) / double(height), 0.1, 10.0);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_MODELVIEW);
    gEngine.view.width = width;
    gEngine.view.height = height;
}

void setUpPoolDrawing() {
    keepDriverMemoryFor(gEngine.pool);
    const Oscillator* records = gEngine.pool.oscillators.get();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    // The simulation's records themselves: every step updates them in place.
    glVertexPointer(3, GL_FLOAT, sizeof(Oscillator), &records->position);
    glNormalPointer(GL_FLOAT, sizeof(Oscillator), &records->normal);
    glColorPointer(3, GL_FLOAT, sizeof(Oscillator), &records->color);

    glPointSize(2.0f);
    glLineWidth(1.0f);
    glClearColor(0.6f, 0.6f, 0.9f, 0.0f);

    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 99.0f);

    const GLfloat diffuse[] = {0.6f, 0.6f, 0.6f, 1.0f};
    const GLfloat down[] = {0.0f, 1.0f, 0.0f, 0.0f};
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, down);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);

    // The normals point down and both triangles of a square run clockwise seen from above, so
    // the upper side is the back face, lit through two-sided lighting.
    glFrontFace(GL_CCW);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, gEngine.view.wireframe ? GL_LINE : GL_FILL);
    glDisable(GL_LIGHTING);
}

void composeFrame(bool drawScreens, bool drawProfiles) {
    settleMaterial(gEngine.pool); // the colours are drawn from the records in place
    refreshStaleNormals();
    const DrawingState& v = gEngine.view;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setProjection(v.width, v.height); // the panel of the last frame replaced it
    glLoadIdentity();
    applyCamera();

    // Set after the camera, so the light stays fixed in the world, shining straight down.
    const GLfloat down[] = {0.0f, 1.0f, 0.0f, 0.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, down);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);

    if (v.flatView) {
        glScalef(1.0f, 0.0f, 1.0f); // every height drawn as 0
        glDisable(GL_DEPTH_TEST);
    } else {
        glEnable(GL_DEPTH_TEST);
    }
    glRotatef(std::isfinite(v.poolAngle) ? v.poolAngle : 0.0f, 0.0f, 1.0f, 0.0f);
    if (!v.flatView && !v.wireframe)
        glEnable(GL_LIGHTING);

    drawSurface(drawScreens);
    drawProbeMarkers();
    if (v.flatView)
        drawMarks();
    if (drawProfiles)
        drawScreenPanel();
    glFlush();
}

bool drawFrame(bool drawScreens, bool drawProfiles) {
    if (!gEngine.poolExists || !gEngine.contextExists || !glxHostAttached())
        return false;
    composeFrame(drawScreens, drawProfiles);
    return swapGlxBuffers();
}

} // namespace zb
