#include "RuntimeFixture.h"

#include "check/ProjectCheck.h"
#include "model/Definitions.h"
#include "model/Project.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "model/TextOps.h"
#include "model/Utf8Text.h"
#include "model/VocabularyFiles.h"

#include <fstream>
#include <sstream>

namespace hakoniwa::player::testing {
namespace fs = std::filesystem;

namespace {

const fs::path kVocabulary = fs::path(HAKONIWA_SOURCE_DIR) / "dat" / "txt" / "game";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

std::optional<ImageSize> FakeHost::imageSize(const std::string& path) {
    const auto found = sizes.find(fs::path(path).filename().string());
    return found == sizes.end() ? ImageSize{10, 10} : found->second;
}

void FakeHost::playEffect(const std::string& path, int volume) {
    calls.push_back("effect " + fs::path(path).filename().string() + " " + std::to_string(volume));
}

void FakeHost::playMusic(const std::string& path, int volume) {
    calls.push_back("music " + fs::path(path).filename().string() + " " + std::to_string(volume));
}

void FakeHost::stopMusic(bool fadeOut) {
    calls.push_back(fadeOut ? "stop 1" : "stop 0");
}

void FakeHost::askName(const std::string& prompt) {
    calls.push_back("ask " + cp932ToUtf8(prompt));
}

void RuntimeTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::path(::testing::TempDir()) / "hakoniwa-player" /
             (std::string(info->test_suite_name()) + "." + info->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    scenes_.assign(1, {"メイン", {}});
    vocabulary_ = kVocabulary;
}

void RuntimeTest::addDefinition(const std::string& file, const std::string& line) {
    if (vocabulary_ == kVocabulary) {
        vocabulary_ = folder / "vocabulary";
        fs::copy(kVocabulary, vocabulary_);
    }
    std::ofstream(vocabulary_ / file, std::ios::binary | std::ios::app)
        << utf8ToCp932(line) << "\r\n";
}

void RuntimeTest::addScene(const std::string& caption) {
    scenes_.push_back({caption, {}});
}

void RuntimeTest::addItem(bool start, const std::string& label) {
    scenes_.back().items.push_back({start, label, {}});
}

std::string RuntimeTest::definitionLine(const std::string& file, const std::string& name) const {
    for (const std::string& line : Definitions::splitLines(readFile(kVocabulary / file))) {
        const std::string field0 = getSplitStrVal(line, ',', 0);
        if (cp932ToUtf8(getSplitStrVal(field0, '-', 0)) == name)
            return cp932ToUtf8(line);
    }
    ADD_FAILURE() << "no definition " << name;
    return name;
}

void RuntimeTest::op(const std::string& name, std::vector<std::string> args) {
    args.insert(args.begin(), {"0", definitionLine("mtd.txt", name)});
    cells(std::move(args));
}

void RuntimeTest::jump(Target target, const std::string& component, std::vector<std::string> args) {
    args.insert(args.begin(), {"", definitionLine("cmp.txt", component)});
    scenes_.back().items.back().rows.push_back({std::move(args), target});
}

void RuntimeTest::declare(const std::string& name, std::vector<std::string> members) {
    members.insert(members.begin(), name);
    cells(std::move(members));
}

void RuntimeTest::cells(std::vector<std::string> cells) {
    scenes_.back().items.back().rows.push_back({std::move(cells), std::nullopt});
}

std::string RuntimeTest::touch(const std::string& name) {
    std::ofstream(folder / name) << "";
    return name;
}

std::string RuntimeTest::projectBytes() const {
    Project project;
    for (const SceneRows& rows : scenes_) {
        Scene& scene = project.addScene();
        scene.caption = utf8ToCp932(rows.caption);
        for (const ItemRows& itemRows : rows.items) {
            ItemSheet& sheet = scene.addItem(0, 0).sheet;
            sheet.setCell(3, 1, itemRows.start ? "1" : "0");
            sheet.setCell(4, 1, utf8ToCp932(itemRows.label));
            sheet.setRowCount(2);
            for (const Row& row : itemRows.rows) {
                const int r = sheet.rowCount();
                for (std::size_t c = 0; c < row.cells.size(); ++c)
                    sheet.setCell(static_cast<int>(c) + 1, r, utf8ToCp932(row.cells[c]));
                if (row.target) {
                    const int number = row.target->scene ? static_cast<int>(rows.items.size()) + 1 +
                                                               row.target->index
                                                         : row.target->index + 1;
                    sheet.setCell(1, r, std::to_string(number));
                }
            }
        }
    }
    return SourceWriter::write(project);
}

Game& RuntimeTest::start(int frames, const FrameInput& input) {
    const fs::path projectPath = folder / "game.txt";
    std::ofstream(projectPath, std::ios::binary) << projectBytes();
    GameOptions options;
    options.projectPath = projectPath.string();
    options.vocabularyDir = vocabulary_.string();
    game = std::make_unique<Game>(options);
    run(frames, input);
    return *game;
}

void RuntimeTest::run(int frames, const FrameInput& input) {
    for (int i = 0; i < frames; ++i)
        game->runFrame(input, host);
}

std::string RuntimeTest::errorMessage() const {
    return game->error() ? game->error()->message() : std::string();
}

std::vector<std::string> RuntimeTest::problems() const {
    Project project;
    SourceReader(project, 0, 0).read(readFile(folder / "game.txt"));
    std::vector<std::string> lines;
    for (const Problem& problem : checkProject(project, readVocabulary(vocabulary_.string())))
        lines.push_back((problem.row < 0 ? "" : std::to_string(problem.row) + ": ") +
                        cp932ToUtf8(problem.message));
    return lines;
}

bool RuntimeTest::dumps(const std::string& line) const {
    const std::string dump = game->dumpVariables();
    const bool found = ("\n" + dump).find("\n" + line + "\n") != std::string::npos;
    if (!found)
        ADD_FAILURE() << "no line \"" << line << "\" in\n" << dump << errorMessage();
    return found;
}

} // namespace hakoniwa::player::testing
