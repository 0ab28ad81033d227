// zbtool with the kinds and options of tank file version 4.
#include "tool_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zbtool::test {

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

template <class Record>
Record& addObject(zb::TZBecken& tank, int32_t art, const std::string& name) {
    return *tank.Objekte->add(std::make_unique<zb::TObjekt>(art, name)).record<Record>();
}

// A lens, a prism, a concave mirror and a parabolic mirror, a moving and a pulsed source.
zb::TZBecken extendedTank() {
    zb::TZBecken tank;
    tank.SetSize(120, 90);
    tank.StandardKopplung = 1.0;
    tank.SetEdges(true, true, true, true, 20);
    tank.RandArt = 1;
    zb::TErreger& moving = addExciter(tank, "Doppler");
    moving = {.X = 20, .Y = 45, .Frequenz = 20.0, .Amplitude = 0.3};
    moving.Vx = 0.75;
    moving.Vy = -0.5;
    zb::TErreger& pulse = addExciter(tank, "Paket");
    pulse = {.X = 100, .Y = 10, .Breite = 3, .Laenge = 30, .Winkel = 90};
    pulse.Puls = true;
    pulse.Perioden = 3;
    addObject<zb::TErreger>(tank, zb::kArtErreger, "Einzelpuls").Puls = true;
    addObject<zb::TMedium>(tank, zb::kArtMedium,
                           "Linse") = {zb::kMediumEllipse, 60, 45, 12, 40, 0, 0.5, 0.0};
    addObject<zb::TMedium>(tank, zb::kArtMedium,
                           "Prisma") = {zb::kMediumDreieck, 30, 70, 30, 20, 90, 0.625, 0.125};
    addObject<zb::TMedium>(tank, zb::kArtMedium,
                           "Block") = {zb::kMediumRechteck, 90, 70, 10, 10, 0, 2.0, 0.0};
    addObject<zb::TKreisbogen>(tank, zb::kArtKreisbogen, "Hohlspiegel") = {90, 45, 25, -60, 60,
                                                                           2,  0,  8,  20};
    addObject<zb::TParabel>(tank, zb::kArtParabel, "Parabolspiegel") = {30, 20, 10, 270, 50,
                                                                        1,  2,  4,  12};
    return tank;
}

} // namespace

TEST(ZbtoolExtended, InfoNamesEveryNewKindAndOption) {
    TempDir dir;
    const ToolRun run = runTool({"info", saveTank(extendedTank(), dir, "neu.zb")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string& s = run.out;
    EXPECT_THAT(s, HasSubstr("Ränder:     absorbierend hinten (y = 0), vorne (y = 89), links "
                             "(x = 0), rechts (x = 119); Breite 20 Schwinger; Ränder kaum "
                             "reflektierend\n"));
    EXPECT_THAT(s, HasSubstr("1. Erreger „Doppler“\n"));
    EXPECT_THAT(s, HasSubstr("   bewegt mit v = (0,75; -0,5) Schwinger pro Sekunde "
                             "Simulationszeit, Betrag 0,901388; hält am Beckenrand an\n"));
    EXPECT_THAT(s, HasSubstr("2. Erreger „Paket“\n"));
    EXPECT_THAT(s, HasSubstr("Betriebsart: Sinusförmige Auslenkung vorgeben\n   Puls, 3 Perioden, "
                             "dann Ruhe\n\n3. Erreger „Einzelpuls“"));
    EXPECT_THAT(s, HasSubstr("   Puls, 1 Periode, dann Ruhe\n\n4."));
    EXPECT_THAT(s, HasSubstr("4. Medium (Ellipse) „Linse“\n   Mitte (60, 45), Breite 12, Höhe 40, "
                             "Winkel 0°\n   Kopplung 0,5, Dämpfung 0 (0 %)\n"));
    EXPECT_THAT(s, HasSubstr("5. Medium (Dreieck) „Prisma“\n   Mitte (30, 70), Breite 30, Höhe "
                             "20, Winkel 90°\n   Kopplung 0,625, Dämpfung 0,125 (12,5 %)\n"));
    EXPECT_THAT(s, HasSubstr("6. Medium (Rechteck) „Block“\n"));
    EXPECT_THAT(s, HasSubstr("7. gebogene Wand (Kreisbogen) „Hohlspiegel“\n   Mitte (90, 45), "
                             "Radius 25, von -60° bis 60°, Dicke 2\n   ohne Spalt\n"));
    EXPECT_THAT(s, HasSubstr("8. gebogene Wand (Parabel) „Parabolspiegel“\n   Brennpunkt (30, 20), "
                             "Brennweite 10, öffnet zu 270°, Breite 50, Dicke 1\n   2 Spalte, "
                             "Breite 4, Abstand 12 (Mitte zu Mitte)\n"));

    // A designed tank reads as before: no motion, no pulse, no edge kind.
    zb::TZBecken plain = extendedTank();
    plain.RandArt = 0;
    plain.SetEdges(false, false, false, false, 20);
    for (int k = 1; k <= 3; ++k)
        *plain.Objekte->at(k).erreger() = {};
    const ToolRun designed = runTool({"info", saveTank(plain, dir, "alt.zb")});
    ASSERT_EQ(designed.exitCode, 0) << designed.err;
    EXPECT_THAT(designed.out, Not(HasSubstr("bewegt")));
    EXPECT_THAT(designed.out, Not(HasSubstr("Puls")));
    EXPECT_THAT(designed.out, Not(HasSubstr("kaum")));
    EXPECT_THAT(designed.out, HasSubstr("alle Ränder werfen Wellen zurück\n"));

    // Quiet edges chosen without an absorbing edge change nothing, and say so.
    plain.RandArt = 1;
    const ToolRun quiet = runTool({"info", saveTank(plain, dir, "leise.zb")});
    EXPECT_THAT(quiet.out, HasSubstr("alle Ränder werfen Wellen zurück (Ränder kaum reflektierend "
                                     "gewählt, ohne absorbierenden Rand ohne Wirkung)\n"));
}

TEST(ZbtoolExtended, SimulateRunsAVersion4Tank) {
    TempDir dir;
    const std::string path = saveTank(extendedTank(), dir, "neu.zb");
    ASSERT_EQ(readBytes(path).at(0), 4);
    const std::string picture = dir.file("bild.png");
    const ToolRun run = runTool({"simulate", path, "--steps", "30", "--png", picture});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::file_size(picture) > 0);
}

} // namespace zbtool::test
