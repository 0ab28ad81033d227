// Fitting a picture of the whole pool into the thumbnail's frame.
#pragma once

#include "png_writer.h"

namespace zb::gallery {

// The neutral grey around a pool whose aspect differs from the frame's.
constexpr uint8_t kBackground = 128;

// source, one pixel per oscillator, scaled to fill width x height as far as its aspect allows
// and centred on the background. Each pixel is the mean of the oscillators it covers, so that a
// large pool keeps its waves' shading instead of aliasing them.
zbtool::RgbImage letterboxed(const zbtool::RgbImage& source, int width, int height);

} // namespace zb::gallery
