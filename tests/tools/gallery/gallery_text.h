// A gallery experiment's text as the tests read it: the numbers it states, each taken by the
// claim that checks it, so that a number nobody measures fails the test.
#pragma once

#include "model/gallery.h"
#include "model/tank.h"

#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace zb {

inline double degrees(double radians) {
    return radians * 180 / std::numbers::pi;
}

// The gallery folder of the sources (data/Versuche).
std::vector<GalleryEntry> galleryEntries();

// The test name of an entry: its name without the leading "NN_".
std::string claimTestName(const std::string& entryName);

class GalleryText {
  public:
    // The entry of that name ("07_Doppelspalt"); a missing entry fails the test.
    explicit GalleryText(const std::string& name);

    const GalleryEntry& entry() const { return entry_; }
    // The tank as the program opens it; a tank that does not read fails the test.
    TZBecken tank() const;

    // The numbers in the capture groups of the first match of pattern (ECMAScript) in the text,
    // a decimal comma read as a German reader would. The match counts as checked. No match fails
    // the test and gives NaNs.
    std::vector<double> numbers(const std::string& pattern, size_t count);
    double number(const std::string& pattern) { return numbers(pattern, 1)[0]; }

    // Fails for every number in the text outside the matches taken so far.
    void expectEveryNumberChecked() const;

  private:
    GalleryEntry entry_;
    std::vector<std::pair<size_t, size_t>> checked_; // [begin, end) of every match taken
};

} // namespace zb
