#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/ListWidgets.h"
#include "details/Settei.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "model/Texts.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <stdexcept>

using hakoniwa::fromQt;
using hakoniwa::toQt;

namespace {

QStringList comboEntries(const QComboBox* combo) {
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    return entries;
}

// Each top-level node as "text:data", its children indented below it.
QStringList treeOutline(const QTreeWidget* tree) {
    QStringList outline;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* node = tree->topLevelItem(i);
        outline << node->text(0) + ":" + QString::number(nodeData(node));
        for (int j = 0; j < node->childCount(); ++j)
            outline << "  " + node->child(j)->text(0) + ":" +
                           QString::number(nodeData(node->child(j)));
    }
    return outline;
}

QStringList menuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

using DetailsWindow = WindowsFixture;

TEST_F(DetailsWindow, ControlsStartAsDesigned) {
    EXPECT_EQ(Form3->windowTitle(), QStringLiteral("詳細"));
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(Form3->Label1->text(), QStringLiteral("Label1"));
    EXPECT_FALSE(Form3->CheckBox1->isChecked());
    EXPECT_GE(Form3->CheckBox1->width(), Form3->CheckBox1->sizeHint().width()); // whole caption
    EXPECT_EQ(Form3->edRpn->text(), QStringLiteral("1"));
    EXPECT_EQ(Form3->edRpn->geometry(), QRect(8, 273, 121, 20));
    EXPECT_EQ(Form3->Button1->geometry(), QRect(144, 274, 75, 25));
    EXPECT_EQ(Form3->sbInfo->geometry(), QRect(0, 301, 759, 19));
    EXPECT_TRUE(Form3->sbInfo->currentMessage().isEmpty());

    const std::pair<QComboBox*, QString> combos[] = {{Form3->cbMOl, "cbMOl"},
                                                     {Form3->cbCmp, "ComboBox1"},
                                                     {Form3->cbSysHen, "cbSysHen"},
                                                     {Form3->cbMtd, "ComboBox1"},
                                                     {Form3->cbHen, "cbHen"}};
    for (const auto& [combo, editText] : combos) {
        EXPECT_TRUE(combo->isEditable()) << editText.toStdString();
        EXPECT_FALSE(combo->isVisible()) << editText.toStdString();
        EXPECT_EQ(combo->currentText(), editText);
        EXPECT_EQ(combo->currentIndex(), -1);
    }
    EXPECT_EQ(Form3->cbMtd->geometry(), QRect(16, 136, 297, 20));

    for (QTreeWidget* tree : {Form3->tvOpList, Form3->tvHnList, Form3->tvMdList, Form3->tvCmList})
        EXPECT_EQ(tree->geometry(), QRect(8, 32, 217, 233));
    EXPECT_TRUE(Form3->tvOpList->isVisible());
    EXPECT_FALSE(Form3->tvHnList->isVisible() || Form3->tvMdList->isVisible() ||
                 Form3->tvCmList->isVisible());
    EXPECT_TRUE(Form3->Button2->isVisible() && Form3->Button3->isVisible());
    EXPECT_FALSE(Form3->Button4->isVisible() || Form3->Button5->isVisible());
    EXPECT_FALSE(Form3->StringGrid1->isVisible());

    EXPECT_EQ(menuTexts(Form3->PopupMenu1),
              (QStringList{"追加", "-", "挿入（一回）", "挿入（指定回数）", "-", "行削除",
                           "行クリア", "行コピー", "行貼り付け", "-", "初期化", "指定行以下を削除",
                           "指定行から指定数だけ削除する。"}));
    EXPECT_EQ(menuTexts(Form3->N1), (QStringList{"Y", "X"}));
    EXPECT_EQ(Form3->selRow, 0);
    EXPECT_EQ(Form3->selNode, nullptr);
}

TEST_F(DetailsWindow, VocabularyFillsTheCombosAndTrees) {
    const hakoniwa::Definitions& definitions = Form3->definitions;
    ASSERT_FALSE(definitions.instructions.empty());
    EXPECT_EQ(Form3->cbMtd->count(), static_cast<int>(definitions.instructions.size()));
    EXPECT_EQ(Form3->cbCmp->count(), static_cast<int>(definitions.components.size()));
    EXPECT_EQ(Form3->cbSysHen->count(), static_cast<int>(definitions.systemVariables.size()));
    EXPECT_EQ(Form3->cbMtd->itemText(0), toQt(definitions.instructions[0]));

    // Every instruction sits under a group node and names its own line.
    int instructions = 0;
    for (int i = 0; i < Form3->tvOpList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* group = Form3->tvOpList->topLevelItem(i);
        EXPECT_EQ(nodeData(group), -1);
        for (int j = 0; j < group->childCount(); ++j, ++instructions) {
            const int line = nodeData(group->child(j));
            EXPECT_EQ(line, instructions);
            EXPECT_TRUE(Form3->cbMtd->itemText(line).startsWith(group->child(j)->text(0) + "-" +
                                                                group->text(0) + ","));
        }
    }
    EXPECT_EQ(instructions, Form3->cbMtd->count());
    EXPECT_EQ(Form3->tvCmList->topLevelItemCount(), Form3->cbCmp->count());
}

TEST_F(DetailsWindow, AMissingDefinitionFileStopsTheWindowWithItsFullPath) {
    const QString path = QDir::current().absoluteFilePath("dat/txt/game/cmp.txt");
    ASSERT_TRUE(QFile::remove(path));
    TForm3* const started = Form3;
    try {
        new TForm3();
        ADD_FAILURE() << "the window was made without its definition file";
    } catch (const std::runtime_error& failure) {
        EXPECT_EQ(QString::fromUtf8(failure.what()),
                  QStringLiteral("ファイル %1 は開けません").arg(QDir::toNativeSeparators(path)));
    }
    Form3 = started;
    // Nothing was added to the project before the failure.
    EXPECT_EQ(Form1->project.sceneCount(), 1);
}

TEST_F(DetailsWindow, TargetListNamesItemsByLabelAndKeepsTheEditText) {
    hakoniwa::Scene& main = Form1->project.scene(0);
    main.addItem(10, 10);
    main.addItem(60, 10).sheet.setCell(4, 1, fromQt(QStringLiteral("敵")));
    Form3->updMOlCb();
    EXPECT_EQ(comboEntries(Form3->cbMOl), (QStringList{"命令", "itm0", "敵", "メイン"}));
    EXPECT_EQ(Form3->cbMOl->currentIndex(), -1);
    EXPECT_EQ(Form3->cbMOl->currentText(), QStringLiteral("cbMOl"));
    EXPECT_EQ(treeOutline(Form3->tvMdList),
              (QStringList{"命令:0", "飛び先アイテム:-1", "  itm0:1", "  敵:2", "飛び先メソッド:-1",
                           "  メイン:3"}));
}

TEST_F(DetailsWindow, VariableListFillsComboTreeAndInformationWindow) {
    hakoniwa::Item& item = Form1->project.scene(0).addItem(0, 0);
    item.sheet.setCell(1, 2, "pos");
    item.sheet.setCell(2, 2, "x");
    Form3->cbHen->setEditText(QStringLiteral("typed"));
    Form3->updHenCb();
    const QStringList entries = comboEntries(Form3->cbHen);
    ASSERT_GE(entries.size(), 5);
    EXPECT_EQ(entries.mid(0, 4),
              (QStringList{"グローバル変数", "pos[].x", "ローカル変数", "システム変数"}));
    EXPECT_EQ(entries.size(), 4 + Form3->cbSysHen->count());
    EXPECT_EQ(Form3->cbHen->currentText(), QStringLiteral("typed"));
    EXPECT_EQ(treeOutline(Form3->tvHnList).mid(0, 3),
              (QStringList{"pos:-1", "  x:1", "システム変数:-1"}));
}

TEST_F(DetailsWindow, RebuildingAListForgetsAClickedNodeOfIt) {
    Form3->selNode = Form3->tvMdList->topLevelItem(0);
    Form3->updMOlCb();
    EXPECT_EQ(Form3->selNode, nullptr);
    Form3->selNode = Form3->tvOpList->topLevelItem(0);
    Form3->updMOlCb();
    Form3->updHenCb();
    EXPECT_EQ(Form3->selNode, Form3->tvOpList->topLevelItem(0));
}

TEST_F(DetailsWindow, AddRowAndColumnGrowTheSheetOnShow) {
    hakoniwa::Scene& main = Form1->project.scene(0);
    Form2->addItm(main);
    hakoniwa::Item& shown = main.item(0);
    hakoniwa::Item& other = main.addItem(0, 0);
    SheetModel* model = Form3->sheetView->sheetModel();

    Form2->selItm = &other; // selected, not on show: never grown out of sight
    Form3->Y1Click();
    Form3->X1Click();
    EXPECT_EQ(other.sheet.rowCount(), 5);
    EXPECT_EQ(shown.sheet.rowCount(), 6);
    EXPECT_EQ(shown.sheet.columnCount(), 11);
    EXPECT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->columnCount(), 11);

    Form3->placeSheet(nullptr, SheetPlacement::Shown);
    Form3->Y1Click();
    EXPECT_EQ(shown.sheet.rowCount(), 6);
    EXPECT_FALSE(Form1->windowTitle().contains(QStringLiteral("例外")));
}

TEST_F(DetailsWindow, SheetViewEditsTheShownSheetInPlace) {
    hakoniwa::Scene& main = Form1->project.scene(0);
    Form2->addItm(main);
    hakoniwa::Item& item = main.item(main.itemCount() - 1);
    ASSERT_EQ(Form3->shownItem(), &item);
    EXPECT_TRUE(Form3->sheetView->isVisible());
    // Right of the lists with 60 pixels free, 4 short of the right edge, 20 above the bar.
    EXPECT_EQ(Form3->sheetView->geometry(), QRect(285, 0, 470, 281));

    SheetModel* model = Form3->sheetView->sheetModel();
    EXPECT_TRUE(model->setData(model->index(2, 3), "a\tb\nc", Qt::EditRole));
    EXPECT_EQ(item.sheet.cell(3, 2), "a b c");
    EXPECT_TRUE(model->setData(model->index(3, 4), QStringLiteral("点😀"), Qt::EditRole));
    EXPECT_EQ(model->data(model->index(3, 4), Qt::DisplayRole).toString(), QStringLiteral("点?"));
    // Headings are not edited; column 0 of a command row shows its command number.
    EXPECT_FALSE(model->setData(model->index(0, 1), "x", Qt::EditRole));
    EXPECT_FALSE(model->setData(model->index(3, 0), "x", Qt::EditRole));
    EXPECT_EQ(model->data(model->index(3, 0), Qt::DisplayRole).toString(), QStringLiteral("2"));
    EXPECT_EQ(model->data(model->index(0, 0), Qt::DisplayRole).toString(), toQt(item.nodeText));

    // Column widths are the sheet's own and follow it.
    item.sheet.columnWidths()[2] = 120;
    Form3->placeSheet(&item, SheetPlacement::Shown);
    EXPECT_EQ(Form3->sheetView->columnWidth(2), 120);
    EXPECT_EQ(Form3->sheetView->geometry(), QRect(265, 0, 490, 281));
    Form3->sheetView->setColumnWidth(3, 99);
    EXPECT_EQ(item.sheet.columnWidths()[3], 99);
    // Columns refitted or rows added elsewhere show at the next paint.
    item.sheet.columnWidths()[4] = 150;
    item.sheet.addRow();
    Form3->sheetView->grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(Form3->sheetView->columnWidth(4), 150);
    EXPECT_EQ(model->rowCount(), 6);

    Form1->N6Click(); // a new project drops the shown sheet
    EXPECT_EQ(Form3->shownItem(), nullptr);
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(DetailsWindow, TypingIsKeptAcrossASheetChangeAndAListClickChoosesThePick) {
    hakoniwa::Scene& main = Form1->project.scene(0);
    Form2->addItm(main);
    Form2->downX = 80;
    Form2->addItm(main);
    hakoniwa::Item& first = main.item(0);
    hakoniwa::Item& second = main.item(1);
    ASSERT_EQ(Form2->curItm, &second); // the sheet on show belongs to the current item

    // An edit still open when the pointer brings up another item's sheet is saved first.
    SheetView* view = Form3->sheetView;
    const QModelIndex cell = view->sheetModel()->index(2, 3);
    view->setCurrentIndex(cell);
    view->edit(cell);
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("QQ"));
    Form2->curItm = &first;
    Form3->placeSheet(&first, SheetPlacement::Shown);
    EXPECT_EQ(second.sheet.cell(3, 2), "QQ");

    // A real click on a list node is what a double-click then writes.
    Form3->updMOlCb();
    Form3->tvMdList->show();
    QTreeWidgetItem* instruction = Form3->tvMdList->topLevelItem(0);
    const QPoint at = Form3->tvMdList->visualItemRect(instruction).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, Form3->tvMdList->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(Form3->tvMdList->viewport(), &event);
    }
    EXPECT_EQ(Form3->selNode, instruction);
    Form3->curCol = 1;
    Form3->curRow = 3;
    Form3->tvOpListDblClick();
    EXPECT_EQ(first.sheet.cell(1, 3), "0");
}
