#pragma once

#include "model/ListNode.h"

#include <string>
#include <vector>

// The variables an argument cell can refer to: globals declared in the first scene's sheets,
// locals declared in the active scene's sheets (when it is not the first), and the system
// variables of sysHen.txt.
namespace hakoniwa {

class Project;

struct VariableList {
    // The combo box entries: "グローバル変数", the global member entries, "ローカル変数",
    // the local member entries, "システム変数", the system variable lines whole.
    std::vector<std::string> entries;
    // The tree: one node per global declaration row (data -1) with its member names as
    // children, then "システム変数" (-1) with field 0 of each line as children. A child's
    // data is its entry index. Locals get no nodes.
    std::vector<ListNode> nodes;
    // The three lists of the information window.
    std::vector<std::string> systemList;
    std::vector<std::string> globalList;
    std::vector<std::string> localList;

    static VariableList build(const Project& project,
                              const std::vector<std::string>& systemVariableLines);
};

} // namespace hakoniwa
