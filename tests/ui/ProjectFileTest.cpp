#include "FileSizeLimit.h"
#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "model/SourceWriter.h"
#include "platform/Cp932Codec.h"
#include "platform/FileStore.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>
#include <iostream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using hakoniwa::fromQt;

namespace {

std::string fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

void writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

QString caption() {
    return Form1->windowTitle();
}

// メイン with a memo and two items, a second scene with a Japanese name and one item.
void buildTwoScenes() {
    Form1->memoOf(&Form1->project.scene(0))->setPlainText(QStringLiteral("はじめに\n\tタブ"));
    Form2->addItm(Form1->project.scene(0));
    Form2->downX = 200;
    Form2->addItm(Form1->project.scene(0));
    hakoniwa::ItemSheet& sheet = Form1->project.scene(0).item(0).sheet;
    sheet.setCell(1, 2, "2");
    sheet.setCell(2, 2, fromQt(QStringLiteral("キー入力,キー:tei(上|下)")));
    for (int c = 6; c <= 9; ++c)
        sheet.setCell(c, 2, "3");
    Form1->Button1Click();
    Form1->project.scene(1).caption = fromQt(QStringLiteral("敵の城"));
    Form2->addItm(Form1->project.scene(1));
}

} // namespace

using ProjectFile = WindowsFixture;

TEST_F(ProjectFile, SavedThroughTheMenuAndOpenedAgainComesBackTheSame) {
    buildTwoScenes();
    const QString path = scratch.filePath("game.txt");
    dialogs->saveName = scratch.filePath("game"); // a name without extension gets ".txt"
    Form1->N3Click();
    const std::string saved = fileBytes(path);
    EXPECT_FALSE(QFile::exists(scratch.filePath("game")));
    EXPECT_EQ(saved, hakoniwa::SourceWriter::write(Form1->project));

    Form1->N6Click();
    // Pointers into the project that is about to go away.
    Form2->addItm(Form1->project.scene(0));
    Form2->curItm = Form2->hdlStartItm = Form3->backItm = Form2->newItm;

    dialogs->openName = path;
    Form1->N2Click();
    EXPECT_FALSE(caption().contains(QStringLiteral("例外")));
    EXPECT_FALSE(Form1->isLoading);
    ASSERT_EQ(Form1->project.sceneCount(), 2);
    EXPECT_EQ(Form1->pcScene->count(), 2);
    EXPECT_EQ(Form1->pcScene->tabText(1), QStringLiteral("敵の城"));
    EXPECT_EQ(Form1->pcScene->currentIndex(), 0);
    EXPECT_EQ(Form1->lastScene, &Form1->project.scene(1));
    EXPECT_EQ(Form1->memoOf(&Form1->project.scene(0))->toPlainText(),
              QStringLiteral("はじめに\n\tタブ"));
    EXPECT_FALSE(Form1->memoOf(&Form1->project.scene(0))->isHidden());
    EXPECT_TRUE(Form1->memoOf(&Form1->project.scene(1))->isHidden());
    EXPECT_EQ(Form2->curItm, nullptr);
    EXPECT_EQ(Form2->newItm, nullptr);
    EXPECT_EQ(Form2->hdlStartItm, nullptr);
    EXPECT_EQ(Form3->backItm, nullptr);
    EXPECT_EQ(hakoniwa::SourceWriter::write(Form1->project), saved);
}

TEST_F(ProjectFile, ReadingAloneLeavesEveryMemoHidden) {
    writeFile(scratch.filePath("p.txt"), "[scene_headder]\r\nA\r\n\tmemo\r\nB\r\n"
                                         "[/scene_headder]\r\n");
    Form1->ldSource(scratch.filePath("p.txt"));
    ASSERT_EQ(Form1->project.sceneCount(), 2);
    EXPECT_TRUE(Form1->memoOf(&Form1->project.scene(0))->isHidden());
    EXPECT_TRUE(Form1->memoOf(&Form1->project.scene(1))->isHidden());
    EXPECT_FALSE(Form1->isLoading);
}

TEST_F(ProjectFile, CancelledDialogsDoNothing) {
    hakoniwa::Scene* before = &Form1->project.scene(0);
    Form1->N2Click();
    Form1->N3Click();
    EXPECT_EQ(&Form1->project.scene(0), before);
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(caption().contains(QStringLiteral("例外")));
}

TEST_F(ProjectFile, UnreadableFileLeavesTheProjectAsItWas) {
    Form1->Button1Click();
    hakoniwa::Scene* before = &Form1->project.scene(1);
    Form1->ldSource(scratch.filePath("missing.txt"));
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:308TForm1::ldSource *"));
    EXPECT_FALSE(Form1->isLoading);
    ASSERT_EQ(Form1->project.sceneCount(), 2);
    EXPECT_EQ(&Form1->project.scene(1), before);
    EXPECT_EQ(Form1->pcScene->count(), 2);
}

TEST_F(ProjectFile, WhatIsNoProjectIsRefusedAndTheOpenProjectStays) {
    buildTwoScenes();
    Form1->pcScene->setCurrentIndex(1);
    const std::string before = hakoniwa::SourceWriter::write(Form1->project);
    hakoniwa::Scene* firstScene = &Form1->project.scene(0);

    writeFile(scratch.filePath("empty"), "");
    writeFile(scratch.filePath("binary"), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff", 18));
    writeFile(scratch.filePath("text"), "A\r\n\tmemo\r\n[itm]\r\n\t[page0]\r\n\t\titm0\t\r\n");
    // Opening a FIFO for reading would wait here for a writer that never comes.
    ASSERT_EQ(mkfifo(scratch.filePath("fifo").toLocal8Bit().constData(), 0600), 0);
    QDir(scratch.path()).mkdir("folder");
    for (const QString& path :
         {scratch.filePath("empty"), scratch.filePath("binary"), scratch.filePath("text"),
          scratch.filePath("fifo"), scratch.filePath("folder"), QStringLiteral("/dev/zero")}) {
        dialogs->errors.clear();
        dialogs->openName = path;
        Form1->N2Click();
        EXPECT_EQ(dialogs->errors,
                  QStringList{QStringLiteral("プロジェクトファイルではありません")})
            << path.toStdString();
        EXPECT_FALSE(caption().contains(QStringLiteral("例外")));
        EXPECT_FALSE(Form1->isLoading);
        ASSERT_EQ(Form1->project.sceneCount(), 2);
        EXPECT_EQ(&Form1->project.scene(0), firstScene);
        EXPECT_EQ(hakoniwa::SourceWriter::write(Form1->project), before);
        EXPECT_EQ(Form1->pcScene->count(), 2);
        EXPECT_EQ(Form1->pcScene->currentIndex(), 1);
        EXPECT_TRUE(Form1->memoOf(firstScene)->isHidden());
        EXPECT_FALSE(Form1->memoOf(&Form1->project.scene(1))->isHidden());
    }
}

TEST_F(ProjectFile, FailureWhileReadingKeepsThePartialProjectOnShow) {
    // Line 12, counting the empty lines and each kind of line end.
    writeFile(scratch.filePath("p.txt"), "junk\n\r\n[scene_headder]\rA\r\nB\r\r\n"
                                         "[/scene_headder]\n[itm]\r\n\t[page0]\r\n"
                                         "\t[page1]\n\t\titm0\t\r\n\t[page2]\r\n\t\titm1\t\r\n");
    Form1->ldSource(scratch.filePath("p.txt"));
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:308TForm1::ldSource"));
    ASSERT_EQ(dialogs->errors.size(), 1);
    EXPECT_EQ(dialogs->errors[0], QStringLiteral("読み込みを 12 行目で中止しました\n"
                                                 "ページ 2 に当たるシーンがヘッダーにありません"));
    EXPECT_FALSE(Form1->isLoading);
    ASSERT_EQ(Form1->project.sceneCount(), 2);
    EXPECT_EQ(Form1->project.scene(1).itemCount(), 1);
    EXPECT_EQ(Form1->pcScene->count(), 2);
    EXPECT_EQ(Form1->pcScene->tabText(1), "B");
    EXPECT_EQ(Form1->lastScene, &Form1->project.scene(1));
}

TEST_F(ProjectFile, FailedSaveReportsAndKeepsThePreviousFile) {
    Form1->mkSource(scratch.filePath("no/such/folder/p.txt"));
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:373TForm1::mkSource"));

    const QString path = scratch.filePath("p.txt");
    Form1->mkSource(path);
    const std::string previous = fileBytes(path);
    Form2->addItm(Form1->project.scene(0));
    Form1->project.scene(0).item(0).sheet.setRowCount(400);
    Form1->setWindowTitle(QStringLiteral("システム"));
    {
        const FileSizeLimit diskFull(previous.size() + 100);
        Form1->mkSource(path);
    }
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:373TForm1::mkSource"));
    // The backup is taken only once the new bytes are written: none here.
    EXPECT_EQ(fileBytes(path), previous);
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"p.txt"});
}

TEST_F(ProjectFile, SaveKeepsThePreviousVersionBesideTheFile) {
    const QString path = scratch.filePath("game.txt");
    dialogs->saveName = path;
    Form1->N3Click();
    const std::string first = fileBytes(path);
    EXPECT_FALSE(QFile::exists(path + ".bak"));

    Form2->addItm(Form1->project.scene(0));
    Form1->N3Click();
    const std::string second = fileBytes(path);
    EXPECT_NE(second, first);
    EXPECT_EQ(fileBytes(path + ".bak"), first);

    Form1->Button1Click();
    Form1->N3Click();
    EXPECT_EQ(fileBytes(path + ".bak"), second);

    Form1->mkSource(QString()); // the run file has no backup
    Form1->mkSource(QString());
    EXPECT_TRUE(QFile::exists(scratch.filePath("dat/bat/tmp.txt")));
    EXPECT_FALSE(QFile::exists(scratch.filePath("dat/bat/tmp.txt.bak")));

    // Without its backup the file is not replaced.
    const std::string third = fileBytes(path);
    ASSERT_TRUE(QFile::remove(path + ".bak"));
    ASSERT_TRUE(QDir(scratch.path()).mkdir("game.txt.bak"));
    Form1->Button1Click();
    Form1->N3Click();
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:373TForm1::mkSource *"));
    EXPECT_EQ(fileBytes(path), third);
}

// Another editor's save to the open file is not written over unasked: the question offers to
// overwrite it, to save under another name, or to leave it.
TEST_F(ProjectFile, AnotherProgramsSaveIsNotWrittenOverUnasked) {
    const QString path = scratch.filePath("f.txt");
    dialogs->saveName = path;
    Form1->N3Click();
    const std::string theirs = "[scene_headder]\r\nother\r\n[/scene_headder]\r\n";
    writeFile(path, theirs);
    Form2->addItm(Form1->project.scene(0));

    dialogs->choice = 2; // キャンセル
    Form1->saveClick();
    ASSERT_EQ(dialogs->questions.size(), 1);
    EXPECT_EQ(dialogs->questions[0],
              QStringLiteral("ファイルはほかのプログラムで変更されています。上書きしますか？"));
    EXPECT_EQ(dialogs->answersOffered[0],
              (QStringList{QStringLiteral("上書き"), QStringLiteral("名前を付けて保存"),
                           QStringLiteral("キャンセル")}));
    EXPECT_EQ(fileBytes(path), theirs);

    dialogs->choice = 1; // 名前を付けて保存
    dialogs->saveName = scratch.filePath("mine.txt");
    Form1->saveClick();
    EXPECT_EQ(fileBytes(path), theirs);
    EXPECT_EQ(Form1->projectFile, scratch.filePath("mine.txt"));

    // Opened, changed on disk, then overwritten as asked; a save of what it wrote itself is not
    // asked about.
    dialogs->openName = path;
    Form1->N2Click();
    writeFile(path, theirs + "\tmore\r\n");
    dialogs->choice = 0; // 上書き
    Form1->saveClick();
    EXPECT_EQ(fileBytes(path), hakoniwa::SourceWriter::write(Form1->project));
    Form1->saveClick();
    EXPECT_EQ(dialogs->questions.size(), 3);
}

namespace {

// Saving runs in a child process that, when started as root, drops to an unprivileged user,
// for whom folder permissions hold. Returns the child's exit code: 0 written, 1 refused.
int writeAsUnprivileged(const QString& folder, const std::string& bytes) {
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        // Relative to the folder, so that its parents need not be open to that user.
        if (chdir(folder.toLocal8Bit().constData()) != 0 ||
            (geteuid() == 0 && (setresgid(kNobody, kNobody, kNobody) != 0 ||
                                setresuid(kNobody, kNobody, kNobody) != 0)))
            _exit(2);
        try {
            // The save's own route: no backup can be made here, the file is written all the same.
            hakoniwa::FileStore::writeKeepingBackup(QStringLiteral("p.txt"), bytes);
        } catch (const std::runtime_error&) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(FileStore, FolderThatTakesNoNewFileStillLetsAWritableFileBeSaved) {
    QTemporaryDir scratch;
    const QString folder = scratch.filePath("locked");
    const QString path = folder + "/p.txt";
    QDir().mkdir(folder);
    writeFile(path, "previous");
    const auto lockFolder = [&](QFile::Permissions file) {
        QFile(path).setPermissions(file);
        const auto readAndEnter =
            QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
        QFile(folder).setPermissions(readAndEnter);
    };

    const auto anyoneWrites =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther;
    lockFolder(anyoneWrites);
    EXPECT_EQ(writeAsUnprivileged(folder, "new and longer bytes"), 0);
    EXPECT_EQ(fileBytes(path), "new and longer bytes");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"p.txt"});
    EXPECT_EQ(writeAsUnprivileged(folder, "short"), 0);
    EXPECT_EQ(fileBytes(path), "short");

    lockFolder(QFile::ReadOwner | QFile::ReadOther);
    EXPECT_EQ(writeAsUnprivileged(folder, "refused"), 1);
    EXPECT_EQ(fileBytes(path), "short");

    // Written in place, the bytes the disk does not take give back the previous file.
    lockFolder(anyoneWrites);
    {
        const FileSizeLimit diskFull(10);
        EXPECT_EQ(writeAsUnprivileged(folder, "far too long for the disk"), 1);
    }
    EXPECT_EQ(fileBytes(path), "short");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"p.txt"});
    // Open again, so that the scratch folder can be removed by a user who is not root.
    QFile(folder).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
