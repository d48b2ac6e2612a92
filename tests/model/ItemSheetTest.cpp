#include "model/ItemSheet.h"
#include "model/JumpTarget.h"
#include "model/Scene.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(ItemSheet, ReadsOutsideAreEmptyWritesGrowNegativeThrows) {
    ItemSheet sheet;
    EXPECT_EQ(sheet.columnCount(), 10);
    EXPECT_EQ(sheet.rowCount(), 5);
    EXPECT_EQ(sheet.cell(20, 30), "");
    EXPECT_THROW(sheet.cell(-1, 0), std::out_of_range);
    EXPECT_THROW(sheet.setCell(0, -1, "x"), std::out_of_range);

    sheet.setCell(12, 6, "far");
    EXPECT_EQ(sheet.columnCount(), 13);
    EXPECT_EQ(sheet.rowCount(), 7);
    EXPECT_EQ(sheet.cell(12, 6), "far");
    EXPECT_EQ(sheet.columnWidths().size(), 13u);

    sheet.setColumnCount(5);
    EXPECT_EQ(sheet.cell(12, 6), "");
    sheet.addColumn();
    sheet.addRow();
    EXPECT_EQ(sheet.columnCount(), 6);
    EXPECT_EQ(sheet.rowCount(), 8);
    EXPECT_EQ(sheet.cell(5, 7), "");
}

TEST(ItemSheet, RowKindsFromColumnOne) {
    ItemSheet sheet(10, 12);
    const std::pair<const char*, RowKind> cases[] = {
        {"", RowKind::Empty},       {"0", RowKind::Instruction},   {"3", RowKind::Jump},
        {"-1", RowKind::UnsetJump}, {"pos", RowKind::Declaration}, {"x1", RowKind::Jump},
        {"$A", RowKind::Jump},      {"3 ", RowKind::Declaration},  {" 3", RowKind::Jump},
        {"00", RowKind::Other},
    };
    int row = 2;
    for (const auto& [text, kind] : cases) {
        sheet.setCell(1, row, text);
        EXPECT_EQ(sheet.rowKind(row), kind) << "column 1 = '" << text << "'";
        ++row;
    }
    EXPECT_EQ(sheet.jumpNumber(7), 1);  // x1
    EXPECT_EQ(sheet.jumpNumber(8), 10); // $A
    EXPECT_EQ(sheet.jumpNumber(5), 0);  // -1 is no jump
    // Other cells do not change an empty row's kind.
    sheet.setCell(2, 2, "text");
    EXPECT_EQ(sheet.rowKind(2), RowKind::Empty);
}

TEST(ItemSheet, MemberEntriesOfDeclarationRowsOnly) {
    ItemSheet sheet(11, 6);
    sheet.setCell(1, 2, "pos");
    sheet.setCell(2, 2, "x");
    sheet.setCell(3, 2, "y");
    sheet.setCell(10, 2, "z"); // an added column counts like the others
    sheet.setCell(1, 3, "empty");
    sheet.setCell(1, 4, "-1");
    sheet.setCell(2, 4, "not a member");
    sheet.setCell(1, 5, "pos");
    sheet.setCell(4, 5, "w");
    const std::vector<std::string> expected = {"pos[].x", "pos[].y", "pos[].z", "pos[].w"};
    EXPECT_EQ(sheet.memberEntries(), expected);
}

TEST(JumpTarget, ItemsThenScenes) {
    // Three items, two scenes: 2 is the second item, 4 calls メイン, 5 the second scene.
    EXPECT_EQ(JumpTarget::resolve(2, 3, 2).kind, JumpTarget::Kind::Item);
    EXPECT_EQ(JumpTarget::resolve(2, 3, 2).index, 1);
    EXPECT_EQ(JumpTarget::resolve(4, 3, 2).kind, JumpTarget::Kind::Scene);
    EXPECT_EQ(JumpTarget::resolve(4, 3, 2).index, 0);
    EXPECT_EQ(JumpTarget::resolve(5, 3, 2).index, 1);
    EXPECT_EQ(JumpTarget::resolve(6, 3, 2).kind, JumpTarget::Kind::None);
    EXPECT_EQ(JumpTarget::resolve(0, 3, 2).kind, JumpTarget::Kind::None);
}

TEST(Scene, NewItemsGetNameSheetAndStartFlag) {
    Scene scene;
    Item& first = scene.addItem(30, 40);
    Item& second = scene.addItem(5, 6);
    EXPECT_EQ(first.nodeText, "itm0");
    EXPECT_EQ(second.nodeText, "itm1");
    EXPECT_EQ(first.sheet.cell(0, 0), "itm0");
    EXPECT_EQ(first.sheet.cell(1, 1), "30");
    EXPECT_EQ(first.sheet.cell(2, 1), "40");
    EXPECT_EQ(first.sheet.cell(3, 1), "1");
    EXPECT_EQ(second.sheet.cell(3, 1), "0");
    EXPECT_EQ(second.sheet.columnCount(), 10);
    EXPECT_EQ(second.sheet.rowCount(), 5);
    EXPECT_EQ(first.displayText(), "itm0");
    first.sheet.setCell(4, 1, "label");
    EXPECT_EQ(first.displayText(), "label");
    EXPECT_EQ(scene.indexOf(&second), 1);
}
