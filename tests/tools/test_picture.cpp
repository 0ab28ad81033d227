#include "engine_view.h"
#include "height_picture.h"
#include "png_check.h"
#include "png_writer.h"
#include "tool_support.h"

#include "sim/engine_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zbtool::test {

namespace {

Rgb pixelAt(const DecodedPng& png, uint32_t x, uint32_t y) {
    const uint8_t* p = png.pixel(x, y);
    return {p[0], p[1], p[2]};
}

} // namespace

TEST(PngWriter, ImagesDecodeToTheirPixelsAndDamageIsNoticed) {
    RgbImage image(211, 127);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            uint8_t* p = image.at(x, y);
            p[0] = uint8_t(x);
            p[1] = uint8_t(y);
            p[2] = uint8_t(x * 7 + y * 13);
        }
    const std::vector<uint8_t> file = encodePng(image);
    const DecodedPng png = decodePng(file);
    ASSERT_EQ(png.error, "");
    EXPECT_EQ(png.width, 211u);
    EXPECT_EQ(png.height, 127u);
    EXPECT_EQ(png.rgb, image.pixels);

    const DecodedPng tiny = decodePng(encodePng(RgbImage(1, 1)));
    ASSERT_EQ(tiny.error, "");
    EXPECT_EQ(tiny.rgb, std::vector<uint8_t>(3, 0));

    // The pixel comparisons above rest on a reader that checks the file: a changed checksum of
    // the image data (the 4 bytes before the 12 of IEND), a cut or an appendix fail.
    std::vector<uint8_t> damaged = file;
    damaged[file.size() - 13] ^= 0x10;
    EXPECT_NE(decodePng(damaged).error, "");
    EXPECT_NE(decodePng({file.begin(), file.end() - 20}).error, "");
    std::vector<uint8_t> longer = file;
    longer.push_back(0);
    EXPECT_EQ(decodePng(longer).error, "bytes after IEND");
}

TEST(HeightPicture, ColourMapRunsFromBlueThroughLightToRed) {
    const Rgb low = divergingColour(-1.0), mid = divergingColour(0.0), high = divergingColour(1.0);
    EXPECT_GT(low.b, low.r);
    EXPECT_GT(high.r, high.b);
    EXPECT_GT(std::min({mid.r, mid.g, mid.b}), 230);
    EXPECT_EQ(divergingColour(7.0), high);
    EXPECT_EQ(divergingColour(-7.0), low);
    EXPECT_EQ(divergingColour(std::nan("")), mid);
    // Darker towards both ends, so that the size of a swing can be read off.
    const auto brightness = [](Rgb c) { return int(c.r) + int(c.g) + int(c.b); };
    EXPECT_GT(brightness(divergingColour(0.5)), brightness(high));
    EXPECT_GT(brightness(divergingColour(-0.5)), brightness(low));
}

class HeightPictureOfPool : public ::testing::Test {
  protected:
    void TearDown() override { zb::restoreLoadState(); }
};

TEST_F(HeightPictureOfPool, MarksWallsAndExcitersAndScalesToTheLargestSwing) {
    zb::TZBecken tank;
    tank.SetSize(12, 8);
    tank.StandardKopplung = 1.0;
    zb::TWand& wall = addWall(tank, "Wand");
    wall = {.X = 3, .Y = 4, .Winkel = 90, .Laenge = 8};
    zb::TErreger& exciter = addExciter(tank, "Erreger");
    exciter.X = 9;
    exciter.Y = 2;
    exciter.Breite = exciter.Laenge = 1;
    tank.TransferToEngine();
    zb::Pool& pool = zb::gEngine.pool;
    ASSERT_TRUE(zb::gEngine.poolExists);
    ASSERT_TRUE(zb::isWallCell(pool.at(3, 4)));
    ASSERT_TRUE(pool.at(9, 2).exciter);
    pool.at(9, 2).position.y = 50.0f; // the exciter's own swing does not set the scale
    pool.at(6, 1).position.y = 0.2f;
    pool.at(7, 6).position.y = -0.2f;
    pool.at(5, 5).position.y = 0.05f;

    const int scale = 3;
    const DecodedPng png = decodePng(encodePng(heightPicture(engineView().pool, scale)));
    ASSERT_EQ(png.error, "");
    ASSERT_EQ(png.width, 12u * scale);
    ASSERT_EQ(png.height, 8u * scale);
    const auto node = [&](uint32_t i, uint32_t j, uint32_t dx = 0, uint32_t dy = 0) {
        return pixelAt(png, i * scale + dx, j * scale + dy);
    };
    EXPECT_EQ(node(3, 4), kWallColour);
    EXPECT_EQ(node(3, 0, 2, 1), kWallColour);
    EXPECT_EQ(node(9, 2, 1, 2), kExciterColour);
    EXPECT_EQ(node(6, 1, 2, 2), divergingColour(1.0));
    EXPECT_EQ(node(7, 6), divergingColour(-1.0));
    EXPECT_EQ(node(0, 0), divergingColour(0.0));
    const Rgb weak = node(5, 5);
    EXPECT_GT(weak.r, weak.b); // a small rise stays visibly a rise
    EXPECT_NE(weak, divergingColour(0.0));
    EXPECT_NE(weak, divergingColour(1.0));
}

// zbtool's picture of a wave field as large as 560 x 560 pixels: stored uncompressed it took
// 941 kB.
TEST_F(HeightPictureOfPool, WaveFieldPicturesAreCompressed) {
    zb::TZBecken tank;
    tank.SetSize(140, 140);
    tank.TransferToEngine();
    zb::Pool& pool = zb::gEngine.pool;
    ASSERT_TRUE(zb::gEngine.poolExists);
    for (int j = 0; j < 140; ++j)
        for (int i = 0; i < 140; ++i) {
            const double r = std::hypot(i - 70.0, j - 40.0);
            pool.at(i, j).position.y = float(std::sin(r / 2.9) * std::exp(-r / 90.0));
        }
    const RgbImage picture = heightPicture(engineView().pool, 4);
    ASSERT_EQ(picture.width, 560);
    const std::vector<uint8_t> file = encodePng(picture);
    EXPECT_LT(file.size(), 250u * 1000);
    EXPECT_EQ(decodePng(file).rgb, picture.pixels);
}

} // namespace zbtool::test
