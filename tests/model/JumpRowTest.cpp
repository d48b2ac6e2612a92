#include "model/JumpRow.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(JumpRow, AppendedRowJumpsToTheItemWithHandlesUpAndLeft) {
    ItemSheet sheet; // 10 x 5
    sheet.setCell(1, 4, "0");

    const int row = appendJumpRow(sheet, 0, "cmp,last");

    EXPECT_EQ(row, 5);
    EXPECT_EQ(sheet.rowCount(), 6);
    EXPECT_EQ(sheet.cell(1, 4), "0");
    EXPECT_EQ(sheet.cell(1, 5), "1"); // item index 0 is jump number 1
    EXPECT_EQ(sheet.cell(2, 5), "cmp,last");
    for (int column : {6, 7, 8, 9})
        EXPECT_EQ(sheet.cell(column, 5), "-20") << column;
    for (int column : {0, 3, 4, 5})
        EXPECT_EQ(sheet.cell(column, 5), "") << column;

    EXPECT_EQ(appendJumpRow(sheet, 4, ""), 6);
    EXPECT_EQ(sheet.cell(1, 6), "5");
}
