#pragma once

#include "player/runtime/Operand.h"
#include "player/runtime/Operation.h"
#include "player/runtime/RowFault.h"

#include <string>
#include <vector>

// The project as the interpreter runs it: every scene's items with their command rows
// prepared once at load, and the variables each scene declares.
namespace hakoniwa::player {

enum class JumpKind : unsigned char { None, Item, Scene, Unset, Nowhere };

struct PreparedRow {
    Op op = Op::Fault;
    JumpKind jump = JumpKind::None; // None for an instruction row
    int target = 0;                 // item index in the scene, or scene tab index
    int sheetRow = 0;
    std::vector<Operand> args;
    std::vector<RowFault> faults; // Op::Fault: all found at load; the first stops the game
};

struct ItemProgram {
    std::string name; // label, or item name when the label is empty (code page 932)
    bool start = false;
    std::vector<PreparedRow> rows; // instruction and jump rows, top to bottom
};

// A declared variable: its name and its members in the order first declared.
struct VariableLayout {
    std::string name;
    std::vector<std::string> members;
};

struct SceneProgram {
    std::string caption;
    std::vector<ItemProgram> items;
    std::vector<VariableLayout> variables; // the first scene's are the globals
};

struct Program {
    std::vector<SceneProgram> scenes;
};

} // namespace hakoniwa::player
