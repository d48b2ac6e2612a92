#include "model/JumpRenumbering.h"

#include "model/NumberConversion.h"

#include <limits>

namespace hakoniwa {

void renumberJumpsAfterItemAdded(Scene& scene) {
    const int items = scene.itemCount();
    for (int i = 0; i < items; ++i) {
        ItemSheet& sheet = scene.item(i).sheet;
        for (int row = ItemSheet::kFirstCommandRow; row < sheet.rowCount(); ++row) {
            const int jump = toIntDef(sheet.cell(1, row), 0);
            // A number at the top of the int range has no successor; it stays as it is
            // rather than wrapping round into an instruction row.
            if (jump > 0 && jump >= items && jump < std::numeric_limits<int>::max())
                sheet.setCell(1, row, std::to_string(jump + 1));
        }
    }
}

} // namespace hakoniwa
