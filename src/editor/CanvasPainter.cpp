#include "editor/CanvasPainter.h"

#include "editor/ImageCanvas.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// A stroked QRect covers one pixel more than its size to the right and below.
QRect strokedRect(const hakoniwa::CanvasRect& rect) {
    return QRect(rect.left, rect.top, rect.width() - 1, rect.height() - 1);
}

} // namespace

QColor buttonFaceColor() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
}

QColor colorFromValue(std::int32_t value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

CanvasPainter::CanvasPainter(ImageCanvas& canvas)
    : canvas_(canvas), painter_(&canvas.image()), metrics_(canvas.font(), &canvas.image()) {
    painter_.setFont(canvas.font());
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(canvas_.brushColor);
    applyPen();
}

CanvasPainter::~CanvasPainter() {
    painter_.end();
    canvas_.refresh();
}

void CanvasPainter::applyPen() {
    painter_.setPen(
        QPen(canvas_.penColor, canvas_.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void CanvasPainter::setPenColor(const QColor& color) {
    canvas_.penColor = color;
    applyPen();
}

void CanvasPainter::setPenWidth(int width) {
    canvas_.penWidth = width;
    applyPen();
}

void CanvasPainter::setBrushColor(const QColor& color) {
    canvas_.brushColor = color;
    painter_.setBrush(color);
}

void CanvasPainter::clear() {
    painter_.fillRect(canvas_.rect(), canvas_.brushColor); // in the drawing's coordinates
}

void CanvasPainter::box(const hakoniwa::CanvasRect& rect) {
    const int w = rect.width(), h = rect.height();
    painter_.fillRect(QRect(rect.left + 1, rect.top + 1, w - 2, h - 2), canvas_.brushColor);
    const QColor& outline = canvas_.penColor;
    painter_.fillRect(QRect(rect.left + 1, rect.top, w - 2, 1), outline);
    painter_.fillRect(QRect(rect.left + 1, rect.bottom - 1, w - 2, 1), outline);
    painter_.fillRect(QRect(rect.left, rect.top + 1, 1, h - 2), outline);
    painter_.fillRect(QRect(rect.right - 1, rect.top + 1, 1, h - 2), outline);
}

void CanvasPainter::ellipse(const hakoniwa::CanvasRect& rect) {
    painter_.drawEllipse(strokedRect(rect));
}

void CanvasPainter::polyline(std::initializer_list<hakoniwa::CanvasPoint> points) {
    QPolygon polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const hakoniwa::CanvasPoint& point : points)
        polygon << QPoint(point.x, point.y);
    painter_.drawPolyline(polygon);
}

void CanvasPainter::textOut(hakoniwa::CanvasPoint origin, const QString& text, int width) {
    const QRect box(origin.x, origin.y, width, metrics_.height());
    painter_.fillRect(box, canvas_.brushColor);
    painter_.setPen(Qt::black);
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    applyPen();
}

void CanvasPainter::stretchDraw(const hakoniwa::CanvasRect& rect, const QImage& image) {
    painter_.drawImage(QRect(rect.left, rect.top, rect.width(), rect.height()), image);
}

int CanvasPainter::textWidth(const QString& text) const {
    return metrics_.horizontalAdvance(text);
}
