// Tank file version 4: the extended kinds and options, and the rule that only they make it.
#include "model/tank_file.h"
#include "tank_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <unistd.h>

namespace zb::test::version4 {

namespace fs = std::filesystem;

namespace {

// Little-endian bytes of a tank file, laid out by hand.
struct Bytes : TankBytes<Bytes> {
    Bytes& header(int32_t version, int32_t count) {
        put(version).put<int32_t>(90).put<int32_t>(70);
        flag(false).flag(true).flag(false).flag(true);
        return put(0.0125).put(1.75).put<int32_t>(30).put(count);
    }
    // A version 4 record: name, kind, the payload's length, the payload.
    Bytes& record(const std::string& text, int32_t art, const Bytes& payload) {
        name(text).put(art).put(uint32_t(payload.b.size()));
        b.insert(b.end(), payload.b.begin(), payload.b.end());
        return *this;
    }
    Bytes& block(const char (&tag)[5], const Bytes& payload) {
        b.insert(b.end(), tag, tag + 4);
        put(uint32_t(payload.b.size()));
        b.insert(b.end(), payload.b.begin(), payload.b.end());
        return *this;
    }
};

Bytes exciterPayload(double vx, double vy, bool puls, int32_t perioden) {
    Bytes p;
    p.flag(true).ints({21, 22, 5, 5, 45}).put(12.5).put(0.25).flag(true);
    return std::move(p.put(vx).put(vy).flag(puls).put(perioden));
}
Bytes mediumPayload(int32_t form, int32_t breite, double kopplung, double daempfung) {
    Bytes p;
    p.ints({form, 40, 35, breite, 14, -30});
    return std::move(p.put(kopplung).put(daempfung));
}
Bytes arcPayload(int32_t radius, int32_t dicke) {
    return std::move(Bytes().ints({60, 30, radius, 100, 260, dicke, 2, 6, 18}));
}
Bytes parabolaPayload(int32_t brennweite, int32_t breite, int32_t dicke) {
    return std::move(Bytes().ints({45, 50, brennweite, 180, breite, dicke, 1, 4, 0}));
}

TZBecken parse(const std::vector<uint8_t>& bytes, TankReadResult expected = TankReadResult::Ok) {
    TZBecken tank;
    EXPECT_EQ(parseTank(bytes.data(), bytes.size(), tank), expected);
    return tank;
}

// Every new kind and option with values other than the defaults, among the designed kinds.
TZBecken everyExtendedField() {
    TZBecken t;
    t.SetSize(150, 110);
    t.SetEdges(true, true, false, true, 25);
    t.StandardDaempfung = 0.03125;
    t.StandardKopplung = 2.25;
    t.RandArt = 1;
    auto add = [&](int32_t art, std::string name) -> TObjekt& {
        return t.Objekte->add(std::make_unique<TObjekt>(art, std::move(name)));
    };
    *add(kArtWand, "Wand").wand() = {61, 40, -135, 90, 2, 6, 18};
    *add(kArtMedium, "Linse").medium() = {kMediumEllipse, 75, 55, 30, 60, 15, 0.5625, 0.0078125};
    *add(kArtMedium, "Prisma").medium() = {kMediumDreieck, 30, 80, 40, 35, -120, 1.125, 0.25};
    *add(kArtKreisbogen, "Hohlspiegel").kreisbogen() = {100, 60, 45, -30, 30, 3, 1, 5, 11};
    *add(kArtParabel, "Parabol").parabel() = {20, 70, 17, 270, 66, 2, 2, 4, 9};
    TErreger& moving = *add(kArtErreger, "Doppler").erreger();
    moving = {false, 10, 55, 3, 3, 0, 18.5, 0.125, false};
    moving.Vx = 0.375;
    moving.Vy = -1.5;
    TErreger& pulse = *add(kArtErreger, "Puls").erreger();
    pulse.Puls = true;
    pulse.Perioden = 7;
    add(kArtErreger, "schlicht");
    *add(kArtMesspunkt, "vorne").messpunkt() = {120, 55, 0x123456};
    t.Objekte->add(TObjekt::withoutRecord(42, "fremd"));
    return t;
}

class TempDir {
  public:
    TempDir() : path_(fs::temp_directory_path() / ("zb-tank4-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code e;
        fs::remove_all(path_, e);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(file(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    std::vector<uint8_t> read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

  private:
    fs::path path_;
};

} // namespace

TEST(TankFileVersion4, EveryNewFieldSurvivesSaveAndReopen) {
    TempDir dir;
    const TZBecken original = everyExtendedField();
    ASSERT_TRUE(original.SaveToFile(dir.file("a.zb")).ok);
    const std::vector<uint8_t> first = dir.read("a.zb");
    ASSERT_EQ(first[0], 4);
    TZBecken back;
    ASSERT_EQ(back.read(dir.file("a.zb")), TankReadResult::Ok);
    EXPECT_EQ(back.RandArt, 1);
    EXPECT_EQ(back.GroesseY, 110);
    ASSERT_EQ(back.Objekte->Count(), original.Objekte->Count());
    for (int k = 1; k < back.Objekte->Count(); ++k) {
        EXPECT_EQ(back.Objekte->at(k).Name, original.Objekte->at(k).Name) << k;
        EXPECT_EQ(back.Objekte->at(k).Art, original.Objekte->at(k).Art) << k;
    }
    const TMedium& lens = *back.Objekte->at(2).medium();
    EXPECT_EQ(lens.Form, kMediumEllipse);
    EXPECT_EQ(lens.X, 75);
    EXPECT_EQ(lens.Y, 55);
    EXPECT_EQ(lens.Breite, 30);
    EXPECT_EQ(lens.Hoehe, 60);
    EXPECT_EQ(lens.Winkel, 15);
    EXPECT_EQ(lens.Kopplung, 0.5625);
    EXPECT_EQ(lens.Daempfung, 0.0078125);
    EXPECT_EQ(back.Objekte->at(3).medium()->Form, kMediumDreieck);
    const TKreisbogen& arc = *back.Objekte->at(4).kreisbogen();
    EXPECT_EQ(arc.X, 100);
    EXPECT_EQ(arc.Y, 60);
    EXPECT_EQ(arc.Radius, 45);
    EXPECT_EQ(arc.Startwinkel, -30);
    EXPECT_EQ(arc.Endwinkel, 30);
    EXPECT_EQ(arc.Dicke, 3);
    EXPECT_EQ(arc.SpaltAnz, 1);
    EXPECT_EQ(arc.Spaltbreite, 5);
    EXPECT_EQ(arc.Spaltabstand, 11);
    const TParabel& mirror = *back.Objekte->at(5).parabel();
    EXPECT_EQ(mirror.X, 20);
    EXPECT_EQ(mirror.Y, 70);
    EXPECT_EQ(mirror.Brennweite, 17);
    EXPECT_EQ(mirror.Winkel, 270);
    EXPECT_EQ(mirror.Breite, 66);
    EXPECT_EQ(mirror.Dicke, 2);
    EXPECT_EQ(mirror.SpaltAnz, 2);
    EXPECT_EQ(mirror.Spaltbreite, 4);
    EXPECT_EQ(mirror.Spaltabstand, 9);
    const TErreger& moving = *back.Objekte->at(6).erreger();
    EXPECT_EQ(moving.Vx, 0.375);
    EXPECT_EQ(moving.Vy, -1.5);
    EXPECT_FALSE(moving.Puls);
    EXPECT_FALSE(moving.Fest);
    EXPECT_EQ(moving.Frequenz, 18.5);
    const TErreger& pulse = *back.Objekte->at(7).erreger();
    EXPECT_TRUE(pulse.Puls);
    EXPECT_EQ(pulse.Perioden, 7);
    EXPECT_FALSE(back.Objekte->at(8).erreger()->extended());
    EXPECT_EQ(back.Objekte->at(9).messpunkt()->Farbe, 0x123456u);
    EXPECT_FALSE(back.Objekte->at(10).hasDaten());
    EXPECT_EQ(back.Objekte->at(10).Art, 42);

    ASSERT_TRUE(back.SaveToFile(dir.file("b.zb")).ok);
    EXPECT_EQ(dir.read("b.zb"), first) << "reopened and saved, byte for byte";
}

TEST(TankFileVersion4, FixedBytesPinTheLayout) {
    // By hand: a round trip cannot see two fields swapped in reader and writer alike.
    Bytes f;
    f.header(4, 6);
    f.record("Erreger", kArtErreger, exciterPayload(2.5, -0.75, true, 4));
    f.record("Linse", kArtMedium, mediumPayload(kMediumRechteck, 33, 0.625, 0.125));
    f.record("Bogen", kArtKreisbogen, arcPayload(27, 2));
    f.record("Parabel", kArtParabel, parabolaPayload(12, 48, 3));
    f.record("Wand", kArtWand, Bytes().ints({1, 2, 3, 4, 5, 6, 7}));
    f.put<uint32_t>(1).block("RAND", Bytes().put<int32_t>(1));
    ASSERT_EQ(f.b.size(), 40u + 5 * 264u + 59 + 40 + 36 + 36 + 28 + 4 + 12);
    const TZBecken t = parse(f.b);
    EXPECT_EQ(t.RandArt, 1);
    const TErreger& e = *t.Objekte->at(1).erreger();
    EXPECT_EQ(e.X, 21);
    EXPECT_EQ(e.Winkel, 45);
    EXPECT_TRUE(e.Fest);
    EXPECT_EQ(e.Vx, 2.5);
    EXPECT_EQ(e.Vy, -0.75);
    EXPECT_TRUE(e.Puls);
    EXPECT_EQ(e.Perioden, 4);
    const TMedium& m = *t.Objekte->at(2).medium();
    EXPECT_EQ(m.Form, kMediumRechteck);
    EXPECT_EQ(m.X, 40);
    EXPECT_EQ(m.Y, 35);
    EXPECT_EQ(m.Breite, 33);
    EXPECT_EQ(m.Hoehe, 14);
    EXPECT_EQ(m.Winkel, -30);
    EXPECT_EQ(m.Kopplung, 0.625);
    EXPECT_EQ(m.Daempfung, 0.125);
    const TKreisbogen& a = *t.Objekte->at(3).kreisbogen();
    EXPECT_EQ(a.X, 60);
    EXPECT_EQ(a.Y, 30);
    EXPECT_EQ(a.Radius, 27);
    EXPECT_EQ(a.Startwinkel, 100);
    EXPECT_EQ(a.Endwinkel, 260);
    EXPECT_EQ(a.Dicke, 2);
    EXPECT_EQ(a.SpaltAnz, 2);
    EXPECT_EQ(a.Spaltbreite, 6);
    EXPECT_EQ(a.Spaltabstand, 18);
    const TParabel& p = *t.Objekte->at(4).parabel();
    EXPECT_EQ(p.X, 45);
    EXPECT_EQ(p.Y, 50);
    EXPECT_EQ(p.Brennweite, 12);
    EXPECT_EQ(p.Winkel, 180);
    EXPECT_EQ(p.Breite, 48);
    EXPECT_EQ(p.Dicke, 3);
    EXPECT_EQ(p.SpaltAnz, 1);
    EXPECT_EQ(p.Spaltbreite, 4);
    EXPECT_EQ(p.Spaltabstand, 0);
    EXPECT_EQ(t.Objekte->at(5).wand()->Spaltabstand, 7);
    EXPECT_EQ(serializeTank(t), f.b);
}

TEST(TankFileVersion4, OnlyANewKindOrOptionMakesVersion4) {
    TZBecken plain;
    plain.Objekte->add(std::make_unique<TObjekt>(kArtErreger, "Erreger"));
    plain.Objekte->add(std::make_unique<TObjekt>(kArtWand, "Wand"));
    const std::vector<uint8_t> v2 = serializeTank(plain);
    ASSERT_EQ(v2[0], 2);
    plain.Objekte->add(std::make_unique<TObjekt>(kArtMesspunkt, "Messpunkt"));
    const std::vector<uint8_t> v3 = serializeTank(plain);
    ASSERT_EQ(v3[0], 3);

    // Each use alone makes version 4, and undoing it gives the version 3 bytes again.
    const auto uses = std::vector<std::pair<const char*, void (*)(TZBecken&)>>{
        {"medium", [](TZBecken& t) { t.Objekte->add(std::make_unique<TObjekt>(kArtMedium)); }},
        {"arc", [](TZBecken& t) { t.Objekte->add(std::make_unique<TObjekt>(kArtKreisbogen)); }},
        {"parabola", [](TZBecken& t) { t.Objekte->add(std::make_unique<TObjekt>(kArtParabel)); }},
        {"vx", [](TZBecken& t) { t.Objekte->at(1).erreger()->Vx = 0.5; }},
        {"vy", [](TZBecken& t) { t.Objekte->at(1).erreger()->Vy = -0.5; }},
        {"pulse", [](TZBecken& t) { t.Objekte->at(1).erreger()->Puls = true; }},
        {"edges", [](TZBecken& t) { t.RandArt = 1; }},
    };
    for (const auto& [what, use] : uses) {
        TZBecken t(plain);
        use(t);
        EXPECT_EQ(serializeTank(t)[0], 4) << what;
        TZBecken undone = parse(serializeTank(t));
        undone.RandArt = 0;
        if (undone.Objekte->Count() > 4)
            undone.Objekte->remove(4);
        *undone.Objekte->at(1).erreger() = *plain.Objekte->at(1).erreger();
        EXPECT_EQ(serializeTank(undone), v3) << what;
    }
    // Periods alone are no pulse.
    TZBecken periods(plain);
    periods.Objekte->at(1).erreger()->Perioden = 5;
    EXPECT_EQ(serializeTank(periods), v3);
}

TEST(TankFileVersion4, Version3WithProbesAndForeignCodesStaysByteForByte) {
    // Codes 6 to 8 had no payload before version 4 and still read and write that way.
    Bytes v3;
    v3.header(3, 9);
    v3.name("Wand").put<int32_t>(kArtWand).ints({1, 2, 3, 4, 5, 6, 7});
    v3.name("Messpunkt").put<int32_t>(kArtMesspunkt).ints({10, 12, 0xd01c8b});
    v3.name("Schirm").put<int32_t>(kArtSchirm).put<int32_t>(5).flag(true);
    v3.name("sechs").put<int32_t>(kArtMedium);
    v3.name("Glas").put<int32_t>(kArtMatUebergang).put<int32_t>(9).put(0.5).put(0.25);
    v3.name("Erreger").put<int32_t>(kArtErreger).flag(true).ints({4, 4, 5, 5, 0});
    v3.put(10.0).put(0.1).flag(false);
    v3.name("sieben").put<int32_t>(kArtKreisbogen);
    v3.name("acht").put<int32_t>(kArtParabel);
    const TZBecken t = parse(v3.b);
    ASSERT_EQ(t.Objekte->Count(), 9);
    for (int k : {4, 7, 8})
        EXPECT_FALSE(t.Objekte->at(k).hasDaten()) << k;
    EXPECT_EQ(t.Objekte->at(5).matUebergang()->Kopplung, 0.5);
    EXPECT_EQ(serializeTank(t), v3.b);

    // Beside a real medium they have no layout and are left out of the version 4 file.
    TZBecken mixed(t);
    mixed.Objekte->add(std::make_unique<TObjekt>(kArtMedium, "echt"));
    const TZBecken back = parse(serializeTank(mixed));
    ASSERT_EQ(back.Objekte->Count(), 7);
    EXPECT_EQ(back.Objekte->at(4).Name, "Glas");
    EXPECT_EQ(back.Objekte->at(6).Name, "echt");
    EXPECT_NE(back.Objekte->at(6).medium(), nullptr);
}

TEST(TankFileVersion4, EveryCutLeavesTheTankAsItWas) {
    TempDir dir;
    TZBecken tank;
    tank.SetSize(33, 44);
    tank.Objekte->add(std::make_unique<TObjekt>(kArtWand, "vorher"));
    const std::vector<uint8_t> before = serializeTank(tank);
    const std::vector<uint8_t> full = serializeTank(everyExtendedField());
    for (size_t n = 0; n < full.size(); ++n) {
        dir.write("cut.zb", std::vector<uint8_t>(full.begin(), full.begin() + long(n)));
        ASSERT_EQ(tank.read(dir.file("cut.zb")), TankReadResult::Truncated) << n;
    }
    EXPECT_EQ(serializeTank(tank), before);
    dir.write("full.zb", full);
    EXPECT_EQ(tank.read(dir.file("full.zb")), TankReadResult::Ok);
}

TEST(TankFileVersion4, CountedRecordsAndBlocksAreReadWithCare) {
    const auto file = [](const Bytes& arcRecordPayload, const Bytes& blocks) {
        Bytes f;
        f.header(4, 3).record("Bogen", kArtKreisbogen, arcRecordPayload);
        f.record("Wand", kArtWand, Bytes().ints({1, 2, 3, 4, 5, 6, 7}));
        f.b.insert(f.b.end(), blocks.b.begin(), blocks.b.end());
        return f.b;
    };
    const Bytes noBlocks = std::move(Bytes().put<uint32_t>(0));
    const Bytes arc = arcPayload(27, 2);
    EXPECT_EQ(parse(file(arc, noBlocks)).Objekte->at(1).kreisbogen()->Radius, 27);

    // A record shorter than its kind's fields is damaged.
    Bytes shortArc = arc;
    shortArc.b.resize(arc.b.size() - 1);
    parse(file(shortArc, noBlocks), TankReadResult::Truncated);
    // Fields a later program appends are stepped over; the next record is read where it starts.
    Bytes longArc = arc;
    longArc.put<int32_t>(-1).put(1.0);
    TZBecken t = parse(file(longArc, noBlocks));
    EXPECT_EQ(t.Objekte->at(1).kreisbogen()->Spaltabstand, 18);
    EXPECT_EQ(t.Objekte->at(2).wand()->Spaltabstand, 7);
    // A length beyond the file.
    Bytes huge;
    huge.header(4, 2).name("Bogen").put<int32_t>(kArtKreisbogen).put<uint32_t>(0xFFFFFFFFu);
    huge.b.insert(huge.b.end(), arc.b.begin(), arc.b.end());
    huge.put<uint32_t>(0);
    parse(huge.b, TankReadResult::Truncated);

    // An unknown kind keeps its code and name; its payload is stepped over.
    Bytes foreign;
    foreign.header(4, 3).record("neu", 77, Bytes().put(3.5).put<int32_t>(9));
    foreign.record("Wand", kArtWand, Bytes().ints({1, 2, 3, 4, 5, 6, 7})).put<uint32_t>(0);
    t = parse(foreign.b);
    EXPECT_EQ(t.Objekte->at(1).Art, 77);
    EXPECT_FALSE(t.Objekte->at(1).hasDaten());
    EXPECT_EQ(t.Objekte->at(2).wand()->X, 1);

    // Unknown blocks are stepped over, known ones read, longer ones too.
    Bytes blocks;
    blocks.put<uint32_t>(3).block("NEUB", Bytes().put(1.5).put<int32_t>(2));
    blocks.block("RAND", Bytes().put<int32_t>(1).put<int32_t>(99)).block("ZZZZ", Bytes());
    EXPECT_EQ(parse(file(arc, blocks)).RandArt, 1);
    // A known block too short for its fields, a length or a count beyond the file.
    parse(file(arc, std::move(Bytes().put<uint32_t>(1).block("RAND", Bytes().put<int16_t>(1)))),
          TankReadResult::Truncated);
    Bytes beyond;
    beyond.put<uint32_t>(1);
    beyond.b.insert(beyond.b.end(), {'A', 'N', 'Z', 'G'});
    beyond.put<uint32_t>(0x7FFFFFFFu).put<int32_t>(0);
    parse(file(arc, beyond), TankReadResult::Truncated);
    parse(file(arc, std::move(Bytes().put<uint32_t>(0xFFFFFFFFu))), TankReadResult::Truncated);
    parse(file(arc, Bytes()), TankReadResult::Truncated); // the block count is required

    // The first version this program does not know.
    TempDir dir;
    dir.write("v5.zb", Bytes().header(5, 1).put<uint32_t>(0).b);
    TankReadDetail detail;
    TZBecken version5;
    EXPECT_EQ(version5.read(dir.file("v5.zb"), &detail), TankReadResult::WrongVersion);
    EXPECT_EQ(detail.version, 5);
}

TEST(TankFileVersion4, ValuesTheEditorCannotShowAreBroughtIntoRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Bytes f;
    f.header(4, 9);
    f.record("zu viele", kArtErreger, exciterPayload(nan, -inf, true, 11));
    f.record("keine", kArtErreger, exciterPayload(inf, 0.5, true, 0));
    f.record("Form 3", kArtMedium, mediumPayload(3, -4, nan, 2.0));
    f.record("Form -1", kArtMedium, mediumPayload(-1, 0, -1.0, nan));
    f.record("Form 2", kArtMedium, mediumPayload(kMediumDreieck, 1, 7.5, -0.5));
    f.record("Punkt", kArtKreisbogen, arcPayload(-3, 0));
    f.record("flach", kArtParabel, parabolaPayload(0, -8, -1));
    f.record("Wand", kArtWand, Bytes().ints({-5, -6, 720, -4, -1, -2, -3}));
    f.put<uint32_t>(1).block("RAND", Bytes().put<int32_t>(7));
    const TZBecken t = parse(f.b);
    const TErreger& many = *t.Objekte->at(1).erreger();
    EXPECT_EQ(many.Vx, 0.0);
    EXPECT_EQ(many.Vy, 0.0);
    EXPECT_EQ(many.Perioden, 10);
    const TErreger& none = *t.Objekte->at(2).erreger();
    EXPECT_EQ(none.Vx, 0.0);
    EXPECT_EQ(none.Vy, 0.5);
    EXPECT_EQ(none.Perioden, 1);
    const TMedium& m3 = *t.Objekte->at(3).medium();
    EXPECT_EQ(m3.Form, kMediumEllipse);
    EXPECT_EQ(m3.Breite, 1);
    EXPECT_EQ(m3.Kopplung, TMedium{}.Kopplung);
    EXPECT_EQ(m3.Daempfung, 1.0);
    const TMedium& m1 = *t.Objekte->at(4).medium();
    EXPECT_EQ(m1.Form, kMediumEllipse);
    EXPECT_EQ(m1.Breite, 1);
    EXPECT_EQ(m1.Kopplung, 0.0);
    EXPECT_EQ(m1.Daempfung, 0.0);
    const TMedium& m2 = *t.Objekte->at(5).medium();
    EXPECT_EQ(m2.Form, kMediumDreieck);
    EXPECT_EQ(m2.Kopplung, 7.5);
    EXPECT_EQ(m2.Daempfung, 0.0);
    EXPECT_EQ(m2.Winkel, -30) << "angles and positions are taken as they are";
    const TKreisbogen& a = *t.Objekte->at(6).kreisbogen();
    EXPECT_EQ(a.Radius, 1);
    EXPECT_EQ(a.Dicke, 1);
    const TParabel& p = *t.Objekte->at(7).parabel();
    EXPECT_EQ(p.Brennweite, 1);
    EXPECT_EQ(p.Breite, 1);
    EXPECT_EQ(p.Dicke, 1);
    EXPECT_EQ(p.Spaltabstand, 0);
    const TWand& w = *t.Objekte->at(8).wand();
    EXPECT_EQ(w.Laenge, -4) << "the designed kinds keep what the file holds";
    EXPECT_EQ(w.SpaltAnz, -1);
    EXPECT_EQ(t.RandArt, 0) << "an edge kind of a later program: the designed edges";
}

} // namespace zb::test::version4
