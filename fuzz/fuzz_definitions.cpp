// Feeds arbitrary bytes as the three definition files (sysHen.txt, mtd.txt and cmp.txt, cut at
// each 0 byte) and builds what the details window builds from them: the instruction tree, the
// component list, the target and variable lists of a project whose rows pick every definition
// line, and the argument hint of every argument of those rows. Nothing may crash or hang, and
// every list entry must point where its node says.
#include "model/ArgumentHint.h"
#include "model/CellText.h"
#include "model/CommandEntryRules.h"
#include "model/Definitions.h"
#include "model/InstructionTree.h"
#include "model/Project.h"
#include "model/TargetList.h"
#include "model/TextOps.h"
#include "model/VariableList.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

namespace {

using namespace hakoniwa;

// Hints are built for this many argument columns of a line at most, and for the column past
// its last field; the hint of one column already walks every field of the line.
constexpr int kHintColumns = 8;

void check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

Definitions definitionsFrom(std::string_view bytes) {
    std::string files[3];
    for (int f = 0; f < 3; ++f) {
        const std::size_t end = std::min(bytes.find('\0'), bytes.size());
        files[f] = std::string(bytes.substr(0, end));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    Definitions definitions{Definitions::splitLines(files[0]), Definitions::splitLines(files[1]),
                            Definitions::splitLines(files[2])};
    for (const auto* lines :
         {&definitions.systemVariables, &definitions.instructions, &definitions.components})
        for (const std::string& line : *lines)
            check(line.find_first_of("\r\n") == std::string::npos, "a line holds a line end");
    Definitions::folderOf(files[0]);
    return definitions;
}

// Every entry of a pick list is a node in definition order: data 0, 1, 2, ... depth first.
void collectData(const std::vector<ListNode>& nodes, std::vector<int>& data) {
    for (const ListNode& node : nodes) {
        if (node.data >= 0)
            data.push_back(node.data);
        collectData(node.children, data);
    }
}

void checkDefinitionOrder(const std::vector<ListNode>& nodes, std::size_t lines) {
    std::vector<int> data;
    collectData(nodes, data);
    check(data.size() == lines, "a definition line has no node, or two");
    for (std::size_t i = 0; i < data.size(); ++i)
        check(data[i] == static_cast<int>(i), "the nodes are out of definition order");
}

// Every child of a list's tree names its own combo box entry.
void checkEntries(const std::vector<ListNode>& nodes, const std::vector<std::string>& entries) {
    for (const ListNode& node : nodes)
        for (const ListNode& child : node.children)
            check(child.data >= 0 && child.data < static_cast<int>(entries.size()),
                  "a node points past its list");
}

// Scene 0 declares a variable for each system variable line (its fields as name and
// members), scene 1 the same as locals; one item of scene 0 picks every instruction and
// every component in a row of its own.
Project projectPicking(const Definitions& definitions) {
    Project project;
    for (Scene* scene : {&project.addScene(), &project.addScene()}) {
        ItemSheet& sheet = scene->addItem(0, 0).sheet;
        int row = ItemSheet::kFirstCommandRow;
        for (const std::string& line : definitions.systemVariables) {
            const int fields = std::min(getSplitCount(line, ','), 16);
            for (int f = 0; f < fields; ++f)
                sheet.setCell(f + 1, row, cleanCellText(getSplitStrVal(line, ',', f)));
            ++row;
        }
    }
    project.setActiveIndex(1);
    ItemSheet& sheet = project.scene(0).addItem(10, 10).sheet;
    int row = ItemSheet::kFirstCommandRow;
    for (std::size_t i = 0; i < definitions.instructions.size(); ++i)
        pickCommand(sheet, row++, definitions, static_cast<int>(i));
    for (std::size_t j = 0; j < definitions.components.size(); ++j) {
        pickTarget(sheet, row, 1);
        pickCommand(sheet, row++, definitions, static_cast<int>(j));
    }
    return project;
}

void checkHint(std::string_view definition, int column) {
    const ArgumentHint hint = ArgumentHint::build(definition, column);
    // One line for the heading (when the line has a third field) and one per argument.
    const int fields = getSplitCount(definition, ',');
    check(std::count(hint.text.begin(), hint.text.end(), '\n') == std::max(fields - 2, 0),
          "the hint has a line too many or too few");
    check(hint.kind == ArgumentKind::Constant || hint.constantEntries.empty(),
          "constants offered for an argument that takes none");
}

void buildEveryHint(const Project& project, const ItemSheet& sheet) {
    for (int row = ItemSheet::kFirstCommandRow; row < sheet.rowCount(); ++row) {
        const std::string_view definition = sheet.cell(2, row);
        const int fields = getSplitCount(definition, ',');
        for (int column = 0; column < std::min(fields, 3 + kHintColumns); ++column) {
            checkHint(definition, column);
            entryComboFor(sheet, column, row);
            pickListFor(sheet, column, row);
            try {
                pressCaption(project, sheet, column, row);
            } catch (const std::out_of_range&) {
                // A declared name that reads as a jump number beyond the last scene.
            }
        }
        checkHint(definition, fields);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Definitions definitions = definitionsFrom({reinterpret_cast<const char*>(data), size});
    checkDefinitionOrder(buildInstructionTree(definitions.instructions),
                         definitions.instructions.size());
    checkDefinitionOrder(buildComponentList(definitions.components), definitions.components.size());

    const Project project = projectPicking(definitions);
    const TargetList targets = TargetList::build(project);
    checkEntries(targets.nodes, targets.entries);
    const VariableList variables = VariableList::build(project, definitions.systemVariables);
    checkEntries(variables.nodes, variables.entries);
    check(variables.systemList == definitions.systemVariables, "a system variable went missing");
    for (int s = 0; s < project.sceneCount(); ++s)
        for (int i = 0; i < project.scene(s).itemCount(); ++i)
            buildEveryHint(project, project.scene(s).item(i).sheet);
    return 0;
}
