// The probes' samples of the current run, as the front end keeps them for the plot and for
// "Messwerte speichern...": per time step its time and one elongation per probe. Only the most
// recent steps are kept, so a run left going all day holds a bounded amount of memory.
#pragma once

#include "model/engine_calls.h"
#include "model/simulation_time.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace zb::ui {

struct ProbeTrace {
    std::string name; // UTF-8
    uint32_t rgb;     // 0xRRGGBB
};

class ProbeRecording {
  public:
    // 100 000 steps of 8 probes: about 4 MB.
    static constexpr size_t kMaxSteps = 100'000;

    // Starts afresh for these probes (in the engine's order), at engine time startTime.
    void start(std::vector<ProbeTrace> probes, double startTime, size_t maxSteps = kMaxSteps);
    // Appends `steps` steps of probeCount() values each, step after step, the last one at engine
    // time endTime; the steps of one call are spread evenly since the previous end.
    void append(const float* values, int steps, double endTime);
    // Takes what the engine recorded since it was last asked, stamped with the engine's time;
    // returns the number of steps taken.
    int collect(EngineCalls& engine);

    const std::vector<ProbeTrace>& probes() const { return probes_; }
    int probeCount() const { return int(probes_.size()); }
    size_t size() const { return times_.size(); }
    bool empty() const { return times_.empty(); }
    // The number of the oldest step held, counted from the run's start at 1.
    long long firstStep() const { return dropped_ + 1; }
    // The engine's time of step k, and the same in seconds of Simulationszeit, the time the user
    // sees.
    float time(size_t k) const { return times_[k]; }
    double seconds(size_t k) const { return simulationSeconds(double(times_[k])); }
    float value(size_t k, int probe) const { return values_[k * probes_.size() + size_t(probe)]; }

  private:
    std::vector<ProbeTrace> probes_;
    std::deque<float> times_;
    std::deque<float> values_;
    size_t maxSteps_ = kMaxSteps;
    long long dropped_ = 0;
    double lastTime_ = 0.0;
    std::vector<float> buffer_;
};

} // namespace zb::ui
