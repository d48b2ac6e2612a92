#include "model/SharedText.h"
#include "model/ChangeLog.h"
#include "model/ItemSheet.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace hakoniwa;

TEST(SharedText, EqualTextsAreHeldOnceAndFreedWithTheirLastHolder) {
    const std::size_t before = SharedText::distinctCount();
    {
        SharedText a("shared-text-a");
        SharedText b(std::string("shared-text-") + "a");
        const SharedText copy = a;
        EXPECT_EQ(a.view().data(), b.view().data());
        EXPECT_EQ(copy.view().data(), a.view().data());
        EXPECT_EQ(SharedText::distinctCount(), before + 1);
        a = SharedText("shared-text-b");
        b = std::move(a);
        EXPECT_TRUE(a.empty());
        EXPECT_EQ(b.view(), "shared-text-b");
        EXPECT_EQ(copy.view(), "shared-text-a");
        EXPECT_EQ(SharedText::distinctCount(), before + 2);
    }
    EXPECT_EQ(SharedText::distinctCount(), before);
    EXPECT_TRUE(SharedText("").empty());
    EXPECT_EQ(SharedText::distinctCount(), before);
}

// Many texts come and go in an order that leaves gaps all over the table; every text still
// held must still be found, not made a second time.
TEST(SharedText, TextsStayFoundWhileOthersAreFreed) {
    const std::size_t before = SharedText::distinctCount();
    std::vector<std::unique_ptr<SharedText>> held;
    for (int i = 0; i < 20000; ++i)
        held.push_back(std::make_unique<SharedText>("t" + std::to_string(i)));
    for (int i = 0; i < 20000; ++i)
        if (i % 3 != 0)
            held[i].reset();
    EXPECT_EQ(SharedText::distinctCount(), before + 6667);
    for (int i = 0; i < 20000; i += 3)
        EXPECT_EQ(SharedText("t" + std::to_string(i)).view().data(), held[i]->view().data()) << i;
    held.clear();
    EXPECT_EQ(SharedText::distinctCount(), before);
}

TEST(SharedText, SheetCellsShareTextsAndKeepThemThroughReshaping) {
    ItemSheet sheet(3, 3);
    sheet.setCell(0, 0, "same");
    sheet.setCell(1, 0, sheet.cell(0, 0));
    const std::string_view kept = sheet.cell(1, 0);
    EXPECT_EQ(kept.data(), sheet.cell(0, 0).data());
    sheet.setCell(0, 0, "other");
    sheet.setCell(2, 2, "x");
    sheet.setColumnCount(12);
    sheet.setRowCount(40);
    sheet.swapRows(0, 39);
    EXPECT_EQ(kept, "same");
    EXPECT_EQ(sheet.cell(1, 39), "same");
    EXPECT_EQ(sheet.cell(0, 39), "other");
    EXPECT_EQ(sheet.cell(1, 0), "");

    const ItemSheet copy = sheet;
    sheet.setCell(1, 39, "changed");
    EXPECT_EQ(copy.cell(1, 39), "same");
    EXPECT_EQ(copy.cell(2, 2), "x");
}

// A whole row written at once may take its texts from the cells it overwrites, even when they
// hold the only copy; while an edit is recorded, each cell is one step as usual.
TEST(SharedText, RowWrittenAtOnceFromItsOwnCells) {
    ItemSheet sheet(4, 2);
    sheet.setCells(0, 1, std::vector<std::string_view>{"only-first-copy", "only-second-copy"});
    sheet.setCells(0, 1, std::vector<std::string_view>{sheet.cell(1, 1), sheet.cell(0, 1), ""});
    EXPECT_EQ(sheet.cell(0, 1), "only-second-copy");
    EXPECT_EQ(sheet.cell(1, 1), "only-first-copy");
    EXPECT_EQ(sheet.cell(2, 1), "");

    ChangeLog log;
    {
        const ChangeLog::Recording recording(log);
        sheet.setCells(3, 1, std::vector<std::string_view>{"x", "y"});
    }
    EXPECT_EQ(sheet.columnCount(), 5);
    EXPECT_EQ(sheet.cell(4, 1), "y");
    log.undo();
    EXPECT_EQ(sheet.cell(3, 1), "");
    EXPECT_EQ(sheet.columnCount(), 4);
    log.redo();
    EXPECT_EQ(sheet.cell(3, 1), "x");
}

// Rows appended whole view their texts in the block; texts elsewhere are held in the table.
// The block lives while a cell, a copy of one or an undo step views it, and goes with the last
// of them.
TEST(SharedText, RowsViewTheirBlockWhileAnyCellHoldsIt) {
    const std::size_t blocksBefore = SharedText::blockCount();
    const std::size_t before = SharedText::distinctCount();
    auto sheet = std::make_unique<ItemSheet>(3, 1);
    sheet->setCell(2, 0, "own-old-text");
    ChangeLog log;
    {
        auto block = std::make_unique<TextBlock>(std::string("abc\tview-me\tlong-enough"));
        const std::string_view bytes = block->bytes();
        const std::string elsewhere = "elsewhere";
        using View = SharedText::BlockView;
        sheet->appendRows(std::vector<View>{View(bytes.substr(0, 3)), View(bytes.substr(4, 7)),
                                            View(), View(elsewhere), View(bytes.substr(12)),
                                            View(bytes.substr(20))},
                          *block);
        EXPECT_EQ(sheet->rowCount(), 3);
        EXPECT_EQ(sheet->cell(0, 1).data(), bytes.data());
        EXPECT_EQ(sheet->cell(1, 2), "long-enough");
        EXPECT_EQ(sheet->cell(2, 0), "own-old-text");
        EXPECT_EQ(sheet->cell(0, 2), "elsewhere");
        EXPECT_NE(sheet->cell(0, 2).data(), elsewhere.data());
        EXPECT_EQ(SharedText::blockCount(), blocksBefore + 1);
        auto other = std::make_unique<ItemSheet>(3, 0);
        other->appendRows(
            std::vector<View>{View(bytes.substr(0, 3)), View(), View(bytes.substr(4))}, *block);
        EXPECT_EQ(other->cell(2, 0), "view-me\tlong-enough");
        block.reset(); // the cells keep the bytes
        EXPECT_EQ(other->cell(0, 0), "abc");
        other.reset();
        const ChangeLog::Recording recording(log);
        sheet->setCell(1, 1, "edited"); // the step keeps the old view
    }
    ItemSheet copy = *sheet;
    sheet.reset();
    EXPECT_EQ(copy.cell(1, 2), "long-enough");
    EXPECT_EQ(SharedText::blockCount(), blocksBefore + 1);
    log = ChangeLog();
    EXPECT_EQ(SharedText::blockCount(), blocksBefore + 1);
    {
        ItemSheet last = copy;
        EXPECT_EQ(last.cell(0, 1), "abc");
    }
    EXPECT_THROW(ItemSheet(3, 1).appendRows(std::vector<SharedText::BlockView>(2), TextBlock("")),
                 std::invalid_argument);
    copy.setRowCount(0);
    EXPECT_EQ(SharedText::blockCount(), blocksBefore);
    EXPECT_EQ(SharedText::distinctCount(), before);
}
