#include "field_output.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

namespace zbtool {

namespace {

static_assert(std::endian::native == std::endian::little, "elongations are written as held");

const char* const kOutside = "außerhalb des Beckens";

template <class T>
void appendNumber(std::string& s, T v) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    s.append(buffer, ec == std::errc() ? end : buffer);
}

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

std::string heightsCsv(const zb::EngineState& engine) {
    std::string s;
    if (!hasPool(engine))
        return s;
    const zb::Pool& pool = engine.pool;
    for (int32_t j = 0; j < pool.sizeY; ++j) {
        for (int32_t i = 0; i < pool.sizeX; ++i) {
            if (i > 0)
                s += ',';
            appendNumber(s, pool.at(i, j).position.y);
        }
        s += '\n';
    }
    return s;
}

std::string screensCsv(const zb::EngineState& engine) {
    std::string s;
    for (const zb::ScreenLine& screen : engineScreens(engine)) {
        s += orientation(screen) + ',' + std::to_string(screen.position);
        if (const std::optional<std::vector<float>> heights = screenHeights(engine, screen)) {
            for (float h : *heights) {
                s += ',';
                appendNumber(s, h);
            }
        } else {
            s += ',';
            s += kOutside;
        }
        s += '\n';
    }
    return s;
}

std::string intensityCsv(const zb::EngineState& engine,
                         const std::vector<std::optional<std::vector<double>>>& averages) {
    const std::span<const zb::ScreenLine> screens = engineScreens(engine);
    std::string s = "Schwinger entlang des Schirms";
    size_t rows = 0;
    for (size_t k = 0; k < screens.size(); ++k) {
        const zb::ScreenLine& screen = screens[k];
        s += ",\"Schirm " + std::to_string(k + 1) + " (" + orientation(screen) + ", " +
             (screen.horizontal ? "Zeile " : "Spalte ") + std::to_string(screen.position);
        if (k < averages.size() && averages[k])
            rows = std::max(rows, averages[k]->size());
        else
            s += std::string(", ") + kOutside;
        s += ")\"";
    }
    s += '\n';
    for (size_t r = 0; r < rows; ++r) {
        appendNumber(s, r);
        for (size_t k = 0; k < screens.size(); ++k) {
            s += ',';
            if (k < averages.size() && averages[k] && r < averages[k]->size())
                appendNumber(s, (*averages[k])[r]);
        }
        s += '\n';
    }
    return s;
}

} // namespace zbtool
