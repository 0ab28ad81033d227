// Whole tanks described through the exports against the same tanks written by the literal
// rules, record for record; and what the additions visit, which grows with what they change.
#include "engine_fixture.h"
#include "literal_additions.h"
#include "sim/rotated_rect.h"
#include "step_oracle.h"

#include <random>

namespace zb::test {

namespace {

// One random tank, built twice: through the exports, and literally on a pool of its own.
class RandomTank {
  public:
    explicit RandomTank(uint32_t seed) : rng_(seed) {}

    void build(Pool& literal) {
        const int nx = pick(1, 70), ny = pick(1, 50);
        const double damping = pick(0, 20) / 1000.0, coupling = 0.5 + pick(0, 30) / 10.0;
        const int edgeWidth = pick(-1, 12);
        ZBDLL_ResetAll();
        ZBDLL_CreateEmptyPool(nx, ny, damping, coupling, edgeWidth);
        ASSERT_TRUE(buildPool(literal, nx, ny, float(damping), float(coupling)));
        ZBDLL_SetPaused(false);
        ZBDLL_SetSimulationSpeed(0.003f);
        float t = 0.0f;
        int lastStart = -5;
        const int additions = pick(1, 12);
        for (int k = 0; k < additions; ++k) {
            switch (pick(0, 5)) {
            case 0:
            case 1: { // mostly ascending start rows, as the model sends them
                const int start = pick(0, 4) == 0 ? pick(-5, ny + 3) : lastStart + pick(0, 9);
                lastStart = start;
                const double c = pick(1, 40) / 10.0, d = pick(0, 50) / 1000.0;
                ZBDLL_AddMatChange(start, c, d);
                literal::addMatChange(literal, start, c, d);
                break;
            }
            case 2: {
                const int cx = pick(-20, nx + 20), cy = pick(-20, ny + 20), a = angle();
                const int len = pick(-2, 150), n = pick(0, 5), b = pick(-1, 9), g = pick(-3, 14);
                ZBDLL_AddWall(cx, cy, a, len, n, b, g);
                literal::addWall(literal, cx, cy, a, len, n, b, g);
                break;
            }
            case 3: {
                const int cx = pick(-10, nx + 10), cy = pick(-10, ny + 10), a = angle();
                const int w = pick(-1, 25), l = pick(-1, 25);
                const double omega = pick(-200, 200) / 10.0, amplitude = pick(0, 30) / 100.0;
                const bool sine = pick(0, 1) == 1;
                ZBDLL_AddExciter(cx, cy, w, l, a, omega, amplitude, sine);
                literal::addExciter(literal, cx, cy, w, l, a, omega, amplitude, sine);
                break;
            }
            case 4: {
                const bool back = pick(0, 1), front = pick(0, 1), left = pick(0, 1),
                           right = pick(0, 1);
                ZBDLL_AddEdges(back, front, left, right);
                literal::addEdges(literal, float(edgeWidth), back, front, left, right);
                break;
            }
            default: // a frame between two additions
                ZBDLL_NextFrame();
                t = t + 0.003f;
                oracle::stepPool(literal, 0.003f, t, true);
                break;
            }
        }
    }

  private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    // Any angle, with the right angles and their neighbours, where the roundings are tight,
    // more often than their share.
    int angle() {
        if (pick(0, 2) == 0)
            return 45 * pick(-9, 9) + pick(-1, 1);
        return pick(-800, 800);
    }
    std::mt19937 rng_;
};

} // namespace

using Additions = EngineTest;

TEST_F(Additions, RandomTanksMatchTheLiteralRulesRecordForRecord) {
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        Pool literal;
        RandomTank(seed).build(literal);
        ASSERT_TRUE(gEngine.poolExists);
        const long diff = firstDifference(pool(), literal);
        ASSERT_EQ(diff, -1) << "seed " << seed << ": record " << diff << " of a " << pool().sizeX
                            << " x " << pool().sizeY << " pool";
    }
}

TEST_F(Additions, WallsVisitCellsInProportionToTheirLengthAtEveryAngle) {
    // The spans need the sizes only; a pool without arrays is enough.
    Pool p;
    p.sizeX = 3000;
    p.sizeY = 2000;
    const int length = 3000;
    for (int a = -180; a < 180; ++a) {
        const TurnedRect wall{rotationFor(a), 1500, 1000, length / 2.0, 1.0};
        const CellBox box = candidateBox(p, wall);
        ASSERT_FALSE(box.empty());
        int64_t visited = 0;
        for (int64_t j = box.j0; j <= box.j1; ++j) {
            const ColumnSpan span = candidateColumns(p, wall, box, j);
            if (span.first <= span.last) {
                ASSERT_GE(span.first, box.i0);
                ASSERT_LE(span.last, box.i1);
                visited += span.last - span.first + 1;
            }
        }
        // The wall covers about 2 * length cells; its bounding box up to half a million.
        const int64_t rows = box.j1 - box.j0 + 1;
        EXPECT_LE(visited, 6 * (2 * length + rows)) << a << " degrees";
    }
}

TEST_F(Additions, MaterialChangesWriteEachRowOnce) {
    newPool(6, 40, 0.0, 1.0);
    ZBDLL_AddMatChange(10, 2.0, 0.0);
    ZBDLL_AddMatChange(20, 3.0, 0.0);
    ZBDLL_AddMatChange(30, 4.0, 0.0);
    // Each change is written up to the next one's start: the rows that the last change takes
    // over were never written by the earlier ones.
    const Pool& raw = gEngine.pool;
    EXPECT_EQ(raw.at(0, 15).coupling, 2.0f);
    EXPECT_EQ(raw.at(5, 25).coupling, 3.0f);
    EXPECT_EQ(raw.at(5, 35).coupling, 1.0f);
    EXPECT_EQ(cell(5, 25).coupling, 3.0f);
    EXPECT_EQ(cell(5, 35).coupling, 4.0f);
    EXPECT_EQ(cell(3, 30).color[1], 0.2f);
}

TEST_F(Additions, EdgesVisitOnlyTheirBands) {
    newPool(40, 30, 0.0, 1.0, 3);
    // A blue that differs from the factor, which the additions never leave: only a visit to
    // this cell would set it back.
    cell(20, 15).color[2] = 0.5f;
    cell(6, 15).color[2] = 0.5f;
    ZBDLL_AddEdges(true, true, true, true);
    EXPECT_EQ(cell(20, 15).color[2], 0.5f);
    EXPECT_EQ(cell(6, 15).color[2], 0.5f);
    EXPECT_EQ(cell(2, 15).dampingFactor, 2.0f / 3.0f);
    EXPECT_EQ(cell(20, 27).dampingFactor, 2.0f / 3.0f);
    EXPECT_EQ(cell(20, 27).color[2], 2.0f / 3.0f);
}

} // namespace zb::test
