#include "engine_fixture.h"

#include <climits>

namespace zb::test {

using MaterialAndEdges = EngineTest;

TEST_F(MaterialAndEdges, ChangesInRowOrderMakeBands) {
    newPool(10, 50, 0.1, 1.0);
    ZBDLL_AddMatChange(20, 2.0, 0.25);
    ZBDLL_AddMatChange(30, 3.0, 0.5);
    for (int j = 0; j < 50; ++j) {
        const float expectDamping = j < 20 ? float(1.0 - double(0.1f)) : j < 30 ? 0.75f : 0.5f;
        const float expectCoupling = j < 20 ? 1.0f : j < 30 ? 2.0f : 3.0f;
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(cell(i, j).dampingFactor, expectDamping) << j;
            EXPECT_EQ(cell(i, j).coupling, expectCoupling) << j;
            EXPECT_EQ(cell(i, j).color[2], expectDamping) << j;
            EXPECT_EQ(cell(i, j).color[1], j == 20 || j == 30 ? 0.2f : 1.0f) << j;
        }
    }
}

TEST_F(MaterialAndEdges, StartRowsOutsideThePool) {
    newPool(5, 8);
    ZBDLL_AddMatChange(8, 2.0, 0.5); // beyond the last row: nothing
    ZBDLL_AddMatChange(INT_MAX, 2.0, 0.5);
    EXPECT_TRUE(cellsWhere([](const Oscillator& o) { return o.coupling != 1.0f; }).empty());
    ZBDLL_AddMatChange(-3, 2.0, 0.5); // every row, no boundary row to mark
    EXPECT_EQ(cellsWhere([](const Oscillator& o) { return o.coupling == 2.0f; }).size(), 40u);
    EXPECT_TRUE(cellsWhere([](const Oscillator& o) { return o.color[1] != 1.0f; }).empty());
}

TEST_F(MaterialAndEdges, LeftEdgeRampsUpByOneWidthPerNode) {
    newPool(30, 20, 0.0, 1.0, 10);
    ZBDLL_AddEdges(false, false, true, false);
    for (int i = 0; i <= 10; ++i) {
        const float expected = i < 10 ? float(i) / 10.0f : 1.0f;
        EXPECT_EQ(cell(i, 7).dampingFactor, expected) << i;
        EXPECT_EQ(cell(i, 7).color[2], expected) << i;
    }
    EXPECT_EQ(cell(29, 7).dampingFactor, 1.0f);
}

TEST_F(MaterialAndEdges, BaseDampingScalesTheRampOnceMore) {
    newPool(30, 20, 0.1, 1.0, 10);
    ZBDLL_AddEdges(false, false, true, false);
    const float base = float(1.0 - double(0.1f));
    EXPECT_EQ(cell(5, 3).dampingFactor, 0.5f * base * base);
    EXPECT_FLOAT_EQ(cell(5, 3).dampingFactor, 0.405f);
}

TEST_F(MaterialAndEdges, WidthOneOnAllSidesFixesTheBorderRing) {
    newPool(12, 9, 0.0, 1.0, 1);
    ZBDLL_AddEdges(true, true, true, true);
    for (int j = 0; j < 9; ++j) {
        for (int i = 0; i < 12; ++i) {
            const bool border = i == 0 || j == 0 || i == 11 || j == 8;
            EXPECT_EQ(cell(i, j).dampingFactor, border ? 0.0f : 1.0f) << i << "," << j;
        }
    }
}

TEST_F(MaterialAndEdges, CornersTakeBothFactorsAndExcitersStayGreen) {
    newPool(20, 20, 0.0, 1.0, 4);
    ZBDLL_AddExciter(18, 18, 3, 3, 0, 10.0, 0.1, true);
    ZBDLL_AddEdges(true, true, true, true);
    // (17, 18): right factor (20-17-1)/4, then front factor (20-18-1)/4.
    const float f = float(2) / 4.0f * 1.0f * 1.0f;
    EXPECT_EQ(cell(17, 18).dampingFactor, float(1) / 4.0f * f * 1.0f);
    EXPECT_EQ(cell(17, 18).color[1], 1.0f);
    EXPECT_EQ(cell(17, 18).color[2], 0.0f); // green survives the scaling
    EXPECT_EQ(cell(1, 2).dampingFactor, 2.0f / 4.0f * (1.0f / 4.0f));
    EXPECT_EQ(cell(1, 2).color[2], cell(1, 2).dampingFactor);
}

TEST_F(MaterialAndEdges, OddEdgeWidthsStayInsideTheGrid) {
    for (int w : {0, -5, INT_MIN, INT_MAX, 1000}) {
        newPool(8, 6, 0.0, 1.0, w);
        ZBDLL_AddEdges(true, true, true, true);
        const size_t damped =
            cellsWhere([](const Oscillator& o) { return o.dampingFactor != 1.0f; }).size();
        EXPECT_EQ(damped, w > 0 ? 48u : 0u) << w;
    }
}

} // namespace zb::test
