// hakoniwa-player: plays a project written by the editor, in a window or headless (see
// CommandLine.h and docs/player.md).

#include "model/Version.h"
#include "platform/AppIdentity.h"
#include "player/app/CommandLine.h"
#include "player/app/HeadlessRun.h"
#include "player/app/PlayerWindow.h"
#include "player/app/VocabularyFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <memory>

using namespace hakoniwa::player;

namespace {

constexpr int kExitUsage = 2;

// Paths the game reads are absolute, so that what it finds does not depend on the folder
// the player runs in.
GameOptions gameOptions(const CommandLine& line) {
    GameOptions options;
    options.projectPath =
        QFileInfo(QString::fromStdString(line.project)).absoluteFilePath().toStdString();
    const QString vocabulary =
        line.vocabulary ? QString::fromStdString(*line.vocabulary) : defaultVocabularyFolder();
    options.vocabularyDir = QDir(vocabulary).absolutePath().toStdString();
    if (line.files)
        options.filesDir = QDir(QString::fromStdString(*line.files)).absolutePath().toStdString();
    options.seed = line.seed;
    return options;
}

// Reports what the game cannot start without, before any window opens.
bool filesReadable(const GameOptions& options, const CommandLine& line) {
    if (!QFileInfo(QString::fromStdString(options.projectPath)).isFile()) {
        std::cerr << "hakoniwa-player: プロジェクトファイルがありません: " << options.projectPath
                  << "\n";
        return false;
    }
    if (const auto missing = missingVocabulary(QString::fromStdString(options.vocabularyDir),
                                               line.vocabulary.has_value())) {
        std::cerr << "hakoniwa-player: " << *missing << "\n";
        return false;
    }
    return true;
}

int playInWindow(int argc, char** argv, const CommandLine& line) {
    QApplication application(argc, argv);
    hakoniwa::identifyApplication(); // the window has the icon and belongs to the menu entry
    const GameOptions options = gameOptions(line);
    if (!filesReadable(options, line))
        return kExitUsage;
    PlayerWindow window(options);
    window.show();
    window.start();
    const int code = application.exec();
    return window.stoppedBy() ? 1 : code;
}

int playHeadless(int argc, char** argv, const CommandLine& line) {
    // Fonts and images need a GUI application, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const GameOptions options = gameOptions(line);
    if (!filesReadable(options, line))
        return kExitUsage;
    return runHeadless(line, options, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    CommandLine line;
    try {
        line = CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const CommandLine::Error& error) {
        std::cerr << "hakoniwa-player: " << error.what() << "\n" << CommandLine::usage();
        return kExitUsage;
    }
    if (line.help) {
        std::cout << CommandLine::usage();
        return 0;
    }
    if (line.version) {
        std::cout << "hakoniwa-player " << hakoniwa::kVersion << "\n";
        return 0;
    }
    try {
        return line.headless ? playHeadless(argc, argv, line) : playInWindow(argc, argv, line);
    } catch (const std::exception& error) {
        std::cerr << "hakoniwa-player: " << error.what() << "\n";
        return kExitUsage;
    }
}
