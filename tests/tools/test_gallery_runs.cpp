// The gallery through the tools: its thumbnails drawn by the build, and every experiment read
// and run by zbtool.
#include "png_check.h"
#include "tool_support.h"

#include "model/gallery.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace zbtool::test {

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A wave field shades its water in many tones; still water, walls, exciters and the frame with
// the mixes at their borders stay well below this.
constexpr size_t kFewestColoursOfAField = 32;

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

size_t distinctColours(const DecodedPng& png) {
    std::set<uint32_t> colours;
    for (uint32_t y = 0; y < png.height; ++y)
        for (uint32_t x = 0; x < png.width; ++x) {
            const uint8_t* p = png.pixel(x, y);
            colours.insert(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
        }
    return colours.size();
}

// zbtool reads and runs the experiment in German without a complaint, and the build drew it.
void expectExperimentRunsAndHasItsPicture(const zb::GalleryEntry& e,
                                          const std::string& pictureFolder) {
    SCOPED_TRACE(e.name);
    const ToolRun info = runTool({"info", e.tankPath});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_THAT(info.out, HasSubstr("Größe:"));
    EXPECT_THAT(info.out + info.err, Not(HasSubstr("Fehler")));
    const ToolRun simulate = runTool({"simulate", e.tankPath, "--steps", "20"});
    EXPECT_EQ(simulate.exitCode, 0) << simulate.err;
    EXPECT_THAT(simulate.out + simulate.err, Not(HasSubstr("Fehler")));

    const DecodedPng png = decodePng(readBytes(pictureFolder + "/" + e.name + ".png"));
    ASSERT_EQ(png.error, "") << "picture of " << e.name;
    EXPECT_EQ(png.width, 200u);
    EXPECT_EQ(png.height, 150u);
    EXPECT_GT(distinctColours(png), kFewestColoursOfAField) << "picture of " << e.name;
}

// Two experiments: a circular wave with the remembered display, and a double slit that opens
// with its intensity seen from above.
void writeSmallGallery(const TempDir& dir) {
    zb::TZBecken circle;
    circle.SetSize(120, 100);
    circle.StandardKopplung = 4.0;
    circle.SetEdges(true, true, true, true, 20);
    addExciter(circle, "Punkt") = {
        .X = 60, .Y = 50, .Breite = 3, .Laenge = 3, .Frequenz = 20.0, .Amplitude = 0.3};
    saveTank(circle, dir, "01_Kreiswelle.zb");
    writeText(dir.file("01_Kreiswelle.txt"),
              "Titel: Kreiswelle\nGruppe: Ausbreitung\n\nEine Welle läuft nach außen.\n");

    zb::TZBecken slits;
    slits.SetSize(150, 150);
    slits.StandardKopplung = 4.0;
    slits.SetEdges(true, true, true, true, 20);
    addExciter(slits, "Welle") = {.X = 75,
                                  .Y = 25,
                                  .Breite = 2,
                                  .Laenge = 150,
                                  .Winkel = 0,
                                  .Frequenz = 20.0,
                                  .Amplitude = 0.2,
                                  .Fest = false};
    addWall(slits, "Doppelspalt") = {
        .X = 75, .Y = 50, .Laenge = 150, .SpaltAnz = 2, .Spaltbreite = 6, .Spaltabstand = 30};
    slits.Anzeige = zb::TAnzeige{.Faerbung = 2, .Hoehe = 150, .Geschwindigkeit = 60};
    saveTank(slits, dir, "02_Doppelspalt.zb");
    writeText(dir.file("02_Doppelspalt.txt"),
              "Titel: Doppelspalt\nGruppe: Interferenz\nBild: 1500\n\nStreifen.\n");
}

} // namespace

TEST(ZbtoolInfo, NamesTheDisplayATankOpensWithAndNothingForOneWithout) {
    TempDir dir;
    zb::TZBecken tank;
    tank.SetSize(80, 60);
    tank.StandardKopplung = 4.0;
    const std::string plain = saveTank(tank, dir, "ohne.zb");
    tank.Anzeige = zb::TAnzeige{.Faerbung = 2,
                                .Hoehenfaktor = -10,
                                .SchirmIntensitaet = true,
                                .DrahtAnsicht = false,
                                .SchirmeTransparent = true,
                                .Drehwinkel = 180,
                                .Entfernung = 40,
                                .Hoehe = 150,
                                .Geschwindigkeit = 60};
    const std::string chosen = saveTank(tank, dir, "mit.zb");
    tank.Anzeige = zb::TAnzeige{.Faerbung = 1, .Hoehenfaktor = 15, .Hoehe = 149};
    const std::string side = saveTank(tank, dir, "seitlich.zb");

    const ToolRun without = runTool({"info", plain});
    ASSERT_EQ(without.exitCode, 0) << without.err;
    EXPECT_THAT(without.out, Not(HasSubstr("Darstellung")));
    const ToolRun with = runTool({"info", chosen});
    ASSERT_EQ(with.exitCode, 0) << with.err;
    EXPECT_THAT(
        with.out,
        HasSubstr("\nDarstellung beim Öffnen: Farben Intensität, Höhe ×0,50, Intensität an "
                  "den Schirmen, Schirmhintergrund transparent, Drahtansicht aus, Blick von "
                  "oben, Drehwinkel 180°, Entfernung 40, Geschwindigkeit 60 (Schritt dt "
                  "0,0049)\nObjekte:"));
    const ToolRun sideways = runTool({"info", side});
    ASSERT_EQ(sideways.exitCode, 0) << sideways.err;
    EXPECT_THAT(sideways.out,
                HasSubstr("Darstellung beim Öffnen: Farben Auslenkung, Höhe ×2,8, Schirme ohne "
                          "Intensität, Drahtansicht an, Höhe des Betrachters 149, Drehwinkel 90°, "
                          "Entfernung 75, Geschwindigkeit 30 (Schritt dt 0,0025)\n"));
}

TEST(GalleryThumbnails, EveryExperimentOfAFolderRunsAndGetsAPictureOfItsField) {
    TempDir source, pictures;
    writeSmallGallery(source);
    const ToolRun drawn = runProgram(GALLERY_THUMBNAILS_PATH, {source.path(), pictures.path()});
    ASSERT_EQ(drawn.exitCode, 0) << drawn.err;
    const std::vector<zb::GalleryEntry> entries = zb::readGallery(source.path());
    ASSERT_EQ(entries.size(), 2u);
    for (const zb::GalleryEntry& e : entries)
        expectExperimentRunsAndHasItsPicture(e, pictures.path());

    // 120 x 100 oscillators fill the height of 200 x 150: grey bands left and right only.
    const DecodedPng circle = decodePng(readBytes(pictures.file("01_Kreiswelle.png")));
    ASSERT_EQ(circle.error, "");
    const auto grey = [&](uint32_t x, uint32_t y) {
        const uint8_t* p = circle.pixel(x, y);
        return p[0] == 128 && p[1] == 128 && p[2] == 128;
    };
    EXPECT_TRUE(grey(0, 0) && grey(9, 75) && grey(199, 149));
    EXPECT_FALSE(grey(10, 0) || grey(100, 0) || grey(189, 149));
}

TEST(GalleryThumbnails, ABrokenTextOrTankFailsTheRunNamingTheFile) {
    TempDir source, pictures;
    writeSmallGallery(source);
    writeText(source.file("02_Doppelspalt.txt"), "Titel: Doppelspalt\nGruppe: Optik\n\nText.\n");
    ToolRun drawn = runProgram(GALLERY_THUMBNAILS_PATH, {source.path(), pictures.path()});
    EXPECT_NE(drawn.exitCode, 0);
    EXPECT_THAT(drawn.err, HasSubstr("02_Doppelspalt.txt: unbekannte Gruppe „Optik“"));

    writeSmallGallery(source);
    std::vector<uint8_t> tank = readBytes(source.file("01_Kreiswelle.zb"));
    tank.resize(tank.size() - 10);
    writeBytes(source.file("01_Kreiswelle.zb"), tank);
    drawn = runProgram(GALLERY_THUMBNAILS_PATH, {source.path(), pictures.path()});
    EXPECT_NE(drawn.exitCode, 0);
    EXPECT_THAT(drawn.err, HasSubstr("01_Kreiswelle.zb“ ist unvollständig"));
}

// Fails until the experiments are in data/Versuche.
TEST(GalleryThumbnails, EveryExperimentOfTheGalleryRunsAndHasItsPicture) {
    std::vector<std::string> problems;
    const std::vector<zb::GalleryEntry> entries = zb::readGallery(ZB_GALLERY_DIR, &problems);
    EXPECT_THAT(problems, ::testing::IsEmpty());
    ASSERT_GE(entries.size(), 30u) << ZB_GALLERY_DIR << " holds " << entries.size()
                                   << " experiments; the gallery offers at least 30";
    for (const zb::GalleryEntry& e : entries)
        expectExperimentRunsAndHasItsPicture(e, ZB_GALLERY_PICTURE_DIR);
}

} // namespace zbtool::test
