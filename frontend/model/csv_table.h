// Tables for spreadsheets and scripts, in one of two forms:
// - international: "," between fields, "." before decimals, no byte-order mark (what scripts
//   and zbtool's defaults expect);
// - German: ";" between fields, "," before decimals, UTF-8 with a byte-order mark, which German
//   spreadsheets open with every number as a number.
// Numbers take their shortest exact form; a number that is not finite is an empty cell. A text
// cell is quoted when it holds the separator, a quote or a line break.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zb {

enum class CsvForm { International, German };

// "en" / "de", as zbtool's --csv-format takes them.
std::optional<CsvForm> csvFormFromName(std::string_view name);

class CsvTable {
  public:
    explicit CsvTable(CsvForm form);

    void text(std::string_view cell);
    void number(double value);
    void number(float value);
    void number(int64_t value);
    void empty();
    void endRow();

    char separator() const { return separator_; }
    const std::string& str() const { return text_; }
    // Hands the text written so far over and starts again (the byte-order mark is written once,
    // at the very start), for tables written out as they grow.
    std::string take();

  private:
    void beginCell();
    template <class T>
    void shortest(T value);

    CsvForm form_;
    char separator_;
    bool rowStarted_ = false;
    std::string text_;
};

} // namespace zb
