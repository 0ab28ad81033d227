#include "sim/probe_store.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace zb {

int32_t addProbe(ProbeStore& store, const Probe& probe) {
    if (store.count >= kMaxProbes)
        return store.count;
    try {
        store.samples.resize(size_t(kProbeStoreSteps) * size_t(store.count + 1));
    } catch (...) {
        return store.count; // without memory for the samples the probe cannot be kept
    }
    store.probes[store.count++] = probe;
    store.first = 0;
    store.held = 0;
    return store.count;
}

void clearProbes(ProbeStore& store) {
    store.count = 0;
    store.first = 0;
    store.held = 0;
}

void recordProbes(ProbeStore& store, const Pool& pool) {
    const int32_t n = store.count;
    if (n == 0)
        return;
    int32_t slot;
    if (store.held < kProbeStoreSteps) {
        slot = (store.first + store.held) % kProbeStoreSteps;
        ++store.held;
    } else {
        slot = store.first; // the oldest step makes room
        store.first = (store.first + 1) % kProbeStoreSteps;
    }
    float* out = store.samples.data() + size_t(slot) * size_t(n);
    const bool hasCells = pool.oscillators != nullptr;
    for (int32_t k = 0; k < n; ++k) {
        const Probe& p = store.probes[k];
        const bool inside =
            hasCells && p.x >= 0 && p.y >= 0 && p.x < pool.sizeX && p.y < pool.sizeY;
        out[k] =
            inside ? float(pool.at(p.x, p.y).elongation) : std::numeric_limits<float>::quiet_NaN();
    }
}

int32_t drainProbes(ProbeStore& store, float* values, int32_t capacity) {
    const int32_t n = store.count;
    if (n == 0 || values == nullptr || capacity < n)
        return 0;
    const int32_t steps = std::min(store.held, capacity / n);
    // At most two runs: up to the ring's end, then from its start.
    const int32_t firstRun = std::min(steps, kProbeStoreSteps - store.first);
    const float* ring = store.samples.data();
    std::memcpy(values, ring + size_t(store.first) * size_t(n),
                size_t(firstRun) * size_t(n) * sizeof(float));
    std::memcpy(values + size_t(firstRun) * size_t(n), ring,
                size_t(steps - firstRun) * size_t(n) * sizeof(float));
    store.first = (store.first + steps) % kProbeStoreSteps;
    store.held -= steps;
    return steps;
}

} // namespace zb
