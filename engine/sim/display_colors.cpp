#include "sim/display_colors.h"
#include "sim/display_averages.h"

#include <algorithm>
#include <cmath>

namespace zb {

namespace {

bool isWater(const Oscillator& o) {
    return !isWallCell(o) && !o.exciter;
}

uint32_t packed(float r, float g, float b) {
    auto byte = [](float c) { return uint32_t(std::clamp(c, 0.0f, 1.0f) * 255.0f + 0.5f); };
    return byte(r) | byte(g) << 8 | byte(b) << 16 | 0xff000000u;
}

uint32_t designed(const Oscillator& o) {
    return packed(o.color[0], o.color[1], o.color[2]);
}

// The scale's colour as a filter over the designed one.
uint32_t tinted(const float c[3], const Oscillator& o) {
    return packed(c[0] * o.color[0], c[1] * o.color[1], c[2] * o.color[2]);
}

// Mean of f over the water cells where it is finite; 0 without any.
template <class F>
double waterMean(const Pool& p, F f) {
    double sum = 0.0;
    size_t count = 0;
    for (size_t k = 0; k < p.cellCount(); ++k) {
        const Oscillator& o = p.oscillators[k];
        if (!isWater(o))
            continue;
        const double v = f(k, o);
        if (std::isfinite(v)) {
            sum += v;
            ++count;
        }
    }
    return count > 0 ? sum / double(count) : 0.0;
}

void elevationColors(DisplayState& d, const Pool& p) {
    const double meanSquare = waterMean(
        p, [](size_t, const Oscillator& o) { return double(o.position.y) * double(o.position.y); });
    const float rms = float(std::sqrt(meanSquare));
    d.elevationRange = std::max(kRangeInRms * rms, kRangeDecay * d.elevationRange);
    const float range = d.elevationRange;
    uint32_t* out = d.colors.get();
    for (size_t k = 0; k < p.cellCount(); ++k) {
        const Oscillator& o = p.oscillators[k];
        if (!isWater(o)) {
            out[k] = designed(o);
            continue;
        }
        float t = range > 0.0f ? o.position.y / range : 0.0f;
        t = std::isfinite(t) ? std::clamp(t, -1.0f, 1.0f) : 0.0f;
        const float* end = t >= 0.0f ? kCrestColor : kTroughColor;
        const float a = std::abs(t);
        const float c[3] = {1.0f + a * (end[0] - 1.0f), 1.0f + a * (end[1] - 1.0f),
                            1.0f + a * (end[2] - 1.0f)};
        out[k] = tinted(c, o);
    }
}

void intensityColors(DisplayState& d, const Pool& p) {
    const float* avg = d.intensity.get();
    const bool any = d.intensitySamples > 0;
    const double mean =
        any ? waterMean(p, [avg](size_t k, const Oscillator&) { return double(avg[k]); }) : 0.0;
    const float reference = float(kIntensityRangeInMean * mean);
    uint32_t* out = d.colors.get();
    for (size_t k = 0; k < p.cellCount(); ++k) {
        const Oscillator& o = p.oscillators[k];
        if (!isWater(o)) {
            out[k] = designed(o);
            continue;
        }
        float s = any && reference > 0.0f ? std::sqrt(avg[k] / reference) : 0.0f;
        s = std::isfinite(s) ? std::min(s, 1.0f) : 0.0f;
        const float* lo = s < 0.5f ? kIntensityStops[0] : kIntensityStops[1];
        const float* hi = s < 0.5f ? kIntensityStops[1] : kIntensityStops[2];
        const float f = s < 0.5f ? 2.0f * s : 2.0f * s - 1.0f;
        const float c[3] = {lo[0] + f * (hi[0] - lo[0]), lo[1] + f * (hi[1] - lo[1]),
                            lo[2] + f * (hi[2] - lo[2])};
        out[k] = tinted(c, o);
    }
}

} // namespace

const uint32_t* displayColors(EngineState& s) {
    DisplayState& d = s.display;
    if (d.colorMode != 1 && d.colorMode != 2)
        return nullptr;
    if (!holdDisplayArrays(s))
        return nullptr;
    if (d.colorMode == 1)
        elevationColors(d, s.pool);
    else
        intensityColors(d, s.pool);
    return d.colors.get();
}

} // namespace zb
