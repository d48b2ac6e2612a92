// The memory a loaded 14 MB project takes: the process's resident size (VmRSS) before and after
// reading the project file, against the file's size. Prints one line at the end.
//
//   build/bench/bench_memory
//
// The file is made first and the memory that took is given back to the system, so the figure
// before loading holds nothing of it.

#include "LargeProject.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "platform/FileStore.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>

using namespace hakoniwa;

namespace {

constexpr int kScenes = 20;

// Resident size in bytes, as /proc/self/status gives it.
double residentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

struct Figures {
    double fileBytes = 0, before = 0, after = 0;
};
Figures figures;

void BM_LoadedSize(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("project.txt");
    {
        const std::string bytes = SourceWriter::write(bench::makeProject(kScenes));
        FileStore::writeAll(path, bytes);
        figures.fileBytes = static_cast<double>(bytes.size());
    }
    for (auto _ : state) {
        malloc_trim(0);
        figures.before = residentBytes();
        auto project = std::make_unique<Project>();
        SourceReader(*project, 0, 0).read(FileStore::readAll(path));
        malloc_trim(0);
        figures.after = residentBytes();
        benchmark::DoNotOptimize(project->sceneCount());
        state.PauseTiming();
        project.reset();
        state.ResumeTiming();
    }
    state.counters["MB"] = figures.fileBytes / 1e6;
    state.counters["loaded_MB"] = (figures.after - figures.before) / 1e6;
}

BENCHMARK(BM_LoadedSize)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double mb = 1e6;
    std::printf("\n%.1f MB file: resident %.1f MB before loading, %.1f MB after; the project "
                "takes %.1f MB, %.2fx the file\n",
                figures.fileBytes / mb, figures.before / mb, figures.after / mb,
                (figures.after - figures.before) / mb,
                (figures.after - figures.before) / figures.fileBytes);
    benchmark::Shutdown();
    return 0;
}
