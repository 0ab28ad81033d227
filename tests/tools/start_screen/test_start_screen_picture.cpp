// The start screen picture as the build draws it: its format, a button inside every entry's
// rectangle, a wave background, and the rectangles themselves, which the program hit-tests.
#include "start/start_regions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zb::start {

using ui::kGalleryEntry;
using ui::kGalleryRegion;
using ui::kPictureHeight;
using ui::kPictureWidth;
using ui::kStartRegionCount;
using ui::kStartRegions;
using ui::StartRegion;
namespace {

struct Rgb {
    int r, g, b;
};

int luma(Rgb c) {
    return (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
}

int distance(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

bool isLight(Rgb c) {
    return luma(c) >= 200;
}
bool isDark(Rgb c) {
    return luma(c) <= 100;
}

uint32_t le32(const std::vector<uint8_t>& d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 |
           uint32_t(d[at + 3]) << 24;
}
uint16_t le16(const std::vector<uint8_t>& d, size_t at) {
    return uint16_t(d[at] | d[at + 1] << 8);
}

// A 24-bit uncompressed bitmap read by hand, so that the test does not depend on what an image
// library accepts.
class Bitmap {
  public:
    explicit Bitmap(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), {});
    }

    // Empty when the headers describe the expected layout, otherwise what is wrong.
    std::string problem() const {
        if (bytes_.size() < 54 || bytes_[0] != 'B' || bytes_[1] != 'M')
            return "not a bitmap file";
        if (le32(bytes_, 14) < 40)
            return "info header too short";
        if (le16(bytes_, 26) != 1)
            return "planes not 1";
        if (le16(bytes_, 28) != 24)
            return "not 24 bits per pixel";
        if (le32(bytes_, 30) != 0)
            return "compressed";
        if (width() <= 0 || height() <= 0)
            return "empty";
        const uint64_t end = uint64_t(offset()) + uint64_t(stride()) * uint64_t(height());
        if (end > bytes_.size())
            return "pixel data cut short";
        return {};
    }

    int width() const { return int32_t(le32(bytes_, 18)); }
    int height() const { return std::abs(int32_t(le32(bytes_, 22))); }

    // Row 0 at the top.
    Rgb at(int x, int y) const {
        const bool bottomUp = int32_t(le32(bytes_, 22)) > 0;
        const int row = bottomUp ? height() - 1 - y : y;
        const size_t p = offset() + size_t(row) * stride() + size_t(x) * 3;
        return {bytes_[p + 2], bytes_[p + 1], bytes_[p]};
    }

  private:
    uint32_t offset() const { return le32(bytes_, 10); }
    size_t stride() const { return (size_t(width()) * 3 + 3) & ~size_t(3); }

    std::vector<uint8_t> bytes_;
};

// The designed entries and the one added beside them, each drawn as a button.
std::vector<StartRegion> everyEntry() {
    std::vector<StartRegion> all(std::begin(kStartRegions), std::end(kStartRegions));
    all.push_back(kGalleryRegion);
    return all;
}

class StartPicture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { picture_ = new Bitmap(ZB_START_PICTURE); }
    static void TearDownTestSuite() {
        delete picture_;
        picture_ = nullptr;
    }
    void SetUp() override {
        const std::string problem = picture_->problem();
        ASSERT_EQ(problem, "") << ZB_START_PICTURE;
        ASSERT_EQ(picture_->width(), 1024);
        ASSERT_EQ(picture_->height(), 768);
    }
    static const Bitmap& picture() { return *picture_; }

  private:
    static inline Bitmap* picture_ = nullptr;
};

TEST_F(StartPicture, IsA24BitBitmapOf1024By768) {
    // The checks run in SetUp for every test; this one names them.
    EXPECT_EQ(picture().width(), kPictureWidth);
    EXPECT_EQ(picture().height(), kPictureHeight);
}

TEST_F(StartPicture, EveryEntryIsAButtonInsideItsRectangle) {
    const std::vector<StartRegion> entries = everyEntry();
    for (size_t k = 0; k < entries.size(); ++k) {
        SCOPED_TRACE("entry " + std::to_string(k));
        const StartRegion& r = entries[k];
        const int midY = (r.top + r.bottom) / 2;
        const int midX = (r.left + r.right) / 2;

        // Along the middle line: light fill, also right inside the border on both sides, and
        // dark pixels of border or text. The line may run through a line of text, whose
        // smoothed edges are neither light nor dark.
        int light = 0, dark = 0;
        for (int x = r.left + 1; x < r.right; ++x) {
            light += isLight(picture().at(x, midY));
            dark += isDark(picture().at(x, midY));
        }
        const int inside = r.right - r.left - 1;
        EXPECT_GT(light, inside / 4);
        EXPECT_GE(dark, 2);
        EXPECT_TRUE(isLight(picture().at(r.left + 6, midY)));
        EXPECT_TRUE(isLight(picture().at(r.right - 6, midY)));

        // The border lies 1 to 3 pixels inside every side, and stands out from what surrounds
        // the rectangle.
        const auto borderWithin = [&](auto pixel, Rgb outside) {
            for (int d = 1; d <= 3; ++d)
                if (isDark(pixel(d)) && distance(pixel(d), outside) >= 120)
                    return true;
            return false;
        };
        EXPECT_TRUE(borderWithin([&](int d) { return picture().at(r.left + d, midY); },
                                 picture().at(r.left - 1, midY)))
            << "left";
        EXPECT_TRUE(borderWithin([&](int d) { return picture().at(r.right - d, midY); },
                                 picture().at(r.right + 1, midY)))
            << "right";
        EXPECT_TRUE(borderWithin([&](int d) { return picture().at(midX, r.top + d); },
                                 picture().at(midX, r.top - 1)))
            << "top";
        EXPECT_TRUE(borderWithin([&](int d) { return picture().at(midX, r.bottom - d); },
                                 picture().at(midX, r.bottom + 1)))
            << "bottom";

        // The bounds themselves are not clickable, so the button must not reach them.
        EXPECT_FALSE(isDark(picture().at(r.left, midY)));
        EXPECT_FALSE(isDark(picture().at(r.right, midY)));
        EXPECT_FALSE(isDark(picture().at(midX, r.top)));
        EXPECT_FALSE(isDark(picture().at(midX, r.bottom)));
    }
}

TEST_F(StartPicture, EveryButtonCarriesText) {
    const std::vector<StartRegion> entries = everyEntry();
    for (size_t k = 0; k < entries.size(); ++k) {
        SCOPED_TRACE("entry " + std::to_string(k));
        const StartRegion& r = entries[k];
        // Well inside the border, dark pixels can only be text or a pictogram; a word of bold
        // text at the smallest size already has far more than this.
        int dark = 0, light = 0;
        for (int y = r.top + 8; y <= r.bottom - 8; ++y)
            for (int x = r.left + 8; x <= r.right - 8; ++x) {
                dark += isDark(picture().at(x, y));
                light += isLight(picture().at(x, y));
            }
        EXPECT_GE(dark, 150);
        EXPECT_GT(light, dark);
    }
}

TEST_F(StartPicture, BackgroundShowsLightWaves) {
    // Between the buttons, below the title: the wave field, light enough for dark text but not
    // a flat colour.
    int lowest = 255, highest = 0;
    long sum = 0, count = 0;
    for (int y = 250; y < 600; ++y)
        for (int x = 300; x < 720; ++x) {
            const int l = luma(picture().at(x, y));
            lowest = std::min(lowest, l);
            highest = std::max(highest, l);
            sum += l;
            ++count;
        }
    EXPECT_GE(highest - lowest, 30);
    EXPECT_GE(sum / count, 150);
}

TEST(StartRegions, AreTheAgreedRectangles) {
    const StartRegion expected[] = {
        {21, 371, 182, 417, "Was ist eine Zitterbecken? Wozu dieses Programm?"},
        {21, 440, 182, 496, "Informationen zur Funktionsweise der Simulation erhalten"},
        {20, 515, 254, 754, "Frei mit der Zitterbecken experimentieren"},
        {314, 613, 673, 754, "Zuvor gespeicherte Versuche laden"},
        {844, 371, 1005, 417, "Eine Einf\xc3\xbchrung ins Programm erhalten"},
        {844, 440, 1005, 496, "Eine methodisch aufgebaute Versuchsreihe ansehen"},
        {760, 516, 1005, 754, "Programm beenden"},
    };
    ASSERT_EQ(kStartRegionCount, 7);
    ASSERT_EQ(std::size(kStartRegions), std::size(expected));
    for (int k = 0; k < kStartRegionCount; ++k) {
        SCOPED_TRACE("entry " + std::to_string(k));
        EXPECT_EQ(kStartRegions[k].left, expected[k].left);
        EXPECT_EQ(kStartRegions[k].top, expected[k].top);
        EXPECT_EQ(kStartRegions[k].right, expected[k].right);
        EXPECT_EQ(kStartRegions[k].bottom, expected[k].bottom);
        EXPECT_STREQ(kStartRegions[k].text, expected[k].text);
    }
    EXPECT_EQ(kPictureWidth, 1024);
    EXPECT_EQ(kPictureHeight, 768);
}

TEST(StartRegions, TheGalleryEntryLiesInTheFreeAreaAfterTheDesignedOnes) {
    EXPECT_EQ(kGalleryEntry, kStartRegionCount);
    EXPECT_STRNE(kGalleryRegion.text, "");
    EXPECT_GT(kGalleryRegion.left, 0);
    EXPECT_LT(kGalleryRegion.right, kPictureWidth);
    EXPECT_GT(kGalleryRegion.top, 200); // below the title
    EXPECT_LT(kGalleryRegion.bottom, kPictureHeight);
    for (int k = 0; k < kStartRegionCount; ++k) {
        SCOPED_TRACE("entry " + std::to_string(k));
        const StartRegion& r = kStartRegions[k];
        const bool apart = kGalleryRegion.right <= r.left || r.right <= kGalleryRegion.left ||
                           kGalleryRegion.bottom <= r.top || r.bottom <= kGalleryRegion.top;
        EXPECT_TRUE(apart);
    }
}

} // namespace
} // namespace zb::start
