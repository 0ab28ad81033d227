// Every value taken from the file is checked against the file's length in 64-bit arithmetic
// before it becomes an offset, a count or a size; the checks sit in readLayout and
// checkLayout, so the converters below may index freely.
#include "render/bitmap_loader.h"

#include "render/messages.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace zb {

namespace {

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;

constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitfields = 3;

// The two background pictures are far smaller; the limits only keep a damaged header from
// asking for gigabytes.
constexpr int64_t kMaxSide = 32768;
constexpr int64_t kMaxPixels = int64_t(64) << 20;
// The largest accepted picture at 32 bits per pixel takes 256 MiB.
constexpr uint64_t kMaxFileSize = uint64_t(512) << 20;

uint16_t u16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

uint32_t u32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

struct Rgb {
    uint8_t r, g, b;
};

// Indices beyond the file's colour table stay black.
using Palette = std::array<Rgb, 256>;

struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0; // mask >> shift; 0 for an empty mask
};

struct Layout {
    int64_t width = 0;
    int64_t height = 0; // number of rows, positive
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t imageSize = 0;
    uint64_t colours = 0;   // colour-table entries, as the header asks (not cut to 16 bits)
    uint64_t entrySize = 4; // 3 in core headers
    uint64_t masksAt = 0;   // 0 when the file holds no bit-field masks
    uint64_t tableAt = 0;
    uint64_t pixelsAt = 0;
};

uint32_t defaultColours(uint16_t bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// The table size of a complete header; 0 for unknown header sizes.
uint32_t colourEntries(const uint8_t* header) {
    const uint32_t size = u32(header);
    if (size == kCoreHeaderSize)
        return defaultColours(u16(header + 10));
    if (size != kInfoHeaderSize)
        return 0;
    const uint32_t used = u32(header + 32);
    return used != 0 ? used : defaultColours(u16(header + 14));
}

DibError readLayout(const uint8_t* data, size_t size, Layout& l) {
    const bool fileHeader = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const uint64_t at = fileHeader ? kFileHeaderSize : 0;
    if (size < at + 4)
        return DibError::UnknownFormat;
    const uint8_t* h = data + at;
    const uint32_t headerSize = u32(h);
    if ((headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize) || size - at < headerSize)
        return DibError::UnknownFormat;

    if (headerSize == kCoreHeaderSize) {
        l.width = u16(h + 4);
        l.height = u16(h + 6);
        l.bitCount = u16(h + 10);
        l.entrySize = 3;
        l.tableAt = at + kCoreHeaderSize;
    } else {
        l.width = int32_t(u32(h + 4));
        const int64_t height = int32_t(u32(h + 8));
        l.topDown = height < 0;
        l.height = l.topDown ? -height : height; // 64 bits: INT32_MIN turns positive
        l.bitCount = u16(h + 14);
        l.compression = u32(h + 16);
        l.imageSize = u32(h + 20);
        l.tableAt = at + kInfoHeaderSize;
        if (l.compression == kBitfields) {
            l.masksAt = l.tableAt;
            l.tableAt += 12;
        }
    }
    l.colours = colourEntries(h);
    l.pixelsAt = fileHeader ? u32(data + 10) : l.tableAt + l.colours * l.entrySize;
    return DibError::None;
}

uint64_t rowStride(const Layout& l) {
    return (uint64_t(l.width) * l.bitCount + 31) / 32 * 4;
}

bool isSupported(const Layout& l) {
    switch (l.compression) {
    case kRgb:
        return l.bitCount == 1 || l.bitCount == 4 || l.bitCount == 8 || l.bitCount == 16 ||
               l.bitCount == 24 || l.bitCount == 32;
    case kRle8:
        return l.bitCount == 8 && !l.topDown;
    case kRle4:
        return l.bitCount == 4 && !l.topDown;
    case kBitfields:
        return l.bitCount == 16 || l.bitCount == 32;
    default:
        return false;
    }
}

bool isRle(const Layout& l) {
    return l.compression == kRle8 || l.compression == kRle4;
}

DibError checkLayout(const Layout& l, size_t size) {
    if (!isSupported(l) || l.width <= 0 || l.height == 0)
        return DibError::ConversionFailed;
    if (l.width > kMaxSide || l.height > kMaxSide || l.width * l.height > kMaxPixels)
        return DibError::OutOfMemory;
    // More entries than indices cannot be meant; the interface counts in 16 bits.
    const uint64_t maxColours = l.bitCount <= 8 ? uint64_t(1) << l.bitCount : 0xFFFF;
    if (l.colours > maxColours || l.tableAt + l.colours * l.entrySize > size)
        return DibError::ConversionFailed;
    if (l.pixelsAt > size)
        return DibError::ConversionFailed;
    // Partial pictures are refused; run-length data may end anywhere.
    if (!isRle(l) && rowStride(l) * uint64_t(l.height) > size - l.pixelsAt)
        return DibError::ConversionFailed;
    return DibError::None;
}

Palette readPalette(const uint8_t* data, const Layout& l) {
    Palette palette{};
    if (l.bitCount > 8)
        return palette;
    for (uint64_t i = 0; i < l.colours; ++i) {
        const uint8_t* e = data + l.tableAt + i * l.entrySize;
        palette[i] = {e[2], e[1], e[0]};
    }
    return palette;
}

Channel channelOf(uint32_t mask) {
    if (mask == 0)
        return {};
    const int shift = std::countr_zero(mask);
    return {mask, shift, mask >> shift};
}

// Scales a field of any width (masks need not be contiguous) to 0..255, rounded.
uint8_t channelValue(uint32_t pixel, const Channel& c) {
    if (c.max == 0)
        return 0;
    const uint64_t v = (pixel & c.mask) >> c.shift;
    return uint8_t((v * 255 + c.max / 2) / c.max);
}

std::array<Channel, 3> readChannels(const uint8_t* data, const Layout& l) {
    if (l.masksAt != 0)
        return {channelOf(u32(data + l.masksAt)), channelOf(u32(data + l.masksAt + 4)),
                channelOf(u32(data + l.masksAt + 8))};
    if (l.bitCount == 16)
        return {channelOf(0x7C00), channelOf(0x03E0), channelOf(0x001F)};
    return {channelOf(0xFF0000), channelOf(0x00FF00), channelOf(0x0000FF)};
}

void store(uint8_t* dst, Rgb c) {
    dst[0] = c.r;
    dst[1] = c.g;
    dst[2] = c.b;
}

void storeMasked(uint8_t* dst, uint32_t pixel, const std::array<Channel, 3>& ch) {
    dst[0] = channelValue(pixel, ch[0]);
    dst[1] = channelValue(pixel, ch[1]);
    dst[2] = channelValue(pixel, ch[2]);
}

void convertRow(const uint8_t* src, const Layout& l, const Palette& pal,
                const std::array<Channel, 3>& ch, uint8_t* dst) {
    for (int64_t x = 0; x < l.width; ++x, dst += 3) {
        switch (l.bitCount) {
        case 1:
            store(dst, pal[(src[x >> 3] >> (7 - (x & 7))) & 1]);
            break;
        case 4:
            store(dst, pal[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]);
            break;
        case 8:
            store(dst, pal[src[x]]);
            break;
        case 16:
            storeMasked(dst, u16(src + 2 * x), ch);
            break;
        case 24:
            store(dst, {src[3 * x + 2], src[3 * x + 1], src[3 * x]});
            break;
        default:
            storeMasked(dst, u32(src + 4 * x), ch);
            break;
        }
    }
}

uint8_t nibble(uint8_t b, int64_t k) {
    return uint8_t((k & 1) ? b & 15 : b >> 4);
}

// Runs that leave the row are clipped, never wrapped; pixels no run reaches keep the black
// they were allocated with. Every step consumes input and x and y only grow, so the work is
// bounded by the input and the picture.
void decodeRle(const uint8_t* src, size_t n, const Layout& l, const Palette& pal, uint8_t* out) {
    const bool four = l.compression == kRle4;
    const int64_t w = l.width;
    size_t i = 0;
    int64_t x = 0;
    int64_t y = 0;
    while (y < l.height && n - i >= 2) {
        const uint8_t count = src[i];
        const uint8_t value = src[i + 1];
        i += 2;
        if (count > 0) {
            const int64_t end = std::min<int64_t>(x + count, w);
            for (int64_t k = x; k < end; ++k)
                store(out + (y * w + k) * 3, pal[four ? nibble(value, k - x) : value]);
            x += count;
        } else if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            return;
        } else if (value == 2) { // delta
            if (n - i < 2)
                return;
            x += src[i];
            y += src[i + 1];
            i += 2;
        } else { // absolute run, padded to 16 bits
            const size_t bytes = four ? (value + 1u) / 2 : value;
            for (int64_t k = 0; k < value; ++k, ++x) {
                const size_t at = i + size_t(four ? k / 2 : k);
                if (at >= n)
                    return;
                if (x < w)
                    store(out + (y * w + x) * 3, pal[four ? nibble(src[at], k) : src[at]]);
            }
            i = std::min(n, i + bytes + (bytes & 1));
        }
    }
}

enum class ReadResult { Ok, OpenFailed, TooLarge, OutOfMemory };

ReadResult readWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    if (path == nullptr)
        return ReadResult::OpenFailed;
    // Non-blocking, so that opening a FIFO cannot hang; it is refused below.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return ReadResult::OpenFailed;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0)
        return ReadResult::OpenFailed;
    if (uint64_t(st.st_size) > kMaxFileSize)
        return ReadResult::TooLarge;
    try {
        bytes.resize(size_t(st.st_size));
    } catch (const std::bad_alloc&) {
        return ReadResult::OutOfMemory;
    }
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return ReadResult::OpenFailed;
        if (r == 0)
            break; // the file shrank meanwhile: decode what is there
        got += size_t(r);
    }
    bytes.resize(got);
    return got > 0 ? ReadResult::Ok : ReadResult::OpenFailed;
}

} // namespace

const char* dibErrorMessage(DibError error) {
    switch (error) {
    case DibError::None:
        return "";
    case DibError::UnknownFormat:
        return "Unknown DIB file format.";
    case DibError::ConversionFailed:
        return "Image file conversion error.";
    case DibError::OutOfMemory:
        return "Out of memory.";
    }
    return "";
}

std::string dibOpenFailedMessage(const char* path) {
    return std::string("Failed to open DIB file ") + (path ? path : "") + ".\n";
}

uint16_t countDibColours(const uint8_t* header, size_t available) {
    if (header == nullptr || available < 4)
        return 0;
    const uint32_t size = u32(header);
    if ((size != kInfoHeaderSize && size != kCoreHeaderSize) || available < size)
        return 0;
    // Saturates rather than wraps, so a huge count never looks like a small table.
    return uint16_t(std::min<uint32_t>(colourEntries(header), 0xFFFF));
}

DibError decodeDib(const uint8_t* data, size_t size, RgbImage& image) {
    image = RgbImage{};
    if (data == nullptr)
        size = 0;
    Layout l;
    DibError error = readLayout(data, size, l);
    if (error == DibError::None)
        error = checkLayout(l, size);
    if (error != DibError::None)
        return error;

    std::vector<uint8_t> pixels;
    try {
        pixels.assign(size_t(l.width * l.height * 3), 0);
    } catch (const std::bad_alloc&) {
        return DibError::OutOfMemory;
    }
    const Palette palette = readPalette(data, l);
    if (isRle(l)) {
        size_t n = size - l.pixelsAt;
        if (l.imageSize != 0)
            n = std::min<size_t>(n, l.imageSize);
        decodeRle(data + l.pixelsAt, n, l, palette, pixels.data());
    } else {
        const std::array<Channel, 3> channels = readChannels(data, l);
        const uint64_t stride = rowStride(l);
        for (int64_t row = 0; row < l.height; ++row) {
            // Bottom row first, as bottom-up files store it.
            const int64_t outRow = l.topDown ? l.height - 1 - row : row;
            convertRow(data + l.pixelsAt + uint64_t(row) * stride, l, palette, channels,
                       pixels.data() + outRow * l.width * 3);
        }
    }
    image.width = int32_t(l.width);
    image.height = int32_t(l.height);
    image.pixels = std::move(pixels);
    return DibError::None;
}

std::unique_ptr<RgbImage> loadDibImage(const char* path) {
    try {
        std::vector<uint8_t> bytes;
        switch (readWholeFile(path, bytes)) {
        case ReadResult::Ok:
            break;
        case ReadResult::OpenFailed:
            reportMessage("Error", dibOpenFailedMessage(path).c_str());
            return nullptr;
        case ReadResult::TooLarge:
        case ReadResult::OutOfMemory:
            reportMessage("Error", dibErrorMessage(DibError::OutOfMemory));
            return nullptr;
        }
        auto image = std::make_unique<RgbImage>();
        const DibError error = decodeDib(bytes.data(), bytes.size(), *image);
        if (error != DibError::None) {
            reportMessage("Error", dibErrorMessage(error));
            return nullptr;
        }
        return image;
    } catch (const std::bad_alloc&) {
        // Only the message text or the record can fail here; nothing was reported yet.
        reportMessage("Error", dibErrorMessage(DibError::OutOfMemory));
        return nullptr;
    }
}

} // namespace zb
