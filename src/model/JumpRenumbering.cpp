#include "model/JumpRenumbering.h"

#include "model/NumberConversion.h"

namespace hakoniwa {

void renumberJumpsAfterItemAdded(Scene& scene) {
    const int items = scene.itemCount();
    for (int i = 0; i < items; ++i) {
        ItemSheet& sheet = scene.item(i).sheet;
        for (int row = ItemSheet::kFirstCommandRow; row < sheet.rowCount(); ++row) {
            const int jump = toIntDef(sheet.cell(1, row), 0);
            if (jump > 0 && jump >= items)
                sheet.setCell(1, row, std::to_string(jump + 1));
        }
    }
}

} // namespace hakoniwa
