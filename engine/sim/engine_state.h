// The engine's single global state. The exports are thin functions over it. Everything the
// engine keeps lives here, the drawing's window-system handles included, so that one reset
// (restoreLoadState) covers all of it.
#pragma once

#include "sim/display_state.h"
#include "sim/moving_exciters.h"
#include "sim/pool.h"
#include "sim/probe_store.h"
#include "sim/quiet_edges.h"
#include "sim/step_threads.h"
#include "sim/sweep_buffers.h"

#include <cstdint>
#include <vector>

// Xlib and GLX handles, opaque to the simulation, which includes no X or GL header. The
// drawing checks that these are the types its headers declare (glx_context.cpp).
struct _XDisplay;
struct __GLXFBConfigRec;
struct __GLXcontextRec;

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

// What the drawing keeps to draw large pools with fewer primitives than cells: the flat view as
// one texture of the cells' colours, the relief from every k-th node. Both are made again when
// the records' colours or flags change (cellsGeneration).
// A large pool's relief drawn from every k-th node, for the pool size, stride and generation it
// was made for: the nodes it uses, gathered every frame into vertices of its own, and its
// triangles or lines over those.
struct CoarseMesh {
    std::vector<uint32_t> indices;    // into nodes
    std::vector<uint32_t> nodes;      // records, ascending
    std::vector<uint32_t> colorNodes; // the record each vertex takes its colour from
    int32_t sizeX = 0, sizeY = 0, stride = 0;
    uint64_t generation = 0;
    std::vector<float> vertices;  // position and normal per vertex, this frame
    std::vector<uint32_t> colors; // RGBA bytes per vertex, this frame
};

struct LevelOfDetail {
    uint64_t cellsGeneration = 0;  // counted up by cellsChanged
    uint64_t colorsGeneration = 0; // counted up by cellsChanged and colorsChanged
    // The flat view draws grid lines while a cell is at least this many pixels on screen.
    float flatLinePixels = 1.5f;
    int32_t reliefStride = 0;   // every k-th node in the relief; 0: chosen by the pool's size
    int32_t maxTextureSize = 0; // texels a side; 0: the driver's limit
    // The flat view's texture: GL name (0: none), its size and what it holds.
    uint32_t flatTexture = 0;
    int32_t textureWidth = 0, textureHeight = 0; // allocated texels
    int32_t imageWidth = 0, imageHeight = 0;     // texels holding cells
    bool textureCurrent = false;                 // holds the records' colours of textureGeneration
    uint64_t textureGeneration = 0;
    // Wall and exciter cells, drawn as single pixels over a texture whose cells are under a pixel
    // (a one-cell wall would otherwise fall between the texels sampled), for pointsGeneration.
    std::vector<uint32_t> specialCells;
    uint64_t pointsGeneration = 0;
    bool pointsCurrent = false;
    CoarseMesh relief; // the lit relief's triangles
    CoarseMesh wire;   // the wire frame's lines
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
    LevelOfDetail lod;
    // The window was resized since the last frame. The driver picks up a window's new size only
    // from the frame after the next, so the first frame after a resize is drawn twice.
    bool resized = false;
};

// Hooks of the drawing half; null until a rendering context exists, so that the simulation
// runs without a display.
struct DrawHooks {
    bool (*drawFrame)(bool drawScreens, bool drawProfiles) = nullptr;
    void (*setUpPoolDrawing)() = nullptr;
    void (*release)() = nullptr; // ends the drawing: context, textures, connection
};

using XId = unsigned long; // an X window, colour map or GLX window
using XErrorHandlerAny = void (*)();

// Xlib's default error handler ends the process. While a trap is set, errors of the engine's
// own connection are counted instead; errors of any other connection go to the handler that
// was there before.
struct XErrorTrapState {
    _XDisplay* display = nullptr; // the trapped connection; null while no trap is set
    int errors = 0;
    XErrorHandlerAny previousHandler = nullptr; // an XErrorHandler
};

// The OpenGL context and the windows it draws into.
struct WindowSystemState {
    _XDisplay* display = nullptr; // the engine's own connection
    __GLXFBConfigRec* config = nullptr;
    __GLXcontextRec* context = nullptr;
    bool current = false; // the context is current, on the host or on the parking window
    XId host = 0;         // the window the front end handed over; 0 while detached
    XId child = 0; // the engine's own window inside the host, when the host's visual is unusable
    XId colormap = 0;
    XId drawable = 0;
    // An unmapped window of our own that keeps the context current while no host is attached,
    // so that textures, the pool's arrays and every GL setting live on across a new host.
    XId parking = 0;
    XId parkingColormap = 0;
    XId parkingDrawable = 0;
    XErrorTrapState trap;
};

// Which packed kernels the step uses: the widest the processor has, or one a test asks for.
enum class KernelWidth : uint8_t { Widest, TwoLanes, FourLanes };

using MessageHandler = void (*)(const char* title, const char* text);

struct EngineState {
    // Run state
    bool poolExists = false;    // the pool's arrays are valid
    bool paused = true;         // NextFrame does nothing while set
    bool exciterEnabled = true; // exciter cells are driven
    float simSpeed = 0.00312f;  // time step dt, engine time units; never reset
    float simTime = 0.0f;       // simulated time t driving the exciters
    // A step left a height that is no finite number; cleared when a pool is built. Once broken,
    // a field stays so: the look for such cells (ZBDLL_MarkNonFinite) needs no pass before.
    bool fieldBroken = false;
    // Nothing is ever drawn (the command-line tool): pools get no index lists and steps leave
    // the normals alone (refreshNormals computes them where an output needs them).
    bool headless = false;

    Pool pool;
    SpareArrays spare; // a discarded pool's arrays, for the next pool of the same size
    SweepBuffers sweep;
    KernelWidth kernels = KernelWidth::Widest;

    // Objects that are not written into the grid
    ScreenLine screens[kMaxScreens];
    int32_t screenCount = 0;
    float edgeWidth = 0.0f; // width of damped edges, oscillators
    ProbeStore probes;      // sampled after every step; kept until ResetAll

    Camera camera;
    DrawingState view;
    DisplayState display; // colour modes, height scale and the averages they show
    DrawHooks draw;
    bool contextExists = false; // a rendering context was created and not destroyed
    WindowSystemState windowSystem;
    MessageHandler messageHandler = nullptr; // none: standard error

    // The kind of the next damped edges (ZBDLL_SetEdgeKind): 0 designed, 1 quiet. Adding the
    // edges uses it up, so that a tank which does not ask for quiet edges never gets them.
    int32_t edgeKind = 0;
    QuietEdges quietEdges; // the present pool's quiet band, retuned when dt changes

    // Exciters that move or pulse, written anew before every step (moving_exciters.h), and the
    // exciter added last, which ZBDLL_SetExciterMotion turns into one of them.
    std::vector<MovingExciter> moving;
    LastExciter lastExciter;

    // The step's second thread (step_threads.h): its own row buffers, the threads asked for
    // (0: as many as the machine has, at most 2) and the size below which one thread steps.
    SweepBuffers workerSweep;
    int32_t stepThreads = 0;
    int64_t twoThreadMinCells = kTwoThreadMinCells;
    // Steps left the normals out, as no lit relief was shown; the next lit frame computes them.
    bool normalsStale = false;
};

extern EngineState gEngine;

// The records' colours or flags were written (a build, an addition): the drawing makes its
// copies of them again. Heights are not counted: the step leaves colours and flags alone.
inline void cellsChanged(EngineState& s) {
    ++s.view.lod.cellsGeneration;
    ++s.view.lod.colorsGeneration;
}

// Only a few cells' colours and flags moved (a moving exciter's footprint, every step): the flat
// texture follows, while the coarse meshes keep their blocks, whose colours are read every frame.
inline void colorsChanged(EngineState& s) {
    ++s.view.lod.colorsGeneration;
}

// Ends the drawing and the step's worker thread, if any, releases every array and puts every field
// back to its value at library load. For tests, which share one process-wide engine.
void restoreLoadState();

} // namespace zb
