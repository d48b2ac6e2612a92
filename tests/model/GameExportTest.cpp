#include "model/GameExport.h"

#include "model/SourceReader.h"
#include "model/VocabularyFiles.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace hakoniwa;
namespace fs = std::filesystem;

namespace {

void put(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// A project folder, a data folder with the vocabulary and a picture, and a picture elsewhere.
struct ExportFolders : ::testing::Test {
    fs::path root = fs::temp_directory_path() / "hakoniwa-export-test";
    fs::path projectFolder = root / "project", data = root / "dat", elsewhere = root / "other";

    void SetUp() override {
        fs::remove_all(root);
        put(projectFolder / "img" / "p.png", "P");
        put(data / "img" / "self.bmp", "S");
        put(elsewhere / "p.png", "Q");
        for (const char* name : {"mtd.txt", "cmp.txt", "sysHen.txt"})
            put(data / "txt" / "game" / name, name);
    }
    void TearDown() override { fs::remove_all(root); }

    Project projectNaming(const std::vector<std::string>& cells) {
        Project project;
        ItemSheet& sheet = project.addScene().addItem(0, 0).sheet;
        for (std::size_t i = 0; i < cells.size(); ++i)
            sheet.setCell(2, static_cast<int>(i) + 1, cells[i]);
        return project;
    }

    static const SharedFile* find(const SharedGame& game, const std::string& name) {
        for (const SharedFile& file : game.files)
            if (file.name == name)
                return &file;
        return nullptr;
    }
};

} // namespace

TEST_F(ExportFolders, GathersNamedFilesWithRelativeNames) {
    const std::string outside = (elsewhere / "p.png").string();
    const Project project = projectNaming(
        {"img\\p.png", "img/self.bmp", outside, "missing.png", "../other/p.png", "5"});
    const SharedGame game = gatherGame(project, "遊び", projectFolder, data);

    EXPECT_EQ(game.files.front().name, "game/遊び.txt");
    EXPECT_EQ(find(game, "game/img/p.png")->bytes, "P");    // beside the project
    EXPECT_EQ(find(game, "game/img/self.bmp")->bytes, "S"); // from the data folder
    EXPECT_EQ(find(game, "game/p.png")->bytes, "Q");        // outside: by its own name
    EXPECT_EQ(find(game, "data/txt/game/mtd.txt")->bytes, "mtd.txt");
    EXPECT_EQ(game.files.size(), 1u + 3u + 3u);

    // The outside picture's cells now name the copy; the others are kept.
    Project read;
    SourceReader(read, 0, 0).read(game.files.front().bytes);
    const ItemSheet& sheet = read.scene(0).item(0).sheet;
    EXPECT_EQ(sheet.cell(2, 1), "img\\p.png");
    EXPECT_EQ(sheet.cell(2, 3), "p.png");
    EXPECT_EQ(sheet.cell(2, 4), "missing.png");
    EXPECT_EQ(sheet.cell(2, 5), "p.png");
}

TEST_F(ExportFolders, PageAndFolderHoldTheGame) {
    const SharedGame game = gatherGame(projectNaming({"img/p.png"}), "a<b", projectFolder, data);
    const std::string page = webPage("<title>@HAKONIWA_TITLE@</title>@HAKONIWA_GAME@", game);
    EXPECT_EQ(page.find("<title>a&lt;b</title>{\"project\":\"game/a\\u003cb.txt\""), 0u);
    EXPECT_NE(page.find("[\"game/img/p.png\",\"UA==\"]"), std::string::npos);
    EXPECT_THROW(webPage("no marks", game), std::runtime_error);

    const fs::path out = root / "out";
    writeGameFolder(game, page, out);
    EXPECT_EQ(readFileBytes(out / "img" / "p.png"), "P");
    EXPECT_EQ(readFileBytes(out / "a<b.html"), page);
    EXPECT_NE(readFileBytes(out / "a<b.sh").find("exec hakoniwa-player 'a<b.txt'"),
              std::string::npos);
    EXPECT_NE(readFileBytes(out / "a<b.desktop").find("Exec=sh \"" + out.string() + "/a<b.sh\""),
              std::string::npos);
    EXPECT_TRUE((fs::status(out / "a<b.sh").permissions() & fs::perms::owner_exec) !=
                fs::perms::none);
    EXPECT_THROW(writeGameFolder(game, page, out / "a<b.html" / "x"), std::runtime_error);
}

TEST(Base64, PadsTheLastGroup) {
    EXPECT_EQ(base64(""), "");
    EXPECT_EQ(base64("f"), "Zg==");
    EXPECT_EQ(base64("fo"), "Zm8=");
    EXPECT_EQ(base64("foo\xff"), "Zm9v/w==");
}
