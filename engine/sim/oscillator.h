// One node of the wave field. The drawing reads position, normal and colour of every node in
// place as interleaved vertex arrays with the record size as stride, so the layout is fixed.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace zb {

struct Vec3f {
    float x, y, z;
};

struct Oscillator {
    Vec3f position;      // drawing coordinates; y is the height, the float copy of elongation
    Vec3f normal;        // unit surface normal, recomputed by every step
    double velocity;     // elongation units per engine time unit
    double elongation;   // displacement from rest
    bool fixed;          // the step leaves the cell alone
    bool wall;           // with fixed: not a free neighbour of any cell
    bool exciter;        // driven cell
    bool sineMode;       // exciter drive: prescribed sine instead of added acceleration
    float amplitude;     // exciter amplitude
    float omega;         // exciter angular frequency, radians per engine time unit
    float color[4];      // red, green, blue, alpha; the first three are drawn
    float dampingFactor; // applied to the velocity every step: 1 free, 0 standing still
    float coupling;      // spring constant towards the neighbours
    uint32_t padding;    // always 0, so that records compare with memcmp
};

static_assert(sizeof(Vec3f) == 12);
static_assert(offsetof(Oscillator, position) == 0);
static_assert(offsetof(Oscillator, normal) == 12);
static_assert(offsetof(Oscillator, velocity) == 24);
static_assert(offsetof(Oscillator, elongation) == 32);
static_assert(offsetof(Oscillator, fixed) == 40);
static_assert(offsetof(Oscillator, wall) == 41);
static_assert(offsetof(Oscillator, exciter) == 42);
static_assert(offsetof(Oscillator, sineMode) == 43);
static_assert(offsetof(Oscillator, amplitude) == 44);
static_assert(offsetof(Oscillator, omega) == 48);
static_assert(offsetof(Oscillator, color) == 52);
static_assert(offsetof(Oscillator, dampingFactor) == 68);
static_assert(offsetof(Oscillator, coupling) == 72);
static_assert(sizeof(Oscillator) == 80, "the renderer's vertex stride");

static_assert(std::endian::native == std::endian::little, "flag masks below");

// The four flag bytes read as one word, for tests of several flags at once.
inline uint32_t flagWord(const Oscillator& o) {
    uint32_t w;
    __builtin_memcpy(&w, &o.fixed, sizeof w);
    return w;
}
constexpr uint32_t kFixedByte = 0x000000ffu;
constexpr uint32_t kWallByte = 0x0000ff00u;
constexpr uint32_t kExciterByte = 0x00ff0000u;

inline bool isWallCell(const Oscillator& o) {
    return o.fixed && o.wall;
}

} // namespace zb
