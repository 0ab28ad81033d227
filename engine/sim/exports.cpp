// The simulation half of the exported interface: thin functions over the global state.
#include "zbengine.h"

#include "sim/display_averages.h"
#include "sim/engine_state.h"
#include "sim/frame.h"
#include "sim/memory_budget.h"
#include "sim/obstacles.h"

using namespace zb;

extern "C" {

ZBDLL_API void ZBDLL_ResetAll(void) {
    gEngine.exciterEnabled = true;
    gEngine.paused = true;
    gEngine.simTime = 0.0f;
    gEngine.poolExists = false;
    clearProbes(gEngine.probes);
    forgetMovingExciters(gEngine);
    // Discarded for every purpose; the arrays wait for the next pool, which mostly has the
    // same size.
    setArraysAside(gEngine.pool, gEngine.spare);
    restartDisplayAverages(gEngine);
    gEngine.display.nonFinite.clear();
    gEngine.fieldBroken = false;
    gEngine.edgeKind = 0; // asked for the tank that was discarded, not for the next
}

ZBDLL_API int32_t ZBDLL_CreateEmptyPool(int32_t sizeX, int32_t sizeY, double damping,
                                        double coupling, int32_t edgeWidth) {
    EngineState& s = gEngine;
    s.screenCount = 0;
    s.edgeWidth = float(edgeWidth);
    forgetMovingExciters(s);
    takeArraysBack(s.pool, s.spare);
    s.poolExists = buildPool(s.pool, sizeX, sizeY, float(damping), float(coupling), !s.headless);
    cellsChanged(s);
    restartDisplayAverages(s);
    s.display.nonFinite.clear();
    s.fieldBroken = false;
    if (!s.poolExists)
        return 0;
    // The default camera looks straight down from height 8; the caller replaces it before it
    // shows a frame.
    const double w = double(sizeX) * double(s.pool.spacing) / 2;
    const double d = double(sizeY) * double(s.pool.spacing) / 2;
    s.camera.eye = {float(w), 8.0f, float(d)};
    s.camera.target = {float(w), 0.0f, float(d)};
    if (s.draw.setUpPoolDrawing)
        s.draw.setUpPoolDrawing();
    return 0;
}

ZBDLL_API int32_t ZBDLL_CheckPoolSize(int32_t sizeX, int32_t sizeY, uint64_t* neededBytes,
                                      uint64_t* availableBytes) {
    const EngineState& s = gEngine;
    uint64_t available = availableMemoryBytes();
    // The arrays the engine holds (in the pool, or set aside for the next one) are given up
    // before a new pool is allocated.
    uint64_t held = 0;
    if (s.pool.oscillators)
        held = poolBytes(s.pool.sizeX, s.pool.sizeY);
    else if (s.spare.oscillators)
        held = poolBytes(s.spare.sizeX, s.spare.sizeY);
    available = available > UINT64_MAX - held ? UINT64_MAX : available + held;
    const PoolBudget budget = checkPoolBudget(sizeX, sizeY, available);
    if (neededBytes)
        *neededBytes = budget.neededBytes;
    if (availableBytes)
        *availableBytes = budget.availableBytes;
    switch (budget.verdict) {
    case PoolSizeCheck::Ok:
        return 0;
    case PoolSizeCheck::TooSmall:
        return 1;
    case PoolSizeCheck::TooManyCells:
        return 2;
    case PoolSizeCheck::TooLittleMemory:
        return 3;
    }
    return 3;
}

ZBDLL_API void ZBDLL_AddMatChange(int32_t startY, double coupling, double damping) {
    cellsChanged(gEngine);
    if (gEngine.poolExists)
        addMatChange(gEngine.pool, startY, coupling, damping);
}

ZBDLL_API void ZBDLL_AddWall(int32_t centerX, int32_t centerY, int32_t angle, int32_t length,
                             int32_t slitCount, int32_t slitWidth, int32_t barWidth) {
    cellsChanged(gEngine);
    if (gEngine.poolExists)
        addWall(gEngine.pool, centerX, centerY, angle, length, slitCount, slitWidth, barWidth);
}

ZBDLL_API int32_t ZBDLL_AddScreen(int32_t position, bool horizontal) {
    EngineState& s = gEngine;
    if (s.screenCount < kMaxScreens)
        s.screens[s.screenCount++] = {position, horizontal};
    return s.screenCount;
}

ZBDLL_API void ZBDLL_AddExciter(int32_t centerX, int32_t centerY, int32_t width, int32_t length,
                                int32_t angle, double omega, double amplitude, bool sineMode) {
    gEngine.display.timeConstant = 0.0; // taken from the exciters again
    cellsChanged(gEngine);
    if (gEngine.poolExists)
        addExciter(gEngine.pool, centerX, centerY, width, length, angle, omega, amplitude, sineMode,
                   &gEngine.lastExciter);
}

ZBDLL_API void ZBDLL_AddEdges(bool back, bool front, bool left, bool right) {
    cellsChanged(gEngine);
    if (gEngine.poolExists)
        addEdges(gEngine.pool, gEngine.edgeWidth, back, front, left, right);
}

ZBDLL_API uint8_t ZBDLL_NextFrame(void) {
    runFrame(true, false, false, false);
    return 0;
}

ZBDLL_API void ZBDLL_SetPaused(bool paused) {
    gEngine.paused = paused;
}

ZBDLL_API void ZBDLL_SetSimulationSpeed(float speed) {
    gEngine.simSpeed = speed;
    retuneQuietEdges(gEngine.pool, gEngine.quietEdges, speed); // their rates are per time
}

ZBDLL_API void ZBDLL_EnableExciters(bool enabled) {
    gEngine.exciterEnabled = enabled;
}

} // extern "C"
