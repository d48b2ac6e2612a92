#include "model/JumpRow.h"

#include "model/NumberConversion.h"

#include <algorithm>

namespace hakoniwa {

int appendJumpRow(ItemSheet& sheet, int targetIndex, const std::string& component) {
    sheet.addRow();
    const int row = sheet.rowCount() - 1;
    sheet.setCell(1, row, std::to_string(targetIndex + 1));
    sheet.setCell(2, row, component);
    for (int column = 6; column <= 9; ++column)
        sheet.setCell(column, row, std::to_string(kNewLinkOffset));
    return row;
}

void giveJumpDefaultComponent(ItemSheet& sheet, int row, const std::vector<std::string>& components,
                              const std::vector<std::string>& instructions) {
    if (components.empty() || toIntDef(sheet.cell(1, row), 0) <= 0)
        return;
    const std::string_view held = sheet.cell(2, row);
    if (!held.empty() &&
        std::find(instructions.begin(), instructions.end(), held) == instructions.end())
        return;
    sheet.setCell(2, row, components.back());
}

} // namespace hakoniwa
