// PNG files through libpng: 8-bit RGB, compressed, the same pixels in every viewer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zbtool {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // red, green, blue; rows from the top

    RgbImage(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h) * 3) {}
    uint8_t* at(int x, int y) { return &pixels[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
};

// The complete file. The image must be at least 1 x 1; throws std::runtime_error when libpng
// fails (it does so only for sizes it cannot store).
std::vector<uint8_t> encodePng(const RgbImage& image);

} // namespace zbtool
