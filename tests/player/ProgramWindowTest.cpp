#include "ProgramApplication.h"
#include "ProgramProject.h"
#include "player/app/PlayerWindow.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hakoniwa::player;
using program_project::instruction;

namespace {

TEST(ProgramWindow, FeedsNameKeysAndScaledMouseAndKeepsTheFrameWhenTheGameStops) {
    ensureApplication();
    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("game.txt"));
    program_project::write(project,
                           {{"n"},
                            {"k"},
                            {"p", "x", "y"},
                            {"0", instruction(QStringLiteral("名前入力")), "n[]", "name?"},
                            {"0", instruction(QStringLiteral("キー待ち")), "k[]"},
                            {"0", instruction(QStringLiteral("マウス位置")), "p[].x", "p[].y"},
                            {"0", instruction(QStringLiteral("割り算")), "n[]", "1", "0"}});
    PlayerWindow window(
        GameOptions{project.toStdString(), program_project::vocabularyFolder().toStdString()});
    ASSERT_TRUE(window.playing());
    window.resize(1280, 960); // twice the game's size

    window.advance(true);
    ASSERT_TRUE(window.nameEntryVisible());
    auto* field = window.findChild<QLineEdit*>();
    field->setText(QStringLiteral("たろう"));
    emit field->returnPressed();
    EXPECT_FALSE(window.nameEntryVisible());
    window.advance(true); // the name arrives; the game waits for a key

    QMouseEvent move(QEvent::MouseMove, QPointF(200, 100), QPointF(200, 100), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &press);
    QCoreApplication::sendEvent(&window, &release);
    window.advance(true);

    const std::string variables = window.playing()->dumpVariables();
    EXPECT_NE(variables.find("k[0] = 4"), std::string::npos) << variables; // 決定
    EXPECT_NE(variables.find("p[0].x = 100"), std::string::npos) << variables;
    EXPECT_NE(variables.find("p[0].y = 50"), std::string::npos) << variables;
    EXPECT_NE(variables.find("たろう"), std::string::npos) << variables;
    ASSERT_TRUE(window.stoppedBy());
    EXPECT_EQ(window.stoppedBy()->row, 7);
    // The last frame stays with the error panel over it, and nothing runs any more.
    EXPECT_GT(window.frame().pixelColor(320, 240).red(), 40);
    window.advance(true);
    EXPECT_FALSE(window.playing()->finished());
}

// The title names the game; Escape asks before ending it; F11 toggles full screen.
TEST(ProgramWindow, NamesTheGameAsksOnEscapeAndGoesFullScreen) {
    ensureApplication();
    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("shooter.txt"));
    program_project::write(project, {{"0", instruction(QStringLiteral("クリック待ち"))}});
    GameOptions options{project.toStdString(), program_project::vocabularyFolder().toStdString()};
    EXPECT_EQ(PlayerWindow(options).windowTitle(), QStringLiteral("shooter - 箱庭"));
    options.filesDir = folder.path().toStdString(); // the editor's run file: its first scene
    PlayerWindow window(options);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("メイン - 箱庭"));

    int questions = 0;
    bool answer = false;
    window.askToQuit = [&](QWidget*) {
        ++questions;
        return answer;
    };
    window.show();
    window.start();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &escape);
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(window.isVisible());
    window.advance(true);
    EXPECT_FALSE(window.stoppedBy());
    answer = true;
    QCoreApplication::sendEvent(&window, &escape);
    EXPECT_EQ(questions, 2);
    EXPECT_FALSE(window.isVisible());

    PlayerWindow other(options);
    other.show();
    QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QCoreApplication::sendEvent(&other, &f11);
    EXPECT_TRUE(other.windowState() & Qt::WindowFullScreen);
    QCoreApplication::sendEvent(&other, &f11);
    EXPECT_FALSE(other.windowState() & Qt::WindowFullScreen);
}

} // namespace
