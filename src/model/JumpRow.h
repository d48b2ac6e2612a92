#pragma once

#include "model/ItemSheet.h"

#include <string>
#include <vector>

namespace hakoniwa {

// Both link handles of a freshly drawn link sit this far up and left of their anchors.
inline constexpr int kNewLinkOffset = -20;

// Appends a command row jumping to the scene's item at `targetIndex` (0-based): column 1
// the jump number targetIndex + 1, column 2 `component`, columns 6 to 9 the new link's
// handle offsets; the other cells stay empty. Returns the new row.
int appendJumpRow(ItemSheet& sheet, int targetIndex, const std::string& component);

// After column 1 of a command row was given a target: a jump (a number above 0) whose column 2
// holds no component yet (empty, or the instruction of the row it was) takes the component a
// drawn link gets, the last line of cmp.txt, so that the fresh jump plays at once. A row whose
// column 2 holds anything else keeps it.
void giveJumpDefaultComponent(ItemSheet& sheet, int row, const std::vector<std::string>& components,
                              const std::vector<std::string>& instructions);

} // namespace hakoniwa
