#include "WindowsFixture.h"

#include "app/Startup.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "model/SourceWriter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QUndoStack>
#include <functional>

namespace {

std::string projectBytes() {
    return hakoniwa::SourceWriter::write(Form1->project);
}

void move(int x, int y) {
    Form1->img1MouseMove(Qt::NoModifier, x, y);
}
void drag(Qt::MouseButton button, int fromX, int fromY, int toX, int toY) {
    move(fromX, fromY);
    Form1->img1MouseDown(button, Qt::NoModifier, fromX, fromY);
    move((fromX + toX) / 2, (fromY + toY) / 2);
    move(toX, toY);
    Form1->img1MouseUp(button, Qt::NoModifier, toX, toY);
}
void doubleClick(int x, int y) {
    move(x, y);
    Form1->img1MouseDown(Qt::LeftButton, Qt::NoModifier, x, y);
    Form1->img1MouseUp(Qt::LeftButton, Qt::NoModifier, x, y);
    Form1->img1DblClick();
    Form1->img1MouseUp(Qt::LeftButton, Qt::NoModifier, x, y);
}

// A project with two items in the first scene, the first declaring pos with a member, the
// second referring to it; nothing of it can be undone.
class Undo : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        doubleClick(40, 40);
        doubleClick(200, 120);
        hakoniwa::Scene& main = Form1->project.scene(0);
        main.item(0).sheet.setCell(1, 2, "pos");
        main.item(0).sheet.setCell(2, 2, "hp");
        main.item(1).sheet.setCell(1, 2, "0");
        main.item(1).sheet.setCell(3, 2, "pos[1].hp");
        Form1->undoStack->clear();
        move(300, 300);
    }

    // One user action: one step named `name`, undo gives the bytes from before it and redo
    // those from after it.
    void checkStep(const char* name, const std::function<void()>& action) {
        const std::string before = projectBytes();
        const int steps = Form1->undoStack->count();
        action();
        const std::string after = projectBytes();
        EXPECT_NE(after, before) << name;
        EXPECT_EQ(Form1->undoStack->count(), steps + 1) << name;
        EXPECT_EQ(Form1->undoStack->undoText(), QString::fromUtf8(name));
        Form1->undoStack->undo();
        EXPECT_EQ(projectBytes(), before) << name;
        Form1->undoStack->redo();
        EXPECT_EQ(projectBytes(), after) << name;
    }

    hakoniwa::Item& item(int index) { return Form1->project.scene(0).item(index); }
};

} // namespace

TEST_F(Undo, EveryKindOfActionIsOneStepThatUndoAndRedoReplay) {
    checkStep("アイテムの追加", [] { doubleClick(300, 200); });
    checkStep("アイテムのコピー", [] { doubleClick(202, 122); });
    checkStep("アイテムの移動", [] { drag(Qt::LeftButton, 42, 42, 120, 60); });
    checkStep("リンクの追加", [] { drag(Qt::RightButton, 122, 62, 202, 122); });
    checkStep("シーンの追加", [] { Form1->Button1Click(); });
    checkStep("シーンの複製", [] { Form1->Button3Click(); });
    checkStep("シーン名の変更", [] {
        Form1->Edit1->setText("Title");
        Form1->Edit1KeyDown(Qt::Key_Return);
    });
    Form1->pcScene->setCurrentIndex(0);
    checkStep("セルの編集", [&] {
        Form2->curItm = &item(0);
        Form3->placeSheet(&item(0), SheetPlacement::Shown);
        SheetModel* model = Form3->sheetView->sheetModel();
        model->setData(model->index(2, 1), QStringLiteral("vec"), Qt::EditRole);
    });
    EXPECT_EQ(item(1).sheet.cell(3, 2), "vec[1].hp"); // the rename is part of the same step
    checkStep("行の挿入", [] {
        Form3->selRow = 2;
        Form3->N6Click();
    });
    checkStep("行削除", [] { Form3->N3Click(); });
    checkStep("初期化", [] { Form3->N11Click(); });
    checkStep("メモの編集", [] {
        QPlainTextEdit* memo = Form1->memoOf(&Form1->project.scene(0));
        memo->insertPlainText(QStringLiteral("a"));
        memo->insertPlainText(QStringLiteral("b")); // the same burst
    });
}

TEST_F(Undo, UndoingEverythingGivesTheOriginalAndTheCaptionTellsWhatIsUnsaved) {
    const std::string original = projectBytes();
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム"));
    doubleClick(300, 200);
    drag(Qt::LeftButton, 302, 202, 250, 150);
    drag(Qt::RightButton, 42, 42, 252, 152);
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム *"));
    QAction* undo = Form1->menuBar()->actions().at(1)->menu()->actions().at(0);
    EXPECT_EQ(undo->text(), QStringLiteral("元に戻す: リンクの追加"));
    while (Form1->undoStack->canUndo())
        undo->trigger();
    EXPECT_EQ(projectBytes(), original);
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム"));
    // The item the pointer rested on is gone: nothing points at it any more.
    EXPECT_EQ(Form1->project.scene(0).itemCount(), 2);
    EXPECT_TRUE(Form2->curItm == nullptr || Form1->project.sceneOf(Form2->curItm));
    EXPECT_TRUE(Form3->shownItem() == nullptr || Form1->project.sceneOf(Form3->shownItem()));
}

TEST_F(Undo, TheHistoryGoesWhileTheMainWindowIsWhole) {
    doubleClick(300, 200);
    ASSERT_FALSE(Form1->undoStack->isClean());
    // Its steps point into the window's project and its last signal reaches the window.
    bool whole = false;
    QObject* window = Form1;
    QObject::connect(Form1->undoStack, &QObject::destroyed,
                     [&] { whole = qobject_cast<TForm1*>(window) != nullptr; });
    destroyWindows();
    createWindows();
    EXPECT_TRUE(whole);
}

TEST_F(Undo, UnsavedChangesAreAskedAboutBeforeTheyAreLost) {
    enum { Save, DontSave, Cancel };
    doubleClick(300, 200);
    const std::string edited = projectBytes();
    dialogs->choice = Cancel; // everything stays as it was
    dialogs->openName = scratch.filePath("other.txt");
    Form1->N6Click();
    Form1->N2Click();
    QCloseEvent close;
    QApplication::sendEvent(Form1, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_EQ(projectBytes(), edited);
    EXPECT_EQ(dialogs->questions.size(), 3);

    dialogs->choice = Save; // the save dialog, then the new project
    dialogs->saveName = scratch.filePath("kept.txt");
    Form1->N6Click();
    QFile kept(scratch.filePath("kept.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll().toStdString(), edited);
    EXPECT_EQ(Form1->project.scene(0).itemCount(), 0);
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム"));

    dialogs->choice = DontSave;
    doubleClick(300, 200);
    Form1->N6Click();
    EXPECT_EQ(Form1->project.scene(0).itemCount(), 0);
    Form1->N6Click(); // nothing unsaved: no question
    EXPECT_EQ(dialogs->questions.size(), 5);
}
