#include "sim/frame.h"
#include "sim/display_averages.h"
#include "sim/engine_state.h"
#include "sim/moving_exciters.h"
#include "sim/step.h"

namespace zb {

bool runFrame(bool step, bool draw, bool drawScreens, bool drawProfiles) {
    EngineState& s = gEngine;
    if (!s.poolExists)
        return false;
    if (step && !s.paused) {
        s.simTime = s.simTime + s.simSpeed;
        moveExciters(s); // at the step's time, before the step reads the records
        if (stepPool(s.pool, s.simSpeed, s.simTime, s.exciterEnabled, !s.headless))
            s.fieldBroken = true;
        if (s.display.colorMode == 2 || s.screenCount > 0)
            accumulateDisplayAverages(s);
        recordProbes(s.probes, s.pool);
    }
    if (draw && s.draw.drawFrame)
        return s.draw.drawFrame(drawScreens, drawProfiles);
    return false;
}

} // namespace zb
