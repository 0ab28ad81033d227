// Elongations after 200 frames of six tanks, as an independent implementation computes them.
#include "engine_fixture.h"
#include "model/tank.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zb::test {

namespace {

std::vector<double> readElongations(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), {});
    std::vector<double> v(raw.size() / sizeof(double));
    std::memcpy(v.data(), raw.data(), v.size() * sizeof(double));
    return v;
}

} // namespace

class ReferenceVectors : public EngineTest, public ::testing::WithParamInterface<int> {};

TEST_P(ReferenceVectors, ElongationsMatchBitForBit) {
    char name[32];
    std::snprintf(name, sizeof name, "case_%04d", GetParam());
    const std::string base = std::string(ZB_TEST_DATA_DIR) + "/vectors/" + name;
    // The program's own path: read the tank file, send it to the engine, run the frames.
    TZBecken tank;
    ASSERT_TRUE(tank.LoadFromFile(base + ".zb"));
    const std::vector<double> expected = readElongations(base + ".elongation-200.f64");
    ASSERT_EQ(expected.size(), size_t(tank.GroesseX) * size_t(tank.GroesseY));

    tank.TransferToEngine();
    ASSERT_TRUE(gEngine.poolExists);
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(0.0025f);
    ZBDLL_EnableExciters(true);
    for (int frame = 0; frame < 200; ++frame)
        ZBDLL_NextFrame();

    int mismatches = 0;
    for (int j = 0; j < tank.GroesseY; ++j) {
        for (int i = 0; i < tank.GroesseX; ++i) {
            const double want = expected[size_t(i) + size_t(j) * size_t(tank.GroesseX)];
            const double got = cell(i, j).elongation;
            if (bitsOf(got) != bitsOf(want) && ++mismatches <= 5)
                ADD_FAILURE() << "node (" << i << ", " << j << "): " << got << " != " << want;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceVectors, ::testing::Range(0, 6));

} // namespace zb::test
