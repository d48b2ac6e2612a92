// Loading and saving a large project file, against reading and splitting the same bytes, and
// against writing them safely (a new file beside the target, flushed to the disk, renamed over
// the target) with nothing else done. Run once; it prints the ratios at the end.
//
//   build/bench/bench_source
//
// The project: scenes x 500 items x 20 rows x 10 columns (20 scenes make about 14 MB).
// Two sizes are measured so that the time per megabyte shows whether the work is linear.
// Each measure is repeated and its fastest repetition is compared, so that other work on the
// machine weighs as little as possible on the ratios. Loading from the file also counts the
// pages first touched per load (column "faults").

#include "LargeProject.h"
#include "model/Lines.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "platform/FileStore.h"
#include "platform/MemoryReuse.h"

#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace hakoniwa;
using bench::makeProject;

namespace {

const int kSceneCounts[] = {5, 20};

// One file per size, written once and shared by every measurement.
struct Sample {
    std::string bytes;
    QString path;
};

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

const Sample& sample(int scenes) {
    static std::map<int, Sample> samples;
    auto found = samples.find(scenes);
    if (found == samples.end()) {
        Sample made{SourceWriter::write(makeProject(scenes)),
                    scratch().filePath(QString("project%1.txt").arg(scenes))};
        FileStore::writeAll(made.path, made.bytes);
        found = samples.emplace(scenes, std::move(made)).first;
    }
    return found->second;
}

void setBytes(benchmark::State& state, const Sample& file) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.bytes.size()));
    state.counters["MB"] = file.bytes.size() / 1e6;
}

// Loading is timed up to the loaded project; freeing it again is not part of loading (the bare
// read and split frees no cells either), so the project is dropped with the clock stopped.
void dropUntimed(benchmark::State& state, std::unique_ptr<Project>& project) {
    state.PauseTiming();
    project.reset();
    state.ResumeTiming();
}

void BM_LoadFromBytes(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto project = std::make_unique<Project>();
        SourceReader(*project, 0, 0).read(file.bytes);
        benchmark::DoNotOptimize(project->sceneCount());
        dropUntimed(state, project);
    }
    setBytes(state, file);
}

// Pages the process touched for the first time: each costs a trip into the system (about 14 us
// on the shared 2-core machine), so a load whose memory is not reused shows here first.
long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

void BM_LoadFromFile(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    const long faultsBefore = minorFaults();
    for (auto _ : state) {
        auto project = std::make_unique<Project>();
        {
            const auto block = TextBlock::readBy([&](const TextBlock::MakeRoom& makeRoom) {
                return FileStore::readInto(file.path, makeRoom);
            });
            if (SourceReader::isProjectSource(block->bytes())) // as the editor asks first
                SourceReader(*project, 0, 0).read(*block);
        }
        benchmark::DoNotOptimize(project->sceneCount());
        dropUntimed(state, project);
    }
    state.counters["faults"] = benchmark::Counter(static_cast<double>(minorFaults() - faultsBefore),
                                                  benchmark::Counter::kAvgIterations);
    setBytes(state, file);
}

void BM_BareReadAndSplit(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const std::string bytes = FileStore::readAll(file.path);
        std::vector<std::string_view> lines;
        forEachLine(bytes, [&](std::string_view line) { lines.push_back(line); });
        benchmark::DoNotOptimize(lines.data());
    }
    setBytes(state, file);
}

void BM_Save(benchmark::State& state) {
    const int scenes = static_cast<int>(state.range(0));
    const Sample& file = sample(scenes);
    const Project project = makeProject(scenes);
    const QString path = scratch().filePath("saved.txt");
    for (auto _ : state)
        FileStore::writeAll(path, SourceWriter::write(project));
    setBytes(state, file);
}

void BM_WriteOnly(benchmark::State& state) {
    const int scenes = static_cast<int>(state.range(0));
    const Sample& file = sample(scenes);
    const Project project = makeProject(scenes);
    for (auto _ : state)
        benchmark::DoNotOptimize(SourceWriter::write(project).size());
    setBytes(state, file);
}

// The least a safe save does, straight on the system calls: the bytes into a new file beside
// the target, the data flushed to the disk, the new file renamed over the target.
void bareSafeWrite(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot create " + temporary);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            throw std::runtime_error("cannot write " + temporary);
        done += static_cast<std::size_t>(written);
    }
    if (::fdatasync(fd) != 0 || ::close(fd) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot write " + path);
}

void BM_BareSafeWrite(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    const std::string path = scratch().filePath("bare.txt").toStdString();
    for (auto _ : state)
        bareSafeWrite(path, file.bytes);
    setBytes(state, file);
}

// The same bytes through the route that saving takes.
void BM_SafeWrite(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    const QString path = scratch().filePath("safe.txt");
    for (auto _ : state)
        FileStore::writeAll(path, file.bytes);
    setBytes(state, file);
}

void sizes(benchmark::internal::Benchmark* bench) {
    for (int scenes : kSceneCounts)
        bench->Arg(scenes);
    bench->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);
    bench->ComputeStatistics("min", [](const std::vector<double>& times) {
        return *std::min_element(times.begin(), times.end());
    });
    bench->DisplayAggregatesOnly();
}

BENCHMARK(BM_LoadFromBytes)->Apply(sizes);
BENCHMARK(BM_LoadFromFile)->Apply(sizes);
BENCHMARK(BM_BareReadAndSplit)->Apply(sizes);
BENCHMARK(BM_Save)->Apply(sizes);
BENCHMARK(BM_WriteOnly)->Apply(sizes);
BENCHMARK(BM_SafeWrite)->Apply(sizes);
BENCHMARK(BM_BareSafeWrite)->Apply(sizes);

// Keeps each measure's fastest time per iteration (milliseconds) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> milliseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "min")
                milliseconds[run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedRealTime();
    }
};

void printRatios(RatioReporter& reporter) {
    auto ms = [&](const char* name, int scenes) {
        return reporter.milliseconds[std::string(name) + "/" + std::to_string(scenes)];
    };
    std::printf("\n");
    for (int scenes : kSceneCounts) {
        const double mb = sample(scenes).bytes.size() / 1e6;
        const double load = ms("BM_LoadFromFile", scenes), save = ms("BM_Save", scenes);
        std::printf("%2d scenes, %.1f MB: load %.0f ms (%.1f ms/MB, %.2fx bare read+split), "
                    "save %.0f ms (%.1f ms/MB, %.2fx bare safe write)\n",
                    scenes, mb, load, load / mb, load / ms("BM_BareReadAndSplit", scenes), save,
                    save / mb, save / ms("BM_BareSafeWrite", scenes));
        std::printf("%2d scenes: bytes made in %.1f ms, written by the save route in %.1f ms "
                    "(%.2fx bare safe write, %.1f ms)\n",
                    scenes, ms("BM_WriteOnly", scenes), ms("BM_SafeWrite", scenes),
                    ms("BM_SafeWrite", scenes) / ms("BM_BareSafeWrite", scenes),
                    ms("BM_BareSafeWrite", scenes));
    }
    const int small = kSceneCounts[0], large = kSceneCounts[1];
    std::printf("size x%.1f: load time x%.2f, save time x%.2f (linear work gives the size "
                "factor)\n",
                static_cast<double>(sample(large).bytes.size()) / sample(small).bytes.size(),
                ms("BM_LoadFromFile", large) / ms("BM_LoadFromFile", small),
                ms("BM_Save", large) / ms("BM_Save", small));
}

} // namespace

int main(int argc, char** argv) {
    keepFreedMemoryForReuse(); // as the editor does
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
