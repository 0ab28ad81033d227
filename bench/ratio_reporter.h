// Collects every benchmark's CPU time and prints, after the table, the ratios that matter. Both
// sides of a ratio come from the same run; CPU time, because wall time on a shared machine
// counts the other programs' turns as ours.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace zb::bench {

struct Ratio {
    std::string label;
    std::string numerator; // benchmark names as printed, without the repetition suffixes
    std::string denominator;
    std::string goal; // printed beside the value; empty when there is none
};

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    explicit RatioReporter(bool colour) : ConsoleReporter(colour ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    void printRatios(const std::vector<Ratio>& ratios) const;
    // The same of wall time, for work spread over threads (benchmarks that use real time).
    void printWallRatios(const std::vector<Ratio>& ratios) const;
    // Iterations per second of wall time of every benchmark whose name starts with prefix.
    void printFrameRates(const std::string& prefix) const;

  private:
    std::map<std::string, double> cpuSeconds_; // per iteration; the median of repetitions
    std::map<std::string, double> realSeconds_;
    std::map<std::string, double> gbps_;
};

} // namespace zb::bench
