#include "engine_fixture.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <string>

namespace zb::test {

namespace {

// Where the first record of a 400 x 300 pool differs from a node at rest, "" when none does.
// Every field is compared with its designed value, so a store the fill leaves out shows.
std::string firstFieldNotAtRest(const Pool& p, float dampingFactor, float coupling) {
    const double spacing = 1.0f / 399.0f;
    for (int j = 0; j < 300; ++j) {
        for (int i = 0; i < 400; ++i) {
            const Oscillator& o = p.at(i, j);
            const std::pair<const char*, bool> fields[] = {
                {"position.x", o.position.x == float(-0.5 + spacing * i)},
                {"position.y", o.position.y == 0.0f},
                {"position.z", o.position.z == float(-0.375 + spacing * j)},
                {"normal.x", o.normal.x == 0.0f},
                {"normal.y", o.normal.y == -1.0f},
                {"normal.z", o.normal.z == 0.0f},
                {"velocity", bitsOf(o.velocity) == 0},
                {"elongation", bitsOf(o.elongation) == 0},
                {"flags", flagWord(o) == 0}, // fixed, wall, exciter, sineMode
                {"amplitude", o.amplitude == 0.0f},
                {"omega", o.omega == 0.0f},
                {"color[0]", o.color[0] == 1.0f},
                {"color[1]", o.color[1] == 1.0f},
                {"color[2]", o.color[2] == dampingFactor},
                {"color[3]", o.color[3] == 1.0f},
                {"dampingFactor", o.dampingFactor == dampingFactor},
                {"coupling", o.coupling == coupling},
                {"padding", o.padding == 0},
            };
            for (const auto& [name, ok] : fields) {
                if (!ok)
                    return std::string(name) + " of node " + std::to_string(i) + ", " +
                           std::to_string(j);
            }
        }
    }
    return {};
}

} // namespace

using Pool_ = EngineTest;

TEST_F(Pool_, ValidAndInvalidSizes) {
    const struct {
        int nx, ny;
        bool valid;
    } cases[] = {{2, 1, true},        {1, 2, true},           {1, 1, false},  {0, 5, false},
                 {5, 0, false},       {-3, 4, false},         {4, -3, false}, {INT_MIN, 2, false},
                 {INT_MAX, 1, false}, {100000, 100000, false}};
    for (const auto& c : cases) {
        newPool(c.nx, c.ny);
        EXPECT_EQ(gEngine.poolExists, c.valid) << c.nx << " x " << c.ny;
        EXPECT_EQ(pool().oscillators != nullptr, c.valid) << c.nx << " x " << c.ny;
    }
}

TEST_F(Pool_, OversizedPoolsAreRefusedQuicklyForTheRightReason) {
    constexpr uint64_t GiB = uint64_t(1) << 30;
    // 10^10 nodes do not fit 32-bit indices, nor do the index counts of 2.5 * 10^9.
    EXPECT_EQ(checkPoolSize(100000, 100000, UINT64_MAX), PoolSizeCheck::TooManyCells);
    EXPECT_EQ(checkPoolSize(50000, 50000, UINT64_MAX), PoolSizeCheck::TooManyCells);
    // 18000^2 nodes fit 32 bits but need about 39 GB with their index lists.
    EXPECT_EQ(checkPoolSize(18000, 18000, 24 * GiB), PoolSizeCheck::TooLittleMemory);
    EXPECT_EQ(checkPoolSize(18000, 18000, 64 * GiB), PoolSizeCheck::Ok);
    EXPECT_EQ(checkPoolSize(3000, 3000, 2 * GiB), PoolSizeCheck::Ok);
    EXPECT_EQ(checkPoolSize(3000, 3000, GiB), PoolSizeCheck::TooLittleMemory);
    const auto start = std::chrono::steady_clock::now();
    newPool(100000, 100000);
    EXPECT_FALSE(gEngine.poolExists);
    newPool(50000, 50000);
    EXPECT_FALSE(gEngine.poolExists);
    EXPECT_EQ(ZBDLL_NextFrame(), 0);
    ZBDLL_AddWall(10, 10, 0, 10, 0, 0, 0);
    // Generous: refusing must not allocate or touch anything.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(Pool_, GeometryCentresTheLongerSide) {
    newPool(100, 50);
    EXPECT_EQ(pool().spacing, 1.0f / 99.0f);
    EXPECT_EQ(pool().originX, -0.5f);
    EXPECT_EQ(pool().originZ, -0.25f);
    newPool(50, 100);
    EXPECT_EQ(pool().originX, -0.25f);
    EXPECT_EQ(pool().originZ, -0.5f);
    newPool(37, 37);
    EXPECT_EQ(pool().spacing, 1.0f / 36.0f);
    EXPECT_EQ(pool().originX, -0.5f);
    EXPECT_EQ(pool().originZ, -0.5f);
    // Node positions: one rounding of origin + spacing * i.
    const double s = pool().spacing;
    for (int i : {0, 1, 17, 36}) {
        EXPECT_EQ(cell(i, 5).position.x, float(-0.5 + s * i));
        EXPECT_EQ(cell(5, i).position.z, float(-0.5 + s * i));
    }
    EXPECT_EQ(cell(36, 36).position.x, 0.5f);
}

TEST_F(Pool_, NewRecordsAreAtRestWithTheirMaterial) {
    newPool(4, 3, 0.1, 2.5);
    EXPECT_EQ(pool().baseDampingFactor, float(1.0 - double(0.1f)));
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 4; ++i) {
            const Oscillator& o = cell(i, j);
            EXPECT_EQ(o.position.y, 0.0f);
            EXPECT_EQ(o.normal.x, 0.0f);
            EXPECT_EQ(o.normal.y, -1.0f);
            EXPECT_EQ(o.normal.z, 0.0f);
            EXPECT_EQ(bitsOf(o.velocity), 0u);
            EXPECT_EQ(bitsOf(o.elongation), 0u);
            EXPECT_FALSE(o.fixed || o.wall || o.exciter);
            EXPECT_EQ(o.dampingFactor, float(1.0 - double(0.1f)));
            EXPECT_EQ(o.coupling, 2.5f);
            EXPECT_EQ(o.color[0], 1.0f);
            EXPECT_EQ(o.color[1], 1.0f);
            EXPECT_EQ(o.color[2], o.dampingFactor);
            EXPECT_EQ(o.color[3], 1.0f);
            EXPECT_EQ(o.padding, 0u);
        }
    }
}

// Pools of 8 MiB and more are written by a fill of their own.
TEST_F(Pool_, LargePoolsAreAtRestWithTheirMaterialAlsoOverOldRecords) {
    newPool(400, 300, 0.25, 2.5);
    ASSERT_GE(pool().cellCount() * sizeof(Oscillator), size_t(8) << 20);
    EXPECT_EQ(pool().spacing, 1.0f / 399.0f);
    EXPECT_EQ(pool().originX, -0.5f);
    EXPECT_EQ(pool().originZ, -0.375f);
    EXPECT_EQ(firstFieldNotAtRest(pool(), 0.75f, 2.5f), "");

    // Fresh memory is zero and would hide a missing store of zeros; records kept for a rebuild at
    // the same size are not.
    Oscillator* records = pool().oscillators.get();
    std::memset(static_cast<void*>(records), 0xa5, pool().cellCount() * sizeof(Oscillator));
    ZBDLL_CreateEmptyPool(400, 300, 0.5, 0.75, 0);
    ASSERT_EQ(pool().oscillators.get(), records);
    EXPECT_EQ(firstFieldNotAtRest(pool(), 0.5f, 0.75f), "");
}

TEST_F(Pool_, IndexListsCoverEverySquareAndEdgeColumnByColumn) {
    newPool(3, 2);
    ASSERT_EQ(pool().triangleIndexCount, 12u);
    ASSERT_EQ(pool().lineIndexCount, 14u);
    // Nodes: row 0 = 0 1 2, row 1 = 3 4 5.
    const uint32_t tri[] = {0, 1, 4, 0, 4, 3, 1, 2, 5, 1, 5, 4};
    const uint32_t line[] = {0, 1, 0, 3, 3, 4, 1, 2, 1, 4, 4, 5, 2, 5};
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(pool().triangleIndices[k], tri[k]) << k;
    for (int k = 0; k < 14; ++k)
        EXPECT_EQ(pool().lineIndices[k], line[k]) << k;

    newPool(1, 5); // one column: lines only
    EXPECT_EQ(pool().triangleIndexCount, 0u);
    EXPECT_EQ(pool().lineIndexCount, 8u);
    newPool(200, 150);
    EXPECT_EQ(pool().triangleIndexCount, 6u * 199 * 149);
    EXPECT_EQ(pool().lineIndexCount, 2u * (199 * 150 + 200 * 149));
}

} // namespace zb::test
