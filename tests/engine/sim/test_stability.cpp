// The largest stable time step the model names, checked on the engine itself: just below it a
// tank with its largest coupling stays finite for many thousand steps, just above it the field
// breaks down.
#include "engine_fixture.h"

#include "model/stability.h"
#include "model/tank.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

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

// The largest elongation after the kick and the steps; infinity once a node is no finite number.
double largestSwing(const TZBecken& tank, double dt, int steps) {
    tank.TransferToEngine();
    ZBDLL_SetSimulationSpeed(float(dt));
    ZBDLL_SetPaused(false);
    EngineTest::cell(20, 25).elongation = 0.1;
    for (int step = 0; step < steps; ++step)
        ZBDLL_NextFrame();
    double largest = 0.0;
    for (size_t k = 0; k < EngineTest::pool().cellCount(); ++k) {
        const double e = EngineTest::pool().oscillators[k].elongation;
        largest = std::isfinite(e) ? std::max(largest, std::fabs(e))
                                   : std::numeric_limits<double>::infinity();
    }
    return largest;
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

TEST_F(Stability, TheLimitHoldsForTheTanksAndForAMaterialChangesOrAMediumsCoupling) {
    EXPECT_NEAR(stabilityLimit(4.0), 0.012247, 1e-6);
    EXPECT_NEAR(stabilityLimit(7.5), 0.0089443, 1e-7);

    TZBecken own = tankWithCoupling(7.5);
    // Rows 20 to 29 couple at 7.5, the rest of the tank at 1 and 0.5.
    TZBecken material = tankWithCoupling(1.0);
    addMaterial(material, 30, 0.5);
    addMaterial(material, 20, 7.5);
    // A shaped medium of coupling 7.5 in a tank of coupling 1.
    TZBecken medium = tankWithCoupling(1.0);
    TMedium& lens = *medium.Objekte->add(std::make_unique<TObjekt>(kArtMedium, "L")).medium();
    lens.X = medium.GroesseX / 2;
    lens.Y = medium.GroesseY / 2;
    lens.Breite = lens.Hoehe = 10;
    lens.Kopplung = 7.5;
    for (const TZBecken* tank : {&own, &material, &medium}) {
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

TEST_F(Stability, ValuesWithWhichNoStepIsStableAreNamedAndReallyGrow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double coupling, damping, materialCoupling, materialDamping;
        const char* problem; // null: allowed
    };
    const std::vector<Case> cases = {
        {-4.0, 0.0, 4.0, 0.0, "Die Kopplung des Beckens ist −4; erlaubt sind Werte ab 0."},
        {4.0, 0.0, -3.0, 0.0,
         "Die Kopplung des Materialübergangs „Glas“ ist −3; erlaubt sind Werte ab 0."},
        {4.0, -0.01, 4.0, 0.0,
         "Die Dämpfung des Beckens ist −1 %; erlaubt sind Werte von 0 % bis 100 %."},
        {4.0, 5.0, 4.0, 0.0,
         "Die Dämpfung des Beckens ist 500 %; erlaubt sind Werte von 0 % bis 100 %."},
        {4.0, 0.0, 4.0, 1.5,
         "Die Dämpfung des Materialübergangs „Glas“ ist 150 %; erlaubt sind Werte von 0 % bis "
         "100 %."},
        // The edges of the ranges: uncoupled cells, and cells that stand still.
        {0.0, 0.0, 0.0, 0.0, nullptr},
        {4.0, 1.0, 4.0, 1.0, nullptr},
        {4.0, 0.0, 4.0, 0.0, nullptr},
    };
    for (const Case& c : cases) {
        TZBecken tank = tankWithCoupling(c.coupling);
        tank.StandardDaempfung = c.damping;
        addMaterial(tank, 20, c.materialCoupling);
        tank.Objekte->at(1).Name = "Glas";
        tank.Objekte->at(1).matUebergang()->Daempfung = c.materialDamping;
        const std::optional<std::string> problem = unstableValue(tank);
        EXPECT_EQ(problem.value_or("(keins)"), c.problem ? c.problem : "(keins)");
        // Well inside the limit of coupling 4: what is refused grows anyway, what is allowed not.
        const double swing = largestSwing(tank, 0.5 * stabilityLimit(4.0), 5000);
        if (c.problem)
            EXPECT_GT(swing, 1e6) << c.problem;
        else
            EXPECT_LE(swing, 0.1) << c.coupling << " " << c.damping;
    }

    TZBecken odd = tankWithCoupling(1e300);
    EXPECT_EQ(unstableValue(odd).value_or(""), "Die Kopplung des Beckens ist 1e+300, für die "
                                               "Rechnung zu groß; erlaubt sind Werte ab 0.");
    odd.StandardKopplung = nan;
    EXPECT_EQ(unstableValue(odd).value_or(""),
              "Die Kopplung des Beckens ist keine Zahl; erlaubt sind Werte ab 0.");
    odd.StandardKopplung = 4.0;
    odd.StandardDaempfung = nan;
    EXPECT_EQ(unstableValue(odd).value_or(""), "Die Dämpfung des Beckens ist keine Zahl; erlaubt "
                                               "sind Werte von 0 % bis 100 %.");
}

TEST_F(Stability, ABrokenFieldIsFoundCellByCellAndForgottenWithThePool) {
    EXPECT_EQ(ZBDLL_MarkNonFinite(), 0) << "no pool";
    newPool(10, 8);
    ZBDLL_SetPaused(false);
    ZBDLL_NextFrame();
    EXPECT_EQ(ZBDLL_MarkNonFinite(), 0);
    // A NaN, and an elongation beyond float's range: finite itself, infinite as the height the
    // step makes of it. (The neighbours read the old heights, 0, this time.)
    cell(3, 2).elongation = std::numeric_limits<double>::quiet_NaN();
    cell(7, 5).elongation = 1e300;
    ZBDLL_NextFrame();
    EXPECT_TRUE(std::isfinite(cell(7, 5).elongation));
    EXPECT_EQ(ZBDLL_MarkNonFinite(), 2);
    EXPECT_EQ(gEngine.display.nonFinite, (std::vector<uint32_t>{3 + 2 * 10, 7 + 5 * 10}));
    ZBDLL_NextFrame(); // now the neighbours too
    EXPECT_EQ(ZBDLL_MarkNonFinite(), 10);
    ZBDLL_CreateEmptyPool(10, 8, 0.0, 1.0, 0);
    EXPECT_TRUE(gEngine.display.nonFinite.empty());
    EXPECT_EQ(ZBDLL_MarkNonFinite(), 0);
}

} // namespace zb::test
