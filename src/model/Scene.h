#pragma once

#include "model/ChangeCount.h"
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
    // Appends an item made elsewhere (the file reader makes its own), recorded as addItem is.
    Item& addItem(std::unique_ptr<Item> item);
    // Moves every item of `other` to the end of this scene, unrecorded: the file reader reads
    // the second half of a file into scenes of its own and moves the items over.
    void takeItemsOf(Scene& other);
    // The node text addItem gives the next item.
    std::string nextNodeText() const;
    // Removes the item at `index`; the items after it move up one place. A recording change
    // log keeps the item, so that undo puts the same item back. Throws std::out_of_range for
    // an index outside the scene.
    void deleteItem(int index);

    // Take an item out and put it back, unrecorded: the change log's own moves.
    std::unique_ptr<Item> takeItem(int index);
    Item& putItem(int index, std::unique_ptr<Item> item);

private:
    std::vector<std::unique_ptr<Item>> items_;
    [[no_unique_address]] ChangeCount::Member counted_;
};

} // namespace hakoniwa
