#pragma once

#include "model/Definitions.h"

#include <string>
#include <vector>

// Finds what in a project cannot work with a vocabulary: jumps to nothing, definitions the
// vocabulary lacks, arguments that do not fit their definition, references to undeclared
// variables and members, unknown system variables and scenes without one start item. The
// problems list of the editor and the command-line checker both show this result.
namespace hakoniwa {

class Project;

enum class ProblemKind {
    JumpNowhere,           // a jump number that names no item and no scene
    JumpUnset,             // column 1 "-1": a jump row without target (a warning)
    UnknownDefinition,     // column 2 empty or not a line of mtd.txt / cmp.txt
    ArgumentCount,         // a value beyond the definition's arguments, or a required one empty
    UndeclaredVariable,    // name[...] where no declaration in scope has that name
    UnknownMember,         // name[...].member where no declaration of name has that member
    UnknownSystemVariable, // a system variable line that sysHen.txt does not hold
    StartItem,             // a scene with no start item, or an item that is a second one
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

// The problems of the project, scene by scene, item by item, row by row. Takes one pass over
// the cells; the vocabulary is indexed once per call.
std::vector<Problem> checkProject(const Project& project, const Definitions& vocabulary);

// A stable English name of the kind ("jump-nowhere", ...), for machine-readable output.
const char* problemKindName(ProblemKind kind);

} // namespace hakoniwa
