// One engine call written as a line, "addEdges true, false, false, false", the way the test
// recorders write them down; and the numbers read back from such a line.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace zb::test {

template <class... A>
std::string callLine(const char* name, A... args) {
    std::ostringstream s;
    s.precision(17);
    s << std::boolalpha << name;
    [[maybe_unused]] const char* sep = " ";
    ((s << sep << args, sep = ", "), ...);
    return s.str();
}

inline std::vector<double> callNumbers(const std::string& line) {
    std::vector<double> found;
    std::istringstream in(line.substr(line.find(' ') + 1));
    std::string item;
    while (std::getline(in, item, ',')) {
        found.push_back(std::stod(item));
    }
    return found;
}

} // namespace zb::test
