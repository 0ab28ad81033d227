// A PNG encoder small enough to need no library: 8-bit RGB, no filtering, stored (uncompressed)
// deflate blocks. The files are larger than compressed ones, but every viewer reads them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zbtool {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // red, green, blue; rows from the top

    RgbImage(int w, int h) : width(w), height(h), pixels(size_t(w) * size_t(h) * 3) {}
    uint8_t* at(int x, int y) { return &pixels[(size_t(y) * size_t(width) + size_t(x)) * 3]; }
};

uint32_t crc32(std::span<const uint8_t> data);
uint32_t adler32(std::span<const uint8_t> data);

// The complete file. The image must be at least 1 x 1.
std::vector<uint8_t> encodePng(const RgbImage& image);

} // namespace zbtool
