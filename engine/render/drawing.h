// The drawing half of the engine, inside the library. Everything here needs a current context;
// the exports check for one first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zb {

struct Pool;

// Creates the context on the host window, sets the projection, loads the screen backgrounds
// from below basePath and, if a pool exists already, prepares drawing it.
int32_t createRenderContext(uintptr_t window, int32_t width, int32_t height, const char* basePath);
bool renderContextExists();
void destroyRenderContext();

// Perspective for a viewport of width x height; does nothing for an empty size.
void setProjection(int32_t width, int32_t height);

// Client arrays into the new pool's records, material, light and fixed state.
void setUpPoolDrawing();

// Everything of a frame up to presenting it, into the back buffer.
void composeFrame(bool drawScreens, bool drawProfiles);
// composeFrame, then present; false when no pool exists or presenting failed.
bool drawFrame(bool drawScreens, bool drawProfiles);

void applyCamera();
void drawSurface(bool drawScreens);
// A record's colour as RGBA bytes, rounded to nearest as GL converts the colours it draws; plain
// arithmetic, since every cell of a large pool passes through it after each change.
inline uint32_t rgbaBytes(const float* c) {
    auto byte = [](float v) {
        return uint32_t((v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f) * 255.0f + 0.5f);
    };
    return byte(c[0]) | byte(c[1]) << 8 | byte(c[2]) << 16 | 0xff000000u;
}

// The flat view as one texture of the cells' colours (colors: the colour mode's RGBA bytes, or
// null for the records' colours) where a cell is too small on screen for its grid lines; false
// when the lines are to be drawn.
bool drawFlatTexture(const uint32_t* colors);
void releaseFlatTexture();
// The lit relief: the full mesh over the records, or for a large pool a coarser one over
// vertices of its own (relief_lod.cpp). Vertices: position and normal, six floats, or null for
// the records; colours: RGBA bytes per vertex, or null for the records' colours.
struct ReliefMesh {
    const uint32_t* indices;
    size_t count;
    const uint32_t* colors;
    const float* vertices;
};
ReliefMesh reliefMesh(const uint32_t* displayColors);
ReliefMesh wireMesh(const uint32_t* displayColors); // the wire frame's lines, coarse as the relief
// Tells once per pool that a full index list could not be allocated; the frame draws without it.
void reportRefusedIndexList(Pool& p);
void drawScreenBoxes();
void drawScreenPanel();
// The editor's marks over the flat view.
void drawMarks();
// The probes as markers in their colours, in the flat and the 3-D view.
void drawProbeMarkers();

// Loads one background picture into a new texture; 0 when the picture could not be read.
uint32_t loadScreenTexture(const std::string& path);

} // namespace zb
