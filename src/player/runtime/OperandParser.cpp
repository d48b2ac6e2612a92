#include "player/runtime/OperandParser.h"

#include "model/NumberConversion.h"
#include "model/TextOps.h"
#include "model/Utf8Text.h"
#include "player/runtime/RowFault.h"

#include <algorithm>

namespace hakoniwa::player {
namespace {

// Blanks, a sign and digits (decimal, or hexadecimal after "$", "x" or "0x"): a number as the
// author wrote it, whether or not it fits in 32 bits.
bool spellsNumber(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos)
        return false;
    if (text[at] == '+' || text[at] == '-')
        ++at;
    const auto hexFrom = [&](std::size_t from) {
        return from < text.size() &&
               text.find_first_not_of("0123456789abcdefABCDEF", from) == std::string::npos;
    };
    if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0)
        return hexFrom(at + 2);
    if (at < text.size() && (text[at] == '$' || text[at] == 'x' || text[at] == 'X'))
        return hexFrom(at + 1);
    return at < text.size() && text.find_first_not_of("0123456789", at) == std::string::npos;
}

// A literal where a value goes: a number that converts, else a text; a number that does not
// fit in 32 bits is a fault, as it could only ever stop the game later as a text.
Value literalOf(const std::string& text) {
    if (const auto number = convertNumber(text))
        return Value::ofNumber(*number);
    if (spellsNumber(text))
        throw RowFault("数値が大きすぎます: " + text, RowFaultKind::NumberTooLarge);
    return Value::ofText(text);
}

Operand literalOperand(Value value, const std::string& cell) {
    Operand operand;
    operand.literal = std::move(value);
    operand.cell = cell;
    return operand;
}

} // namespace

Scope::Scope(Place place, const std::vector<VariableLayout>& layout)
    : place_(place), layout_(layout) {
    for (std::size_t i = 0; i < layout.size(); ++i)
        byName_.emplace(layout[i].name, static_cast<int>(i));
}

int Scope::find(const std::string& name) const {
    const auto found = byName_.find(name);
    return found == byName_.end() ? -1 : found->second;
}

int Scope::slotOf(int variable, const std::string& member) const {
    const auto& members = layout_[variable].members;
    const auto found = std::find(members.begin(), members.end(), member);
    return found == members.end() ? -1 : static_cast<int>(found - members.begin()) + 1;
}

OperandParser::OperandParser(const Scope& globals, const Scope* locals,
                             const SystemVariables& system)
    : globals_(globals), locals_(locals), system_(system) {}

Operand OperandParser::parse(const std::string& cell, const ArgumentSpec& spec, int number) const {
    const auto empty = [&] {
        return RowFault("引数 " + std::to_string(number) +
                            " が空: " + cp932ToUtf8(spec.description),
                        RowFaultKind::EmptyArgument);
    };
    switch (spec.kind) {
    case ArgumentKind::Result:
        if (cell.empty())
            throw empty();
        if (auto operand = variable(cell, true))
            return *operand;
        throw RowFault("代入先が変数ではありません: " + cp932ToUtf8(cell),
                       RowFaultKind::NotVariable);
    case ArgumentKind::File:
        if (cell.empty())
            throw empty();
        if (auto operand = variable(cell, false))
            return *operand;
        return literalOperand(Value::ofText(cell), cell);
    case ArgumentKind::VariableOrValue:
        if (cell.empty())
            return literalOperand(literalOf(spec.defaultValue), cell);
        if (auto operand = variable(cell, false))
            return *operand;
        return literalOperand(literalOf(cell), cell);
    case ArgumentKind::Constant:
        return constant(cell, spec);
    case ArgumentKind::Free:
        break;
    }
    if (auto operand = variable(cell, false))
        return *operand;
    return literalOperand(Value::ofText(cell), cell);
}

Operand OperandParser::constant(const std::string& cell, const ArgumentSpec& spec) const {
    if (cell.empty() && !spec.constants.empty())
        return literalOperand(literalOf(spec.constants.front().value), cell);
    for (const Constant& constant : spec.constants)
        if (cell == constant.entry() || cell == constant.value)
            return literalOperand(literalOf(constant.value), cell);
    if (auto operand = variable(cell, false))
        return *operand;
    throw RowFault("定数ではありません: " + cp932ToUtf8(cell), RowFaultKind::NotConstant);
}

std::optional<Operand> OperandParser::variable(const std::string& cell, bool strict) const {
    if (auto operand = reference(cell))
        return operand;
    const std::size_t comma = findSeparator(cell, ',');
    if (comma == std::string::npos || comma == 0)
        return std::nullopt;
    const int id = system_.findLine(cell);
    if (id < 0) {
        // Where a variable must be, name + "," + description can only be a system variable.
        if (strict && !convertNumber(getSplitStrVal(cell, ',', -1)))
            throw RowFault("sysHen.txt にないシステム変数: " + cp932ToUtf8(cell),
                           RowFaultKind::UnknownSystemVariable);
        return std::nullopt;
    }
    Operand operand;
    operand.place = Place::System;
    operand.variable = id;
    operand.cell = cell;
    return operand;
}

// name[index] or name[index].member, the whole cell; the name is no number and holds no
// ",", "/" or "\".
std::optional<Operand> OperandParser::reference(const std::string& cell) const {
    const std::size_t open = findSeparator(cell, '[');
    if (open == std::string::npos || open == 0 || !isPlainName(cell, open))
        return std::nullopt;
    const std::size_t close = findSeparator(cell, ']', open + 1);
    if (close == std::string::npos)
        return std::nullopt;
    const std::string name = cell.substr(0, open);
    if (convertNumber(name))
        return std::nullopt;
    const std::size_t after = close + 1;
    const bool hasMember = after < cell.size();
    if (hasMember && (cell[after] != '.' || after + 1 == cell.size() ||
                      findSeparator(cell, '[', after) != std::string::npos ||
                      findSeparator(cell, ']', after) != std::string::npos))
        return std::nullopt;
    Operand operand;
    const Scope* scope = scopeOf(name, operand.variable);
    if (!scope)
        throw RowFault("宣言されていない変数: " + cp932ToUtf8(name),
                       RowFaultKind::UndeclaredVariable);
    operand.place = scope->place();
    operand.cell = cell;
    if (hasMember) {
        const std::string member = cell.substr(after + 1);
        operand.slot = scope->slotOf(operand.variable, member);
        if (operand.slot < 0)
            throw RowFault("宣言されていないメンバー: " + cp932ToUtf8(name + "[]." + member),
                           RowFaultKind::UnknownMember);
    }
    resolveIndex(cell.substr(open + 1, close - open - 1), operand);
    return operand;
}

void OperandParser::resolveIndex(const std::string& index, Operand& operand) const {
    if (index.empty())
        return;
    if (const auto number = convertNumber(index)) {
        if (*number < 0)
            throw RowFault("添字が使えません: " + cp932ToUtf8(index), RowFaultKind::BadIndex);
        operand.index = *number;
        return;
    }
    if (const Scope* scope = scopeOf(index, operand.index)) {
        operand.indexPlace = scope->place();
        return;
    }
    operand.index = system_.findName(index);
    if (operand.index < 0)
        throw RowFault("添字が使えません: " + cp932ToUtf8(index), RowFaultKind::BadIndex);
    operand.indexPlace = Place::System;
}

const Scope* OperandParser::scopeOf(const std::string& name, int& variable) const {
    if (locals_ && (variable = locals_->find(name)) >= 0)
        return locals_;
    if ((variable = globals_.find(name)) >= 0)
        return &globals_;
    return nullptr;
}

} // namespace hakoniwa::player
