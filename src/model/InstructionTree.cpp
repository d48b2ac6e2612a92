#include "model/InstructionTree.h"

#include "model/TextOps.h"

namespace hakoniwa {

std::vector<ListNode> buildInstructionTree(const std::vector<std::string>& instructionLines) {
    std::vector<ListNode> tree;
    std::string previousGroup;
    bool haveGroupNode = false;
    for (int i = 0; i < static_cast<int>(instructionLines.size()); ++i) {
        const std::string head = getSplitStrVal(instructionLines[i], ',', 0);
        const std::string name = getSplitStrVal(head, '-', 0);
        const std::string group = getSplitStrVal(head, '-', 1);
        if (group != previousGroup) {
            tree.push_back({group, -1, {}});
            haveGroupNode = true;
        }
        ListNode instruction{name, i, {}};
        if (haveGroupNode)
            tree.back().children.push_back(std::move(instruction));
        else
            tree.push_back(std::move(instruction));
        previousGroup = group;
    }
    return tree;
}

std::vector<ListNode> buildComponentList(const std::vector<std::string>& componentLines) {
    std::vector<ListNode> list;
    for (int j = 0; j < static_cast<int>(componentLines.size()); ++j)
        list.push_back({getSplitStrVal(componentLines[j], ',', 0), j, {}});
    return list;
}

} // namespace hakoniwa
