#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/ListWidgets.h"
#include "details/Settei.h"
#include "details/SheetView.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "platform/Cp932Codec.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

using hakoniwa::toQt;

namespace {

// Adds an item to the active scene at (x, y) the way a double-click does; its sheet shows.
hakoniwa::Item& addItem(int x, int y) {
    Form2->downX = x;
    Form2->downY = y;
    Form2->addItm(*Form1->project.activeScene());
    return *Form2->newItm;
}

// Marks each command row of the sheet with its own row number in column 2.
void numberRows(hakoniwa::ItemSheet& sheet, int rows) {
    sheet.setRowCount(rows);
    for (int r = 2; r < rows; ++r)
        sheet.setCell(2, r, "row" + std::to_string(r));
}

QString caption() {
    return Form1->windowTitle();
}

} // namespace

using DetailsCommands = WindowsFixture;

TEST_F(DetailsCommands, RowCommandsChangeTheSheetOnShowAndReportAMissingRow) {
    hakoniwa::Item& other = addItem(10, 10);
    hakoniwa::Item& shown = addItem(100, 10); // on show and current
    numberRows(other.sheet, 6);
    numberRows(shown.sheet, 6);
    Form2->selItm = &other; // selected, red outline, but not what the user is looking at

    Form3->selRow = 3;
    Form3->edRpn->setText(QStringLiteral("7"));
    Form3->N6Click(); // one copy; the typed count comes back
    EXPECT_EQ(Form3->edRpn->text(), QStringLiteral("7"));
    EXPECT_EQ(shown.sheet.rowCount(), 7);
    EXPECT_EQ(shown.sheet.cell(2, 4), "row3");
    Form3->selRow = 4;
    Form3->N3Click();
    EXPECT_EQ(shown.sheet.rowCount(), 6);
    EXPECT_EQ(shown.sheet.cell(2, 4), "row4");
    EXPECT_EQ(other.sheet.rowCount(), 6); // never touched out of sight
    EXPECT_EQ(other.sheet.cell(2, 3), "row3");

    Form3->selRow = 5;
    Form3->Button2Click();
    EXPECT_EQ(Form3->selRow, 4);
    EXPECT_EQ(Form3->Label1->text(), QStringLiteral("選択行3"));

    // A row copied from one sheet pastes into another; showing another sheet drops the row
    // selection, which belonged to the sheet it was made on.
    Form3->N8Click();
    Form3->placeSheet(&other, SheetPlacement::Shown);
    EXPECT_EQ(Form3->selRow, -1);
    Form3->selRow = 2;
    Form3->N9Click();
    EXPECT_EQ(other.sheet.cell(2, 2), "row5");
    EXPECT_FALSE(caption().contains(QStringLiteral("例外")));

    // With no row selected the sheet stays and the caption names the handler.
    Form3->selRow = -1;
    Form3->N6Click(); // reported under the insert it runs
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:688TForm3::N5Click *"));
    Form3->N8Click();
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:999TForm3::N8Click *"));
    EXPECT_TRUE(Form3->rowBuffer.empty());
    EXPECT_EQ(other.sheet.rowCount(), 6);

    Form3->placeSheet(nullptr, SheetPlacement::Shown); // with no sheet on show nothing happens
    Form1->setWindowTitle(QStringLiteral("システム"));
    Form3->selRow = 2;
    Form3->N11Click();
    Form3->N3Click();
    EXPECT_FALSE(caption().contains(QStringLiteral("例外")));
    EXPECT_EQ(other.sheet.rowCount(), 6);
    EXPECT_EQ(shown.sheet.rowCount(), 6);
}

TEST_F(DetailsCommands, PickWritesTheClickedEntryIntoThePressedCell) {
    hakoniwa::Item& first = addItem(10, 10);
    addItem(100, 10);
    addItem(200, 10);
    first.sheet.setCell(1, 2, "pos");
    first.sheet.setCell(2, 2, "hp");
    Form3->updMOlCb();
    Form3->updHenCb();
    Form2->curItm = &first;
    Form3->placeSheet(&first, SheetPlacement::Shown);
    hakoniwa::ItemSheet& sheet = first.sheet;
    auto pick = [](QTreeWidgetItem* node, int column, int row) {
        Form3->selNode = node;
        Form3->curCol = column;
        Form3->curRow = row;
        Form3->tvOpListDblClick();
    };

    // The third item under "飛び先アイテム" becomes the jump, with straight handles and the
    // component a drawn link gets.
    sheet.setCell(6, 3, "7");
    pick(Form3->tvMdList->topLevelItem(1)->child(2), 1, 3);
    EXPECT_EQ(sheet.cell(1, 3), "3");
    EXPECT_EQ(sheet.cell(2, 3), Form3->definitions.components.back());
    sheet.setCell(2, 3, "");
    EXPECT_EQ(std::string(sheet.cell(6, 3)) + std::string(sheet.cell(7, 3)) +
                  std::string(sheet.cell(8, 3)) + std::string(sheet.cell(9, 3)),
              "0-100-10");
    // An instruction turns an empty row into an instruction row; a component needs a jump.
    QTreeWidgetItem* instruction = Form3->tvOpList->topLevelItem(0)->child(0);
    pick(instruction, 2, 4);
    EXPECT_EQ(sheet.cell(1, 4), "0");
    EXPECT_EQ(sheet.cell(2, 4), Form3->definitions.instructions.at(nodeData(instruction)));
    sheet.setCell(1, 5, "3");
    QTreeWidgetItem* component = Form3->tvCmList->topLevelItem(0);
    pick(component, 2, 5);
    EXPECT_EQ(sheet.cell(1, 5), "3");
    EXPECT_EQ(sheet.cell(2, 5), Form3->definitions.components.at(nodeData(component)));

    // A declaration writes the whole variable, its member the member entry.
    QTreeWidgetItem* declaration = Form3->tvHnList->topLevelItem(0);
    pick(declaration, 4, 3);
    EXPECT_EQ(sheet.cell(4, 3), "pos[]");
    pick(declaration->child(0), 5, 3);
    EXPECT_EQ(sheet.cell(5, 3), "pos[].hp");

    // No node, a heading where an entry is wanted, or the header row: nothing written.
    pick(nullptr, 3, 3);
    pick(Form3->tvMdList->topLevelItem(1), 2, 3);
    pick(instruction, 2, 1);
    EXPECT_EQ(std::string(sheet.cell(3, 3)) + std::string(sheet.cell(2, 3)) +
                  std::string(sheet.cell(2, 1)),
              "10");
    EXPECT_FALSE(caption().contains(QStringLiteral("例外")));
}

TEST_F(DetailsCommands, JumpShowsTheTargetItemAndBackReturnsToWhereItStarted) {
    hakoniwa::Item& from = addItem(10, 10);
    hakoniwa::Item& to = addItem(120, 60);
    from.sheet.setCell(1, 2, "2");
    from.sheet.setCell(1, 3, "9"); // a scene call: there is no item to show
    from.sheet.setCell(1, 4, "pos");
    Form2->curItm = &from;
    Form3->placeSheet(&from, SheetPlacement::Shown);
    auto doubleClick = [](int column, int row) {
        Form3->curCol = column;
        Form3->curRow = row;
        Form3->StringGrid1DblClick();
    };

    doubleClick(1, 2); // not on the command number
    doubleClick(0, 4); // a declaration is no jump
    EXPECT_EQ(Form3->backItm, nullptr);

    doubleClick(0, 2);
    EXPECT_EQ(Form3->shownItem(), &to);
    EXPECT_EQ(Form2->curItm, &to);
    EXPECT_EQ(Form2->selItm, &to);
    EXPECT_EQ(Form3->backItm, &from);
    EXPECT_EQ(Form3->sheetView->geometry(), QRect(265, 0, 490, 281));
    EXPECT_EQ(Form1->cursorBack, QPoint(120 + Form1->img1->x() + 10, 60 + Form1->img1->y() + 30));

    for (int twice = 0; twice < 2; ++twice) {
        Form3->Button6Click();
        EXPECT_EQ(Form3->shownItem(), &from);
        EXPECT_EQ(Form2->selItm, &from);
        EXPECT_EQ(Form1->cursorBack,
                  QPoint(10 + Form1->img1->x() + 10, 10 + Form1->img1->y() + 30));
    }

    Form3->backItm = nullptr;
    doubleClick(0, 3);
    EXPECT_EQ(Form3->shownItem(), &from);
    EXPECT_EQ(Form2->selItm, nullptr);
    EXPECT_EQ(Form3->backItm, &from);
    EXPECT_FALSE(caption().contains(QStringLiteral("例外")));

    // After a new project the item to go back to is gone; back does nothing.
    Form1->N6Click();
    Form3->backItm = &from; // as if a stale reference had survived
    Form3->Button6Click();
    EXPECT_EQ(Form3->shownItem(), nullptr);
    EXPECT_EQ(Form3->backItm, nullptr);
    EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(DetailsCommands, ResizeStretchesOnlyTheSelectedSheetWhenItIsShown) {
    hakoniwa::Item& selected = addItem(10, 10);
    hakoniwa::Item& shown = addItem(100, 10);
    Form2->selItm = &selected;
    Form3->resize(800, 400);
    EXPECT_EQ(Form3->shownItem(), &shown);
    EXPECT_EQ(Form3->sheetView->geometry(), QRect(285, 0, 470, 281)); // as it was placed

    Form3->placeSheet(&selected, SheetPlacement::Shown);
    Form3->resize(900, 420);
    EXPECT_EQ(Form3->sheetView->geometry(), QRect(0, 0, 900, 420 - 19 - 20));
    EXPECT_FALSE(caption().contains(QStringLiteral("例外")));

    Form3->Button1Click();
    EXPECT_TRUE(Form2->isVisible());
}
