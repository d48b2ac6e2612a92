#include "model/ItemBoxes.h"

#include <gtest/gtest.h>
#include <utility>

using namespace hakoniwa;

namespace {

// Seven pixels per byte, counting every measurement.
struct CountingWidth {
    int calls = 0;
    TextWidth function() {
        return [this](std::string_view text) {
            ++calls;
            return static_cast<int>(text.size()) * 7;
        };
    }
};

Item& placedItem(Scene& scene, int x, int y, const std::string& label) {
    Item& item = scene.addItem(x, y);
    item.sheet.setCell(4, 1, label);
    return item;
}

} // namespace

TEST(ItemBoxes, TextsAreMeasuredOnceAndEveryChangeIsFollowed) {
    Scene scene;
    Item& a = placedItem(scene, 100, 100, "abc"); // box 96..125 x 96..116
    Item& b = placedItem(scene, 300, 100, "de");
    CountingWidth width;
    ItemBoxes boxes;
    EXPECT_EQ(boxes.itemAt(scene, {124, 105}, width.function()), 0);
    EXPECT_EQ(boxes.itemAt(scene, {125, 105}, width.function()), -1); // on the edge
    EXPECT_EQ(boxes.itemAt(scene, {310, 115}, width.function()), 1);
    EXPECT_EQ(boxes.itemAt(scene, {310, 116}, width.function()), -1);
    EXPECT_EQ(width.calls, 2);

    // A longer label widens the box at once; only that text is measured again.
    a.sheet.setCell(4, 1, "abcdef");
    EXPECT_EQ(boxes.itemAt(scene, {140, 105}, width.function()), 0);
    EXPECT_EQ(width.calls, 3);
    // A moved item and an emptied label (the node text "itm1" shows) are followed too.
    b.sheet.setCell(1, 1, "500");
    b.sheet.setCell(4, 1, "");
    EXPECT_EQ(boxes.itemAt(scene, {310, 105}, width.function()), -1);
    EXPECT_EQ(boxes.itemAt(scene, {500 + 4 * 7 + 3, 105}, width.function()), 1);
    EXPECT_EQ(width.calls, 4);

    // Items put in another order: the one drawn last is on top.
    b.sheet.setCell(1, 1, "100");
    EXPECT_EQ(boxes.itemAt(scene, {110, 105}, width.function()), 1);
    scene.putItem(1, scene.takeItem(0));
    EXPECT_EQ(boxes.itemAt(scene, {110, 105}, width.function()), 1);
    EXPECT_EQ(&scene.item(1), &a);

    // Another scene with as many items has its own boxes.
    Scene other;
    placedItem(other, 600, 600, "x");
    placedItem(other, 700, 700, "y");
    EXPECT_EQ(boxes.itemAt(other, {110, 105}, width.function()), -1);
    EXPECT_EQ(boxes.itemAt(other, {605, 605}, width.function()), 0);

    // Another font measures every text again.
    const int before = width.calls;
    boxes.fontChanged();
    EXPECT_EQ(boxes.itemAt(other, {605, 605}, width.function()), 0);
    EXPECT_EQ(width.calls, before + 2);
}
