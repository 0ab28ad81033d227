#include "render/data_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace zb {

namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

} // namespace

std::string findDataFile(const std::string& base, const std::string& relative) {
    namespace fs = std::filesystem;
    std::string joined = base;
    if (!joined.empty() && joined.back() != '/')
        joined += '/';
    joined += relative;

    fs::path found = base.empty() ? fs::path(".") : fs::path(base);
    size_t start = 0;
    while (start <= relative.size()) {
        const size_t end = std::min(relative.find('/', start), relative.size());
        const std::string part = relative.substr(start, end - start);
        start = end + 1;
        if (part.empty())
            continue;
        std::error_code error;
        if (fs::exists(found / part, error)) {
            found /= part;
            continue;
        }
        bool matched = false;
        for (fs::directory_iterator it(found, error), last; !error && it != last;
             it.increment(error)) {
            if (equalIgnoringCase(it->path().filename().string(), part)) {
                found = it->path();
                matched = true;
                break;
            }
        }
        if (!matched)
            return joined;
    }
    return base.empty() ? found.lexically_normal().string() : found.string();
}

} // namespace zb
