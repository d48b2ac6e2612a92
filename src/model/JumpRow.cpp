#include "model/JumpRow.h"

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

} // namespace hakoniwa
