// Whether the engine can hold a tank of a size now, and if not, why, in the user's words.
#pragma once

#include "model/engine_calls.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace zb::ui {

// Empty when a pool of x × y oscillators can be built; otherwise a German explanation that
// names what the size needs and what is free.
std::optional<QString> poolSizeProblem(EngineCalls& engine, int32_t x, int32_t y);

} // namespace zb::ui
