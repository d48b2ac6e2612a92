// Undo and redo of large changes, and what the undo history costs in memory. Run once; it
// prints one line per measure at the end, each against a bare baseline.
//
//   build/bench/bench_undo
//
// A rename rewrites 10,000 references; an item is deleted from a scene of 500 items; 1,000
// cell edits are kept as undo steps on a project of about 15 MB.

#include "model/ChangeLog.h"
#include "model/CommandEntryRules.h"
#include "model/JumpRenumbering.h"
#include "model/Project.h"
#include "model/VariableRename.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <string>
#include <vector>

using namespace hakoniwa;

namespace {

constexpr int kReferences = 10000;
constexpr int kItems = 500;

// One scene of `items` items with 20 command rows each; every instruction row refers to pos.
Project makeProject(int scenes, int items) {
    Project project;
    for (int s = 0; s < scenes; ++s) {
        Scene& scene = project.addScene();
        for (int i = 0; i < items; ++i) {
            ItemSheet& sheet = scene.addItem(i % 40 * 20, i / 40 * 30).sheet;
            sheet.setRowCount(22);
            for (int r = 2; r < 22; ++r) {
                sheet.setCell(1, r, r % 5 == 0 ? std::to_string(1 + (i + r) % items) : "0");
                sheet.setCell(2, r, "draw,text,2,a:hen|val,b:hen|val");
                sheet.setCell(3, r, "pos[" + std::to_string(r) + "].hp");
                sheet.setCell(4, r, "score[].point");
                sheet.setCell(5, r, std::to_string(i * r));
            }
        }
    }
    project.scene(0).item(0).sheet.setCell(1, 2, "pos");
    return project;
}

void BM_RenameUndoRedo(benchmark::State& state) {
    // 625 items x 16 instruction rows: 10,000 references to pos.
    Project project = makeProject(1, kReferences / 16);
    ChangeLog log;
    {
        const ChangeLog::Recording recording(log);
        renameVariableReferences(project, 0, DeclarationRename{"vec", "", "pos"});
    }
    state.counters["cells"] = static_cast<double>(log.size());
    for (auto _ : state) {
        log.undo();
        log.redo();
    }
}

void BM_BareCellWrites(benchmark::State& state) {
    std::vector<std::string> cells(kReferences, "pos[1].hp");
    for (auto _ : state) {
        for (std::string& cell : cells)
            cell = "vec[1].hp";
        for (std::string& cell : cells)
            cell = "pos[1].hp";
        benchmark::DoNotOptimize(cells.data());
    }
}

void BM_DeleteItemUndoRedo(benchmark::State& state) {
    Project project = makeProject(1, kItems);
    ChangeLog log;
    {
        const ChangeLog::Recording recording(log);
        deleteItemKeepingJumps(project.scene(0), kItems / 2);
    }
    for (auto _ : state) {
        log.undo();
        log.redo();
    }
}

void BM_BareVectorEraseInsert(benchmark::State& state) {
    std::vector<std::unique_ptr<int>> items;
    for (int i = 0; i < kItems; ++i)
        items.push_back(std::make_unique<int>(i));
    for (auto _ : state) {
        auto kept = std::move(items[kItems / 2]);
        items.erase(items.begin() + kItems / 2);
        items.insert(items.begin() + kItems / 2, std::move(kept));
        benchmark::DoNotOptimize(items.data());
    }
}

BENCHMARK(BM_RenameUndoRedo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareCellWrites)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteItemUndoRedo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareVectorEraseInsert)->Unit(benchmark::kMicrosecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> time; // per iteration, in the benchmark's unit
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            time[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
};

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

// 1,000 undo steps of one cell edit each on a project of about 15 MB, against the cells'
// own bytes.
void printHistoryMemory() {
    Project project = makeProject(20, kItems);
    const std::size_t before = heapInUse();
    std::vector<ChangeLog> history(1000);
    std::size_t textBytes = 0;
    for (int n = 0; n < 1000; ++n) {
        const ChangeLog::Recording recording(history[n]);
        const std::string text = "edit" + std::to_string(n);
        textBytes += text.size() + project.scene(n % 20).item(n % kItems).sheet.cell(5, 3).size();
        project.scene(n % 20).item(n % kItems).sheet.setCell(5, 3, text);
    }
    const double used = static_cast<double>(heapInUse() - before);
    std::printf("1,000 cell edits kept for undo: %.0f KB (%.1fx the edited texts' own bytes)\n",
                used / 1024, used / static_cast<double>(textBytes));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    std::printf("rename of %d references, undo + redo: %.2f ms (%.1fx bare writes of the cells)\n",
                kReferences, reporter.time["BM_RenameUndoRedo"],
                reporter.time["BM_RenameUndoRedo"] / reporter.time["BM_BareCellWrites"]);
    std::printf(
        "delete of an item among %d with its jump renumbering, undo + redo: %.2f us (%.1fx bare "
        "erase + insert)\n",
        kItems, reporter.time["BM_DeleteItemUndoRedo"],
        reporter.time["BM_DeleteItemUndoRedo"] / reporter.time["BM_BareVectorEraseInsert"]);
    printHistoryMemory();
    benchmark::Shutdown();
    return 0;
}
