#include "height_picture.h"

#include <algorithm>
#include <cmath>

namespace zbtool {

namespace {

// A red-blue diverging scale with a light neutral middle, evenly spaced from -1 to 1.
constexpr Rgb kAnchors[] = {
    {5, 48, 97},     {33, 102, 172},  {67, 147, 195},  {146, 197, 222},
    {209, 229, 240}, {247, 247, 247}, {253, 219, 199}, {244, 165, 130},
    {214, 96, 77},   {178, 24, 43},   {103, 0, 31},
};
constexpr int kSegments = int(std::size(kAnchors)) - 1;

constexpr int kTargetSide = 800;
constexpr int kLargestDefaultScale = 32;
constexpr int64_t kMaxPixels = int64_t(1) << 26; // 192 MiB of RGB

uint8_t mix(uint8_t a, uint8_t b, double t) {
    return uint8_t(std::lround(double(a) + (double(b) - double(a)) * t));
}

bool isWater(const ZBTOOLS_PoolView& pool, size_t k) {
    return !ZBTOOLS_IsWall(&pool, k) && !ZBTOOLS_IsExciter(&pool, k);
}

// Waves spreading from a source fade with distance; the square root keeps the far ones visible
// next to the source's near field while keeping sign and order.
double compressed(double v) {
    return std::copysign(std::sqrt(std::fabs(v)), v);
}

} // namespace

Rgb divergingColour(double v) {
    if (std::isnan(v))
        v = 0.0;
    const double x = (std::clamp(v, -1.0, 1.0) + 1.0) * 0.5 * kSegments;
    const int k = std::min(int(x), kSegments - 1);
    const double t = x - k;
    const Rgb& a = kAnchors[k];
    const Rgb& b = kAnchors[k + 1];
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)};
}

int defaultScale(int64_t nx, int64_t ny) {
    const int64_t longer = std::max<int64_t>({nx, ny, 1});
    return int(std::clamp<int64_t>(kTargetSide / longer, 1, kLargestDefaultScale));
}

bool pictureFits(int64_t nx, int64_t ny, int scale) {
    if (nx <= 0 || ny <= 0 || scale <= 0)
        return false;
    const int64_t w = nx * scale, h = ny * scale;
    return w <= kMaxPixels && h <= kMaxPixels && w * h <= kMaxPixels;
}

RgbImage heightPicture(const ZBTOOLS_PoolView& pool, int scale) {
    const int32_t nx = pool.sizeX, ny = pool.sizeY;
    double largest = 0.0;
    for (size_t k = 0; k < size_t(nx) * size_t(ny); ++k) {
        const double h = std::fabs(double(ZBTOOLS_Height(&pool, k)));
        if (isWater(pool, k) && std::isfinite(h))
            largest = std::max(largest, h);
    }

    RgbImage image(nx * scale, ny * scale);
    for (int32_t j = 0; j < ny; ++j)
        for (int32_t i = 0; i < nx; ++i) {
            const size_t k = size_t(i) + size_t(j) * size_t(nx);
            const double h = double(ZBTOOLS_Height(&pool, k));
            const Rgb c = ZBTOOLS_IsWall(&pool, k) ? kWallColour
                          : !std::isfinite(h) || !std::isfinite(ZBTOOLS_Elongation(&pool, k))
                              ? kNotFiniteColour
                          : ZBTOOLS_IsExciter(&pool, k) ? kExciterColour
                          : largest > 0.0               ? divergingColour(compressed(h / largest))
                                                        : divergingColour(0.0);
            for (int y = j * scale; y < (j + 1) * scale; ++y)
                for (int x = i * scale; x < (i + 1) * scale; ++x) {
                    uint8_t* p = image.at(x, y);
                    p[0] = c.r;
                    p[1] = c.g;
                    p[2] = c.b;
                }
        }
    return image;
}

} // namespace zbtool
