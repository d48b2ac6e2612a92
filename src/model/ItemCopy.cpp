#include "model/ItemCopy.h"

#include <string>

namespace hakoniwa {

void copyItemBody(const ItemSheet& original, ItemSheet& copy) {
    const std::string name(copy.cell(0, 0));
    const std::string x(copy.cell(1, 1));
    const std::string y(copy.cell(2, 1));
    copy.setColumnCount(original.columnCount());
    copy.setRowCount(original.rowCount());
    for (int row = 0; row < original.rowCount(); ++row)
        for (int column = 0; column < original.columnCount(); ++column)
            copy.setCell(column, row, original.cell(column, row));
    copy.setCell(0, 0, name);
    copy.setCell(1, 1, x);
    copy.setCell(2, 1, y);
}

} // namespace hakoniwa
