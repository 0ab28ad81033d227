// Measuring screens: a wire box over each screen's line in the scene, and the panel along the
// bottom of the window that plots each screen's current height profile over two background
// pictures.
#include "render/bitmap_loader.h"
#include "render/drawing.h"
#include "sim/engine_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace zb {

namespace {

// Bytes past a picture's end that gluBuild2DMipmaps may read: one RGB pixel.
constexpr size_t kGluScaleOverread = 3;

constexpr GLfloat kScreenColour[kMaxScreens][3] = {
    {0.6f, 0.2f, 0.2f}, {0.2f, 0.6f, 0.2f}, {0.2f, 0.2f, 0.6f},
    {0.6f, 0.2f, 0.6f}, {0.6f, 0.6f, 0.2f},
};

// The averaged intensity's curve, distinct from every screen's colour.
constexpr GLfloat kIntensityColour[3] = {1.0f, 0.55f, 0.0f};

// The panel spans y -1 to -0.75; its curves run about the middle at the heights' own scale.
constexpr float kPanelHalfHeight = 0.125f;

// Screen k's averaged intensity when it is shown and has count values, else null.
const float* shownIntensity(int k, int64_t count) {
    const DisplayState& d = gEngine.display;
    if (!d.screenIntensity || size_t(k) >= d.screens.size())
        return nullptr;
    const ScreenAverage& a = d.screens[size_t(k)];
    if (a.samples == 0 || a.values.size() != size_t(count))
        return nullptr;
    return a.values.data();
}

// The edges of the unit cube centred on the origin, one closed loop per face.
void drawUnitCubeEdges() {
    struct Corner {
        GLfloat x, y, z;
    };
    const Corner a{-0.5f, -0.5f, -0.5f}, b{-0.5f, -0.5f, 0.5f}, c{-0.5f, 0.5f, 0.5f},
        d{-0.5f, 0.5f, -0.5f}, e{0.5f, -0.5f, -0.5f}, f{0.5f, -0.5f, 0.5f}, g{0.5f, 0.5f, 0.5f},
        h{0.5f, 0.5f, -0.5f};
    const struct {
        Corner normal;
        Corner corners[4];
    } faces[] = {
        {{0, 0, -1}, {h, e, a, d}}, {{0, 0, 1}, {f, g, c, b}}, {{0, -1, 0}, {e, f, b, a}},
        {{1, 0, 0}, {h, g, f, e}},  {{0, 1, 0}, {d, c, g, h}}, {{-1, 0, 0}, {a, b, c, d}},
    };
    for (const auto& face : faces) {
        glNormal3f(face.normal.x, face.normal.y, face.normal.z);
        glBegin(GL_LINE_LOOP);
        for (const Corner& k : face.corners)
            glVertex3f(k.x, k.y, k.z);
        glEnd();
    }
}

// One background picture over a quarter of the panel: from x0 to x0 + 1, y -1 to -0.75.
void drawBackground(uint32_t texture, GLfloat x0) {
    if (texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glBegin(GL_POLYGON);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(x0, -0.75f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x0, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(x0 + 1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(x0 + 1.0f, -0.75f);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}

// A profile through count nodes; a height that is no finite number interrupts the curve.
template <class Point>
void drawProfile(int64_t count, Point point) {
    bool open = false;
    for (int64_t k = 0; k < count; ++k) {
        GLfloat x, y;
        point(k, x, y);
        if (!std::isfinite(y)) {
            if (open)
                glEnd();
            open = false;
            continue;
        }
        if (!open)
            glBegin(GL_LINE_STRIP);
        open = true;
        glVertex2f(x, y);
    }
    if (open)
        glEnd();
}

// The envelope +-sqrt(2 I) of the averaged intensity I along a profile of count nodes: the
// amplitude of a sine wave of that intensity, so that it shares the profile's scale and touches
// its crests and troughs where the waves are steady. Drawn under the profile, which it frames.
// Waves higher than the panel would carry it up into the scene: then it is scaled down as a
// whole until its highest point touches the panel's edge.
template <class Along>
void drawEnvelope(const float* intensity, int64_t count, Along along) {
    float highest = 0.0f;
    for (int64_t k = 0; k < count; ++k)
        if (std::isfinite(intensity[k]))
            highest = std::max(highest, std::sqrt(2.0f * intensity[k]));
    const float scale = highest > kPanelHalfHeight ? kPanelHalfHeight / highest : 1.0f;
    glColor3fv(kIntensityColour);
    glLineWidth(2.0f);
    for (const float sign : {1.0f, -1.0f})
        drawProfile(count, [&](int64_t k, GLfloat& x, GLfloat& y) {
            x = along(k);
            y = sign * scale * std::sqrt(2.0f * intensity[k]);
        });
    glLineWidth(1.0f);
}

} // namespace

void drawScreenBoxes() {
    const Pool& p = gEngine.pool;
    const float s = p.spacing;
    for (int k = 0; k < gEngine.screenCount; ++k) {
        const ScreenLine& line = gEngine.screens[k];
        glPushMatrix();
        glColor3fv(kScreenColour[k]);
        if (line.horizontal) {
            glTranslatef(0.0f, 0.0f, p.originZ);
            glScalef(float(p.sizeX) * s, 0.2f, s);
            glTranslatef(0.0f, 0.0f, float(line.position));
        } else {
            glTranslatef(p.originX, 0.0f, 0.0f);
            glScalef(s, 0.2f, float(p.sizeY) * s);
            glTranslatef(float(line.position), 0.0f, 0.0f);
        }
        drawUnitCubeEdges();
        glPopMatrix();
    }
}

void drawScreenPanel() {
    const Pool& p = gEngine.pool;
    const DrawingState& v = gEngine.view;
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    if (v.translucentScreens) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }

    // The texture environment stays at modulate: the pictures keep their colours and take the
    // alpha, which matters only while blending.
    glColor4f(1.0f, 1.0f, 1.0f, 0.3f);
    drawBackground(v.screenTextures[0], -1.0f);
    drawBackground(v.screenTextures[1], 0.0f);

    const float s = p.spacing;
    glPushMatrix();
    glTranslatef(-1.0f, -0.875f, 0.0f);
    glScalef(1.0f / (float(p.sizeX) * s), 1.0f, 1.0f);
    for (int k = 0; k < gEngine.screenCount; ++k) {
        const ScreenLine& line = gEngine.screens[k];
        if (!line.horizontal || line.position < 1 || line.position > p.sizeY - 1)
            continue;
        if (const float* intensity = shownIntensity(k, p.sizeX))
            drawEnvelope(intensity, p.sizeX,
                         [&](int64_t i) { return p.at(i, line.position).position.x - p.originX; });
        glColor3fv(kScreenColour[k]);
        drawProfile(p.sizeX, [&](int64_t i, GLfloat& x, GLfloat& y) {
            const Vec3f& pos = p.at(i, line.position).position;
            x = pos.x - p.originX;
            y = pos.y;
        });
    }
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0.0f, -0.875f, 0.0f);
    glScalef(1.0f / (float(p.sizeY) * s), 1.0f, 1.0f);
    for (int k = 0; k < gEngine.screenCount; ++k) {
        const ScreenLine& line = gEngine.screens[k];
        if (line.horizontal || line.position < 1 || line.position > p.sizeX - 1)
            continue;
        if (const float* intensity = shownIntensity(k, p.sizeY))
            drawEnvelope(intensity, p.sizeY,
                         [&](int64_t j) { return p.at(line.position, j).position.z - p.originZ; });
        glColor3fv(kScreenColour[k]);
        drawProfile(p.sizeY, [&](int64_t j, GLfloat& x, GLfloat& y) {
            const Vec3f& pos = p.at(line.position, j).position;
            x = pos.z - p.originZ;
            y = pos.y;
        });
    }
    glPopMatrix();
    glDisable(GL_BLEND);
}

uint32_t loadScreenTexture(const std::string& path) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // rows come packed
    const std::unique_ptr<RgbImage> image = loadDibImage(path.c_str());
    if (!image)
        return 0; // the loader has said why; the panel shows a plain polygon instead
    // GLU scales a side that is no power of two (the panel pictures are 512 x 80) with a box
    // filter that reads up to one pixel past the last row; zeros there change no texel.
    image->pixels.resize(image->pixels.size() + kGluScaleOverread, 0);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                      image->pixels.data());
    return name;
}

} // namespace zb
