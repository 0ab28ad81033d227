#include "engine_fixture.h"
#include "literal_additions.h"
#include "sim/rotated_rect.h"

#include <climits>
#include <random>

namespace zb::test {

namespace {

EngineTest::CellSet footprint(int cx, int cy, int width, int length, int angle) {
    ZBDLL_AddExciter(cx, cy, width, length, angle, 10.0, 0.1, true);
    return EngineTest::exciterCells();
}

} // namespace

using Exciters = EngineTest;

TEST_F(Exciters, AxisAlignedFootprints) {
    newPool(60, 60);
    EXPECT_EQ(footprint(30, 30, 1, 1, 0), rect(30, 30, 30, 30));
    newPool(60, 60);
    EXPECT_EQ(footprint(30, 30, 4, 1, 0), rect(29, 32, 30, 30));
    newPool(60, 60);
    EXPECT_EQ(footprint(30, 30, 4, 4, 0), rect(29, 32, 29, 32));
    newPool(60, 60);
    EXPECT_EQ(footprint(30, 30, 4, 4, 90), rect(29, 32, 28, 31));
}

TEST_F(Exciters, AnglesAreNormalisedBeforeTurning) {
    for (int angle : {360, -360, 720}) {
        newPool(40, 40);
        EXPECT_EQ(footprint(20, 20, 6, 3, angle), rect(18, 23, 19, 21)) << angle;
    }
    newPool(40, 40);
    const CellSet minus180 = footprint(20, 20, 6, 3, -180);
    newPool(40, 40);
    EXPECT_EQ(footprint(20, 20, 6, 3, 180), minus180);
    EXPECT_EQ(normaliseAngle(180), -180);
    EXPECT_EQ(normaliseAngle(-180), -180);
    EXPECT_EQ(normaliseAngle(179), 179);
    EXPECT_EQ(normaliseAngle(-181), 179);
    EXPECT_EQ(normaliseAngle(INT_MAX), 127);
    EXPECT_EQ(normaliseAngle(INT_MIN), -128);
    // The closed form against the two loops it replaces.
    for (int a = -2000; a <= 2000; ++a) {
        int b = a;
        while (b >= 180)
            b -= 360;
        while (b < -180)
            b += 360;
        ASSERT_EQ(normaliseAngle(a), b) << a;
    }
}

TEST_F(Exciters, DiagonalSquareIsADiamond) {
    newPool(60, 60);
    CellSet expected;
    for (int di = -2; di <= 2; ++di)
        for (int dj = -2; dj <= 2; ++dj)
            if (std::abs(di) + std::abs(dj) <= 2)
                expected.insert({30 + di, 30 + dj});
    EXPECT_EQ(footprint(30, 30, 3, 3, 45), expected);
    EXPECT_EQ(expected.size(), 13u);
}

TEST_F(Exciters, CellsTakeTheDriveAndTurnGreen) {
    newPool(20, 20, 0.2, 1.0);
    cell(10, 10).elongation = 0.125;
    cell(10, 10).fixed = true; // fixed without wall is still free: the exciter clears it
    ZBDLL_AddExciter(10, 10, 1, 1, 0, 12.3456789, 0.0987654321, false);
    const Oscillator& o = cell(10, 10);
    EXPECT_TRUE(o.exciter);
    EXPECT_FALSE(o.sineMode);
    EXPECT_FALSE(o.fixed);
    EXPECT_FALSE(o.wall);
    EXPECT_EQ(o.omega, float(12.3456789));
    EXPECT_EQ(o.amplitude, float(0.0987654321));
    EXPECT_EQ(o.velocity, 12.3456789 * 0.0987654321); // from the unrounded arguments
    EXPECT_EQ(o.elongation, 0.125);
    EXPECT_EQ(o.dampingFactor, float(1.0 - double(0.2f)));
    EXPECT_EQ(o.color[0], 0.0f);
    EXPECT_EQ(o.color[1], 1.0f);
    EXPECT_EQ(o.color[2], 0.0f);
    // The last exciter decides shared cells.
    ZBDLL_AddExciter(10, 10, 3, 3, 0, 5.0, 0.5, true);
    EXPECT_TRUE(cell(10, 10).sineMode);
    EXPECT_EQ(cell(10, 10).omega, 5.0f);
}

TEST_F(Exciters, EmptyOrDistantRectanglesSelectNothing) {
    newPool(30, 30);
    for (auto [w, l] : {std::pair{0, 5}, {5, 0}, {-3, 4}, {4, INT_MIN}})
        EXPECT_TRUE(footprint(15, 15, w, l, 0).empty()) << w << " " << l;
    EXPECT_TRUE(footprint(100, 15, 5, 5, 0).empty());
    EXPECT_TRUE(footprint(INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MIN).empty());
    // Clipped at the border.
    EXPECT_EQ(footprint(0, 0, 5, 5, 0), rect(0, 2, 0, 2));
}

TEST_F(Exciters, RasterisationMatchesTheWholeGridRule) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> centre(-20, 70), angle(-400, 400), side(-2, 40);
    for (int round = 0; round < 150; ++round) {
        const int cx = centre(rng), cy = centre(rng), a = angle(rng), w = side(rng), l = side(rng);
        newPool(50, 45);
        Pool fresh;
        ASSERT_TRUE(buildPool(fresh, 50, 45, 0.0f, 1.0f, false));
        literal::addExciter(fresh, cx, cy, w, l, a, 10.0, 0.1, true);
        CellSet expected;
        for (int j = 0; j < 45; ++j)
            for (int i = 0; i < 50; ++i)
                if (fresh.at(i, j).exciter)
                    expected.insert({i, j});
        ASSERT_EQ(footprint(cx, cy, w, l, a), expected) << cx << " " << cy << " " << a;
    }
}

} // namespace zb::test
