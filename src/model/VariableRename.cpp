#include "model/VariableRename.h"

#include "model/CommandEntryRules.h"
#include "model/Project.h"
#include "model/TextOps.h"

#include <algorithm>
#include <optional>

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

// One rename, told apart as the variable's name or one of its members.
struct Rewrite {
    std::string variable; // the name references spell before the rewrite
    std::string newName;  // the variable's name afterwards
    std::optional<std::string> oldMember, newMember;
};

// The cell's text after the rename, or nothing when the cell is not affected.
std::optional<std::string> rewritten(const std::string& cell, const Rewrite& rewrite) {
    if (getSplitStrVal(cell, '[', 0) != rewrite.variable)
        return std::nullopt;
    if (!rewrite.oldMember) {
        // The name changes; whatever follows it (index, member) stays.
        const std::size_t open = findSeparator(cell, '[');
        return open == std::string::npos ? rewrite.newName + "[]"
                                         : rewrite.newName + cell.substr(open);
    }
    const Reference reference = parseReference(cell);
    if (reference.member != rewrite.oldMember)
        return std::nullopt;
    return rewrite.variable + "[" + reference.index + "]." + *rewrite.newMember;
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
    for (int i = 0; i < scene.itemCount(); ++i) {
        ItemSheet& sheet = scene.item(i).sheet;
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
            const auto [first, end] = argumentColumns(sheet, r);
            for (int c = first; c < end; ++c) {
                const std::string& cell = sheet.cell(c, r);
                if (cell.empty())
                    continue;
                if (auto text = rewritten(cell, rewrite))
                    sheet.setCell(c, r, std::move(*text));
            }
        }
    }
}

bool declares(const Scene& scene, const std::string& variable) {
    for (int i = 0; i < scene.itemCount(); ++i) {
        const ItemSheet& sheet = scene.item(i).sheet;
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r)
            if (sheet.rowKind(r) == RowKind::Declaration && sheet.cell(1, r) == variable)
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
