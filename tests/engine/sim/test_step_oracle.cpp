// The production step against the literal three-pass step, record for record.
#include "engine_fixture.h"
#include "sim/step.h"
#include "sim/step_rows.h"
#include "step_oracle.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>

namespace zb::test {

namespace {

// Random elongations and velocities. Mixed fields put values of a fraction of a double ulp of
// their neighbours beside them, where only the order of a sum decides its last bit.
void disturb(Pool& p, uint32_t seed, bool mixedMagnitudes) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> amp(-0.05, 0.05);
    std::uniform_int_distribution<int> pick(0, 3);
    std::uniform_real_distribution<double> tinyExponent(14.0, 20.0);
    for (size_t k = 0; k < p.cellCount(); ++k) {
        Oscillator& o = p.oscillators[k];
        if (o.fixed)
            continue;
        double e = amp(rng);
        if (mixedMagnitudes && pick(rng) == 0)
            e *= std::pow(10.0, -tinyExponent(rng));
        o.elongation = e;
        o.velocity = amp(rng) * 3;
        o.position.y = float(e);
    }
}

struct Scenario {
    std::string name;
    int nx, ny;
    double damping, coupling;
    int edgeWidth;
    std::function<void()> objects; // additions after the pool is built
    bool disturbed;
    bool mixedMagnitudes;
};

void runAndCompareOnce(const Scenario& sc, int steps) {
    ZBDLL_ResetAll();
    ZBDLL_CreateEmptyPool(sc.nx, sc.ny, sc.damping, sc.coupling, sc.edgeWidth);
    ASSERT_TRUE(gEngine.poolExists) << sc.name;
    sc.objects();
    Pool& fast = gEngine.pool;
    if (sc.disturbed)
        disturb(fast, uint32_t(sc.nx * 7919 + sc.ny), sc.mixedMagnitudes);
    Pool slow = clonePool(fast);

    float t = 0.0f;
    const float dts[] = {0.0025f, 0.0031f, 0.0121f, 0.0001f};
    for (int k = 0; k < steps; ++k) {
        const float dt = dts[(k / 50) % 4];
        t = t + dt;
        const bool exciters = (k / 37) % 3 != 1; // off for stretches, then on again
        stepPool(fast, dt, t, exciters);
        oracle::stepPool(slow, dt, t, exciters);
        if (k % 97 == 0 || k == steps - 1) {
            const long diff = firstDifference(fast, slow);
            ASSERT_EQ(diff, -1) << sc.name << ": record " << diff << " (" << diff % sc.nx << ", "
                                << diff / sc.nx << ") differs after step " << k;
        }
    }
}

// Both widths of the packed kernels (two or four double lanes), where the processor has them.
void runAndCompare(const Scenario& sc, int steps) {
    for (bool wide : {false, true}) {
        if (setWideKernels(wide) != wide)
            continue;
        SCOPED_TRACE(wide ? "four lanes" : "two lanes");
        runAndCompareOnce(sc, steps);
    }
    setWideKernels(true);
}

// Flag patterns the packed kernels must step around: a cell of each kind.
enum class Kind { WallCell, FixedOnly, WallOnly, SineExciter, DrivenExciter, Count };

void makeSpecial(Oscillator& o, Kind kind) {
    switch (kind) {
    case Kind::WallCell:
        o.fixed = o.wall = true;
        o.dampingFactor = 0.0f;
        break;
    case Kind::FixedOnly:
        o.fixed = true;
        break;
    case Kind::WallOnly: // a wall flag without fixed: a free cell to every rule
        o.wall = true;
        break;
    case Kind::SineExciter:
    case Kind::DrivenExciter:
        o.exciter = true;
        o.sineMode = kind == Kind::SineExciter;
        o.omega = 17.0f;
        o.amplitude = 0.05f;
        break;
    case Kind::Count:
        break;
    }
}

} // namespace

using StepOracle = EngineTest;

TEST_F(StepOracle, SpecialCellsInEveryColumnPosition) {
    // Each column of pools of several widths (groups of two and four lanes end in every
    // position), in the middle rows and next to the top and bottom border rows.
    for (int nx : {3, 4, 5, 6, 7, 8, 9, 10, 13, 17}) {
        for (int c = 0; c < nx; ++c) {
            for (int k = 0; k < int(Kind::Count); ++k) {
                const Kind kind = Kind(k);
                const std::string name = std::to_string(nx) + " wide, column " + std::to_string(c) +
                                         ", kind " + std::to_string(k);
                auto place = [&] {
                    makeSpecial(pool().at(c, 2), kind);
                    makeSpecial(pool().at(nx - 1 - c, 4), kind);
                    makeSpecial(pool().at((c + 2) % nx, 1), kind);
                };
                runAndCompare({name, nx, 6, 0.01, 2.0, 0, place, true, false}, 40);
            }
        }
    }
}

TEST_F(StepOracle, RowsAndColumnsThatAreAllSpecial) {
    auto pattern = [] {
        Pool& p = pool();
        for (int i = 0; i < p.sizeX; ++i) {
            makeSpecial(p.at(i, 2), Kind::WallCell);    // a whole row of wall
            makeSpecial(p.at(i, 5), Kind::SineExciter); // a whole row of exciters
            makeSpecial(p.at(i, 8), i % 2 ? Kind::FixedOnly : Kind::DrivenExciter);
            if ((i / 3) % 2 == 0)
                makeSpecial(p.at(i, 11), Kind::WallCell); // wall with gaps
        }
        for (int j = 0; j < p.sizeY; ++j) {
            makeSpecial(p.at(11, j), Kind::WallCell); // a whole column of wall
            makeSpecial(p.at(17, j), Kind::DrivenExciter);
        }
        for (int j = 13; j < p.sizeY; ++j)
            for (int i = 0; i < p.sizeX; ++i)
                if ((i + j) % 2 == 0)
                    makeSpecial(p.at(i, j), Kind::WallCell); // a checkerboard below
    };
    runAndCompare({"special rows 29x17", 29, 17, 0.01, 1.7, 0, pattern, true, true}, 200);
    runAndCompare({"special rows 64x17", 64, 17, 0.0, 2.3, 2, pattern, true, false}, 200);
}

TEST_F(StepOracle, RandomSparsePatterns) {
    for (uint32_t seed = 0; seed < 150; ++seed) {
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        const int nx = pick(1, 40), ny = pick(1, 12);
        const int density = pick(0, 4) == 0 ? pick(30, 100) : pick(0, 12); // percent
        const uint32_t patternSeed = uint32_t(rng());
        auto pattern = [=] {
            std::mt19937 r(patternSeed);
            Pool& p = pool();
            for (size_t k = 0; k < p.cellCount(); ++k)
                if (int(r() % 100) < density)
                    makeSpecial(p.oscillators[k], Kind(r() % uint32_t(Kind::Count)));
        };
        runAndCompare({"sparse seed " + std::to_string(seed), nx, ny, 0.005, 1.9, 1, pattern, true,
                       seed % 3 == 0},
                      30);
    }
}

TEST_F(StepOracle, TinyAndDegenerateShapes) {
    auto none = [] {};
    for (auto [nx, ny] : {std::pair{2, 1}, {1, 2}, {1, 9}, {9, 1}, {2, 2}, {3, 3}, {2, 7}}) {
        const std::string name = std::to_string(nx) + "x" + std::to_string(ny);
        runAndCompare({name, nx, ny, 0.02, 1.3, 1, none, true, false}, 300);
        runAndCompare(
            {name + " excited", nx, ny, 0.0, 2.0, 0,
             [evenWidth = nx % 2 == 0] { ZBDLL_AddExciter(0, 0, 1, 1, 0, 30.0, 0.2, evenWidth); },
             false, false},
            300);
    }
}

TEST_F(StepOracle, WallsAtManyAnglesWithSlits) {
    auto walls = [] {
        ZBDLL_AddWall(20, 15, 0, 30, 2, 4, 6);
        ZBDLL_AddWall(30, 10, 45, 20, 1, 3, 0);
        ZBDLL_AddWall(10, 20, 90, 14, 0, 0, 0);
        ZBDLL_AddWall(35, 25, 270, 9, 3, 1, 1);
        ZBDLL_AddWall(5, 5, -143, 12, 0, 8, 12);
        ZBDLL_AddWall(40, 3, 17, 25, 0, 0, 0);
    };
    runAndCompare({"walls 47x31", 47, 31, 0.01, 1.0, 0, walls, true, false}, 400);
    runAndCompare({"walls 48x32 mixed", 48, 32, 0.0, 3.5, 0, walls, true, true}, 400);
}

TEST_F(StepOracle, ExcitersInBothModesWithMaterialAndEdges) {
    auto objects = [] {
        ZBDLL_AddMatChange(12, 0.8, 0.05);
        ZBDLL_AddMatChange(30, 2.5, 0.0);
        ZBDLL_AddWall(25, 20, 0, 40, 2, 5, 10);
        ZBDLL_AddExciter(25, 6, 3, 3, 0, 10.0, 0.1, true);
        ZBDLL_AddExciter(10, 35, 20, 1, 30, 25.0, 0.2, false);
        ZBDLL_AddExciter(40, 40, 4, 4, 45, -7.0, 0.05, false);
        ZBDLL_AddExciter(5, 5, 2, 2, 0, -0.0, 0.5, true); // omega -0 keeps its sign
        ZBDLL_AddEdges(true, true, true, true);
    };
    runAndCompare({"excited 51x44", 51, 44, 0.02, 1.5, 6, objects, false, false}, 500);
    runAndCompare({"excited 51x44 disturbed", 51, 44, 0.02, 1.5, 6, objects, true, true}, 400);
    runAndCompare({"excited 60x9", 60, 9, 0.0, 1.0, 1, objects, true, false}, 300);
}

TEST_F(StepOracle, AnyCombinationOfFlags) {
    // Records the additions never produce (fixed without wall, wall without fixed, sine mode on
    // water) must still step exactly as written.
    auto scatter = [] {
        std::mt19937 rng(3);
        std::uniform_int_distribution<int> pick(0, 99), bit(0, 1);
        std::uniform_real_distribution<float> value(-20.0f, 20.0f);
        for (size_t k = 0; k < gEngine.pool.cellCount(); ++k) {
            if (pick(rng) >= 4)
                continue;
            Oscillator& o = gEngine.pool.oscillators[k];
            o.fixed = bit(rng);
            o.wall = bit(rng);
            o.exciter = bit(rng);
            o.sineMode = bit(rng);
            o.omega = value(rng);
            o.amplitude = value(rng) / 100;
        }
    };
    runAndCompare({"flags 70x50", 70, 50, 0.01, 2.0, 0, scatter, true, true}, 300);
}

TEST_F(StepOracle, PlainFieldsOfSeveralSizes) {
    auto none = [] {};
    for (auto [nx, ny] : {std::pair{64, 64}, {65, 33}, {33, 65}, {101, 3}, {3, 101}, {128, 17}}) {
        const std::string name = std::to_string(nx) + "x" + std::to_string(ny);
        runAndCompare({name, nx, ny, 0.001, 6.5, 3, none, true, true}, 250);
    }
}

} // namespace zb::test
