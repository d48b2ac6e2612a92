#include "model/JumpRenumbering.h"

#include "model/ChangeLog.h"
#include "model/SourceWriter.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(JumpRenumbering, SceneCallsMoveUpWhenAnItemIsAdded) {
    Scene scene;
    for (int i = 0; i < 3; ++i)
        scene.addItem(500, 500);
    // Items are 1 to 3, scenes 4 and up.
    scene.item(0).sheet.setCell(1, 2, "2");
    scene.item(0).sheet.setCell(1, 3, "3");
    scene.item(1).sheet.setCell(1, 2, "4");
    scene.item(2).sheet.setCell(1, 6, "5");
    scene.item(2).sheet.setCell(1, 7, "-1");
    scene.item(2).sheet.setCell(1, 8, "-7");
    scene.item(2).sheet.setCell(1, 9, "0");
    scene.item(2).sheet.setCell(1, 10, "name");
    Item& added = scene.addItem(0, 0);
    added.sheet.setCell(1, 2, "$4"); // a copied row counts like any other

    renumberJumpsAfterItemAdded(scene);

    EXPECT_EQ(scene.item(0).sheet.cell(1, 2), "2");
    EXPECT_EQ(scene.item(0).sheet.cell(1, 3), "3");
    EXPECT_EQ(scene.item(1).sheet.cell(1, 2), "5");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 6), "6");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 7), "-1");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 8), "-7");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 9), "0");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 10), "name");
    EXPECT_EQ(added.sheet.cell(1, 2), "5");
    // The header row holds the x coordinate in column 1; it is no jump.
    EXPECT_EQ(scene.item(0).sheet.cell(1, 1), "500");
}

TEST(JumpRenumbering, TheLargestNumberStaysAJump) {
    Scene scene;
    scene.addItem(0, 0).sheet.setCell(1, 2, "2147483647");
    scene.item(0).sheet.setCell(1, 3, "2147483646");
    renumberJumpsAfterItemAdded(scene);
    EXPECT_EQ(scene.item(0).sheet.cell(1, 2), "2147483647");
    EXPECT_EQ(scene.item(0).sheet.cell(1, 3), "2147483647");
}

namespace {

void setJumps(Scene& scene, int item, const std::vector<std::string>& jumps) {
    for (std::size_t i = 0; i < jumps.size(); ++i)
        scene.item(item).sheet.setCell(1, ItemSheet::kFirstCommandRow + i, jumps[i]);
}

std::vector<std::string> jumps(const Scene& scene, int item, int count) {
    std::vector<std::string> out;
    for (int row = ItemSheet::kFirstCommandRow; row < ItemSheet::kFirstCommandRow + count; ++row)
        out.emplace_back(scene.item(item).sheet.cell(1, row));
    return out;
}

using Texts = std::vector<std::string>;

} // namespace

TEST(JumpRenumbering, DeletingAnItemKeepsEveryOtherJumpOnItsTarget) {
    Project project;
    Scene& scene = project.addScene();
    project.addScene();
    for (int i = 0; i < 4; ++i)
        scene.addItem(500, 500);
    // Items 1 to 4, "メイン" 5, Page1 6; item 2 (index 1) goes, with its own jump to itself.
    setJumps(scene, 0, {"2", "3", "1", "6"});
    setJumps(scene, 1, {"2"});
    setJumps(scene, 2, {"3", "5"});
    setJumps(scene, 3, {"0", "-1", "-5", "name", "x4", "$2"});
    const std::string before = SourceWriter::write(project);

    const std::vector<JumpRowRef> lost{{0, 2}, {3, 7}};
    EXPECT_EQ(jumpsToItem(scene, 1), lost);
    ChangeLog log;
    {
        const ChangeLog::Recording recording(log);
        EXPECT_EQ(deleteItemKeepingJumps(scene, 1), lost);
    }
    ASSERT_EQ(scene.itemCount(), 3);
    EXPECT_EQ(jumps(scene, 0, 4), (Texts{"-1", "2", "1", "5"}));
    EXPECT_EQ(jumps(scene, 1, 2), (Texts{"2", "4"})); // still itself, still "メイン"
    EXPECT_EQ(jumps(scene, 2, 6), (Texts{"0", "-1", "-5", "name", "3", "-1"}));
    log.undo();
    EXPECT_EQ(SourceWriter::write(project), before);
    EXPECT_THROW(deleteItemKeepingJumps(scene, 4), std::out_of_range);
}

TEST(JumpRenumbering, DeletingASceneKeepsTheOtherScenesCalls) {
    Project project;
    for (int s = 0; s < 3; ++s)
        project.addScene().addItem(0, 0);
    project.scene(2).addItem(0, 0);
    // From "メイン" (1 item) the scenes are 2, 3, 4; from Page2 (2 items) 3, 4, 5.
    setJumps(project.scene(0), 0, {"1", "2", "3", "4"});
    setJumps(project.scene(1), 0, {"3"});
    setJumps(project.scene(2), 1, {"1", "3", "4", "5"});
    project.setActiveIndex(1);
    const std::string before = SourceWriter::write(project);

    EXPECT_THROW(deleteSceneKeepingCalls(project, 0), std::out_of_range);
    const std::vector<ProjectRowRef> lost{{0, 0, 4}, {2, 1, 4}};
    EXPECT_EQ(callsOfScene(project, 1), lost);
    ChangeLog log;
    {
        const ChangeLog::Recording recording(log);
        EXPECT_EQ(deleteSceneKeepingCalls(project, 1), lost);
    }
    ASSERT_EQ(project.sceneCount(), 2);
    EXPECT_EQ(project.activeIndex(), 0);
    EXPECT_EQ(jumps(project.scene(0), 0, 4), (Texts{"1", "2", "-1", "3"}));
    EXPECT_EQ(jumps(project.scene(1), 1, 4), (Texts{"1", "3", "-1", "4"}));
    log.undo();
    EXPECT_EQ(SourceWriter::write(project), before);
}
