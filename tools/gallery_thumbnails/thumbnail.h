// The gallery's thumbnail of one experiment: the tank run by the engine as its display would run
// it, then drawn from above in the flat view's colours.
#pragma once

#include "model/tank.h"
#include "png_writer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zb::gallery {

constexpr int kThumbnailWidth = 200;
constexpr int kThumbnailHeight = 150;

struct PictureRun {
    float timeStep = 0.0f;
    int64_t steps = 0;
};

// The time step of the tank's speed position (its display's, or the start position), lowered as
// the speed slider is to what the tank allows, and the steps: pictureSteps, or with 0 those a
// wave needs to cross the tank's longer side once, capped.
PictureRun pictureRun(const TZBecken& tank, int32_t pictureSteps);

// Runs the tank with its exciters on and draws it; the German reason when the engine cannot run
// it (unstable values, no pool of that size).
struct Thumbnail {
    std::optional<zbtool::RgbImage> image;
    std::string problem;
};
Thumbnail makeThumbnail(const TZBecken& tank, int32_t pictureSteps);

} // namespace zb::gallery
