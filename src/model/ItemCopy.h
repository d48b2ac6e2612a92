#pragma once

#include "model/ItemSheet.h"

namespace hakoniwa {

// Makes `copy` hold everything of `original` except what makes an item itself: the name
// (0,0) and the position (1,1), (2,1) stay those of `copy`. The sheet takes the original's
// size; the kept cells are written back afterwards, so a smaller original cannot cut them.
void copyItemBody(const ItemSheet& original, ItemSheet& copy);

} // namespace hakoniwa
