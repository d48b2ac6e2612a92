#include "FileSizeLimit.h"
#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "model/SourceWriter.h"
#include "platform/Cp932Codec.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabBar>

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
    const QString path = scratch.filePath("game"); // used as given, no extension added
    dialogs->saveName = path;
    Form1->N3Click();
    const std::string saved = fileBytes(path);
    EXPECT_FALSE(QFile::exists(path + ".txt"));
    EXPECT_EQ(saved, hakoniwa::SourceWriter::write(Form1->project));

    Form1->N6Click();
    // Pointers into the project that is about to go away.
    Form2->addItm(Form1->project.scene(0));
    Form2->curItm = Form2->hdlStartItm = Form3->backItm = Form2->newItm;

    dialogs->openName = path;
    Form1->N2Click();
    EXPECT_EQ(caption(), QStringLiteral("システム"));
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
    EXPECT_EQ(caption(), QStringLiteral("システム"));
}

TEST_F(ProjectFile, UnreadableFileLeavesTheProjectAsItWas) {
    Form1->Button1Click();
    hakoniwa::Scene* before = &Form1->project.scene(1);
    Form1->ldSource(scratch.filePath("missing.txt"));
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:308TForm1::ldSource"));
    EXPECT_FALSE(Form1->isLoading);
    ASSERT_EQ(Form1->project.sceneCount(), 2);
    EXPECT_EQ(&Form1->project.scene(1), before);
    EXPECT_EQ(Form1->pcScene->count(), 2);
}

TEST_F(ProjectFile, FailureWhileReadingKeepsThePartialProjectOnShow) {
    writeFile(scratch.filePath("p.txt"), "[scene_headder]\r\nA\r\nB\r\n[/scene_headder]\r\n"
                                         "[itm]\r\n\t[page0]\r\n\t[page1]\r\n\t\titm0\t\r\n"
                                         "\t[page2]\r\n");
    Form1->ldSource(scratch.filePath("p.txt"));
    EXPECT_EQ(caption(), QStringLiteral("システム 例外:308TForm1::ldSource"));
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
    EXPECT_EQ(fileBytes(path), previous);
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files), QStringList{"p.txt"});
}
