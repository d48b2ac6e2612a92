#include "model/CommandEntryRules.h"

#include "model/CellText.h"
#include "model/Definitions.h"
#include "model/ItemSheet.h"
#include "model/NumberConversion.h"
#include "model/Project.h"
#include "model/Texts.h"

#include <cstdio>
#include <stdexcept>

namespace hakoniwa {
namespace {

// The row's kind and jump target both come from column 1 read as a number.
int commandNumber(const ItemSheet& sheet, int row, int fallback) {
    return toIntDef(sheet.cell(1, row), fallback);
}

std::string rowMeaning(const Project& project, const ItemSheet& sheet, int row) {
    const std::string_view kindText = sheet.cell(1, row);
    if (kindText == "0")
        return texts::kInstructionCall;
    const int number = commandNumber(sheet, row, 0);
    const Scene* active = project.activeScene();
    const int itemCount = active ? active->itemCount() : 0;
    if (number > 0 && number <= itemCount)
        return texts::kJumpArrow + std::string(active->item(number - 1).sheet.cell(0, 0));
    if (number > itemCount) {
        const int tab = number - itemCount - 1;
        if (tab >= project.sceneCount())
            throw std::out_of_range("jump number beyond the last scene");
        return texts::kJumpArrow + project.scene(tab).caption;
    }
    const std::string scope = project.activeIndex() == 0 ? texts::kGlobal : texts::kLocal;
    return scope + texts::kDeclaration + std::string(kindText);
}

} // namespace

std::optional<int> commandEntryToCommit(std::string_view cellText,
                                        const std::vector<std::string>& entries,
                                        std::optional<int> chosen,
                                        const std::vector<int>& typedMatches) {
    const auto isEntry = [&](int index) {
        return index >= 0 && index < static_cast<int>(entries.size());
    };
    if (chosen)
        return isEntry(*chosen) ? chosen : std::nullopt;
    if (typedMatches.empty() || !isEntry(typedMatches.front()))
        return std::nullopt;
    const int first = typedMatches.front();
    if (cellText.empty() || cellText == entries[first])
        return first;
    return std::nullopt;
}

PickList pickListFor(const ItemSheet& sheet, int column, int row) {
    if (row < ItemSheet::kFirstCommandRow || column < 1 || column > 2)
        return PickList::Variables;
    if (column == 1)
        return PickList::Targets;
    if (sheet.cell(1, row) == "0")
        return PickList::Instructions;
    return commandNumber(sheet, row, -1) != -1 ? PickList::Components : PickList::None;
}

EntryCombo entryComboFor(const ItemSheet& sheet, int column, int row) {
    if (row < ItemSheet::kFirstCommandRow || column < 1)
        return EntryCombo::None;
    if (column == 1)
        return EntryCombo::Targets;
    if (column >= 3)
        return EntryCombo::Arguments;
    const int number = commandNumber(sheet, row, -1);
    if (number == 0)
        return EntryCombo::Instructions;
    return number > 0 ? EntryCombo::Components : EntryCombo::None;
}

void pickCommand(ItemSheet& sheet, int row, const Definitions& definitions, int data) {
    const std::string kind(sheet.cell(1, row));
    if (kind.empty() || kind == "0") {
        if (kind.empty())
            sheet.setCell(1, row, "0");
        sheet.setCell(2, row, cleanCellText(definitions.instructions.at(data)));
    } else {
        sheet.setCell(2, row, cleanCellText(definitions.components.at(data)));
    }
}

void pickTarget(ItemSheet& sheet, int row, int data) {
    sheet.setCell(1, row, std::to_string(data));
    if (data == 0)
        return;
    const char* const handleOffsets[] = {"0", "-10", "0", "-10"};
    for (int c = 6; c <= 9; ++c)
        sheet.setCell(c, row, handleOffsets[c - 6]);
}

std::optional<std::string> pressCaption(const Project& project, const ItemSheet& sheet, int column,
                                        int row) {
    if (column < 1 || row < ItemSheet::kFirstCommandRow)
        return std::nullopt;
    const std::string meaning =
        column == 1 ? rowMeaning(project, sheet, row) : std::string(sheet.cell(column, row));
    return texts::kDetailsCaption + meaning;
}

std::optional<int> targetNodeBackground(const Project& project, int data) {
    constexpr int kWhite = 0xFFFFFF;
    const Scene* active = project.activeScene();
    if (!active || data < 1 || data > active->itemCount())
        return std::nullopt;
    const int colour = toIntDef(active->item(data - 1).sheet.cell(5, 1), -1);
    return colour == -1 ? kWhite : colour;
}

std::string colourCellText(unsigned value) {
    char digits[11];
    std::snprintf(digits, sizeof digits, "0x%08X", value);
    return digits;
}

bool isVariableName(std::string_view text) {
    return !text.empty() && text != "-1" && !convertNumber(text);
}

std::optional<DeclarationRename> declarationRename(const ItemSheet& sheet, int column, int row,
                                                   const std::string& oldText) {
    if (column < 1 || row < ItemSheet::kFirstCommandRow)
        return std::nullopt;
    const std::string_view name = sheet.cell(1, row);
    if (!isVariableName(name))
        return std::nullopt;
    if (column == 1) {
        // A row that only now became a declaration had no references to rename.
        if (!isVariableName(oldText) || oldText == name)
            return std::nullopt;
        return DeclarationRename{std::string(name), "", oldText};
    }
    // An emptied member cell removes the member and a filled empty one adds a member; neither
    // renames anything.
    const std::string_view member = sheet.cell(column, row);
    if (member.empty() || oldText.empty() || member == oldText)
        return std::nullopt;
    return DeclarationRename{std::string(name), std::string(member), oldText};
}

} // namespace hakoniwa
