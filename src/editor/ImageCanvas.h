#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// An image control: a widget that shows a back-buffer image of its own size, in the screen's
// pixels (at its device pixel ratio), and reports its mouse events in its own coordinates.
// Whatever is drawn on the image stays until it is drawn over; when the widget grows, the
// old picture stays in the top-left corner.
// A press gives it the keyboard focus; the keys it receives pass on to its parents.
class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ImageCanvas(QWidget* parent = nullptr);

    // The back buffer, first brought to the widget's size (a hidden widget learns its size
    // late, so the buffer follows it here rather than only on resize events).
    QImage& image();
    // Shows what was drawn on the image.
    void refresh() { update(); }

    // Drawing state that carries over from one drawing to the next (see CanvasPainter).
    QColor penColor = Qt::black;
    int penWidth = 1;
    QColor brushColor = Qt::white;

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void mouseMoved(Qt::KeyboardModifiers shift, int x, int y);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    // A left double-click, reported in place of its second press.
    void doubleClicked();
    // The widget changed size; what lay outside the old buffer has not been drawn yet.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void fitBufferToWidget();

    QImage image_;
};
