// The hover pass of a pointer move over a scene of 2,000 labelled items, with the pointer over
// none of them so that every item is visited, timed through TForm2::hoverOver and, for
// comparison, as a bare loop over the same item boxes worked out beforehand. Prints both and
// their ratio.
#include "RunTimes.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "model/DiagramGeometry.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 2000;
constexpr int kColumns = 50;
// Left of and above every box.
constexpr hakoniwa::CanvasPoint kPointer{5, 5};

hakoniwa::Scene& activeScene() {
    return *Form1->project.activeScene();
}

// Items on a 50-column grid with Japanese labels of different lengths.
void fillScene() {
    Form1->isLoading = true; // no redraw per added item, as when a project is read
    hakoniwa::Scene& scene = activeScene();
    for (int i = 0; i < kItems; ++i) {
        Form2->downX = 20 + (i % kColumns) * 37;
        Form2->downY = 20 + (i / kColumns) * 26;
        Form2->addItm(scene);
        if (i % 4 != 0) // every fourth item shows its name
            Form2->newItm->sheet.setCell(
                4, 1, hakoniwa::Cp932Codec::encode(QStringLiteral("項目%1").arg(i)));
    }
    Form1->isLoading = false;
}

void BM_hoverPass(benchmark::State& state) {
    hakoniwa::Scene& scene = activeScene();
    for (auto _ : state)
        Form2->hoverOver(scene, kPointer.x, kPointer.y);
    if (Form2->curItm)
        state.SkipWithError("the pointer is over an item");
}

// The same boxes, measured once beforehand, visited in the same order.
void BM_bareLoop(benchmark::State& state) {
    const QFontMetrics metrics(Form1->img1->font(), &Form1->img1->image());
    std::vector<hakoniwa::CanvasRect> boxes;
    const hakoniwa::Scene& scene = activeScene();
    for (int i = 0; i < scene.itemCount(); ++i) {
        const hakoniwa::Item& item = scene.item(i);
        boxes.push_back(
            hakoniwa::boxRect(hakoniwa::itemAnchor(item),
                              metrics.horizontalAdvance(hakoniwa::toQt(item.displayText()))));
    }
    for (auto _ : state) {
        int found = -1;
        for (int i = static_cast<int>(boxes.size()) - 1; i >= 0; --i) {
            if (hakoniwa::boxContains(boxes[i], kPointer)) {
                found = i;
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
}

BENCHMARK(BM_hoverPass)
    ->Apply(reportFastest)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.1)
    ->Repetitions(20);
BENCHMARK(BM_bareLoop)
    ->Apply(reportFastest)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.1)
    ->Repetitions(20);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QDir::setCurrent(QStringLiteral(HAKONIWA_SOURCE_DIR)); // dat/ lies there
    createWindows();
    fillScene();
    benchmark::Initialize(&argc, argv);
    FastestTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double hover = reporter.times["BM_hoverPass"];
    const double bare = reporter.times["BM_bareLoop"];
    if (hover > 0 && bare > 0)
        std::printf("hover pass over %d items %.2f us, bare loop %.2f us, ratio %.2f\n", kItems,
                    hover, bare, hover / bare);
    benchmark::Shutdown();
    destroyWindows();
    return 0;
}
