#include "WindowQueries.h"
#include "WindowsFixture.h"

#include "app/ProblemsWindow.h"
#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

namespace {

// Lets the check that a change scheduled run.
void settle() {
    QCoreApplication::processEvents();
}

} // namespace

using ProblemsWindowTest = WindowsFixture;

TEST_F(ProblemsWindowTest, FollowsTheProjectAndADoubleClickShowsTheRowInItsSheet) {
    QAction* open = menuAction(QStringLiteral("表示"), QStringLiteral("問題"));
    ASSERT_NE(open, nullptr);
    open->trigger();
    auto* window = Form1->findChild<ProblemsWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("問題"));
    ASSERT_EQ(window->list->topLevelItemCount(), 1); // the new project's scene has no items
    EXPECT_EQ(rowTexts(window->list, 0),
              (QStringList{"エラー", "メイン", "", "", "開始アイテムがない"}));

    // Opened over an empty undo history: only the main window can say the project changed.
    dialogs->openName = QStringLiteral(HAKONIWA_SOURCE_DIR "/samples/demo.txt");
    Form1->N2Click();
    settle();
    EXPECT_EQ(window->list->topLevelItemCount(), 0);
    EXPECT_EQ(window->summary->text(), QStringLiteral("問題はありません"));

    // A jump to nothing in the second scene's item, as one undo step.
    hakoniwa::ItemSheet& sheet = Form1->project.scene(1).item(0).sheet;
    recordEdit(QStringLiteral("編集"), [&] {
        sheet.setCell(1, 2, "9");
        sheet.setCell(2, 2, Form3->definitions.components.back());
    });
    settle();
    ASSERT_EQ(window->list->topLevelItemCount(), 1);
    EXPECT_EQ(rowTexts(window->list, 0),
              (QStringList{"エラー", "Page1", "itm0", "1", "存在しない飛び先: 9"}));
    Form1->undoStack->undo();
    settle();
    EXPECT_EQ(window->list->topLevelItemCount(), 0);
    Form1->undoStack->redo();
    settle();
    ASSERT_EQ(window->list->topLevelItemCount(), 1);

    // From the first scene, a double-click on the line goes to the item and its row.
    ASSERT_EQ(Form1->project.activeIndex(), 0);
    window->list->scrollToItem(window->list->topLevelItem(0));
    const QRect line = window->list->visualItemRect(window->list->topLevelItem(0));
    // As the user's double-click arrives: a click, then the second press.
    QTest::mouseClick(window->list->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(window->list->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(Form1->project.activeIndex(), 1);
    EXPECT_EQ(Form1->pcScene->currentIndex(), 1);
    EXPECT_EQ(Form2->curItm, &Form1->project.scene(1).item(0));
    EXPECT_EQ(Form3->shownItem(), Form2->curItm);
    EXPECT_EQ(Form3->selRow, 2);
    EXPECT_EQ(Form3->Label1->text(), QStringLiteral("選択行1"));
}
