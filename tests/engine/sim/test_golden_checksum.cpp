// A fixed tank run for 300 frames must end in exactly these records. The oracle and the
// production step are compared with each other elsewhere; this pins both to one result, so
// that they cannot drift together.
#include "engine_fixture.h"
#include "sim/step_rows.h"
#include "step_oracle.h"

namespace zb::test {

namespace {

uint64_t fnv1a(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    uint64_t h = 14695981039346656037ull;
    for (size_t k = 0; k < size; ++k) {
        h ^= p[k];
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace

class GoldenChecksum : public EngineTest, public ::testing::WithParamInterface<bool> {
  protected:
    void TearDown() override {
        setWideKernels(true);
        EngineTest::TearDown();
    }
};

TEST_P(GoldenChecksum, FixedTankAfter300Frames) {
    if (setWideKernels(GetParam()) != GetParam())
        GTEST_SKIP() << "this processor has no four-lane kernels";
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(83, 61, 0.015, 2.35, 7);
    ZBDLL_AddMatChange(44, 1.1, 0.04);
    ZBDLL_AddWall(41, 25, 0, 83, 2, 6, 9);
    ZBDLL_AddWall(20, 50, 33, 30, 1, 4, 0);
    ZBDLL_AddScreen(55, true);
    ZBDLL_AddExciter(41, 10, 3, 3, 0, 10.0, 0.1, true);
    ZBDLL_AddExciter(70, 52, 20, 1, 120, 16.0, 0.12, false);
    ZBDLL_AddEdges(true, true, false, true);
    Pool literal = clonePool(pool());
    const float dt = 0.0031f;
    ZBDLL_SetSimulationSpeed(dt);
    ZBDLL_SetPaused(false);
    float t = 0.0f;
    for (int frame = 0; frame < 300; ++frame) {
        const bool exciters = frame < 150 || frame >= 220;
        ZBDLL_EnableExciters(exciters);
        ZBDLL_NextFrame();
        t = t + dt;
        oracle::stepPool(literal, dt, t, exciters);
    }
    const size_t bytes = pool().cellCount() * sizeof(Oscillator);
    EXPECT_EQ(fnv1a(pool().oscillators.get(), bytes), 0x42d3527b72fdc9e1ull);
    EXPECT_EQ(fnv1a(literal.oscillators.get(), bytes), 0x42d3527b72fdc9e1ull);
}

INSTANTIATE_TEST_SUITE_P(KernelWidths, GoldenChecksum, ::testing::Values(false, true),
                         [](const auto& p) { return p.param ? "FourLanes" : "TwoLanes"; });

} // namespace zb::test
