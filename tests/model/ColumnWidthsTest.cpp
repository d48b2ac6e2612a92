#include "model/ColumnWidths.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace hakoniwa;

TEST(ColumnWidths, FitTheFirstFieldBetweenThirtyAndTwoHundred) {
    ItemSheet sheet;
    sheet.columnWidths()[0] = 77;
    sheet.setCell(2, 0, std::string(40, 'h')); // the heading row is not measured
    sheet.setCell(3, 3, "abcdef,ghijklmnopq");
    sheet.setCell(4, 2, std::string(40, 'w'));
    std::vector<std::string> measured;
    fitColumnWidths(sheet, [&](std::string_view text) {
        measured.emplace_back(text);
        return static_cast<int>(text.size()) * 10;
    });

    const std::vector<int> expected = {77, 30, 30, 70, 200, 30, 30, 30, 30, 30};
    EXPECT_EQ(sheet.columnWidths(), expected);
    EXPECT_NE(std::find(measured.begin(), measured.end(), "abcdef5"), measured.end());
    EXPECT_EQ(measured.size(), 9u * 4u); // columns 1 to 9, rows 1 to 4
}
