#include "ProgramApplication.h"
#include "ProgramProject.h"
#include "player/app/CommandLine.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

using namespace hakoniwa::player;
using program_project::instruction;

namespace {

std::string failureOf(const std::vector<std::string>& arguments) {
    try {
        CommandLine::parse(arguments);
    } catch (const CommandLine::Error& error) {
        return error.what();
    }
    return "(none)";
}

TEST(ProgramCommandLine, ReadsOptionsInBothFormsAndRefusesWhatIsWrong) {
    const CommandLine window = CommandLine::parse({"game.txt"});
    EXPECT_EQ(window.project, "game.txt");
    EXPECT_FALSE(window.headless);
    EXPECT_FALSE(window.vocabulary);
    EXPECT_EQ(window.seed, 1u);

    const CommandLine headless =
        CommandLine::parse({"--headless", "--frames=120", "--keys", "k.txt", "--seed", "4294967295",
                            "--screenshot=out.png", "--dump-variables", "--vocabulary", "voc",
                            "--files", "art", "--", "-odd.txt"});
    EXPECT_TRUE(headless.headless);
    EXPECT_EQ(headless.frames, 120);
    EXPECT_EQ(headless.keyScript, "k.txt");
    EXPECT_EQ(headless.seed, 4294967295u);
    EXPECT_EQ(headless.screenshot, "out.png");
    EXPECT_TRUE(headless.dumpVariables);
    EXPECT_EQ(headless.vocabulary, "voc");
    EXPECT_EQ(headless.files, "art");
    EXPECT_EQ(headless.project, "-odd.txt");

    EXPECT_EQ(failureOf({}), "プロジェクトファイルを指定してください");
    EXPECT_EQ(failureOf({"a.txt", "b.txt"}), "プロジェクトファイルは一つだけです: b.txt");
    EXPECT_EQ(failureOf({"--fast", "a.txt"}), "知らないオプション: --fast");
    EXPECT_EQ(failureOf({"a.txt", "--keys"}), "--keys の後に値がありません");
    EXPECT_EQ(failureOf({"--headless=1", "a.txt"}), "--headless は値をとりません");
    EXPECT_EQ(failureOf({"--headless", "--frames", "0", "a.txt"}),
              "--frames には 1 から 10000000 までの整数を書いてください: 0");
    EXPECT_EQ(failureOf({"--seed", "-3", "a.txt"}),
              "--seed には 0 から 4294967295 までの整数を書いてください: -3");
    EXPECT_EQ(failureOf({"--screenshot", "x.png", "a.txt"}),
              "--frames, --keys, --screenshot, --dump-variables は --headless と使います");
}

// Runs the real program on a tiny project made with the editor's vocabulary.
class ProgramRun : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApplication();
        ASSERT_TRUE(folder.isValid());
        vocabulary = program_project::vocabularyFolder();
    }

    QString writeProject(const std::vector<std::vector<std::string>>& rows) {
        const QString path = folder.filePath(QStringLiteral("game.txt"));
        program_project::write(path, rows);
        return path;
    }

    int run(const QStringList& arguments,
            const QString& program = QStringLiteral(HAKONIWA_PLAYER)) {
        QProcess player;
        player.start(program, arguments);
        EXPECT_TRUE(player.waitForFinished(30000));
        out = QString::fromUtf8(player.readAllStandardOutput());
        err = QString::fromUtf8(player.readAllStandardError());
        return player.exitCode();
    }

    QTemporaryDir folder;
    QString vocabulary;
    QString out, err;
};

TEST_F(ProgramRun, HeadlessRunSavesTheLastFrameAndTheVariables) {
    const QString project = writeProject({
        {"n"},
        {"0", instruction(QStringLiteral("背景色")), "3"},
        {"0", instruction(QStringLiteral("次の画面まで待つ"))},
        {"0", instruction(QStringLiteral("代入")), "n[]", "5"},
    });
    const QString shot = folder.filePath(QStringLiteral("shot.png"));
    EXPECT_EQ(run({"--headless", "--frames", "3", "--vocabulary", vocabulary, "--screenshot", shot,
                   "--dump-variables", project}),
              0)
        << err.toStdString();
    const QImage frame(shot);
    ASSERT_EQ(frame.size(), QSize(640, 480));
    EXPECT_EQ(frame.pixelColor(5, 5), QColor(110, 175, 75)); // 草色
    EXPECT_TRUE(out.contains(QStringLiteral("n[0] = 5"))) << out.toStdString();
}

TEST_F(ProgramRun, AGameErrorExitsWithOneAndNamesTheRow) {
    const QString project = writeProject({
        {"n"},
        {"0", instruction(QStringLiteral("割り算")), "n[]", "1", "0"},
    });
    EXPECT_EQ(run({"--headless", "--vocabulary", vocabulary, project}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("アイテム「itm0」 2 行目"))) << err.toStdString();
}

TEST_F(ProgramRun, BadArgumentsAndMissingFilesExitWithTwo) {
    EXPECT_EQ(run({"--headless", "--frames", "many", "game.txt"}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("--frames には"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("使い方")));

    EXPECT_EQ(run({"--headless", folder.filePath(QStringLiteral("none.txt"))}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("プロジェクトファイルがありません")));

    const QString project = writeProject({});
    const QString keys = folder.filePath(QStringLiteral("keys.txt"));
    QFile script(keys);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("5 key up down\n6 key up sideways\n");
    script.close();
    EXPECT_EQ(run({"--headless", "--vocabulary", vocabulary, "--keys", keys, project}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("2 行目: down か up と書いてください: sideways")));
}

// Only a regular file with the header line is played; its name is taken as bytes.
TEST_F(ProgramRun, PlaysOnlyAProjectFileAndFindsItByItsBytes) {
    const QString stray = folder.filePath(QStringLiteral("stray.bin"));
    QFile file(stray);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x93\xfa\x00random bytes\n", 16);
    file.close();
    EXPECT_EQ(run({"--headless", "--vocabulary", vocabulary, stray}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("プロジェクトファイルではありません")))
        << err.toStdString();

    const QString fifo = folder.filePath(QStringLiteral("fifo.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(run({"--headless", "--vocabulary", vocabulary, fifo}), 2); // does not wait
    EXPECT_TRUE(err.contains(QStringLiteral("通常のファイルではありません"))) << err.toStdString();

    const QString project =
        writeProject({{"n"}, {"0", instruction(QStringLiteral("代入")), "n[]", "5"}});
    const QByteArray oddName = QFile::encodeName(folder.path()) + "/g\xff.txt";
    ASSERT_EQ(std::rename(QFile::encodeName(project).constData(), oddName.constData()), 0);
    // The name goes to the player through the shell, as bytes no QString can hold.
    EXPECT_EQ(run({"-c",
                   "exec \"$0\" --headless --dump-variables --vocabulary \"$1\" "
                   "\"$2/g$(printf '\\377').txt\"",
                   QStringLiteral(HAKONIWA_PLAYER), vocabulary, folder.path()},
                  QStringLiteral("/bin/sh")),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("n[0] = 5"))) << out.toStdString();
    std::remove(oddName.constData()); // a name the temporary folder cannot remove
}

} // namespace
