#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/EntryFilters.h"
#include "details/ListWidgets.h"
#include "details/Settei.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "info/Unit4.h"
#include "platform/Cp932Codec.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

using hakoniwa::fromQt;
using hakoniwa::toQt;

namespace {

// The details window with one item whose sheet is shown and current.
class CommandEntry : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        item = addCurrentItem();
        view = Form3->sheetView;
    }

    // A press with a real mouse event on the middle of a cell of the sheet.
    QPoint press(Qt::MouseButton button, int column, int row) {
        const QPoint at = view->visualRect(view->sheetModel()->index(row, column)).center();
        return pressAt(button, at);
    }
    QPoint pressAt(Qt::MouseButton button, QPoint at) {
        QMouseEvent event(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), button,
                          button, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &event);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->viewport()->mapToGlobal(at),
                            button, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &release);
        return at;
    }
    static void key(QWidget* target, int code, const QString& text = QString()) {
        QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(target, &event);
    }
    // Enter in the combo, with or without choosing entry `index` first.
    static void enterIn(QComboBox* combo, int index = -2) {
        if (index != -2)
            combo->setCurrentIndex(index);
        key(combo, Qt::Key_Return); // the combo has the focus, not its edit part
    }
    std::string cell(int column, int row) const {
        return std::string(item->sheet.cell(column, row));
    }
    QString shownText(int column, int row) const {
        return view->sheetModel()
            ->data(view->sheetModel()->index(row, column), Qt::DisplayRole)
            .toString();
    }
    bool onlyVisible(const QComboBox* shown) const {
        for (const QComboBox* combo : {Form3->cbMOl, Form3->cbMtd, Form3->cbCmp, Form3->cbHen})
            if (combo->isVisible() != (combo == shown))
                return false;
        return true;
    }

    hakoniwa::Item* item = nullptr;
    SheetView* view = nullptr;
};

} // namespace

TEST_F(CommandEntry, RightPressesAndEnterFillAnInstructionRow) {
    // Column 1: the target combo at the pointer; Enter without a choice leaves the row unset.
    const QPoint at = press(Qt::RightButton, 1, 2);
    EXPECT_TRUE(onlyVisible(Form3->cbMOl));
    EXPECT_EQ(Form3->cbMOl->parentWidget(), view->viewport());
    EXPECT_EQ(Form3->cbMOl->pos(), at);
    EXPECT_EQ(Form3->cbMOl->itemText(1), QStringLiteral("itm0")); // the list was rebuilt
    enterIn(Form3->cbMOl);
    EXPECT_EQ(cell(1, 2), "-1");
    EXPECT_TRUE(onlyVisible(nullptr));
    press(Qt::RightButton, 1, 2);
    enterIn(Form3->cbMOl, 0);
    EXPECT_EQ(cell(1, 2), "0");
    EXPECT_EQ(view->sheetModel()->data(view->sheetModel()->index(2, 3), Qt::BackgroundRole),
              QColor(Qt::yellow));

    // Column 2: the instructions; Enter without a choice writes nothing (the combo's own text
    // is no entry), a choice the whole definition line.
    press(Qt::RightButton, 2, 2);
    EXPECT_TRUE(onlyVisible(Form3->cbMtd));
    enterIn(Form3->cbMtd);
    EXPECT_EQ(cell(2, 2), "");
    press(Qt::RightButton, 2, 2);
    enterIn(Form3->cbMtd, 3);
    EXPECT_EQ(cell(2, 2), Form3->definitions.instructions[3]);
    EXPECT_EQ(shownText(2, 2), Form3->cbMtd->itemText(3));

    // Escape closes the combo without writing.
    press(Qt::RightButton, 2, 2);
    key(Form3->cbMtd, Qt::Key_Escape);
    EXPECT_TRUE(onlyVisible(nullptr));
    EXPECT_EQ(cell(2, 2), Form3->definitions.instructions[3]);

    // Column 2 of an empty row and the header row offer nothing.
    press(Qt::RightButton, 2, 3);
    EXPECT_TRUE(onlyVisible(nullptr));
    press(Qt::RightButton, 1, 1);
    EXPECT_TRUE(onlyVisible(nullptr));
    EXPECT_EQ(cell(2, 3), "");
}

TEST_F(CommandEntry, ArgumentColumnsDescribeTheRowAndOfferWhatFits) {
    item->sheet.setCell(1, 2, "0");
    item->sheet.setCell(
        2, 2,
        fromQt(QStringLiteral("move-移動,x を移動,3,X:hen|val.0,向き:tei(0.左|1.右),結果:hen.w")));
    item->sheet.setCell(1, 3, "pos");
    item->sheet.setCell(2, 3, "x");

    press(Qt::RightButton, 3, 2);
    EXPECT_EQ(view->hoverText(),
              QStringLiteral("move-移動(x を移動) 引数3個\nX デフォルト値[0]\n"
                             "向き 定数(左[0],右[1],)\n結果 （結果が格納される）\n"));
    EXPECT_TRUE(onlyVisible(Form3->cbHen));
    EXPECT_EQ(Form3->cbHen->itemText(1), QStringLiteral("pos[].x")); // the variable list
    enterIn(Form3->cbHen, 1);
    EXPECT_EQ(cell(3, 2), "pos[].x");

    press(Qt::RightButton, 4, 2); // the constant argument
    ASSERT_EQ(Form3->cbHen->count(), 2);
    EXPECT_EQ(Form3->cbHen->itemText(0), QStringLiteral("左,0"));
    EXPECT_EQ(Form3->cbHen->itemText(1), QStringLiteral("右,1"));
    enterIn(Form3->cbHen, 1);
    EXPECT_EQ(cell(4, 2), fromQt(QStringLiteral("右,1")));

    // A typed text is written cleaned of anything that would break the project file.
    press(Qt::RightButton, 6, 2);
    Form3->cbHen->lineEdit()->insert(QStringLiteral("a\tb"));
    enterIn(Form3->cbHen);
    EXPECT_EQ(cell(6, 2), "a b");

    // A file argument opens the open dialog instead; cancelling writes nothing.
    item->sheet.setCell(2, 2, "load,,1,name:hen|val.file");
    dialogs->openName.reset();
    press(Qt::RightButton, 3, 2);
    EXPECT_TRUE(onlyVisible(nullptr));
    EXPECT_EQ(cell(3, 2), "pos[].x");
    dialogs->openName = QStringLiteral("/data/stage\n1.txt");
    press(Qt::RightButton, 3, 2);
    EXPECT_EQ(cell(3, 2), "/data/stage 1.txt");
    EXPECT_EQ(view->hoverText(), QStringLiteral("load() 引数1個\nname\n"));
}

TEST_F(CommandEntry, LeftPressChoosesTheListAndReportsTheRow) {
    hakoniwa::Item& second = Form1->project.scene(0).addItem(0, 0);
    item->sheet.setCell(1, 2, "0");
    item->sheet.setCell(1, 3, "2"); // jump to the second item
    item->sheet.setCell(1, 4, "pos");
    item->sheet.setCell(2, 4, "x");

    press(Qt::LeftButton, 2, 2);
    EXPECT_TRUE(Form3->tvOpList->isVisible());
    EXPECT_EQ(Form3->Label1->text(), QStringLiteral("選択行-2"));
    EXPECT_EQ(Form3->selRow, -1);
    press(Qt::LeftButton, 1, 3);
    EXPECT_TRUE(Form3->tvMdList->isVisible() && !Form3->tvOpList->isVisible());
    EXPECT_EQ(Form3->windowTitle(), "詳細:ジャンプ->" + toQt(second.nodeText));
    EXPECT_EQ(std::pair(Form3->curCol, Form3->curRow), std::pair(1, 3));
    EXPECT_EQ(Form3->pressText, "2");
    press(Qt::LeftButton, 2, 3);
    EXPECT_TRUE(Form3->tvCmList->isVisible() && !Form3->tvMdList->isVisible());
    press(Qt::LeftButton, 1, 4);
    EXPECT_EQ(Form3->windowTitle(), QStringLiteral("詳細:グローバル変数宣言:pos"));
    press(Qt::LeftButton, 2, 4);
    EXPECT_TRUE(Form3->tvHnList->isHidden() && Form3->tvCmList->isHidden() &&
                Form3->tvOpList->isHidden() && Form3->tvMdList->isHidden());
    EXPECT_EQ(Form3->windowTitle(), QStringLiteral("詳細:x"));

    press(Qt::LeftButton, 0, 4); // column 0 selects the row; the variables are listed
    EXPECT_EQ(Form3->selRow, 4);
    EXPECT_EQ(Form3->Label1->text(), QStringLiteral("選択行3"));
    EXPECT_TRUE(Form3->tvHnList->isVisible());
    press(Qt::RightButton, 0, 3); // and so does a right press there, giving the row menu
    EXPECT_EQ(Form3->selRow, 3);
    EXPECT_EQ(view->rowMenu(), Form3->PopupMenu1);
    press(Qt::RightButton, 3, 3);
    EXPECT_EQ(view->rowMenu(), nullptr);

    // Outside every cell: the failure is reported and the lists stay.
    press(Qt::LeftButton, 1, 4);
    pressAt(Qt::LeftButton, QPoint(view->viewport()->width() - 2, view->viewport()->height() - 2));
    EXPECT_EQ(std::pair(Form3->curCol, Form3->curRow), std::pair(-1, -1));
    EXPECT_EQ(Form1->windowTitle(),
              QStringLiteral("システム 例外:465TForm3::StringGrid1MouseDown"));
    EXPECT_TRUE(Form3->tvMdList->isVisible());

    // The middle button sends the pointer back. Presses act on the sheet on show, also once
    // the pointer has left its item on the canvas.
    Form1->cursorBack = QPoint(321, 123);
    press(Qt::MiddleButton, 2, 2);
    EXPECT_EQ(pointer->at, QPoint(321, 123));
    Form2->curItm = nullptr;
    press(Qt::RightButton, 1, 2);
    EXPECT_TRUE(onlyVisible(Form3->cbMOl));
    press(Qt::LeftButton, 0, 2);
    EXPECT_EQ(Form3->selRow, 2);
}

TEST_F(CommandEntry, ColourCellTakesTheChosenColourAndColoursTheTargetList) {
    dialogs->chosenColor.reset();
    press(Qt::LeftButton, 5, 1); // cancelled: the press goes on as on any header cell
    EXPECT_EQ(cell(5, 1), "");
    EXPECT_TRUE(Form3->tvHnList->isVisible());

    dialogs->chosenColor = QColor(0x12, 0x34, 0x56);
    press(Qt::LeftButton, 5, 1);
    EXPECT_EQ(cell(5, 1), "0x00563412");

    item->sheet.setCell(5, 1, "0x000000FF");
    Form1->project.scene(0).addItem(0, 0); // no colour: white
    Form3->updMOlCb();
    Form3->tvMdList->show();
    Form3->tvMdList->resize(217, 233);
    const QImage shot = Form3->tvMdList->grab().toImage();
    const QTreeWidgetItem* items = Form3->tvMdList->topLevelItem(1);
    const auto colourAt = [&](const QTreeWidgetItem* node) {
        const QRect rect = Form3->tvMdList->visualItemRect(node);
        const QPoint inside = Form3->tvMdList->viewport()->mapTo(
            Form3->tvMdList, QPoint(rect.right() - 3, rect.center().y()));
        return shot.pixelColor(inside * shot.devicePixelRatio());
    };
    EXPECT_EQ(colourAt(items->child(0)), QColor(Qt::red));
    EXPECT_EQ(colourAt(items->child(1)), QColor(Qt::white));
}

TEST_F(CommandEntry, TypingANameAndEnterCommitsAndRefreshesTheVariables) {
    item->sheet.setCell(2, 2, "x");
    Form4->CheckBox1->setChecked(true);
    press(Qt::LeftButton, 1, 2);
    key(view, Qt::Key_P, QStringLiteral("p"));
    const QModelIndex edited = view->sheetModel()->index(2, 1);
    QWidget* editor = view->indexWidget(edited);
    ASSERT_NE(editor, nullptr);
    for (const char* letter : {"o", "s"})
        key(editor, QChar(letter[0]).toUpper().unicode(), QString::fromLatin1(letter));
    key(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(1, 2), "pos");
    EXPECT_EQ(view->indexWidget(edited), nullptr);
    // The Enter steps ran: the variable lists were rebuilt from the edited sheet.
    ASSERT_GE(Form4->ListBox2->count(), 1);
    EXPECT_EQ(Form4->ListBox2->item(0)->text(), QStringLiteral("pos[].x"));
    EXPECT_FALSE(Form1->windowTitle().contains(QStringLiteral("例外")));
}

TEST_F(CommandEntry, OnlyAPressInColumnZeroOpensTheRowMenuOverTheSheet) {
    // The request goes to whatever lies under the pointer, as a real one does.
    const auto requestMenu = [&](QPoint at) {
        QWidget* target = view->viewport()->childAt(at);
        target = target ? target : view->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, target->mapFrom(view->viewport(), at),
                                view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        const bool opened = Form3->PopupMenu1->isVisible();
        Form3->PopupMenu1->hide();
        return opened;
    };
    EXPECT_FALSE(requestMenu(press(Qt::RightButton, 2, 2)));
    EXPECT_TRUE(requestMenu(press(Qt::RightButton, 0, 2)));
    const QPoint onCombo = press(Qt::RightButton, 1, 2);
    ASSERT_NE(view->viewport()->childAt(onCombo), nullptr); // the target combo lies under it
    EXPECT_FALSE(requestMenu(onCombo));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr); // nor did the combo's edit menu

    // Moving over the sheet ends a canvas drag and takes the window's menu away.
    Form2->lBtnDown = Form2->rBtnDown = 1;
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), view->viewport()->mapToGlobal(QPoint(5, 5)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    EXPECT_EQ(Form2->lBtnDown + Form2->rBtnDown, 0);
    EXPECT_EQ(Form3->contextMenuPolicy(), Qt::PreventContextMenu);
    Form3->FormMouseMove(3, 3);
    EXPECT_EQ(Form3->contextMenuPolicy(), Qt::DefaultContextMenu);
}

namespace {

// Types `text` into the cell with real keys and leaves the editor open.
QWidget* typeInto(SheetView* view, int column, int row, const QString& text) {
    const QModelIndex index = view->sheetModel()->index(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(index));
    if (editor) {
        editor->selectAll();
        editor->insert(text);
    }
    return editor;
}

} // namespace

TEST_F(CommandEntry, OnlyAnEditedDeclarationRenamesItsReferencesHoweverTheEditEnds) {
    hakoniwa::ItemSheet& sheet = item->sheet;
    hakoniwa::Item& other = Form1->project.scene(0).addItem(200, 10);
    for (hakoniwa::ItemSheet* each : {&sheet, &other.sheet}) {
        each->setCell(1, 3, "0");
        each->setCell(3, 3, "0");
        each->setCell(4, 3, "pos[2].hp");
    }
    other.sheet.setCell(1, 2, "1"); // a jump row whose link handles hold 0
    other.sheet.setCell(6, 2, "0");
    sheet.setCell(1, 2, "0");
    const std::string before(other.sheet.cell(3, 3));

    // A number typed over in an instruction row is no declaration: nothing else changes.
    QWidget* editor = typeInto(view, 1, 2, QStringLiteral("score"));
    ASSERT_NE(editor, nullptr);
    key(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the view commits after the key
    EXPECT_EQ(cell(1, 2), "score");
    EXPECT_EQ(cell(3, 3), "0");
    EXPECT_EQ(other.sheet.cell(3, 3), before);
    EXPECT_EQ(other.sheet.cell(6, 2), "0");

    // A declaration renamed and committed by Tab keeps index and member in its references.
    sheet.setCell(1, 2, "pos");
    key(typeInto(view, 1, 2, QStringLiteral("vec")), Qt::Key_Tab);
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(1, 2), "vec");
    EXPECT_EQ(cell(4, 3), "vec[2].hp");
    EXPECT_EQ(other.sheet.cell(4, 3), "vec[2].hp");

    // Committed by the pointer bringing up another item's sheet.
    typeInto(view, 1, 2, QStringLiteral("pos"));
    Form2->curItm = &other;
    Form3->placeSheet(&other, SheetPlacement::Shown);
    EXPECT_EQ(cell(1, 2), "pos");
    EXPECT_EQ(other.sheet.cell(4, 3), "pos[2].hp");
    EXPECT_FALSE(Form1->windowTitle().contains(QStringLiteral("例外")));
}

TEST_F(CommandEntry, EditorCombosCommitOnceIntoTheCellTheyWereOpenedOn) {
    // Enter right after the press writes "unset", whatever an earlier choice left in the combo.
    press(Qt::RightButton, 1, 2);
    enterIn(Form3->cbMOl, 1);
    EXPECT_EQ(cell(1, 2), "1");
    press(Qt::RightButton, 1, 2);
    key(Form3->cbMOl->lineEdit(), Qt::Key_Return); // where a real key lands first
    EXPECT_EQ(cell(1, 2), "-1");

    // Enter stops at the combo: the sheet's own Enter does not run as well (it would fail on
    // a press that left no cell).
    Form3->curCol = Form3->curRow = -1;
    press(Qt::RightButton, 1, 3);
    enterIn(Form3->cbMOl, 0);
    EXPECT_EQ(cell(1, 3), "0");
    EXPECT_FALSE(Form1->windowTitle().contains(QStringLiteral("例外")));

    // Showing another sheet hides the open combo, and it never writes into that sheet.
    item->sheet.setCell(2, 3, "load,,1,name:hen|val");
    press(Qt::RightButton, 3, 3);
    EXPECT_TRUE(onlyVisible(Form3->cbHen));
    const QString hint = view->hoverText();
    EXPECT_FALSE(hint.isEmpty());
    hakoniwa::Item& other = Form1->project.scene(0).addItem(200, 10);
    Form2->curItm = &other;
    Form3->placeSheet(&other, SheetPlacement::Shown);
    EXPECT_TRUE(onlyVisible(nullptr));
    enterIn(Form3->cbHen, 1);
    EXPECT_EQ(other.sheet.cell(3, 3), "");
    // Each sheet keeps its own hover hint, shown also while the window is not active.
    EXPECT_TRUE(view->hoverText().isEmpty());
    Form3->placeSheet(item, SheetPlacement::Shown);
    EXPECT_EQ(view->hoverText(), hint);
    EXPECT_TRUE(view->viewport()->testAttribute(Qt::WA_AlwaysShowToolTips));
}

TEST_F(CommandEntry, ThirteenKeysFillAnAssignmentRowWithoutThePointer) {
    // Return, 命令, Tab, 代入, Tab, x, Tab, 100, Tab: thirteen keys from a selected cell.
    auto typeInto = [](QWidget* target, const QString& text) {
        for (const QChar c : text)
            key(target, 0, QString(c));
    };
    view->setCurrentIndex(view->sheetModel()->index(2, 1));
    key(view, Qt::Key_Return);
    ASSERT_TRUE(onlyVisible(Form3->cbMOl));
    typeInto(Form3->cbMOl, QStringLiteral("命令"));
    key(Form3->cbMOl, Qt::Key_Tab);
    EXPECT_EQ(cell(1, 2), "0");
    ASSERT_TRUE(onlyVisible(Form3->cbMtd));
    typeInto(Form3->cbMtd, QStringLiteral("代入"));
    // The list shows only what matches, each entry at its own index.
    const std::vector<int>& found = [&]() -> const std::vector<int>& {
        for (QObject* child : Form3->cbMtd->children())
            if (auto* filter = dynamic_cast<ComboFilter*>(child))
                return filter->matches();
        throw std::logic_error("no filter");
    }();
    ASSERT_FALSE(found.empty());
    const std::string chosen = Form3->definitions.instructions[found.front()];
    key(Form3->cbMtd, Qt::Key_Tab);
    EXPECT_EQ(cell(2, 2), chosen);
    EXPECT_EQ(chosen.rfind(fromQt(QStringLiteral("代入")), 0), 0u);
    ASSERT_TRUE(onlyVisible(Form3->cbHen));
    EXPECT_FALSE(view->hoverText().isEmpty());
    typeInto(Form3->cbHen, QStringLiteral("x"));
    key(Form3->cbHen, Qt::Key_Tab);
    EXPECT_EQ(cell(3, 2), "x"); // an argument takes what was typed
    typeInto(Form3->cbHen, QStringLiteral("100"));
    key(Form3->cbHen, Qt::Key_Tab);
    EXPECT_EQ(cell(4, 2), "100");
    EXPECT_TRUE(onlyVisible(nullptr)); // no argument past the last

    // F2 opens too; Shift+Tab commits and goes back.
    view->setCurrentIndex(view->sheetModel()->index(2, 4));
    key(view, Qt::Key_F2);
    ASSERT_TRUE(onlyVisible(Form3->cbHen));
    key(Form3->cbHen, Qt::Key_Backtab);
    EXPECT_EQ(cell(4, 2), "100");
    EXPECT_TRUE(onlyVisible(Form3->cbHen));
    EXPECT_EQ(view->currentIndex().column(), 3);
}

TEST_F(CommandEntry, TypingInAPickListHidesTheNodesWithoutAMatch) {
    QTreeWidget* tree = Form3->tvOpList;
    auto shownLeaves = [&] {
        QStringList shown;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j)
                if (!tree->topLevelItem(i)->isHidden() &&
                    !tree->topLevelItem(i)->child(j)->isHidden())
                    shown << tree->topLevelItem(i)->child(j)->text(0);
        return shown;
    };
    const qsizetype all = shownLeaves().size();
    // "値を" is only in the descriptions: 代入 is found by what it does.
    key(tree, 0, QStringLiteral("値"));
    key(tree, 0, QStringLiteral("を"));
    EXPECT_TRUE(shownLeaves().contains(QStringLiteral("代入")));
    EXPECT_LT(shownLeaves().size(), all);
    key(tree, 0, QStringLiteral("ず"));
    EXPECT_TRUE(shownLeaves().isEmpty());
    key(tree, Qt::Key_Backspace);
    EXPECT_TRUE(shownLeaves().contains(QStringLiteral("代入")));
    key(tree, Qt::Key_Escape);
    EXPECT_EQ(shownLeaves().size(), all);
}

TEST_F(CommandEntry, EnterWithoutAChoiceOrTypingLeavesTheCellAsItWas) {
    item->sheet.setCell(1, 2, "0");
    item->sheet.setCell(2, 2, Form3->definitions.instructions[0]);
    item->sheet.setCell(3, 2, "1");
    item->sheet.setCell(1, 3, "0");
    for (int round = 0; round < 2; ++round) { // the first opening and a later one
        press(Qt::RightButton, 3, 2);
        ASSERT_TRUE(onlyVisible(Form3->cbHen));
        enterIn(Form3->cbHen);
        EXPECT_EQ(cell(3, 2), "1");
        press(Qt::RightButton, 2, 2);
        enterIn(Form3->cbMtd);
        EXPECT_EQ(cell(2, 2), Form3->definitions.instructions[0]);
        press(Qt::RightButton, 2, 3);
        enterIn(Form3->cbMtd);
        EXPECT_EQ(cell(2, 3), "");
    }
    // F2 then Enter on a selected argument cell: the same.
    view->setCurrentIndex(view->sheetModel()->index(2, 3));
    key(view, Qt::Key_F2);
    ASSERT_TRUE(onlyVisible(Form3->cbHen));
    key(Form3->cbHen, Qt::Key_Return);
    EXPECT_EQ(cell(3, 2), "1");
    EXPECT_FALSE(Form1->undoStack->canUndo()); // no step either
}

TEST_F(CommandEntry, AnOpenComboClosesWithItsRowAndWritesOnlyIntoItsCell) {
    for (int row : {2, 3}) {
        item->sheet.setCell(1, row, "0");
        item->sheet.setCell(2, row, "load,,1,name:hen|val");
    }
    item->sheet.setCell(3, 3, "second");
    // A row inserted above, a combo opened on the row below it, then undo: the combo goes,
    // and what is typed after writes nowhere.
    Form3->selRow = 2;
    Form3->N6Click();
    ASSERT_EQ(cell(3, 4), "second");
    press(Qt::RightButton, 3, 4);
    ASSERT_TRUE(onlyVisible(Form3->cbHen));
    Form1->undoStack->undo();
    EXPECT_TRUE(onlyVisible(nullptr));
    Form3->cbHen->lineEdit()->insert(QStringLiteral("ZZ"));
    enterIn(Form3->cbHen);
    EXPECT_EQ(cell(3, 3), "second");
    EXPECT_EQ(cell(3, 4), "");

    // A row command closes it too, and so does showing another scene.
    press(Qt::RightButton, 3, 3);
    Form3->N8Click();
    EXPECT_TRUE(onlyVisible(nullptr));
    press(Qt::RightButton, 3, 3);
    Form1->Button1Click();
    Form1->pcScene->setCurrentIndex(1);
    EXPECT_TRUE(onlyVisible(nullptr));
    Form1->pcScene->setCurrentIndex(0);

    // Enter writes into the cell the combo was opened on, wherever the combo was moved since.
    Form3->placeSheet(item, SheetPlacement::Shown);
    press(Qt::RightButton, 3, 2);
    Form3->cbHen->move(view->visualRect(view->sheetModel()->index(3, 4)).topLeft());
    Form3->cbHen->lineEdit()->insert(QStringLiteral("x"));
    enterIn(Form3->cbHen);
    EXPECT_EQ(cell(3, 2), "x");
    EXPECT_EQ(cell(4, 3), "");
}

TEST_F(CommandEntry, ArrowKeysMoveOnFromTheKeptEntryAsInAPlainDropDown) {
    for (int row : {2, 3})
        item->sheet.setCell(1, row, "0");
    press(Qt::RightButton, 2, 2);
    enterIn(Form3->cbMtd, 3);
    QComboBox plain;
    plain.setEditable(true);
    for (int i = 0; i < Form3->cbMtd->count(); ++i)
        plain.addItem(Form3->cbMtd->itemText(i));
    plain.setCurrentIndex(3);
    for (const int arrow : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down})
        key(&plain, arrow);

    // The next opening, on another row: the same keys reach the same entry.
    press(Qt::RightButton, 2, 3);
    for (const int arrow : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down})
        key(Form3->cbMtd, arrow);
    enterIn(Form3->cbMtd);
    EXPECT_EQ(plain.currentIndex(), 5);
    EXPECT_EQ(cell(2, 3), Form3->definitions.instructions[plain.currentIndex()]);
    EXPECT_FALSE(Form3->cbMtd->view()->isVisible()); // the list closes with the combo
}

TEST_F(CommandEntry, AClickInTheListChoosesAndEscapeChoosesNothing) {
    item->sheet.setCell(1, 2, "0");
    item->sheet.setCell(1, 3, "0");
    press(Qt::RightButton, 2, 2);
    key(Form3->cbMtd, 0, QStringLiteral("表"));
    const std::vector<int> found = comboFilterOf(Form3->cbMtd)->matches();
    ASSERT_GE(found.size(), 3u);
    key(Form3->cbMtd, Qt::Key_Down); // opens the list
    QAbstractItemView* list = Form3->cbMtd->view();
    ASSERT_TRUE(list->isVisible());
    const QRect third = list->visualRect(Form3->cbMtd->model()->index(found[2], 0));
    QTest::qWait(QApplication::doubleClickInterval() + 50); // a click at once is not taken
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(onlyVisible(Form3->cbMtd));
    enterIn(Form3->cbMtd);
    EXPECT_EQ(cell(2, 2), Form3->definitions.instructions[found[2]]);

    // Escape in the list, or a press outside the combo, closes it without writing.
    item->sheet.setCell(2, 3, Form3->definitions.instructions[found[1]]);
    press(Qt::RightButton, 2, 3);
    key(Form3->cbMtd, Qt::Key_Down);
    ASSERT_TRUE(list->isVisible());
    key(list, Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(onlyVisible(nullptr));
    press(Qt::RightButton, 2, 3);
    key(Form3->cbMtd, Qt::Key_Down);
    QTest::mousePress(Form3, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(onlyVisible(nullptr));
    EXPECT_EQ(cell(2, 3), Form3->definitions.instructions[found[1]]);
}

TEST_F(CommandEntry, TypingFindsInstructionsByNameAndNeverSwapsAFilledRowByChance) {
    Form3->definitions.instructions = {
        fromQt(QStringLiteral("マウスボタン-入力,マウスのボタン,1,結果:hen.w")),
        fromQt(QStringLiteral("キー状態-入力,キーの状態,2,キー:tei(0.上|2.左),結果:hen.w")),
        fromQt(QStringLiteral("左へ-移動,左へ動く,0"))};
    refillCombo(Form3->cbMtd, Form3->definitions.instructions);
    const auto& lines = Form3->definitions.instructions;
    auto typeAndEnter = [&](int row, const QString& text, bool step) {
        press(Qt::RightButton, 2, row);
        key(Form3->cbMtd, 0, text);
        if (step)
            key(Form3->cbMtd, Qt::Key_Down);
        enterIn(Form3->cbMtd);
    };
    item->sheet.setCell(1, 2, "0");
    item->sheet.setCell(2, 2, lines[0]);
    item->sheet.setCell(1, 3, "0");
    typeAndEnter(2, QStringLiteral("左"), false);
    EXPECT_EQ(comboFilterOf(Form3->cbMtd)->typedMatches(), std::vector<int>({2}));
    EXPECT_EQ(cell(2, 2), lines[0]); // a filled row keeps its instruction
    typeAndEnter(2, QStringLiteral("左"), true);
    EXPECT_EQ(cell(2, 2), lines[2]); // unless the user steps to the match
    typeAndEnter(3, QStringLiteral("キー"), false);
    EXPECT_EQ(cell(2, 3), lines[1]); // an empty row takes the first match
}

TEST_F(CommandEntry, AFileArgumentOffersItsFilesAndIsKeptRelativeToTheProject) {
    item->sheet.setCell(1, 2, "0");
    item->sheet.setCell(2, 2,
                        fromQt(QStringLiteral("表示,,2,画像ファイル:hen|val.file,"
                                              "音声ファイル:hen|val.file")));
    const QString project = scratch.filePath("game/p.txt");
    dialogs->openName = scratch.filePath("game/img/a.png");
    press(Qt::RightButton, 3, 2); // never saved: the path as chosen
    EXPECT_EQ(cell(3, 2), fromQt(scratch.filePath("game/img/a.png")));
    EXPECT_TRUE(dialogs->argumentFilters.startsWith(QStringLiteral("画像 (*.png *.bmp)")));
    EXPECT_TRUE(dialogs->argumentFilters.endsWith(QStringLiteral("すべてのファイル (*)")));

    Form1->projectFile = project;
    press(Qt::RightButton, 3, 2);
    EXPECT_EQ(cell(3, 2), "img/a.png");
    EXPECT_EQ(dialogs->argumentFolder, scratch.filePath("game"));
    dialogs->openName = scratch.filePath("elsewhere.wav"); // outside the project's folder
    press(Qt::RightButton, 4, 2);
    EXPECT_EQ(cell(4, 2), fromQt(scratch.filePath("elsewhere.wav")));
    EXPECT_TRUE(dialogs->argumentFilters.startsWith(QStringLiteral("音 (*.wav)")));
}
