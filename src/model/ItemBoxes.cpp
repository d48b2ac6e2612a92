#include "model/ItemBoxes.h"

#include "model/ChangeCount.h"

#include <algorithm>

namespace hakoniwa {

int ItemBoxes::itemAt(const Scene& scene, CanvasPoint pointer, const TextWidth& textWidth) {
    if (!valid_ || scene_ != &scene || worked_ != ChangeCount::now())
        rebuild(scene, textWidth);
    for (int i = static_cast<int>(boxes_.size()) - 1; i >= 0; --i)
        if (boxContains(boxes_[i], pointer))
            return i;
    return -1;
}

void ItemBoxes::fontChanged() {
    measured_ = 0;
    valid_ = false;
}

void ItemBoxes::rebuild(const Scene& scene, const TextWidth& textWidth) {
    valid_ = false; // until every box is worked out
    const auto count = static_cast<std::size_t>(scene.itemCount());
    boxes_.resize(count);
    texts_.resize(count);
    widths_.resize(count);
    measured_ = std::min(measured_, count);
    for (std::size_t i = 0; i < count; ++i) {
        const Item& item = scene.item(static_cast<int>(i));
        const std::string_view text = item.displayText();
        if (i >= measured_ || text != texts_[i]) {
            widths_[i] = textWidth(text);
            texts_[i] = text;
        }
        boxes_[i] = boxRect(itemAnchor(item), widths_[i]);
    }
    measured_ = count;
    scene_ = &scene;
    worked_ = ChangeCount::now();
    valid_ = true;
}

} // namespace hakoniwa
