#pragma once

#include <string>

// Text that enters a cell from the user. The project file ends every cell with a tab and
// every row with a line break, so neither may stand inside a cell.
namespace hakoniwa {

// Turns every tab, CR and LF into a space.
std::string cleanCellText(std::string text);

} // namespace hakoniwa
