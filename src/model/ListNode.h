#pragma once

#include <string>
#include <vector>

// One node of a pick list as the details window shows it: its text, its integer data (the
// index of its entry in the list's combo box, or -1 for a heading) and its children.
namespace hakoniwa {

struct ListNode {
    std::string text;
    int data = -1;
    std::vector<ListNode> children;

    bool operator==(const ListNode&) const = default;
};

} // namespace hakoniwa
