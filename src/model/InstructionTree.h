#pragma once

#include "model/ListNode.h"

#include <string>
#include <vector>

// The two trees built once from the definition lines.
namespace hakoniwa {

// The instruction tree: field 0 of each line is name + "-" + group. Consecutive lines of
// one group share a group node (data -1) whose children are the instruction names (data =
// line index). A group that comes back after another group opens a second node; a line
// with an empty group before any group node stands at the top level by itself.
std::vector<ListNode> buildInstructionTree(const std::vector<std::string>& instructionLines);

// The component list: one top-level node per line, text = field 0, data = line index.
std::vector<ListNode> buildComponentList(const std::vector<std::string>& componentLines);

} // namespace hakoniwa
