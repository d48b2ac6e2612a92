#include "model/ProjectCheck.h"

#include "model/ArgumentSpec.h"
#include "model/DiagramGeometry.h"
#include "model/JumpTarget.h"
#include "model/NumberConversion.h"
#include "model/Project.h"
#include "model/TextOps.h"
#include "model/Texts.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace hakoniwa {
namespace {

// Jump rows keep their arguments in columns 3 to 5; 6 to 9 hold the link handles.
constexpr int kFirstArgumentColumn = ItemSheet::kFirstArgumentColumn;
constexpr int kLastJumpArgumentColumn = ItemSheet::kLastJumpArgumentColumn;

// Lets the tables be searched with a view into a cell, without copying it.
struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};
using TextSet = std::unordered_set<std::string, ViewHash, std::equal_to<>>;
// The variables one scene declares: name -> the members of all its declaration rows.
using Declarations = std::unordered_map<std::string, TextSet, ViewHash, std::equal_to<>>;

// Definition lines are long and every command row looks one up: the length and the first and
// last bytes tell the vocabulary's lines apart well enough, and equality decides.
struct LineHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view line) const {
        constexpr std::size_t kEnds = 16;
        if (line.size() <= 2 * kEnds)
            return std::hash<std::string_view>{}(line);
        return std::hash<std::string_view>{}(line.substr(0, kEnds)) * 31 +
               std::hash<std::string_view>{}(line.substr(line.size() - kEnds)) + line.size();
    }
};

// What an instruction or component definition asks of its row's argument cells.
struct Definition {
    std::vector<ArgumentSpec> specs; // fields 3 and up: the argument in column 3 + index
    int argumentCount = 0;           // the larger of field 2 and the number of specs
};

Definition parseDefinition(const std::string& line) {
    Definition definition;
    const int fields = getSplitCount(line, ',');
    for (int k = kFirstArgumentColumn; k < fields; ++k)
        definition.specs.push_back(ArgumentSpec::parse(getSplitStrVal(line, ',', k)));
    const int declared = fields > 2 ? toIntDef(getSplitStrVal(line, ',', 2), 0) : 0;
    // A count above the specs leaves those arguments free: they may hold text, none is needed.
    definition.argumentCount = std::max(declared, static_cast<int>(definition.specs.size()));
    return definition;
}

// The vocabulary as lookup tables, keyed by the whole line as a cell holds it.
class Vocabulary {
public:
    explicit Vocabulary(const Definitions& definitions) {
        for (const std::string& line : definitions.instructions)
            instructions_.try_emplace(line, parseDefinition(line));
        for (const std::string& line : definitions.components)
            components_.try_emplace(line, parseDefinition(line));
        systemVariables_.insert(definitions.systemVariables.begin(),
                                definitions.systemVariables.end());
    }
    const Definition* instruction(std::string_view line) const {
        return find(instructions_, line);
    }
    const Definition* component(std::string_view line) const { return find(components_, line); }
    bool isSystemVariable(std::string_view line) const {
        return systemVariables_.find(line) != systemVariables_.end();
    }

private:
    using Table = std::unordered_map<std::string, Definition, LineHash, std::equal_to<>>;
    static const Definition* find(const Table& table, std::string_view line) {
        const auto found = table.find(line);
        return found == table.end() ? nullptr : &found->second;
    }
    Table instructions_, components_;
    TextSet systemVariables_;
};

Declarations declarationsOf(const Scene& scene) {
    Declarations declarations;
    for (int i = 0; i < scene.itemCount(); ++i) {
        const ItemSheet& sheet = scene.item(i).sheet;
        for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r) {
            if (sheet.rowKind(r) != RowKind::Declaration)
                continue;
            TextSet& members = declarations[std::string(sheet.cell(1, r))];
            for (int c = 2; c < sheet.columnCount(); ++c)
                if (!sheet.cell(c, r).empty())
                    members.emplace(sheet.cell(c, r));
        }
    }
    return declarations;
}

// name[index] or name[index].member, the whole cell. The name holds no "," (a constant entry
// or a system variable line), no "/" or "\" (a path) and is no number; the member holds no
// bracket. Anything else is a literal the engine reads, not a reference.
struct Reference {
    std::string_view name;
    std::optional<std::string_view> member;
};

std::optional<Reference> parseReference(std::string_view text) {
    const std::size_t open = findSeparator(text, '[');
    if (open == std::string::npos || open == 0)
        return std::nullopt;
    const std::size_t close = findSeparator(text, ']', open + 1);
    if (close == std::string::npos)
        return std::nullopt;
    const std::string_view name(text.data(), open);
    if (!isPlainName(text, open) || convertNumber(name))
        return std::nullopt;
    const std::size_t after = close + 1;
    if (after == text.size())
        return Reference{name, std::nullopt};
    if (text[after] != '.' || after + 1 == text.size() ||
        findSeparator(text, '[', after) != std::string::npos ||
        findSeparator(text, ']', after) != std::string::npos)
        return std::nullopt;
    return Reference{name, text.substr(after + 1)};
}

// name + "," + description, as sysHen.txt lines are. A constant entry label + "," + value ends
// in a number and is not taken for one.
bool looksLikeSystemVariableLine(std::string_view text) {
    const std::size_t comma = findSeparator(text, ',');
    return comma != std::string::npos && comma > 0 && comma + 1 < text.size() &&
           !convertNumber(getSplitStrVal(text, ',', -1));
}

// An argument that must not be left empty. A result needs a variable, a file a path and a
// constant choice one of its constants; a value with a default takes the default, and free
// text may be empty text.
bool isRequired(const ArgumentSpec& spec) {
    switch (spec.kind) {
    case ArgumentKind::Result:
    case ArgumentKind::File:
    case ArgumentKind::Constant:
        return true;
    case ArgumentKind::VariableOrValue:
        return findSeparator(spec.typeSpec, '.') == std::string::npos || spec.defaultValue.empty();
    case ArgumentKind::Free:
        return false;
    }
    return false;
}

// The text is label + "," + value of one of the argument's constants.
bool isConstantEntry(const ArgumentSpec& spec, std::string_view text) {
    return std::any_of(spec.constants.begin(), spec.constants.end(), [&](const Constant& constant) {
        const std::size_t label = constant.label.size();
        return text.size() == label + 1 + constant.value.size() &&
               text.substr(0, label) == constant.label && text[label] == ',' &&
               text.substr(label + 1) == constant.value;
    });
}

class Checker {
public:
    Checker(const Project& project, const Definitions& definitions)
        : project_(project), vocabulary_(definitions) {
        for (int s = 0; s < project.sceneCount(); ++s)
            declarations_.push_back(declarationsOf(project.scene(s)));
    }

    std::vector<Problem> run() {
        for (scene_ = 0; scene_ < project_.sceneCount(); ++scene_)
            checkScene(project_.scene(scene_));
        return std::move(problems_);
    }

private:
    void add(int item, int row, ProblemKind kind, std::string message) {
        problems_.push_back({scene_, item, row, kind, std::move(message)});
    }

    void checkScene(const Scene& scene) {
        int startItems = 0;
        for (int i = 0; i < scene.itemCount(); ++i)
            startItems += isStartItem(scene.item(i)) ? 1 : 0;
        if (startItems == 0)
            add(-1, -1, ProblemKind::StartItem, texts::kProblemNoStartItem);
        bool startSeen = false;
        for (item_ = 0; item_ < scene.itemCount(); ++item_) {
            const ItemSheet& sheet = scene.item(item_).sheet;
            if (isStartItem(scene.item(item_)) && std::exchange(startSeen, true))
                add(item_, -1, ProblemKind::StartItem, texts::kProblemManyStartItems);
            for (int r = ItemSheet::kFirstCommandRow; r < sheet.rowCount(); ++r)
                checkRow(scene, sheet, r);
        }
    }

    void checkRow(const Scene& scene, const ItemSheet& sheet, int row) {
        switch (sheet.rowKind(row)) {
        case RowKind::Empty:
        case RowKind::Declaration:
            return;
        case RowKind::UnsetJump:
            add(item_, row, ProblemKind::JumpUnset, texts::kProblemJumpUnset);
            return;
        case RowKind::Other: // zero or negative, spelt otherwise than "0" and "-1"
            add(item_, row, ProblemKind::JumpNowhere,
                texts::kProblemJumpInvalid + std::string(sheet.cell(1, row)));
            return;
        case RowKind::Instruction:
            checkCall(sheet, row, vocabulary_.instruction(sheet.cell(2, row)),
                      texts::kProblemEmptyInstruction, texts::kProblemUnknownInstruction, false);
            return;
        case RowKind::Jump: {
            const int number = *convertNumber(sheet.cell(1, row)); // a jump row's is a number
            const JumpTarget target =
                JumpTarget::resolve(number, scene.itemCount(), project_.sceneCount());
            if (target.kind == JumpTarget::Kind::None)
                add(item_, row, ProblemKind::JumpNowhere,
                    texts::kProblemJumpNowhere + std::to_string(number));
            checkCall(sheet, row, vocabulary_.component(sheet.cell(2, row)),
                      texts::kProblemEmptyComponent, texts::kProblemUnknownComponent, true);
            return;
        }
        }
    }

    // Column 2 must be a definition of the vocabulary. Then every argument cell is checked: of
    // an instruction row all from column 3 on, as far as the sheet or the definition reaches;
    // of a jump row columns 3 to 5, whatever the definition says, as the link handles follow.
    void checkCall(const ItemSheet& sheet, int row, const Definition* definition,
                   const std::string& emptyMessage, const std::string& unknownMessage,
                   bool jumpRow) {
        const std::string_view line = sheet.cell(2, row);
        if (!definition) {
            add(item_, row, ProblemKind::UnknownDefinition,
                line.empty() ? emptyMessage : unknownMessage + getSplitStrVal(line, ',', 0));
            return;
        }
        const int lastSpecColumn =
            kFirstArgumentColumn - 1 + static_cast<int>(definition->specs.size());
        const int lastColumn =
            jumpRow ? kLastJumpArgumentColumn : std::max(sheet.columnCount() - 1, lastSpecColumn);
        for (int c = kFirstArgumentColumn; c <= lastColumn; ++c)
            checkArgument(sheet.cell(c, row), c - kFirstArgumentColumn, *definition, row);
    }

    void checkArgument(std::string_view text, int index, const Definition& definition, int row) {
        const auto number = [index] { return std::to_string(index + 1); };
        if (index >= definition.argumentCount) {
            if (!text.empty())
                add(item_, row, ProblemKind::ArgumentCount,
                    texts::kProblemExtraArgument + number() + ": " + std::string(text));
            return;
        }
        static const ArgumentSpec free;
        const ArgumentSpec& spec =
            index < static_cast<int>(definition.specs.size()) ? definition.specs[index] : free;
        if (text.empty()) {
            if (isRequired(spec))
                add(item_, row, ProblemKind::ArgumentCount,
                    texts::kProblemArgument + number() + texts::kProblemArgumentEmpty +
                        spec.description);
            return;
        }
        // A path may look like anything; a picked constant is what it should be.
        if (spec.kind == ArgumentKind::File || isConstantEntry(spec, text))
            return;
        if (const auto reference = parseReference(text)) {
            checkReference(*reference, row);
            return;
        }
        // Only where a variable is expected: free text and constants may hold commas freely.
        if ((spec.kind == ArgumentKind::Result || spec.kind == ArgumentKind::VariableOrValue) &&
            looksLikeSystemVariableLine(text) && !vocabulary_.isSystemVariable(text))
            add(item_, row, ProblemKind::UnknownSystemVariable,
                texts::kProblemUnknownSystemVariable + std::string(text));
    }

    // Globals are declared in the first scene, locals in the row's own scene; a member of
    // either declaration of the name will do.
    void checkReference(const Reference& reference, int row) {
        const Declarations* scopes[] = {declarations_.empty() ? nullptr : &declarations_[0],
                                        scene_ > 0 ? &declarations_[scene_] : nullptr};
        bool declared = false, hasMember = false;
        for (const Declarations* scope : scopes) {
            if (!scope)
                continue;
            const auto found = scope->find(reference.name);
            if (found == scope->end())
                continue;
            declared = true;
            hasMember = hasMember || (reference.member && found->second.count(*reference.member));
        }
        if (!declared)
            add(item_, row, ProblemKind::UndeclaredVariable,
                texts::kProblemUndeclaredVariable + std::string(reference.name));
        else if (reference.member && !hasMember)
            add(item_, row, ProblemKind::UnknownMember,
                texts::kProblemUnknownMember + std::string(reference.name) + "[]." +
                    std::string(*reference.member));
    }

    const Project& project_;
    Vocabulary vocabulary_;
    std::vector<Declarations> declarations_; // per scene
    std::vector<Problem> problems_;
    int scene_ = 0;
    int item_ = 0;
};

} // namespace

std::vector<Problem> checkProject(const Project& project, const Definitions& vocabulary) {
    return Checker(project, vocabulary).run();
}

const char* problemKindName(ProblemKind kind) {
    switch (kind) {
    case ProblemKind::JumpNowhere:
        return "jump-nowhere";
    case ProblemKind::JumpUnset:
        return "jump-unset";
    case ProblemKind::UnknownDefinition:
        return "unknown-definition";
    case ProblemKind::ArgumentCount:
        return "argument-count";
    case ProblemKind::UndeclaredVariable:
        return "undeclared-variable";
    case ProblemKind::UnknownMember:
        return "unknown-member";
    case ProblemKind::UnknownSystemVariable:
        return "unknown-system-variable";
    case ProblemKind::StartItem:
        return "start-item";
    }
    return "unknown";
}

} // namespace hakoniwa
