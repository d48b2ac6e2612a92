#include "model/Scene.h"

namespace hakoniwa {

int Scene::indexOf(const Item* item) const {
    for (int i = 0; i < itemCount(); ++i)
        if (items_[i].get() == item)
            return i;
    return -1;
}

Item& Scene::addItem(int x, int y) {
    auto item = std::make_unique<Item>();
    item->nodeText = "itm" + std::to_string(itemCount());
    items_.push_back(std::move(item));
    Item& added = *items_.back();
    added.sheet.setCell(0, 0, added.nodeText);
    added.sheet.setCell(1, 1, std::to_string(x));
    added.sheet.setCell(2, 1, std::to_string(y));
    added.sheet.setCell(3, 1, itemCount() == 1 ? "1" : "0");
    return added;
}

} // namespace hakoniwa
