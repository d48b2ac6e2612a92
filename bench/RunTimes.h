#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// What the benchmarks share for their summary lines.

// The machine may be busy: a benchmark repeated several times counts its fastest run.
inline double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Five repetitions in milliseconds, reported by the fastest alone (apply before changing
// either).
inline void reportFastest(benchmark::internal::Benchmark* bench) {
    bench->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ComputeStatistics("min", fastest)
        ->ReportAggregatesOnly();
}

// Keeps each repeated benchmark's fastest CPU time per iteration by its function name (wall
// time also counts the time other programs held the core).
class FastestTimes : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.aggregate_name == "min")
                times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

// Keeps each benchmark's wall time per iteration by its name.
class RunTimes : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
