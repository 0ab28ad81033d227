#include "model/gallery.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zb {

namespace {

namespace fs = std::filesystem;

int groupRank(const std::string& group) {
    const auto* end = std::end(kGalleryGroups);
    return int(std::find(std::begin(kGalleryGroups), end, group) - std::begin(kGalleryGroups));
}

std::string trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The head's "Key: value" lines up to the first blank line, then the text: lines of a paragraph
// joined by spaces, paragraphs by a line end.
bool parseEntry(std::istream& in, GalleryEntry& e, std::string& why) {
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty())
            break;
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            why = "Zeile ohne Doppelpunkt im Kopf: " + line;
            return false;
        }
        const std::string key = line.substr(0, colon);
        const std::string value = trimmed(line.substr(colon + 1));
        if (key == "Titel") {
            e.title = value;
        } else if (key == "Gruppe") {
            e.group = value;
        } else if (key == "Bild") {
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), e.pictureSteps);
            if (ec != std::errc() || end != value.data() + value.size() || e.pictureSteps < 0 ||
                e.pictureSteps > 1000000) {
                why = "„Bild:“ nennt keine Schrittzahl von 0 bis 1000000";
                return false;
            }
        }
    }
    std::string paragraph;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty()) {
            if (!paragraph.empty())
                e.text += (e.text.empty() ? "" : "\n") + paragraph;
            paragraph.clear();
            continue;
        }
        paragraph += (paragraph.empty() ? "" : " ") + line;
    }
    if (!paragraph.empty())
        e.text += (e.text.empty() ? "" : "\n") + paragraph;
    if (e.title.empty()) {
        why = "kein Titel";
        return false;
    }
    if (groupRank(e.group) == int(std::size(kGalleryGroups))) {
        why = "unbekannte Gruppe „" + e.group + "“";
        return false;
    }
    return true;
}

} // namespace

std::vector<GalleryEntry> readGallery(const std::string& folder,
                                      std::vector<std::string>* problems) {
    std::vector<GalleryEntry> entries;
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec))
            files.push_back(it->path());
    const auto report = [&](const std::string& line) {
        if (problems)
            problems->push_back(line);
    };
    for (const fs::path& p : files) {
        if (p.extension() == ".zb") {
            fs::path text = p;
            text.replace_extension(".txt");
            if (!fs::is_regular_file(text, ec))
                report(p.filename().string() + ": kein Text daneben");
            continue;
        }
        if (p.extension() != ".txt")
            continue;
        fs::path tank = p;
        tank.replace_extension(".zb");
        if (!fs::is_regular_file(tank, ec))
            continue; // a text of no experiment, e.g. a read-me
        GalleryEntry e;
        e.name = p.stem().string();
        e.tankPath = tank.string();
        std::ifstream in(p);
        std::string why;
        if (!in || !parseEntry(in, e, why)) {
            report(p.filename().string() + ": " + (why.empty() ? "nicht lesbar" : why));
            continue;
        }
        entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(), [](const GalleryEntry& a, const GalleryEntry& b) {
        const int ra = groupRank(a.group), rb = groupRank(b.group);
        return ra != rb ? ra < rb : a.name < b.name;
    });
    return entries;
}

} // namespace zb
