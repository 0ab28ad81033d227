#include "engine_fixture.h"
#include "literal_additions.h"
#include "sim/obstacles.h"
#include "sim/rotated_rect.h"

#include <chrono>
#include <climits>
#include <random>

namespace zb::test {

namespace {

// The nodes the wall rule selects, applied to every node of a fresh pool of the same size.
EngineTest::CellSet literalWall(const Pool& p, int cx, int cy, int angle, int length, int n, int b,
                                int g) {
    Pool fresh;
    EXPECT_TRUE(buildPool(fresh, p.sizeX, p.sizeY, 0.0f, 1.0f, false));
    literal::addWall(fresh, cx, cy, angle, length, n, b, g);
    EngineTest::CellSet s;
    for (int j = 0; j < p.sizeY; ++j)
        for (int i = 0; i < p.sizeX; ++i)
            if (isWallCell(fresh.at(i, j)))
                s.insert({i, j});
    return s;
}

} // namespace

using Walls = EngineTest;

TEST_F(Walls, StraightWallIsTwoRowsThickWithTheExtraNodeOnTheRight) {
    newPool(100, 60);
    ZBDLL_AddWall(50, 20, 0, 10, 0, 8, 12);
    EXPECT_EQ(wallCells(), rect(46, 55, 20, 21));
    const Oscillator& o = cell(50, 20);
    EXPECT_EQ(o.dampingFactor, 0.0f);
    EXPECT_EQ(o.color[0], 0.0f);
    EXPECT_EQ(o.color[1], 0.0f);
    EXPECT_EQ(o.color[2], 0.0f);
    EXPECT_FALSE(o.exciter);
}

TEST_F(Walls, SlitsOpenTheNodesStrictlyInside) {
    newPool(100, 60);
    ZBDLL_AddWall(50, 20, 0, 10, 1, 8, 12);
    CellSet expected = rect(46, 46, 20, 21);
    expected.merge(rect(54, 55, 20, 21));
    EXPECT_EQ(wallCells(), expected);

    newPool(100, 60);
    ZBDLL_AddWall(50, 20, 0, 40, 2, 8, 12);
    expected = rect(31, 36, 20, 21); // open: 37..43 and 57..63
    expected.merge(rect(44, 56, 20, 21));
    expected.merge(rect(64, 70, 20, 21));
    EXPECT_EQ(wallCells(), expected);
}

TEST_F(Walls, RightAnglesFollowTheSignOfTheTinyCosine) {
    newPool(60, 60);
    ZBDLL_AddWall(30, 30, 90, 4, 0, 0, 0);
    CellSet expected = rect(29, 30, 28, 29);
    expected.merge(rect(30, 31, 30, 31));
    EXPECT_EQ(wallCells(), expected);

    newPool(60, 60);
    ZBDLL_AddWall(30, 30, 270, 4, 0, 0, 0);
    expected = rect(29, 29, 30, 32);
    expected.merge(rect(30, 30, 29, 32));
    expected.merge(rect(31, 31, 29, 29));
    EXPECT_EQ(wallCells(), expected);
    newPool(60, 60);
    ZBDLL_AddWall(30, 30, -90, 4, 0, 0, 0);
    EXPECT_EQ(wallCells(), expected);
}

TEST_F(Walls, DiagonalWallIsThreeDiagonalsThick) {
    newPool(60, 60);
    ZBDLL_AddWall(30, 30, 45, 10, 0, 0, 0);
    CellSet expected;
    for (int di = -10; di <= 10; ++di)
        for (int dj = -10; dj <= 10; ++dj)
            if (std::abs(di + dj) <= 1 && std::abs(di - dj) <= 7)
                expected.insert({30 + di, 30 + dj});
    EXPECT_EQ(wallCells(), expected);
}

TEST_F(Walls, WallsAndExcitersOverrideInOrder) {
    newPool(40, 40);
    ZBDLL_AddExciter(20, 20, 5, 5, 0, 10.0, 0.1, true);
    ZBDLL_AddWall(20, 20, 0, 3, 0, 0, 0); // turns exciter cells into wall cells
    EXPECT_TRUE(cell(20, 20).wall);
    EXPECT_FALSE(cell(20, 20).exciter);
    EXPECT_EQ(cell(20, 20).color[1], 0.0f);
    ZBDLL_AddExciter(20, 20, 7, 7, 0, 10.0, 0.1, true); // leaves the wall alone
    EXPECT_TRUE(cell(20, 20).wall);
    EXPECT_FALSE(cell(20, 20).exciter);
    EXPECT_TRUE(cell(17, 17).exciter);
}

TEST_F(Walls, FastSlitTestAgreesWithTheLoop) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> count(-2, 12), width(-3, 9), bar(-12, 15);
    std::uniform_real_distribution<double> pos(-80, 80);
    for (int round = 0; round < 4000; ++round) {
        const int n = count(rng), b = width(rng), g = bar(rng);
        const float m = firstSlitStart(n, b, g);
        for (int k = 0; k < 20; ++k) {
            // Whole and half nodes hit the open bounds exactly.
            const double u = k < 10 ? double(float(std::round(pos(rng) * 2) / 2)) : pos(rng);
            ASSERT_EQ(inAnySlit(u, m, n, b, g), literal::inAnySlitLoop(u, m, n, b, g))
                << "u " << u << " n " << n << " b " << b << " g " << g;
        }
    }
}

TEST_F(Walls, RasterisationMatchesTheWholeGridRule) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> centre(-30, 90), angle(-800, 800), length(-5, 120);
    std::uniform_int_distribution<int> slits(0, 6), slit(0, 9), bar(-4, 14);
    for (int round = 0; round < 120; ++round) {
        const int nx = 40 + round % 37, ny = 30 + round % 23;
        const int cx = centre(rng), cy = centre(rng), a = angle(rng), len = length(rng);
        const int n = slits(rng), b = slit(rng), g = bar(rng);
        newPool(nx, ny);
        const CellSet expected = literalWall(pool(), cx, cy, a, len, n, b, g);
        ZBDLL_AddWall(cx, cy, a, len, n, b, g);
        ASSERT_EQ(wallCells(), expected) << cx << " " << cy << " " << a << " " << len;
    }
    // Far-away centres make the float roundings coarse; the result must still agree.
    for (auto [cx, cy, a, len] : {std::tuple{3000000, 20, 0, 6000100},
                                  {20, -4000000, 90, 8000000},
                                  {-70000000, -70000000, 45, 200000000},
                                  {INT_MAX, 10, 180, INT_MAX}}) {
        newPool(64, 48);
        const CellSet expected = literalWall(pool(), cx, cy, a, len, 0, 0, 0);
        ZBDLL_AddWall(cx, cy, a, len, 0, 0, 0);
        EXPECT_EQ(wallCells(), expected) << cx << " " << cy << " " << a << " " << len;
    }
}

TEST_F(Walls, ExtremeArgumentsNeitherHangNorEscapeTheGrid) {
    const auto start = std::chrono::steady_clock::now();
    const int extremes[] = {INT_MIN, -1, 0, 1, INT_MAX};
    newPool(50, 40);
    for (int cx : extremes)
        for (int a : {INT_MIN, INT_MAX})
            for (int len : extremes)
                for (int n : extremes)
                    for (int b : extremes)
                        for (int g : extremes)
                            ZBDLL_AddWall(cx, cx, a, len, n, b, g);
    // Slits of a huge count across the whole grid: every node is decided without a loop over k.
    newPool(50, 40);
    ZBDLL_AddWall(25, 20, 0, INT_MAX, INT_MAX, 1, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(pool().sizeX, 50); // nothing around the grid was overwritten
    EXPECT_EQ(pool().sizeY, 40);
}

} // namespace zb::test
