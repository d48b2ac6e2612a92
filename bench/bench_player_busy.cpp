// The game player under load, one frame at a time:
//  - 50 start items that never wait, each counting in a loop: one frame runs the frame's row
//    budget shared by all of them (goal: under 20 ms a frame), against a bare C++ loop doing
//    the same counting;
//  - 10,000 texts on the screen, of which a game rewrites one line of 100 each frame (goal:
//    under 4 ms a frame), against a bare index of the same texts by position; the frame drawn
//    through the player's renderer is timed as well;
//  - 1,000, 3,000 and 10,000 texts written at new places: the time of one write stays flat.
// Prints the frame times and their ratios to the bare loops.
//
//   build/bench/bench_player_busy

#include "RunTimes.h"
#include "model/Definitions.h"
#include "model/Project.h"
#include "model/SourceWriter.h"
#include "model/TextOps.h"
#include "model/Utf8Text.h"
#include "player/app/ImageCache.h"
#include "player/app/PictureRenderer.h"
#include "player/runtime/Game.h"
#include "player/runtime/Interpreter.h"
#include "player/runtime/Screen.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_map>

using namespace hakoniwa;
using namespace hakoniwa::player;
namespace fs = std::filesystem;

namespace {

// The fastest times by function name, and by function name and argument ("BM_WriteTexts/1000").
class TimesByName : public FastestTimes {
public:
    std::map<std::string, double> timesByArg;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.aggregate_name == "min")
                timesByArg[run.run_name.function_name + "/" + run.run_name.args] =
                    run.GetAdjustedCPUTime();
        FastestTimes::ReportRuns(runs);
    }
};

constexpr int kBusyItems = 50;
constexpr int kTexts = 10000;
constexpr int kTextsPerLine = 100;

const fs::path kVocabulary = fs::path(HAKONIWA_SOURCE_DIR) / "dat" / "txt" / "game";

std::string definitionLine(const std::string& file, const std::string& name) {
    std::ifstream in(kVocabulary / file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    for (const std::string& line : Definitions::splitLines(bytes.str()))
        if (cp932ToUtf8(getSplitStrVal(getSplitStrVal(line, ',', 0), '-', 0)) == name)
            return cp932ToUtf8(line);
    return {};
}

// Rows written in UTF-8: an instruction by name, a jump by item number and component.
struct Sheet {
    ItemSheet& sheet;
    void row(std::vector<std::string> cells) {
        const int r = sheet.rowCount();
        for (std::size_t c = 0; c < cells.size(); ++c)
            sheet.setCell(static_cast<int>(c) + 1, r, utf8ToCp932(cells[c]));
    }
    void op(const std::string& name, std::vector<std::string> args = {}) {
        args.insert(args.begin(), {"0", definitionLine("mtd.txt", name)});
        row(std::move(args));
    }
    void jump(int item, const std::string& component, std::vector<std::string> args = {}) {
        args.insert(args.begin(), {std::to_string(item + 1), definitionLine("cmp.txt", component)});
        row(std::move(args));
    }
};

Sheet addItem(Scene& scene, bool start) {
    ItemSheet& sheet = scene.addItem(0, 0).sheet;
    sheet.setCell(3, 1, start ? "1" : "0");
    sheet.setRowCount(2);
    return Sheet{sheet};
}

std::string save(const Project& project, const std::string& name) {
    const fs::path file = fs::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary) << SourceWriter::write(project);
    return file.string();
}

// 50 start items, each adding 1 to its own element and jumping to itself.
std::string busyProject() {
    Project project;
    Scene& scene = project.addScene();
    for (int i = 0; i < kBusyItems; ++i) {
        Sheet item = addItem(scene, true);
        if (i == 0)
            item.row({"c"});
        item.op("増やす", {"c[" + std::to_string(i) + "]"});
        item.jump(i, "飛ぶ");
    }
    return save(project, "hakoniwa-bench-player-busy.txt");
}

// 10,000 "*" in 100 lines of 100, then in every frame one line of "+" rewritten.
std::string textsProject() {
    Project project;
    Scene& scene = project.addScene();
    Sheet fill = addItem(scene, true); // item 0
    for (const char* name : {"i", "x", "y", "j"})
        fill.row({name});
    fill.op("余り", {"x[]", "i[]", std::to_string(kTextsPerLine)});
    fill.op("割り算", {"y[]", "i[]", std::to_string(kTextsPerLine)});
    fill.op("掛け算", {"x[]", "x[]", "6"});
    fill.op("掛け算", {"y[]", "y[]", "4"});
    fill.op("文字表示", {"*", "x[]", "y[]"});
    fill.op("増やす", {"i[]"});
    fill.jump(0, "小さければ", {"i[]", std::to_string(kTexts)});
    fill.jump(1, "飛ぶ");
    Sheet frame = addItem(scene, false); // item 1
    frame.op("次の画面まで待つ");
    frame.op("代入", {"j[]", "0"});
    frame.jump(2, "飛ぶ");
    Sheet line = addItem(scene, false); // item 2
    line.op("掛け算", {"x[]", "j[]", "6"});
    line.op("文字表示", {"+", "x[]", "0"});
    line.op("増やす", {"j[]"});
    line.jump(2, "小さければ", {"j[]", std::to_string(kTextsPerLine)});
    line.jump(1, "飛ぶ");
    return save(project, "hakoniwa-bench-player-texts.txt");
}

struct SilentHost : Host {
    std::optional<ImageSize> imageSize(const std::string&) override { return ImageSize{}; }
    void playEffect(const std::string&, int) override {}
    void playMusic(const std::string&, int) override {}
    void stopMusic(bool) override {}
    void askName(const std::string&) override {}
    bool confirmQuit() override { return true; }
};

std::unique_ptr<Game> startGame(const std::string& path, int frames, SilentHost& host) {
    GameOptions options;
    options.projectPath = path;
    options.vocabularyDir = kVocabulary.string();
    auto game = std::make_unique<Game>(options);
    for (int i = 0; i < frames; ++i)
        game->runFrame({}, host);
    return game;
}

void BM_BusyItemsFrame(benchmark::State& state) {
    SilentHost host;
    const auto game = startGame(busyProject(), 1, host);
    for (auto _ : state)
        game->runFrame({}, host);
    if (game->error())
        state.SkipWithError(game->error()->message().c_str());
}

// The frame's rows as plain C++: 50 counters taking turns, one add and one jump each.
void BM_BareBusyLoop(benchmark::State& state) {
    std::vector<std::int32_t> counters(kBusyItems);
    for (auto _ : state) {
        const int share = Interpreter::kRowsPerFrame / kBusyItems / 2;
        for (std::int32_t& counter : counters)
            for (int i = 0; i < share; ++i) {
                counter = counter + 1;
                benchmark::DoNotOptimize(counter);
            }
    }
}

void BM_TextsFrame(benchmark::State& state) {
    SilentHost host;
    const auto game = startGame(textsProject(), 2, host);
    if (game->picture().texts.size() != static_cast<std::size_t>(kTexts))
        state.SkipWithError("the texts were not written");
    for (auto _ : state)
        game->runFrame({}, host);
    if (game->error())
        state.SkipWithError(game->error()->message().c_str());
}

void BM_TextsDrawn(benchmark::State& state) {
    SilentHost host;
    const auto game = startGame(textsProject(), 2, host);
    ImageCache images;
    PictureRenderer renderer(images);
    QImage frame(640, 480, QImage::Format_RGB32);
    for (auto _ : state)
        renderer.render(game->picture(), frame);
}

// One line of 100 texts rewritten in an index of 10,000 by position, as plain C++.
void BM_BareTextIndex(benchmark::State& state) {
    std::unordered_map<std::uint64_t, std::string> texts;
    for (int i = 0; i < kTexts; ++i)
        texts[std::uint64_t(i % kTextsPerLine * 6) << 32 | std::uint64_t(i / kTextsPerLine * 4)] =
            "*";
    for (auto _ : state)
        for (int j = 0; j < kTextsPerLine; ++j) {
            std::string& text = texts[std::uint64_t(j * 6) << 32];
            text = "+";
            benchmark::DoNotOptimize(text);
        }
}

// Texts written at N new places along a line: linear in N, each write as cheap as the first.
void BM_WriteTexts(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Screen screen;
        for (int i = 0; i < count; ++i)
            screen.writeText("*", i, 0, 0);
        benchmark::DoNotOptimize(screen.picture().texts.data());
    }
}

BENCHMARK(BM_WriteTexts)->Arg(1000)->Arg(3000)->Arg(10000)->Apply(reportFastest);
BENCHMARK(BM_BusyItemsFrame)->Apply(reportFastest);
BENCHMARK(BM_BareBusyLoop)->Apply(reportFastest);
BENCHMARK(BM_TextsFrame)->Apply(reportFastest);
BENCHMARK(BM_TextsDrawn)->Apply(reportFastest);
BENCHMARK(BM_BareTextIndex)->Apply(reportFastest);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1); // fonts for the renderer, no screen
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimesByName reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& t = reporter.times;
    std::printf("\n50 busy start items: %.2f ms a frame (goal under 20 ms), %.1fx the bare loop "
                "(%.2f ms)\n",
                t["BM_BusyItemsFrame"], t["BM_BusyItemsFrame"] / t["BM_BareBusyLoop"],
                t["BM_BareBusyLoop"]);
    std::printf("10,000 texts on screen: %.3f ms a frame (goal under 4 ms), %.1fx the bare index "
                "(%.4f ms); drawn in %.2f ms\n",
                t["BM_TextsFrame"], t["BM_TextsFrame"] / t["BM_BareTextIndex"],
                t["BM_BareTextIndex"], t["BM_TextsDrawn"]);
    for (const int count : {1000, 3000, 10000}) {
        const double ms = reporter.timesByArg["BM_WriteTexts/" + std::to_string(count)];
        std::printf("%d texts written at new places: %.3f ms, %.1f ns each\n", count, ms,
                    ms * 1e6 / count);
    }
    benchmark::Shutdown();
    return 0;
}
