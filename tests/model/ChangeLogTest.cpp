#include "model/ChangeLog.h"

#include "model/Project.h"
#include "model/RowOperations.h"
#include "model/SourceWriter.h"

#include <gtest/gtest.h>
#include <random>

using namespace hakoniwa;

namespace {

// Runs `action` while a log records, checks that undo gives back the project's file bytes
// from before and redo those from after, and leaves the project as the action left it.
template <typename Action> void checkUndoRedo(Project& project, Action&& action) {
    const std::string before = SourceWriter::write(project);
    ChangeLog log;
    {
        const ChangeLog::Recording recording(log);
        action();
    }
    const std::string after = SourceWriter::write(project);
    log.undo();
    EXPECT_EQ(SourceWriter::write(project), before);
    log.redo();
    EXPECT_EQ(SourceWriter::write(project), after);
}

Project smallProject() {
    Project project;
    for (int s = 0; s < 2; ++s) {
        Scene& scene = project.addScene();
        for (int i = 0; i < 3; ++i) {
            ItemSheet& sheet = scene.addItem(10 * i, 20).sheet;
            sheet.setCell(1, 2, "0");
            sheet.setCell(3, 2, "v" + std::to_string(i));
        }
    }
    return project;
}

} // namespace

TEST(ChangeLog, EachKindOfChangeIsTakenBackAndDoneAgain) {
    Project project = smallProject();
    ItemSheet& sheet = project.scene(0).item(1).sheet;
    checkUndoRedo(project, [&] { sheet.setCell(12, 7, "grown"); });
    checkUndoRedo(project, [&] { insertRowCopies(sheet, 2, 3); });
    checkUndoRedo(project, [&] { deleteRow(sheet, 3); });
    checkUndoRedo(project, [&] { resetSheet(sheet); });
    checkUndoRedo(project, [&] { sheet.setColumnCount(4); });
    checkUndoRedo(project, [&] { moveRowDown(sheet, 2); });
    checkUndoRedo(project, [&] { project.scene(1).item(0).sheet.replaceWith(sheet); });
    checkUndoRedo(project, [&] { project.scene(1).addItem(5, 5); });
    checkUndoRedo(project, [&] { project.scene(1).deleteItem(0); });
    checkUndoRedo(project, [&] { project.addScene().addItem(1, 1); });
    checkUndoRedo(project, [&] { project.deleteScene(1); });
    checkUndoRedo(project, [&] { ChangeLog::assign(project.scene(1).caption, std::string("x")); });
}

TEST(ChangeLog, ItemsKeepTheirAddressAcrossUndoAndNestedActionsAreOne) {
    Project project = smallProject();
    Item* item = &project.scene(0).item(2);
    ChangeLog log;
    {
        const ChangeLog::Recording outer(log);
        const ChangeLog::Recording inner(log); // an action run by another records into its log
        project.scene(0).deleteItem(2);
    }
    EXPECT_FALSE(ChangeLog::recording());
    EXPECT_EQ(project.scene(0).itemCount(), 2);
    log.undo();
    EXPECT_EQ(&project.scene(0).item(2), item);
    EXPECT_EQ(log.size(), 1u);
}

TEST(ChangeLog, ARandomRunOfEditsUndoneGivesTheOriginalBytes) {
    Project project = smallProject();
    const std::string original = SourceWriter::write(project);
    std::vector<ChangeLog> logs;
    std::mt19937 random(7);
    for (int n = 0; n < 300; ++n) {
        ChangeLog& log = logs.emplace_back();
        const ChangeLog::Recording recording(log);
        Scene& scene = project.scene(static_cast<int>(random() % project.sceneCount()));
        if (scene.itemCount() == 0 || random() % 8 == 0) {
            scene.addItem(1, 2);
            continue;
        }
        ItemSheet& sheet = scene.item(static_cast<int>(random() % scene.itemCount())).sheet;
        const int row = 2 + static_cast<int>(random() % sheet.rowCount());
        switch (random() % 6) {
        case 0:
            sheet.setCell(random() % 12, row, std::to_string(n));
            break;
        case 1:
            insertRowCopies(sheet, row, 2);
            break;
        case 2:
            deleteRow(sheet, row);
            break;
        case 3:
            moveRowUp(sheet, row);
            break;
        case 4:
            scene.deleteItem(static_cast<int>(random() % scene.itemCount()));
            break;
        default:
            pasteRow(sheet, row, "a\tb\tc\t");
            break;
        }
    }
    for (auto log = logs.rbegin(); log != logs.rend(); ++log)
        log->undo();
    EXPECT_EQ(SourceWriter::write(project), original);
}
