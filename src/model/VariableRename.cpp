#include "model/VariableRename.h"

#include "model/CommandEntryRules.h"
#include "model/Project.h"
#include "model/TextOps.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace hakoniwa {
namespace {

constexpr int kFirstArgumentColumn = ItemSheet::kFirstArgumentColumn;
constexpr int kLastJumpArgumentColumn = ItemSheet::kLastJumpArgumentColumn;

// A reference as an argument cell holds it: name, name[index] or name[index].member.
struct Reference {
    std::string name;
    std::string index;
    std::optional<std::string> member; // only when the text has "[", then "]", then "."
};

Reference parseReference(std::string_view text) {
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

// One rename, told apart as the variable's name or one of its members.
struct Rewrite {
    std::string variable; // the name references spell before the rewrite
    std::string newName;  // the variable's name afterwards
    std::optional<std::string> oldMember, newMember;
};

// Puts the cell's text after the rename into `text`; false when the cell is not affected.
bool rewritten(std::string_view cell, const Rewrite& rewrite, std::string& text) {
    // The name is what comes before the first "[", or the whole text.
    const std::size_t open = findSeparator(cell, '[');
    if (std::string_view(cell).substr(0, open) != rewrite.variable)
        return false;
    if (!rewrite.oldMember) {
        // The name changes; whatever follows it (index, member) stays.
        text = rewrite.newName;
        text += open == std::string::npos ? std::string_view("[]")
                                          : std::string_view(cell).substr(open);
        return true;
    }
    const Reference reference = parseReference(cell);
    if (reference.member != rewrite.oldMember)
        return false;
    text = rewrite.variable + "[" + reference.index + "]." + *rewrite.newMember;
    return true;
}

// The columns of a row that hold arguments: [first, end).
std::pair<int, int> argumentColumns(const ItemSheet& sheet, int row) {
    switch (sheet.rowKind(row)) {
    case RowKind::Instruction:
        return {kFirstArgumentColumn, sheet.columnCount()};
    case RowKind::Jump:
    case RowKind::UnsetJump:
        return {kFirstArgumentColumn, std::min(kLastJumpArgumentColumn + 1, sheet.columnCount())};
    default:
        return {0, 0};
    }
}

void rewriteScene(Scene& scene, const Rewrite& rewrite) {
    const std::string& name = rewrite.variable;
    // A reference starts with the name it spells; most cells are passed over at their first
    // byte.
    const auto mayRefer = [&](std::string_view cell) {
        return !cell.empty() &&
               (name.empty() || (cell.front() == name.front() && cell.starts_with(name)));
    };
    std::string text; // one buffer for every rewritten text
    for (int i = 0; i < scene.itemCount(); ++i) {
        ItemSheet& sheet = scene.item(i).sheet;
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
            // The row's kind is looked at only once one of its cells may refer to the variable.
            std::optional<std::pair<int, int>> arguments;
            for (int c = kFirstArgumentColumn; c < sheet.columnCount(); ++c) {
                const std::string_view cell = sheet.cell(c, r);
                if (!mayRefer(cell))
                    continue;
                if (!arguments)
                    arguments = argumentColumns(sheet, r);
                if (c < arguments->first || c >= arguments->second)
                    continue;
                if (rewritten(cell, rewrite, text))
                    sheet.setCell(c, r, text);
            }
        }
    }
}

bool declares(const Scene& scene, const std::string& variable) {
    for (int i = 0; i < scene.itemCount(); ++i) {
        const ItemSheet& sheet = scene.item(i).sheet;
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r)
            if (sheet.cell(1, r) == variable && sheet.rowKind(r) == RowKind::Declaration)
                return true;
    }
    return false;
}

} // namespace

void renameVariableReferences(Project& project, int declaringScene,
                              const DeclarationRename& rename) {
    Rewrite rewrite;
    if (rename.newText.empty()) {
        // A renamed declaration is matched by the name part of what its cell held before.
        rewrite.variable = getSplitStrVal(rename.oldText, '[', 0);
        rewrite.newName = rename.name;
        if (rewrite.variable.empty() || rewrite.variable == rewrite.newName)
            return;
    } else {
        rewrite.variable = rewrite.newName = rename.name;
        rewrite.oldMember = rename.oldText;
        rewrite.newMember = rename.newText;
        if (rename.oldText.empty() || rename.oldText == rename.newText)
            return;
    }
    if (declaringScene != 0) {
        rewriteScene(project.scene(declaringScene), rewrite);
        return;
    }
    // A global: every scene, except where a local of the same name hides it.
    for (int s = 0; s < project.sceneCount(); ++s)
        if (s == 0 || !declares(project.scene(s), rewrite.variable))
            rewriteScene(project.scene(s), rewrite);
}

} // namespace hakoniwa
