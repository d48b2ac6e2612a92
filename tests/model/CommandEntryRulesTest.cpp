#include "model/CommandEntryRules.h"
#include "Cp932Text.h"
#include "model/Definitions.h"
#include "model/Project.h"
#include "model/Texts.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace hakoniwa;

namespace {

// A sheet whose command rows 2.. hold the given column-1 texts.
ItemSheet sheetWithKinds(std::initializer_list<const char*> kinds) {
    ItemSheet sheet;
    int row = 2;
    for (const char* kind : kinds)
        sheet.setCell(1, row++, kind);
    return sheet;
}

} // namespace

TEST(CommandEntryRules, PickListAndEditorComboFollowColumnAndRowKind) {
    //                               row 2  3    4     5     6       7    8
    const ItemSheet sheet = sheetWithKinds({"0", "3", "-1", "", "pos", "00", "$0"});
    EXPECT_EQ(pickListFor(sheet, 1, 5), PickList::Targets);
    EXPECT_EQ(pickListFor(sheet, 2, 2), PickList::Instructions);
    EXPECT_EQ(pickListFor(sheet, 2, 3), PickList::Components);
    EXPECT_EQ(pickListFor(sheet, 2, 4), PickList::None);
    EXPECT_EQ(pickListFor(sheet, 2, 5), PickList::None);
    EXPECT_EQ(pickListFor(sheet, 2, 6), PickList::None);
    EXPECT_EQ(pickListFor(sheet, 2, 7), PickList::Components); // a number, but not "0"
    EXPECT_EQ(pickListFor(sheet, 0, 2), PickList::Variables);
    EXPECT_EQ(pickListFor(sheet, 4, 2), PickList::Variables);
    EXPECT_EQ(pickListFor(sheet, 2, 1), PickList::Variables);

    EXPECT_EQ(entryComboFor(sheet, 1, 6), EntryCombo::Targets);
    EXPECT_EQ(entryComboFor(sheet, 2, 2), EntryCombo::Instructions);
    EXPECT_EQ(entryComboFor(sheet, 2, 8), EntryCombo::Instructions); // read as the number 0
    EXPECT_EQ(entryComboFor(sheet, 2, 3), EntryCombo::Components);
    EXPECT_EQ(entryComboFor(sheet, 2, 4), EntryCombo::None);
    EXPECT_EQ(entryComboFor(sheet, 2, 6), EntryCombo::None);
    EXPECT_EQ(entryComboFor(sheet, 3, 5), EntryCombo::Arguments);
    EXPECT_EQ(entryComboFor(sheet, 0, 2), EntryCombo::None);
    EXPECT_EQ(entryComboFor(sheet, 3, 1), EntryCombo::None);
    EXPECT_EQ(entryComboFor(sheet, -1, -1), EntryCombo::None); // outside every cell
}

TEST(CommandEntryRules, PicksWriteTheEntryTheRowKindAsksFor) {
    Definitions definitions;
    definitions.instructions = {"wait", "show\tnow"};
    definitions.components = {"player"};
    //                         row 2  3    4    5
    ItemSheet sheet = sheetWithKinds({"", "0", "3", "pos"});
    pickCommand(sheet, 2, definitions, 1);
    pickCommand(sheet, 3, definitions, 0);
    pickCommand(sheet, 4, definitions, 0);
    pickCommand(sheet, 5, definitions, 0);
    EXPECT_EQ(std::string(sheet.cell(1, 2)) + "|" + std::string(sheet.cell(2, 2)),
              "0|show now"); // empty: an instruction row
    EXPECT_EQ(sheet.cell(2, 3), "wait");
    EXPECT_EQ(std::string(sheet.cell(2, 4)) + std::string(sheet.cell(2, 5)), "playerplayer");
    EXPECT_THROW(pickCommand(sheet, 4, definitions, 1), std::out_of_range);

    sheet.setCell(6, 2, "7");
    pickTarget(sheet, 2, 0); // the instruction call keeps the handles
    EXPECT_EQ(std::string(sheet.cell(1, 2)) + "|" + std::string(sheet.cell(6, 2)), "0|7");
    pickTarget(sheet, 2, 4);
    EXPECT_EQ(std::string(sheet.cell(1, 2)) + "|" + std::string(sheet.cell(6, 2)) +
                  std::string(sheet.cell(7, 2)) + std::string(sheet.cell(8, 2)) +
                  std::string(sheet.cell(9, 2)),
              "4|0-100-10");
}

TEST(CommandEntryRules, PressCaptionTellsWhatTheRowDoes) {
    Project project;
    Scene& main = project.addScene();
    main.addItem(0, 0);
    main.addItem(0, 0).sheet.setCell(4, 1, sj("敵")); // the label does not name it here
    project.addScene().caption = "Title";
    const ItemSheet sheet = sheetWithKinds({"0", "2", "4", "pos", "", "9"});
    const std::string head = texts::kDetailsCaption;

    EXPECT_EQ(pressCaption(project, sheet, 1, 2), head + texts::kInstructionCall);
    EXPECT_EQ(pressCaption(project, sheet, 1, 3), head + texts::kJumpArrow + "itm1");
    EXPECT_EQ(pressCaption(project, sheet, 1, 4), head + texts::kJumpArrow + "Title");
    EXPECT_EQ(pressCaption(project, sheet, 1, 5),
              head + texts::kGlobal + texts::kDeclaration + "pos");
    EXPECT_EQ(pressCaption(project, sheet, 1, 6), head + texts::kGlobal + texts::kDeclaration);
    EXPECT_THROW(pressCaption(project, sheet, 1, 7), std::out_of_range);
    EXPECT_EQ(pressCaption(project, sheet, 3, 5), head); // another column: its own text
    EXPECT_EQ(pressCaption(project, sheet, 0, 2), std::nullopt);
    EXPECT_EQ(pressCaption(project, sheet, 1, 1), std::nullopt);

    project.setActiveIndex(1); // no items: every number above 0 names a scene
    EXPECT_EQ(pressCaption(project, sheet, 1, 3), head + texts::kJumpArrow + "Title");
    EXPECT_EQ(pressCaption(project, sheet, 1, 5),
              head + texts::kLocal + texts::kDeclaration + "pos");
}

TEST(CommandEntryRules, ColoursOfItemNodesAndTheColourCell) {
    EXPECT_EQ(colourCellText(0x0000FF), "0x000000FF");
    EXPECT_EQ(colourCellText(0xABCDEF), "0x00ABCDEF");

    Project project;
    EXPECT_EQ(targetNodeBackground(project, 1), std::nullopt); // no active scene
    Scene& main = project.addScene();
    main.addItem(0, 0).sheet.setCell(5, 1, "0x000000FF");
    main.addItem(0, 0).sheet.setCell(5, 1, "");
    main.addItem(0, 0).sheet.setCell(5, 1, "red");
    main.addItem(0, 0).sheet.setCell(5, 1, "-1");
    EXPECT_EQ(targetNodeBackground(project, 1), 0x0000FF);
    for (int data : {2, 3, 4})
        EXPECT_EQ(targetNodeBackground(project, data), 0xFFFFFF) << data;
    for (int data : {0, -1, 5})
        EXPECT_EQ(targetNodeBackground(project, data), std::nullopt) << data;
}

TEST(CommandEntryRules, OnlyAnEditedDeclarationAsksForARename) {
    ItemSheet sheet = sheetWithKinds({"speed", "0", "-1", "", "7"});
    sheet.setCell(2, 2, "y");
    EXPECT_EQ(declarationRename(sheet, 1, 2, "pos"), (DeclarationRename{"speed", "", "pos"}));
    EXPECT_EQ(declarationRename(sheet, 2, 2, "x"), (DeclarationRename{"speed", "y", "x"}));
    EXPECT_EQ(declarationRename(sheet, 0, 2, "1"), std::nullopt);
    EXPECT_EQ(declarationRename(sheet, 3, 2, "hp"), std::nullopt); // member cell emptied
    EXPECT_EQ(declarationRename(sheet, 2, 2, ""), std::nullopt);   // member added
    // A row that only now became a declaration had nothing to rename: the number, jump number,
    // unset jump or empty text it held before is no variable.
    for (const char* before : {"0", "3", "x3", "-1", ""})
        EXPECT_EQ(declarationRename(sheet, 1, 2, before), std::nullopt) << before;
    for (int row : {3, 4, 5, 6})
        EXPECT_EQ(declarationRename(sheet, 2, row, "x"), std::nullopt) << row;
    EXPECT_EQ(declarationRename(sheet, 1, 3, "pos"), std::nullopt); // a name became "0"
}

TEST(CommandEntryRules, OnlyAChoiceOrAFirstMatchIntoAnEmptyOrSameCellIsWritten) {
    const std::vector<std::string> entries = {"move,x,1,X:hen|val.0", "mouse,m,0", "keys,k,0"};
    const std::vector<int> none;
    // Nothing chosen, nothing typed: the combo's leftover text is never written.
    EXPECT_EQ(commandEntryToCommit("", entries, std::nullopt, none), std::nullopt);
    EXPECT_EQ(commandEntryToCommit("mouse,m,0", entries, std::nullopt, none), std::nullopt);
    // A choice is written whatever the cell holds; one past the list is not.
    EXPECT_EQ(commandEntryToCommit("mouse,m,0", entries, 2, {0}), 2);
    EXPECT_EQ(commandEntryToCommit("", entries, 3, none), std::nullopt);
    // A typed filter's first match fills an empty cell and keeps the same entry ...
    EXPECT_EQ(commandEntryToCommit("", entries, std::nullopt, {2, 1}), 2);
    EXPECT_EQ(commandEntryToCommit("keys,k,0", entries, std::nullopt, {2}), 2);
    // ... but never replaces a filled cell's command with another one.
    EXPECT_EQ(commandEntryToCommit("mouse,m,0", entries, std::nullopt, {2, 1}), std::nullopt);
}
