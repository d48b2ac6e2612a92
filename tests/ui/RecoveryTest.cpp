#include "WindowQueries.h"
#include "WindowsFixture.h"

#include "app/ErrorLog.h"
#include "app/Recovery.h"
#include "app/Startup.h"
#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "editor/Unit2.h"
#include "model/SourceWriter.h"
#include "platform/RecoveryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

namespace {

std::string fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

// An edit as the user makes one: it leaves unsaved changes.
void addItemWithLabel(const std::string& label) {
    recordEdit(QStringLiteral("アイテムの追加"), [&] {
        Form2->addItm(Form1->project.scene(0));
        Form2->newItm->sheet.setCell(4, 1, label);
    });
}

// Ends the windows as a crash would leave them (no clean exit) and starts them again.
void restart() {
    destroyWindows();
    createWindows();
    offerRecovery();
}

} // namespace

class CrashRecovery : public WindowsFixture {
protected:
    QString recoveryFile() const { return Form1->recovery->path(); }
    QString stateFolder() const { return scratch.filePath("state/hakoniwa"); }
    void autosave() {
        Form1->recovery->autosave();
        Form1->recovery->finishWriting();
    }
};

TEST_F(CrashRecovery, WrittenWhileUnsavedThenRestoredOrDiscardedAtTheNextStart) {
    offerRecovery();
    EXPECT_TRUE(dialogs->questions.isEmpty()); // nothing left from before
    addItemWithLabel("before the crash");
    Form1->Button1Click();
    autosave();
    const std::string written = projectBytes();
    const QString file = recoveryFile();
    EXPECT_EQ(fileBytes(file), hakoniwa::RecoveryStore::originLine(QString()) + written);

    destroyWindows(); // as a crash leaves them: no clean exit
    createWindows();
    QUndoStack history; // at its clean state
    Form1->undoStack = &history;
    dialogs->choice = 0;
    offerRecovery();
    ASSERT_EQ(dialogs->questions.size(), 1);
    const QString time =
        QFileInfo(file).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    EXPECT_EQ(
        dialogs->questions[0],
        QStringLiteral("前回終了しなかったときの作業が残っています（%1 保存）。復元しますか？")
            .arg(time));
    EXPECT_EQ(dialogs->answersOffered[0],
              (QStringList{QStringLiteral("復元"), QStringLiteral("破棄")}));
    EXPECT_EQ(projectBytes(), written);
    EXPECT_EQ(Form1->pcScene->count(), 2);
    EXPECT_TRUE(Form1->hasUnsavedChanges());
    EXPECT_EQ(recoveryFile(), file); // taken over, and kept until the work is saved
    EXPECT_TRUE(QFile::exists(file));
    Form1->undoStack = nullptr;

    dialogs->choice = -1; // closed without an answer: the work comes back all the same
    restart();
    EXPECT_EQ(projectBytes(), written);

    dialogs->choice = 1;
    restart();
    EXPECT_EQ(dialogs->questions.size(), 3);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(Form1->project.sceneCount(), 1);
    EXPECT_EQ(Form1->project.scene(0).itemCount(), 0);
}

TEST_F(CrashRecovery, SaveCleanStateAndCleanExitRemoveTheFile) {
    offerRecovery();
    const QString file = recoveryFile();
    autosave();
    EXPECT_FALSE(QFile::exists(recoveryFile())); // nothing unsaved yet
    addItemWithLabel("a");
    autosave();
    ASSERT_TRUE(QFile::exists(recoveryFile()));
    dialogs->saveName = scratch.filePath("game.txt");
    Form1->N3Click();
    EXPECT_FALSE(QFile::exists(recoveryFile()));

    addItemWithLabel("b");
    Form1->mkSource(QString()); // running is no save
    autosave();
    Form1->mkSource(QString());
    EXPECT_TRUE(QFile::exists(recoveryFile()));
    Form1->undoStack->undo(); // back at its clean state
    autosave();
    EXPECT_FALSE(QFile::exists(recoveryFile()));

    addItemWithLabel("c");
    autosave();
    ASSERT_TRUE(QFile::exists(recoveryFile()));
    QTimer::singleShot(0, Form1, [] { Form1->N7Click(); });
    QTimer::singleShot(3000, Form1, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(CrashRecovery, LargeProjectIsWrittenAndFailuresAreReportedOnce) {
    // Over a megabyte: the worker prepares the memory first, then the slot runs again.
    hakoniwa::Scene& scene = Form1->project.scene(0);
    recordEdit(QStringLiteral("アイテムの追加"), [&] {
        for (int i = 0; i < 400; ++i) {
            hakoniwa::ItemSheet& sheet = scene.addItem(i, i).sheet;
            for (int r = 2; r < 100; ++r)
                sheet.setCell(3, r, "Score[" + std::to_string(r) + "].point.value");
        }
    });
    ASSERT_GT(projectBytes().size(), 1u << 20);
    Form1->recovery->autosave();
    EXPECT_FALSE(QFile::exists(recoveryFile()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recoveryFile()); }, 5000));
    Form1->recovery->finishWriting();
    EXPECT_TRUE(fileBytes(recoveryFile()) ==
                hakoniwa::RecoveryStore::originLine(QString()) + projectBytes());

    errorLog().clear();
    ASSERT_TRUE(QFile::remove(recoveryFile()));
    ASSERT_TRUE(QDir().mkdir(recoveryFile())); // a folder where the file should go
    autosave();
    autosave();
    ASSERT_EQ(errorLog().entries().size(), 1u);
    EXPECT_TRUE(errorLog().entries().front().message.startsWith(
        QStringLiteral("自動保存できませんでした: ")));
    QDir().rmdir(recoveryFile());
}

// Each running editor writes its own file; what editors that did not end left is offered at
// the next start, newest first, each with the file its work came from.
TEST_F(CrashRecovery, EveryEditorHasItsOwnFileAndEachIsOfferedAtTheNextStart) {
    offerRecovery();
    const QString project = scratch.filePath("game.txt");
    dialogs->saveName = project;
    Form1->N3Click();
    addItemWithLabel("in the first");
    autosave();
    const QString first = recoveryFile();
    {
        Recovery second(
            nullptr, Form1->project, [] { return true; }, stateFolder());
        ASSERT_TRUE(second.active());
        second.start(nullptr,
                     [](const QString&) { ADD_FAILURE() << "restored a running editor's work"; });
        EXPECT_TRUE(dialogs->questions.isEmpty());
        second.autosave();
        second.finishWriting();
        EXPECT_NE(second.path(), first);
        EXPECT_TRUE(QFile::exists(second.path()));
    } // ends as a crash leaves it: its file stays
    EXPECT_TRUE(QFile::exists(first));
    // The first editor's work is an hour older.
    const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
    QFile older(first);
    ASSERT_TRUE(older.open(QIODevice::ReadWrite));
    older.setFileTime(hourAgo, QFileDevice::FileModificationTime);
    older.close();

    dialogs->choice = 1; // 破棄, each in turn
    restart();
    ASSERT_EQ(dialogs->questions.size(), 2);
    EXPECT_FALSE(dialogs->questions[0].contains(QStringLiteral("game.txt")));
    EXPECT_TRUE(dialogs->questions[1].contains(
        QStringLiteral("（%1、%2 保存）")
            .arg(QDir::toNativeSeparators(project),
                 hourAgo.toString(QStringLiteral("yyyy-MM-dd HH:mm")))));
    EXPECT_EQ(QDir(stateFolder()).entryList({"recovery*.txt"}), QStringList());
}
