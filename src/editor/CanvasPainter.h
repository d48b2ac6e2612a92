#pragma once

#include "model/DiagramGeometry.h"

#include <QFontMetrics>
#include <QPainter>

class ImageCanvas;

// The system's button-face colour: the fill a canvas returns to after every item box.
QColor buttonFaceColor();
// A colour value 0x00BBGGRR (red in the lowest byte); bits above the 24 are ignored.
QColor colorFromValue(std::int32_t value);

// Draws on an image control's back buffer for as long as it lives, then shows the result.
// Pen colour, pen width and brush colour belong to the canvas, so they carry over from one
// painter to the next. Shapes are drawn without smoothing and cover exactly the pixels of
// their rectangle, right and bottom edges excluded.
class CanvasPainter {
public:
    explicit CanvasPainter(ImageCanvas& canvas);
    ~CanvasPainter();
    CanvasPainter(const CanvasPainter&) = delete;
    CanvasPainter& operator=(const CanvasPainter&) = delete;

    void setPenColor(const QColor& color);
    void setPenWidth(int width);
    void setBrushColor(const QColor& color);

    // Fills the whole image with the brush colour.
    void clear();
    // An item box: outlined one pixel wide in the pen colour, filled with the brush, its
    // corners rounded by a 3 x 3 ellipse, which at this size cuts one pixel off each.
    void box(const hakoniwa::CanvasRect& rect);
    void ellipse(const hakoniwa::CanvasRect& rect);
    void polyline(std::initializer_list<hakoniwa::CanvasPoint> points);
    // Black text with its top-left corner at `origin`, on the brush colour; `width` is the
    // text's width as textWidth() measured it.
    void textOut(hakoniwa::CanvasPoint origin, const QString& text, int width);
    // Copies the whole image, scaled, into the rectangle.
    void stretchDraw(const hakoniwa::CanvasRect& rect, const QImage& image);

    // Width of the text in the canvas's font.
    int textWidth(const QString& text) const;

private:
    void applyPen();

    ImageCanvas& canvas_;
    QPainter painter_;
    QFontMetrics metrics_;
};
