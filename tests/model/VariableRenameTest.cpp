#include "model/VariableRename.h"

#include "model/Project.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

// Two scenes, one item each, with argument cells that refer to pos and enemy in several ways.
class VariableRenameTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.addScene();
        project.addScene();
        first = &project.scene(0).addItem(0, 0).sheet;
        second = &project.scene(1).addItem(0, 0).sheet;
        first->setCell(1, 2, "pos");
        first->setCell(2, 2, "hp");
        first->setCell(3, 3, "pos[2].hp");
        first->setCell(4, 3, "pos[].hp");
        first->setCell(5, 3, "enemy[1].hp");
        first->setCell(6, 3, "pos[].x");
        first->setCell(7, 3, "pos");
        first->setCell(8, 3, "pos[3]");
        second->setCell(3, 2, "pos[9].hp");
        second->setCell(2, 3, "pos[1].hp"); // column 2 is never an argument
        second->setCell(3, 1, "pos[1].hp"); // nor is the header row
    }

    Project project;
    ItemSheet* first = nullptr;
    ItemSheet* second = nullptr;
};

} // namespace

TEST_F(VariableRenameTest, AMemberRenameKeepsTheIndexInEveryScene) {
    renameVariableReferences(project, "pos", "life", "hp");
    EXPECT_EQ(first->cell(3, 3), "pos[2].life");
    EXPECT_EQ(first->cell(4, 3), "pos[].life");
    EXPECT_EQ(first->cell(5, 3), "enemy[1].hp");
    EXPECT_EQ(first->cell(6, 3), "pos[].x");
    EXPECT_EQ(first->cell(8, 3), "pos[3]");
    EXPECT_EQ(second->cell(3, 2), "pos[9].life");
    EXPECT_EQ(second->cell(2, 3), "pos[1].hp");
    EXPECT_EQ(second->cell(3, 1), "pos[1].hp");
    EXPECT_EQ(first->cell(2, 2), "hp"); // the declaration itself is the caller's edit
}

TEST_F(VariableRenameTest, ANameRenameRefersToTheWholeNewVariable) {
    renameVariableReferences(project, "vec", "", "pos");
    for (int c : {3, 4, 6, 7, 8})
        EXPECT_EQ(first->cell(c, 3), "vec[]") << c;
    EXPECT_EQ(first->cell(5, 3), "enemy[1].hp");
    EXPECT_EQ(second->cell(3, 2), "vec[]");
    EXPECT_EQ(second->cell(2, 3), "pos[1].hp");
}

TEST_F(VariableRenameTest, NothingRenamedRewritesNothing) {
    // Enter on an unchanged name, or a member typed into an empty cell: references stay whole.
    renameVariableReferences(project, "pos", "", "pos");
    renameVariableReferences(project, "pos", "mp", "");
    renameVariableReferences(project, "pos", "", "");
    EXPECT_EQ(first->cell(3, 3), "pos[2].hp");
    EXPECT_EQ(first->cell(7, 3), "pos");
    EXPECT_EQ(first->cell(8, 3), "pos[3]");
    // A reference without a member is not a member's reference.
    renameVariableReferences(project, "pos", "other", "pos");
    EXPECT_EQ(first->cell(7, 3), "pos");
}
