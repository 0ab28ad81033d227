#include "screens.h"

#include <algorithm>

namespace zbtool {

std::span<const zb::ScreenLine> engineScreens(const zb::EngineState& engine) {
    const int32_t count = std::clamp(engine.screenCount, 0, zb::kMaxScreens);
    return {engine.screens, size_t(count)};
}

std::optional<std::vector<float>> screenHeights(const zb::EngineState& engine,
                                                const zb::ScreenLine& screen) {
    const zb::Pool& pool = engine.pool;
    if (!engine.poolExists || !pool.oscillators)
        return std::nullopt;
    const int32_t across = screen.horizontal ? pool.sizeY : pool.sizeX;
    const int32_t along = screen.horizontal ? pool.sizeX : pool.sizeY;
    if (screen.position < 0 || screen.position >= across)
        return std::nullopt;
    std::vector<float> heights(static_cast<size_t>(along));
    for (int32_t k = 0; k < along; ++k)
        heights[size_t(k)] = screen.horizontal ? pool.at(k, screen.position).position.y
                                               : pool.at(screen.position, k).position.y;
    return heights;
}

IntensityAverage::IntensityAverage(const zb::EngineState& engine) {
    for (const zb::ScreenLine& screen : engineScreens(engine)) {
        if (const std::optional<std::vector<float>> heights = screenHeights(engine, screen))
            sums_.emplace_back(std::vector<double>(heights->size(), 0.0));
        else
            sums_.emplace_back(std::nullopt);
    }
}

void IntensityAverage::addSample(const zb::EngineState& engine) {
    const std::span<const zb::ScreenLine> screens = engineScreens(engine);
    for (size_t s = 0; s < sums_.size() && s < screens.size(); ++s) {
        if (!sums_[s])
            continue;
        const std::optional<std::vector<float>> heights = screenHeights(engine, screens[s]);
        std::vector<double>& sum = *sums_[s];
        for (size_t k = 0; heights && k < sum.size() && k < heights->size(); ++k)
            sum[k] += double((*heights)[k]) * double((*heights)[k]);
    }
    ++samples_;
}

std::vector<std::optional<std::vector<double>>> IntensityAverage::averages() const {
    std::vector<std::optional<std::vector<double>>> result = sums_;
    for (std::optional<std::vector<double>>& screen : result)
        if (screen && samples_ > 0)
            for (double& v : *screen)
                v /= double(samples_);
    return result;
}

} // namespace zbtool
