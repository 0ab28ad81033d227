// The bitmap reader: known pixels for every depth and compression, run-length escapes, and
// damaged files of every kind. The bitmaps are built byte by byte here.
#include "render/bitmap_loader.h"
#include "render/messages.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zb::test {

namespace {

using Bytes = std::vector<uint8_t>;

struct Dib {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    std::vector<uint32_t> palette = {}; // 0xRRGGBB
    Bytes pixels = {};                  // as stored, rows padded
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    uint32_t headerSize = 40; // 12 writes a core header; other sizes pad an info header
    bool fileHeader = true;
    std::vector<uint32_t> masks = {};
    uint32_t imageSize = 0;
    int64_t pixelOffset = -1; // -1: right after the colour table
};

Dib with(Dib d, const std::function<void(Dib&)>& change) {
    change(d);
    return d;
}

void put(Bytes& b, uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b.push_back(uint8_t(v >> 8 * i));
}

Bytes build(const Dib& d) {
    const bool core = d.headerSize == 12;
    Bytes h;
    put(h, d.headerSize, 4);
    put(h, uint32_t(d.width), core ? 2 : 4);
    put(h, uint32_t(d.height), core ? 2 : 4);
    put(h, 1, 2);
    put(h, d.bits, 2);
    if (!core) {
        for (uint32_t v : {d.compression, d.imageSize, 2835u, 2835u, d.coloursUsed, 0u})
            put(h, v, 4);
        h.resize(std::max<size_t>(h.size(), d.headerSize));
    }
    for (uint32_t m : d.masks)
        put(h, m, 4);
    for (uint32_t c : d.palette) { // blue first; the reserved byte must not matter
        put(h, c, 3);
        if (!core)
            h.push_back(0xA5);
    }
    Bytes f;
    if (d.fileHeader) {
        const uint32_t after = uint32_t(14 + h.size());
        f = {'B', 'M'};
        put(f, after + uint32_t(d.pixels.size()), 4);
        put(f, 0, 4);
        put(f, d.pixelOffset >= 0 ? uint32_t(d.pixelOffset) : after, 4);
    }
    f.insert(f.end(), h.begin(), h.end());
    f.insert(f.end(), d.pixels.begin(), d.pixels.end());
    return f;
}

// Palette colours with three different channels, none of them black.
uint32_t pal(int i) {
    return uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i ^ 0x5A);
}

std::vector<uint32_t> ramp(int n) {
    std::vector<uint32_t> p;
    for (int i = 0; i < n; ++i)
        p.push_back(pal(i));
    return p;
}

Bytes rgb(const std::vector<uint32_t>& colours) {
    Bytes b;
    for (uint32_t c : colours)
        b.insert(b.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
    return b;
}

bool isEmpty(const RgbImage& image) {
    return image.width == 0 && image.height == 0 && image.pixels.empty();
}

DibError decode(const Bytes& file, RgbImage& image) {
    return decodeDib(file.data(), file.size(), image);
}

const auto caseName = [](const auto& p) { return std::string(p.param.name); };

// ---------------------------------------------------------------------------------------------
// Known pixels, expected bottom row first, red first. Padding and unused bits are set, so that
// reading them shows.

struct DecodeCase {
    const char* name;
    Dib dib;
    std::vector<uint32_t> rgb;
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr uint32_t A = 0x123456;
constexpr uint32_t B = 0xABCDEF;
const std::vector<uint32_t> masks565 = {0xF800, 0x07E0, 0x001F};

// clang-format off
const DecodeCase decodeCases[] = {
    {"OneBit", {10, 2, 1, {A, B}, {0xA0, 0xFF, 0xFF, 0xFF, 0x7F, 0xBF, 0xFF, 0xFF}},
     {B, A, B, A, A, A, A, A, B, B, A, B, B, B, B, B, B, B, B, A}},
    {"FourBit", {3, 2, 4, ramp(16), {0x12, 0x3F, 0xEE, 0xEE, 0xFE, 0x0A, 0xEE, 0xEE}},
     {pal(1), pal(2), pal(3), pal(15), pal(14), pal(0)}},
    {"EightBitColoursUsedZeroHas256Entries", {3, 1, 8, ramp(256), {0, 128, 255, 7}},
     {pal(0), pal(128), pal(255)}},
    // Without file header the pixels follow the 16-entry table; indices past it are black.
    {"EightBitColoursUsedSixteen", {4, 1, 8, ramp(16), {15, 16, 0, 255}, 0, 16, 40, false},
     {pal(15), 0, pal(0), 0}},
    {"SixteenBitFiveFiveFive",
     {3, 2, 16, {}, {0, 0x7C, 0xE0, 3, 0x1F, 0, 0xEE, 0xEE, 0x10, 0x42, 0, 0x80, 0xFF, 0x7F, 0, 0}},
     {0xFF0000, 0x00FF00, 0x0000FF, 0x848484, 0x000000, 0xFFFFFF}},
    {"SixteenBitFields",
     {2, 2, 16, {}, {0, 0xF8, 0xE0, 0x07, 0x1F, 0, 0x10, 0x84}, 3, 0, 40, true, masks565},
     {0xFF0000, 0x00FF00, 0x0000FF, 0x848284}},
    {"BitfieldsWithoutFileHeaderFollowMasks",
     {2, 1, 16, {}, {0x00, 0xF8, 0x1F, 0x00}, 3, 0, 40, false, masks565},
     {0xFF0000, 0x0000FF}},
    // Width 3: three padding bytes per row, which must not reach the output.
    {"TwentyFourBitRowPadding",
     {3, 2, 24, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE,
                     11, 12, 13, 14, 15, 16, 17, 18, 19, 0xEE, 0xEE, 0xEE}},
     {0x030201, 0x060504, 0x090807, 0x0D0C0B, 0x100F0E, 0x131211}},
    {"ThirtyTwoBit", {2, 1, 32, {}, {1, 2, 3, 0xFF, 4, 5, 6, 0x80}}, {0x030201, 0x060504}},
    {"ThirtyTwoBitFieldsRedInLowByte",
     {2, 1, 32, {}, {1, 2, 3, 0xFF, 4, 5, 6, 0x80}, 3, 0, 40, true, {0xFF, 0xFF00, 0xFF0000}},
     {0x010203, 0x040506}},
    {"CoreHeaderEightBit", {2, 1, 8, ramp(256), {7, 200, 0xEE, 0xEE}, 0, 0, 12},
     {pal(7), pal(200)}},
    {"CoreHeaderFourBitWithoutFileHeader", {2, 1, 4, ramp(16), {0x5A, 0, 0, 0}, 0, 0, 12, false},
     {pal(5), pal(10)}},
    {"PixelOffsetFromFileHeader", {.pixels = {9, 9, 9, 9, 1, 2, 3, 0}, .pixelOffset = 58},
     {0x030201}},
    // Stored top row first, returned bottom row first like every other picture.
    {"TopDown", {1, -3, 24, {}, {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0}},
     {0x030303, 0x020202, 0x010101}},
};
// clang-format on

class DibDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DibDecode, KnownPixels) {
    const DecodeCase& c = GetParam();
    RgbImage image;
    ASSERT_EQ(decode(build(c.dib), image), DibError::None);
    EXPECT_EQ(image.width, c.dib.width);
    EXPECT_EQ(image.height, std::abs(c.dib.height));
    EXPECT_EQ(image.pixels, rgb(c.rgb));
}

// Each prefix sits in a buffer of exactly its length, so that the sanitizer build sees any
// read past it. Cut inside the headers the file is unknown; cut later it is damaged.
TEST_P(DibDecode, EveryShorterPrefixFailsCleanly) {
    const Dib& dib = GetParam().dib;
    const Bytes file = build(dib);
    const size_t headerEnd = (dib.fileHeader ? 14 : 0) + dib.headerSize;
    for (size_t n = 0; n < file.size(); ++n) {
        RgbImage image;
        EXPECT_EQ(decode(Bytes(file.begin(), file.begin() + ptrdiff_t(n)), image),
                  n < headerEnd ? DibError::UnknownFormat : DibError::ConversionFailed)
            << "length " << n;
        EXPECT_TRUE(isEmpty(image)) << "length " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDecode, ::testing::ValuesIn(decodeCases), caseName);

// ---------------------------------------------------------------------------------------------
// Run-length data with a 16-colour table. Rows bottom first: a hex digit is that palette
// index, '.' a pixel never written (black).

struct RleCase {
    const char* name;
    uint16_t bits;
    int32_t width;
    Bytes data;
    std::vector<std::string> rows;
    uint32_t imageSize = 0;
};

void PrintTo(const RleCase& c, std::ostream* os) {
    *os << c.name;
}

Bytes rleFile(const RleCase& c) {
    Dib d{c.width, int32_t(c.rows.size()), c.bits, ramp(16), c.data, c.bits == 8 ? 1u : 2u, 16};
    d.imageSize = c.imageSize;
    return build(d);
}

// clang-format off
const RleCase rleCases[] = {
    {"RunsAndEndOfLine", 8, 4, {2, 1, 2, 2, 0, 0, 4, 3, 0, 0, 1, 4, 0, 1}, {"1122", "3333", "4..."}},
    {"DeltaSkipsRightAndUp", 8, 4, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}, {"1...", "...2", "...."}},
    {"AbsoluteOddLengthIsPadded", 8, 4, {0, 3, 5, 6, 7, 0, 1, 8, 0, 1}, {"5678", "...."}},
    {"AbsoluteEvenLengthIsNotPadded", 8, 4, {0, 4, 5, 6, 7, 8, 0, 0, 1, 9, 0, 1}, {"5678", "9..."}},
    {"OverlongRunIsClippedNotWrapped", 8, 4, {9, 1, 0, 0, 1, 2, 0, 1}, {"1111", "2..."}},
    {"OverlongAbsoluteRunIsClipped", 8, 4, {0, 6, 1, 2, 3, 4, 5, 6, 0, 0, 1, 7, 0, 1},
     {"1234", "7..."}},
    {"DataAfterEndOfBitmapIgnored", 8, 4, {1, 1, 0, 1, 4, 2}, {"1...", "...."}},
    {"MissingEndOfBitmap", 8, 4, {4, 1, 0, 0, 2, 2}, {"1111", "22..", "...."}},
    {"EndOfLineOnLastRowEnds", 8, 2, {2, 1, 0, 0, 2, 2}, {"11"}},
    {"DeltaOutOfPicture", 8, 2, {0, 2, 0, 5, 2, 1, 0, 1}, {"..", ".."}},
    {"IndexPastTableIsBlack", 8, 3, {1, 200, 1, 15, 1, 16, 0, 1}, {".f."}},
    {"NoDataAtAll", 8, 2, {}, {".."}},
    {"ImageSizeLimitsData", 8, 4, {4, 1, 0, 0, 4, 2}, {"1111", "...."}, 4},
    {"FourBitRunsAlternateNibbles", 4, 5, {5, 0x12, 0, 0, 3, 0x3F, 0, 1}, {"12121", "3f3.."}},
    {"FourBitAbsoluteOddByteCountIsPadded", 4, 8, {0, 5, 0x12, 0x34, 0x50, 0, 2, 0x66, 0, 1},
     {"1234566."}},
    {"FourBitAbsoluteEvenByteCountIsNotPadded", 4, 8, {0, 4, 0x12, 0x34, 2, 0x77, 0, 1},
     {"123477.."}},
    {"FourBitOverlongRunIsClipped", 4, 3, {7, 0x12, 0, 0, 1, 0x30, 0, 1}, {"121", "3.."}},
};
// clang-format on

class DibRle : public ::testing::TestWithParam<RleCase> {};

TEST_P(DibRle, Decodes) {
    const RleCase& c = GetParam();
    std::vector<uint32_t> expected;
    for (const std::string& row : c.rows)
        for (char ch : row)
            expected.push_back(ch == '.' ? 0 : pal(std::stoi(std::string(1, ch), nullptr, 16)));
    RgbImage image;
    ASSERT_EQ(decode(rleFile(c), image), DibError::None);
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, int32_t(c.rows.size()));
    EXPECT_EQ(image.pixels, rgb(expected));
}

// Running out of data ends the picture: every prefix that holds the headers decodes, and
// each pixel it shows is black or that of the full picture.
TEST_P(DibRle, EveryPrefixDecodesSafely) {
    const Bytes file = rleFile(GetParam());
    const size_t pixelsAt = 14 + 40 + 16 * 4;
    RgbImage full;
    ASSERT_EQ(decode(file, full), DibError::None);
    for (size_t n = 0; n < file.size(); ++n) {
        RgbImage image;
        const DibError error = decode(Bytes(file.begin(), file.begin() + ptrdiff_t(n)), image);
        if (n < pixelsAt) {
            EXPECT_NE(error, DibError::None) << "length " << n;
            EXPECT_TRUE(isEmpty(image)) << "length " << n;
            continue;
        }
        ASSERT_EQ(error, DibError::None) << "length " << n;
        ASSERT_EQ(image.pixels.size(), full.pixels.size());
        for (size_t p = 0; p < full.pixels.size(); p += 3) {
            const auto at = [p](const RgbImage& i) { return i.pixels.begin() + ptrdiff_t(p); };
            EXPECT_TRUE(std::all_of(at(image), at(image) + 3, [](uint8_t v) { return !v; }) ||
                        std::equal(at(image), at(image) + 3, at(full)))
                << "length " << n << ", pixel " << p / 3;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Escapes, DibRle, ::testing::ValuesIn(rleCases), caseName);

// ---------------------------------------------------------------------------------------------
// Refused files. A failed decode leaves the image empty even when it held a picture before.

const Dib small24{2, 2, 24, {}, Bytes(16, 0x40)};
const Dib small8{2, 2, 8, ramp(256), Bytes(8, 1)};

struct RejectCase {
    const char* name;
    Dib dib;
    DibError error;
};

void PrintTo(const RejectCase& c, std::ostream* os) {
    *os << c.name;
}

using E = DibError;
using Change = std::function<void(Dib&)>;
RejectCase reject(const char* name, DibError error, const Dib& base, const Change& change) {
    return {name, with(base, change), error};
}

const RejectCase rejectCases[] = {
    reject("HeaderSize108", E::UnknownFormat, small24, [](Dib& d) { d.headerSize = 108; }),
    reject("HeaderSize124", E::UnknownFormat, small24, [](Dib& d) { d.headerSize = 124; }),
    reject("HeaderSize64WithoutFileHeader", E::UnknownFormat, small24,
           [](Dib& d) { d.headerSize = 64, d.fileHeader = false; }),
    reject("BitCountTwo", E::ConversionFailed, small24, [](Dib& d) { d.bits = 2; }),
    reject("BitCount64", E::ConversionFailed, small24, [](Dib& d) { d.bits = 64; }),
    reject("EmbeddedJpeg", E::ConversionFailed, small24, [](Dib& d) { d.compression = 4; }),
    reject("BitfieldsWith24Bits", E::ConversionFailed, small24,
           [](Dib& d) {
               d.compression = 3, d.masks = {0xFF0000, 0xFF00, 0xFF};
           }),
    reject("Rle8WithFourBits", E::ConversionFailed, small8,
           [](Dib& d) { d.compression = 1, d.bits = 4; }),
    reject("Rle4WithEightBits", E::ConversionFailed, small8, [](Dib& d) { d.compression = 2; }),
    reject("RleTopDown", E::ConversionFailed, small8,
           [](Dib& d) { d.compression = 1, d.height = -2; }),
    reject("WidthZero", E::ConversionFailed, small24, [](Dib& d) { d.width = 0; }),
    reject("WidthInt32Min", E::ConversionFailed, small24, [](Dib& d) { d.width = INT32_MIN; }),
    reject("HeightZero", E::ConversionFailed, small24, [](Dib& d) { d.height = 0; }),
    reject("CoreHeightZero", E::ConversionFailed, small24,
           [](Dib& d) { d.headerSize = 12, d.height = 0; }),
    // Larger than the loader takes, refused before any allocation.
    reject("WidthOverLimit", E::OutOfMemory, small24, [](Dib& d) { d.width = 32769; }),
    reject("TopDownHeightInt32Min", E::OutOfMemory, small24, [](Dib& d) { d.height = INT32_MIN; }),
    reject("WidthInt32MaxAt32Bits", E::OutOfMemory, small24,
           [](Dib& d) { d.width = INT32_MAX, d.bits = 32; }),
    reject("PixelsOverLimit", E::OutOfMemory, small24,
           [](Dib& d) { d.width = 32768, d.height = 2049; }),
    reject("CoreSidesOverLimit", E::OutOfMemory, small24,
           [](Dib& d) { d.headerSize = 12, d.width = 65535, d.height = 65535; }),
    // Within the limits, but the pixels are not in the file.
    reject("PixelLimitWithoutData", E::ConversionFailed, small24,
           [](Dib& d) { d.width = 32768, d.height = 2048; }),
    reject("PixelOffsetMax", E::ConversionFailed, small24,
           [](Dib& d) { d.pixelOffset = 0xFFFFFFFF; }),
    reject("PixelOffsetAtEnd", E::ConversionFailed, small24,
           [](Dib& d) { d.pixelOffset = 14 + 40 + 16; }),
    reject("RlePixelOffsetPastEnd", E::ConversionFailed, small8,
           [](Dib& d) { d.compression = 1, d.pixelOffset = 14 + 40 + 1024 + 9; }),
    reject("ColoursUsedOverOneBit", E::ConversionFailed, small8,
           [](Dib& d) { d.bits = 1, d.coloursUsed = 3, d.palette = ramp(3); }),
    reject("ColoursUsedOverEightBits", E::ConversionFailed, small8,
           [](Dib& d) { d.coloursUsed = 257, d.palette = ramp(257); }),
    reject("ColoursUsedMax", E::ConversionFailed, small8,
           [](Dib& d) { d.coloursUsed = 0xFFFFFFFF; }),
    // Cut to 16 bits this count would be 0 and the missing table would go unnoticed.
    reject("TrueColourTableOf65536", E::ConversionFailed, small24,
           [](Dib& d) { d.coloursUsed = 0x10000; }),
    reject("ColourTableCutShort", E::ConversionFailed, small8,
           [](Dib& d) { d.palette = ramp(100), d.pixelOffset = 14 + 40 + 400; }),
    reject("BitfieldMasksMissing", E::ConversionFailed, small24,
           [](Dib& d) { d.bits = 16, d.compression = 3, d.pixelOffset = 54, d.pixels.resize(8); }),
};

class DibReject : public ::testing::TestWithParam<RejectCase> {};

TEST_P(DibReject, WithError) {
    RgbImage image{.width = 1, .height = 1, .pixels = {1, 2, 3}};
    EXPECT_EQ(decode(build(GetParam().dib), image), GetParam().error);
    EXPECT_TRUE(isEmpty(image));
}

INSTANTIATE_TEST_SUITE_P(Damaged, DibReject, ::testing::ValuesIn(rejectCases), caseName);

TEST(DibLimits, ExactlyMaximumWidthDecodes) {
    RgbImage image;
    ASSERT_EQ(decode(build({32768, 1, 8, {A}, Bytes(32768, 0)}), image), DibError::None);
    EXPECT_EQ(image.pixels.size(), 32768u * 3);
    EXPECT_EQ(std::count(image.pixels.begin(), image.pixels.end(), 0x34), 32768);
}

TEST(DibColourCount, FromHeader) {
    const std::pair<Dib, uint16_t> cases[] = {
        {{.bits = 1, .headerSize = 12}, 2},
        {{.bits = 4, .headerSize = 12}, 16},
        {{.bits = 8, .headerSize = 12}, 256},
        {{.bits = 24, .headerSize = 12}, 0},
        {{.bits = 8}, 256},
        {{.bits = 8, .coloursUsed = 16}, 16},
        {{.bits = 24, .coloursUsed = 5}, 5},
        {{.bits = 16}, 0},
        {{.bits = 8, .coloursUsed = 0x10002}, 0xFFFF}, // saturates, never wraps
        {{.bits = 8, .headerSize = 108}, 0},
    };
    for (const auto& [dib, count] : cases) {
        const Bytes header = build(with(dib, [](Dib& d) { d.fileHeader = false; }));
        EXPECT_EQ(countDibColours(header.data(), header.size()), count)
            << dib.bits << " bits, header " << dib.headerSize << ", used " << dib.coloursUsed;
    }
    const Bytes info = build({.bits = 8, .fileHeader = false});
    EXPECT_EQ(countDibColours(info.data(), 39), 0) << "incomplete header";
}

// ---------------------------------------------------------------------------------------------
// Loading files: exactly one message per failure, titled "Error", none on success.

std::vector<std::pair<std::string, std::string>> gMessages;

void recordMessage(const char* title, const char* text) {
    gMessages.emplace_back(title, text);
}

class DibLoadFile : public ::testing::Test {
  protected:
    void SetUp() override {
        gMessages.clear();
        setMessageHandler(recordMessage);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        setMessageHandler(nullptr);
        std::filesystem::remove_all(dir);
    }
    std::string write(const char* name, const Bytes& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    const std::filesystem::path dir =
        std::filesystem::path(::testing::TempDir()) / ("zb_dib_" + std::to_string(::getpid()));
};

TEST_F(DibLoadFile, ValidFileLoadsWithoutMessage) {
    const std::string path = write("ok.bmp", build({2, 1, 24, {}, {1, 2, 3, 4, 5, 6, 0, 0}}));
    const std::unique_ptr<RgbImage> image = loadDibImage(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(gMessages.empty());
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 1);
    EXPECT_EQ(image->pixels, rgb({0x030201, 0x060504}));
}

TEST_F(DibLoadFile, EachFailureShowsExactlyOneMessage) {
    const std::string missing = (dir / "missing.bmp").string();
    const std::string fifo = (dir / "fifo.bmp").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); // opening it must not wait for a writer
    const Bytes whole = build(small24);
    const std::pair<std::string, std::string> cases[] = {
        {missing, "Failed to open DIB file " + missing + ".\n"},
        {fifo, "Failed to open DIB file " + fifo + ".\n"},
        {dir.string(), "Failed to open DIB file " + dir.string() + ".\n"},
        {write("empty.bmp", {}), "Failed to open DIB file " + (dir / "empty.bmp").string() + ".\n"},
        {write("v5.bmp", build(with(small24, [](Dib& d) { d.headerSize = 124; }))),
         "Unknown DIB file format."},
        {write("cut.bmp", Bytes(whole.begin(), whole.end() - 1)), "Image file conversion error."},
        {write("huge.bmp", build(with(small24, [](Dib& d) { d.width = d.height = 100000; }))),
         "Out of memory."},
    };
    for (const auto& [path, text] : cases) {
        gMessages.clear();
        EXPECT_EQ(loadDibImage(path.c_str()), nullptr) << path;
        ASSERT_EQ(gMessages.size(), 1u) << path;
        EXPECT_EQ(gMessages[0].first, "Error");
        EXPECT_EQ(gMessages[0].second, text);
    }
}

} // namespace

} // namespace zb::test
