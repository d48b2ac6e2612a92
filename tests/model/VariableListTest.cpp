#include "model/VariableList.h"
#include "model/Project.h"
#include "model/Texts.h"

#include <gtest/gtest.h>

using namespace hakoniwa;
using Nodes = std::vector<ListNode>;
using Entries = std::vector<std::string>;

namespace {

void declare(Item& item, int row, std::vector<std::string> cells) {
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        item.sheet.setCell(c + 1, row, cells[c]);
}

// Two items in the main scene and one in a second scene, declarations in several rows.
Project sampleProject() {
    Project project;
    Scene& main = project.addScene();
    Item& first = main.addItem(0, 0);
    declare(first, 2, {"pos", "x", "", "y"});
    declare(first, 3, {"3", "jump", "target"}); // a jump row declares nothing
    declare(first, 4, {"0", "instruction"});
    declare(first, 5, {"-1", "unset"});
    Item& second = main.addItem(0, 0);
    declare(second, 2, {"empty"});    // no members: a node, no entries
    declare(second, 3, {"pos", "z"}); // the same name again
    Scene& other = project.addScene();
    declare(other.addItem(0, 0), 2, {"hp", "now", "max"});
    return project;
}

const Entries kSystem{"score,points", "time"};

} // namespace

TEST(VariableList, GlobalsInItemRowColumnOrderAndNoLocalsInTheMainScene) {
    const Project project = sampleProject();
    const VariableList list = VariableList::build(project, kSystem);
    EXPECT_EQ(list.entries,
              (Entries{texts::kGlobalVariables, "pos[].x", "pos[].y", "pos[].z",
                       texts::kLocalVariables, texts::kSystemVariables, "score,points", "time"}));
    // A name declared twice gives two nodes; a child's data is its entry's index.
    EXPECT_EQ(list.nodes,
              (Nodes{{"pos", -1, {{"x", 1, {}}, {"y", 2, {}}}},
                     {"empty", -1, {}},
                     {"pos", -1, {{"z", 3, {}}}},
                     {texts::kSystemVariables, -1, {{"score", 6, {}}, {"time", 7, {}}}}}));
    EXPECT_EQ(list.globalList, (Entries{"pos[].x", "pos[].y", "pos[].z"}));
    EXPECT_TRUE(list.localList.empty());
    EXPECT_EQ(list.systemList, kSystem);
}

TEST(VariableList, LocalsOfASecondSceneAreEntriesButNeverNodes) {
    Project project = sampleProject();
    project.setActiveIndex(1);
    const VariableList list = VariableList::build(project, kSystem);
    EXPECT_EQ(list.entries, (Entries{texts::kGlobalVariables, "pos[].x", "pos[].y", "pos[].z",
                                     texts::kLocalVariables, "hp[].now", "hp[].max",
                                     texts::kSystemVariables, "score,points", "time"}));
    EXPECT_EQ(list.localList, (Entries{"hp[].now", "hp[].max"}));
    ASSERT_EQ(list.nodes.size(), 4u);
    EXPECT_EQ(list.nodes.back().children.front().data, 8);
    for (const ListNode& node : list.nodes)
        EXPECT_NE(node.text, "hp");
}

TEST(VariableList, AnEmptyProjectStillListsTheHeadingsAndSystemVariables) {
    const VariableList list = VariableList::build(Project(), {});
    EXPECT_EQ(list.entries,
              (Entries{texts::kGlobalVariables, texts::kLocalVariables, texts::kSystemVariables}));
    EXPECT_EQ(list.nodes, (Nodes{{texts::kSystemVariables, -1, {}}}));
}
