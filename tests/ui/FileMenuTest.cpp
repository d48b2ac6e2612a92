#include "WindowsFixture.h"

#include "app/RecentFiles.h"
#include "app/Unit1.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>

namespace {

void ctrl(int key, Qt::KeyboardModifiers more = {}) {
    QTest::keyClick(Form1, static_cast<Qt::Key>(key), Qt::ControlModifier | more);
}

void makeChange() {
    Form1->Button1Click();
    ASSERT_FALSE(Form1->undoStack->isClean());
}

} // namespace

using FileMenu = WindowsFixture;

TEST_F(FileMenu, ShortcutsReachTheirActions) {
    Form1->show();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    const QStringList entries = [] {
        QStringList texts;
        for (const QAction* action : Form1->N1->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }();
    EXPECT_EQ(entries.join(QLatin1Char('|')),
              QStringLiteral("新規|テンプレートから新規|-|開く|最近使ったファイル|-|保存|"
                             "上書き保存|名前を付けて保存|書き出し|-|終了"));

    // Ctrl+S without a file asks for a name, and a name without an extension gets ".txt".
    makeChange();
    const QString first = scratch.filePath("first");
    dialogs->saveName = first;
    ctrl(Qt::Key_S);
    EXPECT_TRUE(QFileInfo::exists(first + ".txt"));
    EXPECT_EQ(Form1->projectFile, first + ".txt");
    EXPECT_TRUE(Form1->undoStack->isClean());

    // With a file, Ctrl+S saves there without asking.
    makeChange();
    dialogs->saveName = scratch.filePath("unasked.txt");
    ctrl(Qt::Key_S);
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath("unasked.txt")));
    EXPECT_TRUE(Form1->undoStack->isClean());

    ctrl(Qt::Key_S, Qt::ShiftModifier);
    EXPECT_EQ(Form1->projectFile, scratch.filePath("unasked.txt"));

    ctrl(Qt::Key_N);
    EXPECT_EQ(Form1->project.sceneCount(), 1);
    EXPECT_TRUE(Form1->projectFile.isEmpty());

    dialogs->openName = first + ".txt";
    ctrl(Qt::Key_O);
    EXPECT_EQ(Form1->project.sceneCount(), 3);
    EXPECT_EQ(Form1->projectFile, first + ".txt");

    // 保存 in the question about unsaved work saves to the current file without asking.
    makeChange();
    dialogs->choice = 0;
    dialogs->saveName = scratch.filePath("asked.txt");
    ctrl(Qt::Key_N);
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath("asked.txt")));
    ctrl(Qt::Key_O);
    EXPECT_EQ(Form1->project.sceneCount(), 4);

    // Exit asks about unsaved work; cancelled, the window stays.
    makeChange();
    QSignalSpy exits(Form1->N7, &QAction::triggered);
    dialogs->choice = 2;
    ctrl(Qt::Key_Q);
    EXPECT_EQ(exits.count(), 1);
    EXPECT_TRUE(Form1->isVisible());
}

TEST_F(FileMenu, RecentFilesAreKeptNewestFirstAndForgetMissingOnes) {
    QStringList files;
    for (int i = 0; i < 10; ++i) {
        files << scratch.filePath(QStringLiteral("p%1.txt").arg(i));
        dialogs->saveName = files.back();
        Form1->N3Click();
    }
    // Saved into the scratch settings, never the user's own.
    EXPECT_TRUE(QFileInfo::exists(scratch.filePath("config/Hakoniwa/Hakoniwa.conf")));
    QStringList recent = RecentFiles::list();
    ASSERT_EQ(recent.size(), 8);
    EXPECT_EQ(recent.front(), files[9]);
    EXPECT_EQ(recent.back(), files[2]);

    // Opening one puts it first, asking about unsaved work first as 開く does.
    makeChange();
    dialogs->choice = 1; // 保存しない
    Form1->openRecent(files[5]);
    EXPECT_EQ(dialogs->questions.size(), 1);
    EXPECT_EQ(Form1->projectFile, files[5]);
    recent = RecentFiles::list();
    EXPECT_EQ(recent.front(), files[5]);
    EXPECT_EQ(recent.count(files[5]), 1);

    // A file gone since leaves the list, with a word why.
    QFile::remove(files[9]);
    Form1->recentMenu->popup(QPoint(0, 0)); // fills the menu
    Form1->recentMenu->hide();
    QAction* gone = nullptr;
    for (QAction* action : Form1->recentMenu->actions())
        if (QFileInfo(action->text()) == QFileInfo(files[9]))
            gone = action;
    ASSERT_NE(gone, nullptr);
    gone->trigger();
    EXPECT_EQ(RecentFiles::list().size(), 7);
    EXPECT_FALSE(Form1->statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(Form1->projectFile, files[5]);
}

TEST_F(FileMenu, AReadStoppedByABadLineKeepsItsFailureCaptionWithTheUnsavedMark) {
    const QString bad = scratch.filePath("bad.txt");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Page 2 names a scene the header lacks.
    file.write("[scene_headder]\r\nA\r\nB\r\n[/scene_headder]\r\n[itm]\r\n\t[page0]\r\n"
               "\t[page1]\r\n\t\titm0\t\r\n\t[page2]\r\n\t\titm1\t\r\n");
    file.close();
    dialogs->openName = bad;
    Form1->N2Click();
    ASSERT_EQ(dialogs->errors.size(), 1); // the message came and was closed
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム 例外:308TForm1::ldSource *"));
    // Later changes keep it; a save that succeeds ends it.
    makeChange();
    Form1->undoStack->undo();
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム 例外:308TForm1::ldSource *"));
    dialogs->saveName = scratch.filePath("good.txt");
    Form1->saveClick();
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム - good.txt"));
}
