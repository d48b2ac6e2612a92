#pragma once

#include "model/Definitions.h"

#include <string>
#include <vector>

// Finds what in a project stops its game, before it runs: every fault the player finds in a
// row's cells when it prepares the row (taken from the player's own preparation, so the words
// are the player's), jumps to nothing, unset jumps and scenes without one start item. The
// problems list of the editor and the command-line checker both show this result.
namespace hakoniwa {

class Project;

enum class ProblemKind {
    JumpNowhere,           // a jump number that names no item and no scene, or cannot be one
    JumpUnset,             // column 1 "-1": a jump row without target (a warning)
    UnknownDefinition,     // column 2 empty or not a line of mtd.txt / cmp.txt
    ArgumentCount,         // a value beyond the arguments, a required one empty, or a
                           // definition whose count differs from the player's
    UndeclaredVariable,    // name[...] where no declaration in scope has that name
    UnknownMember,         // name[...].member where no declaration of name has that member
    UnknownSystemVariable, // a system variable line that sysHen.txt does not hold
    StartItem,             // a scene with no start item, or an item that is a second one
    NotRunnable,           // a vocabulary line the player has no instruction for
    NotVariable,           // a result argument that is no variable, or a read-only one
    NotConstant,           // a constant argument that is none of its constants
    BadIndex,              // an index that is no number 0 or more and no variable
    NumberTooLarge,        // a number that does not fit in 32 bits
};

struct Problem {
    int scene = -1; // scene index
    int item = -1;  // item index in the scene; -1: the scene as a whole
    int row = -1;   // sheet row (command row r - 1 as the sheet numbers it); -1: the whole item
    ProblemKind kind = ProblemKind::JumpNowhere;
    std::string message; // short, Japanese, code page 932

    bool isWarning() const { return kind == ProblemKind::JumpUnset; }
    bool operator==(const Problem&) const = default;
};

// The problems of the project, scene by scene, item by item, row by row (a row's in the order
// the player meets them: the first is the one a run stops with). Linear in the cells.
std::vector<Problem> checkProject(const Project& project, const Definitions& vocabulary);

// A stable English name of the kind ("jump-nowhere", ...), for machine-readable output.
const char* problemKindName(ProblemKind kind);

} // namespace hakoniwa
