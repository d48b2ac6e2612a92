#include "player/runtime/Game.h"

#include "model/Definitions.h"
#include "model/Project.h"
#include "model/SourceReader.h"
#include "model/Utf8Text.h"
#include "model/VocabularyFiles.h"
#include "player/runtime/Interpreter.h"
#include "player/runtime/ProgramBuilder.h"

#include <filesystem>
#include <stdexcept>

namespace hakoniwa::player {
namespace fs = std::filesystem;

namespace {

// The data folder holds the vocabulary folder in txt/.
fs::path dataFolderOf(const fs::path& vocabularyFolder) {
    return fs::absolute(vocabularyFolder).lexically_normal().parent_path().parent_path();
}

// The most a project file may hold: far beyond what the editor writes, and a bound on the
// memory a stray file named on the command line can take.
constexpr std::size_t kProjectFileLimit = std::size_t(512) << 20;

// Only a regular file with the header line is a project, as the editor and the checker take
// it: anything else would play as an empty game.
std::string readProjectFile(const std::string& path) {
    std::string source = readFileBytes(path, kProjectFileLimit);
    if (!SourceReader::isProjectSource(source))
        throw std::runtime_error("プロジェクトファイルではありません: " + path);
    return source;
}

std::unique_ptr<Interpreter> load(const GameOptions& options) {
    const Definitions vocabulary = readVocabulary(options.vocabularyDir);
    const std::string source = readProjectFile(options.projectPath);
    Project project;
    SourceReader(project, 0, 0).read(source);
    SystemVariables system(vocabulary.systemVariables);
    Program program = ProgramBuilder(project, vocabulary, system).build();
    const fs::path projectFolder = options.filesDir.empty()
                                       ? fs::absolute(options.projectPath).parent_path()
                                       : fs::absolute(options.filesDir);
    return std::make_unique<Interpreter>(
        std::move(program), std::move(system),
        FileResolver(projectFolder, dataFolderOf(options.vocabularyDir)), options);
}

} // namespace

std::string PlayError::message() const {
    if (scene.empty() && item.empty())
        return reason;
    return "シーン「" + cp932ToUtf8(scene) + "」 アイテム「" + cp932ToUtf8(item) + "」 " +
           std::to_string(row) + " 行目: " + reason;
}

class Game::Impl {
public:
    explicit Impl(const GameOptions& options) : width(options.width), height(options.height) {
        try {
            interpreter = load(options);
        } catch (const std::exception& failure) {
            loadError = PlayError{{}, {}, 0, failure.what()};
        }
    }

    std::unique_ptr<Interpreter> interpreter;
    std::optional<PlayError> loadError;
    Picture emptyPicture;
    int width, height;
};

Game::Game(const GameOptions& options) : impl(std::make_unique<Impl>(options)) {}

Game::~Game() = default;

void Game::runFrame(const FrameInput& input, Host& host) {
    if (impl->interpreter)
        impl->interpreter->runFrame(input, host);
}

const Picture& Game::picture() const {
    return impl->interpreter ? impl->interpreter->picture() : impl->emptyPicture;
}

int Game::width() const {
    return impl->interpreter ? impl->interpreter->width() : impl->width;
}

int Game::height() const {
    return impl->interpreter ? impl->interpreter->height() : impl->height;
}

bool Game::finished() const {
    return impl->interpreter && impl->interpreter->finished();
}

const std::string& Game::firstSceneCaption() const {
    static const std::string none;
    return impl->interpreter ? impl->interpreter->firstSceneCaption() : none;
}

const std::optional<PlayError>& Game::error() const {
    return impl->interpreter ? impl->interpreter->error() : impl->loadError;
}

std::string Game::dumpVariables() const {
    return impl->interpreter ? impl->interpreter->dumpVariables() : std::string();
}

} // namespace hakoniwa::player
