#include "model/JumpRenumbering.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(JumpRenumbering, SceneCallsMoveUpWhenAnItemIsAdded) {
    Scene scene;
    for (int i = 0; i < 3; ++i)
        scene.addItem(500, 500);
    // Items are 1 to 3, scenes 4 and up.
    scene.item(0).sheet.setCell(1, 2, "2");
    scene.item(0).sheet.setCell(1, 3, "3");
    scene.item(1).sheet.setCell(1, 2, "4");
    scene.item(2).sheet.setCell(1, 6, "5");
    scene.item(2).sheet.setCell(1, 7, "-1");
    scene.item(2).sheet.setCell(1, 8, "-7");
    scene.item(2).sheet.setCell(1, 9, "0");
    scene.item(2).sheet.setCell(1, 10, "name");
    Item& added = scene.addItem(0, 0);
    added.sheet.setCell(1, 2, "$4"); // a copied row counts like any other

    renumberJumpsAfterItemAdded(scene);

    EXPECT_EQ(scene.item(0).sheet.cell(1, 2), "2");
    EXPECT_EQ(scene.item(0).sheet.cell(1, 3), "3");
    EXPECT_EQ(scene.item(1).sheet.cell(1, 2), "5");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 6), "6");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 7), "-1");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 8), "-7");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 9), "0");
    EXPECT_EQ(scene.item(2).sheet.cell(1, 10), "name");
    EXPECT_EQ(added.sheet.cell(1, 2), "5");
    // The header row holds the x coordinate in column 1; it is no jump.
    EXPECT_EQ(scene.item(0).sheet.cell(1, 1), "500");
}

TEST(JumpRenumbering, TheLargestNumberStaysAJump) {
    Scene scene;
    scene.addItem(0, 0).sheet.setCell(1, 2, "2147483647");
    scene.item(0).sheet.setCell(1, 3, "2147483646");
    renumberJumpsAfterItemAdded(scene);
    EXPECT_EQ(scene.item(0).sheet.cell(1, 2), "2147483647");
    EXPECT_EQ(scene.item(0).sheet.cell(1, 3), "2147483647");
}
