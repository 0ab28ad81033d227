// Probes: single oscillators whose elongation is recorded after every time step, for a host that
// plots or stores them. Only the probed cells are read; the field itself is never copied.
#pragma once

#include "sim/pool.h"

#include <cstdint>
#include <vector>

namespace zb {

constexpr int32_t kMaxProbes = 8;
constexpr int32_t kProbeStoreSteps = 4096; // older steps are dropped when nobody drains them

struct Probe {
    int32_t x = 0; // oscillator, 0-based; not checked, outside the pool it records NaN
    int32_t y = 0;
    uint32_t rgb = 0; // marker colour 0xRRGGBB
};

// The recorded steps form a ring of count floats per step, oldest at first.
struct ProbeStore {
    Probe probes[kMaxProbes];
    int32_t count = 0;
    std::vector<float> samples; // kProbeStoreSteps * count, once a probe exists
    int32_t first = 0;          // slot of the oldest step held
    int32_t held = 0;           // steps held, at most kProbeStoreSteps
};

// Adds a probe unless kMaxProbes are held; samples recorded so far are dropped, since their layout
// changes. Returns the number of probes held.
int32_t addProbe(ProbeStore& store, const Probe& probe);

// Discards the probes and their samples, keeping the store's memory.
void clearProbes(ProbeStore& store);

// Records each probe's elongation as one step; nothing without probes.
void recordProbes(ProbeStore& store, const Pool& pool);

// Moves the oldest whole steps that fit into capacity floats to values and forgets them.
// Returns the number of steps moved.
int32_t drainProbes(ProbeStore& store, float* values, int32_t capacity);

} // namespace zb
