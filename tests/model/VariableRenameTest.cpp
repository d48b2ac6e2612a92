#include "model/VariableRename.h"

#include "model/CommandEntryRules.h"
#include "model/Project.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

// Three scenes, one item each. The first declares pos (a global); the third declares its own
// local pos. Argument cells refer to pos in several ways.
class VariableRenameTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int s = 0; s < 3; ++s)
            sheets.push_back(&project.addScene().addItem(0, 0).sheet);
        ItemSheet& first = *sheets[0];
        first.setCell(1, 2, "pos");
        first.setCell(2, 2, "hp");
        first.setCell(3, 2, "pos[2].hp"); // a member cell of a declaration row: never rewritten
        first.setCell(1, 3, "0");
        first.setCell(3, 3, "pos[2].hp");
        first.setCell(4, 3, "pos[].hp");
        first.setCell(5, 3, "enemy[1].hp");
        first.setCell(6, 3, "pos[].x");
        first.setCell(7, 3, "pos");
        first.setCell(8, 3, "pos[3]");
        first.setCell(9, 3, "posx");
        ItemSheet& second = *sheets[1];
        second.setCell(1, 2, "3"); // a jump row: arguments in 3 to 5, link handles in 6 to 9
        second.setCell(3, 2, "pos[9].hp");
        second.setCell(6, 2, "pos");
        second.setCell(1, 3, "");
        second.setCell(3, 3, "pos"); // an empty row carries nothing
        ItemSheet& third = *sheets[2];
        third.setCell(1, 2, "pos");
        third.setCell(1, 3, "0");
        third.setCell(3, 3, "pos[1].hp");
    }

    Project project;
    std::vector<ItemSheet*> sheets;
};

} // namespace

TEST_F(VariableRenameTest, AGlobalNameRenameKeepsIndexAndMemberWhereTheGlobalIsMeant) {
    renameVariableReferences(project, 0, {"vec", "", "pos"});
    const ItemSheet& first = *sheets[0];
    EXPECT_EQ(first.cell(3, 3), "vec[2].hp");
    EXPECT_EQ(first.cell(4, 3), "vec[].hp");
    EXPECT_EQ(first.cell(6, 3), "vec[].x");
    EXPECT_EQ(first.cell(7, 3), "vec[]");
    EXPECT_EQ(first.cell(8, 3), "vec[3]");
    for (const auto& [c, text] : {std::pair{5, "enemy[1].hp"}, {9, "posx"}})
        EXPECT_EQ(first.cell(c, 3), text) << c;
    EXPECT_EQ(first.cell(3, 2), "pos[2].hp");
    EXPECT_EQ(sheets[1]->cell(3, 2), "vec[9].hp");
    EXPECT_EQ(sheets[1]->cell(6, 2), "pos"); // a link handle
    EXPECT_EQ(sheets[1]->cell(3, 3), "pos");
    EXPECT_EQ(sheets[2]->cell(3, 3), "pos[1].hp"); // the local pos hides the global
}

TEST_F(VariableRenameTest, MemberAndLocalRenamesStayInTheirScope) {
    renameVariableReferences(project, 0, {"pos", "life", "hp"});
    EXPECT_EQ(sheets[0]->cell(3, 3), "pos[2].life");
    EXPECT_EQ(sheets[0]->cell(4, 3), "pos[].life");
    EXPECT_EQ(sheets[0]->cell(5, 3), "enemy[1].hp");
    EXPECT_EQ(sheets[0]->cell(6, 3), "pos[].x");
    EXPECT_EQ(sheets[1]->cell(3, 2), "pos[9].life");
    EXPECT_EQ(sheets[2]->cell(3, 3), "pos[1].hp");

    renameVariableReferences(project, 2, {"loc", "", "pos"});
    EXPECT_EQ(sheets[2]->cell(3, 3), "loc[1].hp");
    EXPECT_EQ(sheets[0]->cell(3, 3), "pos[2].life");
    EXPECT_EQ(sheets[1]->cell(3, 2), "pos[9].life");
}

TEST_F(VariableRenameTest, NothingRenamedRewritesNothing) {
    renameVariableReferences(project, 0, {"pos", "", "pos"});
    renameVariableReferences(project, 0, {"pos", "mp", ""});
    renameVariableReferences(project, 0, {"pos", "", ""});
    renameVariableReferences(project, 0, {"pos", "other", "pos"}); // no reference has member pos
    EXPECT_EQ(sheets[0]->cell(3, 3), "pos[2].hp");
    EXPECT_EQ(sheets[0]->cell(7, 3), "pos");
    EXPECT_EQ(sheets[0]->cell(8, 3), "pos[3]");
}
