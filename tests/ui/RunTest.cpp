#include "FileSizeLimit.h"
#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/Unit2.h"
#include "handles/Unit5.h"
#include "model/SourceWriter.h"
#include "platform/DataPlaces.h"
#include "platform/Launcher.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <QTimer>

namespace {

// Records each launch together with the run file as it lay on disk at that moment.
class RecordingLauncher : public hakoniwa::Launcher {
public:
    struct Launch {
        QString program;
        QStringList arguments;
        QString workingDirectory;
        QByteArray runFile;
    };
    QString runFilePath;
    std::vector<Launch> launches;

    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override {
        QFile file(runFilePath);
        file.open(QIODevice::ReadOnly);
        launches.push_back({program, arguments, workingDirectory, file.readAll()});
        return true;
    }
    bool shellOpen(const QString&, const QString&) override { return false; }
};

QByteArray bytesOf(const hakoniwa::Project& project) {
    return QByteArray::fromStdString(hakoniwa::SourceWriter::write(project));
}

// The data folder below the scratch directory takes no new file, as an installed one would
// not for a user; the user's folder is `user`.
class ReadOnlyDataFolder : public hakoniwa::DataPlaces {
public:
    QString working, user;
    QString binaryDir() const override { return QString(); }
    QString workingDir() const override { return working; }
    QString userDataDir() const override { return user; }
    bool isWritableFolder(const QString& folder) const override {
        return !QDir::cleanPath(folder).startsWith(working + "/dat");
    }
};

QString cell(int column, int row) {
    return Form1->sgPos->item(row, column)->text();
}

// A development tree in the scratch folder whose program folder is `binary`.
class ScratchPlaces : public hakoniwa::DataPlaces {
public:
    QString working, binary;
    QString binaryDir() const override { return binary; }
    QString workingDir() const override { return working; }
    QString userDataDir() const override { return working + "/data"; }
    bool isWritableFolder(const QString& folder) const override { return QDir(folder).exists(); }
};

QByteArray waitForFile(const QString& path) {
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(path) && waited.elapsed() < 5000)
        QThread::msleep(20);
    QThread::msleep(50); // the script may still be writing
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A stand-in player in `folder` that writes its arguments, one a line, to args.txt beside it.
void writeFakePlayer(const QString& folder) {
    QDir().mkpath(folder);
    QFile player(folder + "/hakoniwa-player");
    ASSERT_TRUE(player.open(QIODevice::WriteOnly));
    player.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n");
    player.setPermissions(player.permissions() | QFileDevice::ExeOwner);
}

// The fake player's arguments, paths made canonical.
QStringList playerArguments(const QString& argsFile) {
    QStringList arguments = QString::fromUtf8(waitForFile(argsFile)).trimmed().split('\n');
    for (QString& argument : arguments)
        if (argument.startsWith('/'))
            argument = QFileInfo(argument).canonicalFilePath();
    return arguments;
}

// PATH for the length of a test, put back however the test ends.
class ScopedPath {
public:
    explicit ScopedPath(const QString& path) : saved_(qgetenv("PATH")) {
        qputenv("PATH", path.toLocal8Bit());
    }
    ~ScopedPath() { qputenv("PATH", saved_); }

private:
    QByteArray saved_;
};

// A PATH folder holding only the tools the run script needs, so that no installed player is
// found by accident.
QString toolsOnlyPath(const QString& folder) {
    QDir().mkpath(folder);
    for (const char* tool : {"date", "dirname", "head", "tr", "wc"})
        QFile::link(QStandardPaths::findExecutable(tool), folder + "/" + tool);
    return folder;
}

} // namespace

class Run : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        auto recording = std::make_unique<RecordingLauncher>();
        launcher = recording.get();
        launcher->runFilePath = scratch.filePath("dat/bat/tmp.txt");
        hakoniwa::Launcher::install(std::move(recording));
    }
    void TearDown() override {
        hakoniwa::Launcher::install(nullptr);
        WindowsFixture::TearDown();
    }
    RecordingLauncher* launcher = nullptr;
};

TEST_F(Run, WritesTheRunFileThenStartsTheScriptEveryTime) {
    Form1->Button2Click();
    const QByteArray first = bytesOf(Form1->project);
    Form1->Button1Click();
    Form2->addItm(Form1->project.scene(1));
    Form1->Button2Click();

    ASSERT_EQ(launcher->launches.size(), 2u);
    EXPECT_EQ(launcher->launches[0].runFile, first);
    EXPECT_EQ(launcher->launches[1].runFile, bytesOf(Form1->project));
    for (const auto& launch : launcher->launches) {
        EXPECT_EQ(launch.program, "/bin/sh");
        ASSERT_EQ(launch.arguments.size(), 1);
        EXPECT_TRUE(QFileInfo(launch.arguments[0]).isAbsolute());
        EXPECT_EQ(QFileInfo(launch.arguments[0]).canonicalFilePath(),
                  QFileInfo(scratch.filePath("dat/bat/run.sh")).canonicalFilePath());
        EXPECT_EQ(launch.workingDirectory, Form1->baseDir);
    }
    EXPECT_FALSE(Form1->windowTitle().contains(QStringLiteral("例外")));
}

TEST_F(Run, RunSaysHowManyProblemsTheCheckFindsAndRunsAllTheSame) {
    Form2->addItm(Form1->project.scene(0));
    hakoniwa::ItemSheet& sheet = Form1->project.scene(0).item(0).sheet;
    sheet.setCell(1, 2, "99"); // a jump to nothing
    sheet.setCell(2, 2, Form3->definitions.components.back());
    sheet.setCell(1, 3, "98");
    sheet.setCell(2, 3, Form3->definitions.components.back());
    Form1->statusBar()->clearMessage();
    Form1->Button2Click();
    const QString said = Form1->statusBar()->currentMessage();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^問題が [2-9]\\d* 件あります（表示 > 問題）$"))
                    .match(said)
                    .hasMatch())
        << said.toStdString();
    EXPECT_EQ(launcher->launches.size(), 1u);
}

TEST_F(Run, FailedWriteIsReportedAndTheScriptGetsThePreviousRunFile) {
    Form1->Button2Click();
    const QByteArray previous = bytesOf(Form1->project);
    Form2->addItm(Form1->project.scene(0));
    Form1->project.scene(0).item(0).sheet.setRowCount(400);
    {
        const FileSizeLimit diskFull(previous.size() + 100);
        Form1->Button2Click();
    }
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム 例外:373TForm1::mkSource"));
    ASSERT_EQ(launcher->launches.size(), 2u);
    EXPECT_EQ(launcher->launches[1].runFile, previous);
}

TEST_F(Run, TheSampleScriptLogsTheRunFileItWasGiven) {
    hakoniwa::Launcher::install(nullptr); // the real launcher and the repository's run.sh
    const ScopedPath noPlayer(toolsOnlyPath(scratch.filePath("tools")));
    const QString log = scratch.filePath("dat/bat/run.log");
    QFile::remove(log); // a log left in the repository's dat/ was copied along
    Form1->Button2Click();
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(log) && waited.elapsed() < 5000)
        QThread::msleep(20);
    QThread::msleep(50); // the script may still be writing its line
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString line = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(line.contains("tmp.txt")) << line.toStdString();
    EXPECT_TRUE(line.contains(QString::number(bytesOf(Form1->project).size()) + " bytes"))
        << line.toStdString();
}

TEST_F(Run, TheScriptStartsThePlayerBesideTheEditorThenOnPathOrLogsItsAbsence) {
    hakoniwa::Launcher::install(nullptr);
    auto places = std::make_unique<ScratchPlaces>();
    places->working = QDir::cleanPath(scratch.path());
    places->binary = scratch.filePath("bin");
    ScratchPlaces* scratchPlaces = places.get();
    hakoniwa::DataPlaces::install(std::move(places));
    const QString tools = toolsOnlyPath(scratch.filePath("tools"));
    const QStringList expected = {
        "--vocabulary", QFileInfo(scratch.filePath("dat/txt/game")).canonicalFilePath(),
        QFileInfo(scratch.filePath("dat/bat")).canonicalFilePath() + "/tmp.txt"};
    {
        const ScopedPath noPlayer(tools);
        writeFakePlayer(scratch.filePath("bin"));
        Form1->Button2Click();
        EXPECT_EQ(playerArguments(scratch.filePath("bin/args.txt")), expected);
    }
    {
        scratchPlaces->binary = scratch.filePath("empty");
        writeFakePlayer(scratch.filePath("onpath"));
        const ScopedPath playerOnPath(tools + ":" + scratch.filePath("onpath"));
        // A saved project's own folder is where the game's files are looked up.
        ASSERT_TRUE(QDir(scratch.path()).mkpath("games"));
        Form1->projectFile = scratch.filePath("games/game.txt");
        Form1->Button2Click();
        QStringList withFiles = expected;
        withFiles.insert(2, QFileInfo(scratch.filePath("games")).canonicalFilePath());
        withFiles.insert(2, "--files");
        EXPECT_EQ(playerArguments(scratch.filePath("onpath/args.txt")), withFiles);
        Form1->projectFile.clear();
    }
    const ScopedPath noPlayer(tools);
    const QString log = scratch.filePath("dat/bat/run.log");
    QFile::remove(log);
    Form1->Button2Click();
    QByteArray logged;
    QElapsedTimer waited;
    waited.start();
    while (!logged.contains("not found") && waited.elapsed() < 5000) {
        QThread::msleep(20);
        logged = waitForFile(log);
    }
    EXPECT_TRUE(logged.contains("hakoniwa-player not found")) << logged.toStdString();
    EXPECT_EQ(logged.count('\n'), 2) << logged.toStdString(); // the run's line and why
    hakoniwa::DataPlaces::install(nullptr);
}

TEST_F(Run, ReadOnlyDataFolderRunsFromTheUserFolderOrSaysWhyNot) {
    auto places = std::make_unique<ReadOnlyDataFolder>();
    places->working = QDir::cleanPath(scratch.path());
    places->user = scratch.filePath("home/hakoniwa");
    ReadOnlyDataFolder* readOnly = places.get();
    hakoniwa::DataPlaces::install(std::move(places));
    const QString own = scratch.filePath("home/hakoniwa/bat");
    launcher->runFilePath = own + "/tmp.txt";
    Form1->Button2Click();
    ASSERT_EQ(launcher->launches.size(), 1u);
    EXPECT_EQ(launcher->launches[0].runFile, bytesOf(Form1->project));
    EXPECT_EQ(launcher->launches[0].arguments, QStringList{own + "/run.sh"});
    EXPECT_EQ(launcher->launches[0].workingDirectory, Form1->baseDir);
    QFile copied(own + "/run.sh");
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_TRUE(copied.readAll().contains("tmp.txt"));
    EXPECT_FALSE(QFile::exists(scratch.filePath("dat/bat/tmp.txt")));
    EXPECT_FALSE(Form1->windowTitle().contains(QStringLiteral("例外")));

    // A user folder that cannot be made (a file stands in its way) is reported; the script is
    // started all the same.
    QFile blocker(scratch.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    readOnly->user = scratch.filePath("blocked/hakoniwa");
    Form1->Button2Click();
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム 例外:373TForm1::mkSource"));
    EXPECT_EQ(launcher->launches.size(), 2u);
    hakoniwa::DataPlaces::install(nullptr);
}

TEST_F(Run, PositionGridFollowsTheHandleWindows) {
    Form1->curWin[3]->move(100, 100);
    Form1->curWin[1]->move(150, 120);
    Form1->curWin[2]->move(90, 300);
    Form1->Timer1Timer();
    const QStringList expected = {"50", "20", "-10", "200", "-60", "180", "100", "100"};
    QStringList shown;
    for (int row = 1; row <= 4; ++row)
        shown << cell(1, row) << cell(2, row);
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(Form1->Timer1->isActive());
    EXPECT_EQ(Form1->Timer1->interval(), 2);

    // A typed value goes on the next tick; a tick that changes nothing writes nothing.
    Form1->sgPos->item(2, 1)->setText("999");
    int writes = 0;
    QObject::connect(Form1->sgPos->model(), &QAbstractItemModel::dataChanged, Form1,
                     [&writes] { ++writes; });
    Form1->Timer1Timer();
    EXPECT_EQ(cell(1, 2), "-10");
    EXPECT_EQ(writes, 1);
    Form1->Timer1Timer();
    EXPECT_EQ(writes, 1);
}

TEST_F(Run, TheGridFollowsEachMoveAtOnceAndTheTimerRunsOnlyWhileAHandleMoves) {
    QTimer* timer = Form1->Timer1;
    const auto timerStops = [timer] {
        return QTest::qWaitFor([timer] { return !timer->isActive(); }, 1000);
    };
    EXPECT_TRUE(timerStops()); // nothing moves after start-up

    TWWWinCur* origin = Form1->curWin[3];
    origin->move(origin->pos() + QPoint(7, 5));
    EXPECT_EQ(cell(1, 4), QString::number(origin->x())); // before any tick
    EXPECT_EQ(cell(2, 4), QString::number(origin->y()));
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timerStops());

    // A window held with the button keeps the timer running until it is let go.
    TWWWinCur* point = Form1->curWin[1];
    point->FormMouseDown(Qt::LeftButton, 3, 3);
    point->move(point->pos() + QPoint(1, 0));
    QTest::qWait(30);
    EXPECT_TRUE(timer->isActive());
    point->FormMouseUp(Qt::LeftButton);
    EXPECT_TRUE(timerStops());

    // A typed value wakes the timer, whose next tick puts the position back.
    const QString p1x = cell(1, 1);
    Form1->sgPos->item(1, 1)->setText("999");
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell(1, 1) == p1x; }, 1000));
    EXPECT_TRUE(timerStops());
}
