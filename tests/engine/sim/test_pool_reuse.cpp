// A pool built again at the same size keeps its arrays: every byte must still come out as a
// fresh build writes it. Other sizes and refused sizes give the memory back.
#include "engine_fixture.h"
#include "sim/step.h"

#include <random>

namespace zb::test {

namespace {

// Every record byte overwritten, so that any byte a rebuild forgets shows.
void scribble(Pool& p, uint32_t seed) {
    std::mt19937 rng(seed);
    auto* bytes = reinterpret_cast<unsigned char*>(p.oscillators.get());
    for (size_t k = 0; k < p.cellCount() * sizeof(Oscillator); ++k)
        bytes[k] = static_cast<unsigned char>(rng());
}

void expectSameAsFresh(const Pool& built, int nx, int ny, float damping, float coupling) {
    Pool fresh;
    ASSERT_TRUE(buildPool(fresh, nx, ny, damping, coupling));
    EXPECT_EQ(firstDifference(built, fresh), -1);
    EXPECT_EQ(built.spacing, fresh.spacing);
    EXPECT_EQ(built.originX, fresh.originX);
    EXPECT_EQ(built.originZ, fresh.originZ);
    EXPECT_EQ(built.baseDampingFactor, fresh.baseDampingFactor);
    ASSERT_EQ(built.triangleIndexCount, fresh.triangleIndexCount);
    ASSERT_EQ(built.lineIndexCount, fresh.lineIndexCount);
    ASSERT_NE(built.triangleIndices, nullptr);
    EXPECT_EQ(std::memcmp(built.triangleIndices.get(), fresh.triangleIndices.get(),
                          built.triangleIndexCount * sizeof(uint32_t)),
              0);
    EXPECT_EQ(std::memcmp(built.lineIndices.get(), fresh.lineIndices.get(),
                          built.lineIndexCount * sizeof(uint32_t)),
              0);
}

} // namespace

using PoolReuse = EngineTest;

TEST_F(PoolReuse, RebuildAtTheSameSizeKeepsTheArraysAndWritesEveryByteAnew) {
    newPool(37, 23, 0.01, 1.5, 4);
    ZBDLL_AddMatChange(10, 2.0, 0.1);
    ZBDLL_AddWall(18, 11, 30, 20, 1, 3, 2);
    ZBDLL_AddExciter(5, 5, 3, 3, 0, 10.0, 0.1, true);
    ZBDLL_AddEdges(true, true, true, true);
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 5; ++k)
        ZBDLL_NextFrame();
    scribble(pool(), 1);
    const Oscillator* records = pool().oscillators.get();
    const uint32_t* triangles = pool().triangleIndices.get();

    ZBDLL_ResetAll();
    EXPECT_EQ(pool().oscillators, nullptr);
    EXPECT_EQ(gEngine.spare.oscillators.get(), records);
    ZBDLL_AddWall(18, 11, 0, 20, 0, 0, 0); // discarded: does nothing
    ZBDLL_CreateEmptyPool(37, 23, 0.2, 0.75, 2);
    ASSERT_TRUE(gEngine.poolExists);
    EXPECT_EQ(pool().oscillators.get(), records);
    EXPECT_EQ(pool().triangleIndices.get(), triangles);
    EXPECT_EQ(gEngine.spare.oscillators, nullptr);
    expectSameAsFresh(pool(), 37, 23, 0.2f, 0.75f);

    // Without a reset in between as well.
    scribble(pool(), 2);
    ZBDLL_CreateEmptyPool(37, 23, 0.0, 1.0, 0);
    EXPECT_EQ(pool().oscillators.get(), records);
    expectSameAsFresh(pool(), 37, 23, 0.0f, 1.0f);
}

TEST_F(PoolReuse, OtherSizesGetNewArraysAndRefusedSizesKeepNone) {
    newPool(20, 10);
    ZBDLL_ResetAll();
    // As many cells, but other index lists.
    ZBDLL_CreateEmptyPool(10, 20, 0.0, 1.0, 0);
    ASSERT_TRUE(gEngine.poolExists);
    EXPECT_EQ(gEngine.spare.oscillators, nullptr);
    expectSameAsFresh(pool(), 10, 20, 0.0f, 1.0f);

    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(0, 20, 0.0, 1.0, 0);
    EXPECT_FALSE(gEngine.poolExists);
    EXPECT_EQ(pool().oscillators, nullptr);
    EXPECT_EQ(pool().triangleIndices, nullptr);
    EXPECT_EQ(gEngine.spare.oscillators, nullptr);
    EXPECT_EQ(gEngine.spare.triangleIndices, nullptr);
}

TEST_F(PoolReuse, HeadlessPoolsHaveNoIndexListsAndStepsLeaveTheNormals) {
    gEngine.headless = true;
    newPool(30, 20, 0.01, 1.5);
    ZBDLL_AddExciter(15, 10, 3, 3, 0, 20.0, 0.2, true);
    EXPECT_EQ(pool().triangleIndices, nullptr);
    EXPECT_EQ(pool().lineIndices, nullptr);
    EXPECT_EQ(pool().triangleIndexCount, 0u);
    Pool drawn = clonePool(pool());
    ZBDLL_SetPaused(false);
    float t = 0.0f;
    for (int k = 0; k < 20; ++k) {
        ZBDLL_NextFrame();
        t = t + gEngine.simSpeed;
        stepPool(drawn, gEngine.simSpeed, t, true);
    }
    EXPECT_EQ(cell(15, 12).normal.y, -1.0f) << "the normals of the pool at rest";
    // Everything else as the full step has it, and the normals once asked for.
    refreshNormals(pool());
    EXPECT_EQ(firstDifference(pool(), drawn), -1);

    // A drawn pool of the same size gets its lists.
    gEngine.headless = false;
    ZBDLL_CreateEmptyPool(30, 20, 0.01, 1.5, 0);
    expectSameAsFresh(pool(), 30, 20, 0.01f, 1.5f);
}

} // namespace zb::test
