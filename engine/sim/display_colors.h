// The colours of the colour modes: per cell RGBA bytes computed from the records (and the
// intensity average) for the drawing to use instead of the records' designed colours.
#pragma once

#include "sim/engine_state.h"

#include <cstdint>

namespace zb {

// Ends of the scales, RGB in 0..1. Elevation: a diverging red-white-blue scale, which differs
// in lightness and along blue-yellow and so stays readable with red-green colour blindness.
constexpr float kCrestColor[3] = {0.70f, 0.09f, 0.17f};
constexpr float kTroughColor[3] = {0.13f, 0.40f, 0.67f};
// Intensity: dark blue through crimson to pale yellow, rising in lightness throughout; the
// brightness follows the square root of the intensity, the amplitude.
constexpr float kIntensityStops[3][3] = {
    {0.05f, 0.05f, 0.25f}, {0.80f, 0.20f, 0.35f}, {1.00f, 0.95f, 0.55f}};
// On the intensity scale black walls would vanish in the dark of still or not yet measured
// water: they are drawn in a light neutral grey, which the scale's saturated colours never take.
constexpr float kIntensityWallColor[3] = {0.75f, 0.75f, 0.75f};
// There a cell whose designed colour is no white (a damped edge, a material's first row) shows
// that colour by this share of its distance from white, so that the tint stays visible where
// the scale is dark.
constexpr float kIntensityTintShare = 0.5f;

// The scales follow the bulk of the water, not its few highest waves near the exciters: the
// elevation drawn at full crest or trough colour is kRangeAboveBulk times the elevation that
// kBulkShare of the water cells stay within, the intensity drawn at the light end the one that
// kBulkShare stay below. Neither falls under kRangeFloor times the largest, so that a lone
// pulse on still water is drawn full but the still water does not show its rounding noise.
constexpr double kBulkShare = 0.75;
constexpr float kRangeAboveBulk = 1.25f;
constexpr float kRangeFloor = 0.01f; // of the largest elevation; squared for the intensity
// Per frame, an elevation range larger than the present field needs shrinks by this factor at
// most, so that the scale does not flicker as the waves pass.
constexpr float kRangeDecay = 0.95f;

// Colour mode 1 or 2: the colours for the pool now, one RGBA quadruple per cell in the records'
// order. Null in mode 0 and when the arrays cannot be had: the records' colours are drawn then.
// Exciters keep their designed colours, walls too on the elevation scale; water cells take the
// scale's colour times the designed one, so material changes and damped edges keep their tint.
// A pending material change must be settled.
const uint32_t* displayColors(EngineState& s);

} // namespace zb
