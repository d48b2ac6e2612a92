#pragma once

#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>

// A handle window: a small borderless, always-on-top window shaped after its bitmap, which
// the user drags over the screen to measure positions.
class TWWWinCur : public QWidget {
    Q_OBJECT
public:
    // An empty path gives a window of the design size with no picture and no shape.
    TWWWinCur(QWidget* owner, const QString& path);

    QImage picture;
    QString bmpFile;
    int dragging = 0;
    int grabX = 0, grabY = 0;

    // Loads the bitmap and shapes the window; a missing bitmap is silently left out.
    void FormCreate();
    // The window's shape for a bitmap: the union of its runs of non-black pixels.
    static QRegion shapeRgn(const QImage& bitmap);
    // The colour behind the picture, seen where no bitmap could be loaded.
    void setColor(const QColor& color);

    void FormPaint();
    void FormMouseDown(Qt::MouseButton button, int x, int y);
    void FormMouseMove();
    void FormMouseUp(Qt::MouseButton button);
    // Moves the window wholly onto the screen it is on (or the screen it belongs to).
    void keepOnScreen();

signals:
    // The window's position changed, however it was moved.
    void moved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

// The stand-alone handle window of start-up, set before its construction runs.
extern TWWWinCur* WWWinCur;
