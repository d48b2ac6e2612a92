#pragma once

#include "model/DiagramGeometry.h"
#include "model/Scene.h"
#include "model/TextWidth.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hakoniwa {

// The item boxes of a scene as last worked out, so that a pointer move over a large scene
// neither measures a text nor reads a cell. The boxes are worked out again after any sheet or
// any scene's item list was made or changed (ChangeCount), or for another scene; a text is
// measured again only when it differs from the one last measured at its place in the scene,
// or after a change of font. An item's node text is set once, when the item is put in its
// scene, so the change count covers it too.
class ItemBoxes {
public:
    // As the free itemAt: the index of the topmost item whose box the pointer is strictly
    // inside, or -1; texts are measured by `textWidth`.
    int itemAt(const Scene& scene, CanvasPoint pointer, const TextWidth& textWidth);
    // Texts are measured in another font from now on.
    void fontChanged();

private:
    void rebuild(const Scene& scene, const TextWidth& textWidth);

    const Scene* scene_ = nullptr; // only compared, never followed
    std::uint64_t worked_ = 0;     // the change count the boxes were worked out at
    bool valid_ = false;
    std::vector<CanvasRect> boxes_;
    std::vector<std::string> texts_; // the text measured at each place
    std::vector<int> widths_;
    std::size_t measured_ = 0; // the places before it hold a measured text
};

} // namespace hakoniwa
