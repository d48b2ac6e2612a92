#pragma once

#include <string>

// How a sheet cell is painted: command rows are coloured by their kind (instruction yellow,
// jump red, declaration blue with yellow text, empty white), the header row stays white,
// and column 0 of a command row shows its command number instead of its text.
namespace hakoniwa {

class ItemSheet;

struct CellLook {
    static constexpr int kBlack = 0x000000; // colours as 0x00BBGGRR
    static constexpr int kRed = 0x0000FF;
    static constexpr int kYellow = 0x00FFFF;
    static constexpr int kBlue = 0xFF0000;
    static constexpr int kWhite = 0xFFFFFF;

    std::string text;     // what the cell shows
    bool heading = false; // row 0 or column 0: painted like a fixed cell
    int background = kWhite;
    int foreground = kBlack;

    static CellLook of(const ItemSheet& sheet, int column, int row);
};

} // namespace hakoniwa
