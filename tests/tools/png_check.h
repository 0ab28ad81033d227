// A reader of the PNG files zbtool writes: checks the structure and every checksum and unpacks
// the stored deflate blocks, so that tests can look at the pixels. It uses the encoder's
// checksums, which their own test holds to the standard check values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zbtool::test {

struct DecodedPng {
    std::string error; // empty when the file is valid
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb; // unfiltered rows

    const uint8_t* pixel(uint32_t x, uint32_t y) const { return &rgb[(y * width + x) * 3]; }
};

DecodedPng decodeStoredPng(const std::vector<uint8_t>& file);

} // namespace zbtool::test
