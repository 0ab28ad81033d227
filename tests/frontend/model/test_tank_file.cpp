#include "model/cp1252.h"
#include "model/tank_file.h"

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
struct Bytes {
    std::vector<uint8_t> b;
    template <class T>
    Bytes& put(T v) {
        const auto* p = reinterpret_cast<const uint8_t*>(&v);
        b.insert(b.end(), p, p + sizeof v);
        return *this;
    }
    Bytes& flag(bool v) { return put<uint8_t>(v ? 1 : 0); }
    Bytes& name(const std::string& cp1252, uint8_t filler = 0) {
        b.push_back(uint8_t(cp1252.size()));
        b.insert(b.end(), cp1252.begin(), cp1252.end());
        b.insert(b.end(), 255 - cp1252.size(), filler);
        return *this;
    }
    Bytes& header(int32_t version, int32_t count) {
        put(version).put<int32_t>(64).put<int32_t>(48);
        flag(true).flag(false).flag(true).flag(false);
        return put(0.05).put(2.5).put<int32_t>(9).put(count);
    }
    Bytes& exciter(int32_t version, bool fest) {
        name("Erreger").put<int32_t>(kArtErreger).flag(false);
        put<int32_t>(11).put<int32_t>(12).put<int32_t>(3).put<int32_t>(7).put<int32_t>(33);
        put(12.5).put(0.4);
        if (version == 2)
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
    add(7, "unbekannt");
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

    dir.write("v3.zb", Bytes().header(3, 1).b);
    EXPECT_FALSE(tank.LoadFromFile(dir.file("v3.zb")));
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

} // namespace zb::test
