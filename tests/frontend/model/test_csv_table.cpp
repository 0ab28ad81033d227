// Both table forms, read back as a spreadsheet of that form would read them.
#include "model/csv_table.h"
#include "model/simulation_time.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zb {
namespace {

// Splits one line at the separator outside quotes; quotes are kept.
std::vector<std::string> fields(const std::string& line, char separator) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        if (c == separator && !quoted)
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

// Reads a number cell as a spreadsheet of the form does: the other form's decimal mark is no
// part of a number there.
double readBack(std::string cell, char decimal) {
    EXPECT_EQ(cell.find(decimal == ',' ? '.' : ','), std::string::npos) << cell;
    for (char& c : cell)
        if (c == decimal)
            c = '.';
    double v = std::nan("");
    const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), v);
    EXPECT_TRUE(ec == std::errc() && end == cell.data() + cell.size()) << cell;
    return v;
}

TEST(CsvTable, EachFormWritesWhatItsReadersTakeBackExactly) {
    const std::vector<double> values = {0.005, 0.045, 1.035, -2.5e-7, 1234567.125, 1.0 / 3.0, 0.0};
    for (const auto& [form, separator, decimal, bom] :
         {std::tuple{CsvForm::German, ';', ',', true},
          std::tuple{CsvForm::International, ',', '.', false}}) {
        CsvTable t(form);
        t.text("Zeit in s");
        t.text("a;b");
        t.text("c,d");
        t.text("say \"hi\"");
        t.endRow();
        for (double v : values)
            t.number(v);
        t.number(std::numeric_limits<double>::quiet_NaN());
        t.number(int64_t(-42));
        t.number(0.1f);
        t.endRow();

        std::string s = t.str();
        const std::string mark = "\xEF\xBB\xBF";
        EXPECT_EQ(s.compare(0, 3, mark) == 0, bom);
        if (bom)
            s.erase(0, 3);
        const size_t eol = s.find('\n');
        ASSERT_NE(eol, std::string::npos);
        const auto head = fields(s.substr(0, eol), separator);
        ASSERT_EQ(head.size(), 4u);
        EXPECT_EQ(head[0], "Zeit in s");
        EXPECT_EQ(head[1], separator == ';' ? "\"a;b\"" : "a;b");
        EXPECT_EQ(head[2], separator == ',' ? "\"c,d\"" : "c,d");
        EXPECT_EQ(head[3], "\"say \"\"hi\"\"\"");

        const auto row = fields(s.substr(eol + 1, s.size() - eol - 2), separator);
        ASSERT_EQ(row.size(), values.size() + 3);
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(readBack(row[i], decimal), values[i]) << row[i];
        EXPECT_EQ(row[values.size()], "") << "not finite: an empty cell";
        EXPECT_EQ(row[values.size() + 1], "-42");
        EXPECT_EQ(float(readBack(row[values.size() + 2], decimal)), 0.1f);
        EXPECT_EQ(s.back(), '\n');
    }
}

TEST(CsvTable, TakingTheTextWritesTheMarkOnceAndKeepsTheRowGoing) {
    CsvTable t(CsvForm::German);
    t.number(1.5);
    std::string all = t.take();
    t.number(2.5);
    t.endRow();
    all += t.take();
    EXPECT_EQ(all, "\xEF\xBB\xBF"
                   "1,5;2,5\n");
    EXPECT_EQ(csvFormFromName("de"), CsvForm::German);
    EXPECT_EQ(csvFormFromName("en"), CsvForm::International);
    EXPECT_EQ(csvFormFromName("DE"), std::nullopt);
}

TEST(SimulationTime, APeriodOfTheEngineIsTheExcitersStatedPeriod) {
    // An exciter with Frequenz 20 states T = 50000 / 20 ms = 2.5 s; the engine's period is 2π/20.
    EXPECT_NEAR(simulationSeconds(2.0 * std::numbers::pi / 20.0), 2.5, 1e-12);
}

} // namespace
} // namespace zb
