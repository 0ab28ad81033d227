#include "model/cp1252.h"
#include "model/tank_file.h"
#include "tank_bytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zb::test {

namespace fs = std::filesystem;

namespace {

// Little-endian bytes of a tank file, written field by field.
struct Bytes : TankBytes<Bytes> {
    Bytes& header(int32_t version, int32_t count) {
        put(version).put<int32_t>(64).put<int32_t>(48);
        flag(true).flag(false).flag(true).flag(false);
        return put(0.05).put(2.5).put<int32_t>(9).put(count);
    }
    Bytes& probe(const std::string& name, int32_t x, int32_t y, uint32_t colour) {
        return this->name(name).put<int32_t>(kArtMesspunkt).put(x).put(y).put(colour);
    }
    Bytes& wall() {
        name("Wand").put<int32_t>(kArtWand);
        for (int32_t k = 1; k <= 7; ++k)
            put(k * 10);
        return *this;
    }
    Bytes& exciter(int32_t version, bool fest) {
        name("Erreger").put<int32_t>(kArtErreger).flag(false);
        put<int32_t>(11).put<int32_t>(12).put<int32_t>(3).put<int32_t>(7).put<int32_t>(33);
        put(12.5).put(0.4);
        if (version >= 2)
            flag(fest);
        return *this;
    }
};

class TempDir {
  public:
    TempDir() : path_(fs::temp_directory_path() / ("zb-tank-" + std::to_string(getpid()))) {
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code e;
        fs::permissions(path_, fs::perms::owner_all, e);
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
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

TZBecken parse(const std::vector<uint8_t>& bytes, TankReadResult expected = TankReadResult::Ok) {
    TZBecken tank;
    EXPECT_EQ(parseTank(bytes.data(), bytes.size(), tank), expected);
    return tank;
}

// A tank with every field and every kind set to values other than the defaults.
TZBecken everyField() {
    TZBecken t;
    t.SetSize(123, 77);
    t.SetEdges(false, true, true, false, 17);
    t.StandardDaempfung = 0.125;
    t.StandardKopplung = 3.35;
    auto add = [&](int32_t art, std::string name) -> TObjekt& {
        return t.Objekte->add(std::make_unique<TObjekt>(art, std::move(name)));
    };
    *add(kArtWand, "Doppelspalt (Weiß)").wand() = {61, 40, -135, 90, 2, 6, 18};
    *add(kArtSchirm, "Schirm hinten").schirm() = {70, false};
    *add(kArtMatUebergang, "Glas € ½").matUebergang() = {50, 0.75, 0.015625};
    *add(kArtErreger, "Ebene Welle").erreger() = {false, 5, 60, 1, 70, 359, 16.5, 0.42, false};
    t.Objekte->add(TObjekt::withoutRecord(7, "unbekannt")); // code 7 as a version 2 file has it
    add(kArtErreger, "");
    return t;
}

void expectSameTank(const TZBecken& a, const TZBecken& b) {
    EXPECT_EQ(serializeTank(a), serializeTank(b));
    ASSERT_EQ(a.Objekte->Count(), b.Objekte->Count());
    for (int k = 0; k < a.Objekte->Count(); ++k) {
        EXPECT_EQ(a.Objekte->at(k).Name, b.Objekte->at(k).Name) << k;
        EXPECT_EQ(a.Objekte->at(k).Art, b.Objekte->at(k).Art) << k;
    }
}

} // namespace

TEST(TankFile, HeaderOnlyFileGivesATankWithoutObjects) {
    const TZBecken t = parse(Bytes().header(2, 1).b);
    EXPECT_EQ(t.GroesseX, 64);
    EXPECT_EQ(t.GroesseY, 48);
    EXPECT_TRUE(t.RandHinten);
    EXPECT_FALSE(t.RandVorne);
    EXPECT_TRUE(t.RandLinks);
    EXPECT_FALSE(t.RandRechts);
    EXPECT_EQ(t.StandardDaempfung, 0.05);
    EXPECT_EQ(t.StandardKopplung, 2.5);
    EXPECT_EQ(t.RandBreite, 9);
    EXPECT_EQ(t.Objekte->Count(), 1);
    EXPECT_EQ(parse(Bytes().header(1, 0).b).Objekte->Count(), 1);
    EXPECT_EQ(parse(Bytes().header(2, -50).b).Objekte->Count(), 1);
}

TEST(TankFile, VersionDecidesWhetherExcitersCarryTheirMode) {
    const std::vector<uint8_t> v1 = Bytes().header(1, 2).exciter(1, false).b;
    ASSERT_EQ(v1.size(), 40u + 297u);
    const TZBecken first = parse(v1);
    const TErreger* e = first.Objekte->at(1).erreger();
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->Fest) << "version 1 keeps the default";
    EXPECT_FALSE(e->Merker);
    EXPECT_EQ(e->X, 11);
    EXPECT_EQ(e->Winkel, 33);
    EXPECT_EQ(e->Frequenz, 12.5);
    EXPECT_EQ(e->Amplitude, 0.4);

    const std::vector<uint8_t> v2 = Bytes().header(2, 2).exciter(2, false).b;
    ASSERT_EQ(v2.size(), 40u + 298u);
    EXPECT_FALSE(parse(v2).Objekte->at(1).erreger()->Fest);
    // Version 2 needs the extra byte: the same 297 bytes are incomplete.
    parse(Bytes().header(2, 2).exciter(1, false).b, TankReadResult::Truncated);
}

TEST(TankFile, MaterialChangeHoldsRowCouplingAndDampingInThatOrder) {
    // Fixed bytes: a round trip cannot see two fields swapped in reader and writer alike.
    Bytes f;
    f.header(2, 2);
    f.name("Glas").put<int32_t>(kArtMatUebergang).put<int32_t>(50).put(0.75).put(0.015625);
    const TZBecken t = parse(f.b);
    const TMatUebergang* m = t.Objekte->at(1).matUebergang();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Y, 50);
    EXPECT_EQ(m->Kopplung, 0.75);
    EXPECT_EQ(m->Daempfung, 0.015625);
    EXPECT_EQ(serializeTank(t), f.b);
}

TEST(TankFile, NamesAreCountedStringsInWindows1252) {
    Bytes f;
    f.header(2, 3);
    f.name("Wand", 'x').put<int32_t>(kArtWand);
    for (int k = 0; k < 7; ++k)
        f.put<int32_t>(k);
    f.name("Gro\xDF"
           "e \x80"
           "-Welle \xE4\xF6\xFC")
        .put<int32_t>(kArtSchirm)
        .put<int32_t>(3)
        .flag(true);
    const TZBecken t = parse(f.b);
    EXPECT_EQ(t.Objekte->at(1).Name, "Wand");
    EXPECT_EQ(t.Objekte->at(2).Name, "Große €-Welle äöü");
    EXPECT_EQ(cp1252FromUtf8("Große €-Welle äöü"), "Gro\xDF"
                                                   "e \x80"
                                                   "-Welle \xE4\xF6\xFC");
    EXPECT_EQ(cp1252FromUtf8("π ≈ 3 ✓"), "? ? 3 ?");
    EXPECT_EQ(cp1252FromUtf8("bad \xFF\xC3 end"), "bad ?? end");
    EXPECT_EQ(cp1252FromUtf8(utf8FromCp1252("\x81\x8D\x8F\x90\x9D")), "\x81\x8D\x8F\x90\x9D");
}

TEST(TankFile, UnknownVersionsAndTruncatedFilesLeaveTheTankAlone) {
    TempDir dir;
    TZBecken tank = everyField();
    const std::vector<uint8_t> before = serializeTank(tank);

    dir.write("v4.zb", Bytes().header(4, 1).b);
    EXPECT_FALSE(tank.LoadFromFile(dir.file("v4.zb")));
    dir.write("v0.zb", Bytes().header(0, 1).b);
    EXPECT_FALSE(tank.LoadFromFile(dir.file("v0.zb")));
    EXPECT_FALSE(tank.LoadFromFile(dir.file("missing.zb")));
    EXPECT_EQ(tank.read(dir.file("missing.zb")), TankReadResult::Missing);

    // Every prefix of a complete file is refused, whatever field it cuts.
    const std::vector<uint8_t> full = serializeTank(everyField());
    for (size_t n = 0; n < full.size(); ++n) {
        dir.write("cut.zb", std::vector<uint8_t>(full.begin(), full.begin() + long(n)));
        ASSERT_FALSE(tank.LoadFromFile(dir.file("cut.zb"))) << n;
    }
    EXPECT_EQ(serializeTank(tank), before);

    // A count far beyond what the file holds allocates nothing and is refused at once.
    dir.write("huge.zb", Bytes().header(2, INT32_MAX).b);
    EXPECT_EQ(tank.read(dir.file("huge.zb")), TankReadResult::Truncated);
    EXPECT_EQ(serializeTank(tank), before);

    // Bytes after the last record are ignored.
    std::vector<uint8_t> longer = full;
    longer.insert(longer.end(), 100, 0xEE);
    dir.write("longer.zb", longer);
    EXPECT_TRUE(tank.LoadFromFile(dir.file("longer.zb")));
}

TEST(TankFile, FolderInsteadOfFileCannotBeOpened) {
    TempDir dir;
    TZBecken tank = everyField();
    try {
        tank.LoadFromFile(dir.path().string());
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Datei " + dir.path().string() + " kann nicht geöffnet werden");
    }
    EXPECT_EQ(tank.Objekte->Count(), 7);
}

TEST(TankFile, SavedTankReadsBackWithEveryField) {
    TempDir dir;
    const TZBecken original = everyField();
    ASSERT_TRUE(original.SaveToFile(dir.file("t.zb")).ok);
    TZBecken back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("t.zb")));
    expectSameTank(original, back);
    const TErreger* e = back.Objekte->at(4).erreger();
    EXPECT_EQ(e->Amplitude, 0.42);
    EXPECT_FALSE(e->Fest);
    EXPECT_EQ(back.Objekte->at(3).matUebergang()->Daempfung, 0.015625);
    EXPECT_EQ(back.Objekte->at(5).Art, 7) << "an unknown kind keeps its code";
    EXPECT_EQ(back.Objekte->at(3).Name, "Glas € ½");

    // Only the tank entry: 40 bytes with a count of 1.
    TZBecken empty;
    ASSERT_TRUE(empty.SaveToFile(dir.file("empty.zb")).ok);
    const std::vector<uint8_t> bytes = dir.read("empty.zb");
    ASSERT_EQ(bytes.size(), 40u);
    int32_t version, count;
    std::memcpy(&version, bytes.data(), 4);
    std::memcpy(&count, bytes.data() + 36, 4);
    EXPECT_EQ(version, 2);
    EXPECT_EQ(count, 1);
}

TEST(TankFile, LongAndForeignNamesAreWrittenAsTheFieldAllows) {
    TZBecken t;
    t.Objekte->add(std::make_unique<TObjekt>(kArtSchirm, std::string(300, 'a') + "ü"));
    t.Objekte->add(std::make_unique<TObjekt>(kArtSchirm, "Welle → Wand"));
    const std::vector<uint8_t> bytes = serializeTank(t);
    ASSERT_EQ(bytes.size(), 40u + 2 * 265u);
    EXPECT_EQ(bytes[40], 255);
    EXPECT_EQ(bytes[40 + 255], 'a');
    const size_t second = 40 + 265;
    EXPECT_EQ(std::string(bytes.begin() + long(second) + 1, bytes.begin() + long(second) + 13),
              "Welle ? Wand");
    for (size_t k = second + 13; k < second + 256; ++k)
        ASSERT_EQ(bytes[k], 0) << "the rest of the field is zero";
    EXPECT_EQ(parse(bytes).Objekte->at(1).Name, std::string(255, 'a'));
}

TEST(TankFile, SaveThatFailsHalfwayKeepsTheOldFile) {
    TempDir dir;
    const TZBecken first = everyField();
    ASSERT_TRUE(first.SaveToFile(dir.file("t.zb")).ok);
    const std::vector<uint8_t> kept = dir.read("t.zb");
    // A file size limit makes the write fail part way, for any user.
    struct rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 300;
    setrlimit(RLIMIT_FSIZE, &small);
    const TankSaveResult result = first.SaveToFile(dir.file("t.zb"));
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reason, "die Datei würde zu groß");
    EXPECT_EQ(dir.read("t.zb"), kept);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "the temporary file is gone";
}

TEST(TankFile, FailedSaveReportsTheReasonAndLeavesNothingBehind) {
    TempDir dir;
    // A folder where the file should go: the rename must fail, whoever runs the test.
    fs::create_directories(dir.path() / "t.zb" / "inside");
    const TankSaveResult result = everyField().SaveToFile(dir.file("t.zb"));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_TRUE(fs::is_directory(dir.path() / "t.zb" / "inside"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "the temporary file is gone";
    EXPECT_FALSE(TZBecken().SaveToFile(dir.file("no/such/folder/t.zb")).ok);
}

TEST(TankFile, SaveKeepsTheFilesModeAndFollowsLinks) {
    TempDir dir;
    ASSERT_TRUE(everyField().SaveToFile(dir.file("real.zb")).ok);
    chmod(dir.file("real.zb").c_str(), 0640);
    fs::create_symlink(dir.file("real.zb"), dir.file("link.zb"));
    TZBecken small;
    small.SetSize(9, 9);
    ASSERT_TRUE(small.SaveToFile(dir.file("link.zb")).ok);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.zb")));
    struct stat st;
    ASSERT_EQ(stat(dir.file("real.zb").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    TZBecken back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("real.zb")));
    EXPECT_EQ(back.GroesseX, 9);
}

TEST(TankFile, ReferenceTanksSurviveARoundTrip) {
    for (int k = 0; k < 6; ++k) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", k);
        const std::string name = std::string(ZB_TEST_DATA_DIR) + "/vectors/case_" + number + ".zb";
        TZBecken tank;
        ASSERT_TRUE(tank.LoadFromFile(name)) << name;
        const std::vector<uint8_t> bytes = serializeTank(tank);
        TZBecken again;
        ASSERT_EQ(parseTank(bytes.data(), bytes.size(), again), TankReadResult::Ok);
        expectSameTank(tank, again);
        EXPECT_GT(tank.Objekte->Count(), 5) << name;
    }
}

TEST(TankFile, ProbesAreWrittenAsVersion3AndReadBack) {
    // Fixed bytes: the probe record is name, kind 5, X, Y and the colour, 272 bytes.
    const std::vector<uint8_t> fixed = Bytes()
                                           .header(3, 4)
                                           .probe("Messpunkt A", 40, 30, 0x1f77b4)
                                           .exciter(3, false)
                                           .probe("Mitte", -2, 70000, 0xff000000)
                                           .b;
    ASSERT_EQ(fixed.size(), 40u + 272u + 298u + 272u);
    const TZBecken t = parse(fixed);
    ASSERT_EQ(t.Objekte->Count(), 4);
    const TMesspunkt* a = t.Objekte->at(1).messpunkt();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(t.Objekte->at(1).Name, "Messpunkt A");
    EXPECT_EQ(a->X, 40);
    EXPECT_EQ(a->Y, 30);
    EXPECT_EQ(a->Farbe, 0x1f77b4u);
    EXPECT_FALSE(t.Objekte->at(2).erreger()->Fest) << "exciters as in version 2";
    EXPECT_EQ(t.Objekte->at(3).messpunkt()->Y, 70000) << "values are taken as they are";
    EXPECT_EQ(serializeTank(t), fixed);

    // Every kind together survives a save, and removing the probes gives version 2 again.
    TempDir dir;
    TZBecken tank = everyField();
    const std::vector<uint8_t> withoutProbes = serializeTank(tank);
    *tank.Objekte->add(std::make_unique<TObjekt>(kArtMesspunkt, "Rand")).messpunkt() = {0, 76,
                                                                                        0x00ff00};
    ASSERT_TRUE(tank.SaveToFile(dir.file("p.zb")).ok);
    const std::vector<uint8_t> bytes = dir.read("p.zb");
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes.size(), withoutProbes.size() + 272u);
    TZBecken back;
    ASSERT_TRUE(back.LoadFromFile(dir.file("p.zb")));
    expectSameTank(tank, back);
    EXPECT_EQ(back.Objekte->at(7).messpunkt()->Farbe, 0x00ff00u);
    back.Objekte->remove(7);
    EXPECT_EQ(serializeTank(back), withoutProbes);
}

TEST(TankFile, FilesWithoutProbesStayVersion2ByteForByte) {
    // Every kind of version 2, laid out by hand as the writer has always written it.
    Bytes every;
    every.header(2, 6).wall().exciter(2, true);
    every.name("Schirm").put<int32_t>(kArtSchirm).put<int32_t>(5).flag(false);
    every.name("Glas").put<int32_t>(kArtMatUebergang).put<int32_t>(9).put(0.5).put(0.25);
    every.name("fremd").put<int32_t>(7);
    EXPECT_EQ(serializeTank(parse(every.b)), every.b);
    // The probe's code in a version 2 file has no payload and makes an entry without a record,
    // as before probes existed; it is written back the same way.
    const std::vector<uint8_t> v2 = Bytes().header(2, 3).name("fuenf").put<int32_t>(5).wall().b;
    const TZBecken t = parse(v2);
    ASSERT_EQ(t.Objekte->Count(), 3);
    EXPECT_EQ(t.Objekte->at(1).Art, kArtMesspunkt);
    EXPECT_FALSE(t.Objekte->at(1).hasDaten());
    EXPECT_EQ(t.Objekte->at(2).wand()->Spaltabstand, 70);
    EXPECT_EQ(serializeTank(t), v2);
    EXPECT_FALSE(parse(Bytes().header(1, 2).name("").put<int32_t>(5).b).Objekte->at(1).hasDaten());

    // Beside a real probe it has no layout and is left out of the version 3 file.
    TZBecken mixed = parse(v2);
    mixed.Objekte->add(std::make_unique<TObjekt>(kArtMesspunkt, "echt"));
    const TZBecken back = parse(serializeTank(mixed));
    ASSERT_EQ(back.Objekte->Count(), 3);
    EXPECT_EQ(back.Objekte->at(1).Art, kArtWand);
    EXPECT_EQ(back.Objekte->at(2).Name, "echt");
}

TEST(TankFile, TruncatedVersion3IsRefusedAndProbesBeyondEightAreDropped) {
    TempDir dir;
    TZBecken tank = everyField();
    const std::vector<uint8_t> before = serializeTank(tank);
    const std::vector<uint8_t> full =
        Bytes().header(3, 3).probe("a", 1, 2, 3).wall().b; // the probe is cut first
    for (size_t n = 0; n < full.size(); ++n) {
        dir.write("cut.zb", std::vector<uint8_t>(full.begin(), full.begin() + long(n)));
        ASSERT_EQ(tank.read(dir.file("cut.zb")), TankReadResult::Truncated) << n;
    }
    EXPECT_EQ(serializeTank(tank), before);

    // The engine keeps eight probes; further records are read past, and what follows is read.
    Bytes many;
    many.header(3, 12);
    for (int k = 0; k < 10; ++k)
        many.probe(std::to_string(k), k, k, uint32_t(k));
    many.wall();
    const TZBecken t = parse(many.b);
    ASSERT_EQ(t.Objekte->Count(), 1 + 8 + 1);
    EXPECT_EQ(t.Objekte->at(8).Name, "7");
    EXPECT_EQ(t.Objekte->at(9).wand()->X, 10);
}

} // namespace zb::test
