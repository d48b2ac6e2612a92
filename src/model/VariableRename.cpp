#include "model/VariableRename.h"

#include "model/Project.h"
#include "model/TextOps.h"

#include <optional>

namespace hakoniwa {
namespace {

constexpr int kFirstArgumentColumn = 3;

// A reference as an argument cell holds it: name, name[index] or name[index].member.
struct Reference {
    std::string name;
    std::string index;
    std::optional<std::string> member; // only when the text has "[", then "]", then "."
};

Reference parseReference(const std::string& text) {
    Reference reference{getSplitStrVal(text, '[', 0), {}, std::nullopt};
    if (findSeparator(text, '[') == std::string::npos)
        return reference;
    const std::string afterOpen = getSplitStrVal(text, '[', 1);
    reference.index = getSplitStrVal(afterOpen, ']', 0);
    if (findSeparator(afterOpen, ']') == std::string::npos)
        return reference;
    const std::string afterClose = getSplitStrVal(afterOpen, ']', 1);
    if (findSeparator(afterClose, '.') != std::string::npos)
        reference.member = getSplitStrVal(afterClose, '.', 1);
    return reference;
}

// The cell's text after the rename, or nothing when the cell is not affected.
std::optional<std::string> renamed(const std::string& cell, const std::string& name,
                                   const std::string& newText, const std::string& oldName) {
    const Reference reference = parseReference(cell);
    if (newText.empty()) {
        if (reference.name == oldName)
            return name + "[]";
        return std::nullopt;
    }
    if (reference.name == name && reference.member == oldName)
        return name + "[" + reference.index + "]." + newText;
    return std::nullopt;
}

} // namespace

void renameVariableReferences(Project& project, const std::string& name, const std::string& newText,
                              const std::string& oldText) {
    // A renamed declaration is matched by the name part of what its cell held before.
    const std::string oldName = newText.empty() ? getSplitStrVal(oldText, '[', 0) : oldText;
    const std::string& nowCalled = newText.empty() ? name : newText;
    if (oldName.empty() || oldName == nowCalled)
        return;
    for (int s = 0; s < project.sceneCount(); ++s) {
        Scene& scene = project.scene(s);
        for (int i = 0; i < scene.itemCount(); ++i) {
            ItemSheet& sheet = scene.item(i).sheet;
            for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r)
                for (int c = kFirstArgumentColumn; c < sheet.columnCount(); ++c) {
                    const std::string& cell = sheet.cell(c, r);
                    if (cell.empty())
                        continue;
                    if (auto text = renamed(cell, name, newText, oldName))
                        sheet.setCell(c, r, std::move(*text));
                }
        }
    }
}

} // namespace hakoniwa
