// Loading and saving a large project file, against reading, splitting and writing the same
// bytes with nothing else done. Run once; it prints the ratios at the end.
//
//   build/bench_source
//
// The project: scenes x 500 items x 20 rows x 10 columns (20 scenes make about 15 MB).
// Two sizes are measured so that the time per megabyte shows whether the work is linear.

#include "LargeProject.h"
#include "model/Lines.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "platform/FileStore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <map>
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

void BM_LoadFromBytes(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Project project;
        SourceReader(project, 0, 0).read(file.bytes);
        benchmark::DoNotOptimize(project.sceneCount());
    }
    setBytes(state, file);
}

void BM_LoadFromFile(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Project project;
        SourceReader(project, 0, 0).read(FileStore::readAll(file.path));
        benchmark::DoNotOptimize(project.sceneCount());
    }
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

void BM_BareWrite(benchmark::State& state) {
    const Sample& file = sample(static_cast<int>(state.range(0)));
    const std::string path = scratch().filePath("bare.txt").toStdString();
    for (auto _ : state) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
    }
    setBytes(state, file);
}

// The same bytes through the temporary-file-and-rename route that saving takes.
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
    bench->Unit(benchmark::kMillisecond)->Iterations(5);
}

BENCHMARK(BM_LoadFromBytes)->Apply(sizes);
BENCHMARK(BM_LoadFromFile)->Apply(sizes);
BENCHMARK(BM_BareReadAndSplit)->Apply(sizes);
BENCHMARK(BM_Save)->Apply(sizes);
BENCHMARK(BM_WriteOnly)->Apply(sizes);
BENCHMARK(BM_SafeWrite)->Apply(sizes);
BENCHMARK(BM_BareWrite)->Apply(sizes);

// Keeps each run's time per iteration (milliseconds) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> milliseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            milliseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
};

void printRatios(RatioReporter& reporter) {
    auto ms = [&](const char* name, int scenes) {
        return reporter
            .milliseconds[std::string(name) + "/" + std::to_string(scenes) + "/iterations:5"];
    };
    std::printf("\n");
    for (int scenes : kSceneCounts) {
        const double mb = sample(scenes).bytes.size() / 1e6;
        std::printf("%2d scenes, %.1f MB: load %.0f ms (%.1f ms/MB, %.1fx bare read+split), "
                    "save %.0f ms (%.1f ms/MB, %.1fx bare write)\n",
                    scenes, mb, ms("BM_LoadFromFile", scenes), ms("BM_LoadFromFile", scenes) / mb,
                    ms("BM_LoadFromFile", scenes) / ms("BM_BareReadAndSplit", scenes),
                    ms("BM_Save", scenes), ms("BM_Save", scenes) / mb,
                    ms("BM_Save", scenes) / ms("BM_BareWrite", scenes));
    }
    const double small = sample(kSceneCounts[0]).bytes.size();
    const double large = sample(kSceneCounts[1]).bytes.size();
    std::printf("size x%.1f: load time x%.2f, save time x%.2f (linear work gives the size "
                "factor)\n",
                large / small, ms("BM_LoadFromFile", 20) / ms("BM_LoadFromFile", 5),
                ms("BM_Save", 20) / ms("BM_Save", 5));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
