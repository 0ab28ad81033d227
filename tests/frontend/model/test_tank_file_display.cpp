// The display block ANZG of version 4: a tank's display choices as they are written and read.
#include "model/tank_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace zb::test::display {

namespace fs = std::filesystem;

namespace {

// Every field off its default, so that a field the writer or reader drops shows.
TAnzeige chosenDisplay() {
    return {.Faerbung = 2,
            .Hoehenfaktor = -10,
            .SchirmIntensitaet = true,
            .DrahtAnsicht = false,
            .SchirmeTransparent = true,
            .Drehwinkel = 180,
            .Entfernung = 40,
            .Hoehe = 150,
            .Geschwindigkeit = 60};
}

TZBecken smallTank() {
    TZBecken t;
    t.SetSize(90, 70);
    t.StandardKopplung = 4.0;
    t.SetEdges(true, true, false, false, 12);
    auto& e = *t.Objekte->add(std::make_unique<TObjekt>(kArtErreger, "Punkt")).erreger();
    e = {.X = 30, .Y = 20, .Breite = 3, .Laenge = 3, .Frequenz = 20.0, .Amplitude = 0.3};
    return t;
}

template <class T>
void put(std::vector<uint8_t>& b, T v) {
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    b.insert(b.end(), p, p + sizeof v);
}

// A version 4 file of a bare 90 x 70 tank followed by the blocks given, each tag and payload.
std::vector<uint8_t>
fileWithBlocks(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& blocks) {
    std::vector<uint8_t> b;
    put<int32_t>(b, 4);
    put<int32_t>(b, 90);
    put<int32_t>(b, 70);
    b.insert(b.end(), {0, 0, 0, 0});
    put(b, 0.0);
    put(b, 4.0);
    put<int32_t>(b, 0);
    put<int32_t>(b, 1); // the tank's own entry only
    put(b, uint32_t(blocks.size()));
    for (const auto& [tag, payload] : blocks) {
        b.insert(b.end(), tag.begin(), tag.end());
        put(b, uint32_t(payload.size()));
        b.insert(b.end(), payload.begin(), payload.end());
    }
    return b;
}

std::vector<uint8_t> displayPayload(const TAnzeige& a) {
    std::vector<uint8_t> p;
    put(p, a.Faerbung);
    put(p, a.Hoehenfaktor);
    p.insert(p.end(), {uint8_t(a.SchirmIntensitaet), uint8_t(a.DrahtAnsicht),
                       uint8_t(a.SchirmeTransparent)});
    for (int32_t v : {a.Drehwinkel, a.Entfernung, a.Hoehe, a.Geschwindigkeit})
        put(p, v);
    return p;
}

TZBecken parsed(const std::vector<uint8_t>& bytes, TankReadResult expected = TankReadResult::Ok) {
    TZBecken tank;
    EXPECT_EQ(parseTank(bytes.data(), bytes.size(), tank), expected);
    return tank;
}

int32_t versionOf(const std::vector<uint8_t>& bytes) {
    int32_t v = 0;
    std::memcpy(&v, bytes.data(), sizeof v);
    return v;
}

class TempFile {
  public:
    TempFile()
        : path_((fs::temp_directory_path() / ("zb-display-" + std::to_string(getpid()) + ".zb"))
                    .string()) {}
    ~TempFile() { fs::remove(path_); }
    const std::string& path() const { return path_; }
    void write(const std::vector<uint8_t>& bytes) const {
        std::ofstream(path_, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

  private:
    std::string path_;
};

} // namespace

TEST(DisplayBlock, IsWrittenInItsLayoutReadBackEqualAndSavedAgainByteIdentical) {
    TZBecken tank = smallTank();
    tank.Anzeige = chosenDisplay();
    const std::vector<uint8_t> bytes = serializeTank(tank);
    EXPECT_EQ(versionOf(bytes), 4);

    // The block closes the file: tag, length 27, the fields in their order.
    const std::vector<uint8_t> payload = displayPayload(chosenDisplay());
    ASSERT_EQ(payload.size(), 27u);
    std::vector<uint8_t> block = {'A', 'N', 'Z', 'G'};
    put(block, uint32_t(27));
    block.insert(block.end(), payload.begin(), payload.end());
    ASSERT_GE(bytes.size(), block.size());
    EXPECT_TRUE(std::equal(block.begin(), block.end(), bytes.end() - std::ptrdiff_t(block.size())));

    const TZBecken read = parsed(bytes);
    ASSERT_TRUE(read.Anzeige.has_value());
    EXPECT_EQ(*read.Anzeige, chosenDisplay());
    EXPECT_EQ(serializeTank(read), bytes);
}

TEST(DisplayBlock, FieldsBeyondTheirSlidersAreClamped) {
    const TAnzeige wild{.Faerbung = 7,
                        .Hoehenfaktor = -99,
                        .Drehwinkel = 1000,
                        .Entfernung = -5,
                        .Hoehe = 999,
                        .Geschwindigkeit = 400};
    TZBecken low = parsed(fileWithBlocks({{"ANZG", displayPayload(wild)}}));
    ASSERT_TRUE(low.Anzeige.has_value());
    EXPECT_EQ(low.Anzeige->Faerbung, 2);
    EXPECT_EQ(low.Anzeige->Hoehenfaktor, -30);
    EXPECT_EQ(low.Anzeige->Drehwinkel, 270);
    EXPECT_EQ(low.Anzeige->Entfernung, 0);
    EXPECT_EQ(low.Anzeige->Hoehe, 150);
    EXPECT_EQ(low.Anzeige->Geschwindigkeit, 150);

    const TAnzeige under{
        .Faerbung = -1, .Hoehenfaktor = 31, .Drehwinkel = -91, .Hoehe = -1, .Geschwindigkeit = -1};
    const TZBecken high = parsed(fileWithBlocks({{"ANZG", displayPayload(under)}}));
    ASSERT_TRUE(high.Anzeige.has_value());
    EXPECT_EQ(high.Anzeige->Faerbung, 0);
    EXPECT_EQ(high.Anzeige->Hoehenfaktor, 30);
    EXPECT_EQ(high.Anzeige->Drehwinkel, -90);
    EXPECT_EQ(high.Anzeige->Hoehe, 0);
    EXPECT_EQ(high.Anzeige->Geschwindigkeit, 0);
}

TEST(DisplayBlock, AFileEndingInsideTheBlockIsTruncatedAndLeavesTheTankAsItWas) {
    TZBecken source = smallTank();
    source.Anzeige = chosenDisplay();
    const std::vector<uint8_t> whole = serializeTank(source);
    const size_t blockStart = whole.size() - 8 - 27;

    TZBecken tank;
    tank.SetSize(33, 44);
    tank.Anzeige = TAnzeige{.Faerbung = 1};
    const std::vector<uint8_t> before = serializeTank(tank);
    TempFile file;
    for (size_t cut = blockStart; cut < whole.size(); ++cut) {
        file.write(std::vector<uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(cut)));
        EXPECT_EQ(tank.read(file.path()), TankReadResult::Truncated) << "cut at " << cut;
        EXPECT_EQ(serializeTank(tank), before) << "cut at " << cut;
    }
    // A block shorter than its fields, though the file holds all it announces.
    std::vector<uint8_t> shortPayload = displayPayload(chosenDisplay());
    shortPayload.pop_back();
    parsed(fileWithBlocks({{"ANZG", shortPayload}}), TankReadResult::Truncated);
}

TEST(DisplayBlock, ATankWithoutADisplayKeepsVersion2Or3ByteForByte) {
    // Files written before the block existed, with and without probes.
    for (const char* name : {"every-kind-v2.zb", "every-kind-v3.zb", "code-7-v3.zb"}) {
        const std::string path = std::string(ZB_TEST_DATA_DIR) + "/fuzz-seeds/tank/" + name;
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
        ASSERT_FALSE(file.empty()) << path;
        const TZBecken tank = parsed(file);
        EXPECT_FALSE(tank.Anzeige.has_value()) << path;
        const std::vector<uint8_t> saved = serializeTank(tank);
        EXPECT_EQ(saved, file) << path << ": first difference at byte "
                               << std::mismatch(saved.begin(), saved.end(), file.begin()).first -
                                      saved.begin();
    }

    TZBecken tank = smallTank();
    tank.Anzeige = chosenDisplay();
    tank.Anzeige.reset();
    EXPECT_EQ(versionOf(serializeTank(tank)), 2);
    tank.Objekte->add(std::make_unique<TObjekt>(kArtMesspunkt, "Messpunkt"));
    EXPECT_EQ(versionOf(serializeTank(tank)), 3);
}

TEST(DisplayBlock, UnknownBlocksAroundItAreSkippedAndLongerBlocksReadTheirFields) {
    std::vector<uint8_t> longer = displayPayload(chosenDisplay());
    longer.insert(longer.end(), {9, 9, 9, 9}); // a later program's field
    const TZBecken tank = parsed(fileWithBlocks(
        {{"XTRA", {1, 2, 3, 4, 5}}, {"ANZG", longer}, {"RAND", {1, 0, 0, 0}}, {"ZZZZ", {}}}));
    ASSERT_TRUE(tank.Anzeige.has_value());
    EXPECT_EQ(*tank.Anzeige, chosenDisplay());
    EXPECT_EQ(tank.RandArt, 1);
}

} // namespace zb::test::display
