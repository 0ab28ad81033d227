#include "field_output.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zbtool {

namespace {

static_assert(std::endian::native == std::endian::little, "elongations are written as held");

const char* const kOutside = "außerhalb des Beckens";

bool hasPool(const zb::EngineState& engine) {
    return engine.poolExists && engine.pool.oscillators;
}

std::string orientation(const zb::ScreenLine& screen) {
    return screen.horizontal ? "waagrecht" : "senkrecht";
}

} // namespace

std::vector<uint8_t> elongationBytes(const zb::EngineState& engine) {
    if (!hasPool(engine))
        return {};
    const zb::Pool& pool = engine.pool;
    std::vector<uint8_t> bytes(pool.cellCount() * sizeof(double));
    for (size_t k = 0; k < pool.cellCount(); ++k)
        std::memcpy(&bytes[k * sizeof(double)], &pool.oscillators[k].elongation, sizeof(double));
    return bytes;
}

std::string heightsCsv(const zb::EngineState& engine, zb::CsvForm form) {
    if (!hasPool(engine))
        return {};
    const zb::Pool& pool = engine.pool;
    zb::CsvTable table(form);
    table.text("Y \\ X");
    for (int32_t i = 0; i < pool.sizeX; ++i)
        table.number(int64_t(i));
    table.endRow();
    for (int32_t j = 0; j < pool.sizeY; ++j) {
        table.number(int64_t(j));
        for (int32_t i = 0; i < pool.sizeX; ++i)
            table.number(pool.at(i, j).position.y);
        table.endRow();
    }
    return table.take();
}

std::string screensCsv(const zb::EngineState& engine, zb::CsvForm form) {
    const std::span<const zb::ScreenLine> screens = engineScreens(engine);
    std::vector<std::optional<std::vector<float>>> heights;
    size_t longest = 0;
    for (const zb::ScreenLine& screen : screens) {
        heights.push_back(screenHeights(engine, screen));
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

std::string intensityCsv(const zb::EngineState& engine,
                         const std::vector<std::optional<std::vector<double>>>& averages,
                         int64_t averageFrom, zb::CsvForm form) {
    const std::span<const zb::ScreenLine> screens = engineScreens(engine);
    zb::CsvTable table(form);
    table.text("Schwinger entlang des Schirms");
    size_t rows = 0;
    for (size_t k = 0; k < screens.size(); ++k) {
        const zb::ScreenLine& screen = screens[k];
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
