#include "field_output.h"
#include "screens.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zbtool {

namespace {

static_assert(std::endian::native == std::endian::little, "elongations are written as held");

const char* const kOutside = "außerhalb des Beckens";

std::string orientation(const ZBTOOLS_Screen& screen) {
    return screen.horizontal ? "waagrecht" : "senkrecht";
}

} // namespace

std::vector<uint8_t> elongationBytes(const ZBTOOLS_PoolView& pool) {
    if (!pool.exists)
        return {};
    const size_t count = size_t(pool.sizeX) * size_t(pool.sizeY);
    std::vector<uint8_t> bytes(count * sizeof(double));
    for (size_t k = 0; k < count; ++k) {
        const double v = ZBTOOLS_Elongation(&pool, k);
        std::memcpy(&bytes[k * sizeof(double)], &v, sizeof(double));
    }
    return bytes;
}

std::string heightsCsv(const ZBTOOLS_PoolView& pool, zb::CsvForm form) {
    if (!pool.exists)
        return {};
    zb::CsvTable table(form);
    table.text("Y \\ X");
    for (int32_t i = 0; i < pool.sizeX; ++i)
        table.number(int64_t(i));
    table.endRow();
    for (int32_t j = 0; j < pool.sizeY; ++j) {
        table.number(int64_t(j));
        for (int32_t i = 0; i < pool.sizeX; ++i)
            table.number(ZBTOOLS_Height(&pool, size_t(i) + size_t(j) * size_t(pool.sizeX)));
        table.endRow();
    }
    return table.take();
}

std::string screensCsv(const EngineView& engine, zb::CsvForm form) {
    const std::vector<ZBTOOLS_Screen>& screens = engine.screens;
    std::vector<std::optional<std::vector<float>>> heights;
    size_t longest = 0;
    for (const ZBTOOLS_Screen& screen : screens) {
        heights.push_back(screenHeights(engine.pool, screen));
        if (heights.back())
            longest = std::max(longest, heights.back()->size());
    }
    zb::CsvTable table(form);
    table.text("Richtung");
    table.text("Position");
    for (size_t k = 0; k < longest; ++k)
        table.number(int64_t(k));
    table.endRow();
    for (size_t s = 0; s < screens.size(); ++s) {
        table.text(orientation(screens[s]));
        table.number(int64_t(screens[s].position) + 1); // the editor's Position, from 1
        if (heights[s]) {
            for (float h : *heights[s])
                table.number(h);
        } else {
            table.text(kOutside);
        }
        table.endRow();
    }
    return table.take();
}

std::string intensityCsv(const EngineView& engine,
                         const std::vector<std::optional<std::vector<double>>>& averages,
                         int64_t averageFrom, zb::CsvForm form) {
    const std::vector<ZBTOOLS_Screen>& screens = engine.screens;
    zb::CsvTable table(form);
    table.text("Schwinger entlang des Schirms");
    size_t rows = 0;
    for (size_t k = 0; k < screens.size(); ++k) {
        const ZBTOOLS_Screen& screen = screens[k];
        // Named by the editor's Position field (counted from 1), as the program's table does.
        std::string name = "Schirm " + std::to_string(k + 1) + " (" + orientation(screen) +
                           ", Position " + std::to_string(int64_t(screen.position) + 1);
        if (k < averages.size() && averages[k])
            rows = std::max(rows, averages[k]->size());
        else
            name += std::string(", ") + kOutside;
        name += "): Höhe², Mittelwert ab Schritt " + std::to_string(averageFrom);
        table.text(name);
    }
    table.endRow();
    for (size_t r = 0; r < rows; ++r) {
        table.number(int64_t(r));
        for (size_t k = 0; k < screens.size(); ++k) {
            if (k < averages.size() && averages[k] && r < averages[k]->size())
                table.number(float((*averages[k])[r])); // digits a spreadsheet keeps
            else
                table.empty();
        }
        table.endRow();
    }
    return table.take();
}

} // namespace zbtool
