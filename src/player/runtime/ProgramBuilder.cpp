#include "player/runtime/ProgramBuilder.h"

#include "model/JumpTarget.h"
#include "model/NumberConversion.h"
#include "model/TextOps.h"
#include "model/Utf8Text.h"
#include "player/runtime/RowFault.h"

#include <algorithm>

namespace hakoniwa::player {

ProgramBuilder::ProgramBuilder(const Project& project, const hakoniwa::Definitions& vocabulary,
                               const SystemVariables& system)
    : project_(project), system_(system), instructions_(index(vocabulary.instructions, false)),
      components_(index(vocabulary.components, true)) {}

ProgramBuilder::Definitions ProgramBuilder::index(const std::vector<std::string>& lines,
                                                  bool components) {
    Definitions definitions;
    for (const std::string& line : lines) {
        Definition definition;
        const std::string field0 = getSplitStrVal(line, ',', 0);
        definition.name = cp932ToUtf8(components ? field0 : getSplitStrVal(field0, '-', 0));
        definition.op =
            components ? findComponent(definition.name) : findInstruction(definition.name);
        const int fields = getSplitCount(line, ',');
        definition.declaredCount = fields > 2 ? toIntDef(getSplitStrVal(line, ',', 2), 0) : 0;
        for (int k = ItemSheet::kFirstArgumentColumn; k < fields; ++k)
            definition.specs.push_back(ArgumentSpec::parse(getSplitStrVal(line, ',', k)));
        definitions.try_emplace(line, std::move(definition));
    }
    return definitions;
}

Program ProgramBuilder::build() {
    Program program;
    if (project_.sceneCount() == 0)
        return program;
    const std::vector<VariableLayout> globalLayout = declarations(project_.scene(0));
    const Scope globals(Place::Global, globalLayout);
    for (int tab = 0; tab < project_.sceneCount(); ++tab)
        program.scenes.push_back(buildScene(tab, globals));
    return program;
}

std::vector<VariableLayout> ProgramBuilder::declarations(const Scene& scene) {
    std::vector<VariableLayout> layout;
    for (int i = 0; i < scene.itemCount(); ++i) {
        const ItemSheet& sheet = scene.item(i).sheet;
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
            if (sheet.rowKind(r) != RowKind::Declaration)
                continue;
            const std::string_view name = sheet.cell(1, r);
            auto variable = std::find_if(layout.begin(), layout.end(),
                                         [&](const VariableLayout& v) { return v.name == name; });
            if (variable == layout.end())
                variable = layout.insert(layout.end(), VariableLayout{std::string(name), {}});
            for (int c = 2; c < sheet.columnCount(); ++c) {
                const std::string_view member = sheet.cell(c, r);
                auto& members = variable->members;
                if (!member.empty() &&
                    std::find(members.begin(), members.end(), member) == members.end())
                    members.emplace_back(member);
            }
        }
    }
    return layout;
}

SceneProgram ProgramBuilder::buildScene(int tab, const Scope& globals) {
    const Scene& scene = project_.scene(tab);
    SceneProgram program;
    program.caption = scene.caption;
    program.variables = declarations(scene);
    const Scope locals(Place::Local, program.variables);
    const OperandParser parser(globals, tab > 0 ? &locals : nullptr, system_);
    for (int i = 0; i < scene.itemCount(); ++i) {
        const Item& item = scene.item(i);
        ItemProgram itemProgram;
        itemProgram.name = item.displayText();
        itemProgram.start = item.sheet.cell(3, 1) == "1";
        for (int r = ItemSheet::kFirstCommandRow; r < item.sheet.rowCount(); ++r) {
            const RowKind kind = item.sheet.rowKind(r);
            if (kind != RowKind::Empty && kind != RowKind::Declaration)
                itemProgram.rows.push_back(prepareRow(item.sheet, r, scene.itemCount(), parser));
        }
        program.items.push_back(std::move(itemProgram));
    }
    return program;
}

PreparedRow ProgramBuilder::prepareRow(const ItemSheet& sheet, int row, int itemCount,
                                       const OperandParser& parser) const {
    PreparedRow prepared;
    prepared.sheetRow = row;
    std::vector<RowFault> faults;
    const bool jumpRow = sheet.rowKind(row) != RowKind::Instruction;
    try {
        const std::string_view line = sheet.cell(2, row);
        const Definitions& table = jumpRow ? components_ : instructions_;
        const auto found = table.find(std::string(line));
        if (line.empty())
            throw RowFault(jumpRow ? "コンポーネントが空" : "命令が空",
                           RowFaultKind::EmptyDefinition);
        if (found == table.end())
            throw RowFault((jumpRow ? "cmp.txt にないコンポーネント: " : "mtd.txt にない命令: ") +
                               cp932ToUtf8(getSplitStrVal(line, ',', 0)),
                           RowFaultKind::UnknownDefinition);
        prepareCall(prepared, sheet, found->second, jumpRow, parser, faults);
    } catch (const RowFault& fault) {
        faults.push_back(fault);
    }
    // The target is resolved whatever the call holds, so that every fault of the row is known.
    if (jumpRow) {
        try {
            resolveJump(prepared, sheet, itemCount);
        } catch (const RowFault& fault) {
            faults.push_back(fault);
        }
    }
    if (!faults.empty()) {
        prepared.op = Op::Fault;
        prepared.args.clear();
        prepared.faults = std::move(faults);
    }
    return prepared;
}

// A fault of the definition ends the preparation; a fault of one argument cell is collected
// and the others are still prepared.
void ProgramBuilder::prepareCall(PreparedRow& prepared, const ItemSheet& sheet,
                                 const Definition& definition, bool jumpRow,
                                 const OperandParser& parser, std::vector<RowFault>& faults) const {
    const int row = prepared.sheetRow;
    if (!definition.op)
        throw RowFault((jumpRow ? "実行できないコンポーネント: " : "実行できない命令: ") +
                           definition.name,
                       RowFaultKind::NotRunnable);
    const int arity = definition.op->arity;
    if (definition.declaredCount != arity || static_cast<int>(definition.specs.size()) < arity)
        throw RowFault("引数の数が合いません: " + definition.name + " は " + std::to_string(arity) +
                           " 個 (定義は " + std::to_string(definition.declaredCount) + " 個)",
                       RowFaultKind::ArgumentCount);
    const int first = ItemSheet::kFirstArgumentColumn;
    const int last = jumpRow ? ItemSheet::kLastJumpArgumentColumn : sheet.columnCount() - 1;
    for (int c = first + arity; c <= last; ++c)
        if (!sheet.cell(c, row).empty())
            faults.emplace_back("余分な引数 " + std::to_string(c - first + 1) + ": " +
                                    cp932ToUtf8(sheet.cell(c, row)),
                                RowFaultKind::ExtraArgument);
    for (int k = 0; k < arity; ++k) {
        try {
            prepared.args.push_back(
                prepareArgument(std::string(sheet.cell(first + k, row)), definition, k, parser));
        } catch (const RowFault& fault) {
            faults.push_back(fault);
        }
    }
    prepared.op = definition.op->op;
}

Operand ProgramBuilder::prepareArgument(const std::string& cell, const Definition& definition,
                                        int k, const OperandParser& parser) const {
    Operand operand = parser.parse(cell, definition.specs[k], k + 1);
    if (definition.op->resultMask & (1u << k)) {
        if (!operand.isVariable())
            throw RowFault("代入先が変数ではありません: " + cp932ToUtf8(operand.cell),
                           RowFaultKind::NotVariable);
        if (operand.place == Place::System && !system_.writable(operand.variable))
            throw RowFault("書き込めないシステム変数: " +
                               cp932ToUtf8(system_.name(operand.variable)),
                           RowFaultKind::ReadOnlySystem);
    }
    return operand;
}

// A jump row's target is checked when its component holds, so a row that never jumps runs.
void ProgramBuilder::resolveJump(PreparedRow& prepared, const ItemSheet& sheet,
                                 int itemCount) const {
    const RowKind kind = sheet.rowKind(prepared.sheetRow);
    if (kind == RowKind::UnsetJump) {
        prepared.jump = JumpKind::Unset;
        return;
    }
    if (kind == RowKind::Other)
        throw RowFault("使えない飛び先番号: " + cp932ToUtf8(sheet.cell(1, prepared.sheetRow)),
                       RowFaultKind::BadJumpNumber);
    const int number = sheet.jumpNumber(prepared.sheetRow);
    const JumpTarget target = JumpTarget::resolve(number, itemCount, project_.sceneCount());
    prepared.target = target.kind == JumpTarget::Kind::None ? number : target.index;
    prepared.jump = target.kind == JumpTarget::Kind::Item    ? JumpKind::Item
                    : target.kind == JumpTarget::Kind::Scene ? JumpKind::Scene
                                                             : JumpKind::Nowhere;
}

} // namespace hakoniwa::player
