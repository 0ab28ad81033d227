// A reader of the PNG files zbtool writes, through libpng, which checks every checksum: it
// accepts only complete 8-bit RGB files without interlace, so that tests can look at the pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zbtool::test {

struct DecodedPng {
    std::string error; // empty when the file is valid
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb; // rows from the top

    const uint8_t* pixel(uint32_t x, uint32_t y) const { return &rgb[(y * width + x) * 3]; }
};

DecodedPng decodePng(const std::vector<uint8_t>& file);

} // namespace zbtool::test
