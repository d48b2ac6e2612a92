// TForm2's drawing of the active scene on the main window's canvas.
#include "editor/Unit2.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "editor/CanvasPainter.h"
#include "editor/ImageCanvas.h"
#include "model/DiagramGeometry.h"
#include "platform/Cp932Codec.h"

using hakoniwa::CanvasPoint;

namespace {

constexpr int kLinkWidth = 2;

} // namespace

void TForm2::dspAllItm() {
    guarded(handler("TForm2::dspAllItm"), [&] {
        CanvasPainter canvas(*Form1->img1);
        if (const hakoniwa::Scene* scene = Form1->project.activeScene()) {
            canvas.clear();
            drawLinks(canvas, *scene);
            drawBoxes(canvas, *scene);
        }
        canvas.setPenColor(Qt::black);
    });
}

// Start lines, links and call icons of every item, in item order, so that the boxes drawn
// afterwards lie over them.
void TForm2::drawLinks(CanvasPainter& canvas, const hakoniwa::Scene& scene) {
    const int items = scene.itemCount();
    for (int i = 0; i < items; ++i) {
        const hakoniwa::Item& item = scene.item(i);
        if (hakoniwa::isStartItem(item))
            drawLinkLine(canvas, nullptr, item, -1);
        for (int row = hakoniwa::ItemSheet::kFirstCommandRow; row < item.sheet.rowCount(); ++row) {
            const hakoniwa::RowMark mark = hakoniwa::rowMark(item.sheet, row, items);
            if (mark.kind == hakoniwa::RowMark::Kind::Link)
                drawLinkLine(canvas, &item, scene.item(mark.targetIndex), row);
            else if (mark.kind == hakoniwa::RowMark::Kind::CallIcon)
                canvas.stretchDraw(hakoniwa::callIconRect(hakoniwa::itemAnchor(item)), imgCl);
        }
    }
}

void TForm2::drawBoxes(CanvasPainter& canvas, const hakoniwa::Scene& scene) {
    for (int i = 0; i < scene.itemCount(); ++i) {
        const hakoniwa::Item& item = scene.item(i);
        const CanvasPoint anchor = hakoniwa::itemAnchor(item);
        canvas.setPenColor(&item == selItm ? Qt::red : Qt::black);
        drawItmBox(canvas, anchor.x, anchor.y, item.displayText(), hakoniwa::itemColour(item));
    }
}

void TForm2::drawItmBox(CanvasPainter& canvas, int x, int y, std::string_view text, int colour) {
    if (colour != hakoniwa::kNoColour)
        canvas.setBrushColor(colorFromValue(colour));
    const QString shown = hakoniwa::toQt(text);
    const int width = canvas.textWidth(shown);
    canvas.box(hakoniwa::boxRect({x, y}, width));
    canvas.textOut(hakoniwa::textOrigin({x, y}), shown, width);
    // Boxes without a colour of their own, and the next clear, use the button face.
    canvas.setBrushColor(buttonFaceColor());
}

void TForm2::drawLinkLine(CanvasPainter& canvas, const hakoniwa::Item* from,
                          const hakoniwa::Item& to, int row) {
    guarded(handler("TForm2::drawLinkLine"), [&] {
        const std::int32_t colour = from ? hakoniwa::itemColour(*from) : hakoniwa::kNoColour;
        canvas.setPenColor(colour == hakoniwa::kNoColour ? QColor(Qt::black)
                                                         : colorFromValue(colour));
        canvas.setPenWidth(kLinkWidth);
        const hakoniwa::LinkPath path =
            from ? hakoniwa::linkPath(*from, to, row) : hakoniwa::startLinePath(to);
        canvas.polyline({path.start, path.bend, path.end});
        canvas.setPenColor(Qt::black);
        // The current item's handles show; with no current item, the start lines' do.
        if (from == curItm) {
            canvas.setPenWidth(1);
            canvas.ellipse(hakoniwa::handleCircle(path.start));
            canvas.ellipse(hakoniwa::handleCircle(path.bend));
            canvas.setPenWidth(kLinkWidth);
        }
        if (from == &to)
            canvas.stretchDraw(hakoniwa::selfIconRect(hakoniwa::itemAnchor(to)), imgSlf);
        canvas.setPenWidth(1);
    });
}
