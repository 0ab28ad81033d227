// The engine calls the front end makes. The default forwards each to the engine's export of the
// same name; tests put a recorder in its place.
#pragma once

#include <cstdint>

namespace zb {

class EngineCalls {
  public:
    virtual ~EngineCalls() = default;
    virtual void resetAll();
    virtual void createEmptyPool(int32_t sizeX, int32_t sizeY, double damping, double coupling,
                                 int32_t edgeWidth);
    virtual void addMatChange(int32_t startY, double coupling, double damping);
    virtual void addWall(int32_t centerX, int32_t centerY, int32_t angle, int32_t length,
                         int32_t slitCount, int32_t slitWidth, int32_t barWidth);
    virtual void addScreen(int32_t position, bool horizontal);
    virtual void addExciter(int32_t centerX, int32_t centerY, int32_t width, int32_t length,
                            int32_t angle, double omega, double amplitude, bool sineMode);
    virtual void addEdges(bool back, bool front, bool left, bool right);
    // The extended objects; see zbengine.h for units and order.
    virtual void setExciterMotion(double vx, double vy, int32_t pulsePeriods);
    virtual void triggerPulse();
    virtual void addMedium(int32_t shape, double centerX, double centerY, double width,
                           double height, double angle, double coupling, double damping);
    virtual void addArcWall(double centerX, double centerY, double radius, double startAngle,
                            double endAngle, int32_t thickness, int32_t slitCount,
                            int32_t slitWidth, int32_t barWidth);
    virtual void addParabolaWall(double focusX, double focusY, double focalLength, double angle,
                                 double width, int32_t thickness, int32_t slitCount,
                                 int32_t slitWidth, int32_t barWidth);
    virtual void setEdgeKind(int32_t kind);
    // Whether a pool of this size can be built now: 0 yes, 1 too small, 2 too many oscillators,
    // 3 not enough memory; with what it needs and what a pool may take now, in bytes.
    virtual int32_t checkPoolSize(int32_t sizeX, int32_t sizeY, uint64_t* needed,
                                  uint64_t* available);
    virtual void setCamera(double eyeX, double eyeY, double eyeZ, double targetY, double targetZ);

    // Running and drawing, used by the windows.
    virtual void nextFrame();
    virtual void setPaused(bool paused);
    virtual void setSimulationSpeed(float speed);
    virtual void enableExciters(bool enabled);
    virtual int32_t createFromHwnd(uintptr_t window, int32_t width, int32_t height,
                                   const char* basePath);
    // The view panel's native window was destroyed (0) or created anew.
    virtual int32_t setWindow(uintptr_t window, int32_t width, int32_t height);
    virtual void reshape(int32_t width, int32_t height);
    virtual void set3dMode(bool enabled);
    virtual void repaintScene(bool drawScreens, bool drawScreenPanel);
    // The picture as repaintScene draws it, rows from the top, 3 bytes a pixel; 0 on success.
    virtual int32_t readFrame(bool drawScreens, bool drawScreenPanel, uint8_t* rgb,
                              int64_t capacity, int32_t* width, int32_t* height);
    virtual void setPoolAngle(double angle);
    virtual void setViewParameters(bool translucentScreens, bool wireframe);
    // The editor's marks over the flat view, in oscillators.
    virtual void clearMarks();
    virtual void addMarkLine(double i0, double j0, double i1, double j1);
    virtual void addMarkHandle(double i, double j);

    // The display beyond the designed colours: 0 designed, 1 elevation, 2 intensity.
    virtual void setColorMode(int32_t mode);
    virtual void setHeightScale(float scale);
    virtual void setScreenIntensity(bool shown);
    // The averaged intensity along a screen; the number of values it has, -1 for no such screen.
    virtual int32_t readScreenIntensity(int32_t screen, float* values, int32_t capacity);
    virtual double simulationTime();
    // How many cells have a height that is no finite number; the engine draws them in violet.
    virtual int32_t markNonFinite();

    // Probes, sent with the tank; readProbes drains the samples of the steps since the last call.
    virtual void addProbe(int32_t x, int32_t y, uint32_t rgb);
    virtual int32_t readProbes(float* values, int32_t capacity);

    // Where the engine's messages go (nullptr: standard error).
    using MessageHandler = void (*)(const char* title, const char* text);
    virtual void setMessageHandler(MessageHandler handler);
};

// The engine itself.
EngineCalls& theEngine();

} // namespace zb
