#include "thumbnail.h"
#include "letterbox.h"

#include "height_picture.h"
#include "model/dispersion.h"
#include "model/simulation_speed.h"
#include "model/stability.h"

#include "zbengine.h"
#include "zbengine_tools.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace zb::gallery {

namespace {

// Without a "Bild:" line: enough for any tank of the gallery's sizes at the start speed, short
// enough that a slow display speed does not stall the build.
constexpr int64_t kLargestRuleSteps = 4000;
// The intensity is averaged as the program averages it: over two periods of the slowest exciter,
// or this many steps when none swings.
constexpr double kPeriodsAveraged = 2.0;
constexpr int64_t kFallbackAveragedSteps = 400;

// The flat view's intensity scale, dark to light; walls in a light grey that it never takes, as
// black walls would vanish in its dark end. The light end is the intensity that three quarters
// of the water stay below, so the exciters' near field does not darken the rest.
constexpr zbtool::Rgb kIntensityStops[3] = {{13, 13, 64}, {204, 51, 89}, {255, 242, 140}};
constexpr zbtool::Rgb kIntensityWallColour{191, 191, 191};
constexpr double kBulkShare = 0.75;

double waveSpeed(double coupling) { // oscillators per time unit
    return std::sqrt(kSpring * coupling / 4.0);
}

int64_t averagedSteps(const TZBecken& tank, float dt, int64_t steps) {
    double slowest = 0.0;
    for (int k = 1; k < tank.Objekte->Count(); ++k)
        if (const TErreger* e = tank.Objekte->at(k).erreger(); e && e->Frequenz > 0.0)
            slowest = slowest == 0.0 ? e->Frequenz : std::min(slowest, e->Frequenz);
    const int64_t wanted =
        slowest > 0.0 ? int64_t(std::ceil(kPeriodsAveraged * 2.0 * std::numbers::pi / slowest / dt))
                      : kFallbackAveragedSteps;
    return std::clamp<int64_t>(wanted, 1, std::max<int64_t>(steps, 1));
}

uint8_t mix(uint8_t a, uint8_t b, double t) {
    return uint8_t(std::lround(double(a) + (double(b) - double(a)) * t));
}

zbtool::Rgb intensityColour(double s) {
    s = std::isfinite(s) ? std::clamp(s, 0.0, 1.0) : 0.0;
    const zbtool::Rgb& lo = kIntensityStops[s < 0.5 ? 0 : 1];
    const zbtool::Rgb& hi = kIntensityStops[s < 0.5 ? 1 : 2];
    const double f = s < 0.5 ? 2.0 * s : 2.0 * s - 1.0;
    return {mix(lo.r, hi.r, f), mix(lo.g, hi.g, f), mix(lo.b, hi.b, f)};
}

zbtool::RgbImage intensityPicture(const ZBTOOLS_PoolView& pool, const std::vector<double>& mean) {
    const auto water = [&](size_t k) {
        return !ZBTOOLS_IsWall(&pool, k) && !ZBTOOLS_IsExciter(&pool, k);
    };
    std::vector<double> values;
    for (size_t k = 0; k < mean.size(); ++k)
        if (water(k) && std::isfinite(mean[k]))
            values.push_back(mean[k]);
    double reference = 0.0;
    if (!values.empty()) {
        const auto bulk = values.begin() + ptrdiff_t(double(values.size() - 1) * kBulkShare);
        std::nth_element(values.begin(), bulk, values.end());
        reference = *bulk > 0.0 ? *bulk : *std::max_element(values.begin(), values.end());
    }
    zbtool::RgbImage image(pool.sizeX, pool.sizeY);
    for (int32_t j = 0; j < pool.sizeY; ++j)
        for (int32_t i = 0; i < pool.sizeX; ++i) {
            const size_t k = size_t(i) + size_t(j) * size_t(pool.sizeX);
            const zbtool::Rgb c = ZBTOOLS_IsWall(&pool, k)      ? kIntensityWallColour
                                  : ZBTOOLS_IsExciter(&pool, k) ? zbtool::kExciterColour
                                  : reference > 0.0
                                      ? intensityColour(std::sqrt(mean[k] / reference))
                                      : intensityColour(0.0);
            uint8_t* p = image.at(i, j);
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
        }
    return image;
}

} // namespace

PictureRun pictureRun(const TZBecken& tank, int32_t pictureSteps) {
    int position =
        std::clamp(tank.Anzeige ? tank.Anzeige->Geschwindigkeit : kStartSpeedPosition, 0, 150);
    const double limit = maxStableTimeStep(tank);
    while (position > 0 && double(timeStepOfSpeed(position)) > limit)
        --position;
    PictureRun run{timeStepOfSpeed(position), pictureSteps};
    if (pictureSteps > 0)
        return run;
    const double perStep = waveSpeed(tank.StandardKopplung) * double(run.timeStep);
    const double longer = std::max(tank.GroesseX, tank.GroesseY);
    run.steps = perStep > 0.0 ? std::min(kLargestRuleSteps, int64_t(std::ceil(longer / perStep)))
                              : kLargestRuleSteps;
    return run;
}

Thumbnail makeThumbnail(const TZBecken& tank, int32_t pictureSteps) {
    if (const std::optional<std::string> problem = unstableValue(tank))
        return {std::nullopt, *problem};
    const PictureRun run = pictureRun(tank, pictureSteps);
    tank.TransferToEngine();
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(run.timeStep);
    ZBDLL_EnableExciters(true);
    const ZBTOOLS_PoolView pool = ZBTOOLS_GetPool();
    if (!pool.exists) {
        ZBDLL_ResetAll();
        return {std::nullopt, "die Größe " + std::to_string(tank.GroesseX) + " × " +
                                  std::to_string(tank.GroesseY) + " ergibt kein Becken"};
    }

    const bool intensity = tank.Anzeige && tank.Anzeige->Faerbung == 2;
    const size_t cells = size_t(pool.sizeX) * size_t(pool.sizeY);
    std::vector<double> squares(intensity ? cells : 0);
    const int64_t averaged = intensity ? averagedSteps(tank, run.timeStep, run.steps) : 0;
    for (int64_t step = 0; step < run.steps; ++step) {
        ZBDLL_NextFrame();
        if (step >= run.steps - averaged)
            for (size_t k = 0; k < cells; ++k) {
                const double h = ZBTOOLS_Height(&pool, k);
                squares[k] += h * h;
            }
    }
    for (double& s : squares)
        s /= double(averaged);
    const zbtool::RgbImage field =
        intensity ? intensityPicture(pool, squares) : zbtool::heightPicture(pool, 1);
    ZBDLL_ResetAll();
    return {letterboxed(field, kThumbnailWidth, kThumbnailHeight), {}};
}

} // namespace zb::gallery
