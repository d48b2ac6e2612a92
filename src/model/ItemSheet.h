#pragma once

#include "model/ChangeCount.h"
#include "model/SharedText.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// An item's table of text cells, addressed (column, row) from 0. Row 0 is the heading
// (cell (0,0) the item name), row 1 the header (x, y, start flag, label, colour), rows 2
// and up the command rows. Cells hold code page 932 bytes and never a tab or line break.
namespace hakoniwa {

enum class RowKind {
    Empty,       // column 1 empty
    Instruction, // column 1 "0"
    Jump,        // column 1 a number of 1 or more: the jump number
    UnsetJump,   // column 1 "-1"
    Declaration, // column 1 a text that is not a number: a variable name
    Other,       // column 1 a number of 0 or less spelt otherwise ("00", "-5", "$0"); never written
};

class ItemSheet {
public:
    static constexpr int kDefaultColumnWidth = 64;
    static constexpr int kFirstCommandRow = 2;
    // Arguments start in column 3; a jump row's end in column 5, since columns 6 to 9 hold its
    // link handles.
    static constexpr int kFirstArgumentColumn = 3;
    static constexpr int kLastJumpArgumentColumn = 5;

    ItemSheet(int columns = 10, int rows = 5);
    ItemSheet(const ItemSheet&) = default;
    ItemSheet& operator=(const ItemSheet&) = default;
    // A sheet moved from is left without rows.
    ItemSheet(ItemSheet&& other) noexcept;
    ItemSheet& operator=(ItemSheet&& other) noexcept;
    ~ItemSheet();

    int columnCount() const { return columns_; }
    int rowCount() const { return rows_; }
    // Shrinking drops the cells beyond the new size; growing adds empty cells.
    void setColumnCount(int columns);
    void setRowCount(int rows);
    // Grows the sheet to at least `columns` by `rows` with one move of its cells, as a sheet
    // being read grows once per item.
    void growTo(int columns, int rows);
    void addRow() { setRowCount(rowCount() + 1); }
    void addColumn() { setColumnCount(columnCount() + 1); }

    // A non-negative position outside the table reads as the empty text; a negative one
    // throws std::out_of_range. The bytes stay valid until that cell is written or the sheet
    // goes.
    std::string_view cell(int column, int row) const {
        if (column < 0 || row < 0)
            throwOutside(column, row);
        if (row >= rows_ || column >= columns_)
            return {};
        return at(column, row).view();
    }
    // Writing outside the table grows it to fit, so nothing written is lost.
    void setCell(int column, int row, std::string_view text);
    // The same for a text already shared, which needs no lookup (undo and redo take this way).
    void setCell(int column, int row, const SharedText& text);
    // Writes texts[i] into cell (column + i, row) for every i, as setCell would one by one but
    // with far less work per cell (the file reader fills whole rows this way).
    void setCells(int column, int row, std::span<const std::string_view> texts);
    // Adds rows after the last, columnCount() cells to a row (throws std::invalid_argument
    // otherwise), each cell viewing its text in `block`: how the file reader fills a sheet,
    // with no lookup and one count for the block.
    void appendRows(std::span<const SharedText::BlockView> cells, const TextBlock& block);

    void swapRows(int a, int b);
    // Takes every cell, the shape and the display state of `other`; recorded as one change.
    void replaceWith(const ItemSheet& other);

    RowKind rowKind(int row) const;
    // The jump number of column 1, or 0 when the row is not a jump row.
    int jumpNumber(int row) const;
    // "name[].member" for every non-empty member cell of every declaration row, in row
    // order, then column order.
    std::vector<std::string> memberEntries() const;

    // Rows shown as headings by the sheet view (the reader sets it back to 1).
    int fixedRows = 1;
    // The argument hint last built for this sheet (code page 932), shown while the pointer
    // rests on it.
    std::string hoverText;
    // Display widths of the columns, kept with the sheet for its view.
    std::vector<int>& columnWidths() { return widths_; }
    const std::vector<int>& columnWidths() const { return widths_; }

private:
    [[noreturn]] static void throwOutside(int column, int row);
    // Throws for a negative position; grows the table so that (column, row) lies inside.
    void growToHold(int column, int row);
    // Lays the cells out `columns` to a row in `rows` rows; those that no longer fit go.
    void layOut(int columns, int rows);
    SharedText& at(int column, int row) { return cells_[std::size_t(row) * columns_ + column]; }
    const SharedText& at(int column, int row) const {
        return cells_[std::size_t(row) * columns_ + column];
    }

    int columns_;
    int rows_;
    // Row after row, each of columns_ cells; a cell holds its text shared with equal cells.
    std::vector<SharedText> cells_;
    std::vector<int> widths_;
    [[no_unique_address]] ChangeCount::Member counted_;
};

} // namespace hakoniwa
