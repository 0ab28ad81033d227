#include "sim/engine_state.h"

namespace zb {

constinit EngineState gEngine{};

void restoreLoadState() {
    if (gEngine.draw.release)
        gEngine.draw.release();
    stopStepWorker();
    gEngine = EngineState{};
}

} // namespace zb
