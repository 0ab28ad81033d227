#include "screens.h"

namespace zbtool {

std::optional<std::vector<float>> screenHeights(const ZBTOOLS_PoolView& pool,
                                                const ZBTOOLS_Screen& screen) {
    if (!pool.exists)
        return std::nullopt;
    const int32_t across = screen.horizontal ? pool.sizeY : pool.sizeX;
    const int32_t along = screen.horizontal ? pool.sizeX : pool.sizeY;
    if (screen.position < 0 || screen.position >= across)
        return std::nullopt;
    // Along a row the nodes follow each other; along a column they lie a row apart.
    const size_t first =
        screen.horizontal ? size_t(screen.position) * size_t(pool.sizeX) : size_t(screen.position);
    const size_t step = screen.horizontal ? 1 : size_t(pool.sizeX);
    std::vector<float> heights(static_cast<size_t>(along));
    for (int32_t k = 0; k < along; ++k)
        heights[size_t(k)] = ZBTOOLS_Height(&pool, first + size_t(k) * step);
    return heights;
}

IntensityAverage::IntensityAverage(const EngineView& engine) {
    for (const ZBTOOLS_Screen& screen : engine.screens) {
        if (const std::optional<std::vector<float>> heights = screenHeights(engine.pool, screen))
            sums_.emplace_back(std::vector<double>(heights->size(), 0.0));
        else
            sums_.emplace_back(std::nullopt);
    }
}

void IntensityAverage::addSample(const EngineView& engine) {
    const std::vector<ZBTOOLS_Screen>& screens = engine.screens;
    for (size_t s = 0; s < sums_.size() && s < screens.size(); ++s) {
        if (!sums_[s])
            continue;
        const std::optional<std::vector<float>> heights = screenHeights(engine.pool, screens[s]);
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
