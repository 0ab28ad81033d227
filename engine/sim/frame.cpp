#include "sim/frame.h"
#include "sim/display_averages.h"
#include "sim/engine_state.h"
#include "sim/moving_exciters.h"
#include "sim/step.h"

namespace zb {

bool litReliefShown() {
    const EngineState& s = gEngine;
    return s.contextExists && !s.headless && !s.view.flatView && !s.view.wireframe;
}

namespace {

// Without a context no view is known yet, and whoever reads the records may expect the normals
// as every step left them; a headless process never wants them.
bool stepNeedsNormals() {
    const EngineState& s = gEngine;
    return !s.headless && (!s.contextExists || litReliefShown());
}

} // namespace

void refreshStaleNormals() {
    EngineState& s = gEngine;
    if (!s.normalsStale || !s.poolExists || !litReliefShown())
        return;
    refreshNormals(s.pool);
    s.normalsStale = false;
}

bool runFrame(bool step, bool draw, bool drawScreens, bool drawProfiles) {
    EngineState& s = gEngine;
    if (!s.poolExists)
        return false;
    if (step && !s.paused) {
        s.simTime = s.simTime + s.simSpeed;
        moveExciters(s); // at the step's time, before the step reads the records
        const bool normals = stepNeedsNormals();
        RowAverages averages;
        const bool averaged = prepareDisplayAverages(s, averages);
        if (stepPool(s.pool, s.simSpeed, s.simTime, s.exciterEnabled, normals,
                     averaged ? &averages : nullptr))
            s.fieldBroken = true;
        s.normalsStale = !normals;
        recordProbes(s.probes, s.pool);
    }
    if (draw && s.draw.drawFrame)
        return s.draw.drawFrame(drawScreens, drawProfiles);
    return false;
}

} // namespace zb
