#include "model/csv_table.h"

#include <charconv>
#include <cmath>

namespace zb {

std::optional<CsvForm> csvFormFromName(std::string_view name) {
    if (name == "en")
        return CsvForm::International;
    if (name == "de")
        return CsvForm::German;
    return std::nullopt;
}

CsvTable::CsvTable(CsvForm form) : form_(form), separator_(form == CsvForm::German ? ';' : ',') {
    if (form_ == CsvForm::German)
        text_ = "\xEF\xBB\xBF";
}

void CsvTable::beginCell() {
    if (rowStarted_)
        text_ += separator_;
    rowStarted_ = true;
}

void CsvTable::text(std::string_view cell) {
    beginCell();
    if (cell.find_first_of(std::string{separator_, '"', '\r', '\n'}) == std::string_view::npos) {
        text_ += cell;
        return;
    }
    text_ += '"';
    for (char c : cell) {
        text_ += c;
        if (c == '"')
            text_ += '"';
    }
    text_ += '"';
}

template <class T>
void CsvTable::shortest(T value) {
    beginCell();
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value))
            return;
    }
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc())
        return;
    const size_t start = text_.size();
    text_.append(buffer, end);
    if (form_ == CsvForm::German) {
        for (size_t i = start; i < text_.size(); ++i)
            if (text_[i] == '.')
                text_[i] = ',';
    }
}

void CsvTable::number(double value) {
    shortest(value);
}
void CsvTable::number(float value) {
    shortest(value);
}
void CsvTable::number(int64_t value) {
    shortest(value);
}

void CsvTable::empty() {
    beginCell();
}

void CsvTable::endRow() {
    text_ += '\n';
    rowStarted_ = false;
}

std::string CsvTable::take() {
    std::string out;
    out.swap(text_);
    return out;
}

} // namespace zb
