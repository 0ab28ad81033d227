// The explanation texts and pictures as the program finds them in <build>/Data: pictures the
// engine's and Qt's bitmap readers both take, of the size the windows lay out, with something
// on them; texts the program's rich-text reader accepts, copied unchanged from data/.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kDataDir = ZB_BUILD_DATA_DIR;
const std::string kSourceDataDir = ZB_SOURCE_DATA_DIR;

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t le16(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}

uint32_t le32(const std::string& b, size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

// "OH/Waende.rtf" becomes "OH_Waende_rtf".
std::string testName(const char* path) {
    std::string name = path;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

struct Rgb {
    int r, g, b;
    int luminance() const { return (299 * r + 587 * g + 114 * b) / 1000; }
};

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels; // top row first
    const Rgb& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Accepts exactly an uncompressed 24-bit Windows bitmap whose pixel rows lie inside the file.
Bitmap readBmp24(const std::string& bytes) {
    Bitmap bmp;
    EXPECT_GE(bytes.size(), 54u) << "shorter than the two headers";
    if (bytes.size() < 54)
        return bmp;
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(le32(bytes, 2), bytes.size()) << "file size in the header";
    const uint32_t offset = le32(bytes, 10);
    EXPECT_GE(le32(bytes, 14), 40u) << "info header size";
    const auto width = int32_t(le32(bytes, 18));
    const auto height = int32_t(le32(bytes, 22));
    EXPECT_EQ(le16(bytes, 26), 1u) << "planes";
    EXPECT_EQ(le16(bytes, 28), 24u) << "bits per pixel";
    EXPECT_EQ(le32(bytes, 30), 0u) << "compression";
    EXPECT_GT(width, 0);
    EXPECT_NE(height, 0);
    if (width <= 0 || height == 0 || le16(bytes, 28) != 24)
        return bmp;
    const bool bottomUp = height > 0;
    const int rows = bottomUp ? height : -height;
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    EXPECT_LE(offset + stride * size_t(rows), bytes.size()) << "pixel rows beyond the file";
    if (offset + stride * size_t(rows) > bytes.size())
        return bmp;
    bmp.width = width;
    bmp.height = rows;
    bmp.pixels.reserve(size_t(width) * size_t(rows));
    for (int y = 0; y < rows; ++y) {
        const size_t row = offset + stride * size_t(bottomUp ? rows - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const size_t p = row + 3 * size_t(x);
            bmp.pixels.push_back({uint8_t(bytes[p + 2]), uint8_t(bytes[p + 1]), uint8_t(bytes[p])});
        }
    }
    return bmp;
}

struct PictureCase {
    const char* path; // below Data
    int minWidth, maxWidth, minHeight, maxHeight;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) {
    return out << c.path;
}

// Widths the windows show unscaled: the first picture is centred at 329 pixels, the second
// spans 510, the third must fit the 512-pixel window; the info box halves the logo to 209 x 57.
const PictureCase kPictures[] = {
    {"RTFs/Funktionsweise_Bild1.bmp", 329, 329, 180, 230},
    {"RTFs/Funktionsweise_Bild2.bmp", 510, 510, 170, 220},
    {"RTFs/Funktionsweise_Bild3.bmp", 300, 510, 170, 220},
    {"Logo.bmp", 418, 418, 114, 114},
};

class HelpPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(HelpPicture, IsA24BitBitmapOfTheLaidOutSize) {
    const PictureCase& c = GetParam();
    const auto bytes = readFile(kDataDir + "/" + c.path);
    ASSERT_TRUE(bytes) << "missing: " << kDataDir << "/" << c.path;
    const Bitmap bmp = readBmp24(*bytes);
    ASSERT_FALSE(bmp.pixels.empty());
    EXPECT_GE(bmp.width, c.minWidth);
    EXPECT_LE(bmp.width, c.maxWidth);
    EXPECT_GE(bmp.height, c.minHeight);
    EXPECT_LE(bmp.height, c.maxHeight);
}

// Light paper with dark lines and letters on it: a blank, black or inverted picture fails.
TEST_P(HelpPicture, ShowsDarkDrawingOnLightPaper) {
    const PictureCase& c = GetParam();
    const auto bytes = readFile(kDataDir + "/" + c.path);
    ASSERT_TRUE(bytes);
    const Bitmap bmp = readBmp24(*bytes);
    ASSERT_FALSE(bmp.pixels.empty());

    size_t light = 0;
    size_t dark = 0;
    for (const Rgb& p : bmp.pixels) {
        light += p.luminance() >= 235 ? 1 : 0;
        dark += p.luminance() <= 100 ? 1 : 0;
    }
    const double count = double(bmp.pixels.size());
    EXPECT_GE(double(light) / count, 0.6) << "the paper is not light";
    EXPECT_GE(double(dark) / count, 0.01) << "hardly any dark lines or letters";

    const int right = bmp.width - 1;
    const int bottom = bmp.height - 1;
    for (const auto& [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
        EXPECT_GE(bmp.at(x, y).luminance(), 235) << "corner " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Data, HelpPicture, testing::ValuesIn(kPictures),
                         [](const auto& p) { return testName(p.param.path); });

class HelpText : public testing::TestWithParam<const char*> {};

// Every text the program opens: the start screen's, the four parts of the window
// "Funktionsweise der Simulation", the editor's "Was ist ...?" buttons and the pages of the
// menu "Information".
const char* const kTexts[] = {
    "ZitterBecken.rtf",    "Funktionsweise1.rtf",        "Funktionsweise2.rtf",
    "Funktionsweise3.rtf", "Funktionsweise4.rtf",        "OH/Waende.rtf",
    "OH/Schirme.rtf",      "OH/Materialuebergaenge.rtf", "OH/Erreger.rtf",
    "OH/Messpunkte.rtf",   "OH/MitDerMaus.rtf",          "OH/BewegteErreger.rtf",
    "OH/Medien.rtf",       "OH/GebogeneWaende.rtf",      "OH/Raender.rtf",
};

TEST_P(HelpText, IsCopiedUnchangedFromTheSources) {
    const auto built = readFile(kDataDir + "/RTFs/" + GetParam());
    const auto source = readFile(kSourceDataDir + "/RTFs/" + GetParam());
    ASSERT_TRUE(built) << "missing in the build: " << GetParam();
    ASSERT_TRUE(source) << "missing in data/: " << GetParam();
    EXPECT_TRUE(*built == *source) << "the copy differs from data/RTFs/" << GetParam();
}

TEST_P(HelpText, IsOneWellFormedRtfGroup) {
    const auto text = readFile(kDataDir + "/RTFs/" + GetParam());
    ASSERT_TRUE(text);
    ASSERT_EQ(text->rfind("{\\rtf1", 0), 0u) << "does not start with {\\rtf1";
    EXPECT_NE(text->find("\\ansicpg1252"), std::string::npos);

    // The outermost group must close at the last brace: the reader stops there, and anything
    // after it would never be shown.
    int depth = 0;
    size_t closedAt = std::string::npos;
    for (size_t k = 0; k < text->size(); ++k) {
        const char c = (*text)[k];
        if (c == '\\') {
            ++k; // an escaped brace or backslash is text, not structure
        } else if (c == '{') {
            ASSERT_EQ(closedAt, std::string::npos) << "a group after the end, at byte " << k;
            ++depth;
        } else if (c == '}') {
            ASSERT_GT(depth, 0) << "unmatched } at byte " << k;
            if (--depth == 0)
                closedAt = k;
        }
    }
    EXPECT_EQ(depth, 0) << "unclosed groups";
    ASSERT_NE(closedAt, std::string::npos);
    EXPECT_EQ(text->find_first_not_of(" \t\r\n", closedAt + 1), std::string::npos)
        << "text after the closing brace";
}

// The reader takes bytes as Windows-1252; umlauts written as \'hh survive any editor's encoding.
TEST_P(HelpText, HoldsOnlyAsciiWithValidEscapes) {
    const auto text = readFile(kDataDir + "/RTFs/" + GetParam());
    ASSERT_TRUE(text);
    for (size_t k = 0; k < text->size(); ++k)
        ASSERT_LT(uint8_t((*text)[k]), 0x80) << "raw byte at " << k;
    const auto isHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    for (size_t k = 0; k + 1 < text->size(); ++k) {
        if ((*text)[k] != '\\')
            continue;
        if ((*text)[k + 1] == '\'') {
            ASSERT_LT(k + 3, text->size());
            EXPECT_TRUE(isHex((*text)[k + 2]) && isHex((*text)[k + 3]))
                << "\\' without two hex digits at byte " << k;
        }
        ++k;
    }
}

INSTANTIATE_TEST_SUITE_P(Data, HelpText, testing::ValuesIn(kTexts),
                         [](const auto& p) { return testName(p.param); });

} // namespace
