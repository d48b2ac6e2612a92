#include "handles/Unit5.h"

TWWWinCur* WWWinCur = nullptr;

TWWWinCur::TWWWinCur(QWidget* owner, const QString& path)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      bmpFile(path) {
    setWindowTitle(QStringLiteral("WWWinCur"));
    setWindowOpacity(200.0 / 255.0);
    resize(688, 446);
    FormCreate();
}

void TWWWinCur::FormCreate() {}
