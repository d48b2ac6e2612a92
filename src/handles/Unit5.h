#pragma once

#include <QString>
#include <QWidget>

// A handle window: a small borderless, always-on-top window shaped after its bitmap, which
// the user drags over the screen to measure positions.
class TWWWinCur : public QWidget {
    Q_OBJECT
public:
    // An empty path gives a window of the design size with no picture and no shape.
    TWWWinCur(QWidget* owner, const QString& path);

    QString bmpFile;
    int dragging = 0;
    int grabX = 0, grabY = 0;

    // Loads the bitmap and shapes the window; a missing bitmap is silently left out.
    void FormCreate();
};

// The stand-alone handle window of start-up, set before its construction runs.
extern TWWWinCur* WWWinCur;
