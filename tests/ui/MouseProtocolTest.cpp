#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <QTest>

namespace {

hakoniwa::Scene& scene() {
    return *Form1->project.activeScene();
}

// An item added the way the canvas adds one, at (x, y), with a label.
hakoniwa::Item& addItem(int x, int y, const char* label) {
    Form2->downX = x;
    Form2->downY = y;
    Form2->addItm(scene());
    Form2->newItm->sheet.setCell(4, 1, label);
    return *Form2->newItm;
}

int labelWidth(const char* label) {
    return QFontMetrics(Form1->img1->font(), &Form1->img1->image()).horizontalAdvance(label);
}

void move(int x, int y) {
    Form1->img1MouseMove(Qt::NoModifier, x, y);
}
void press(Qt::MouseButton button, int x, int y) {
    Form1->img1MouseDown(button, Qt::NoModifier, x, y);
}
void release(Qt::MouseButton button, int x, int y) {
    Form1->img1MouseUp(button, Qt::NoModifier, x, y);
}
void drag(Qt::MouseButton button, int fromX, int fromY, int toX, int toY) {
    move(fromX, fromY);
    press(button, fromX, fromY);
    move(toX, toY);
    release(button, toX, toY);
}
// The canvas reports a left double-click in place of its second press.
void doubleClick(int x, int y) {
    move(x, y);
    press(Qt::LeftButton, x, y);
    release(Qt::LeftButton, x, y);
    Form1->img1DblClick();
    release(Qt::LeftButton, x, y);
}

// Real events on the main window's canvas, as the toolkit delivers them. A move with no button
// held is sent directly: the test pointer never crosses a shown window.
void pointAt(QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, Form1->img1->mapToGlobal(at), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Form1->img1, &event);
}
// Pointing, press, release, the double-click, and its release unless the test goes on holding.
void realDoubleClick(Qt::MouseButton button, QPoint at, bool release = true) {
    pointAt(at);
    QTest::mousePress(Form1->img1, button, {}, at);
    QTest::mouseRelease(Form1->img1, button, {}, at);
    QTest::mouseDClick(Form1->img1, button, {}, at);
    if (release)
        QTest::mouseRelease(Form1->img1, button, {}, at);
}

// Adds a scene and makes it the active one, as a click on its tab does.
void openNewScene() {
    Form1->Button1Click();
    Form1->pcScene->setCurrentIndex(Form1->pcScene->count() - 1);
    ASSERT_EQ(Form1->project.activeIndex(), Form1->project.sceneCount() - 1);
}

} // namespace

using MouseProtocol = WindowsFixture;

TEST_F(MouseProtocol, HoverMakesTheItemUnderThePointerCurrentInsideItsBoxEdges) {
    hakoniwa::Item& a = addItem(100, 100, "abc");
    addItem(200, 100, "def");
    const int w = labelWidth("abc");

    move(96, 110); // on the left edge x - 4
    EXPECT_EQ(Form2->curItm, nullptr);
    EXPECT_EQ(Form2->windowTitle(), QStringLiteral("エディタ x=96,y=110"));
    move(97, 110);
    EXPECT_EQ(Form2->curItm, &a);
    EXPECT_EQ(Form3->shownItem(), &a);
    move(100 + w + 4, 110); // on the right edge; the sheet stays on show
    EXPECT_EQ(Form2->curItm, nullptr);
    EXPECT_EQ(Form3->shownItem(), &a);
    move(100 + w + 3, 115);
    EXPECT_EQ(Form2->curItm, &a);
    move(100 + w / 2, 116); // bottom edge y + 16
    EXPECT_EQ(Form2->curItm, nullptr);

    // A new scene without items: the item of the first scene stops being current.
    move(100, 100);
    openNewScene();
    move(100, 100);
    EXPECT_EQ(Form2->curItm, nullptr);
    EXPECT_EQ(Form3->shownItem(), nullptr);

    // With no scene the caption still follows the pointer.
    Form1->clrAllScene();
    move(5, 6);
    EXPECT_EQ(Form2->windowTitle(), QStringLiteral("エディタ x=5,y=6"));
}

TEST_F(MouseProtocol, HoverFollowsALabelChangeAndTheCanvasFont) {
    hakoniwa::Item& a = addItem(100, 100, "ab");
    const int beyondShortLabel = 100 + labelWidth("ab") + 6;
    move(beyondShortLabel, 110);
    EXPECT_EQ(Form2->curItm, nullptr);
    a.sheet.setCell(4, 1, "abcdefgh");
    move(beyondShortLabel, 110);
    EXPECT_EQ(Form2->curItm, &a);

    // A larger canvas font widens the box as drawn.
    const QFont font = Form1->img1->font();
    const int farRight = 100 + labelWidth("abcdefgh") + 10;
    move(farRight, 110);
    EXPECT_EQ(Form2->curItm, nullptr);
    QFont larger = font;
    larger.setPixelSize(3 * QFontMetrics(font).height());
    Form1->img1->setFont(larger);
    move(farRight, 110);
    EXPECT_EQ(Form2->curItm, &a);
    Form1->img1->setFont(font);
}

TEST_F(MouseProtocol, LeftDragMovesTheItemAndAPressOnEmptyCanvasKeepsTheSelection) {
    hakoniwa::Item& a = addItem(100, 100, "abc");
    drag(Qt::LeftButton, 105, 108, 155, 98);
    EXPECT_EQ(Form2->selItm, &a);
    EXPECT_EQ(a.sheet.cell(1, 1), "150");
    EXPECT_EQ(a.sheet.cell(2, 1), "90");
    EXPECT_EQ(Form2->lBtnDown, 0);

    drag(Qt::LeftButton, 300, 250, 320, 260);
    EXPECT_EQ(Form2->selItm, &a);
    EXPECT_EQ(a.sheet.cell(1, 1), "150");
    EXPECT_EQ(a.sheet.cell(2, 1), "90");
}

TEST_F(MouseProtocol, ADraggedItemStopsAtTheCanvasTopAndLeftEdges) {
    hakoniwa::Item& a = addItem(30, 40, "abc");
    drag(Qt::LeftButton, 35, 45, -20, 95);
    EXPECT_EQ(a.sheet.cell(1, 1), "0");
    EXPECT_EQ(a.sheet.cell(2, 1), "90");
    drag(Qt::LeftButton, 5, 95, 60, -30);
    EXPECT_EQ(a.sheet.cell(1, 1), "55");
    EXPECT_EQ(a.sheet.cell(2, 1), "0");
}

TEST_F(MouseProtocol, TheTopmostItemUnderThePointerIsTheOneHit) {
    hakoniwa::Item& under = addItem(100, 100, "abc");
    hakoniwa::Item& over = addItem(100, 100, "abc");
    over.sheet.setCell(2, 2, "over");
    hakoniwa::Item& other = addItem(300, 100, "x");
    move(105, 105);
    EXPECT_EQ(Form2->curItm, &over);
    EXPECT_EQ(Form3->shownItem(), &over);
    move(50, 50);
    EXPECT_EQ(Form2->curItm, nullptr);
    EXPECT_EQ(Form3->shownItem(), &over);

    drag(Qt::RightButton, 305, 105, 105, 105); // released over both: links to the one on top
    EXPECT_EQ(other.sheet.cell(1, other.sheet.rowCount() - 1), "2");

    doubleClick(105, 105);
    ASSERT_EQ(scene().itemCount(), 4);
    hakoniwa::Item& copy = scene().item(3);
    EXPECT_EQ(copy.sheet.cell(2, 2), "over");
    drag(Qt::LeftButton, 105, 105, 155, 165); // the copy lies over both and is the one moved
    EXPECT_EQ(copy.sheet.cell(1, 1), "155");
    EXPECT_EQ(copy.sheet.cell(2, 1), "165");
    EXPECT_EQ(over.sheet.cell(1, 1), "100");
    EXPECT_EQ(under.sheet.cell(1, 1), "100");
}

TEST_F(MouseProtocol, RightDragFromItemToItemAppendsAJumpRow) {
    hakoniwa::Item& a = addItem(50, 50, "a");
    hakoniwa::Item& b = addItem(250, 50, "b");
    const int rows = a.sheet.rowCount();

    drag(Qt::RightButton, 55, 55, 255, 55);
    ASSERT_EQ(a.sheet.rowCount(), rows + 1);
    EXPECT_EQ(a.sheet.cell(1, rows), "2");
    EXPECT_EQ(a.sheet.cell(2, rows), Form3->definitions.components.back());
    for (int column : {6, 7, 8, 9})
        EXPECT_EQ(a.sheet.cell(column, rows), "-20");
    EXPECT_EQ(a.sheet.cell(3, rows), "");
    EXPECT_EQ(Form2->rBtnDown, 0);

    // Pressed again where the last drag ended, without a move: the link starts at b, the item
    // under the press, not at a, the item last pointed at.
    press(Qt::RightButton, 255, 55);
    move(150, 200);
    move(255, 56);
    release(Qt::RightButton, 255, 56);
    ASSERT_EQ(a.sheet.rowCount(), rows + 1);
    EXPECT_EQ(b.sheet.cell(1, b.sheet.rowCount() - 1), "2"); // b's jump to itself

    // From empty canvas, or to empty canvas: nothing.
    const int bRows = b.sheet.rowCount();
    drag(Qt::RightButton, 150, 200, 55, 55);
    drag(Qt::RightButton, 255, 55, 150, 200);
    EXPECT_EQ(a.sheet.rowCount(), rows + 1);
    EXPECT_EQ(b.sheet.rowCount(), bRows);
}

TEST_F(MouseProtocol, DraggingAHandleMovesOnlyTheSelectedItemsLink) {
    hakoniwa::Item& a = addItem(100, 100, "a");
    hakoniwa::Item& b = addItem(300, 100, "b");
    drag(Qt::RightButton, 105, 105, 305, 105); // row 5: handles at (80,80) and (280,80)
    move(105, 105);
    press(Qt::LeftButton, 105, 105); // select a
    release(Qt::LeftButton, 105, 105);

    drag(Qt::LeftButton, 285, 85, 295, 65); // grab the end handle, move it by (10,-20)
    EXPECT_EQ(a.sheet.cell(8, 5), "-10");
    EXPECT_EQ(a.sheet.cell(9, 5), "-40");
    EXPECT_EQ(a.sheet.cell(6, 5), "-20");
    EXPECT_EQ(Form2->selItm, &a);

    // An item standing where a's start handle is: pressing on it selects it and moves it,
    // and the handle rows found for a are not written into its sheet.
    hakoniwa::Item& c = addItem(80, 80, "c");
    const int cRows = c.sheet.rowCount();
    drag(Qt::LeftButton, 82, 82, 92, 92);
    EXPECT_EQ(Form2->selItm, &c);
    EXPECT_EQ(c.sheet.cell(1, 1), "90");
    EXPECT_EQ(c.sheet.rowCount(), cRows);
    EXPECT_EQ(c.sheet.cell(6, 5), "");
    EXPECT_EQ(a.sheet.cell(6, 5), "-20");
    EXPECT_EQ(b.sheet.rowCount(), 5);
}

TEST_F(MouseProtocol, DoubleClickAddsAnEmptyItemOrACopyOfTheItemUnderThePointer) {
    doubleClick(60, 70);
    ASSERT_EQ(scene().itemCount(), 1);
    hakoniwa::Item& first = scene().item(0);
    EXPECT_EQ(first.sheet.cell(1, 1), "60");
    EXPECT_EQ(first.sheet.cell(2, 1), "70");

    first.sheet.setCell(4, 1, "start");
    first.sheet.setCell(5, 1, "0x000000FF");
    first.sheet.setCell(1, 2, "2"); // the scene "メイン" while there is one item
    first.sheet.setCell(2, 2, "call");
    doubleClick(65, 75);
    ASSERT_EQ(scene().itemCount(), 2);
    hakoniwa::Item& copy = scene().item(1);
    EXPECT_EQ(copy.nodeText, "itm1");
    EXPECT_EQ(copy.sheet.cell(0, 0), "itm1");
    EXPECT_EQ(copy.sheet.cell(1, 1), "65");
    EXPECT_EQ(copy.sheet.cell(2, 1), "75");
    EXPECT_EQ(copy.sheet.cell(3, 1), "1");
    EXPECT_EQ(copy.sheet.cell(4, 1), "start");
    EXPECT_EQ(copy.sheet.cell(2, 2), "call");
    // Both scene calls still name "メイン", now numbered after two items.
    EXPECT_EQ(first.sheet.cell(1, 2), "3");
    EXPECT_EQ(copy.sheet.cell(1, 2), "3");
    EXPECT_EQ(Form3->targets.entries.size(), 4u);

    // In a new scene, the item of the other scene is not copied.
    move(65, 75);
    openNewScene();
    doubleClick(65, 75);
    EXPECT_EQ(scene().item(0).sheet.cell(4, 1), "");
    EXPECT_EQ(scene().item(0).sheet.cell(2, 2), "");
}

TEST_F(MouseProtocol, OnlyALeftDoubleClickAddsAnItem) {
    realDoubleClick(Qt::RightButton, {150, 200});
    realDoubleClick(Qt::MiddleButton, {150, 200});
    EXPECT_EQ(scene().itemCount(), 0);

    // On an item a right double-click is two right clicks, each a jump of the item to itself.
    hakoniwa::Item& a = addItem(100, 100, "a");
    const int rows = a.sheet.rowCount();
    realDoubleClick(Qt::RightButton, {105, 105});
    EXPECT_EQ(scene().itemCount(), 1);
    ASSERT_EQ(a.sheet.rowCount(), rows + 2);
    EXPECT_EQ(a.sheet.cell(1, rows + 1), "1");
}

TEST_F(MouseProtocol, ALeftDoubleClickLeavesNothingSelectedOrGrabbed) {
    hakoniwa::Item& original = addItem(100, 100, "abc");
    realDoubleClick(Qt::LeftButton, {105, 105}, false);
    ASSERT_EQ(scene().itemCount(), 2);
    hakoniwa::Item& copy = scene().item(1);
    EXPECT_EQ(Form2->selItm, nullptr);
    EXPECT_EQ(Form2->curItm, &copy);
    EXPECT_EQ(Form3->shownItem(), &copy);

    // The button is still down from the double-click: moving on drags nothing.
    QTest::mouseMove(Form1->img1, {200, 180});
    QTest::mouseRelease(Form1->img1, Qt::LeftButton, {}, {200, 180});
    EXPECT_EQ(copy.sheet.cell(1, 1), "105");
    EXPECT_EQ(copy.sheet.cell(2, 1), "105");
    EXPECT_EQ(original.sheet.cell(1, 1), "100");
    EXPECT_EQ(Form2->selItm, nullptr);
}

TEST_F(MouseProtocol, APressOnTheCanvasTakesTheKeysFromTheSceneName) {
    Form1->show();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Form1->Edit1->setFocus();
    addItem(100, 100, "a");
    const QString caption = Form1->pcScene->tabText(0);
    Form3->hide();

    pointAt({105, 105});
    QTest::mouseClick(Form1->img1, Qt::LeftButton, {}, {105, 105});
    ASSERT_EQ(QApplication::focusWidget(), Form1->img1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Form1->pcScene->tabText(0), caption);
    EXPECT_TRUE(Form3->isVisible());
}

TEST_F(MouseProtocol, EnterOpensTheDetailsWindowOnlyWithASelection) {
    hakoniwa::Item& a = addItem(100, 100, "a");
    Form2->show();
    Form3->hide();
    Form1->FormKeyDown(Qt::Key_Return, Qt::NoModifier);
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_FALSE(Form3->isVisible());

    Form2->selItm = &a;
    Form1->FormKeyDown(Qt::Key_A, Qt::NoModifier);
    EXPECT_TRUE(Form2->isVisible());
    Form1->FormKeyDown(Qt::Key_Enter, Qt::NoModifier);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_TRUE(Form3->isVisible());
}
