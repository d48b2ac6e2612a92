#pragma once

#include "model/Item.h"

#include <memory>
#include <string>
#include <vector>

// One tab of the project: its caption, memo lines and ordered items. Items are held by
// unique_ptr so that the editor's pointers to them stay valid while the scene lives.
namespace hakoniwa {

class Scene {
public:
    std::string caption;           // the tab caption, the scene's name
    std::string nodeText;          // caption at creation + "tv"; never renamed
    std::vector<std::string> memo; // free text lines

    int itemCount() const { return static_cast<int>(items_.size()); }
    Item& item(int index) { return *items_.at(index); }
    const Item& item(int index) const { return *items_.at(index); }
    // Index of the item in this scene, or -1.
    int indexOf(const Item* item) const;

    // Appends item "itm" + N at (x, y) with a fresh 10 x 5 sheet; the scene's first item
    // gets the start flag "1", the others "0".
    Item& addItem(int x, int y);

private:
    std::vector<std::unique_ptr<Item>> items_;
};

} // namespace hakoniwa
