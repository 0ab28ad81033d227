// What zbtool reads of the engine after a tank was sent: the pool in place and its screens.
#pragma once

#include "zbengine_tools.h"

#include <vector>

namespace zbtool {

struct EngineView {
    ZBTOOLS_PoolView pool;
    std::vector<ZBTOOLS_Screen> screens; // in the engine's order
};

// The engine as it is now. The pool's values follow the steps; the view holds, screens
// included, until the next tank is sent or the engine is reset.
EngineView engineView();

} // namespace zbtool
