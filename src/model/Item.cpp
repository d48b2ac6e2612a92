#include "model/Item.h"

namespace hakoniwa {

std::string_view Item::displayText() const {
    const std::string_view label = sheet.cell(4, 1);
    return label.empty() ? nodeText : label;
}

} // namespace hakoniwa
