// The details window's sheet view showing a sheet of 100,000 command rows: a full repaint of
// the view at the top and at the bottom of the sheet, and showing the sheet.
#include "RunTimes.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
hakoniwa::Item* bigItem = nullptr;

// Instruction, jump, declaration and empty rows in turn.
void fillSheet(hakoniwa::ItemSheet& sheet) {
    sheet.setRowCount(kRows);
    const std::string instruction = hakoniwa::Cp932Codec::encode(QStringLiteral("文字表示"));
    for (int r = 2; r < kRows; ++r) {
        switch (r % 4) {
        case 0:
            sheet.setCell(1, r, "0");
            sheet.setCell(2, r, instruction);
            sheet.setCell(3, r, "Score[" + std::to_string(r) + "].point");
            break;
        case 1:
            sheet.setCell(1, r, "1");
            sheet.setCell(6, r, "-20");
            break;
        case 2:
            sheet.setCell(1, r, "var" + std::to_string(r));
            sheet.setCell(2, r, "x");
            break;
        default:
            break;
        }
    }
}

void repaint() {
    Form3->sheetView->viewport()->repaint();
}

void BM_repaintTop(benchmark::State& state) {
    Form3->sheetView->scrollToTop();
    for (auto _ : state)
        repaint();
}

void BM_repaintBottom(benchmark::State& state) {
    Form3->sheetView->scrollToBottom();
    for (auto _ : state)
        repaint();
}

void BM_showSheet(benchmark::State& state) {
    for (auto _ : state) {
        Form3->placeSheet(nullptr, SheetPlacement::Shown);
        Form3->placeSheet(bigItem, SheetPlacement::Shown);
        QApplication::processEvents();
    }
}

BENCHMARK(BM_repaintTop)->Apply(reportFastest);
BENCHMARK(BM_repaintBottom)->Apply(reportFastest);
BENCHMARK(BM_showSheet)->Apply(reportFastest);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QDir::setCurrent(QStringLiteral(HAKONIWA_SOURCE_DIR)); // dat/ lies there
    createWindows();
    Form1->isLoading = true;
    Form2->addItm(*Form1->project.activeScene());
    Form1->isLoading = false;
    bigItem = Form2->newItm;
    fillSheet(bigItem->sheet);
    Form3->resize(1000, 700);
    Form3->placeSheet(bigItem, SheetPlacement::Shown);
    QApplication::processEvents();
    const QWidget* viewport = Form3->sheetView->viewport();
    if (!viewport->isVisible() || Form3->sheetView->rowAt(viewport->height() - 1) < 10) {
        std::fprintf(stderr, "the sheet is not on show\n");
        return 1;
    }
    std::printf("view %dx%d, rows 0 to %d on show\n", viewport->width(), viewport->height(),
                Form3->sheetView->rowAt(viewport->height() - 1));
    benchmark::Initialize(&argc, argv);
    FastestTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("sheet of %d rows: repaint %.2f ms at the top, %.2f ms at the bottom; "
                "showing it %.2f ms\n",
                kRows, reporter.times["BM_repaintTop"], reporter.times["BM_repaintBottom"],
                reporter.times["BM_showSheet"]);
    benchmark::Shutdown();
    destroyWindows();
    return 0;
}
