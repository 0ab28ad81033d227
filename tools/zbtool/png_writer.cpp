#include "png_writer.h"

#include <png.h>

#include <stdexcept>
#include <string>

namespace zbtool {

namespace {

void append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flush(png_structp) {}

// libpng reports errors through longjmp by default, which would skip the destructors of the
// caller's objects; an exception unwinds them (Debian builds libpng with unwind tables).
[[noreturn]] void fail(png_structp, png_const_charp message) {
    throw std::runtime_error(std::string("PNG: ") + message);
}

void warn(png_structp, png_const_charp) {}

// Frees libpng's state however encodePng leaves.
struct Writer {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~Writer() { png_destroy_write_struct(&png, &info); }
};

} // namespace

std::vector<uint8_t> encodePng(const RgbImage& image) {
    Writer w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, fail, warn);
    if (!w.png)
        throw std::bad_alloc();
    w.info = png_create_info_struct(w.png);
    if (!w.info)
        throw std::bad_alloc();

    std::vector<uint8_t> out;
    png_set_write_fn(w.png, &out, append, flush);
    // The pictures are wave fields with large even areas: the best compression costs little
    // time at their sizes and halves the files against the default.
    png_set_compression_level(w.png, 9);
    png_set_IHDR(w.png, w.info, png_uint_32(image.width), png_uint_32(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(w.png, w.info);
    const size_t rowBytes = size_t(image.width) * 3;
    for (int y = 0; y < image.height; ++y)
        png_write_row(w.png, image.pixels.data() + size_t(y) * rowBytes);
    png_write_end(w.png, nullptr);
    return out;
}

} // namespace zbtool
