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

// Which original row each row holds, read from the last column so whole rows must travel.
std::string rowOrigins(const ItemSheet& sheet) {
    std::string origins;
    for (int r = 0; r < sheet.rowCount(); ++r)
        origins += sheet.cell(sheet.columnCount() - 1, r).substr(2);
    return origins;
}

} // namespace

TEST(RowOperations, InsertDeleteAndMoveShiftWholeRows) {
    ItemSheet sheet = labelledSheet(10, 6);
    insertRowCopies(sheet, 3, 1);
    EXPECT_EQ(rowOrigins(sheet), "0123345");
    insertRowCopies(sheet, 6, 3); // the last row
    EXPECT_EQ(rowOrigins(sheet), "0123345555");
    insertRowCopies(sheet, 2, 0);
    insertRowCopies(sheet, -1, -4); // nothing to insert needs no selection
    EXPECT_EQ(sheet.rowCount(), 10);

    deleteRow(sheet, 2);
    EXPECT_EQ(rowOrigins(sheet), "013345555");
    EXPECT_EQ(moveRowUp(sheet, 2), 2);
    EXPECT_EQ(moveRowDown(sheet, 8), 8);
    EXPECT_EQ(moveRowUp(sheet, 5), 4);
    EXPECT_EQ(moveRowDown(sheet, 3), 4);
    EXPECT_EQ(rowOrigins(sheet), "013534555");

    ItemSheet single = labelledSheet(10, 3);
    deleteRow(single, 2);
    deleteRow(single, 2); // the selection now points past the end
    EXPECT_EQ(rowOrigins(single), "01");
}

TEST(RowOperations, WithoutAUsableRowNothingChanges) {
    ItemSheet sheet = labelledSheet(10, 4);
    for (int none : {-1, 0, 1}) {
        EXPECT_THROW(insertRowCopies(sheet, none, 1), std::out_of_range);
        EXPECT_THROW(deleteRow(sheet, none), std::out_of_range);
        EXPECT_THROW(clearRow(sheet, none), std::out_of_range);
        EXPECT_THROW(copyRow(sheet, none), std::out_of_range);
        EXPECT_THROW(pasteRow(sheet, none, "a\t"), std::out_of_range);
        EXPECT_EQ(moveRowUp(sheet, none), none);
    }
    // A row left past the end by a delete is silently ignored.
    insertRowCopies(sheet, 4, 1);
    clearRow(sheet, 4);
    pasteRow(sheet, 4, "a\t");
    EXPECT_EQ(copyRow(sheet, 4), "");
    // A repeat count the sheet cannot hold is refused before anything changes.
    EXPECT_THROW(insertRowCopies(sheet, 2, 2147483647), std::length_error);
    EXPECT_EQ(rowOrigins(sheet), "0123");
    EXPECT_EQ(sheet.cell(0, 3), "0:3");
}

TEST(RowOperations, PasteWritesTheCopiedCellsAsFarAsBothRowsReach) {
    const std::string buffer = copyRow(labelledSheet(10, 3), 2);
    EXPECT_EQ(buffer, "0:2\t1:2\t2:2\t3:2\t4:2\t5:2\t6:2\t7:2\t8:2\t9:2\t");

    ItemSheet narrow = labelledSheet(4, 3);
    pasteRow(narrow, 2, buffer);
    EXPECT_EQ(narrow.columnCount(), 4);
    EXPECT_EQ(narrow.cell(3, 2), "3:2");

    ItemSheet wide = labelledSheet(12, 4);
    pasteRow(wide, 3, buffer);
    EXPECT_EQ(wide.cell(9, 3), "9:2");
    EXPECT_EQ(wide.cell(10, 3), "10:3"); // no field for it: kept, not emptied

    clearRow(wide, 3);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(wide.cell(c, 3), "");

    // A cell ending in a stray lead byte stays one cell; the arguments after it keep their
    // columns.
    ItemSheet stray;
    stray.setCell(3, 2, "a\x82");
    stray.setCell(4, 2, "b");
    pasteRow(stray, 3, copyRow(stray, 2));
    EXPECT_EQ(stray.cell(3, 3), "a\x82");
    EXPECT_EQ(stray.cell(4, 3), "b");
}

TEST(RowOperations, ResetKeepsPositionAndNamesAndEmptiesTheRest) {
    ItemSheet sheet = labelledSheet(10, 9);
    resetSheet(sheet);
    ASSERT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.cell(5, 0), "5:0");
    EXPECT_EQ(std::string(sheet.cell(1, 1)) + std::string(sheet.cell(2, 1)) +
                  std::string(sheet.cell(3, 1)),
              "1:12:10");
    for (int r = 1; r < 5; ++r) {
        EXPECT_EQ(sheet.cell(0, r), "0:" + std::to_string(r));
        for (int c = r == 1 ? 4 : 1; c < 10; ++c)
            EXPECT_EQ(sheet.cell(c, r), "") << c << "," << r;
    }
}

// An empty row goes right below the given one: below the header it is the first command row,
// past the end it is the last row.
TEST(RowOperations, EmptyRowGoesBelowTheRowGiven) {
    ItemSheet sheet = labelledSheet(4, 4);
    EXPECT_EQ(insertEmptyRowBelow(sheet, 2), 3);
    EXPECT_EQ(insertEmptyRowBelow(sheet, 1), 2);
    EXPECT_EQ(insertEmptyRowBelow(sheet, 40), 6);
    EXPECT_EQ(insertEmptyRowBelow(sheet, -3), 2);
    ASSERT_EQ(sheet.rowCount(), 8);
    const char* expected[] = {"3:0", "3:1", "", "", "3:2", "", "3:3", ""};
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(sheet.cell(3, r), expected[r]) << r;
}
