// The project check over a large project, against a bare pass over the same cells. Run once;
// it prints the figures at the end.
//
//   build/bench/bench_check
//
// The project: 15 scenes x 500 items x 20 rows x 10 columns (about 15 MB of project file),
// its definitions in the vocabulary and its variable declared, as a working project is: the
// check finds nothing. The same project checked with a vocabulary its rows do not fit shows
// the cost of a problem on every row.

#include "LargeProject.h"
#include "check/ProjectCheck.h"
#include "model/SourceWriter.h"
#include "model/Utf8Text.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

using namespace hakoniwa;

namespace {

constexpr int kScenes = 15;

// Definitions of the game vocabulary that the player runs, for the cells LargeProject writes:
// instruction rows keep columns 3 to 5 (a result and two texts), jump rows 3 and 4 (two values).
const std::string kInstruction = utf8ToCp932(
    "文字連結-変数,二つの文字列をつないで一つにする,3,代入先:hen.w,前の文字列:str,後の文字列:str");
const std::string kComponent =
    utf8ToCp932("等しければ,値1と値2が等しいとき飛ぶ,2,値1:hen|val.0,値2:hen|val.0");

Definitions workingVocabulary() {
    Definitions vocabulary;
    vocabulary.instructions = {kInstruction};
    vocabulary.components = {kComponent};
    vocabulary.systemVariables = {"score,the score", "time,milliseconds"};
    return vocabulary;
}

// The large project with its definitions rewritten to the working vocabulary's and Score
// declared with its member point in the first scene: sound throughout.
const Project& workingProject() {
    static Project project = [] {
        Project made = bench::makeProject(kScenes);
        for (int s = 0; s < made.sceneCount(); ++s)
            for (int i = 0; i < made.scene(s).itemCount(); ++i) {
                ItemSheet& sheet = made.scene(s).item(i).sheet;
                for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
                    const bool jump = sheet.rowKind(r) == RowKind::Jump;
                    sheet.setCell(2, r, jump ? kComponent : kInstruction);
                    if (!jump) {
                        sheet.setCell(6, r, "");
                        sheet.setCell(7, r, "");
                    }
                }
            }
        ItemSheet& first = made.scene(0).item(0).sheet;
        first.setRowCount(first.rowCount() + 1);
        first.setCell(1, first.rowCount() - 1, "Score");
        first.setCell(2, first.rowCount() - 1, "point");
        return made;
    }();
    return project;
}

void BM_CheckProject(benchmark::State& state) {
    const Project& project = workingProject();
    const Definitions vocabulary = workingVocabulary();
    std::size_t problems = 0;
    for (auto _ : state) {
        problems = checkProject(project, vocabulary).size();
        benchmark::DoNotOptimize(problems);
    }
    state.counters["problems"] = static_cast<double>(problems);
}

// Every row of the project as LargeProject makes it: definitions without argument fields.
void BM_CheckProjectEveryRowFaulty(benchmark::State& state) {
    static const Project project = bench::makeProject(kScenes);
    Definitions vocabulary = workingVocabulary();
    vocabulary.instructions.push_back(bench::kInstruction);
    vocabulary.components.push_back(bench::kComponent);
    std::size_t problems = 0;
    for (auto _ : state) {
        problems = checkProject(project, vocabulary).size();
        benchmark::DoNotOptimize(problems);
    }
    state.counters["problems"] = static_cast<double>(problems);
}

// Reads every cell of every sheet once, and does nothing else.
void BM_BareCellPass(benchmark::State& state) {
    const Project& project = workingProject();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int s = 0; s < project.sceneCount(); ++s)
            for (int i = 0; i < project.scene(s).itemCount(); ++i) {
                const ItemSheet& sheet = project.scene(s).item(i).sheet;
                for (int r = 0; r < sheet.rowCount(); ++r)
                    for (int c = 0; c < sheet.columnCount(); ++c)
                        bytes += sheet.cell(c, r).size();
            }
        benchmark::DoNotOptimize(bytes);
    }
}

BENCHMARK(BM_CheckProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckProjectEveryRowFaulty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareCellPass)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Per iteration, in the benchmark's unit. The processor time is the figure that holds on a
    // machine shared with other work; the wall time is shown beside it.
    std::map<std::string, double> time, cpu;
    std::map<std::string, double> problems;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            time[run.benchmark_name()] = run.GetAdjustedRealTime();
            cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
            const auto found = run.counters.find("problems");
            if (found != run.counters.end())
                problems[run.benchmark_name()] = found->second;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double megabytes = SourceWriter::write(workingProject()).size() / 1e6;
    const double bare = reporter.cpu["BM_BareCellPass"];
    const auto line = [&](const char* what, const char* name) {
        std::printf("%s: %.1f ms (%.1fx a bare pass over its cells; wall %.1f ms), %.0f problems\n",
                    what, reporter.cpu[name], reporter.cpu[name] / bare, reporter.time[name],
                    reporter.problems[name]);
    };
    std::printf("\n");
    char project[64];
    std::snprintf(project, sizeof project, "check of a %.1f MB project", megabytes);
    line(project, "BM_CheckProject");
    line("the same with a problem on every row", "BM_CheckProjectEveryRowFaulty");
    benchmark::Shutdown();
    return 0;
}
