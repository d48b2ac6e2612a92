#include "model/ItemCopy.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(ItemCopy, CopyKeepsItsNameAndPositionAndTakesEverythingElse) {
    ItemSheet original(12, 7);
    original.setCell(0, 0, "itm0");
    original.setCell(1, 1, "10");
    original.setCell(2, 1, "20");
    original.setCell(3, 1, "1");
    original.setCell(4, 1, "label");
    original.setCell(2, 2, "mtd,line");
    original.setCell(11, 6, "far corner");

    ItemSheet copy;
    copy.setCell(0, 0, "itm3");
    copy.setCell(1, 1, "300");
    copy.setCell(2, 1, "400");
    copy.setCell(3, 1, "0");
    copy.setCell(7, 4, "dropped");

    copyItemBody(original, copy);

    EXPECT_EQ(copy.columnCount(), 12);
    EXPECT_EQ(copy.rowCount(), 7);
    EXPECT_EQ(copy.cell(0, 0), "itm3");
    EXPECT_EQ(copy.cell(1, 1), "300");
    EXPECT_EQ(copy.cell(2, 1), "400");
    EXPECT_EQ(copy.cell(3, 1), "1");
    EXPECT_EQ(copy.cell(4, 1), "label");
    EXPECT_EQ(copy.cell(2, 2), "mtd,line");
    EXPECT_EQ(copy.cell(11, 6), "far corner");
    EXPECT_EQ(copy.cell(7, 4), ""); // the copy's own other cells are replaced
}

TEST(ItemCopy, NarrowOriginalCannotCutTheCopysPosition) {
    ItemSheet original(2, 1);
    original.setCell(1, 0, "x");
    ItemSheet copy;
    copy.setCell(0, 0, "itm1");
    copy.setCell(1, 1, "30");
    copy.setCell(2, 1, "40");

    copyItemBody(original, copy);

    EXPECT_EQ(copy.cell(0, 0), "itm1");
    EXPECT_EQ(copy.cell(1, 1), "30");
    EXPECT_EQ(copy.cell(2, 1), "40");
    EXPECT_EQ(copy.cell(1, 0), "x");
}
