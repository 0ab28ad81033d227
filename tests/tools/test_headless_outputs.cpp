// zbtool runs the engine headless (no index lists, no normals): every output must have the
// bytes the full path, as the program runs it, gives.
#include "field_output.h"
#include "height_picture.h"
#include "png_writer.h"
#include "screens.h"
#include "tool_support.h"

#include "sim/engine_state.h"
#include "zbengine.h"

#include <gtest/gtest.h>

namespace zbtool::test {

namespace {

struct Outputs {
    std::vector<uint8_t> elongations, png;
    std::string heights, screens, intensity;
};

Outputs simulate(const zb::TZBecken& tank, bool headless) {
    zb::restoreLoadState();
    zb::gEngine.headless = headless;
    tank.TransferToEngine();
    EXPECT_EQ(zb::gEngine.pool.triangleIndices == nullptr, headless);
    ZBDLL_SetPaused(false);
    ZBDLL_SetSimulationSpeed(0.0025f);
    const EngineView engine = engineView();
    IntensityAverage average(engine);
    for (int step = 0; step < 150; ++step) {
        ZBDLL_NextFrame();
        average.addSample(engine);
    }
    Outputs out{elongationBytes(engine.pool), encodePng(heightPicture(engine.pool, 2)),
                heightsCsv(engine.pool, zb::CsvForm::International),
                screensCsv(engine, zb::CsvForm::International),
                intensityCsv(engine, average.averages(), 0, zb::CsvForm::International)};
    zb::restoreLoadState();
    return out;
}

} // namespace

TEST(HeadlessOutputs, EveryOutputHasTheBytesOfTheFullPath) {
    zb::TZBecken tank;
    tank.SetSize(73, 58);
    tank.StandardKopplung = 1.2;
    tank.StandardDaempfung = 0.005;
    tank.SetEdges(true, true, false, true, 6);
    addExciter(tank, "Punkt") = {.X = 20, .Y = 12, .Breite = 3, .Laenge = 3, .Frequenz = 18.0};
    addExciter(tank, "Stoß") = {.X = 50, .Y = 10, .Winkel = 30, .Fest = false};
    addWall(tank, "Spalt") = {
        .X = 36, .Y = 25, .Winkel = 10, .Laenge = 73, .SpaltAnz = 2, .Spaltbreite = 4};
    addMaterial(tank, "Glas") = {.Y = 40, .Kopplung = 0.6, .Daempfung = 0.01};
    addScreen(tank, "waagrecht") = {.Position = 50, .Horizontal = true};
    addScreen(tank, "senkrecht") = {.Position = 30, .Horizontal = false};

    const Outputs full = simulate(tank, false);
    const Outputs headless = simulate(tank, true);
    ASSERT_FALSE(full.elongations.empty());
    EXPECT_TRUE(headless.elongations == full.elongations);
    EXPECT_TRUE(headless.png == full.png);
    EXPECT_EQ(headless.heights, full.heights);
    EXPECT_EQ(headless.screens, full.screens);
    EXPECT_EQ(headless.intensity, full.intensity);
}

} // namespace zbtool::test
