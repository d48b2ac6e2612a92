#include "model/CellLook.h"
#include "model/ItemSheet.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(CellLook, CommandRowsAreColouredByColumnOne) {
    ItemSheet sheet(10, 9);
    sheet.setCell(1, 1, "0"); // x of the header row
    sheet.setCell(1, 2, "0");
    sheet.setCell(1, 3, "4");
    sheet.setCell(1, 4, "-1");
    sheet.setCell(1, 5, "pos");
    sheet.setCell(5, 6, "text in an empty row");
    sheet.setCell(1, 7, "-5");
    auto background = [&](int row) { return CellLook::of(sheet, 3, row).background; };
    EXPECT_EQ(background(1), CellLook::kWhite);
    EXPECT_EQ(background(2), CellLook::kYellow);
    EXPECT_EQ(background(3), CellLook::kRed);
    EXPECT_EQ(background(4), CellLook::kRed);
    EXPECT_EQ(background(5), CellLook::kBlue);
    EXPECT_EQ(CellLook::of(sheet, 3, 5).foreground, CellLook::kYellow);
    EXPECT_EQ(background(6), CellLook::kWhite);
    EXPECT_EQ(background(7), CellLook::kRed);
}

TEST(CellLook, ColumnZeroShowsTheCommandNumber) {
    ItemSheet sheet(10, 8);
    sheet.setCell(0, 0, "itm0");
    sheet.setCell(0, 7, "hidden");
    EXPECT_EQ(CellLook::of(sheet, 0, 7).text, "6");
    EXPECT_TRUE(CellLook::of(sheet, 0, 7).heading);
    EXPECT_EQ(CellLook::of(sheet, 0, 0).text, "itm0");
    EXPECT_EQ(CellLook::of(sheet, 0, 1).text, "");
    EXPECT_FALSE(CellLook::of(sheet, 1, 1).heading);
}
