// Reads a project from the bytes before the first 0 byte and runs the edits the windows make
// (row commands, cell edits with their renames, items and scenes added, copied and deleted) as
// the bytes after it choose. After each edit: the project's file reads back to the same file
// (but for the link handles the reader fills in), no jump that named an item or a scene in its
// target list names nothing now, an edit of items and scenes keeps every jump on its target, a
// rename touches only argument cells, and the edit's change log takes it back and does it
// again. At the end, undoing every edit gives back the file that was read.
#include "model/CellText.h"
#include "model/ChangeLog.h"
#include "model/CommandEntryRules.h"
#include "model/ItemCopy.h"
#include "model/JumpRenumbering.h"
#include "model/JumpTarget.h"
#include "model/RowOperations.h"
#include "model/SourceReader.h"
#include "model/SourceWriter.h"
#include "model/TextOps.h"
#include "model/VariableRename.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

using namespace hakoniwa;

constexpr int kMaxOperations = 48;

void check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// What undo must give back: the file and the active tab.
struct State {
    std::string file;
    int active;
    bool operator==(const State&) const = default;
};

State stateOf(const Project& project) {
    return {SourceWriter::write(project), project.activeIndex()};
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// The reader gives a jump row's empty link handle cells (columns 6 to 9) the offset -20 and
// widens its sheet to hold them. An edit can leave a jump row without handles (a number typed
// into column 1), so its file may read back with that fill and nothing else.
bool differsOnlyByHandleFill(std::string_view written, std::string_view readBack) {
    const auto writtenLines = split(written, '\n');
    const auto readLines = split(readBack, '\n');
    if (writtenLines.size() != readLines.size())
        return false;
    for (std::size_t line = 0; line < writtenLines.size(); ++line) {
        if (writtenLines[line] == readLines[line])
            continue;
        // Sheet lines: two tabs, then every cell followed by a tab; column c is part c + 2.
        const auto cellsOf = [](std::string_view text) {
            if (!text.empty() && text.back() == '\r')
                text.remove_suffix(1);
            return split(text, '\t');
        };
        const auto before = cellsOf(writtenLines[line]);
        const auto after = cellsOf(readLines[line]);
        for (std::size_t part = 0; part < std::max(before.size(), after.size()); ++part) {
            const std::string_view a = part < before.size() ? before[part] : "";
            const std::string_view b = part < after.size() ? after[part] : "";
            const bool handle = part >= 8 && part <= 11;
            if (a != b && !(a.empty() && (b.empty() || (handle && b == "-20"))))
                return false;
        }
    }
    return true;
}

Project readBack(const std::string& file) {
    Project copy;
    try {
        SourceReader(copy, 0, 0).read(file);
    } catch (const SourceReader::Failure&) {
        check(false, "the reader refuses the writer's file");
    }
    return copy;
}

void checkReadsBack(const std::string& file) {
    const std::string again = SourceWriter::write(readBack(file));
    if (again == file)
        return;
    check(differsOnlyByHandleFill(file, again), "the written file does not read back to itself");
    check(SourceWriter::write(readBack(again)) == again, "a file read once does not read back");
}

// A command row of an item, wherever the item is.
struct RowKey {
    const Item* item;
    int row;
    auto operator<=>(const RowKey&) const = default;
};

// The jumps of a project: what each jump row names (an item or a scene), every item and
// scene that is in the project, and how many jump numbers lie past their scene's target list.
struct Jumps {
    std::map<RowKey, const void*> targets;
    std::set<const void*> present;
    int outside = 0;
};

const void* targetOf(const Project& project, const Scene& scene, const ItemSheet& sheet, int row) {
    const JumpTarget target =
        JumpTarget::resolve(sheet.jumpNumber(row), scene.itemCount(), project.sceneCount());
    switch (target.kind) {
    case JumpTarget::Kind::Item:
        return &scene.item(target.index);
    case JumpTarget::Kind::Scene:
        return &project.scene(target.index);
    case JumpTarget::Kind::None:
        break;
    }
    return nullptr;
}

Jumps jumpsOf(const Project& project) {
    Jumps jumps;
    for (int s = 0; s < project.sceneCount(); ++s) {
        const Scene& scene = project.scene(s);
        jumps.present.insert(&scene);
        for (int i = 0; i < scene.itemCount(); ++i) {
            const Item& item = scene.item(i);
            jumps.present.insert(&item);
            for (int row = ItemSheet::kFirstCommandRow; row < item.sheet.rowCount(); ++row) {
                if (item.sheet.rowKind(row) != RowKind::Jump)
                    continue;
                if (const void* target = targetOf(project, scene, item.sheet, row))
                    jumps.targets[{&item, row}] = target;
                else
                    ++jumps.outside;
            }
        }
    }
    return jumps;
}

// Items and scenes came and went: a jump row still in the project names what it named, or
// is "-1" when that was deleted. The rows of a deleted item or scene were deleted with it
// and are kept alive by the change log, so their pointers stay valid.
void checkJumpsKept(const Jumps& before, const Jumps& after) {
    for (const auto& [at, target] : before.targets) {
        if (!after.present.count(at.item))
            continue;
        if (after.present.count(target)) {
            const auto now = after.targets.find(at);
            check(now != after.targets.end() && now->second == target,
                  "a jump lost its item or scene");
        } else {
            check(at.item->sheet.cell(1, at.row) == "-1", "a jump to a deleted target is not -1");
        }
    }
}

bool isArgumentCell(const ItemSheet& sheet, int column, int row) {
    if (row < ItemSheet::kFirstCommandRow || column < 3)
        return false;
    switch (sheet.rowKind(row)) {
    case RowKind::Instruction:
        return true;
    case RowKind::Jump:
    case RowKind::UnsetJump:
        return column <= 5;
    default:
        return false;
    }
}

// Every cell a rename must leave alone, with the shape of every sheet.
std::vector<std::string> cellsBesidesArguments(const Project& project) {
    std::vector<std::string> cells;
    for (int s = 0; s < project.sceneCount(); ++s)
        for (int i = 0; i < project.scene(s).itemCount(); ++i) {
            const ItemSheet& sheet = project.scene(s).item(i).sheet;
            cells.push_back(std::to_string(sheet.columnCount()) + "x" +
                            std::to_string(sheet.rowCount()));
            for (int row = 0; row < sheet.rowCount(); ++row)
                for (int column = 0; column < sheet.columnCount(); ++column)
                    if (!isArgumentCell(sheet, column, row))
                        cells.emplace_back(sheet.cell(column, row));
        }
    return cells;
}

enum class Operation {
    InsertRows,
    DeleteRow,
    ClearRow,
    CopyRow,
    PasteRow,
    ResetSheet,
    MoveRowUp,
    MoveRowDown,
    EditCell,
    Rename,
    AddItem,
    CopyItem,
    DeleteItem,
    AddScene,
    DeleteScene,
    kMaxValue = DeleteScene,
};

// One run of edits on a project, as the windows would make them.
class Session {
public:
    Session(Project& project, FuzzedDataProvider& input) : project_(project), input_(input) {}

    // Makes the edit; std::out_of_range and std::length_error, the refusals of the row
    // commands and deletes, leave `refused` set.
    void run(Operation operation);

    bool refused = false;
    // How many more jumps past the target list the edit may make: rows it copied or typed.
    int newOutsideAllowed = 0;
    // Items or scenes came or went.
    bool movedTargets = false;

private:
    void edit(Operation operation);
    void editItems(Operation operation);
    void editRows(Operation operation);
    void renameSampled();
    int pickScene();
    Item* pickItem(int& scene);
    int pickRow(const ItemSheet& sheet);
    std::string pickText(std::size_t length);
    void editCell();
    void rename(int scene, const DeclarationRename& rename);
    bool jumpsOutside(const Item& item, int row);

    Project& project_;
    FuzzedDataProvider& input_;
    std::string rowBuffer_;
};

void Session::run(Operation operation) {
    refused = false;
    newOutsideAllowed = 0;
    movedTargets = false;
    try {
        edit(operation);
    } catch (const std::out_of_range&) {
        refused = true;
    } catch (const std::length_error&) {
        refused = true;
    }
}

void Session::edit(Operation operation) {
    switch (operation) {
    case Operation::AddScene:
        project_.addScene();
        movedTargets = true;
        break;
    case Operation::DeleteScene:
        movedTargets = true;
        deleteSceneKeepingCalls(project_, input_.ConsumeIntegralInRange(-1, project_.sceneCount()));
        break;
    case Operation::AddItem:
    case Operation::CopyItem:
    case Operation::DeleteItem:
        editItems(operation);
        break;
    case Operation::EditCell:
        editCell();
        break;
    case Operation::Rename:
        renameSampled();
        break;
    default:
        editRows(operation);
        break;
    }
}

// An item added (at a double-click, as a copy of the current item when there is one) or
// deleted, with the jump renumbering the windows do with it.
void Session::editItems(Operation operation) {
    const int scene = pickScene();
    if (scene < 0)
        return;
    Scene& target = project_.scene(scene);
    movedTargets = true;
    if (operation == Operation::DeleteItem) {
        deleteItemKeepingJumps(target, input_.ConsumeIntegralInRange(-1, target.itemCount()));
        return;
    }
    const Item* original =
        target.itemCount() > 0 && operation == Operation::CopyItem
            ? &target.item(input_.ConsumeIntegralInRange(0, target.itemCount() - 1))
            : nullptr;
    // The copy may jump past the target list where its original does now.
    for (int row = 0; original && row < original->sheet.rowCount(); ++row)
        newOutsideAllowed += jumpsOutside(*original, row);
    Item& added = target.addItem(input_.ConsumeIntegralInRange(-100, 2000),
                                 input_.ConsumeIntegralInRange(-100, 2000));
    if (original)
        copyItemBody(original->sheet, added.sheet);
    renumberJumpsAfterItemAdded(target);
}

// The row commands of the details window on a selected row (or none).
void Session::editRows(Operation operation) {
    int scene = -1;
    Item* item = pickItem(scene);
    if (!item)
        return;
    ItemSheet& sheet = item->sheet;
    const int row = pickRow(sheet);
    switch (operation) {
    case Operation::InsertRows: {
        int copies = input_.ConsumeIntegralInRange(-1, 4);
        if (copies == 4)
            copies = kMaxSheetRows; // refused: the sheet would grow too large
        if (jumpsOutside(*item, row))
            newOutsideAllowed = std::max(copies, 0);
        insertRowCopies(sheet, row, copies);
        break;
    }
    case Operation::DeleteRow:
        deleteRow(sheet, row);
        break;
    case Operation::ClearRow:
        clearRow(sheet, row);
        break;
    case Operation::CopyRow:
        // The old copy is gone even when there is no row to copy.
        rowBuffer_.clear();
        rowBuffer_ = copyRow(sheet, row);
        break;
    case Operation::PasteRow:
        newOutsideAllowed = 1;
        pasteRow(sheet, row, rowBuffer_);
        break;
    case Operation::ResetSheet:
        resetSheet(sheet);
        break;
    case Operation::MoveRowUp:
        moveRowUp(sheet, row);
        break;
    case Operation::MoveRowDown:
        moveRowDown(sheet, row);
        break;
    default:
        break;
    }
}

// A rename asked for directly, mostly of a name, or a name and member, that some cell spells.
void Session::renameSampled() {
    const int scene = pickScene();
    if (scene < 0)
        return;
    DeclarationRename asked{pickText(8), input_.ConsumeBool() ? "" : pickText(8), pickText(8)};
    int sampledScene = -1;
    if (const Item* item = pickItem(sampledScene); item && input_.ConsumeBool()) {
        const std::string text(
            item->sheet.cell(input_.ConsumeIntegralInRange(1, 9), pickRow(item->sheet)));
        if (asked.newText.empty()) {
            asked.oldText = text;
        } else {
            asked.name = getSplitStrVal(text, '[', 0);
            asked.oldText = getSplitStrVal(text, '.', 1);
        }
    }
    rename(scene, asked);
}

int Session::pickScene() {
    if (project_.sceneCount() == 0)
        return -1;
    return input_.ConsumeIntegralInRange(0, project_.sceneCount() - 1);
}

Item* Session::pickItem(int& scene) {
    scene = pickScene();
    if (scene < 0 || project_.scene(scene).itemCount() == 0)
        return nullptr;
    Scene& in = project_.scene(scene);
    return &in.item(input_.ConsumeIntegralInRange(0, in.itemCount() - 1));
}

// Any row, with the heading, the header and one past the end among them.
int Session::pickRow(const ItemSheet& sheet) {
    return input_.ConsumeIntegralInRange(0, sheet.rowCount());
}

// Text as the user types it into a cell.
std::string Session::pickText(std::size_t length) {
    return cleanCellText(input_.ConsumeRandomLengthString(length));
}

// An edit of a cell the sheet lets the user edit (not the heading row, not column 0), and the
// rename it asks for.
void Session::editCell() {
    int scene = -1;
    Item* item = pickItem(scene);
    if (!item || item->sheet.rowCount() < 2 || item->sheet.columnCount() < 2)
        return;
    ItemSheet& sheet = item->sheet;
    const int row = input_.ConsumeIntegralInRange(1, sheet.rowCount() - 1);
    const int column = input_.ConsumeIntegralInRange(1, sheet.columnCount() - 1);
    const std::string oldText(sheet.cell(column, row));
    std::string text = input_.ConsumeBool() ? oldText + pickText(3) : pickText(16);
    newOutsideAllowed = 1;
    sheet.setCell(column, row, std::move(text));
    if (const auto asked = declarationRename(sheet, column, row, oldText))
        rename(scene, *asked);
}

void Session::rename(int scene, const DeclarationRename& rename) {
    const std::vector<std::string> before = cellsBesidesArguments(project_);
    renameVariableReferences(project_, scene, rename);
    check(cellsBesidesArguments(project_) == before, "a rename changed more than arguments");
}

bool Session::jumpsOutside(const Item& item, int row) {
    const Scene* scene = project_.sceneOf(&item);
    return row >= ItemSheet::kFirstCommandRow && row < item.sheet.rowCount() &&
           item.sheet.rowKind(row) == RowKind::Jump && !targetOf(project_, *scene, item.sheet, row);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = std::min(bytes.find('\0'), bytes.size());
    Project project;
    try {
        SourceReader(project, 10, 20).read(bytes.substr(0, split));
    } catch (const SourceReader::Failure&) {
        // The part read so far is the project.
    }
    const std::string_view operations = bytes.substr(std::min(split + 1, bytes.size()));
    FuzzedDataProvider input(reinterpret_cast<const std::uint8_t*>(operations.data()),
                             operations.size());

    const State original = stateOf(project);
    checkReadsBack(original.file);
    State before = original;
    Jumps jumpsBefore = jumpsOf(project);
    ChangeLog everything;
    Session session(project, input);
    for (int n = 0; n < kMaxOperations && input.remaining_bytes() > 0; ++n) {
        ChangeLog log;
        {
            const ChangeLog::Recording recording(log);
            session.run(input.ConsumeEnum<Operation>());
        }
        State after = stateOf(project);
        if (session.refused)
            check(after == before && log.empty(), "a refused edit changed the project");
        if (after.file != before.file)
            checkReadsBack(after.file);
        Jumps jumpsAfter = jumpsOf(project);
        check(jumpsAfter.outside <= jumpsBefore.outside + session.newOutsideAllowed,
              "a jump was pushed past its target list");
        if (session.movedTargets)
            checkJumpsKept(jumpsBefore, jumpsAfter);
        if (!log.empty()) {
            log.undo();
            check(stateOf(project) == before,
                  "undo does not give back the project before the edit");
            log.redo();
            check(stateOf(project) == after, "redo does not give back the edited project");
            everything.append(std::move(log));
        }
        // Redo puts back the very items and scenes, so the jumps found stay true.
        before = std::move(after);
        jumpsBefore = std::move(jumpsAfter);
    }
    const State edited = stateOf(project);
    everything.undo();
    check(stateOf(project) == original, "undoing every edit does not give back the project read");
    everything.redo();
    check(stateOf(project) == edited, "redoing every edit does not give back the edited project");
    return 0;
}
