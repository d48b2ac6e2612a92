#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "handles/Unit5.h"

#include <QComboBox>
#include <QLabel>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

namespace {

hakoniwa::Item& addItem(int x, int y) {
    Form2->downX = x;
    Form2->downY = y;
    Form2->addItm(*Form1->project.activeScene());
    Form2->newItm->sheet.setCell(4, 1, "box");
    Form2->newItm->sheet.setRowCount(4);
    return *Form2->newItm;
}

void move(int x, int y) {
    Form1->img1MouseMove(Qt::NoModifier, x, y);
}

void pressCell(Qt::MouseButton button, int column, int row) {
    SheetView* view = Form3->sheetView;
    const QPoint at = view->visualRect(view->sheetModel()->index(row, column)).center();
    QTest::mouseClick(view->viewport(), button, {}, at);
}

} // namespace

using ShownSheet = WindowsFixture;

TEST_F(ShownSheet, StaysAcrossEmptyCanvasUntilAnotherItemOrSceneIsShown) {
    hakoniwa::Item& first = addItem(20, 20);
    hakoniwa::Item& second = addItem(200, 150);
    Form3->refreshSheet();
    move(22, 22);
    ASSERT_EQ(Form3->shownItem(), &first);

    // On the way to the details window the pointer leaves the item: it is no longer current,
    // but its sheet stays and takes presses.
    move(150, 280);
    EXPECT_EQ(Form2->curItm, nullptr);
    EXPECT_EQ(Form3->shownItem(), &first);
    pressCell(Qt::LeftButton, 0, 2);
    EXPECT_EQ(Form3->selRow, 2);
    EXPECT_EQ(Form3->Label1->text(), QStringLiteral("選択行1"));
    pressCell(Qt::RightButton, 1, 3);
    EXPECT_TRUE(Form3->cbMOl->isVisible());
    QTest::keyClick(Form3->cbMOl, Qt::Key_Return);
    EXPECT_EQ(first.sheet.cell(1, 3), "-1");

    move(202, 152);
    EXPECT_EQ(Form3->shownItem(), &second);

    // Another scene has none of this scene's items to show.
    Form1->Button1Click();
    EXPECT_EQ(Form3->shownItem(), &second); // adding a scene does not switch to it
    Form1->pcScene->setCurrentIndex(1);
    EXPECT_EQ(Form3->shownItem(), nullptr);
}

TEST_F(ShownSheet, PositionGridDoubleClickFillsTheSelectedArgumentPair) {
    hakoniwa::Item& item = addItem(20, 20);
    Form3->refreshSheet();
    Form1->curWin[3]->move(100, 100);
    Form1->curWin[1]->move(150, 120);
    Form1->curWin[2]->move(90, 300);
    Form1->Timer1Timer();
    QTableWidget* grid = Form1->sgPos;
    const auto doubleClickRow = [grid](int row) {
        const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    };

    // Column 2 holds the instruction, not an argument: nothing is written.
    pressCell(Qt::LeftButton, 2, 2);
    const int stepsBefore = Form1->undoStack->count();
    doubleClickRow(1);
    EXPECT_EQ(item.sheet.cell(2, 2), "");
    EXPECT_EQ(Form1->undoStack->count(), stepsBefore);

    pressCell(Qt::LeftButton, 3, 2);
    doubleClickRow(3); // p2-p1
    EXPECT_EQ(item.sheet.cell(3, 2), "-60");
    EXPECT_EQ(item.sheet.cell(4, 2), "180");
    const QAbstractItemModel* shown = Form3->sheetView->sheetModel();
    EXPECT_EQ(shown->data(shown->index(2, 4)).toString(), QStringLiteral("180"));
    EXPECT_EQ(Form1->undoStack->count(), stepsBefore + 1);
    Form1->undoStack->undo();
    EXPECT_EQ(item.sheet.cell(3, 2), "");
    EXPECT_EQ(item.sheet.cell(4, 2), "");

    // The y of a jump row's last argument would land on a link handle: nothing is written.
    item.sheet.setCell(1, 3, "1");
    item.sheet.setCell(6, 3, "-20");
    Form3->refreshSheet();
    pressCell(Qt::LeftButton, 5, 3);
    doubleClickRow(1);
    EXPECT_EQ(item.sheet.cell(5, 3), "");
    EXPECT_EQ(item.sheet.cell(6, 3), "-20");
}
