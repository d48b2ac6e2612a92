#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules of filling a command row that do not depend on any window: which pick list or
// editor combo a pressed cell gets, what a pick from a list writes, what the window caption
// says about a row, how a chosen colour is written and which rename an edited declaration row
// asks for.
namespace hakoniwa {

class ItemSheet;
class Project;
struct Definitions;

// The pick list a left press shows.
enum class PickList { Targets, Instructions, Components, Variables, None };

// The editor combo that fills a cell, for a right press and for Enter in a combo.
enum class EntryCombo { Targets, Instructions, Components, Arguments, None };

// Column 1 of a command row: the targets. Column 2: the instructions for an instruction row,
// the components for a row whose column 1 is any other number than -1, nothing otherwise.
// Every other cell: the variables.
PickList pickListFor(const ItemSheet& sheet, int column, int row);

// Column 1 of a command row: the targets; column 2: the instructions for column 1 "0" (read as
// a number), the components for a number above 0; column 3 and up: the argument editor.
// Headings, column 0 and column 2 of other rows: none.
EntryCombo entryComboFor(const ItemSheet& sheet, int column, int row);

// A pick of entry `data` into column 2 of command row `row`: an empty row becomes an
// instruction row ("0") and, like an instruction row, takes the instruction; a row of any other
// kind takes the component. An entry past its list throws std::out_of_range.
void pickCommand(ItemSheet& sheet, int row, const Definitions& definitions, int data);

// What Enter in the instruction or component combo writes into column 2 of a row whose cell
// holds `cellText`: the entry the user chose (arrow keys, a click). Without one, the first of
// `typedMatches` (the entries a typed filter matches, empty when nothing was typed), but only
// into an empty cell or when it is what the cell holds already: a typed filter never swaps a
// filled row's command for another one that merely matched first. Nothing otherwise, so that
// the combo's leftover text is never written.
std::optional<int> commandEntryToCommit(std::string_view cellText,
                                        const std::vector<std::string>& entries,
                                        std::optional<int> chosen,
                                        const std::vector<int>& typedMatches);

// A pick of target `data` into column 1 of command row `row`; a target other than 0 (the
// instruction call) also resets the four link-handle offsets so the new link starts out
// straight.
void pickTarget(ItemSheet& sheet, int row, int data);

// What the details window's caption says after a left press on a command row: "詳細:" and
// the kind of the row (column 1) or the pressed cell's text (other columns). Nothing for
// headings and column 0. A jump number beyond the last scene throws std::out_of_range.
std::optional<std::string> pressCaption(const Project& project, const ItemSheet& sheet, int column,
                                        int row);

// The background of a target-list node with node data `data` in the active scene: for an
// item (1 to the item count) its colour cell's value, or white (0xFFFFFF) when the cell is
// empty, is no number or reads -1. Nothing for "命令", headings, scenes and with no active
// scene: those keep the list's own look.
std::optional<int> targetNodeBackground(const Project& project, int data);

// A colour value 0x00BBGGRR as the colour cell stores it: "0x" and 8 upper-case hex digits.
std::string colourCellText(unsigned value);

// The rename an edited declaration row asks for: the variable `name` was called `oldText`
// (when `newText` is empty), or its member `oldText` became `newText`.
struct DeclarationRename {
    std::string name;
    std::string newText;
    std::string oldText;
    bool operator==(const DeclarationRename&) const = default;
};

// True for a text that names a variable in column 1: not empty, not "-1" and no number.
bool isVariableName(std::string_view text);

// After the cell (column, row) of a command row changed from `oldText` to its present text:
// the rename to apply, or nothing. A name is renamed only when the cell held a variable name
// and still holds one; a member only in a declaration row, from a non-empty member to another
// one. Numbers, jump numbers, emptied cells and other rows rename nothing.
std::optional<DeclarationRename> declarationRename(const ItemSheet& sheet, int column, int row,
                                                   const std::string& oldText);

} // namespace hakoniwa
