#pragma once

#include "model/ItemSheet.h"

#include <string>

// The row commands of the details window on one item's sheet: insert copies, delete, clear,
// copy, paste, reset and move. Rows travel whole, every column included, and nothing else
// is renumbered.
//
// Each command works on a selected command row. A selected row below 2 means nothing is
// selected (the heading and header rows are never selectable) and throws std::out_of_range,
// so the caller can report it; a selected row at or past the end, left behind when the last
// row was deleted, makes the command do nothing.
namespace hakoniwa {

// The largest row count the inserts will make; a repeat count beyond it throws
// std::length_error before anything changes.
inline constexpr int kMaxSheetRows = 100000;

// Puts `copies` copies of the row directly below it; the rows after it move down. A count
// of 0 or less does nothing, selection or not.
void insertRowCopies(ItemSheet& sheet, int row, int copies);

// Puts an empty row directly below `row` (the header row 1 puts it first among the command
// rows; a row past the end adds it at the end) and returns where it stands.
int insertEmptyRowBelow(ItemSheet& sheet, int row);

// Removes the row; the rows after it move up.
void deleteRow(ItemSheet& sheet, int row);

// Empties every cell of the row.
void clearRow(ItemSheet& sheet, int row);

// The row's cells in column order, each followed by a tab; empty for a row past the end.
std::string copyRow(const ItemSheet& sheet, int row);

// Writes the cells of a copied row over the row, as many as both hold; the sheet's further
// columns keep their text. An empty buffer does nothing, selection or not.
void pasteRow(ItemSheet& sheet, int row, const std::string& buffer);

// Back to five rows: the header keeps x and y, its start flag becomes "0" and the rest of
// it is emptied; the command rows are emptied from column 1 on. Row 0 and column 0 stay.
void resetSheet(ItemSheet& sheet);

// Swap the row with the one above or below it and return where the row now stands. Row 2
// never moves up and the last row never moves down; a row that cannot move (or no row at
// all) is returned unchanged.
int moveRowUp(ItemSheet& sheet, int row);
int moveRowDown(ItemSheet& sheet, int row);

} // namespace hakoniwa
