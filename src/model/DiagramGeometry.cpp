#include "model/DiagramGeometry.h"

#include "model/NumberConversion.h"

#include <algorithm>
#include <limits>

namespace hakoniwa {
namespace {

constexpr int kBoxMargin = 4;
constexpr int kBoxBottom = 16;
constexpr int kTextInset = 2;
constexpr int kHandleRadius = 2;
constexpr int kHandleReach = 12;
constexpr int kIconSize = 15;

int numberOr0(const ItemSheet& sheet, int column, int row) {
    return toIntDef(sheet.cell(column, row), 0);
}

} // namespace

CanvasPoint itemAnchor(const Item& item) {
    return {numberOr0(item.sheet, 1, 1), numberOr0(item.sheet, 2, 1)};
}

std::int32_t itemColour(const Item& item) {
    const std::string_view text = item.sheet.cell(5, 1);
    if (text.empty())
        return kNoColour;
    return toIntDef(text, kNoColour);
}

bool isStartItem(const Item& item) {
    return numberOr0(item.sheet, 3, 1) == 1;
}

CanvasRect boxRect(CanvasPoint anchor, int textWidth) {
    return {anchor.x - kBoxMargin, anchor.y - kBoxMargin, anchor.x + textWidth + kBoxMargin,
            anchor.y + kBoxBottom};
}

CanvasPoint textOrigin(CanvasPoint anchor) {
    return {anchor.x + kTextInset, anchor.y + kTextInset};
}

CanvasRect itemBox(const Item& item, const TextWidth& textWidth) {
    return boxRect(itemAnchor(item), textWidth(item.displayText()));
}

int itemAt(const Scene& scene, CanvasPoint pointer, const TextWidth& textWidth) {
    for (int i = scene.itemCount() - 1; i >= 0; --i)
        if (boxContains(itemBox(scene.item(i), textWidth), pointer))
            return i;
    return -1;
}

CanvasPoint draggedAnchor(CanvasPoint pointer, CanvasPoint grabOffset) {
    // Summed wide: an anchor read from a file may lie near the end of the int range.
    const auto coordinate = [](int at, int offset) {
        const long long sum = static_cast<long long>(at) + offset;
        return static_cast<int>(std::clamp<long long>(sum, 0, std::numeric_limits<int>::max()));
    };
    return {coordinate(pointer.x, grabOffset.x), coordinate(pointer.y, grabOffset.y)};
}

RowMark rowMark(const ItemSheet& sheet, int row, int itemCount) {
    const int jump = sheet.jumpNumber(row);
    if (jump <= 0)
        return {};
    if (jump - 1 < itemCount)
        return {RowMark::Kind::Link, jump - 1};
    return {RowMark::Kind::CallIcon, -1};
}

LinkPath linkPath(const Item& from, const Item& to, int row) {
    const CanvasPoint source = itemAnchor(from);
    const CanvasPoint target = itemAnchor(to);
    CanvasPoint startOffset, bendOffset;
    if (row != -1) {
        startOffset = {numberOr0(from.sheet, 6, row), numberOr0(from.sheet, 7, row)};
        bendOffset = {numberOr0(from.sheet, 8, row), numberOr0(from.sheet, 9, row)};
    }
    return {{source.x + startOffset.x, source.y + startOffset.y},
            {target.x + bendOffset.x, target.y + bendOffset.y},
            target};
}

LinkPath startLinePath(const Item& to) {
    const CanvasPoint target = itemAnchor(to);
    return {{0, 0}, target, target};
}

CanvasRect handleCircle(CanvasPoint centre) {
    return {centre.x - kHandleRadius, centre.y - kHandleRadius, centre.x + kHandleRadius,
            centre.y + kHandleRadius};
}

bool handleInReach(CanvasPoint handle, CanvasPoint pointer) {
    return handle.x - kHandleReach <= pointer.x && pointer.x <= handle.x + kHandleReach &&
           handle.y - kHandleReach <= pointer.y && pointer.y <= handle.y + kHandleReach;
}

CanvasRect selfIconRect(CanvasPoint anchor) {
    return {anchor.x - 1 - kIconSize, anchor.y - 1 - kIconSize, anchor.x - 1, anchor.y - 1};
}

CanvasRect callIconRect(CanvasPoint anchor) {
    return {anchor.x, anchor.y - 1 - kIconSize, anchor.x + kIconSize, anchor.y - 1};
}

} // namespace hakoniwa
