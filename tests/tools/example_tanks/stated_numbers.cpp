#include "stated_numbers.h"

#include "model/cp1252.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <regex>

namespace zb {

namespace {

// A no-break space counts as a space when the texts are searched.
void appendText(std::string& out, char32_t c) {
    appendUtf8(out, c == 0xA0 ? U' ' : c);
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

std::string helpText(const std::string& file) {
    std::ifstream in(std::string(ZB_PROGRAM_RTFS) + "/" + file, std::ios::binary);
    const std::string rtf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string out;
    for (size_t pos = 0; pos < rtf.size();) {
        const char c = rtf[pos++];
        if (c == '{' || c == '}' || c == '\r' || c == '\n')
            continue;
        if (c != '\\' || pos >= rtf.size()) {
            appendText(out, char32_t(static_cast<unsigned char>(c)));
            continue;
        }
        const char d = rtf[pos];
        if (d == '\'' && pos + 2 < rtf.size()) {
            const auto byte =
                static_cast<unsigned char>(std::stoi(rtf.substr(pos + 1, 2), nullptr, 16));
            const char32_t code = zb::cp1252CodePoint(byte);
            appendText(out, code != 0 ? code : char32_t(0xFFFD));
            pos += 3;
        } else if (d == '~') {
            out += ' ';
            ++pos;
        } else if (isLetter(d)) {
            const size_t begin = pos;
            while (pos < rtf.size() && isLetter(rtf[pos]))
                ++pos;
            const std::string word = rtf.substr(begin, pos - begin);
            const size_t digits = pos;
            if (pos < rtf.size() && rtf[pos] == '-')
                ++pos;
            while (pos < rtf.size() && rtf[pos] >= '0' && rtf[pos] <= '9')
                ++pos;
            const std::string parameter = rtf.substr(digits, pos - digits);
            if (pos < rtf.size() && rtf[pos] == ' ')
                ++pos;
            if (word == "par") {
                out += '\n';
            } else if (word == "tab") {
                out += ' ';
            } else if (word == "u" && !parameter.empty()) {
                const int unit = std::stoi(parameter);
                appendText(out, char32_t(unit < 0 ? unit + 65536 : unit));
                ++pos; // the fallback character
            }
        } else {
            out += d; // \\, \{ and \}
            ++pos;
        }
    }
    return out;
}

std::vector<std::vector<double>> statedNumbers(const std::string& file,
                                               const std::string& pattern) {
    const std::string text = helpText(file);
    const std::regex re(pattern);
    std::vector<std::vector<double>> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        std::vector<double> numbers;
        for (size_t g = 1; g < it->size(); ++g) {
            std::string number = (*it)[g].str();
            for (char& c : number)
                if (c == ',')
                    c = '.';
            numbers.push_back(std::stod(number));
        }
        found.push_back(numbers);
    }
    return found;
}

double statedNumber(const std::string& file, const std::string& pattern) {
    const auto found = statedNumbers(file, pattern);
    return found.empty() || found[0].empty() ? std::numeric_limits<double>::quiet_NaN()
                                             : found[0][0];
}

} // namespace zb
