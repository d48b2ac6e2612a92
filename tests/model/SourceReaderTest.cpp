#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "model/Texts.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

using namespace hakoniwa;

namespace {

std::string dataFile(const std::string& testCase, const char* name) {
    std::ifstream in(std::string(HAKONIWA_TEST_DATA) + "/" + testCase + "/" + name,
                     std::ios::binary);
    EXPECT_TRUE(in.good()) << testCase << "/" << name;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Project read(const std::string& bytes, bool inTwoHalves = false) {
    Project project;
    SourceReader reader(project, 7, 9);
    reader.readInParallelFrom(inTwoHalves ? 0 : std::string::npos);
    reader.read(bytes);
    return project;
}

// The line the reader stopped at, or 0 when it read everything.
int failingLine(const std::string& bytes, Project& project, bool inTwoHalves = false) {
    try {
        SourceReader reader(project, 0, 0);
        reader.readInParallelFrom(inTwoHalves ? 0 : std::string::npos);
        reader.read(bytes);
    } catch (const SourceReader::Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find(std::to_string(failure.lineNumber())),
                  std::string::npos);
        return failure.lineNumber();
    }
    return 0;
}

} // namespace

class SourceGolden : public ::testing::TestWithParam<const char*> {};

// Read, write, compare with the expected bytes; reading those again changes nothing.
TEST_P(SourceGolden, ReadThenWriteGivesTheExpectedBytes) {
    const std::string expected = dataFile(GetParam(), "expected.txt");
    const std::string input = dataFile(GetParam(), "input.txt");
    const std::string written = SourceWriter::write(read(input));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(SourceWriter::write(read(written)), expected);
    EXPECT_EQ(SourceWriter::write(read(input, true)), expected);
}

INSTANTIATE_TEST_SUITE_P(Files, SourceGolden,
                         ::testing::Values("source_round_trip", "source_invalid_bytes",
                                           "source_jump_fill", "source_junk_and_line_ends"));

TEST(SourceReader, EmptyFilesAndFilesWithoutScenesGiveNoScene) {
    for (const std::string bytes : {"", "\r\n\n\r", "[scene_headder]\r\n[/scene_headder]\r\n",
                                    "[itm]\r\n\t[/page0]\r\n[/itm]\r\n"}) {
        Project project;
        project.addScene();
        SourceReader(project, 0, 0).read(bytes);
        EXPECT_EQ(project.sceneCount(), 0) << bytes;
        EXPECT_EQ(project.activeIndex(), -1);
    }
}

TEST(SourceReader, PageBlocksArePairedWithScenesByPosition) {
    const Project project = read("[scene_headder]\nA\nB\n[/scene_headder]\n[itm]\n"
                                 "\t[page7]\n\t\tfirst\t\n\t[pfoo\n\t\tsecond\t\n"
                                 "\t\tthird\t\n\t[/page1]\n[/itm]\n");
    ASSERT_EQ(project.sceneCount(), 2);
    ASSERT_EQ(project.scene(0).itemCount(), 1);
    EXPECT_EQ(project.scene(0).item(0).sheet.cell(0, 0), "first");
    ASSERT_EQ(project.scene(1).itemCount(), 2);
    EXPECT_EQ(project.scene(1).item(1).sheet.cell(0, 0), "third");
    EXPECT_EQ(project.scene(1).item(1).nodeText, "itm1");
}

TEST(SourceReader, LinesTheProjectCannotTakeStopTheReaderAndKeepWhatWasRead) {
    const struct {
        const char* bytes;
        int line;
        int scenesKept;
    } cases[] = {
        {"[scene_headder]\r\n\tmemo first\r\nA\r\n", 2, 0},
        {"[itm]\r\n\t\titm0\t\r\n", 2, 0},
        {"[scene_headder]\r\nA\r\n[/scene_headder]\r\n[itm]\r\n\t[page0]\r\n\t\t\t1\t\r\n", 6, 1},
        // Empty lines count, and CR LF, a lone LF and a lone CR each end one line.
        {"junk\n\r\n[scene_headder]\rA\r\nB\r\r\n[/scene_headder]\n[itm]\r\n\t[page0]\r\n"
         "\t[page1]\n\t\titm0\t\r\n\t[page2]\r\n\t\titm1\t\r\n",
         12, 2},
    };
    for (const auto& c : cases) {
        Project project;
        EXPECT_EQ(failingLine(c.bytes, project), c.line) << c.bytes;
        EXPECT_EQ(project.sceneCount(), c.scenesKept) << c.bytes;
    }
    Project project;
    failingLine(cases[3].bytes, project);
    EXPECT_EQ(project.scene(1).itemCount(), 1); // the item before the failing line stays
}

TEST(SourceReader, OnlyBytesWithTheHeaderLineAreAProject) {
    for (const std::string& bytes : std::vector<std::string>{
             "[scene_headder]", "junk\r[scene_headder]\nA", "x[scene_headder]\n[scene_headder]",
             std::string("\0\xff\n[scene_headder]\r\n", 20)})
        EXPECT_TRUE(SourceReader::isProjectSource(bytes)) << bytes;
    for (const std::string& bytes : std::vector<std::string>{
             "", "\r\n", "A\r\n[itm]\r\n", " [scene_headder]\r\n", "[scene_headder]x",
             "\t[scene_headder]", std::string("[scene_headder]\0", 16), "\x89\x50\x4e\x47\0\0"})
        EXPECT_FALSE(SourceReader::isProjectSource(bytes)) << bytes;
}

// A sheet is rows times its widest line: a long line after many short ones would take far
// more memory than the file, and is refused at that line, read in one or two halves; a long
// line in a sheet of few rows is read.
TEST(SourceReader, ALongLineAmongManyRowsIsRefusedAtItsLine) {
    const std::string start = "[scene_headder]\r\nA\r\n[/scene_headder]\r\n[itm]\r\n"
                              "\t[page0]\r\n\t\titm0\t\r\n";
    std::string rows;
    for (int row = 0; row < 3000; ++row)
        rows += "\t\t\t\r\n";
    const std::string longLine = "\t\t\t" + std::string(3000, '\t') + "\r\n";
    for (const bool inTwoHalves : {false, true}) {
        Project project;
        EXPECT_EQ(failingLine(start + rows + longLine, project, inTwoHalves), 6 + 3000 + 1);
    }
    const Project project = read(start + longLine + longLine + "\t\t\t\r\n");
    EXPECT_EQ(project.scene(0).item(0).sheet.columnCount(), 3001);
}

// Cells of every length around the eight bytes the reader looks at together, with bytes next
// to the tab's value and double-byte characters, come back as they were written.
TEST(SourceReader, EveryCellOfALongRowComesBack) {
    std::vector<std::string> cells;
    for (int length = 0; length < 20; ++length)
        cells.push_back(std::string(length, "a\x08\x0b\x89"[length % 4]));
    cells.push_back("\x83\x65\x83\x4c\x08\x83\x58\x83\x67\x0b");
    std::string line = "\t\t\t";
    for (const std::string& cell : cells)
        line += cell + "\t";
    const Project project = read("[scene_headder]\r\nA\r\n[/scene_headder]\r\n[itm]\r\n"
                                 "\t[page0]\r\n\t\titm0\t\r\n" +
                                 line + "\r\n" + line + "\r\n[/itm]\r\n");
    const ItemSheet& sheet = project.scene(0).item(0).sheet;
    ASSERT_EQ(sheet.rowCount(), 3);
    EXPECT_EQ(sheet.columnCount(), static_cast<int>(cells.size()) + 1);
    for (int row = 1; row <= 2; ++row)
        for (std::size_t c = 0; c < cells.size(); ++c)
            EXPECT_EQ(sheet.cell(static_cast<int>(c) + 1, row), cells[c]) << row << "," << c + 1;
}

// Sheet lines as another editor may leave them: the last byte goes whatever it is, a line of
// the three tabs alone has one empty cell, and each kind of line end ends a line, as does the
// end of the file.
TEST(SourceReader, OddSheetLinesAreCutAsTheyStand) {
    const Project project = read("[scene_headder]\r\nA\r\n[/scene_headder]\r\n[itm]\r\n"
                                 "\t[page0]\r\n\t\titm0\t\r\n\t\t\ta\tb\n\t\t\ta\tbc\r\t\t\t\r\n"
                                 "\t\t\t\t\t\n\t\t\tlong\t\t");
    const std::vector<std::vector<std::string>> rows = {
        {"a", ""}, {"a", "b"}, {"", ""}, {"", ""}, {"long", ""}};
    const ItemSheet& sheet = project.scene(0).item(0).sheet;
    ASSERT_EQ(sheet.rowCount(), 6);
    EXPECT_EQ(sheet.columnCount(), 5);
    for (int row = 1; row <= 5; ++row)
        for (int column = 1; column <= 2; ++column)
            EXPECT_EQ(sheet.cell(column, row), rows[row - 1][column - 1]) << row << "," << column;
}

// A file read in two halves on two threads makes the project one thread makes, also where the
// second half cannot be read alone: it starts in the header, belongs to an item of the first
// half, or meets a line the project cannot take.
TEST(SourceReader, ReadingInTwoHalvesMakesTheSameProject) {
    const std::string items = "[itm]\n\t[page0]\n\t\tA\t\n\t\t\t1\t\n\t[page1]\n\t\tB\t\n";
    const std::string cases[] = {
        "[scene_headder]\nM\nS\n[/scene_headder]\n" + items + "\t\t\t2\t\n[/itm]\n",
        "[scene_headder]\nM\n\tmemo\n\t[page9]\n\t\t\t3\t\nS\n[/scene_headder]\n" + items,
        "[scene_headder]\nM\nS\n[/scene_headder]\n" + items + "\t[page2]\n\t\tC\t\n",
        "[scene_headder]\nM\nS\n[/scene_headder]\n[itm]\n\t[page0]\n\t\tA\t\n\t\t\t1\t\n"
        "\t\t\t2\t\n\t\t\t3\t\n\t[page1]\n\t\t\t4\t\n[/itm]\n[itm]\n\t[page0]\n\t\tD\t\n",
    };
    for (const std::string& bytes : cases) {
        Project one, two;
        EXPECT_EQ(failingLine(bytes, two, true), failingLine(bytes, one)) << bytes;
        EXPECT_EQ(SourceWriter::write(two), SourceWriter::write(one)) << bytes;
    }
}
