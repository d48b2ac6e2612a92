#pragma once

#include "model/ItemSheet.h"

#include <string>

// One box of a scene: the name shown in the scene's item list and the sheet that holds
// everything else about it.
namespace hakoniwa {

struct Item {
    std::string nodeText; // "itm" and the item's position at creation
    ItemSheet sheet;

    // The text a box shows: the label (4,1), or the node text when the label is empty.
    std::string_view displayText() const;
};

} // namespace hakoniwa
