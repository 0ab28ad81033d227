// The gallery of ready experiments: a tank file and a short text for each, in one folder
// (data/Versuche, beside the program Data/Versuche). docs/gallery.md describes the texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zb {

// The phenomena the gallery groups its experiments by, in the order it shows them.
inline constexpr const char* kGalleryGroups[] = {
    "Ausbreitung",
    "Reflexion",
    "Brechung",
    "Beugung",
    "Interferenz",
    "stehende Wellen",
    "Doppler und Überschall",
    "Linsen und Spiegel",
    "Ränder",
};

struct GalleryEntry {
    std::string name;         // the files' base name, e.g. "07_Doppelspalt"
    std::string tankPath;     // folder/name.zb
    std::string title;        // "Titel:"
    std::string group;        // "Gruppe:", one of kGalleryGroups
    std::string text;         // the paragraphs after the head, lines joined by spaces, UTF-8
    int32_t pictureSteps = 0; // "Bild:": steps before the thumbnail; 0 the picture tool's rule
};

// Every NAME.txt of the folder that has a NAME.zb beside it, sorted by group (in the order of
// kGalleryGroups) and then by name. A text without a title, of an unknown group or with a bad
// "Bild:" line is left out and named in problems (German, one line each), as is a tank without
// a text.
std::vector<GalleryEntry> readGallery(const std::string& folder,
                                      std::vector<std::string>* problems = nullptr);

} // namespace zb
