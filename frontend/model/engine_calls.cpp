#include "model/engine_calls.h"

#include "zbengine.h"

namespace zb {

void EngineCalls::resetAll() {
    ZBDLL_ResetAll();
}

void EngineCalls::createEmptyPool(int32_t sizeX, int32_t sizeY, double damping, double coupling,
                                  int32_t edgeWidth) {
    ZBDLL_CreateEmptyPool(sizeX, sizeY, damping, coupling, edgeWidth);
}

void EngineCalls::addMatChange(int32_t startY, double coupling, double damping) {
    ZBDLL_AddMatChange(startY, coupling, damping);
}

void EngineCalls::addWall(int32_t centerX, int32_t centerY, int32_t angle, int32_t length,
                          int32_t slitCount, int32_t slitWidth, int32_t barWidth) {
    ZBDLL_AddWall(centerX, centerY, angle, length, slitCount, slitWidth, barWidth);
}

void EngineCalls::addScreen(int32_t position, bool horizontal) {
    ZBDLL_AddScreen(position, horizontal);
}

void EngineCalls::addExciter(int32_t centerX, int32_t centerY, int32_t width, int32_t length,
                             int32_t angle, double omega, double amplitude, bool sineMode) {
    ZBDLL_AddExciter(centerX, centerY, width, length, angle, omega, amplitude, sineMode);
}

void EngineCalls::addEdges(bool back, bool front, bool left, bool right) {
    ZBDLL_AddEdges(back, front, left, right);
}

void EngineCalls::setExciterMotion(double vx, double vy, int32_t pulsePeriods) {
    ZBDLL_SetExciterMotion(vx, vy, pulsePeriods);
}

void EngineCalls::triggerPulse() {
    ZBDLL_TriggerPulse();
}

void EngineCalls::addMedium(int32_t shape, double centerX, double centerY, double width,
                            double height, double angle, double coupling, double damping) {
    ZBDLL_AddMedium(shape, centerX, centerY, width, height, angle, coupling, damping);
}

void EngineCalls::addArcWall(double centerX, double centerY, double radius, double startAngle,
                             double endAngle, int32_t thickness, int32_t slitCount,
                             int32_t slitWidth, int32_t barWidth) {
    ZBDLL_AddArcWall(centerX, centerY, radius, startAngle, endAngle, thickness, slitCount,
                     slitWidth, barWidth);
}

void EngineCalls::addParabolaWall(double focusX, double focusY, double focalLength, double angle,
                                  double width, int32_t thickness, int32_t slitCount,
                                  int32_t slitWidth, int32_t barWidth) {
    ZBDLL_AddParabolaWall(focusX, focusY, focalLength, angle, width, thickness, slitCount,
                          slitWidth, barWidth);
}

void EngineCalls::setEdgeKind(int32_t kind) {
    ZBDLL_SetEdgeKind(kind);
}

int32_t EngineCalls::checkPoolSize(int32_t sizeX, int32_t sizeY, uint64_t* needed,
                                   uint64_t* available) {
    return ZBDLL_CheckPoolSize(sizeX, sizeY, needed, available);
}

void EngineCalls::setCamera(double eyeX, double eyeY, double eyeZ, double targetY, double targetZ) {
    ZBDLL_SetCamera(eyeX, eyeY, eyeZ, targetY, targetZ);
}

void EngineCalls::nextFrame() {
    ZBDLL_NextFrame();
}

void EngineCalls::setPaused(bool paused) {
    ZBDLL_SetPaused(paused);
}

void EngineCalls::setSimulationSpeed(float speed) {
    ZBDLL_SetSimulationSpeed(speed);
}

void EngineCalls::enableExciters(bool enabled) {
    ZBDLL_EnableExciters(enabled);
}

int32_t EngineCalls::createFromHwnd(uintptr_t window, int32_t width, int32_t height,
                                    const char* basePath) {
    return ZBDLL_CreateFromHwnd(window, width, height, basePath);
}

int32_t EngineCalls::setWindow(uintptr_t window, int32_t width, int32_t height) {
    return ZBDLL_SetWindow(window, width, height);
}

void EngineCalls::reshape(int32_t width, int32_t height) {
    ZBDLL_Reshape(width, height);
}

void EngineCalls::set3dMode(bool enabled) {
    ZBDLL_Set3dMode(enabled);
}

void EngineCalls::repaintScene(bool drawScreens, bool drawScreenPanel) {
    ZBDLL_RepaintScene(drawScreens, drawScreenPanel);
}

int32_t EngineCalls::readFrame(bool drawScreens, bool drawScreenPanel, uint8_t* rgb,
                               int64_t capacity, int32_t* width, int32_t* height) {
    return ZBDLL_ReadFrame(drawScreens, drawScreenPanel, rgb, capacity, width, height);
}

void EngineCalls::setPoolAngle(double angle) {
    ZBDLL_SetPoolAngle(angle);
}

void EngineCalls::setViewParameters(bool translucentScreens, bool wireframe) {
    ZBDLL_SetViewParameters(translucentScreens, wireframe);
}

void EngineCalls::setMessageHandler(MessageHandler handler) {
    ZBDLL_SetMessageHandler(handler);
}

EngineCalls& theEngine() {
    static EngineCalls engine;
    return engine;
}

void EngineCalls::clearMarks() {
    ZBDLL_ClearMarks();
}

void EngineCalls::addMarkLine(double i0, double j0, double i1, double j1) {
    ZBDLL_AddMarkLine(i0, j0, i1, j1);
}

void EngineCalls::addMarkHandle(double i, double j) {
    ZBDLL_AddMarkHandle(i, j);
}

void EngineCalls::setColorMode(int32_t mode) {
    ZBDLL_SetColorMode(mode);
}

void EngineCalls::setHeightScale(float scale) {
    ZBDLL_SetHeightScale(scale);
}

void EngineCalls::setScreenIntensity(bool shown) {
    ZBDLL_SetScreenIntensity(shown);
}

int32_t EngineCalls::readScreenIntensity(int32_t screen, float* values, int32_t capacity) {
    return ZBDLL_ReadScreenIntensity(screen, values, capacity);
}

double EngineCalls::simulationTime() {
    return ZBDLL_GetSimulationTime();
}

int32_t EngineCalls::markNonFinite() {
    return ZBDLL_MarkNonFinite();
}

void EngineCalls::addProbe(int32_t x, int32_t y, uint32_t rgb) {
    ZBDLL_AddProbe(x, y, rgb);
}

int32_t EngineCalls::readProbes(float* values, int32_t capacity) {
    return ZBDLL_ReadProbes(values, capacity);
}

} // namespace zb
