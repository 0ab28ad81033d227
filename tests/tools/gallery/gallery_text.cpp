#include "gallery_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <regex>

namespace zb {

std::vector<GalleryEntry> galleryEntries() {
    return readGallery(ZB_GALLERY_DIR);
}

std::string claimTestName(const std::string& entryName) {
    const size_t underscore = entryName.find('_');
    return underscore == std::string::npos ? entryName : entryName.substr(underscore + 1);
}

GalleryText::GalleryText(const std::string& name) {
    for (GalleryEntry& e : galleryEntries())
        if (e.name == name)
            entry_ = std::move(e);
    if (entry_.name.empty())
        ADD_FAILURE() << "no gallery entry " << name;
}

TZBecken GalleryText::tank() const {
    TZBecken t;
    EXPECT_EQ(t.read(entry_.tankPath), TankReadResult::Ok) << entry_.tankPath;
    return t;
}

std::vector<double> GalleryText::numbers(const std::string& pattern, size_t count) {
    std::vector<double> found(count, std::numeric_limits<double>::quiet_NaN());
    std::smatch m;
    const std::string& text = entry_.text;
    if (!std::regex_search(text, m, std::regex(pattern))) {
        ADD_FAILURE() << entry_.name << ": the text no longer says " << pattern;
        return found;
    }
    EXPECT_EQ(m.size(), count + 1) << pattern;
    for (size_t g = 1; g < m.size() && g <= count; ++g) {
        std::string number = m[g].str();
        std::replace(number.begin(), number.end(), ',', '.');
        found[g - 1] = std::stod(number);
    }
    const size_t begin = size_t(m.position(0));
    checked_.emplace_back(begin, begin + size_t(m.length(0)));
    return found;
}

void GalleryText::expectEveryNumberChecked() const {
    const std::string& text = entry_.text;
    const std::regex number(R"(\d+(?:,\d+)?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it) {
        const size_t at = size_t(it->position(0));
        const bool taken = std::any_of(checked_.begin(), checked_.end(), [&](const auto& span) {
            return at >= span.first && at < span.second;
        });
        EXPECT_TRUE(taken) << entry_.name << ": nobody checks the number " << it->str()
                           << " at byte " << at;
    }
}

} // namespace zb
