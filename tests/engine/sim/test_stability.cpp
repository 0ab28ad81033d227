// The largest stable time step the model names, checked on the engine itself: just below it a
// tank with its largest coupling stays finite for many thousand steps, just above it the field
// breaks down.
#include "engine_fixture.h"

#include "model/stability.h"
#include "model/tank.h"

#include <cmath>
#include <limits>

namespace zb::test {

namespace {

// Kicks one node of the tank's pool and steps it; false as soon as a node is no finite number.
bool staysFinite(const TZBecken& tank, double dt, int steps) {
    tank.TransferToEngine();
    ZBDLL_SetSimulationSpeed(float(dt));
    ZBDLL_SetPaused(false);
    Oscillator& kicked = EngineTest::cell(20, 25);
    kicked.elongation = 0.1;
    kicked.position.y = 0.1f;
    for (int step = 1; step <= steps; ++step) {
        ZBDLL_NextFrame();
        if (step % 100 != 0 && step != steps)
            continue;
        for (size_t k = 0; k < EngineTest::pool().cellCount(); ++k)
            if (!std::isfinite(EngineTest::pool().oscillators[k].elongation))
                return false;
    }
    return true;
}

TZBecken tankWithCoupling(double coupling) {
    TZBecken t;
    t.SetSize(40, 40);
    t.StandardKopplung = coupling;
    return t;
}

void addMaterial(TZBecken& t, int32_t row, double coupling) {
    t.Objekte->add(std::make_unique<TObjekt>(kArtMatUebergang, "M"))
        .matUebergang()
        ->
        operator=({row, coupling, 0.0});
}

} // namespace

using Stability = EngineTest;

TEST_F(Stability, TheLimitHoldsForTheTanksAndForAMaterialChangesCoupling) {
    EXPECT_NEAR(stabilityLimit(4.0), 0.012247, 1e-6);
    EXPECT_NEAR(stabilityLimit(7.5), 0.0089443, 1e-7);

    TZBecken own = tankWithCoupling(7.5);
    // Rows 20 to 29 couple at 7.5, the rest of the tank at 1 and 0.5.
    TZBecken material = tankWithCoupling(1.0);
    addMaterial(material, 30, 0.5);
    addMaterial(material, 20, 7.5);
    for (const TZBecken* tank : {&own, &material}) {
        EXPECT_EQ(largestCoupling(*tank), 7.5);
        const double allowed = maxStableTimeStep(*tank);
        EXPECT_EQ(allowed, kStableTimeStepMargin * stabilityLimit(7.5));
        EXPECT_TRUE(staysFinite(*tank, allowed, 20000)) << "at the largest allowed step";
        EXPECT_FALSE(staysFinite(*tank, 1.02 * stabilityLimit(7.5), 3000)) << "2 % above";
    }
}

TEST_F(Stability, CouplingsThatSetNoLimitOrAllowNoStep) {
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_EQ(maxStableTimeStep(tankWithCoupling(0.0)), infinity);
    EXPECT_EQ(maxStableTimeStep(tankWithCoupling(-1.0)), infinity);
    // The engine holds couplings as floats: 1e300 is infinite there, and no step is stable.
    EXPECT_EQ(maxStableTimeStep(tankWithCoupling(1e300)), 0.0);
    TZBecken broken = tankWithCoupling(2.0);
    addMaterial(broken, 10, std::numeric_limits<double>::quiet_NaN());
    addMaterial(broken, 20, 3.0);
    EXPECT_EQ(maxStableTimeStep(broken), 0.0) << "a NaN anywhere wins";
}

} // namespace zb::test
