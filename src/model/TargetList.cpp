#include "model/TargetList.h"

#include "model/Project.h"
#include "model/Texts.h"

namespace hakoniwa {
namespace {

// Appends the text as an entry and as a child of the heading whose data is its index.
void addEntry(TargetList& list, ListNode& heading, std::string_view text) {
    heading.children.push_back({std::string(text), static_cast<int>(list.entries.size()), {}});
    list.entries.emplace_back(text);
}

} // namespace

TargetList TargetList::build(const Project& project) {
    TargetList list;
    list.entries.push_back(texts::kInstruction);
    ListNode instruction{texts::kInstruction, 0, {}};
    ListNode items{texts::kJumpItems, -1, {}};
    if (const Scene* active = project.activeScene())
        for (int i = 0; i < active->itemCount(); ++i)
            addEntry(list, items, active->item(i).displayText());
    ListNode scenes{texts::kJumpScenes, -1, {}};
    for (int t = 0; t < project.sceneCount(); ++t)
        addEntry(list, scenes, project.scene(t).caption);
    list.nodes = {std::move(instruction), std::move(items), std::move(scenes)};
    return list;
}

} // namespace hakoniwa
