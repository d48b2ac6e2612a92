#include "model/JumpRow.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

// A jump made through column 1 plays at once with the drawn link's component; a component the
// row already holds, an instruction row and a vocabulary without components are left alone.
TEST(JumpDefaultComponent, AFreshJumpTakesTheLastComponent) {
    const std::vector<std::string> components = {"eq,a,2,x:hen|val", "go,always,0"};
    const std::vector<std::string> instructions = {"set-v,put,2,v:hen.w,x:hen|val"};
    ItemSheet sheet;
    sheet.setCell(1, 2, "1");
    giveJumpDefaultComponent(sheet, 2, components, instructions);
    EXPECT_EQ(sheet.cell(2, 2), "go,always,0");

    sheet.setCell(1, 3, "2"); // was an instruction row
    sheet.setCell(2, 3, instructions[0]);
    giveJumpDefaultComponent(sheet, 3, components, instructions);
    EXPECT_EQ(sheet.cell(2, 3), "go,always,0");

    sheet.setCell(1, 4, "1"); // its own component stays
    sheet.setCell(2, 4, components[0]);
    giveJumpDefaultComponent(sheet, 4, components, instructions);
    EXPECT_EQ(sheet.cell(2, 4), components[0]);

    for (const char* notAJump : {"0", "-1", ""}) {
        sheet.setCell(1, 5, notAJump);
        giveJumpDefaultComponent(sheet, 5, components, instructions);
        EXPECT_EQ(sheet.cell(2, 5), "") << notAJump;
    }
    sheet.setCell(1, 6, "1");
    giveJumpDefaultComponent(sheet, 6, {}, instructions);
    EXPECT_EQ(sheet.cell(2, 6), "");
}
