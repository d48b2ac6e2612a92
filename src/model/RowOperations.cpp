#include "model/RowOperations.h"

#include <algorithm>
#include <stdexcept>

namespace hakoniwa {
namespace {

// True when the row can be worked on; false for a row past the end.
bool selectedRowExists(const ItemSheet& sheet, int row) {
    if (row < ItemSheet::kFirstCommandRow)
        throw std::out_of_range("no command row is selected");
    return row < sheet.rowCount();
}

bool canMove(const ItemSheet& sheet, int row) {
    return row >= ItemSheet::kFirstCommandRow && row < sheet.rowCount();
}

void copyRowOver(ItemSheet& sheet, int from, int to) {
    for (int c = 0; c < sheet.columnCount(); ++c)
        sheet.setCell(c, to, sheet.cell(c, from));
}

} // namespace

void insertRowCopies(ItemSheet& sheet, int row, int copies) {
    if (copies <= 0 || !selectedRowExists(sheet, row))
        return;
    const int oldRows = sheet.rowCount();
    if (copies > kMaxSheetRows - oldRows)
        throw std::length_error("a sheet holds at most " + std::to_string(kMaxSheetRows) + " rows");
    sheet.setRowCount(oldRows + copies);
    // Move the rows after the selected one down past the copies, last row first.
    for (int r = oldRows + copies - 1; r > row + copies; --r)
        sheet.swapRows(r, r - copies);
    for (int r = row + 1; r <= row + copies; ++r)
        copyRowOver(sheet, row, r);
}

void deleteRow(ItemSheet& sheet, int row) {
    if (!selectedRowExists(sheet, row))
        return;
    for (int r = row; r < sheet.rowCount() - 1; ++r)
        sheet.swapRows(r, r + 1);
    sheet.setRowCount(sheet.rowCount() - 1);
}

int insertEmptyRowBelow(ItemSheet& sheet, int row) {
    const int oldRows = sheet.rowCount();
    if (oldRows >= kMaxSheetRows)
        throw std::length_error("a sheet holds at most " + std::to_string(kMaxSheetRows) + " rows");
    const int inserted = std::clamp(row + 1, ItemSheet::kFirstCommandRow, oldRows);
    sheet.setRowCount(oldRows + 1);
    // The new empty last row moves up to its place.
    for (int r = oldRows; r > inserted; --r)
        sheet.swapRows(r, r - 1);
    return inserted;
}

void clearRow(ItemSheet& sheet, int row) {
    if (!selectedRowExists(sheet, row))
        return;
    for (int c = 0; c < sheet.columnCount(); ++c)
        sheet.setCell(c, row, "");
}

std::string copyRow(const ItemSheet& sheet, int row) {
    std::string buffer;
    if (!selectedRowExists(sheet, row))
        return buffer;
    for (int c = 0; c < sheet.columnCount(); ++c)
        buffer.append(sheet.cell(c, row)) += '\t';
    return buffer;
}

void pasteRow(ItemSheet& sheet, int row, const std::string& buffer) {
    if (buffer.empty() || !selectedRowExists(sheet, row))
        return;
    // Every cell in the buffer ends with a tab. A tab byte is never part of a double-byte
    // character, so the buffer is cut at every one, as the reader cuts sheet lines: a cell
    // ending in a stray lead byte stays one cell. The text after the last tab is no cell.
    std::size_t start = 0;
    for (int c = 0; c < sheet.columnCount() && start < buffer.size(); ++c) {
        std::size_t end = buffer.find('\t', start);
        if (end == std::string::npos)
            end = buffer.size();
        sheet.setCell(c, row, buffer.substr(start, end - start));
        start = end + 1;
    }
}

void resetSheet(ItemSheet& sheet) {
    sheet.setRowCount(5);
    sheet.setCell(3, 1, "0");
    for (int r = 1; r < sheet.rowCount(); ++r)
        for (int c = r == 1 ? 4 : 1; c < sheet.columnCount(); ++c)
            sheet.setCell(c, r, "");
}

int moveRowUp(ItemSheet& sheet, int row) {
    if (!canMove(sheet, row) || row == ItemSheet::kFirstCommandRow)
        return row;
    sheet.swapRows(row, row - 1);
    return row - 1;
}

int moveRowDown(ItemSheet& sheet, int row) {
    if (!canMove(sheet, row) || row == sheet.rowCount() - 1)
        return row;
    sheet.swapRows(row, row + 1);
    return row + 1;
}

} // namespace hakoniwa
