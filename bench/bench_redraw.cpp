// Redraw of a large scene: 2,000 items and 4,000 links on a 1920 x 1080 canvas, timed
// through TForm2::dspAllItm and, for comparison, as a bare QPainter loop that draws the
// same primitives from geometry prepared in advance. Prints both and their ratio.
#include "RunTimes.h"
#include "app/Startup.h"
#include "app/Unit1.h"
#include "editor/CanvasPainter.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "model/DiagramGeometry.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kItems = 2000;
constexpr int kColumns = 50;
const QSize kCanvasSize(1920, 1080);

hakoniwa::Scene& activeScene() {
    return *Form1->project.activeScene();
}

void setLink(hakoniwa::Item& item, int row, int target, int dx, int dy) {
    item.sheet.setCell(1, row, std::to_string(target + 1));
    item.sheet.setCell(6, row, std::to_string(dx));
    item.sheet.setCell(7, row, std::to_string(dy));
    item.sheet.setCell(8, row, "-20");
    item.sheet.setCell(9, row, "-20");
}

// Items on a 50-column grid with Japanese labels, every third one coloured, each with two
// links: to its right neighbour and to the item a row below.
void fillScene() {
    Form1->isLoading = true; // no redraw per added item, as when a project is read
    hakoniwa::Scene& scene = activeScene();
    for (int i = 0; i < kItems; ++i) {
        Form2->downX = 20 + (i % kColumns) * 37;
        Form2->downY = 20 + (i / kColumns) * 26;
        Form2->addItm(scene);
        hakoniwa::ItemSheet& sheet = Form2->newItm->sheet;
        sheet.setCell(4, 1, hakoniwa::Cp932Codec::encode(QStringLiteral("項目%1").arg(i)));
        if (i % 3 == 0)
            sheet.setCell(5, 1, "0x0000C0FF");
    }
    for (int i = 0; i < kItems; ++i) {
        setLink(scene.item(i), 2, (i + 1) % kItems, 10, 0);
        setLink(scene.item(i), 3, (i + kColumns) % kItems, 0, 10);
    }
    Form1->isLoading = false;
    Form1->img1->resize(kCanvasSize);
}

void BM_dspAllItm(benchmark::State& state) {
    for (auto _ : state)
        Form2->dspAllItm();
    state.counters["items"] = kItems;
}

// What a redraw draws, with every position, colour, text and width worked out beforehand.
struct PreparedScene {
    struct Link {
        QPolygon points;
        QColor color;
    };
    struct Box {
        QRect outline;
        QColor fill;
        QPoint textAt;
        QString text;
        int textWidth;
    };
    std::vector<Link> links;
    std::vector<Box> boxes;
};

PreparedScene prepare() {
    PreparedScene prepared;
    const QFontMetrics metrics(Form1->img1->font());
    hakoniwa::Scene& scene = activeScene();
    for (int i = 0; i < scene.itemCount(); ++i) {
        const hakoniwa::Item& item = scene.item(i);
        const std::int32_t colour = hakoniwa::itemColour(item);
        const QColor color =
            colour == hakoniwa::kNoColour ? QColor(Qt::black) : colorFromValue(colour);
        for (int row = 2; row < item.sheet.rowCount(); ++row) {
            const hakoniwa::RowMark mark = hakoniwa::rowMark(item.sheet, row, kItems);
            if (mark.kind != hakoniwa::RowMark::Kind::Link)
                continue;
            const hakoniwa::LinkPath path =
                hakoniwa::linkPath(item, scene.item(mark.targetIndex), row);
            prepared.links.push_back(
                {QPolygon({QPoint(path.start.x, path.start.y), QPoint(path.bend.x, path.bend.y),
                           QPoint(path.end.x, path.end.y)}),
                 color});
        }
        const hakoniwa::CanvasPoint anchor = hakoniwa::itemAnchor(item);
        const QString text = hakoniwa::toQt(item.displayText());
        const int width = metrics.horizontalAdvance(text);
        const hakoniwa::CanvasRect box = hakoniwa::boxRect(anchor, width);
        prepared.boxes.push_back(
            {QRect(box.left, box.top, box.width(), box.height()),
             colour == hakoniwa::kNoColour ? buttonFaceColor() : colorFromValue(colour),
             QPoint(anchor.x + 2, anchor.y + 2), text, width});
    }
    return prepared;
}

void BM_bareQPainter(benchmark::State& state) {
    const PreparedScene prepared = prepare();
    QImage image(kCanvasSize, QImage::Format_RGB32);
    const QFont font = Form1->img1->font();
    const int textHeight = QFontMetrics(font).height();
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.fillRect(image.rect(), buttonFaceColor());
        for (const PreparedScene::Link& link : prepared.links) {
            painter.setPen(QPen(link.color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(link.points);
        }
        for (const PreparedScene::Box& box : prepared.boxes) {
            const QRect& r = box.outline;
            painter.fillRect(r.adjusted(1, 1, -1, -1), box.fill);
            painter.fillRect(QRect(r.left() + 1, r.top(), r.width() - 2, 1), Qt::black);
            painter.fillRect(QRect(r.left() + 1, r.bottom(), r.width() - 2, 1), Qt::black);
            painter.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), Qt::black);
            painter.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), Qt::black);
            const QRect textBox(box.textAt, QSize(box.textWidth, textHeight));
            painter.fillRect(textBox, box.fill);
            painter.setPen(Qt::black);
            painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, box.text);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_dspAllItm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_bareQPainter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QDir::setCurrent(QStringLiteral(HAKONIWA_SOURCE_DIR)); // dat/ lies there
    createWindows();
    fillScene();
    Form2->dspAllItm(); // a failed redraw would only set the caption and time nothing
    if (Form1->windowTitle() != QStringLiteral("システム")) {
        std::fprintf(stderr, "redraw failed: %s\n", qPrintable(Form1->windowTitle()));
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    RunTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double redraw = reporter.times["BM_dspAllItm"];
    const double bare = reporter.times["BM_bareQPainter"];
    if (redraw > 0 && bare > 0)
        std::printf("dspAllItm %.2f ms, bare QPainter %.2f ms, ratio %.2f\n", redraw, bare,
                    redraw / bare);
    benchmark::Shutdown();
    destroyWindows();
    return 0;
}
