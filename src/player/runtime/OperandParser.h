#pragma once

#include "model/ArgumentSpec.h"
#include "player/runtime/Operand.h"
#include "player/runtime/Program.h"
#include "player/runtime/SystemVariables.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// Turns one argument cell into an operand, by the argument's spec: references to declared
// variables, system variable lines, constants and literals. Throws RowFault for a cell that
// cannot be used.
namespace hakoniwa::player {

// The variables one scene declares, found by name.
class Scope {
public:
    Scope(Place place, const std::vector<VariableLayout>& layout);
    // The variable's number, or -1.
    int find(const std::string& name) const;
    // The slot of the member (its index + 1), or -1.
    int slotOf(int variable, const std::string& member) const;
    Place place() const { return place_; }

private:
    Place place_;
    const std::vector<VariableLayout>& layout_;
    std::unordered_map<std::string, int> byName_;
};

class OperandParser {
public:
    // `locals` is null in the first scene, whose declarations are the globals.
    OperandParser(const Scope& globals, const Scope* locals, const SystemVariables& system);

    // `number` counts arguments from 1, for messages.
    Operand parse(const std::string& cell, const ArgumentSpec& spec, int number) const;

private:
    // A reference or a system variable line; `strict`: a line sysHen.txt lacks is a fault.
    std::optional<Operand> variable(const std::string& cell, bool strict) const;
    std::optional<Operand> reference(const std::string& cell) const;
    void resolveIndex(const std::string& index, Operand& operand) const;
    Operand constant(const std::string& cell, const ArgumentSpec& spec) const;
    const Scope* scopeOf(const std::string& name, int& variable) const;

    const Scope& globals_;
    const Scope* locals_;
    const SystemVariables& system_;
};

} // namespace hakoniwa::player
