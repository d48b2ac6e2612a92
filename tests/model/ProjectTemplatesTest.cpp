#include "model/ProjectTemplates.h"

#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "model/Utf8Text.h"
#include "model/VocabularyFiles.h"

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

using namespace hakoniwa;
namespace fs = std::filesystem;

namespace {

const fs::path kSource = HAKONIWA_SOURCE_DIR;
const fs::path kTemplates = kSource / "dat" / "templates";

Project readProject(const fs::path& path) {
    Project project;
    SourceReader(project, 0, 0).read(readFileBytes(path));
    return project;
}

// The file argument cells of the project in row order (UTF-8).
std::vector<std::string> fileCells(const Project& project) {
    std::vector<std::string> cells;
    for (int s = 0; s < project.sceneCount(); ++s)
        for (int i = 0; i < project.scene(s).itemCount(); ++i) {
            const ItemSheet& sheet = project.scene(s).item(i).sheet;
            for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
                const std::string line = cp932ToUtf8(sheet.cell(2, r));
                if (line.starts_with("画像表示") || line.starts_with("効果音") ||
                    line.starts_with("そばに表示"))
                    cells.push_back(cp932ToUtf8(sheet.cell(line.starts_with("効果音") ? 3 : 4, r)));
            }
        }
    return cells;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(TemplateList, ReadsEntriesAndTheShippedListNamesFilesThatExist) {
    const auto entries =
        readTemplateList(utf8ToCp932("名前,a/game.txt,a/p.png,説明, 読点も,ある\r\n"
                                     "\r\n"
                                     "名前だけ\r\n"
                                     "絵なし,b/game.txt"));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(cp932ToUtf8(entries[0].description), "説明, 読点も,ある");
    EXPECT_EQ(entries[0].preview, "a/p.png");
    EXPECT_EQ(entries[1].project, "b/game.txt");
    EXPECT_TRUE(entries[1].preview.empty() && entries[1].description.empty());

    const auto shipped = readTemplateList(readFileBytes(kTemplates / "templates.txt"));
    ASSERT_GE(shipped.size(), 4u);
    for (const TemplateEntry& entry : shipped) {
        EXPECT_FALSE(entry.name.empty() || entry.description.empty());
        EXPECT_TRUE(fs::is_regular_file(kTemplates / entry.project)) << entry.project;
        EXPECT_TRUE(fs::is_regular_file(kTemplates / entry.preview)) << entry.preview;
    }
}

// A template opens with absolute names so it runs unsaved; its save copies the files beside
// the project and writes bare names, never overwriting a different file of the same name.
TEST(TemplateFiles, OpenAbsoluteThenSaveCopiesBesideTheProject) {
    const Definitions vocabulary = readVocabulary(kSource / "dat" / "txt" / "game");
    const fs::path shooter = kTemplates / "shooter";
    Project project = readProject(shooter / "game.txt");
    const std::vector<std::string> relative = fileCells(project);
    ASSERT_EQ(relative.size(), 9u); // ship, 3 enemies, shot, its sound, bang twice, clear
    EXPECT_EQ(makeTemplateFilesAbsolute(project, vocabulary, shooter),
              static_cast<int>(relative.size()));
    for (const std::string& cell : fileCells(project))
        EXPECT_TRUE(fs::path(cell).is_absolute() && fs::is_regular_file(cell)) << cell;

    const fs::path folder = fs::temp_directory_path() / "hakoniwa-template-save";
    fs::remove_all(folder);
    fs::create_directories(folder);
    writeFile(folder / "enemy.png", "another picture");
    fs::copy_file(shooter / "ship.png", folder / "ship.png");
    const int rewritten = bringTemplateFilesAlong(project, vocabulary, kTemplates, folder);
    EXPECT_EQ(rewritten, static_cast<int>(relative.size()));
    std::vector<std::string> expected = relative;
    std::replace(expected.begin(), expected.end(), std::string("enemy.png"),
                 std::string("enemy-2.png"));
    EXPECT_EQ(fileCells(project), expected);
    EXPECT_EQ(readFileBytes(folder / "enemy.png"), "another picture");
    EXPECT_EQ(readFileBytes(folder / "enemy-2.png"), readFileBytes(shooter / "enemy.png"));
    EXPECT_FALSE(fs::exists(folder / "ship-2.png")); // the same bytes were there already
    EXPECT_TRUE(fs::exists(folder / "bang.wav"));

    // Saved again, nothing more is copied; a file outside the templates stays as written.
    EXPECT_EQ(bringTemplateFilesAlong(project, vocabulary, kTemplates, folder), 0);
    Project other = readProject(kSource / "samples" / "game" / "game.txt");
    makeTemplateFilesAbsolute(other, vocabulary, kSource / "samples" / "game");
    EXPECT_EQ(bringTemplateFilesAlong(other, vocabulary, kTemplates, folder), 0);
    fs::remove_all(folder);
}

TEST(TemplateFiles, AFailedCopyLeavesTheProjectAsItWas) {
    const Definitions vocabulary = readVocabulary(kSource / "dat" / "txt" / "game");
    Project project = readProject(kTemplates / "walker" / "game.txt");
    makeTemplateFilesAbsolute(project, vocabulary, kTemplates / "walker");
    const std::string before = SourceWriter::write(project);
    EXPECT_THROW(bringTemplateFilesAlong(project, vocabulary, kTemplates,
                                         kTemplates / "walker" / "no-such-folder"),
                 std::runtime_error);
    EXPECT_EQ(SourceWriter::write(project), before);
}
