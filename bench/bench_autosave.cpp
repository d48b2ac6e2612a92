// The autosave's cost to the event-loop thread on a 14 MB project: the slot the timer runs
// (size, bytes into the reused buffer, hand-off to the worker that writes the file), against
// the bare copy of the same bytes into a ready buffer. Also the first tick of a session, when
// the worker first prepares the buffer's memory, and for comparison the bytes made into a
// new string once in a fresh process, as a plain autosave would make them on its first tick. Prints
// the results on one line at the end.
//
//   build/bench/bench_autosave

#include "LargeProject.h"
#include "app/Recovery.h"
#include "model/SourceWriter.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <thread>

using namespace hakoniwa;

namespace {

constexpr int kScenes = 20;
using Clock = std::chrono::steady_clock;

const Project& project() {
    static const Project made = bench::makeProject(kScenes);
    return made;
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

double milliseconds(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

// Lets the worker end and the slot it posted back run, untimed.
void settle(Recovery& recovery) {
    while (recovery.writing())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    QCoreApplication::sendPostedEvents();
    recovery.finishWriting();
}

void BM_AutosaveSlot(benchmark::State& state) {
    Recovery recovery(
        nullptr, project(), [] { return true; }, scratch().filePath("steady"));
    recovery.autosave();
    settle(recovery);
    for (auto _ : state) {
        recovery.autosave();
        state.PauseTiming();
        recovery.finishWriting();
        state.ResumeTiming();
    }
}

// The longer of the two turns the first tick takes on the event-loop thread: the slot
// itself, and the slot posted back once the worker has prepared the memory.
void BM_AutosaveFirstTick(benchmark::State& state) {
    for (auto _ : state) {
        Recovery recovery(
            nullptr, project(), [] { return true; }, scratch().filePath("first"));
        Clock::time_point start = Clock::now();
        recovery.autosave();
        const double slot = milliseconds(start);
        while (recovery.writing())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        start = Clock::now();
        QCoreApplication::sendPostedEvents();
        const double postedBack = milliseconds(start);
        state.SetIterationTime(std::max(slot, postedBack) / 1000);
        recovery.finishWriting();
    }
}

void BM_FreshStringWrite(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SourceWriter::write(project()).size());
}

void BM_BareCopy(benchmark::State& state) {
    const std::string bytes = SourceWriter::write(project());
    std::string buffer = bytes;
    for (auto _ : state) {
        buffer.assign(bytes);
        benchmark::DoNotOptimize(buffer.data());
    }
}

// The plain write first, once, so that it meets the memory of a fresh process as a first
// autosave would.
BENCHMARK(BM_FreshStringWrite)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_AutosaveFirstTick)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_AutosaveSlot)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BareCopy)->Unit(benchmark::kMillisecond)->Iterations(10);

class TimeReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> milliseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    project(); // made before anything is timed
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ms = [&](const char* name) { return reporter.milliseconds[name]; };
    std::printf("\nautosave of %.1f MB on the event-loop thread: %.1f ms per tick (%.1fx bare "
                "copy %.1f ms), first tick %.1f ms at most per turn; plain first write into a new "
                "string %.1f ms\n",
                SourceWriter::size(project()) / 1e6, ms("BM_AutosaveSlot"),
                ms("BM_AutosaveSlot") / ms("BM_BareCopy"), ms("BM_BareCopy"),
                ms("BM_AutosaveFirstTick"), ms("BM_FreshStringWrite"));
    benchmark::Shutdown();
    return 0;
}
