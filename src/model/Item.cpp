#include "model/Item.h"

namespace hakoniwa {

const std::string& Item::displayText() const {
    const std::string& label = sheet.cell(4, 1);
    return label.empty() ? nodeText : label;
}

} // namespace hakoniwa
