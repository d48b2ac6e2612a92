#include "model/CellLook.h"

#include "model/ItemSheet.h"
#include "model/NumberConversion.h"

namespace hakoniwa {

CellLook CellLook::of(const ItemSheet& sheet, int column, int row) {
    CellLook look;
    look.text = sheet.cell(column, row);
    if (column == 0 || row == 0) {
        look.heading = true;
        if (column == 0 && row >= ItemSheet::kFirstCommandRow)
            look.text = std::to_string(row - 1);
        return look;
    }
    // Decided by column 1 as a number: a number or "-1" is a jump or instruction row, a
    // name (anything else that is not empty, including texts that read as -1) a declaration.
    const std::string_view kindText = sheet.cell(1, row);
    const int value = toIntDef(kindText, -1);
    if (value != -1 || kindText == "-1") {
        look.background = value == 0 ? kYellow : kRed;
    } else if (!kindText.empty()) {
        look.background = kBlue;
        look.foreground = kYellow;
    }
    if (row == 1)
        look.background = kWhite;
    return look;
}

} // namespace hakoniwa
