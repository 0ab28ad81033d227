#include "sim/display_averages.h"
#include "sim/memory_budget.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace zb {

namespace {

void releaseCellArrays(DisplayState& d) {
    d.intensity.reset();
    d.colors.reset();
    d.cellsX = 0;
    d.cellsY = 0;
    d.intensitySamples = 0;
}

// Two periods of the slowest driven exciter; the exciters are found in the records, where
// every addition and rebuild leaves them.
double exciterTimeConstant(const Pool& pool) {
    float slowest = std::numeric_limits<float>::infinity();
    const size_t n = pool.cellCount();
    for (size_t k = 0; k < n; ++k) {
        const Oscillator& o = pool.oscillators[k];
        if (o.exciter && o.omega > 0.0f && o.omega < slowest)
            slowest = o.omega;
    }
    if (!std::isfinite(slowest))
        return -1.0;
    return kPeriodsAveraged * 2.0 * std::numbers::pi / double(slowest);
}

void accumulateCells(DisplayState& d, const Pool& pool, float w) {
    float* avg = d.intensity.get();
    const size_t n = pool.cellCount();
    const Oscillator* o = pool.oscillators.get();
    // Weight 1 (a restart) replaces what the array held, which may be anything.
    if (w == 1.0f) {
        for (size_t k = 0; k < n; ++k)
            avg[k] = o[k].position.y * o[k].position.y;
        return;
    }
    for (size_t k = 0; k < n; ++k) {
        const float h = o[k].position.y;
        avg[k] += w * (h * h - avg[k]);
    }
}

void accumulateScreen(const RowAverages::Line& line, const Pool& pool) {
    const int64_t count = line.horizontal ? pool.sizeX : pool.sizeY;
    const float w = line.weight;
    for (int64_t k = 0; k < count; ++k) {
        const float h = line.horizontal ? pool.at(k, line.position).position.y
                                        : pool.at(line.position, k).position.y;
        float& v = line.values[size_t(k)];
        v = w == 1.0f ? h * h : v + w * (h * h - v);
    }
}

} // namespace

float averageWeight(uint64_t n, double dt, double tau) {
    const double mean = 1.0 / double(std::max<uint64_t>(n, 1));
    const double exponential = tau > 0.0 ? dt / tau : 1.0 / double(kFallbackSteps);
    // A step longer than the time constant forgets everything before it.
    return float(std::min(1.0, std::max(mean, exponential)));
}

int64_t screenLineLength(const Pool& pool, const ScreenLine& line) {
    const int32_t across = line.horizontal ? pool.sizeY : pool.sizeX;
    if (line.position < 0 || line.position >= across)
        return 0;
    return line.horizontal ? pool.sizeX : pool.sizeY;
}

void restartDisplayAverages(EngineState& s) {
    DisplayState& d = s.display;
    d.timeAtBuild = s.simTime;
    d.timeConstant = 0.0;
    d.intensitySamples = 0;
    d.elevationRange = 0.0f;
    d.intensityScale = 0.0f;
    d.screens.clear();
    const bool sizeHeld =
        (s.pool.oscillators && s.pool.sizeX == d.cellsX && s.pool.sizeY == d.cellsY) ||
        (s.spare.oscillators && s.spare.sizeX == d.cellsX && s.spare.sizeY == d.cellsY);
    if (!sizeHeld)
        releaseCellArrays(d);
}

bool holdDisplayArrays(EngineState& s) {
    DisplayState& d = s.display;
    const Pool& p = s.pool;
    if (!s.poolExists || !p.oscillators)
        return false;
    if (d.intensity && d.colors && d.cellsX == p.sizeX && d.cellsY == p.sizeY)
        return true;
    releaseCellArrays(d);
    if (displayArrayBytes(p.sizeX, p.sizeY) > poolMemoryBudget(availableMemoryBytes()))
        return false;
    d.intensity.reset(static_cast<float*>(std::malloc(p.cellCount() * sizeof(float))));
    d.colors.reset(static_cast<uint32_t*>(std::malloc(p.cellCount() * sizeof(uint32_t))));
    if (!d.intensity || !d.colors) {
        releaseCellArrays(d);
        return false;
    }
    d.cellsX = p.sizeX;
    d.cellsY = p.sizeY;
    return true;
}

bool prepareDisplayAverages(EngineState& s, RowAverages& averages) {
    averages = RowAverages{};
    DisplayState& d = s.display;
    const bool cells = d.colorMode == 2;
    if (!s.poolExists || (!cells && s.screenCount == 0))
        return false;
    if (d.timeConstant == 0.0)
        d.timeConstant = exciterTimeConstant(s.pool);
    const double dt = double(s.simSpeed);
    if (cells && holdDisplayArrays(s)) {
        averages.cells = d.intensity.get();
        averages.cellWeight = averageWeight(++d.intensitySamples, dt, d.timeConstant);
    }
    if (d.screens.size() < size_t(s.screenCount))
        d.screens.resize(size_t(s.screenCount));
    for (int32_t k = 0; k < s.screenCount && k < kMaxScreens; ++k) {
        const ScreenLine& line = s.screens[k];
        ScreenAverage& a = d.screens[size_t(k)];
        const int64_t count = screenLineLength(s.pool, line);
        if (count == 0)
            continue;
        if (a.samples == 0)
            a.values.assign(size_t(count), 0.0f);
        averages.screens[averages.screenCount++] = {a.values.data(),
                                                    averageWeight(++a.samples, dt, d.timeConstant),
                                                    line.position, line.horizontal};
    }
    return true;
}

namespace {

// Weight 1 (a restart) replaces what the average held, which may be anything.
inline float averagedSquare(float v, float h, float w) {
    return w == 1.0f ? h * h : v + w * (h * h - v);
}

} // namespace

void addRowToAverages(const RowAverages& averages, int64_t j, int64_t nx, const float* h) {
    if (float* avg = averages.cells) {
        avg += j * nx;
        const float w = averages.cellWeight;
        if (w == 1.0f) {
            for (int64_t i = 0; i < nx; ++i)
                avg[i] = h[i] * h[i];
        } else {
            for (int64_t i = 0; i < nx; ++i)
                avg[i] += w * (h[i] * h[i] - avg[i]);
        }
    }
    for (int32_t k = 0; k < averages.screenCount; ++k) {
        const RowAverages::Line& line = averages.screens[k];
        if (!line.horizontal) {
            line.values[j] = averagedSquare(line.values[j], h[line.position], line.weight);
        } else if (line.position == j) {
            for (int64_t i = 0; i < nx; ++i)
                line.values[i] = averagedSquare(line.values[i], h[i], line.weight);
        }
    }
}

void accumulateDisplayAverages(EngineState& s) {
    RowAverages averages;
    if (!prepareDisplayAverages(s, averages))
        return;
    if (averages.cells)
        accumulateCells(s.display, s.pool, averages.cellWeight);
    for (int32_t k = 0; k < averages.screenCount; ++k)
        accumulateScreen(averages.screens[k], s.pool);
}

} // namespace zb
