#include "handles/Unit5.h"

#include "app/Guarded.h"
#include "model/BitmapShape.h"
#include "platform/Pointer.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <vector>

TWWWinCur* WWWinCur = nullptr;

namespace {

constexpr int kDesignWidth = 688;
constexpr int kDesignHeight = 446;
constexpr double kOpacity = 200.0 / 255.0;

} // namespace

// A tool window: the desktop lists it under no taskbar entry of its own.
TWWWinCur::TWWWinCur(QWidget* owner, const QString& path)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), bmpFile(path) {
    setWindowTitle(QStringLiteral("WWWinCur"));
    setWindowOpacity(kOpacity);
    resize(kDesignWidth, kDesignHeight);
    FormCreate();
}

void TWWWinCur::FormCreate() {
    try {
        QImage loaded;
        if (bmpFile.isEmpty() || !loaded.load(bmpFile))
            return; // no message: the window keeps its design size and no shape
        picture = loaded;
        resize(picture.size());
        setMask(shapeRgn(picture));
        update();
    } catch (...) {
        // Same as a missing bitmap: a handle window never reports anything.
    }
}

QRegion TWWWinCur::shapeRgn(const QImage& bitmap) {
    const QImage pixels = bitmap.convertToFormat(QImage::Format_RGB888);
    const std::vector<hakoniwa::PixelRun> runs = hakoniwa::BitmapShape::runs(
        pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine());
    if (runs.empty()) {
        // An empty region would mean "no mask", showing the whole window; a pixel outside
        // the window shapes it to nothing instead.
        return QRegion(-1, -1, 1, 1);
    }
    std::vector<QRect> rects;
    rects.reserve(runs.size());
    for (const hakoniwa::PixelRun& run : runs)
        rects.emplace_back(run.left, run.y, run.right - run.left, 1);
    // The runs are sorted by row, then column, never touch within a row and are all one
    // pixel high: exactly the banded form the region takes directly.
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

void TWWWinCur::setColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
    setAutoFillBackground(true);
}

void TWWWinCur::FormPaint() {
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

void TWWWinCur::FormMouseDown(Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton)
        return;
    dragging = 1;
    grabX = x;
    grabY = y;
}

void TWWWinCur::FormMouseMove() {
    if (dragging != 1)
        return;
    // The grabbed point stays under the pointer.
    const QPoint pointer = hakoniwa::Pointer::current().position();
    move(pointer.x() - grabX, pointer.y() - grabY);
}

void TWWWinCur::FormMouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        dragging = 0;
}

void TWWWinCur::paintEvent(QPaintEvent*) {
    reported([&] { FormPaint(); });
}

void TWWWinCur::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    reported([&] { FormMouseDown(event->button(), at.x(), at.y()); });
}

void TWWWinCur::mouseMoveEvent(QMouseEvent*) {
    reported([&] { FormMouseMove(); });
}

void TWWWinCur::mouseReleaseEvent(QMouseEvent* event) {
    reported([&] { FormMouseUp(event->button()); });
}

void TWWWinCur::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reported([&] { keepOnScreen(); });
}

void TWWWinCur::keepOnScreen() {
    // On a small or scaled screen the start position may lie past its edge, where the user
    // could never grab the window; it comes in as far as needed, no further.
    const QScreen* shown = QGuiApplication::screenAt(geometry().center());
    if (!shown)
        shown = screen();
    if (!shown)
        return;
    const QRect area = shown->availableGeometry();
    const int left = std::max(area.left(), std::min(x(), area.right() + 1 - width()));
    const int top = std::max(area.top(), std::min(y(), area.bottom() + 1 - height()));
    if (left != x() || top != y())
        move(left, top);
}

void TWWWinCur::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit moved();
}
