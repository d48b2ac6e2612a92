#include "model/CellText.h"

namespace hakoniwa {

std::string cleanCellText(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

} // namespace hakoniwa
