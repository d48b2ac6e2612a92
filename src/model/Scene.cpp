#include "model/Scene.h"

#include "model/ChangeLog.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace hakoniwa {
namespace {

// An item put in (or, with `inserted` false, taken out): the step owns the item while it is
// out of the scene, so pointers to it stay valid for a later redo or undo.
class ItemPlaceStep : public ChangeLog::Step {
public:
    ItemPlaceStep(Scene& scene, int index, bool inserted, std::unique_ptr<Item> out)
        : scene_(scene), index_(index), inserted_(inserted), out_(std::move(out)) {}
    void undo() override { inserted_ ? takeOut() : putIn(); }
    void redo() override { inserted_ ? putIn() : takeOut(); }

private:
    void putIn() { scene_.putItem(index_, std::move(out_)); }
    void takeOut() { out_ = scene_.takeItem(index_); }

    Scene& scene_;
    int index_;
    bool inserted_;
    std::unique_ptr<Item> out_;
};

} // namespace

int Scene::indexOf(const Item* item) const {
    for (int i = 0; i < itemCount(); ++i)
        if (items_[i].get() == item)
            return i;
    return -1;
}

std::string Scene::nextNodeText() const {
    return "itm" + std::to_string(itemCount());
}

Item& Scene::addItem(std::unique_ptr<Item> item) {
    Item& added = putItem(itemCount(), std::move(item));
    if (ChangeLog::recording())
        ChangeLog::record(std::make_unique<ItemPlaceStep>(*this, itemCount() - 1, true, nullptr));
    return added;
}

void Scene::takeItemsOf(Scene& other) {
    ChangeCount::bump();
    if (items_.empty())
        items_.swap(other.items_);
    else
        std::move(other.items_.begin(), other.items_.end(), std::back_inserter(items_));
    other.items_.clear();
}

Item& Scene::addItem(int x, int y) {
    auto item = std::make_unique<Item>();
    item->nodeText = nextNodeText();
    Item& added = addItem(std::move(item));
    added.sheet.setCell(0, 0, added.nodeText);
    added.sheet.setCell(1, 1, std::to_string(x));
    added.sheet.setCell(2, 1, std::to_string(y));
    added.sheet.setCell(3, 1, itemCount() == 1 ? "1" : "0");
    return added;
}

void Scene::deleteItem(int index) {
    std::unique_ptr<Item> item = takeItem(index);
    if (ChangeLog::recording())
        ChangeLog::record(std::make_unique<ItemPlaceStep>(*this, index, false, std::move(item)));
}

std::unique_ptr<Item> Scene::takeItem(int index) {
    if (index < 0 || index >= itemCount())
        throw std::out_of_range("no item " + std::to_string(index) + " in the scene");
    ChangeCount::bump();
    std::unique_ptr<Item> item = std::move(items_[index]);
    items_.erase(items_.begin() + index);
    return item;
}

Item& Scene::putItem(int index, std::unique_ptr<Item> item) {
    if (index < 0 || index > itemCount() || !item)
        throw std::out_of_range("no place " + std::to_string(index) + " in the scene");
    ChangeCount::bump();
    return **items_.insert(items_.begin() + index, std::move(item));
}

} // namespace hakoniwa
