// hakoniwa-player: plays a project written by the editor, in a window or headless (see
// CommandLine.h and docs/player.md).

#include "model/Version.h"
#include "platform/AppIdentity.h"
#include "player/app/CommandLine.h"
#include "player/app/HeadlessRun.h"
#include "player/app/PlayerWindow.h"
#include "player/app/VocabularyFolder.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

using namespace hakoniwa::player;
namespace fs = std::filesystem;

namespace {

constexpr int kExitUsage = 2;

// Paths the game reads are absolute, so that what it finds does not depend on the folder
// the player runs in. Names stay the bytes they were given: a name that is no valid UTF-8
// still names its file. A folder's name loses its trailing "/", as the game takes its parent.
std::string absolutePath(const std::string& path) {
    fs::path absolute = fs::absolute(fs::path(path)).lexically_normal();
    if (!absolute.has_filename() && absolute.has_relative_path())
        absolute = absolute.parent_path();
    return absolute.string();
}

GameOptions gameOptions(const CommandLine& line) {
    GameOptions options;
    options.projectPath = absolutePath(line.project);
    options.vocabularyDir =
        absolutePath(line.vocabulary ? *line.vocabulary
                                     : QFile::encodeName(defaultVocabularyFolder()).toStdString());
    if (line.files)
        options.filesDir = absolutePath(*line.files);
    options.seed = line.seed;
    return options;
}

// Reports what the game cannot start without, before any window opens. What the project
// file holds is judged when the game reads it.
bool filesReadable(const GameOptions& options, const CommandLine& line) {
    std::error_code error;
    if (!fs::exists(options.projectPath, error)) {
        std::cerr << "hakoniwa-player: プロジェクトファイルがありません: " << options.projectPath
                  << "\n";
        return false;
    }
    if (const auto missing = missingVocabulary(QFile::decodeName(options.vocabularyDir.c_str()),
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
