// The editor's marks: drawn over the flat view where the oscillators lie, never in the relief.
#include "gl_fixture.h"

#include <cmath>

namespace zb::test {

namespace {

bool isOrange(Rgb c) {
    return c.r > 230 && c.g > 90 && c.g < 140 && c.b < 30;
}

} // namespace

class Marks : public GlTest {
  protected:
    void TearDown() override {
        ZBDLL_ClearMarks();
        GlTest::TearDown();
    }
};

TEST_F(Marks, LinesAndHandlesLieOverTheirOscillators) {
    newPool(21, 21);
    lookDown(1.5);
    // Looking straight down from 1.5: world z maps to row 120 + 193.2 z, x to column
    // 160 + 193.2 x; oscillator k lies at -0.5 + 0.05 k.
    auto pixel = [](double k) { return int(std::lround((-0.5 + 0.05 * k) * 193.2)); };
    ZBDLL_AddMarkLine(4, 5, 16, 5);
    ZBDLL_AddMarkHandle(10, 15);
    capture();
    const int lineRow = 120 + pixel(5);
    EXPECT_GT(count(isOrange, lineRow - 1, lineRow + 2), 100) << "the line across row 5";
    EXPECT_TRUE(isOrange(at(160 + pixel(10), 120 + pixel(15)))) << "the handle's face";
    EXPECT_TRUE(at(160 + pixel(10) + 4, 120 + pixel(15)).near({0, 0, 0}, 40)) << "its rim";
    EXPECT_FALSE(isOrange(at(160 + pixel(2), lineRow))) << "the line ends at column 4";
    EXPECT_EQ(count(isOrange, 0, lineRow - 3) + count(isOrange, lineRow + 3, 120 + pixel(15) - 6),
              0);

    // The relief never shows them; cleared, the flat view neither.
    ZBDLL_Set3dMode(true);
    capture();
    EXPECT_EQ(count(isOrange), 0);
    ZBDLL_Set3dMode(false);
    ZBDLL_ClearMarks();
    capture();
    EXPECT_EQ(count(isOrange), 0);
}

TEST_F(Marks, NonsenseCostsNothing) {
    newPool(5, 5);
    lookDown(1.5);
    for (int k = 0; k < 100000; ++k)
        ZBDLL_AddMarkLine(0, 0, 1e300, std::nan(""));
    EXPECT_LE(gEngine.view.marks.size(), 256u);
    capture();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

} // namespace zb::test
