#include "render/data_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace zb {

namespace {

namespace fs = std::filesystem;

bool equalIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Depth first over the spellings of each part that exist, the exact one first, so that a
// folder "Data" beside "data" does not hide a file that only the other one holds.
bool find(const fs::path& folder, const std::vector<std::string>& parts, size_t k,
          fs::path& found) {
    const bool last = k + 1 == parts.size();
    std::vector<fs::path> candidates{folder / parts[k]};
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name != parts[k] && equalIgnoringCase(name, parts[k]))
            candidates.push_back(it->path());
    }
    for (const fs::path& candidate : candidates) {
        if (last ? fs::is_regular_file(candidate, error) : fs::is_directory(candidate, error)) {
            if (last) {
                found = candidate;
                return true;
            }
            if (find(candidate, parts, k + 1, found))
                return true;
        }
    }
    return false;
}

} // namespace

std::string findDataFile(const std::string& base, const std::string& relative) {
    // An empty base is the root, as a plain join of "" and "/Data/..." would be: never the
    // working directory, which depends on where the program happened to be started.
    const std::string folder = base.empty() || base.back() != '/' ? base + '/' : base;
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= relative.size()) {
        const size_t end = std::min(relative.find('/', start), relative.size());
        if (end > start)
            parts.push_back(relative.substr(start, end - start));
        start = end + 1;
    }
    fs::path found;
    if (!parts.empty() && find(fs::path(folder), parts, 0, found))
        return found.string();
    std::string joined = folder;
    for (size_t k = 0; k < parts.size(); ++k)
        joined += (k ? "/" : "") + parts[k];
    return joined;
}

} // namespace zb
