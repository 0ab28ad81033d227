// The flat view of a pool whose cells are smaller than its grid lines: the cells' colours as one
// texture on a quad, one texel a cell, instead of a line along every cell edge. Below one and a
// half pixels a cell, lines cover nearly every pixel (all but a ninth at 1.5) and the picture
// is the cells' colours already; above it the gaps between the lines are part of the designed
// look, and every designed tank keeps it at every zoom of the default window (300 cells a side
// are 1.9 pixels at the farthest zoom, 2.2 at the first).
#include "render/drawing.h"
#include "sim/engine_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace zb {

namespace {

// Pixels a cell takes on screen at the pool's centre, with the surface's matrices; infinite
// when that cannot be told (the lines are drawn then).
double cellPixels(const Pool& p) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double s = p.spacing;
    const double cx = p.originX + s * 0.5 * (p.sizeX - 1);
    const double cz = p.originZ + s * 0.5 * (p.sizeY - 1);
    GLdouble x0, y0, z0, x1, y1, z1, x2, y2, z2;
    if (!gluProject(cx, 0, cz, model, projection, viewport, &x0, &y0, &z0) ||
        !gluProject(cx + s, 0, cz, model, projection, viewport, &x1, &y1, &z1) ||
        !gluProject(cx, 0, cz + s, model, projection, viewport, &x2, &y2, &z2))
        return HUGE_VAL;
    const double d = std::min(std::hypot(x1 - x0, y1 - y0), std::hypot(x2 - x0, y2 - y0));
    return std::isfinite(d) ? d : HUGE_VAL;
}

bool nonPowerOfTwoTextures() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return (version && version[0] >= '2' && version[0] <= '9') ||
           (extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two"));
}

int32_t powerOfTwoAtLeast(int32_t n) {
    int32_t k = 1;
    while (k < n)
        k *= 2;
    return k;
}

// The texture for the pool's size: one texel a cell, or, beyond what the driver takes, every
// cell nearest to a texel's centre. False when GL refuses it.
bool allocateTexture(LevelOfDetail& lod, const Pool& p) {
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    if (lod.maxTextureSize > 0)
        limit = std::min<GLint>(limit, lod.maxTextureSize);
    if (limit <= 0)
        return false;
    const int32_t w = std::min<int32_t>(p.sizeX, limit);
    const int32_t h = std::min<int32_t>(p.sizeY, limit);
    if (lod.flatTexture != 0 && w == lod.imageWidth && h == lod.imageHeight)
        return true;
    const bool anySize = nonPowerOfTwoTextures();
    const int32_t tw = anySize ? w : std::min<int32_t>(powerOfTwoAtLeast(w), limit);
    const int32_t th = anySize ? h : std::min<int32_t>(powerOfTwoAtLeast(h), limit);
    if (lod.flatTexture == 0)
        glGenTextures(1, &lod.flatTexture);
    glBindTexture(GL_TEXTURE_2D, lod.flatTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    while (glGetError() != GL_NO_ERROR) {
    }
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    if (glGetError() != GL_NO_ERROR) {
        releaseFlatTexture();
        return false;
    }
    lod.textureWidth = tw;
    lod.textureHeight = th;
    lod.imageWidth = w;
    lod.imageHeight = h;
    lod.textureCurrent = false;
    return true;
}

// The cells' colours into the texture: the colour mode's RGBA bytes, or the records' colours.
void uploadColors(const LevelOfDetail& lod, const Pool& p, const uint32_t* colors) {
    const int32_t w = lod.imageWidth, h = lod.imageHeight;
    const bool whole = w == p.sizeX && h == p.sizeY;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (colors && whole) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, colors);
        return;
    }
    std::vector<uint32_t> texels(size_t(w) * size_t(h));
    if (whole) {
        for (size_t k = 0; k < texels.size(); ++k)
            texels[k] = rgbaBytes(p.oscillators[k].color);
    } else {
        std::vector<size_t> columns(static_cast<size_t>(w));
        for (int32_t c = 0; c < w; ++c)
            columns[size_t(c)] = size_t((int64_t(2 * c + 1) * p.sizeX) / (2 * int64_t(w)));
        uint32_t* out = texels.data();
        for (int32_t r = 0; r < h; ++r) {
            const int64_t j = (int64_t(2 * r + 1) * p.sizeY) / (2 * int64_t(h));
            const size_t row = size_t(j) * size_t(p.sizeX);
            for (int32_t c = 0; c < w; ++c)
                *out++ = colors ? colors[row + columns[size_t(c)]]
                                : rgbaBytes(p.oscillators[row + columns[size_t(c)]].color);
        }
    }
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
}

// Cells under a pixel are sampled, not averaged: walls and exciters, which the picture must show
// however thin, are drawn once more as single pixels over the texture.
void drawSpecialCells(LevelOfDetail& lod, const Pool& p, const uint32_t* colors) {
    if (!lod.pointsCurrent || lod.pointsGeneration != lod.colorsGeneration) {
        lod.specialCells.clear();
        const size_t n = p.cellCount();
        for (size_t k = 0; k < n; ++k) {
            const Oscillator& o = p.oscillators[k];
            if (isWallCell(o) || o.exciter)
                lod.specialCells.push_back(uint32_t(k));
        }
        lod.pointsGeneration = lod.colorsGeneration;
        lod.pointsCurrent = true;
    }
    if (lod.specialCells.empty())
        return;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glPointSize(1.0f);
    glBegin(GL_POINTS);
    for (const uint32_t k : lod.specialCells) {
        const Oscillator& o = p.oscillators[k];
        if (colors)
            glColor4ubv(reinterpret_cast<const GLubyte*>(&colors[k]));
        else
            glColor3fv(o.color);
        glVertex3f(o.position.x, 0.0f, o.position.z);
    }
    glEnd();
}

} // namespace

bool drawFlatTexture(const uint32_t* colors) {
    const Pool& p = gEngine.pool;
    LevelOfDetail& lod = gEngine.view.lod;
    if (!p.oscillators || p.sizeX <= 0 || p.sizeY <= 0)
        return false;
    const double pixels = cellPixels(p);
    if (!(pixels < double(lod.flatLinePixels)))
        return false;

    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_POLYGON_BIT | GL_CURRENT_BIT | GL_POINT_BIT);
    if (!allocateTexture(lod, p)) {
        glPopAttrib();
        return false;
    }
    glBindTexture(GL_TEXTURE_2D, lod.flatTexture);
    // The colour modes colour every frame anew; the records' colours change only with the cells.
    if (colors || !lod.textureCurrent || lod.textureGeneration != lod.colorsGeneration) {
        uploadColors(lod, p, colors);
        lod.textureCurrent = !colors;
        lod.textureGeneration = lod.colorsGeneration;
    }

    // Texel centres on the nodes; at least a pixel and a half wide, so that a pool of one row
    // does not fall between the pixels.
    const double s = p.spacing;
    const double minimum = 1.5 * s / pixels;
    const double cx = p.originX + s * 0.5 * (p.sizeX - 1);
    const double cz = p.originZ + s * 0.5 * (p.sizeY - 1);
    const double hx = std::max(0.5 * s * p.sizeX, 0.5 * minimum);
    const double hz = std::max(0.5 * s * p.sizeY, 0.5 * minimum);
    const float u = float(lod.imageWidth) / float(lod.textureWidth);
    const float v = float(lod.imageHeight) / float(lod.textureHeight);

    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3d(cx - hx, 0.0, cz - hz);
    glTexCoord2f(u, 0.0f);
    glVertex3d(cx + hx, 0.0, cz - hz);
    glTexCoord2f(u, v);
    glVertex3d(cx + hx, 0.0, cz + hz);
    glTexCoord2f(0.0f, v);
    glVertex3d(cx - hx, 0.0, cz + hz);
    glEnd();
    if (pixels < 1.0)
        drawSpecialCells(lod, p, colors);
    glPopAttrib();
    return true;
}

void releaseFlatTexture() {
    LevelOfDetail& lod = gEngine.view.lod;
    if (lod.flatTexture != 0 && gEngine.contextExists)
        glDeleteTextures(1, &lod.flatTexture);
    lod.flatTexture = 0;
    lod.textureWidth = lod.textureHeight = lod.imageWidth = lod.imageHeight = 0;
    lod.textureCurrent = false;
    lod.pointsCurrent = false;
}

} // namespace zb
