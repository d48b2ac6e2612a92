#include "WindowQueries.h"
#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "model/SourceWriter.h"

#include <QAction>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QUndoStack>

namespace {

// The entries after undo and redo in the 編集 menu: アイテムを削除, シーンを削除.
QAction* editAction(int index) {
    return Form1->menuBar()->actions().at(1)->menu()->actions().at(3 + index);
}

// Undo gives the bytes from before, redo those from after; the step is undone at the end.
void checkUndoRedo(const std::string& before, const char* name) {
    const std::string after = projectBytes();
    EXPECT_EQ(Form1->undoStack->count(), 1);
    EXPECT_EQ(Form1->undoStack->undoText(), QString::fromUtf8(name));
    Form1->undoStack->undo();
    EXPECT_EQ(projectBytes(), before);
    Form1->undoStack->redo();
    EXPECT_EQ(projectBytes(), after);
    Form1->undoStack->undo();
}

// "メイン" holds itm0 at (40, 40), itm1 at (200, 120) and itm2 at (300, 200); Page1 follows.
class Delete : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        for (const QPoint at : {QPoint(40, 40), QPoint(200, 120), QPoint(300, 200)}) {
            Form2->downX = at.x();
            Form2->downY = at.y();
            Form2->addItm(Form1->project.scene(0));
        }
        Form1->Button1Click();
    }
};

} // namespace

TEST_F(Delete, TheDeleteKeyAsksThenDeletesTheSelectedItemAsOneStep) {
    hakoniwa::Scene& main = Form1->project.scene(0);
    main.item(0).sheet.setCell(1, 2, "2"); // itm1, lost
    main.item(0).sheet.setCell(1, 3, "5"); // Page1, moves down
    Form1->undoStack->clear();
    const std::string before = projectBytes();
    hakoniwa::Item* deleted = &main.item(1);

    Form1->img1MouseMove(Qt::NoModifier, 202, 122);
    QTest::mouseClick(Form1->img1, Qt::LeftButton, {}, {202, 122});
    dialogs->choice = 1; // cancel
    QTest::keyClick(Form1->img1, Qt::Key_Delete);
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_EQ(dialogs->questions[0],
              QStringLiteral("アイテム「itm1」を削除します。次の行のジャンプ先がなくなります: "
                             "itm0 の 1 行目"));
    EXPECT_EQ(projectBytes(), before);

    dialogs->choice = 0;
    QTest::keyClick(Form1->img1, Qt::Key_Delete);
    ASSERT_EQ(main.itemCount(), 2);
    EXPECT_EQ(main.item(0).sheet.cell(1, 2), "-1");
    EXPECT_EQ(main.item(0).sheet.cell(1, 3), "4");
    for (hakoniwa::Item* item : {Form2->selItm, Form2->curItm, Form3->shownItem()})
        EXPECT_NE(item, deleted);
    EXPECT_EQ(Form3->targets.entries.size(), 5u); // 命令, two items, two scenes
    checkUndoRedo(before, "アイテムの削除");
    EXPECT_EQ(&main.item(1), deleted); // the same item is back

    // Nothing selected: nothing is asked, the status bar says why.
    Form2->selItm = nullptr;
    editAction(0)->trigger();
    EXPECT_EQ(dialogs->questions.size(), 2);
    EXPECT_FALSE(Form1->statusBar()->currentMessage().isEmpty());
}

TEST_F(Delete, ASceneIsDeletedWithItsCallsButNeverTheFirst) {
    Form1->Button1Click();                                    // Page2
    Form1->project.scene(0).item(0).sheet.setCell(1, 2, "5"); // Page1, lost
    Form1->project.scene(0).item(1).sheet.setCell(1, 2, "6"); // Page2, moves down
    Form1->undoStack->clear();

    editAction(1)->trigger();
    EXPECT_EQ(Form1->project.sceneCount(), 3);
    EXPECT_TRUE(dialogs->questions.isEmpty());
    EXPECT_TRUE(Form1->statusBar()->currentMessage().contains(QStringLiteral("最初のシーン")));

    Form1->pcScene->setCurrentIndex(1);
    const std::string before = projectBytes();
    dialogs->choice = 0; // 削除
    editAction(1)->trigger();
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_TRUE(dialogs->questions[0].contains(QStringLiteral(" 1 行")));
    EXPECT_EQ(Form1->pcScene->count(), 2);
    EXPECT_EQ(Form1->pcScene->currentIndex(), 0);
    EXPECT_EQ(Form1->project.scene(0).item(0).sheet.cell(1, 2), "-1");
    EXPECT_EQ(Form1->project.scene(0).item(1).sheet.cell(1, 2), "5");
    checkUndoRedo(before, "シーンの削除");
    EXPECT_EQ(Form1->pcScene->currentIndex(), 1);
}
