// Camera, pool angle and the look-at that never degenerates.
#include "gl_fixture.h"

#include <cmath>
#include <limits>

namespace zb::test {

namespace {

std::array<float, 16> modelViewAfterCamera() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
    std::array<float, 16> m{};
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

bool usable(const std::array<float, 16>& m) {
    bool nonZero = false;
    for (float v : m) {
        if (!std::isfinite(v))
            return false;
        nonZero = nonZero || (v != 0.0f);
    }
    // The rotation part must be a proper basis: its first row is the screen's x axis.
    return nonZero && std::fabs(m[0] * m[0] + m[4] * m[4] + m[8] * m[8] - 1.0f) < 1e-5f;
}

} // namespace

using Camera_ = GlTest;

TEST_F(Camera_, TargetSharesTheEyesX) {
    ZBDLL_SetCamera(0.2, 1.0, 0.3, 0.0, 0.3);
    EXPECT_EQ(gEngine.camera.eye.x, 0.2f);
    EXPECT_EQ(gEngine.camera.eye.y, 1.0f);
    EXPECT_EQ(gEngine.camera.eye.z, 0.3f);
    EXPECT_EQ(gEngine.camera.target.x, 0.2f);
    EXPECT_EQ(gEngine.camera.target.y, 0.0f);
    EXPECT_EQ(gEngine.camera.target.z, 0.3f);
    EXPECT_TRUE(usable(modelViewAfterCamera()));
}

TEST_F(Camera_, RowZeroIsAtTheTopWhenLookingDown) {
    newPool(21, 21);
    ZBDLL_AddWall(10, 0, 0, 21, 0, 0, 0); // rows 0 and 1
    lookDown(1.5);
    capture(false);
    int top = 0, bottom = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (isBlack(at(x, y)))
                (y < kHeight / 2 ? top : bottom)++;
    EXPECT_GT(top, 100);
    EXPECT_EQ(bottom, 0);
}

TEST_F(Camera_, PoolAngleTurnsThePoolNotTheCamera) {
    newPool(21, 21);
    ZBDLL_AddWall(19, 10, 90, 21, 0, 0, 0); // a wall along the right side (+x)
    lookDown(1.5);
    capture(false);
    int left = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth / 2; ++x)
            left += isBlack(at(x, y)) ? 1 : 0;
    EXPECT_GT(count(isBlack), 100);
    EXPECT_EQ(left, 0);
    // +90 degrees turns the +x side towards -z, the top of the picture.
    ZBDLL_SetPoolAngle(90.0);
    capture(false);
    EXPECT_GT(count(isBlack, 0, kHeight / 2), 100);
    EXPECT_EQ(count(isBlack, kHeight / 2, kHeight), 0);
}

TEST_F(Camera_, EyeOnTheTargetKeepsTheLastDirection) {
    newPool(21, 21);
    ZBDLL_AddWall(10, 0, 0, 21, 0, 0, 0);
    lookDown(1.5);
    capture(false);
    const std::vector<uint8_t> lookingDown = pixels_;
    ZBDLL_SetCamera(0.0, 1.5, 0.0, 1.5, 0.0); // both view controls at 0
    EXPECT_TRUE(usable(modelViewAfterCamera()));
    capture(false);
    EXPECT_EQ(pixels_, lookingDown);

    // Before any direction was known, and with values that are no numbers. The reset ends the
    // drawing as well.
    restoreLoadState();
    ASSERT_EQ(ZBDLL_CreateFromHwnd(window_, kWidth, kHeight, ZB_BUILD_DIR "/"), 0);
    ZBDLL_SetCamera(0.3, 0.3, 0.3, 0.3, 0.3);
    EXPECT_TRUE(usable(modelViewAfterCamera()));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ZBDLL_SetCamera(nan, 1.0, nan, nan, 0.0);
    EXPECT_TRUE(usable(modelViewAfterCamera()));
    ZBDLL_SetCamera(0.0, 1.0, 0.0, std::numeric_limits<double>::infinity(), 0.0);
    EXPECT_TRUE(usable(modelViewAfterCamera()));
}

TEST_F(Camera_, NewPoolGetsTheDefaultCameraAndKeepsViewSettingsAcrossReset) {
    ZBDLL_SetPoolAngle(30.0);
    ZBDLL_SetViewParameters(true, false);
    newPool(40, 20);
    EXPECT_EQ(gEngine.camera.eye.y, 8.0f);
    EXPECT_EQ(gEngine.camera.target.y, 0.0f);
    EXPECT_EQ(gEngine.view.poolAngle, 30.0f);
    EXPECT_TRUE(gEngine.view.translucentScreens);
    EXPECT_FALSE(gEngine.view.wireframe);
    EXPECT_TRUE(ZBDLL_RepaintScene(true, false));
}

} // namespace zb::test
