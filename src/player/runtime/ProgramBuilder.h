#pragma once

#include "model/ArgumentSpec.h"
#include "model/Definitions.h"
#include "model/Project.h"
#include "player/runtime/OperandParser.h"
#include "player/runtime/Program.h"
#include "player/runtime/RowFault.h"
#include "player/runtime/SystemVariables.h"

#include <string>
#include <unordered_map>
#include <vector>

// Prepares every command row of a project once, so that the interpreter runs rows without
// looking at cell texts again. A row that cannot be prepared becomes a fault row.
namespace hakoniwa::player {

class ProgramBuilder {
public:
    ProgramBuilder(const Project& project, const Definitions& vocabulary,
                   const SystemVariables& system);
    Program build();

private:
    // A vocabulary line with what the player makes of it.
    struct Definition {
        const OpInfo* op = nullptr; // nullptr: the player has no such instruction
        std::string name;           // UTF-8
        int declaredCount = 0;      // field 2
        std::vector<ArgumentSpec> specs;
    };
    using Definitions = std::unordered_map<std::string, Definition>;

    static Definitions index(const std::vector<std::string>& lines, bool components);
    static std::vector<VariableLayout> declarations(const Scene& scene);
    SceneProgram buildScene(int tab, const Scope& globals);
    PreparedRow prepareRow(const ItemSheet& sheet, int row, int itemCount,
                           const OperandParser& parser) const;
    void prepareCall(PreparedRow& prepared, const ItemSheet& sheet, const Definition& definition,
                     bool jumpRow, const OperandParser& parser,
                     std::vector<RowFault>& faults) const;
    Operand prepareArgument(const std::string& cell, const Definition& definition, int k,
                            const OperandParser& parser) const;
    void resolveJump(PreparedRow& prepared, const ItemSheet& sheet, int itemCount) const;

    const Project& project_;
    const SystemVariables& system_;
    Definitions instructions_, components_;
};

} // namespace hakoniwa::player
