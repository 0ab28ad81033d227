#include "engine_view.h"

namespace zbtool {

EngineView engineView() {
    EngineView view{ZBTOOLS_GetPool(), std::vector<ZBTOOLS_Screen>(ZBTOOLS_MAX_SCREENS)};
    view.screens.resize(size_t(ZBTOOLS_GetScreens(view.screens.data(), ZBTOOLS_MAX_SCREENS)));
    return view;
}

} // namespace zbtool
