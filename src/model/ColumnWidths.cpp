#include "model/ColumnWidths.h"

#include "model/TextOps.h"

#include <algorithm>

namespace hakoniwa {

void fitColumnWidths(ItemSheet& sheet, const TextWidth& textWidth) {
    std::vector<int>& widths = sheet.columnWidths();
    widths.resize(sheet.columnCount(), ItemSheet::kDefaultColumnWidth);
    for (int column = 1; column < sheet.columnCount(); ++column) {
        int width = kNarrowestFittedColumn;
        for (int row = 1; row < sheet.rowCount(); ++row) {
            // The "5" leaves room for one more character after the shown field.
            const std::string shown = getSplitStrVal(sheet.cell(column, row), ',', 0) + "5";
            width = std::max(width, textWidth(shown));
        }
        widths[column] = std::min(width, kWidestFittedColumn);
    }
}

} // namespace hakoniwa
