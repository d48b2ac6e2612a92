#include "model/CellText.h"
#include "model/SceneName.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "model/Texts.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace hakoniwa;

namespace {

// Random projects of every shape the editor can make, from one seed each.
class ProjectMaker {
public:
    explicit ProjectMaker(std::uint32_t seed) : random_(seed) {}

    Project make() {
        Project project;
        const int scenes = 1 + below(4);
        for (int j = 0; j < scenes; ++j) {
            Scene& scene = project.addScene();
            if (j > 0) // the first scene is always the main scene
                scene.caption = sceneName();
            for (int m = below(4); m > 0; --m)
                scene.memo.push_back(oneLine(text(6)));
            for (int k = below(5); k > 0; --k)
                fillSheet(scene.addItem(below(800), below(600)).sheet);
        }
        return project;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    char byteIn(int low, int high) { return static_cast<char>(low + below(high - low + 1)); }
    char leadByte() { return chance(50) ? byteIn(0x81, 0x9F) : byteIn(0xE0, 0xFC); }

    // ASCII, double-byte characters with any trail byte, half-width kana, bytes that start or
    // make no character, control bytes, tabs, and texts that look like the file's own lines.
    std::string text(int maxPieces) {
        static const std::vector<std::string> lookalikes = {
            "[itm]", "[/itm]", "[scene_headder]", "[/scene_headder]", "\t[page0]", "[page1]",
            "\t\t",  "itm0",   texts::kMain};
        std::string out;
        for (int pieces = below(maxPieces + 1); pieces > 0; --pieces) {
            switch (below(7)) {
            case 0:
                out += byteIn(0x20, 0x7E);
                break;
            case 1:
                out += {leadByte(), byteIn(0x40, 0xFC)};
                break;
            case 2:
                out += byteIn(0xA1, 0xDF);
                break;
            case 3:
                out += byteIn(0x80, 0xFF);
                break;
            case 4:
                out += byteIn(0x00, 0x1F);
                break;
            case 5:
                out += lookalikes[below(static_cast<int>(lookalikes.size()))];
                break;
            default:
                out += '\t';
            }
        }
        if (chance(10)) // a lead byte whose second byte would be the tab or line end behind it
            out += leadByte();
        return out;
    }

    static std::string oneLine(std::string text) {
        std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
        return text;
    }

    std::string sceneName() {
        std::string name;
        do
            name = oneLine(text(6));
        while (!canStoreSceneName(name));
        return name;
    }

    std::string columnOne() {
        static const std::vector<std::string> kinds = {
            "", "0", "-1", "00", "-5", "$0", "3", " 7", "x3", "$A", "+12", "0x1F", "3 ", "pos"};
        return chance(70) ? kinds[below(static_cast<int>(kinds.size()))] : cleanCellText(text(4));
    }

    void fillSheet(ItemSheet& sheet) {
        sheet.setColumnCount(chance(70) ? 10 : 11 + below(30));
        sheet.setRowCount(chance(80) ? 2 + below(8) : 2 + below(80));
        if (chance(20)) // items keep their name when others are deleted before them
            sheet.setCell(0, 0, "itm" + std::to_string(below(100)));
        for (int r = 1; r < sheet.rowCount(); ++r) {
            for (int c = 1; c < sheet.columnCount(); ++c)
                sheet.setCell(c, r, chance(30) ? cleanCellText(text(8)) : "");
            if (r >= ItemSheet::kFirstCommandRow) {
                sheet.setCell(1, r, columnOne());
            } else if (chance(80)) { // the header row as dragging and the start flag leave it
                sheet.setCell(1, r, std::to_string(below(800)));
                sheet.setCell(2, r, std::to_string(below(600)));
                sheet.setCell(3, r, chance(50) ? "1" : "0");
            }
            // Picking a target or drawing a link fills the handle cells; typing a number
            // into column 1 does not.
            if (r >= ItemSheet::kFirstCommandRow && sheet.jumpNumber(r) > 0 && chance(80))
                for (int c = 6; c <= 9; ++c)
                    if (sheet.cell(c, r).empty())
                        sheet.setCell(c, r, std::to_string(below(200) - 100));
        }
    }

    std::mt19937 random_;
};

// What reading gives back: jump rows with "-20" in their empty link handle cells.
bool fillLinkHandles(Project& project) {
    bool filled = false;
    for (int j = 0; j < project.sceneCount(); ++j)
        for (int k = 0; k < project.scene(j).itemCount(); ++k) {
            ItemSheet& sheet = project.scene(j).item(k).sheet;
            for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r)
                for (int c = 6; c <= 9 && sheet.jumpNumber(r) > 0; ++c)
                    if (sheet.cell(c, r).empty()) {
                        sheet.setCell(c, r, "-20");
                        filled = true;
                    }
        }
    return filled;
}

std::size_t firstDifference(const std::string& a, const std::string& b) {
    return std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
}

} // namespace

// Written, read and written again, every project gives the same bytes, apart from the link
// handle offsets the reader puts into jump rows that had none; written after bytes already in
// the buffer, it leaves them be.
TEST(SourceRoundTrip, EveryProjectTheEditorCanMakeComesBackByteForByte) {
    for (std::uint32_t seed = 1; seed <= 10000; ++seed) {
        Project project = ProjectMaker(seed).make();
        const std::string written = SourceWriter::write(project);
        ASSERT_EQ(SourceWriter::size(project), written.size()) << "seed " << seed;
        const std::string expected =
            fillLinkHandles(project) ? SourceWriter::write(project) : written;

        // Every other project is read in two halves on two threads, which must make the same.
        Project read;
        try {
            SourceReader reader(read, 0, 0);
            if (seed % 2 == 0)
                reader.readInParallelFrom(0);
            reader.read(written);
        } catch (const SourceReader::Failure& failure) {
            FAIL() << "seed " << seed << ": " << failure.what();
        }
        // Every third is written in two halves, which must make the same bytes.
        std::string again = "kept\r\n";
        SourceWriter::write(read, again, seed % 3 == 0 ? 0 : std::string::npos);
        ASSERT_EQ(again.substr(0, 6), "kept\r\n") << "seed " << seed;
        again.erase(0, 6);
        if (again != expected)
            FAIL() << "seed " << seed << ": the bytes differ from offset "
                   << firstDifference(again, expected) << " of " << expected.size();
    }
}
