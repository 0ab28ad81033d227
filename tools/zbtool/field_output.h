// The simulation's results as the bytes of the output files. Comma-separated values use a
// decimal point and the shortest digits that read back as the same number.
#pragma once

#include "screens.h"
#include "sim/engine_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zbtool {

// NX·NY elongations as little-endian float64 in node order i + j·NX; empty without a pool.
std::vector<uint8_t> elongationBytes(const zb::EngineState& engine);

// NY lines of NX heights; empty without a pool.
std::string heightsCsv(const zb::EngineState& engine);

// One line per screen: orientation, 0-based position, the heights along it.
std::string screensCsv(const zb::EngineState& engine);

// A header, then one line per node along the screens: its index and each screen's mean of
// height², empty where a screen is shorter or lies outside the pool.
std::string intensityCsv(const zb::EngineState& engine,
                         const std::vector<std::optional<std::vector<double>>>& averages);

} // namespace zbtool
