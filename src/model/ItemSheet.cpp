#include "model/ItemSheet.h"

#include "model/NumberConversion.h"

#include <stdexcept>
#include <utility>

namespace hakoniwa {
namespace {

void checkPosition(int column, int row) {
    if (column < 0 || row < 0)
        throw std::out_of_range("cell (" + std::to_string(column) + "," + std::to_string(row) +
                                ") lies outside the sheet");
}

} // namespace

ItemSheet::ItemSheet(int columns, int rows)
    : columns_(columns), rows_(rows, std::vector<std::string>(columns)),
      widths_(columns, kDefaultColumnWidth) {}

void ItemSheet::setColumnCount(int columns) {
    if (columns < 0)
        throw std::out_of_range("negative column count");
    columns_ = columns;
    for (auto& row : rows_)
        row.resize(columns);
    widths_.resize(columns, kDefaultColumnWidth);
}

void ItemSheet::setRowCount(int rows) {
    if (rows < 0)
        throw std::out_of_range("negative row count");
    rows_.resize(rows, std::vector<std::string>(columns_));
}

const std::string& ItemSheet::cell(int column, int row) const {
    static const std::string empty;
    checkPosition(column, row);
    if (row >= rowCount() || column >= columns_)
        return empty;
    return rows_[row][column];
}

void ItemSheet::setCell(int column, int row, std::string text) {
    checkPosition(column, row);
    if (column >= columns_)
        setColumnCount(column + 1);
    if (row >= rowCount())
        setRowCount(row + 1);
    rows_[row][column] = std::move(text);
}

void ItemSheet::swapRows(int a, int b) {
    checkPosition(0, a);
    checkPosition(0, b);
    if (a >= rowCount() || b >= rowCount())
        throw std::out_of_range("row outside the sheet");
    std::swap(rows_[a], rows_[b]);
}

RowKind ItemSheet::rowKind(int row) const {
    const std::string& c1 = cell(1, row);
    if (c1.empty())
        return RowKind::Empty;
    if (c1 == "0")
        return RowKind::Instruction;
    if (c1 == "-1")
        return RowKind::UnsetJump;
    const auto number = convertNumber(c1);
    if (!number)
        return RowKind::Declaration;
    return *number > 0 ? RowKind::Jump : RowKind::Other;
}

int ItemSheet::jumpNumber(int row) const {
    return rowKind(row) == RowKind::Jump ? *convertNumber(cell(1, row)) : 0;
}

std::vector<std::string> ItemSheet::memberEntries() const {
    std::vector<std::string> entries;
    for (int r = kFirstCommandRow; r < rowCount(); ++r) {
        if (rowKind(r) != RowKind::Declaration)
            continue;
        const std::string& name = cell(1, r);
        for (int c = 2; c < columns_; ++c)
            if (!rows_[r][c].empty())
                entries.push_back(name + "[]." + rows_[r][c]);
    }
    return entries;
}

} // namespace hakoniwa
