// The documented behaviour of one time step, with the arithmetic spelled out.
#include "engine_fixture.h"
#include "sim/step.h"

#include <cmath>
#include <initializer_list>

namespace zb::test {

namespace {

constexpr double K = 3333.3333333333335;

void displace(Oscillator& o, double e) {
    o.elongation = e;
    o.position.y = float(e);
}

} // namespace

using Step = EngineTest;

TEST_F(Step, PoolAtRestStaysExactlyAtRest) {
    newPool(12, 9, 0.05, 1.5);
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 50; ++k)
        ZBDLL_NextFrame();
    for (int j = 0; j < 9; ++j) {
        for (int i = 0; i < 12; ++i) {
            const Oscillator& o = cell(i, j);
            EXPECT_EQ(bitsOf(o.elongation), 0u);
            EXPECT_EQ(bitsOf(o.velocity), 0u);
            EXPECT_EQ(o.position.y, 0.0f);
            EXPECT_EQ(o.normal.x, 0.0f);
            EXPECT_EQ(o.normal.y, -1.0f);
            EXPECT_EQ(o.normal.z, 0.0f);
        }
    }
}

TEST_F(Step, SingleDisplacedCellPullsItselfDownAndItsNeighboursUp) {
    const float dt = 0.0025f;
    const float c = 1.75f;
    const double e = 0.01f; // a float value, so height and elongation agree
    newPool(9, 9, 0.0, c);
    displace(cell(4, 4), e);
    ZBDLL_SetSimulationSpeed(dt);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();

    const double scale = double(dt) * K * double(c);
    EXPECT_EQ(cell(4, 4).velocity, -e * scale);
    EXPECT_EQ(cell(4, 4).elongation, e + double(dt) * (-e * scale));
    EXPECT_NEAR(cell(4, 4).elongation, e - e * dt * dt * K * c, 1e-15);
    for (auto [i, j] : {std::pair{3, 4}, {5, 4}, {4, 3}, {4, 5}}) {
        EXPECT_EQ(cell(i, j).velocity, 0.25 * e * scale) << i << "," << j;
        EXPECT_EQ(cell(i, j).elongation, double(dt) * (0.25 * e * scale));
    }
    EXPECT_EQ(bitsOf(cell(3, 3).velocity), 0u); // diagonal neighbours feel nothing yet
    EXPECT_EQ(cell(4, 4).position.y, float(cell(4, 4).elongation));
}

TEST_F(Step, BorderCellsAverageOverTheNeighboursTheyHave) {
    const float dt = 0.002f;
    newPool(6, 5);
    ZBDLL_SetSimulationSpeed(dt);
    // Corner (0, 0): neighbours right (1, 0) and down (0, 1).
    displace(cell(1, 0), 0.03f);
    displace(cell(0, 1), 0.05f);
    // Border cell (5, 2) on the right: left, up, down.
    displace(cell(4, 2), 0.07f);
    displace(cell(5, 1), -0.01f);
    displace(cell(5, 3), 0.02f);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();

    // The mean of the differences to the neighbours that exist, summed in float.
    auto floatSum = [](std::initializer_list<float> terms) {
        float sum = 0.0f;
        for (float t : terms)
            sum = float(double(sum) + double(t));
        return double(sum);
    };
    const double scale = double(dt) * K;
    EXPECT_EQ(cell(0, 0).velocity, floatSum({0.03f, 0.05f}) / 2 * scale);
    EXPECT_EQ(cell(5, 2).velocity, floatSum({0.07f, -0.01f, 0.02f}) / 3 * scale);
}

TEST_F(Step, EnclosedCellFeelsNoCoupling) {
    newPool(7, 7);
    for (auto [i, j] : {std::pair{2, 3}, {4, 3}, {3, 2}, {3, 4}}) {
        cell(i, j).fixed = true;
        cell(i, j).wall = true;
    }
    displace(cell(3, 3), 0.5);
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 10; ++k)
        ZBDLL_NextFrame();
    EXPECT_EQ(cell(3, 3).elongation, 0.5);
    EXPECT_EQ(cell(3, 3).velocity, 0.0);
}

TEST_F(Step, FixedAndStillCellsKeepTheirElongation) {
    newPool(8, 8);
    // Fixed alone (not a wall) still counts as a free neighbour, but never moves itself.
    cell(2, 2).fixed = true;
    cell(2, 2).velocity = 5.0;
    displace(cell(2, 2), 0.25);
    // A cell with damping factor 0 loses its velocity in every step.
    cell(5, 5).dampingFactor = 0.0f;
    displace(cell(5, 5), -0.125);
    displace(cell(5, 4), 0.5);
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 25; ++k)
        ZBDLL_NextFrame();
    EXPECT_EQ(cell(2, 2).velocity, 5.0);
    EXPECT_EQ(cell(2, 2).elongation, 0.25);
    EXPECT_NE(cell(2, 3).elongation, 0.0); // its neighbours do see it
    EXPECT_EQ(cell(5, 5).elongation, -0.125);
    EXPECT_EQ(std::fabs(cell(5, 5).velocity), 0.0);
}

TEST_F(Step, SineModeExciterFollowsThePrescribedVelocity) {
    const float dt = 0.003f;
    newPool(20, 20);
    ZBDLL_AddExciter(10, 10, 1, 1, 0, 12.5, 0.3, true);
    ZBDLL_SetSimulationSpeed(dt);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();
    const double a = 0.3f, w = 12.5f;
    const double v1 = a * w * std::cos(w * double(dt));
    EXPECT_EQ(cell(10, 10).velocity, v1);
    EXPECT_EQ(cell(10, 10).elongation, double(dt) * v1);
    ZBDLL_NextFrame();
    const double v2 = a * w * std::cos(w * double(dt + dt));
    EXPECT_EQ(cell(10, 10).elongation, double(dt) * v1 + double(dt) * v2);
}

TEST_F(Step, AccelerationModeExciterIsUndampedAndKeepsItsCoupling) {
    const float dt = 0.003f;
    newPool(20, 20, 0.5);
    ZBDLL_AddExciter(10, 10, 1, 1, 0, 12.5, 0.3, false);
    displace(cell(11, 10), 0.1f);
    ZBDLL_SetSimulationSpeed(dt);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();
    const double a = 0.3f, w = 12.5f;
    const double coupled = 12.5 * 0.3 + 0.25 * double(0.1f) * (double(dt) * K * 1.0);
    const double v = coupled - double(dt) * a * (w * w) * std::sin(w * double(dt));
    EXPECT_EQ(cell(10, 10).velocity, v);
}

TEST_F(Step, SwitchedOffExciterMovesLikeWaterAndResumesWithoutRestart) {
    const float dt = 0.0025f;
    // Two pools that differ only in the exciter flag of one cell must evolve alike while the
    // exciters are off.
    newPool(15, 11);
    ZBDLL_AddExciter(7, 5, 1, 1, 0, 20.0, 0.2, true);
    displace(cell(3, 3), 0.04f);
    const double startVelocity = cell(7, 5).velocity;
    EXPECT_EQ(startVelocity, 20.0 * 0.2);
    Pool water{};
    ASSERT_TRUE(buildPool(water, 15, 11, 0.0f, 1.0f));
    displace(water.at(3, 3), 0.04f);
    water.at(7, 5).velocity = startVelocity;

    ZBDLL_EnableExciters(false);
    ZBDLL_SetSimulationSpeed(dt);
    ZBDLL_SetPaused(false);
    float t = 0.0f;
    for (int k = 0; k < 40; ++k) {
        ZBDLL_NextFrame();
        t = t + dt;
        stepPool(water, dt, t, false);
    }
    for (int j = 0; j < 11; ++j)
        for (int i = 0; i < 15; ++i)
            ASSERT_EQ(bitsOf(cell(i, j).elongation), bitsOf(water.at(i, j).elongation));
    EXPECT_EQ(cell(7, 5).color[1], 1.0f);
    EXPECT_EQ(cell(7, 5).color[0], 0.0f);

    // On again: the drive resumes at the current time, not at phase 0.
    ZBDLL_EnableExciters(true);
    ZBDLL_NextFrame();
    EXPECT_EQ(gEngine.simTime, t + dt);
    EXPECT_EQ(cell(7, 5).velocity, double(0.2f) * 20.0 * std::cos(20.0 * double(t + dt)));
}

TEST_F(Step, ColumnsAndRowsKeepTheirDrawingPositions) {
    // The step takes x from the column and z from the row alone; nothing may move them.
    newPool(40, 30, 0.01, 2.0, 3);
    ZBDLL_AddWall(20, 15, 30, 25, 1, 4, 2);
    ZBDLL_AddExciter(10, 10, 3, 3, 0, 20.0, 0.2, true);
    ZBDLL_AddMatChange(25, 1.5, 0.1);
    ZBDLL_AddEdges(true, true, true, true);
    ZBDLL_SetPaused(false);
    for (int k = 0; k < 30; ++k)
        ZBDLL_NextFrame();
    const double s = pool().spacing;
    for (int j = 0; j < 30; ++j) {
        for (int i = 0; i < 40; ++i) {
            ASSERT_EQ(cell(i, j).position.x, float(double(pool().originX) + s * i));
            ASSERT_EQ(cell(i, j).position.z, float(double(pool().originZ) + s * j));
        }
    }
}

TEST_F(Step, SingleRowHasNoNormal) {
    newPool(5, 1); // no extent along z
    stepPool(pool(), 0.001f, 0.001f, true);
    EXPECT_EQ(cell(2, 0).normal.x, 0.0f);
    EXPECT_EQ(cell(2, 0).normal.y, 0.0f);
    EXPECT_EQ(cell(2, 0).normal.z, 0.0f);
}

TEST_F(Step, TiltedSurfaceGivesTheNormalisedCrossProduct) {
    newPool(5, 5);
    for (int j = 0; j < 5; ++j)
        for (int i = 0; i < 5; ++i)
            cell(i, j).elongation = 0.1 * i;
    stepPool(pool(), 0.0f, 0.0f, true); // dt 0: heights and normals only
    const Oscillator& o = cell(2, 2);
    const float s = pool().spacing;
    const float dxx = cell(3, 2).position.x - cell(1, 2).position.x;
    const float dxy = cell(3, 2).position.y - cell(1, 2).position.y;
    const float dzz = cell(2, 3).position.z - cell(2, 1).position.z;
    const double nx = double(dxy) * double(dzz);
    const double ny = -double(dxx) * double(dzz);
    const double len = std::sqrt(nx * nx + ny * ny);
    EXPECT_EQ(o.normal.x, float(nx / len));
    EXPECT_EQ(o.normal.y, float(ny / len));
    EXPECT_EQ(o.normal.z, 0.0f);
    EXPECT_GT(o.normal.x, 0.0f); // away from the rising side, downwards like the rest
    EXPECT_NEAR(o.normal.x, 0.2 / std::sqrt(0.04 + 4.0 * s * s), 1e-6);
}

} // namespace zb::test
