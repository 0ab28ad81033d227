// Shaped media, curved walls and the choice of edges, as written into the grid.
#include "engine_fixture.h"
#include "sim/step.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace zb::test {

namespace {

// The nodes water reaches from (i, j), moving between a node and its four neighbours.
EngineTest::CellSet waterReachedFrom(int i, int j) {
    EngineTest::CellSet seen;
    std::vector<std::pair<int, int>> todo{{i, j}};
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (!isFreeCell(EngineTest::pool(), x, y) || !seen.insert({x, y}).second)
            continue;
        todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return seen;
}

std::vector<Oscillator> records() {
    const Pool& p = EngineTest::pool();
    return {p.oscillators.get(), p.oscillators.get() + p.cellCount()};
}

bool sameBits(const std::vector<Oscillator>& a, const std::vector<Oscillator>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

} // namespace

using CurvedWalls = EngineTest;

TEST_F(CurvedWalls, ThinClosedCircleKeepsWaterAndWaveInside) {
    struct Circle {
        double cx, cy, r;
    };
    for (const Circle c : {Circle{30, 30, 5}, Circle{30.4, 29.5, 12.3}, Circle{31.7, 30.2, 20.75},
                           Circle{30, 30, 27.5}}) {
        newPool(62, 62);
        ZBDLL_AddArcWall(c.cx, c.cy, c.r, 0, 360, 1, 0, 0, 0);
        const CellSet inside = waterReachedFrom(int(c.cx), int(c.cy));
        EXPECT_FALSE(inside.empty());
        EXPECT_EQ(inside.count({0, 0}), 0u) << "radius " << c.r;
        EXPECT_EQ(inside.count({61, 61}), 0u) << "radius " << c.r;
    }
    // A wave inside a thin ring leaves every node outside it at rest.
    newPool(60, 60);
    ZBDLL_AddArcWall(30, 30, 14.6, 90, 90, 1, 0, 0, 0);
    ZBDLL_AddExciter(30, 30, 1, 1, 0, 40.0, 0.1, true);
    float t = 0;
    for (int n = 0; n < 600; ++n)
        stepPool(pool(), 0.0121f, t += 0.0121f, true, false);
    double inside = 0, outside = 0;
    for (int j = 0; j < 60; ++j)
        for (int i = 0; i < 60; ++i)
            (std::hypot(i - 30, j - 30) > 16 ? outside : inside) +=
                std::fabs(cell(i, j).elongation);
    EXPECT_GT(inside, 1.0);
    EXPECT_EQ(outside, 0.0);
}

TEST_F(CurvedWalls, ArcTurnsCounterClockwiseFromTheRightAndCentresItsSlits) {
    newPool(60, 60);
    ZBDLL_AddArcWall(30, 30, 12, 0, 90, 1, 0, 0, 0);
    const CellSet quarter = wallCells();
    ASSERT_FALSE(quarter.empty());
    for (const auto& [i, j] : quarter) {
        EXPECT_GE(i, 30); // the view's rows run downwards: upper right
        EXPECT_LE(j, 30);
    }
    EXPECT_EQ(quarter.count({42, 30}), 1u);
    EXPECT_EQ(quarter.count({30, 18}), 1u);
    // Half a circle over the top with one slit: open at its middle, the top.
    newPool(60, 60);
    ZBDLL_AddArcWall(30, 30, 12, 0, 180, 2, 1, 5, 0);
    EXPECT_TRUE(isFreeCell(pool(), 30, 18));
    EXPECT_TRUE(isFreeCell(pool(), 32, 18));
    EXPECT_FALSE(isFreeCell(pool(), 36, 19));
    EXPECT_FALSE(isFreeCell(pool(), 42, 30));
    EXPECT_FALSE(isFreeCell(pool(), 18, 30));
}

TEST_F(CurvedWalls, WideParabolaCutsThePoolInTwo) {
    for (double angle : {90.0, 0.0, 180.0, 270.0, 33.0}) {
        newPool(81, 81);
        // Focus in the middle, vertex 12 behind it, wide enough to leave the pool.
        ZBDLL_AddParabolaWall(40, 40, 12, angle, 400, 1, 0, 0, 0);
        const double a = angle * M_PI / 180;
        const CellSet front = waterReachedFrom(40, 40);
        // A node behind the vertex, against the direction the mirror opens to.
        const int bi = int(std::lround(40 - 20 * std::cos(a)));
        const int bj = int(std::lround(40 + 20 * std::sin(a)));
        EXPECT_EQ(front.count({bi, bj}), 0u) << angle;
        EXPECT_TRUE(isFreeCell(pool(), bi, bj)) << angle;
        // The vertex itself is wall.
        EXPECT_FALSE(isFreeCell(pool(), int(std::lround(40 - 12 * std::cos(a))),
                                int(std::lround(40 + 12 * std::sin(a)))))
            << angle;
    }
}

TEST_F(CurvedWalls, ParabolaSlitsAreCentredOnTheVertexAndMeasuredAlongTheCurve) {
    // Opening upwards, vertex at (40, 50); one slit 8 wide along the curve.
    newPool(81, 81);
    ZBDLL_AddParabolaWall(40, 40, 10, 90, 60, 1, 1, 8, 0);
    EXPECT_TRUE(isFreeCell(pool(), 40, 50));
    EXPECT_TRUE(isFreeCell(pool(), 43, 50));
    EXPECT_TRUE(isFreeCell(pool(), 37, 50));
    // 6 across the axis the curve has risen by 6²/40 and the arc from the vertex is 6.1 long.
    EXPECT_FALSE(isFreeCell(pool(), 46, 49));
    EXPECT_FALSE(isFreeCell(pool(), 34, 49));
    // Where the curve is steep, a slit measured across the axis would be far too long.
    newPool(81, 81);
    ZBDLL_AddParabolaWall(40, 40, 4, 90, 60, 1, 2, 10, 10);
    const CellSet wall = wallCells();
    // Vertex at (40, 44). Slits along the arc from 5 to 15 on either side: the curve from
    // 4.75 to 11.6 across the axis is open, beyond it closed again.
    EXPECT_EQ(wall.count({40 + 9, 44 - 5}), 0u);
    EXPECT_EQ(wall.count({40 - 9, 44 - 5}), 0u);
    EXPECT_EQ(wall.count({40 + 16, 44 - 16}), 1u);
    EXPECT_EQ(wall.count({40 - 16, 44 - 16}), 1u);
    EXPECT_EQ(wall.count({40, 44}), 1u);
    // 13 across the axis, but 18 along the curve: closed.
    EXPECT_EQ(wall.count({40 + 13, 33}), 1u);
    EXPECT_EQ(wall.count({40 - 13, 33}), 1u);
}

using ShapedMedia = EngineTest;

TEST_F(ShapedMedia, TakeTheMaterialChangesValuesAndTintAndSpareWallsAndExciters) {
    newPool(40, 40, 0.1, 1.0);
    ZBDLL_AddMatChange(10, 0.37, 0.23);
    const Oscillator changed = cell(20, 30);
    newPool(40, 40, 0.1, 1.0);
    ZBDLL_AddWall(20, 20, 0, 5, 0, 0, 0);
    ZBDLL_AddExciter(20, 26, 1, 1, 0, 10.0, 0.1, true);
    const Oscillator wall = cell(20, 20);
    const Oscillator exciter = cell(20, 26);
    ZBDLL_AddMedium(1, 20, 20, 24, 16, 0, 0.37, 0.23);
    EXPECT_EQ(cell(20, 23).coupling, changed.coupling);
    EXPECT_EQ(cell(20, 23).dampingFactor, changed.dampingFactor);
    EXPECT_EQ(cell(20, 23).color[2], changed.color[2]);
    EXPECT_EQ(cell(20, 23).color[1], 1.0f);                       // inside
    EXPECT_EQ(cell(8, 20).color[1], 0.2f);                        // the outline
    EXPECT_EQ(cell(7, 20).coupling, 1.0f);                        // outside
    EXPECT_EQ(std::memcmp(&cell(20, 20), &wall, sizeof wall), 0); // as they were
    EXPECT_EQ(std::memcmp(&cell(20, 26), &exciter, sizeof exciter), 0);
}

TEST_F(ShapedMedia, TurnAsWallsTurn) {
    // A rectangle two high covers the nodes of a wall of its width at any angle, but for the
    // nodes exactly on its border (whole rows of them at right angles), which the wall's float
    // roundings decide.
    for (int angle : {0, 30, 100, 135, -60}) {
        newPool(60, 60);
        ZBDLL_AddWall(30, 30, angle, 20, 0, 0, 0);
        const CellSet wall = wallCells();
        newPool(60, 60);
        ZBDLL_AddMedium(0, 30, 30, 20, 2, angle, 0.5, 0.0);
        const CellSet medium = cellsWhere([](const Oscillator& o) { return o.coupling == 0.5f; });
        size_t shared = 0;
        for (const auto& c : medium)
            shared += wall.count(c);
        EXPECT_GT(double(shared), 0.85 * double(wall.size())) << angle;
        EXPECT_GT(double(shared), 0.85 * double(medium.size())) << angle;
    }
}

TEST_F(ShapedMedia, TriangleHasItsApexAtTheTopOfItsBox) {
    auto countIn = [](int i0, int i1, int j0, int j1) {
        int n = 0;
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i)
                n += cell(i, j).coupling == 0.5f;
        return n;
    };
    newPool(60, 60);
    ZBDLL_AddMedium(2, 30, 30, 20, 20, 0, 0.5, 0.0);
    EXPECT_LT(countIn(0, 59, 20, 24), countIn(0, 59, 35, 39) / 3);
    // Turned a quarter counter-clockwise, the apex points left.
    newPool(60, 60);
    ZBDLL_AddMedium(2, 30, 30, 20, 20, 90, 0.5, 0.0);
    EXPECT_LT(countIn(20, 24, 0, 59), countIn(35, 39, 0, 59) / 3);
}

using EdgeKinds = EngineTest;

TEST_F(EdgeKinds, DesignedEdgesStayBitForBitAndQuietOnesAreUsedUp) {
    auto build = [](int kind) {
        newPool(50, 40, 0.05, 1.3, 7);
        ZBDLL_AddMatChange(20, 0.8, 0.1);
        ZBDLL_AddMedium(1, 25, 20, 20, 10, 15, 0.5, 0.02);
        if (kind >= 0)
            ZBDLL_SetEdgeKind(kind);
        ZBDLL_AddEdges(true, true, true, true);
        return records();
    };
    const std::vector<Oscillator> designed = build(-1);
    EXPECT_TRUE(sameBits(build(0), designed));
    EXPECT_FALSE(sameBits(build(1), designed));
    EXPECT_TRUE(sameBits(build(-1), designed)); // the quiet kind was for one tank only
    EXPECT_TRUE(sameBits(build(7), designed));  // unknown kinds are the designed one
}

TEST_F(EdgeKinds, QuietBandGradesTowardsTheBorderAndFollowsTheSpeed) {
    ZBDLL_SetSimulationSpeed(0.0121f);
    newPool(100, 20, 0.0, 1.0, 40);
    ZBDLL_SetEdgeKind(1);
    ZBDLL_AddEdges(false, false, true, false);
    const std::vector<Oscillator> direct = records();
    for (int i = 0; i < 40; ++i) {
        EXPECT_LT(cell(i, 10).dampingFactor, cell(i + 1, 10).dampingFactor) << i;
        EXPECT_LT(cell(i, 10).coupling, cell(i + 1, 10).coupling) << i;
    }
    EXPECT_EQ(cell(40, 10).dampingFactor, 1.0f);
    EXPECT_EQ(cell(40, 10).coupling, 1.0f);

    // Laid at another speed and retuned: the same records.
    ZBDLL_SetSimulationSpeed(0.0025f);
    newPool(100, 20, 0.0, 1.0, 40);
    ZBDLL_SetEdgeKind(1);
    ZBDLL_AddEdges(false, false, true, false);
    EXPECT_FALSE(sameBits(records(), direct));
    ZBDLL_SetSimulationSpeed(0.0121f);
    EXPECT_TRUE(sameBits(records(), direct));

    // A pool built since (in the same arrays) keeps its own factors when the speed changes.
    newPool(100, 20, 0.0, 1.0, 40);
    const std::vector<Oscillator> fresh = records();
    ZBDLL_SetSimulationSpeed(0.0025f);
    EXPECT_TRUE(sameBits(records(), fresh));
}

} // namespace zb::test
