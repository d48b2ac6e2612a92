#pragma once

#include "model/Scene.h"
#include "model/TextWidth.h"

#include <cstdint>

// Where the marks of a scene diagram lie: item boxes, links and their handles, the icons,
// and which item or handle the pointer is over. Drawing and the mouse protocol both ask
// here, so what is drawn and what can be grabbed cannot drift apart.
namespace hakoniwa {

// A canvas position in pixels, origin at the canvas's top-left corner.
struct CanvasPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

// The pixels from (left, top) up to, but not including, (right, bottom).
struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const CanvasRect&) const = default;
};

// Colour value 0x00BBGGRR, or kNoColour.
inline constexpr std::int32_t kNoColour = -1;

// The item's anchor (1,1), (2,1); a cell that is not a number counts as 0.
CanvasPoint itemAnchor(const Item& item);
// The colour cell (5,1): kNoColour when it is empty or not a number.
std::int32_t itemColour(const Item& item);
// True when the start flag (3,1) reads as 1.
bool isStartItem(const Item& item);

// The box of a text `textWidth` pixels wide: from (x - 4, y - 4) to (x + w + 4, y + 16).
CanvasRect boxRect(CanvasPoint anchor, int textWidth);
// Top-left corner of the box text.
CanvasPoint textOrigin(CanvasPoint anchor);
// The box of the item's shown text, measured once.
CanvasRect itemBox(const Item& item, const TextWidth& textWidth);
// Strictly inside the box: a pointer on its outline is not over the item.
inline bool boxContains(const CanvasRect& box, CanvasPoint pointer) {
    return box.left < pointer.x && pointer.x < box.right && box.top < pointer.y &&
           pointer.y < box.bottom;
}
// Index of the topmost item whose box the pointer is over: boxes are drawn in list order, so
// the last one in the list that contains the pointer is the one the user sees; -1 for none.
int itemAt(const Scene& scene, CanvasPoint pointer, const TextWidth& textWidth);
// Where a dragged item's anchor goes: the pointer plus the grab offset, but never left of or
// above the canvas origin, where the item could not be reached again.
CanvasPoint draggedAnchor(CanvasPoint pointer, CanvasPoint grabOffset);

// What a command row puts on the diagram, from its jump number (column 1).
struct RowMark {
    enum class Kind { None, Link, CallIcon };
    Kind kind = Kind::None;
    int targetIndex = -1; // item index of a link's target
};
// 1 to itemCount is a link to that item; above it a call of a scene, shown as an icon even
// when no such scene exists; anything else shows nothing.
RowMark rowMark(const ItemSheet& sheet, int row, int itemCount);

// A link: a polyline from `start` over `bend` to `end`; start and bend are its handles.
struct LinkPath {
    CanvasPoint start;
    CanvasPoint bend;
    CanvasPoint end;
};
// The link of row `row` of `from` to `to`: start = from's anchor + (6,row), (7,row); bend =
// to's anchor + (8,row), (9,row); end = to's anchor. Row -1 means no offsets.
LinkPath linkPath(const Item& from, const Item& to, int row);
// The start line of a scene's start item: from the canvas origin to the anchor.
LinkPath startLinePath(const Item& to);

// The ellipse box of a link handle drawn around `centre`.
CanvasRect handleCircle(CanvasPoint centre);
// Within 12 pixels in x and in y, edges included.
bool handleInReach(CanvasPoint handle, CanvasPoint pointer);

// The 15 x 15 squares of the icons: the self icon above-left of the anchor, the call icon
// above it. The item's box covers a corner of each.
CanvasRect selfIconRect(CanvasPoint anchor);
CanvasRect callIconRect(CanvasPoint anchor);

} // namespace hakoniwa
