// The simulation's results as the bytes of the output files. Tables take the form asked for
// (international or German) and the shortest digits that read back as the same float, no more
// than a spreadsheet keeps; a value that is no finite number is an empty cell. Rows and columns
// are counted from 0.
#pragma once

#include "engine_view.h"
#include "model/csv_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zbtool {

// NX·NY elongations as little-endian float64 in node order i + j·NX; empty without a pool.
std::vector<uint8_t> elongationBytes(const ZBTOOLS_PoolView& pool);

// A header of the column numbers X, then NY lines: the row number Y and the NX heights of the
// row. Empty without a pool.
std::string heightsCsv(const ZBTOOLS_PoolView& pool, zb::CsvForm form);

// A header (direction, position, the numbers along the longest screen), then one line per
// screen: orientation, 0-based position, the heights along it.
std::string screensCsv(const EngineView& engine, zb::CsvForm form);

// A header naming each screen and its mean from step averageFrom on, then one line per node
// along the screens: its index and each screen's mean of height², empty where a screen is
// shorter or lies outside the pool.
std::string intensityCsv(const EngineView& engine,
                         const std::vector<std::optional<std::vector<double>>>& averages,
                         int64_t averageFrom, zb::CsvForm form);

} // namespace zbtool
