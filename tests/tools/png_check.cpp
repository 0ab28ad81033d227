#include "png_check.h"

#include <png.h>

#include <cstring>
#include <stdexcept>

namespace zbtool::test {

namespace {

struct Source {
    const std::vector<uint8_t>& file;
    size_t pos = 0;
};

void readFrom(png_structp png, png_bytep data, size_t length) {
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (source->file.size() - source->pos < length)
        png_error(png, "file cut short");
    std::memcpy(data, source->file.data() + source->pos, length);
    source->pos += length;
}

[[noreturn]] void fail(png_structp, png_const_charp message) {
    throw std::runtime_error(message);
}

void warn(png_structp, png_const_charp) {}

struct Reader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Reader() { png_destroy_read_struct(&png, &info, nullptr); }
};

} // namespace

DecodedPng decodePng(const std::vector<uint8_t>& file) {
    DecodedPng png;
    if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) {
        png.error = "no PNG signature";
        return png;
    }
    Reader r;
    Source source{file};
    try {
        r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, warn);
        r.info = r.png ? png_create_info_struct(r.png) : nullptr;
        if (!r.info)
            throw std::runtime_error("libpng out of memory");
        png_set_read_fn(r.png, &source, readFrom);
        png_read_info(r.png, r.info);
        int depth = 0, colour = 0, interlace = 0;
        png_get_IHDR(r.png, r.info, &png.width, &png.height, &depth, &colour, &interlace, nullptr,
                     nullptr);
        if (depth != 8 || colour != PNG_COLOR_TYPE_RGB || interlace != PNG_INTERLACE_NONE)
            throw std::runtime_error("not 8-bit RGB without interlace");
        png.rgb.resize(size_t(png.width) * png.height * 3);
        for (uint32_t y = 0; y < png.height; ++y)
            png_read_row(r.png, png.rgb.data() + size_t(y) * png.width * 3, nullptr);
        png_read_end(r.png, nullptr);
        if (source.pos != file.size())
            throw std::runtime_error("bytes after IEND");
    } catch (const std::runtime_error& e) {
        DecodedPng failed;
        failed.error = e.what();
        return failed;
    }
    return png;
}

} // namespace zbtool::test
