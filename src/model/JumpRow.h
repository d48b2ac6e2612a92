#pragma once

#include "model/ItemSheet.h"

#include <string>

namespace hakoniwa {

// Both link handles of a freshly drawn link sit this far up and left of their anchors.
inline constexpr int kNewLinkOffset = -20;

// Appends a command row jumping to the scene's item at `targetIndex` (0-based): column 1
// the jump number targetIndex + 1, column 2 `component`, columns 6 to 9 the new link's
// handle offsets; the other cells stay empty. Returns the new row.
int appendJumpRow(ItemSheet& sheet, int targetIndex, const std::string& component);

} // namespace hakoniwa
