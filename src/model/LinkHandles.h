#pragma once

#include "model/DiagramGeometry.h"

#include <optional>

namespace hakoniwa {

// The link handles of one item that the pointer can grab, found before a left press.
struct HandleGrab {
    int startRow = -1; // row whose start handle is within reach, -1 for none
    int endRow = -1;   // row whose end handle is within reach, -1 for none
    // The grabbed handle's offset cells minus the pointer; a drag to P writes P + grabOffset.
    // When several handles are within reach the last one found sets it: rows in order, the
    // end handle after the start handle of the same row.
    std::optional<CanvasPoint> grabOffset;
};

// Looks through every command row of `item` that links to an item of `scene` for handles
// within reach of the pointer. Later rows win. Rows that call scenes have no handles.
HandleGrab findLinkHandles(const Scene& scene, const Item& item, CanvasPoint pointer);

} // namespace hakoniwa
