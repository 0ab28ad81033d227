// A top view of the wave field: heights in a diverging colour map, walls and exciters marked.
#pragma once

#include "png_writer.h"
#include "zbengine_tools.h"

#include <cstdint>
#include <optional>

namespace zbtool {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

constexpr Rgb kWallColour{0, 0, 0};
constexpr Rgb kExciterColour{0, 190, 60};
// A node whose height is infinite or NaN: far from every colour of the height scale.
constexpr Rgb kNotFiniteColour{200, 0, 200};

// v from -1 (deep blue) through 0 (near white) to 1 (deep red); clamped, NaN as 0.
Rgb divergingColour(double v);

// Pixels per node so that the longer side comes to roughly 800 pixels.
int defaultScale(int64_t nx, int64_t ny);

// Whether a picture of nx x ny nodes at scale fits the size the tool is willing to write.
bool pictureFits(int64_t nx, int64_t ny, int scale);

// scale x scale pixels per node, row 0 at the top as in the program's flat view. Heights are
// scaled to the largest |height| of the water, so that the exciters' own swing does not drown
// the waves, and coloured by the square root of that fraction, so that waves far from their
// source stay visible. Nodes that are no finite number, exciters included, get their own
// colour. The pool must hold its arrays and fit.
RgbImage heightPicture(const ZBTOOLS_PoolView& pool, int scale);

} // namespace zbtool
