// The entries of the start screen, in picture pixels of "startbg.bmp". A point is inside
// only when it lies strictly between the bounds. The program hit-tests with these numbers and the
// generator of the picture draws its buttons into them; plain C++, so both can share it.
#pragma once

namespace zb::ui {

struct StartRegion {
    int left, top, right, bottom;
    const char* text; // UTF-8
};

constexpr int kPictureWidth = 1024;
constexpr int kPictureHeight = 768;

constexpr int kStartRegionCount = 7;

constexpr StartRegion kStartRegions[kStartRegionCount] = {
    {21, 371, 182, 417, "Was ist eine Zitterbecken? Wozu dieses Programm?"},
    {21, 440, 182, 496, "Informationen zur Funktionsweise der Simulation erhalten"},
    {20, 515, 254, 754, "Frei mit der Zitterbecken experimentieren"},
    {314, 613, 673, 754, "Zuvor gespeicherte Versuche laden"},
    {844, 371, 1005, 417, "Eine Einführung ins Programm erhalten"},
    {844, 440, 1005, 496, "Eine methodisch aufgebaute Versuchsreihe ansehen"},
    {760, 516, 1005, 754, "Programm beenden"},
};

// Beyond the designed seven, in the free area between the two large lower buttons: the gallery
// of ready experiments. Its index follows theirs.
constexpr int kGalleryEntry = kStartRegionCount;
constexpr StartRegion kGalleryRegion = {314, 500, 673, 590, "Versuche aus der Sammlung"};

} // namespace zb::ui
