#include "model/TargetList.h"
#include "Cp932Text.h"
#include "model/Project.h"
#include "model/Texts.h"

#include <gtest/gtest.h>

using namespace hakoniwa;
using Nodes = std::vector<ListNode>;
using Entries = std::vector<std::string>;

TEST(TargetList, InstructionThenItemsThenScenesNumberedFromZero) {
    Project project;
    Scene& main = project.addScene();
    main.addItem(10, 10);
    main.addItem(50, 10).sheet.setCell(4, 1, sj("敵"));

    const TargetList list = TargetList::build(project);
    EXPECT_EQ(list.entries, (Entries{texts::kInstruction, "itm0", sj("敵"), texts::kMain}));
    EXPECT_EQ(list.nodes, (Nodes{{texts::kInstruction, 0, {}},
                                 {texts::kJumpItems, -1, {{"itm0", 1, {}}, {sj("敵"), 2, {}}}},
                                 {texts::kJumpScenes, -1, {{texts::kMain, 3, {}}}}}));
}

TEST(TargetList, ItemsOfTheActiveSceneAndEveryScene) {
    Project project;
    project.addScene().addItem(0, 0);
    Scene& second = project.addScene();
    second.caption = "Title"; // renamed: the list shows the tab caption
    second.addItem(0, 0);
    second.addItem(0, 0);
    project.setActiveIndex(1);
    EXPECT_EQ(TargetList::build(project).entries,
              (Entries{texts::kInstruction, "itm0", "itm1", texts::kMain, "Title"}));

    project.clear();
    const TargetList empty = TargetList::build(project);
    EXPECT_EQ(empty.entries, Entries{texts::kInstruction});
    EXPECT_EQ(empty.nodes.size(), 3u);
}
