#include "sim/engine_state.h"

namespace zb {

constinit EngineState gEngine{};

void restoreLoadState() {
    const DrawHooks hooks = gEngine.draw;
    gEngine = EngineState{};
    gEngine.draw = hooks;
}

} // namespace zb
