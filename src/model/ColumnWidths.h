#pragma once

#include "model/ItemSheet.h"
#include "model/TextWidth.h"

namespace hakoniwa {

inline constexpr int kNarrowestFittedColumn = 30;
inline constexpr int kWidestFittedColumn = 200;

// Sets the width of every column from 1 on to fit its texts below the heading row: the
// widest first field (up to the first ",") plus one digit's room, at least 30 and at most
// 200 pixels. Column 0 keeps its width. Each text is measured once.
void fitColumnWidths(ItemSheet& sheet, const TextWidth& textWidth);

} // namespace hakoniwa
