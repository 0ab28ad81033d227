// The pictures of the window "Funktionsweise der Simulation" and the logo of the info box.
#pragma once

#include <QImage>

namespace zb::help {

// The window places the first picture centred at 329 pixels and lets the second span 510; both
// are shown unscaled, so these widths are fixed. The logo is shown at half its size.
constexpr int netPictureWidth = 329;
constexpr int neighbourPictureWidth = 510;
constexpr int edgePictureWidth = 480;
constexpr int logoWidth = 418;
constexpr int logoHeight = 114;

// The water surface as a net of balls joined by springs, a few of them lifted.
QImage drawOscillatorNet();

// One oscillator, its four neighbours and the pull towards their mean height.
QImage drawNeighbourMean();

// A wave running into an absorbing edge, where the damping grows and the wave dies out.
QImage drawAbsorbingEdge();

QImage drawLogo();

} // namespace zb::help
