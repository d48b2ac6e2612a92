#include "model/SourceWriter.h"
#include "model/SourceReader.h"
#include "model/Texts.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

const std::string kMainLine = texts::kMain + "\r\n";

std::string readBack(const std::string& bytes, Project& project) {
    SourceReader(project, 0, 0).read(bytes);
    return SourceWriter::write(project);
}

} // namespace

TEST(SourceWriter, FreshProjectIsSevenLines) {
    Project project;
    project.addScene();
    EXPECT_EQ(SourceWriter::write(project), "[scene_headder]\r\n" + kMainLine +
                                                "[/scene_headder]\r\n[itm]\r\n\t[page0]\r\n"
                                                "\t[/page0]\r\n[/itm]\r\n");
}

TEST(SourceWriter, EveryCellEndsWithATabAndTheNameComesBackAlone) {
    Project project;
    Item& item = project.addScene().addItem(12, 34);
    item.sheet.setCell(4, 1, "label");
    item.sheet.setRowCount(3);
    const std::string expected = "[scene_headder]\r\n" + kMainLine +
                                 "[/scene_headder]\r\n[itm]\r\n\t[page0]\r\n"
                                 "\t\titm0\t\t\t\t\t\t\t\t\t\t\r\n"
                                 "\t\t\t12\t34\t1\tlabel\t\t\t\t\t\t\r\n"
                                 "\t\t\t\t\t\t\t\t\t\t\t\t\r\n" // an empty row
                                 "\t[/page0]\r\n[/itm]\r\n";
    EXPECT_EQ(SourceWriter::write(project), expected);

    Project read;
    EXPECT_EQ(readBack(expected, read), expected);
    const ItemSheet& sheet = read.scene(0).item(0).sheet;
    EXPECT_EQ(sheet.columnCount(), 10);
    EXPECT_EQ(sheet.rowCount(), 3);
    EXPECT_EQ(sheet.cell(0, 0), "itm0");
    EXPECT_EQ(sheet.fixedRows, 1);
}

TEST(SourceWriter, MemoLinesAndSceneNamesAsTheyAre) {
    Project project;
    Scene& main = project.addScene();
    main.caption = "Title";
    main.memo = {"\tindented", "", "last"};
    project.addScene().caption = "Second";
    const std::string written = SourceWriter::write(project);
    EXPECT_EQ(written, "[scene_headder]\r\nTitle\r\n\t\tindented\r\n\t\r\n\tlast\r\n"
                       "Second\r\n[/scene_headder]\r\n[itm]\r\n\t[page0]\r\n\t[/page0]\r\n"
                       "\t[page1]\r\n\t[/page1]\r\n[/itm]\r\n");

    Project read;
    readBack(written, read);
    ASSERT_EQ(read.sceneCount(), 2);
    EXPECT_EQ(read.scene(0).caption, texts::kMain); // the main scene keeps its name
    EXPECT_EQ(read.scene(0).memo, main.memo);
    EXPECT_EQ(read.scene(1).caption, "Second");
    EXPECT_EQ(read.scene(1).nodeText, "Page1tv");
    EXPECT_EQ(read.activeIndex(), 0);
}

TEST(SourceWriter, SceneNamedLikeATagIsReadAsTheTag) {
    Project project;
    project.addScene();
    project.addScene().caption = "[itm]";
    const std::string written = SourceWriter::write(project);
    EXPECT_NE(written.find("\r\n[itm]\r\n[/scene_headder]"), std::string::npos);

    // The name ends the header early, so the second page block has no scene.
    Project read;
    EXPECT_THROW(SourceReader(read, 0, 0).read(written), std::runtime_error);
    EXPECT_EQ(read.sceneCount(), 1);
}

TEST(SourceWriter, SizeIsKnownBeforehandAndBytesCanGoIntoAGivenBuffer) {
    Project project;
    for (int j = 0; j < 12; ++j) { // page numbers of two digits
        Scene& scene = project.addScene();
        scene.memo = {"", "\tmemo " + std::to_string(j)};
        Item& item = scene.addItem(j, 2 * j);
        item.sheet.setCell(12, 3, "wide");
    }
    const std::string bytes = SourceWriter::write(project);
    EXPECT_EQ(SourceWriter::size(project), bytes.size());

    std::string buffer = "kept";
    SourceWriter::write(project, buffer);
    EXPECT_EQ(buffer, "kept" + bytes);
}
