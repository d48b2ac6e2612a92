#include "model/VariableList.h"

#include "model/Project.h"
#include "model/TextOps.h"
#include "model/Texts.h"

namespace hakoniwa {
namespace {

// Visits every declaration row of every item of the scene, item by item, row by row, with
// the declared name and its non-empty member cells in column order.
template <typename Visit> void forEachDeclaration(const Scene& scene, Visit&& visit) {
    for (int i = 0; i < scene.itemCount(); ++i) {
        const ItemSheet& sheet = scene.item(i).sheet;
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
            if (sheet.rowKind(r) != RowKind::Declaration)
                continue;
            std::vector<std::string> members;
            for (int c = 2; c < sheet.columnCount(); ++c)
                if (!sheet.cell(c, r).empty())
                    members.emplace_back(sheet.cell(c, r));
            visit(std::string(sheet.cell(1, r)), members);
        }
    }
}

std::string memberEntry(const std::string& name, const std::string& member) {
    return name + "[]." + member;
}

} // namespace

VariableList VariableList::build(const Project& project,
                                 const std::vector<std::string>& systemVariableLines) {
    VariableList list;
    auto next = [&list] { return static_cast<int>(list.entries.size()); };

    list.entries.push_back(texts::kGlobalVariables);
    if (project.sceneCount() > 0)
        forEachDeclaration(project.scene(0),
                           [&](const std::string& name, const std::vector<std::string>& members) {
                               ListNode declaration{name, -1, {}};
                               for (const std::string& member : members) {
                                   declaration.children.push_back({member, next(), {}});
                                   list.entries.push_back(memberEntry(name, member));
                                   list.globalList.push_back(list.entries.back());
                               }
                               list.nodes.push_back(std::move(declaration));
                           });

    list.entries.push_back(texts::kLocalVariables);
    if (project.activeIndex() >= 1)
        forEachDeclaration(*project.activeScene(),
                           [&](const std::string& name, const std::vector<std::string>& members) {
                               for (const std::string& member : members) {
                                   list.entries.push_back(memberEntry(name, member));
                                   list.localList.push_back(list.entries.back());
                               }
                           });

    list.entries.push_back(texts::kSystemVariables);
    ListNode system{texts::kSystemVariables, -1, {}};
    for (const std::string& line : systemVariableLines) {
        system.children.push_back({getSplitStrVal(line, ',', 0), next(), {}});
        list.entries.push_back(line);
        list.systemList.push_back(line);
    }
    list.nodes.push_back(std::move(system));
    return list;
}

} // namespace hakoniwa
