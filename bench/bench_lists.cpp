// The rebuilds of the details window's target and variable lists (combo boxes, trees and the
// information window's lists) for a scene of 2,000 items holding 1,000 declaration rows, each
// timed with the event processing that follows it (layout and painting of the shown lists).
#include "RunTimes.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTreeWidget>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 2000;
constexpr int kDeclarations = 1000;

// Every other item declares a variable with three members; labels are Japanese.
void fillScene() {
    Form1->isLoading = true; // no redraw per added item, as when a project is read
    hakoniwa::Scene& scene = *Form1->project.activeScene();
    for (int i = 0; i < kItems; ++i) {
        Form2->downX = 20 + (i % 50) * 37;
        Form2->downY = 20 + (i / 50) * 26;
        Form2->addItm(scene);
        hakoniwa::ItemSheet& sheet = Form2->newItm->sheet;
        sheet.setCell(4, 1, hakoniwa::Cp932Codec::encode(QStringLiteral("項目%1").arg(i)));
        if (i % (kItems / kDeclarations) == 0) {
            sheet.setCell(1, 2, "var" + std::to_string(i));
            sheet.setCell(2, 2, "x");
            sheet.setCell(3, 2, "y");
            sheet.setCell(4, 2, hakoniwa::Cp932Codec::encode(QStringLiteral("名前")));
        }
    }
    Form1->isLoading = false;
}

void BM_updMOlCb(benchmark::State& state) {
    for (auto _ : state) {
        Form3->updMOlCb();
        QApplication::processEvents();
    }
    state.counters["entries"] = Form3->cbMOl->count();
}

void BM_updHenCb(benchmark::State& state) {
    for (auto _ : state) {
        Form3->updHenCb();
        QApplication::processEvents();
    }
    state.counters["entries"] = Form3->cbHen->count();
}

BENCHMARK(BM_updMOlCb)->Apply(reportFastest);
BENCHMARK(BM_updHenCb)->Apply(reportFastest);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QDir::setCurrent(QStringLiteral(HAKONIWA_SOURCE_DIR)); // dat/ lies there
    createWindows();
    fillScene();
    // Both trees on show, as when the user picks from them.
    Form3->tvMdList->show();
    Form3->tvHnList->show();
    QApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    FastestTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("updMOlCb %.2f ms, updHenCb %.2f ms (%d items, %d declarations)\n",
                reporter.times["BM_updMOlCb"], reporter.times["BM_updHenCb"], kItems,
                kDeclarations);
    benchmark::Shutdown();
    destroyWindows();
    return 0;
}
