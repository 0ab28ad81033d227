#include "ratio_reporter.h"

#include <cstdio>

namespace zb::bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& r : runs) {
        // Single runs, or the median of repeated ones.
        const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
        const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
        if (r.error_occurred || !(single || median))
            continue;
        std::string name = r.run_name.str();
        for (const char* suffix :
             {"/min_time", "/repeats", "/iterations", "/process_time", "/real_time"})
            name = name.substr(0, name.find(suffix));
        cpuSeconds_[name] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
        realSeconds_[name] =
            r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
        const auto gb = r.counters.find("GB/s");
        if (gb != r.counters.end())
            gbps_[name] = gb->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::printRatios(const std::vector<Ratio>& ratios) const {
    std::printf("\nRatios of CPU time, same run (medians of repeated runs):\n");
    for (const Ratio& q : ratios) {
        const auto n = cpuSeconds_.find(q.numerator);
        const auto d = cpuSeconds_.find(q.denominator);
        if (n == cpuSeconds_.end() || d == cpuSeconds_.end() || d->second <= 0.0)
            continue;
        std::printf("  %-58s %9.3f%s%s\n", q.label.c_str(), n->second / d->second,
                    q.goal.empty() ? "" : "   goal ", q.goal.c_str());
    }
    const auto p = gbps_.find("step/production/3000");
    const auto m = gbps_.find("memory/in-place-sweep/3000");
    if (p != gbps_.end() && m != gbps_.end())
        std::printf("  %-58s %8.1f %%   (%.2f of %.2f GB/s)\n",
                    "step 3000 x 3000 bandwidth / in-place sweep", 100.0 * p->second / m->second,
                    p->second, m->second);
}

void RatioReporter::printWallRatios(const std::vector<Ratio>& ratios) const {
    std::printf("\nRatios of wall time, same run (medians of repeated runs):\n");
    for (const Ratio& q : ratios) {
        const auto n = realSeconds_.find(q.numerator);
        const auto d = realSeconds_.find(q.denominator);
        if (n == realSeconds_.end() || d == realSeconds_.end() || d->second <= 0.0)
            continue;
        std::printf("  %-58s %9.3f%s%s\n", q.label.c_str(), n->second / d->second,
                    q.goal.empty() ? "" : "   goal ", q.goal.c_str());
    }
}

void RatioReporter::printFrameRates(const std::string& prefix) const {
    std::printf("\nFrames per second (wall time):\n");
    for (const auto& [name, seconds] : realSeconds_)
        if (name.compare(0, prefix.size(), prefix) == 0 && seconds > 0.0)
            std::printf("  %-40s %7.1f\n", name.c_str(), 1.0 / seconds);
}

} // namespace zb::bench
