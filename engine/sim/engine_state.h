// The engine's single global state. The exports are thin functions over it.
#pragma once

#include "sim/pool.h"

#include <cstdint>
#include <vector>

namespace zb {

constexpr int kMaxScreens = 5;

struct ScreenLine {
    int32_t position = 0; // 0-based row (horizontal) or column (vertical); not checked
    bool horizontal = false;
};

struct Camera {
    Vec3f eye{0.0f, 0.0f, 0.0f};    // world units; y is up
    Vec3f target{0.0f, 0.0f, 1.0f}; // always shares the eye's x
};

// The members' initial values are those at library load.

// A mark the editor lays over the flat view: a line from (i0, j0) to (i1, j1), or a handle at
// (i0, j0); positions in oscillators, fractions allowed.
struct Mark {
    bool handle = false;
    double i0 = 0, j0 = 0, i1 = 0, j1 = 0;
};

// Drawing state that needs no GL. The screen textures are GL texture names, 0 when absent.
struct DrawingState {
    bool flatView = true;            // the editor's flat top view instead of the 3-D relief
    bool wireframe = true;           // grid lines instead of lit triangles in the 3-D view
    bool translucentScreens = false; // screen panel backgrounds blended over the scene
    float poolAngle = 0.0f;          // degrees about the vertical axis
    int32_t width = 0;               // viewport, pixels
    int32_t height = 0;
    uint32_t screenTextures[2] = {0, 0};        // horizontal, vertical screen background
    Vec3f lastViewDirection{0.0f, -1.0f, 0.0f}; // used while eye and target coincide
    std::vector<Mark> marks;                    // drawn over the flat view only
};

// Hooks of the drawing half; null until a rendering context exists, so that the simulation
// runs without a display.
struct DrawHooks {
    bool (*drawFrame)(bool drawScreens, bool drawProfiles) = nullptr;
    void (*setUpPoolDrawing)() = nullptr;
};

struct EngineState {
    // Run state
    bool poolExists = false;    // the pool's arrays are valid
    bool paused = true;         // NextFrame does nothing while set
    bool exciterEnabled = true; // exciter cells are driven
    float simSpeed = 0.00312f;  // time step dt, engine time units; never reset
    float simTime = 0.0f;       // simulated time t driving the exciters

    Pool pool;

    // Objects that are not written into the grid
    ScreenLine screens[kMaxScreens];
    int32_t screenCount = 0;
    float edgeWidth = 0.0f; // width of damped edges, oscillators

    Camera camera;
    DrawingState view;
    DrawHooks draw;
};

extern EngineState gEngine;

// Puts every field back to its value at library load and releases the pool. For tests, which
// share one process-wide engine.
void restoreLoadState();

} // namespace zb
