#include "model/InstructionTree.h"
#include "Cp932Text.h"

#include <gtest/gtest.h>

using namespace hakoniwa;
using Nodes = std::vector<ListNode>;

TEST(InstructionTree, ConsecutiveLinesOfAGroupShareOneGroupNode) {
    const Nodes tree = buildInstructionTree(
        {sj("move-左右,x を移動,1,X:hen|val.0"), sj("jump-左右,跳ぶ,0"), sj("wait-時間,待つ,0")});
    EXPECT_EQ(tree, (Nodes{{sj("左右"), -1, {{"move", 0, {}}, {"jump", 1, {}}}},
                           {sj("時間"), -1, {{"wait", 2, {}}}}}));
}

TEST(InstructionTree, GroupsAreRunsOfLines) {
    // Without "-" the name is its own group; a group that comes back opens a second node;
    // a third "-" and what follows are dropped from the group.
    const Nodes tree = buildInstructionTree({"init,start,0", "a-X,,0", "b-Y-extra,,0", "c-X"});
    EXPECT_EQ(tree, (Nodes{{"init", -1, {{"init", 0, {}}}},
                           {"X", -1, {{"a", 1, {}}}},
                           {"Y", -1, {{"b", 2, {}}}},
                           {"X", -1, {{"c", 3, {}}}}}));
}

TEST(InstructionTree, EmptyGroupsStandAloneFirstAndOpenANamelessGroupLater) {
    // Blank lines keep their index. Before any group node they stand at the top level;
    // afterwards an empty group opens a group node with an empty text.
    const Nodes tree = buildInstructionTree({"", "solo-", "a-G", "", "b-"});
    EXPECT_EQ(tree, (Nodes{{"", 0, {}},
                           {"solo", 1, {}},
                           {"G", -1, {{"a", 2, {}}}},
                           {"", -1, {{"", 3, {}}, {"b", 4, {}}}}}));
}

TEST(ComponentList, OneNodePerLineNamedByItsFirstField) {
    EXPECT_EQ(buildComponentList({sj("飛ぶ,いつも飛ぶ,0"), "whole line", ""}),
              (Nodes{{sj("飛ぶ"), 0, {}}, {"whole line", 1, {}}, {"", 2, {}}}));
}
