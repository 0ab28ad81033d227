#include "sim/display_colors.h"
#include "sim/display_averages.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

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

// On the intensity scale: the tint drawn as a mix towards the designed colour, which stays
// visible where the scale's own colour is dark.
uint32_t tintedOverDark(const float c[3], const Oscillator& o) {
    const float whiteness = std::min({o.color[0], o.color[1], o.color[2]});
    const float m = kIntensityTintShare * (1.0f - std::clamp(whiteness, 0.0f, 1.0f));
    float mixed[3];
    for (int i = 0; i < 3; ++i)
        mixed[i] = (1.0f - m) * c[i] * o.color[i] + m * o.color[i];
    return packed(mixed[0], mixed[1], mixed[2]);
}

// The distribution of a non-negative quantity over the water cells, in bins of an eighth of an
// octave: the bits of a non-negative float rise with its value, so their top bits index the
// bins. One pass, whatever the pool's size.
class Distribution {
  public:
    void add(float v) {
        if (!(v >= 0.0f) || !std::isfinite(v))
            return;
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        ++bins_[bits >> kShift];
        ++count_;
        largest_ = std::max(largest_, v);
    }
    float largest() const { return largest_; }
    // The upper edge of the bin in which the share of the values is reached.
    float quantile(double share) const {
        const auto wanted = uint64_t(std::ceil(share * double(count_)));
        uint64_t seen = 0;
        for (uint32_t b = 0; b < kBins; ++b) {
            seen += bins_[b];
            if (seen >= wanted && seen > 0) {
                const uint32_t edge = (b + 1) << kShift;
                float v;
                std::memcpy(&v, &edge, sizeof v);
                return std::min(v, largest_);
            }
        }
        return 0.0f;
    }

  private:
    static constexpr uint32_t kShift = 20;
    static constexpr uint32_t kBins = 0x80000000u >> kShift; // every non-negative float
    std::vector<uint64_t> bins_ = std::vector<uint64_t>(kBins, 0);
    uint64_t count_ = 0;
    float largest_ = 0.0f;
};

// Full scale for the squares: the bulk's, but at least the floor's share of the largest.
float squareScale(const Distribution& d) {
    return std::max(d.quantile(kBulkShare), kRangeFloor * kRangeFloor * d.largest());
}

void elevationColors(DisplayState& d, const Pool& p) {
    // Coloured with the range of the last frame while this frame's is measured: one pass over
    // the records instead of two. Only a restarted scale has to be measured first.
    Distribution squares;
    auto addWater = [&squares](const Oscillator& o) {
        if (isWater(o))
            squares.add(o.position.y * o.position.y);
    };
    const bool measured = d.elevationRange > 0.0f;
    if (!measured)
        for (size_t k = 0; k < p.cellCount(); ++k)
            addWater(p.oscillators[k]);
    auto rangeOf = [&d](const Distribution& q) {
        const float bulk = kRangeAboveBulk * std::sqrt(squareScale(q));
        return std::max(bulk, kRangeDecay * d.elevationRange);
    };
    if (!measured)
        d.elevationRange = rangeOf(squares);
    const float range = d.elevationRange;
    uint32_t* out = d.colors.get();
    for (size_t k = 0; k < p.cellCount(); ++k) {
        const Oscillator& o = p.oscillators[k];
        if (measured)
            addWater(o);
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
    if (measured)
        d.elevationRange = rangeOf(squares);
}

void intensityColors(DisplayState& d, const Pool& p) {
    const float* avg = d.intensity.get();
    if (d.intensitySamples == 0)
        d.intensityScale = 0.0f;
    // As for the elevation: the last frame's scale while this frame's is measured.
    Distribution values;
    const bool measured = d.intensityScale > 0.0f;
    if (!measured && d.intensitySamples > 0) {
        for (size_t k = 0; k < p.cellCount(); ++k)
            if (isWater(p.oscillators[k]))
                values.add(avg[k]);
        d.intensityScale = squareScale(values);
    }
    const float reference = d.intensityScale;
    uint32_t* out = d.colors.get();
    for (size_t k = 0; k < p.cellCount(); ++k) {
        const Oscillator& o = p.oscillators[k];
        if (!isWater(o)) {
            out[k] = isWallCell(o) ? packed(kIntensityWallColor[0], kIntensityWallColor[1],
                                            kIntensityWallColor[2])
                                   : designed(o);
            continue;
        }
        if (measured)
            values.add(avg[k]);
        float s = reference > 0.0f ? std::sqrt(avg[k] / reference) : 0.0f;
        s = std::isfinite(s) ? std::min(s, 1.0f) : 0.0f;
        const float* lo = s < 0.5f ? kIntensityStops[0] : kIntensityStops[1];
        const float* hi = s < 0.5f ? kIntensityStops[1] : kIntensityStops[2];
        const float f = s < 0.5f ? 2.0f * s : 2.0f * s - 1.0f;
        const float c[3] = {lo[0] + f * (hi[0] - lo[0]), lo[1] + f * (hi[1] - lo[1]),
                            lo[2] + f * (hi[2] - lo[2])};
        out[k] = tintedOverDark(c, o);
    }
    if (measured)
        d.intensityScale = squareScale(values);
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
