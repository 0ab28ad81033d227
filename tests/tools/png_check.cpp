#include "png_check.h"
#include "png_writer.h"

#include <cstring>

namespace zbtool::test {

namespace {

uint32_t bigEndian(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

DecodedPng failed(std::string why) {
    DecodedPng png;
    png.error = std::move(why);
    return png;
}

} // namespace

DecodedPng decodeStoredPng(const std::vector<uint8_t>& file) {
    DecodedPng png;
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0)
        return failed("no PNG signature");
    std::vector<uint8_t> z;
    bool ended = false;
    size_t pos = 8;
    for (int index = 0; !ended; ++index) {
        if (file.size() - pos < 12)
            return failed("chunk " + std::to_string(index) + " cut short");
        const uint32_t length = bigEndian(&file[pos]);
        if (length > file.size() - pos - 12)
            return failed("chunk " + std::to_string(index) + " longer than the file");
        const std::string type(reinterpret_cast<const char*>(&file[pos + 4]), 4);
        const uint8_t* data = &file[pos + 8];
        if (crc32({&file[pos + 4], length + 4}) != bigEndian(data + length))
            return failed("bad CRC in " + type);
        if (index == 0 && (type != "IHDR" || length != 13))
            return failed("IHDR is not the first chunk");
        if (type == "IHDR") {
            png.width = bigEndian(data);
            png.height = bigEndian(data + 4);
            if (data[8] != 8 || data[9] != 2 || data[10] || data[11] || data[12])
                return failed("not 8-bit RGB without interlace");
        } else if (type == "IDAT") {
            z.insert(z.end(), data, data + length);
        } else if (type == "IEND") {
            ended = true;
        }
        pos += 12 + length;
    }
    if (pos != file.size())
        return failed("bytes after IEND");

    if (z.size() < 6 || z[0] != 0x78 || (z[0] * 256 + z[1]) % 31 != 0)
        return failed("bad zlib header");
    std::vector<uint8_t> raw;
    size_t p = 2;
    for (bool final = false; !final;) {
        if (z.size() - p < 5)
            return failed("deflate block cut short");
        if ((z[p] & 0x06) != 0)
            return failed("not a stored block");
        final = z[p] & 1;
        const uint16_t n = uint16_t(z[p + 1] | z[p + 2] << 8);
        const uint16_t complement = uint16_t(z[p + 3] | z[p + 4] << 8);
        if (uint16_t(~n) != complement || z.size() - p - 5 < n)
            return failed("bad stored block length");
        raw.insert(raw.end(), z.begin() + long(p + 5), z.begin() + long(p + 5 + n));
        p += 5 + size_t(n);
    }
    if (z.size() - p != 4 || bigEndian(&z[p]) != adler32(raw))
        return failed("bad Adler-32");

    const size_t row = size_t(png.width) * 3;
    if (raw.size() != (row + 1) * png.height)
        return failed("image data of the wrong size");
    for (size_t y = 0; y < png.height; ++y) {
        if (raw[y * (row + 1)] != 0)
            return failed("row filter other than none");
        png.rgb.insert(png.rgb.end(), raw.begin() + long(y * (row + 1) + 1),
                       raw.begin() + long((y + 1) * (row + 1)));
    }
    return png;
}

} // namespace zbtool::test
