// The game player's row loop: one item whose three rows count to a limit and jump to the
// item itself (足し算, 比較, 等しければ), about 1,000,000 rows in all, against a bare C++ loop
// doing the same arithmetic. Run once; it prints rows per second and the ratio at the end.
//
//   build/bench/bench_player_rows

#include "model/Definitions.h"
#include "model/Project.h"
#include "model/SourceWriter.h"
#include "model/TextOps.h"
#include "model/Utf8Text.h"
#include "player/runtime/Game.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace hakoniwa;
using namespace hakoniwa::player;
namespace fs = std::filesystem;

namespace {

constexpr int kLoops = 333334; // three rows each
constexpr double kRows = 3.0 * kLoops;

const fs::path kVocabulary = fs::path(HAKONIWA_SOURCE_DIR) / "dat" / "txt" / "game";

std::string definitionLine(const std::string& file, const std::string& name) {
    std::ifstream in(kVocabulary / file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    for (const std::string& line : Definitions::splitLines(bytes.str()))
        if (cp932ToUtf8(getSplitStrVal(getSplitStrVal(line, ',', 0), '-', 0)) == name)
            return line;
    return {};
}

// The loop's project, written once to a temporary file.
std::string projectPath() {
    static const std::string path = [] {
        Project project;
        ItemSheet& sheet = project.addScene().addItem(0, 0).sheet;
        const auto row = [&](std::vector<std::string> cells) {
            const int r = sheet.rowCount();
            for (std::size_t c = 0; c < cells.size(); ++c)
                sheet.setCell(static_cast<int>(c) + 1, r, utf8ToCp932(cells[c]));
        };
        sheet.setRowCount(2);
        row({"i"});
        row({"c"});
        row({"0", cp932ToUtf8(definitionLine("mtd.txt", "足し算")), "i[]", "i[]", "1"});
        row({"0", cp932ToUtf8(definitionLine("mtd.txt", "比較")), "c[]", "i[]", "より小さい,2",
             std::to_string(kLoops)});
        row({"1", cp932ToUtf8(definitionLine("cmp.txt", "等しければ")), "c[]", "1"});
        const fs::path file = fs::temp_directory_path() / "hakoniwa-bench-player-rows.txt";
        std::ofstream(file, std::ios::binary) << SourceWriter::write(project);
        return file.string();
    }();
    return path;
}

struct SilentHost : Host {
    std::optional<ImageSize> imageSize(const std::string&) override { return ImageSize{}; }
    void playEffect(const std::string&, int) override {}
    void playMusic(const std::string&, int) override {}
    void stopMusic(bool) override {}
    void askName(const std::string&) override {}
    bool confirmQuit() override { return true; }
};

void BM_PlayerRows(benchmark::State& state) {
    GameOptions options;
    options.projectPath = projectPath();
    options.vocabularyDir = kVocabulary.string();
    SilentHost host;
    for (auto _ : state) {
        state.PauseTiming();
        Game game(options);
        state.ResumeTiming();
        while (!game.finished() && !game.error())
            game.runFrame({}, host);
        if (game.error()) {
            state.SkipWithError(game.error()->message().c_str());
            break;
        }
    }
    state.counters["rows"] =
        benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
}

// The same counting in plain C++: add, compare, test, on one line.
void BM_BareLoop(benchmark::State& state) {
    for (auto _ : state) {
        std::int32_t i = 0, c = 0;
        do {
            i = i + 1, c = i < kLoops ? 1 : 0, benchmark::DoNotOptimize(i),
            benchmark::DoNotOptimize(c);
        } while (c == 1);
    }
    state.counters["rows"] =
        benchmark::Counter(kRows, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_PlayerRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareLoop)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> cpu; // per iteration, in milliseconds
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            cpu[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double player = reporter.cpu["BM_PlayerRows"], bare = reporter.cpu["BM_BareLoop"];
    std::printf("\nplayer: %.0f rows in %.1f ms, %.1f million rows per second, %.1fx the bare "
                "loop (%.2f ms)\n",
                kRows, player, kRows / player / 1e3, player / bare, bare);
    benchmark::Shutdown();
    return 0;
}
