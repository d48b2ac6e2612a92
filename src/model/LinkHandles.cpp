#include "model/LinkHandles.h"

namespace hakoniwa {

HandleGrab findLinkHandles(const Scene& scene, const Item& item, CanvasPoint pointer) {
    HandleGrab grab;
    for (int row = ItemSheet::kFirstCommandRow; row < item.sheet.rowCount(); ++row) {
        const RowMark mark = rowMark(item.sheet, row, scene.itemCount());
        if (mark.kind != RowMark::Kind::Link)
            continue;
        const LinkPath path = linkPath(item, scene.item(mark.targetIndex), row);
        const CanvasPoint source = itemAnchor(item);
        const CanvasPoint target = path.end;
        if (handleInReach(path.start, pointer)) {
            grab.startRow = row;
            grab.grabOffset = CanvasPoint{path.start.x - source.x - pointer.x,
                                          path.start.y - source.y - pointer.y};
        }
        if (handleInReach(path.bend, pointer)) {
            grab.endRow = row;
            grab.grabOffset =
                CanvasPoint{path.bend.x - target.x - pointer.x, path.bend.y - target.y - pointer.y};
        }
    }
    return grab;
}

} // namespace hakoniwa
