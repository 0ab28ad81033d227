#include "arguments.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace zbtool::test {

namespace {

ParseResult parse(std::vector<std::string_view> args) {
    return parseArguments(args);
}

uint32_t bitsOf(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

} // namespace

TEST(Arguments, SimulateTakesEveryOptionInBothSpellings) {
    const ParseResult r =
        parse({"simulate", "--steps", "300", "--dt=0.004", "tank.zb", "--elongation-out", "e.f64",
               "--heights-csv=h.csv", "--screens-csv", "s.csv", "--intensity-csv", "i.csv",
               "--average-from=120", "--png", "p.png", "--scale", "5", "--csv-format", "de"});
    ASSERT_TRUE(r.arguments) << r.error;
    const Arguments& a = *r.arguments;
    EXPECT_EQ(a.command, Command::Simulate);
    EXPECT_EQ(a.tank, "tank.zb");
    const SimulateOptions& s = a.simulate;
    EXPECT_EQ(s.steps, 300);
    // The engine takes a float; the value must be exactly what strtof makes of the text.
    EXPECT_EQ(bitsOf(s.dt), bitsOf(std::strtof("0.004", nullptr)));
    EXPECT_EQ(s.elongationOut, "e.f64");
    EXPECT_EQ(s.heightsCsv, "h.csv");
    EXPECT_EQ(s.screensCsv, "s.csv");
    EXPECT_EQ(s.intensityCsv, "i.csv");
    EXPECT_EQ(s.averageFrom, 120);
    EXPECT_EQ(s.png, "p.png");
    EXPECT_EQ(s.scale, 5);
    EXPECT_EQ(s.csvForm, zb::CsvForm::German);
    for (const int threads : {1, 2}) {
        const std::string given = "--threads=" + std::to_string(threads);
        const ParseResult t = parse({"simulate", "t.zb", "--steps", "1", given});
        ASSERT_TRUE(t.arguments) << t.error;
        EXPECT_EQ(t.arguments->simulate.threads, threads);
    }
}

TEST(Arguments, DefaultsAndGermanDecimalComma) {
    const ParseResult plain = parse({"simulate", "t.zb", "--steps", "201", "--intensity-csv", "i"});
    ASSERT_TRUE(plain.arguments) << plain.error;
    EXPECT_EQ(bitsOf(plain.arguments->simulate.dt), bitsOf(0.0025f));
    EXPECT_EQ(plain.arguments->simulate.averageFrom, 100);
    EXPECT_FALSE(plain.arguments->simulate.scale);
    EXPECT_FALSE(plain.arguments->simulate.threads);
    EXPECT_EQ(plain.arguments->simulate.csvForm, zb::CsvForm::International);
    const ParseResult en =
        parse({"simulate", "t.zb", "--steps", "2", "--probes-csv", "m", "--csv-format=en"});
    ASSERT_TRUE(en.arguments) << en.error;
    EXPECT_EQ(en.arguments->simulate.csvForm, zb::CsvForm::International);

    const ParseResult comma = parse({"simulate", "t.zb", "--steps", "1", "--dt", "0,01"});
    ASSERT_TRUE(comma.arguments) << comma.error;
    EXPECT_EQ(bitsOf(comma.arguments->simulate.dt), bitsOf(0.01f));

    // After "--" a file name may start with a dash.
    const ParseResult dash = parse({"info", "--", "-tank.zb"});
    ASSERT_TRUE(dash.arguments) << dash.error;
    EXPECT_EQ(dash.arguments->tank, "-tank.zb");
}

TEST(Arguments, ProbesComeAgainAndNeedTheirFile) {
    const ParseResult r = parse({"simulate", "t.zb", "--steps", "3", "--probe", "40,25",
                                 "--probes-csv=m.csv", "--probe=0,0", "--probe", "40,25"});
    ASSERT_TRUE(r.arguments) << r.error;
    EXPECT_EQ(r.arguments->simulate.probes, (std::vector<ProbePoint>{{40, 25}, {0, 0}, {40, 25}}));
    EXPECT_EQ(r.arguments->simulate.probesCsv, "m.csv");
    // The tank's own probes need no --probe.
    EXPECT_TRUE(parse({"simulate", "t.zb", "--steps", "3", "--probes-csv", "m.csv"}).arguments);
}

TEST(Arguments, HelpInEverySpelling) {
    for (std::vector<std::string_view> args : {std::vector<std::string_view>{"help"},
                                               {"--help"},
                                               {"-h"},
                                               {"simulate", "t.zb", "--steps", "x", "--help"}}) {
        const ParseResult r = parse(args);
        ASSERT_TRUE(r.arguments) << args[0];
        EXPECT_EQ(r.arguments->command, Command::Help);
    }
}

TEST(Arguments, WrongCommandLinesAreRefusedWithAReason) {
    const std::vector<std::vector<std::string_view>> wrong = {
        {},
        {"simulieren", "t.zb"},
        {"info"},
        {"info", "a.zb", "b.zb"},
        {"info", "a.zb", "--steps", "3"},
        {"simulate", "t.zb"},
        {"simulate", "t.zb", "--steps"},
        {"simulate", "t.zb", "--steps", "-5"},
        {"simulate", "t.zb", "--steps", "12x"},
        {"simulate", "t.zb", "--steps", " 12"},
        {"simulate", "t.zb", "--steps", "1e3"},
        {"simulate", "t.zb", "--steps", "99999999999999999999"},
        {"simulate", "t.zb", "--steps", "3", "--steps", "4"},
        {"simulate", "t.zb", "--steps", "3", "--dt", "schnell"},
        {"simulate", "t.zb", "--steps", "3", "--dt", "0"},
        {"simulate", "t.zb", "--steps", "3", "--dt", "-0.01"},
        {"simulate", "t.zb", "--steps", "3", "--dt", "nan"},
        {"simulate", "t.zb", "--steps", "3", "--dt", "1e99"},
        {"simulate", "t.zb", "--steps", "3", "--dt", "0.01s"},
        {"simulate", "t.zb", "--steps", "3", "--png", ""},
        {"simulate", "t.zb", "--steps", "3", "--png", "p.png", "--scale", "0"},
        {"simulate", "t.zb", "--steps", "3", "--png", "p.png", "--scale", "65"},
        {"simulate", "t.zb", "--steps", "3", "--scale", "2"},
        {"simulate", "t.zb", "--steps", "3", "--threads", "0"},
        {"simulate", "t.zb", "--steps", "3", "--threads", "3"},
        {"simulate", "t.zb", "--steps", "3", "--threads", "zwei"},
        {"info", "t.zb", "--threads", "2"},
        {"simulate", "t.zb", "--steps", "3", "--average-from", "1"},
        {"simulate", "t.zb", "--steps", "3", "--intensity-csv", "i", "--average-from", "4"},
        {"simulate", "t.zb", "--steps", "3", "--langsam"},
        {"simulate", "t.zb", "--steps", "3", "--probe", "4,5"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probe", "4;5"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probe", "4,"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probe", "-1,5"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probe", "4,5,6"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probe", "4.5,5"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probe", "3000000000,5"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probe"},
        {"simulate", "t.zb", "--steps", "3", "--probes-csv", "m", "--probes-csv", "n"},
        {"info", "t.zb", "--probe", "4,5"},
        {"info", "t.zb", "--csv-format", "de"},
        {"simulate", "t.zb", "--steps", "3", "--heights-csv", "h", "--csv-format", "DE"},
        {"simulate", "t.zb", "--steps", "3", "--heights-csv", "h", "--csv-format", "de_DE"},
        {"simulate", "t.zb", "--steps", "3", "--heights-csv", "h", "--csv-format", ""},
        {"simulate", "t.zb", "--steps", "3", "--heights-csv", "h", "--csv-format"},
        {"simulate", "t.zb", "--steps", "3", "--heights-csv", "h", "--csv-format", "de",
         "--csv-format", "en"},
        {"simulate", "t.zb", "--steps", "3", "--png", "p.png", "--csv-format", "de"},
    };
    for (const auto& args : wrong) {
        const ParseResult r = parse(args);
        std::string line;
        for (std::string_view a : args)
            line += std::string(a) + ' ';
        EXPECT_FALSE(r.arguments) << line;
        EXPECT_FALSE(r.error.empty()) << line;
    }
}

} // namespace zbtool::test
