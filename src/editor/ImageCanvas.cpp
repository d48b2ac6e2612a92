#include "editor/ImageCanvas.h"

#include <QMouseEvent>
#include <QPainter>

ImageCanvas::ImageCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true); // pointer moves are reported without a button held
    // A press takes the keyboard, so keys typed after pointing at the picture are the
    // picture's; it handles none itself, so they go on to the window that holds it.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(brushColor);
}

QImage& ImageCanvas::image() {
    fitBufferToWidget();
    return image_;
}

void ImageCanvas::fitBufferToWidget() {
    // The buffer has the screen's pixels, not the widget's: drawn at the device pixel ratio,
    // text and lines stay sharp on a scaled screen while the drawing keeps its coordinates.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if ((pixels == image_.size() && ratio == image_.devicePixelRatio()) || width() <= 0 ||
        height() <= 0)
        return;
    // New area gets the colour the next clear would use.
    QImage resized(pixels, QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    resized.fill(brushColor);
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = resized;
}

void ImageCanvas::paintEvent(QPaintEvent*) {
    fitBufferToWidget();
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void ImageCanvas::resizeEvent(QResizeEvent*) {
    fitBufferToWidget();
    emit resized();
}

bool ImageCanvas::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // On a screen of another scale the old picture would only be stretched: draw it anew.
    if (event->type() == QEvent::ScreenChangeInternal &&
        image_.devicePixelRatio() != devicePixelRatioF()) {
        fitBufferToWidget();
        emit resized();
    }
    return handled;
}

void ImageCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mousePressed(event->button(), event->modifiers(), at.x(), at.y());
}

void ImageCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(event->modifiers(), at.x(), at.y());
}

void ImageCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseReleased(event->button(), event->modifiers(), at.x(), at.y());
}

void ImageCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    // Only the left button double-clicks. Its second press is the double-click, which acts at
    // the position the first press recorded; reporting it as a press as well would select and
    // grab whatever the double-click just made. Any other button's double-click is just the
    // two presses it is made of.
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    else
        mousePressEvent(event);
}
