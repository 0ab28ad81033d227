#include "png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zbtool {

namespace {

constexpr std::array<uint32_t, 256> kCrcTable = [] {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

// The largest stored deflate block.
constexpr size_t kStoredBlock = 65535;
// Keeps each IDAT chunk far below the 2^31 limit of a chunk length.
constexpr size_t kIdatChunk = size_t(1) << 20;

void putBigEndian(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 24));
    out.push_back(uint8_t(v >> 16));
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void putChunk(std::vector<uint8_t>& out, std::string_view type, std::span<const uint8_t> data) {
    putBigEndian(out, uint32_t(data.size()));
    const size_t typeStart = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(std::span(out).subspan(typeStart)));
}

// Rows with filter byte 0 in front of each, wrapped as a zlib stream of stored blocks.
std::vector<uint8_t> zlibStream(const RgbImage& image) {
    const size_t rowBytes = size_t(image.width) * 3;
    std::vector<uint8_t> raw;
    raw.reserve((rowBytes + 1) * size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        const auto row = image.pixels.begin() + std::ptrdiff_t(size_t(y) * rowBytes);
        raw.insert(raw.end(), row, row + std::ptrdiff_t(rowBytes));
    }

    std::vector<uint8_t> z;
    z.reserve(raw.size() + raw.size() / kStoredBlock * 5 + 16);
    z.push_back(0x78); // deflate, 32 KiB window
    z.push_back(0x01); // no preset dictionary; makes the header a multiple of 31
    size_t done = 0;
    do {
        const size_t n = std::min(kStoredBlock, raw.size() - done);
        const bool last = done + n == raw.size();
        z.push_back(last ? 1 : 0); // BFINAL, BTYPE 00
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + std::ptrdiff_t(done),
                 raw.begin() + std::ptrdiff_t(done + n));
        done += n;
    } while (done < raw.size());
    putBigEndian(z, adler32(raw));
    return z;
}

} // namespace

uint32_t crc32(std::span<const uint8_t> data) {
    uint32_t c = 0xffffffffu;
    for (uint8_t b : data)
        c = kCrcTable[(c ^ b) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

uint32_t adler32(std::span<const uint8_t> data) {
    constexpr uint32_t kMod = 65521;
    // 5552 bytes are the most that can be summed before the 32-bit sums may overflow.
    uint32_t a = 1, b = 0;
    for (size_t start = 0; start < data.size(); start += 5552) {
        const size_t end = std::min(data.size(), start + 5552);
        for (size_t k = start; k < end; ++k) {
            a += data[k];
            b += a;
        }
        a %= kMod;
        b %= kMod;
    }
    return b << 16 | a;
}

std::vector<uint8_t> encodePng(const RgbImage& image) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

    std::vector<uint8_t> header;
    putBigEndian(header, uint32_t(image.width));
    putBigEndian(header, uint32_t(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter, no interlace
    putChunk(out, "IHDR", header);

    const std::vector<uint8_t> z = zlibStream(image);
    for (size_t done = 0; done < z.size(); done += kIdatChunk)
        putChunk(out, "IDAT", std::span(z).subspan(done, std::min(kIdatChunk, z.size() - done)));
    putChunk(out, "IEND", {});
    return out;
}

} // namespace zbtool
