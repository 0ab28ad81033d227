#include "view/probe_recording.h"

#include <algorithm>

namespace zb::ui {

void ProbeRecording::start(std::vector<ProbeTrace> probes, double startTime, size_t maxSteps) {
    probes_ = std::move(probes);
    times_.clear();
    values_.clear();
    maxSteps_ = std::max<size_t>(maxSteps, 1);
    dropped_ = 0;
    lastTime_ = startTime;
}

void ProbeRecording::append(const float* values, int steps, double endTime) {
    if (steps <= 0 || probes_.empty()) {
        return;
    }
    const size_t count = probes_.size();
    for (int s = 0; s < steps; ++s) {
        times_.push_back(float(lastTime_ + (endTime - lastTime_) * double(s + 1) / double(steps)));
        values_.insert(values_.end(), values + size_t(s) * count, values + size_t(s + 1) * count);
    }
    lastTime_ = endTime;
    if (times_.size() > maxSteps_) {
        const size_t excess = times_.size() - maxSteps_;
        times_.erase(times_.begin(), times_.begin() + std::ptrdiff_t(excess));
        values_.erase(values_.begin(), values_.begin() + std::ptrdiff_t(excess * count));
        dropped_ += (long long)excess;
    }
}

int ProbeRecording::collect(EngineCalls& engine) {
    if (probes_.empty()) {
        return 0;
    }
    // The engine keeps no more than 4096 steps, so one read empties it; a frame normally brings
    // one step.
    constexpr int kEngineSteps = 4096;
    buffer_.resize(size_t(kEngineSteps) * probes_.size());
    const int steps =
        std::min(engine.readProbes(buffer_.data(), int32_t(buffer_.size())), kEngineSteps);
    append(buffer_.data(), steps, engine.simulationTime());
    return std::max(steps, 0);
}

} // namespace zb::ui
