#include "model/DiagramGeometry.h"

#include <gtest/gtest.h>

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

Item& placedItem(Scene& scene, int x, int y, const std::string& label = "") {
    Item& item = scene.addItem(x, y);
    item.sheet.setCell(4, 1, label);
    return item;
}

} // namespace

TEST(DiagramGeometry, BoxSurroundsTheTextAndTheAnchor) {
    EXPECT_EQ(boxRect({50, 60}, 30), (CanvasRect{46, 56, 84, 76}));
    EXPECT_EQ(textOrigin({50, 60}), (CanvasPoint{52, 62}));
    const CanvasRect empty = boxRect({0, 0}, 0);
    EXPECT_EQ(empty.width(), 8);
    EXPECT_EQ(empty.height(), 20);
    EXPECT_EQ(empty.left, -4);
    EXPECT_EQ(empty.top, -4);

    Scene scene;
    CountingWidth width;
    // The node text stands in for an empty label.
    EXPECT_EQ(itemBox(placedItem(scene, 10, 10), width.function()).width(), 4 * 7 + 8);
    EXPECT_EQ(itemBox(placedItem(scene, 10, 10, "ab"), width.function()).width(), 2 * 7 + 8);
    EXPECT_EQ(width.calls, 2);
}

TEST(DiagramGeometry, AnchorColourAndStartFlagReadTheHeaderRow) {
    Scene scene;
    Item& item = scene.addItem(0, 0);
    item.sheet.setCell(1, 1, "$20");
    item.sheet.setCell(2, 1, "12a");
    EXPECT_EQ(itemAnchor(item), (CanvasPoint{32, 0}));
    EXPECT_TRUE(isStartItem(item));
    item.sheet.setCell(3, 1, "yes");
    EXPECT_FALSE(isStartItem(item));

    EXPECT_EQ(itemColour(item), kNoColour);
    item.sheet.setCell(5, 1, "0x000000FF");
    EXPECT_EQ(itemColour(item), 0xFF);
    item.sheet.setCell(5, 1, "$FF00");
    EXPECT_EQ(itemColour(item), 0xFF00);
    item.sheet.setCell(5, 1, "abc");
    EXPECT_EQ(itemColour(item), kNoColour);
}

TEST(DiagramGeometry, PointerOnTheOutlineIsNotOverTheItem) {
    const CanvasRect box = boxRect({100, 100}, 20); // 96..124 x 96..116
    EXPECT_FALSE(boxContains(box, {96, 105}));
    EXPECT_TRUE(boxContains(box, {97, 105}));
    EXPECT_FALSE(boxContains(box, {124, 105}));
    EXPECT_TRUE(boxContains(box, {123, 105}));
    EXPECT_FALSE(boxContains(box, {110, 96}));
    EXPECT_TRUE(boxContains(box, {110, 97}));
    EXPECT_FALSE(boxContains(box, {110, 116}));
    EXPECT_TRUE(boxContains(box, {110, 115}));

    Scene scene;
    CountingWidth width;
    placedItem(scene, 300, 300, "far");
    placedItem(scene, 100, 100, "abc");
    placedItem(scene, 105, 100, "abc"); // overlaps the one before and is drawn over it
    EXPECT_EQ(itemAt(scene, {110, 105}, width.function()), 2);
    EXPECT_EQ(itemAt(scene, {99, 105}, width.function()), 1);
    EXPECT_EQ(itemAt(scene, {10, 10}, width.function()), -1);
}

TEST(DiagramGeometry, HandleReachIsTwelvePixelsEachWay) {
    EXPECT_TRUE(handleInReach({50, 50}, {62, 62}));
    EXPECT_TRUE(handleInReach({50, 50}, {38, 38}));
    EXPECT_FALSE(handleInReach({50, 50}, {63, 50}));
    EXPECT_FALSE(handleInReach({50, 50}, {50, 37}));
    EXPECT_EQ(handleCircle({10, 10}), (CanvasRect{8, 8, 12, 12}));
}

TEST(DiagramGeometry, LinkRunsOverItsHandlesToTheTarget) {
    Scene scene;
    Item& from = scene.addItem(10, 20);
    Item& to = scene.addItem(100, 50);
    from.sheet.setCell(6, 2, "5");
    from.sheet.setCell(7, 2, "-7");
    from.sheet.setCell(8, 2, "-20");
    from.sheet.setCell(9, 2, "x10");
    LinkPath path = linkPath(from, to, 2);
    EXPECT_EQ(path.start, (CanvasPoint{15, 13}));
    EXPECT_EQ(path.bend, (CanvasPoint{80, 66}));
    EXPECT_EQ(path.end, (CanvasPoint{100, 50}));

    path = linkPath(from, to, -1);
    EXPECT_EQ(path.start, (CanvasPoint{10, 20}));
    EXPECT_EQ(path.bend, (CanvasPoint{100, 50}));

    from.sheet.setCell(6, 3, "left"); // not a number: no offset
    EXPECT_EQ(linkPath(from, to, 3).start, (CanvasPoint{10, 20}));

    path = startLinePath(to);
    EXPECT_EQ(path.start, (CanvasPoint{0, 0}));
    EXPECT_EQ(path.bend, (CanvasPoint{100, 50}));
    EXPECT_EQ(path.end, (CanvasPoint{100, 50}));
}

TEST(DiagramGeometry, JumpNumbersBecomeLinksOrCallIcons) {
    ItemSheet sheet(10, 10);
    const std::pair<const char*, RowMark::Kind> cases[] = {
        {"0", RowMark::Kind::None},     {"", RowMark::Kind::None},
        {"abc", RowMark::Kind::None},   {"-2", RowMark::Kind::None},
        {"1", RowMark::Kind::Link},     {"3", RowMark::Kind::Link},
        {"4", RowMark::Kind::CallIcon}, {"99", RowMark::Kind::CallIcon},
    };
    for (const auto& [text, kind] : cases) {
        sheet.setCell(1, 2, text);
        EXPECT_EQ(rowMark(sheet, 2, 3).kind, kind) << text;
    }
    sheet.setCell(1, 2, "3");
    EXPECT_EQ(rowMark(sheet, 2, 3).targetIndex, 2);
}

TEST(DiagramGeometry, IconsAreFifteenPixelSquaresAboveTheAnchor) {
    EXPECT_EQ(selfIconRect({50, 60}), (CanvasRect{34, 44, 49, 59}));
    EXPECT_EQ(callIconRect({50, 60}), (CanvasRect{50, 44, 65, 59}));
    // The box covers the self icon's bottom-right 3 x 3 pixels and the call icon's last
    // three rows.
    const CanvasRect box = boxRect({50, 60}, 0);
    EXPECT_EQ(selfIconRect({50, 60}).right - box.left, 3);
    EXPECT_EQ(callIconRect({50, 60}).bottom - box.top, 3);
}
