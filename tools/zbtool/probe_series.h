// The probes of a run and the file of their elevations, step by step.
#pragma once

#include "arguments.h"
#include "model/csv_table.h"
#include "model/tank.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zbtool {

// The tank's probes in list order, then those of the command line, as the engine gets them.
struct RunProbe {
    std::string name;
    int32_t x = 0;
    int32_t y = 0;
    bool inside = true; // within the tank's size
};

std::vector<RunProbe> runProbes(const zb::TZBecken& tank, std::span<const ProbePoint> extra);

// Why the probes cannot be measured (German), or nothing: a command-line probe outside the tank,
// more than the engine keeps, or none at all for --probes-csv.
std::optional<std::string> probesProblem(const zb::TZBecken& tank,
                                         std::span<const ProbePoint> extra);

// Gives the engine the command-line probes; the tank's came with the tank.
void addCommandLineProbes(std::span<const ProbePoint> extra);

// The CSV: a header naming every probe, then one line per step with its number, the time in
// seconds of Simulationszeit (the unit of the exciter's period, as a float) and each probe's
// elevation (empty for a probe outside the tank).
class ProbeCsv {
  public:
    ProbeCsv(std::vector<RunProbe> probes, float dt, zb::CsvForm form);
    // Takes what the engine recorded since the last call; needed at least every 4096 steps.
    void takeSamples();
    const std::string& text() const { return table_.str(); }

  private:
    std::vector<RunProbe> probes_;
    float dt_;
    int64_t step_ = 0;
    float time_ = 0.0f; // the engine's time, summed as the engine sums it
    std::vector<float> buffer_;
    zb::CsvTable table_;
};

} // namespace zbtool
