#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "handles/Unit5.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>

namespace {

void sendMouse(QWidget* window, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    QMouseEvent event(type, at, window->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

} // namespace

using HandleWindows = WindowsFixture;

TEST_F(HandleWindows, MainWindowMakesFiveAsTheGridNeedsThem) {
    const QStringList titles = {QStringLiteral("+左上"), "+0", "+1", "WWWinCur", "WWWinCur"};
    const bool shown[] = {false, true, true, true, false};
    for (int i = 0; i < 5; ++i) {
        TWWWinCur* window = Form1->curWin[i];
        EXPECT_EQ(window->size(), QSize(31, 31)) << i;
        EXPECT_EQ(window->windowTitle(), titles[i]) << i;
        EXPECT_EQ(window->isHidden(), !shown[i]) << i;
        EXPECT_EQ(window->windowType(), Qt::Tool) << i; // no taskbar entry of its own
        EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_NEAR(window->windowOpacity(), 200.0 / 255.0, 0.01);
        if (i > 0)
            EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0, 0, 255)) << i;
    }
    EXPECT_TRUE(Form1->curWin[1]->bmpFile.endsWith("cur01.bmp"));
    EXPECT_TRUE(Form1->curWin[2]->bmpFile.endsWith("cur01.bmp"));
    EXPECT_TRUE(Form1->curWin[3]->bmpFile.endsWith("cur02.bmp"));
    // The stand-alone one has no bitmap: design size, no shape, nothing shown.
    EXPECT_EQ(WWWinCur->size(), QSize(688, 446));
    EXPECT_TRUE(WWWinCur->mask().isEmpty());
    EXPECT_TRUE(WWWinCur->picture.isNull());
    EXPECT_TRUE(WWWinCur->isHidden());
    const TWWWinCur missing(nullptr, scratch.filePath("dat/img/none.bmp"));
    EXPECT_EQ(missing.size(), QSize(688, 446));
    EXPECT_TRUE(missing.mask().isEmpty());
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(HandleWindows, ShapeIsTheBitmapWithoutItsBlackPixels) {
    const QRegion shape = Form1->curWin[1]->mask();
    EXPECT_TRUE(shape.contains(QPoint(15, 15)));
    EXPECT_TRUE(shape.contains(QPoint(2, 15)));
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));

    QImage row(10, 1, QImage::Format_RGB888);
    row.fill(Qt::white);
    row.setPixelColor(3, 0, Qt::black);
    EXPECT_EQ(TWWWinCur::shapeRgn(row), QRegion(0, 0, 3, 1) + QRegion(4, 0, 6, 1));

    QImage black(8, 8, QImage::Format_RGB888);
    black.fill(Qt::black);
    const QRegion nothing = TWWWinCur::shapeRgn(black);
    EXPECT_FALSE(nothing.isEmpty()); // an empty mask would show the whole window
    EXPECT_FALSE(nothing.intersects(QRect(0, 0, 8, 8)));
}

TEST_F(HandleWindows, ComeOntoTheScreenWhenShownPastItsEdge) {
    TWWWinCur* window = Form1->curWin[1];
    const QRect area = window->screen()->availableGeometry();
    window->hide();
    window->move(area.right() + 100, area.bottom() + 100);
    window->show();
    EXPECT_EQ(window->pos(),
              QPoint(area.right() + 1 - window->width(), area.bottom() + 1 - window->height()));
    window->move(area.left() + 10, area.top() + 20); // a position on the screen is kept
    window->hide();
    window->show();
    EXPECT_EQ(window->pos(), QPoint(area.left() + 10, area.top() + 20));
}

TEST_F(HandleWindows, LeftDragKeepsTheGrabbedPointUnderThePointer) {
    TWWWinCur* window = Form1->curWin[1];
    window->move(40, 50);
    sendMouse(window, QEvent::MouseButtonPress, Qt::RightButton, QPoint(5, 7));
    pointer->at = QPoint(300, 200);
    sendMouse(window, QEvent::MouseMove, Qt::RightButton, QPoint(6, 8));
    EXPECT_EQ(window->pos(), QPoint(40, 50));
    sendMouse(window, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(6, 8));

    sendMouse(window, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 7));
    sendMouse(window, QEvent::MouseMove, Qt::LeftButton, QPoint(6, 8));
    EXPECT_EQ(window->pos(), QPoint(295, 193));
    sendMouse(window, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(6, 8));
    pointer->at = QPoint(500, 500);
    sendMouse(window, QEvent::MouseMove, Qt::NoButton, QPoint(6, 8));
    EXPECT_EQ(window->pos(), QPoint(295, 193));
}
