#include "model/LinkHandles.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

void setLink(Item& item, int row, const std::string& jump, int o1x, int o1y, int o2x, int o2y) {
    item.sheet.setCell(1, row, jump);
    item.sheet.setCell(6, row, std::to_string(o1x));
    item.sheet.setCell(7, row, std::to_string(o1y));
    item.sheet.setCell(8, row, std::to_string(o2x));
    item.sheet.setCell(9, row, std::to_string(o2y));
}

} // namespace

TEST(LinkHandles, ReachIsTwelvePixelsEachWayEdgesIncluded) {
    Scene scene;
    Item& a = scene.addItem(100, 100);
    scene.addItem(300, 100);
    setLink(a, 2, "2", -20, -20, -20, -20); // start (80,80), end handle (280,80)

    HandleGrab grab = findLinkHandles(scene, a, {92, 68});
    EXPECT_EQ(grab.startRow, 2);
    EXPECT_EQ(grab.endRow, -1);
    ASSERT_TRUE(grab.grabOffset);
    EXPECT_EQ(*grab.grabOffset, (CanvasPoint{-20 - 92, -20 - 68}));

    EXPECT_EQ(findLinkHandles(scene, a, {93, 80}).startRow, -1);
    EXPECT_EQ(findLinkHandles(scene, a, {80, 67}).startRow, -1);
    EXPECT_FALSE(findLinkHandles(scene, a, {200, 200}).grabOffset);

    grab = findLinkHandles(scene, a, {268, 92});
    EXPECT_EQ(grab.startRow, -1);
    EXPECT_EQ(grab.endRow, 2);
    EXPECT_EQ(*grab.grabOffset, (CanvasPoint{-20 - 268, -20 - 92}));
}

TEST(LinkHandles, EndHandleAndLaterRowsWinAndSceneCallsHaveNoHandles) {
    Scene scene;
    Item& a = scene.addItem(100, 100);
    scene.addItem(110, 100);
    // Row 2: both handles near (90,90); its end offsets set the grab.
    setLink(a, 2, "2", -10, -10, -20, -10);
    // Row 3 jumps to a scene (3 > two items): its offsets would be in reach but count not.
    setLink(a, 3, "3", -10, -10, -10, -10);
    // Row 4: a self jump whose start handle is in reach: the later row takes the start.
    setLink(a, 4, "1", -5, -5, 50, 50);
    // Row 5: an offset that is not a number counts as 0: its start handle at (100,140).
    setLink(a, 5, "2", 0, 40, 0, 0);
    a.sheet.setCell(6, 5, "abc");

    HandleGrab grab = findLinkHandles(scene, a, {90, 90});
    EXPECT_EQ(grab.startRow, 4);
    EXPECT_EQ(grab.endRow, 2);
    EXPECT_EQ(*grab.grabOffset, (CanvasPoint{-5 - 90, -5 - 90}));

    grab = findLinkHandles(scene, a, {112, 140});
    EXPECT_EQ(grab.startRow, 5);
    EXPECT_EQ(grab.endRow, -1);
    EXPECT_EQ(*grab.grabOffset, (CanvasPoint{0 - 112, 40 - 140}));
}
