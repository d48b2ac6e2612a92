#pragma once

#include "model/ListNode.h"

#include <string>
#include <vector>

// Where a command row can jump to: "命令", then the active scene's items, then every scene.
// An entry's position is its jump number.
namespace hakoniwa {

class Project;

struct TargetList {
    // The combo box entries: "命令", each item's label (or its name when the label is empty)
    // in item order, each scene's caption in tab order.
    std::vector<std::string> entries;
    // The tree: "命令" (data 0), "飛び先アイテム" (-1) with one child per item, and
    // "飛び先メソッド" (-1) with one child per scene; a child's data is its entry index.
    std::vector<ListNode> nodes;

    static TargetList build(const Project& project);
};

} // namespace hakoniwa
