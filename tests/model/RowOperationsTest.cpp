#include "model/RowOperations.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace hakoniwa;

namespace {

// A sheet whose every cell names its own column and row, e.g. "3:4".
ItemSheet labelledSheet(int columns, int rows) {
    ItemSheet sheet(columns, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            sheet.setCell(c, r, std::to_string(c) + ":" + std::to_string(r));
    return sheet;
}

// Which original row each row of the sheet holds, read from column 0.
std::vector<std::string> rowOrigins(const ItemSheet& sheet) {
    std::vector<std::string> origins;
    for (int r = 0; r < sheet.rowCount(); ++r)
        origins.push_back(sheet.cell(0, r).substr(2));
    return origins;
}

bool rowsEqual(const ItemSheet& sheet, int a, int b) {
    for (int c = 0; c < sheet.columnCount(); ++c)
        if (sheet.cell(c, a) != sheet.cell(c, b))
            return false;
    return true;
}

bool sheetsEqual(const ItemSheet& a, const ItemSheet& b) {
    if (a.rowCount() != b.rowCount() || a.columnCount() != b.columnCount())
        return false;
    for (int r = 0; r < a.rowCount(); ++r)
        for (int c = 0; c < a.columnCount(); ++c)
            if (a.cell(c, r) != b.cell(c, r))
                return false;
    return true;
}

} // namespace

TEST(RowOperations, InsertPutsCopiesBelowTheRowAndMovesTheRestDown) {
    ItemSheet sheet = labelledSheet(10, 6);
    insertRowCopies(sheet, 3, 1);
    EXPECT_EQ(rowOrigins(sheet), (std::vector<std::string>{"0", "1", "2", "3", "3", "4", "5"}));
    EXPECT_TRUE(rowsEqual(sheet, 3, 4));

    insertRowCopies(sheet, 6, 3); // the last row
    EXPECT_EQ(rowOrigins(sheet),
              (std::vector<std::string>{"0", "1", "2", "3", "3", "4", "5", "5", "5", "5"}));

    for (int count : {0, -4}) {
        insertRowCopies(sheet, 2, count);
        insertRowCopies(sheet, -1, count); // no selection needed to do nothing
    }
    EXPECT_EQ(sheet.rowCount(), 10);
}

TEST(RowOperations, CommandsWithoutAUsableRowChangeNothing) {
    ItemSheet sheet = labelledSheet(10, 4);
    const ItemSheet before = sheet;
    for (int none : {-1, 0, 1}) {
        EXPECT_THROW(insertRowCopies(sheet, none, 1), std::out_of_range);
        EXPECT_THROW(deleteRow(sheet, none), std::out_of_range);
        EXPECT_THROW(clearRow(sheet, none), std::out_of_range);
        EXPECT_THROW(copyRow(sheet, none), std::out_of_range);
        EXPECT_THROW(pasteRow(sheet, none, "a\t"), std::out_of_range);
        EXPECT_EQ(moveRowUp(sheet, none), none);
        EXPECT_EQ(moveRowDown(sheet, none), none);
    }
    // A row left behind past the end by a delete: silently nothing.
    insertRowCopies(sheet, 4, 1);
    deleteRow(sheet, 4);
    clearRow(sheet, 4);
    pasteRow(sheet, 4, "a\t");
    EXPECT_EQ(copyRow(sheet, 4), "");
    EXPECT_EQ(moveRowUp(sheet, 4), 4);
    // A repeat count the sheet cannot hold is refused before anything changes.
    EXPECT_THROW(insertRowCopies(sheet, 2, kMaxSheetRows), std::length_error);
    EXPECT_THROW(insertRowCopies(sheet, 2, 2147483647), std::length_error);
    EXPECT_TRUE(sheetsEqual(sheet, before));
}

TEST(RowOperations, DeleteClosesTheGapAndClearEmptiesEveryColumn) {
    ItemSheet sheet = labelledSheet(10, 5);
    deleteRow(sheet, 2);
    EXPECT_EQ(rowOrigins(sheet), (std::vector<std::string>{"0", "1", "3", "4"}));
    clearRow(sheet, 3);
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(sheet.cell(c, 3), "");
    EXPECT_EQ(sheet.rowCount(), 4);

    ItemSheet single = labelledSheet(10, 3);
    deleteRow(single, 2);
    deleteRow(single, 2); // now past the end
    EXPECT_EQ(rowOrigins(single), (std::vector<std::string>{"0", "1"}));
}

TEST(RowOperations, PasteWritesTheCopiedCellsAsFarAsBothRowsReach) {
    const ItemSheet source = labelledSheet(10, 3);
    const std::string buffer = copyRow(source, 2);
    EXPECT_EQ(buffer, "0:2\t1:2\t2:2\t3:2\t4:2\t5:2\t6:2\t7:2\t8:2\t9:2\t");

    ItemSheet narrow = labelledSheet(4, 3);
    pasteRow(narrow, 2, buffer);
    EXPECT_EQ(narrow.columnCount(), 4);
    EXPECT_EQ(narrow.cell(3, 2), "3:2");

    ItemSheet wide = labelledSheet(12, 4);
    pasteRow(wide, 3, buffer);
    EXPECT_EQ(wide.cell(9, 3), "9:2");
    EXPECT_EQ(wide.cell(10, 3), "10:3"); // no field for it: kept, not emptied
    EXPECT_EQ(wide.cell(11, 3), "11:3");

    pasteRow(wide, -1, ""); // an empty buffer needs no row
    EXPECT_EQ(wide.cell(0, 3), "0:2");
}

TEST(RowOperations, ResetKeepsPositionAndNamesAndEmptiesTheRest) {
    ItemSheet sheet = labelledSheet(10, 9);
    sheet.setCell(3, 1, "1");
    resetSheet(sheet);
    resetSheet(sheet); // twice is once
    ASSERT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.cell(0, 0), "0:0");
    EXPECT_EQ(sheet.cell(5, 0), "5:0");
    EXPECT_EQ(sheet.cell(1, 1), "1:1");
    EXPECT_EQ(sheet.cell(2, 1), "2:1");
    EXPECT_EQ(sheet.cell(3, 1), "0");
    for (int r = 1; r < 5; ++r) {
        EXPECT_EQ(sheet.cell(0, r), "0:" + std::to_string(r));
        for (int c = r == 1 ? 4 : 1; c < 10; ++c)
            EXPECT_EQ(sheet.cell(c, r), "") << c << "," << r;
    }

    ItemSheet shortSheet = labelledSheet(10, 2);
    resetSheet(shortSheet);
    EXPECT_EQ(shortSheet.rowCount(), 5);
    EXPECT_EQ(shortSheet.cell(1, 4), "");
}

TEST(RowOperations, MovesSwapWithTheNeighbourButNeverPastTheCommandRows) {
    ItemSheet sheet = labelledSheet(10, 5);
    EXPECT_EQ(moveRowUp(sheet, 2), 2);
    EXPECT_EQ(moveRowDown(sheet, 4), 4);
    EXPECT_EQ(rowOrigins(sheet), (std::vector<std::string>{"0", "1", "2", "3", "4"}));

    EXPECT_EQ(moveRowUp(sheet, 4), 3);
    EXPECT_EQ(moveRowUp(sheet, 3), 2);
    EXPECT_EQ(rowOrigins(sheet), (std::vector<std::string>{"0", "1", "4", "2", "3"}));
    EXPECT_EQ(moveRowDown(sheet, 2), 3);
    EXPECT_EQ(rowOrigins(sheet), (std::vector<std::string>{"0", "1", "2", "4", "3"}));
    EXPECT_EQ(sheet.cell(9, 3), "9:4"); // every column travels
}
