#include "ProgramApplication.h"
#include "ProgramProject.h"
#include "model/Utf8Text.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using program_project::instruction;

// The player run as a program: busy games end their frames, limits exit 1 with their row,
// name answers wait for their question, and a missing vocabulary says where it was looked for.
namespace {

class ProgramLimits : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApplication();
        ASSERT_TRUE(folder.isValid());
    }

    QString project(const std::vector<std::vector<std::string>>& rows) {
        const QString path = folder.filePath(QStringLiteral("game.txt"));
        program_project::write(path, rows);
        return path;
    }

    QString script(const QByteArray& lines) {
        const QString path = folder.filePath(QStringLiteral("keys.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
        return path;
    }

    int run(QStringList arguments, const QString& workingFolder = {}) {
        QProcess player;
        if (!workingFolder.isEmpty())
            player.setWorkingDirectory(workingFolder);
        player.start(QStringLiteral(HAKONIWA_PLAYER), arguments);
        EXPECT_TRUE(player.waitForFinished(10000)) << "the player did not finish";
        if (player.state() != QProcess::NotRunning)
            player.kill();
        out = QString::fromUtf8(player.readAllStandardOutput());
        err = QString::fromUtf8(player.readAllStandardError());
        return player.exitCode();
    }

    QTemporaryDir folder;
    const QString vocabulary = program_project::vocabularyFolder();
    QString out, err;
};

TEST_F(ProgramLimits, ABusyLoopEndsItsFramesAndALimitNamesItsRow) {
    const std::string always = "飛ぶ,条件なしでいつも飛ぶ,0";
    const QString busy = project({{"n"},
                                  {"0", instruction(QStringLiteral("増やす")), "n[]"},
                                  {"1", hakoniwa::utf8ToCp932(always)}});
    EXPECT_EQ(run({"--headless", "--frames", "30", "--vocabulary", vocabulary, busy}), 0)
        << err.toStdString();

    const QString huge = project(
        {{"v", "a", "b", "c"}, {"0", instruction(QStringLiteral("代入")), "v[999999].a", "1"}});
    EXPECT_EQ(run({"--headless", "--vocabulary", vocabulary, huge}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("アイテム「itm0」 2 行目: 変数の値が多すぎます")))
        << err.toStdString();
}

TEST_F(ProgramLimits, ANameAnswerBeforeItsQuestionWaitsForIt) {
    const QString asks = project({{"n"},
                                  {"0", instruction(QStringLiteral("次の画面まで待つ"))},
                                  {"0", instruction(QStringLiteral("名前入力")), "n[]", "?"},
                                  {"0", instruction(QStringLiteral("次の画面まで待つ"))}});
    const QString keys = script("0 name たろう\n");
    EXPECT_EQ(run({"--headless", "--frames", "5", "--vocabulary", vocabulary, "--keys", keys,
                   "--dump-variables", asks}),
              0);
    EXPECT_TRUE(out.contains(QStringLiteral("n[0] = \"たろう\""))) << out.toStdString();
}

TEST_F(ProgramLimits, AMissingVocabularySaysWhereItLookedAndHowToNameIt) {
    const QString game = project({});
    const QString empty = folder.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    EXPECT_EQ(run({"--headless", "--vocabulary", empty, game}), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("語彙ファイルがありません: ") + empty +
                             QStringLiteral("/mtd.txt")))
        << err.toStdString();
    EXPECT_EQ(run({"--headless", game}, empty), 2);
    EXPECT_TRUE(err.contains(QStringLiteral("--vocabulary で語彙のフォルダ"))) << err.toStdString();
}

} // namespace
