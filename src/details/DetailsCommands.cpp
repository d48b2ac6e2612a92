#include "details/Settei.h"

#include "app/Guarded.h"
#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "details/ListWidgets.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "model/CellText.h"
#include "model/CommandEntryRules.h"
#include "model/InstructionTree.h"
#include "model/Item.h"
#include "model/JumpRow.h"
#include "model/NumberConversion.h"
#include "model/VariableRename.h"
#include "platform/Cp932Codec.h"

#include <QTreeWidget>

// The pick lists' clicks and the window's further commands: the pick, the jump and back,
// "決定" and fitting the sheet to the window.

// A click on any of the four lists remembers the node for the pick.
void TForm3::tvOpListClick() {
    selNode = tvOpList->currentItem();
}

void TForm3::tvHnListClick() {
    selNode = tvHnList->currentItem();
}

void TForm3::tvMdListClick() {
    selNode = tvMdList->currentItem();
}

void TForm3::tvCmListClick() {
    selNode = tvCmList->currentItem();
}

void TForm3::tvOpListDblClick() {
    guarded(handler("TForm3::tvOpListDblClick"), [&] { Button4Click(); });
}

namespace {

// The bytes of a top-level node, taken from the list the tree was built from so that text
// the codec cannot show is written back unchanged.
std::string topLevelNodeText(const TForm3& form, const QTreeWidgetItem* node) {
    const QTreeWidget* tree = node->treeWidget();
    const int index = tree ? tree->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(node)) : -1;
    auto textIn = [&](const std::vector<hakoniwa::ListNode>& nodes) {
        return index >= 0 && index < static_cast<int>(nodes.size())
                   ? nodes[index].text
                   : hakoniwa::fromQt(node->text(0));
    };
    if (tree == form.tvHnList)
        return textIn(form.variables.nodes);
    if (tree == form.tvMdList)
        return textIn(form.targets.nodes);
    if (tree == form.tvOpList)
        return textIn(hakoniwa::buildInstructionTree(form.definitions.instructions));
    if (tree == form.tvCmList)
        return textIn(hakoniwa::buildComponentList(form.definitions.components));
    return hakoniwa::fromQt(node->text(0));
}

// Screen point near the item's box on the main window's canvas, for the pointer's return.
// A coordinate cell that is not a number leaves that coordinate of the point as it was.
void setCursorBackNear(const hakoniwa::Item& item) {
    QPoint& back = Form1->cursorBack;
    if (const auto x = hakoniwa::convertNumber(item.sheet.cell(1, 1)))
        back.setX(*x + Form1->img1->x() + 10);
    if (const auto y = hakoniwa::convertNumber(item.sheet.cell(2, 1)))
        back.setY(*y + Form1->img1->y() + 30);
}

// The jump and back: the item becomes selected and current, its sheet shows fitted, and the
// pointer's return point moves near it.
void showJumpedTo(TForm3& form, hakoniwa::Item& item) {
    Form2->selItm = Form2->curItm = &item;
    form.placeSheet(&item, SheetPlacement::Shown);
    Form2->fitColWidths(item.sheet);
    form.refreshSheet();
    Form2->dspAllItm();
    setCursorBackNear(item);
}

} // namespace

void TForm3::Button4Click() {
    guarded(handler("TForm3::Button4Click"), [&] {
        hakoniwa::Item* shown = shownItem();
        if (!shown || !selNode || curRow < hakoniwa::ItemSheet::kFirstCommandRow)
            return;
        hakoniwa::ItemSheet& sheet = shown->sheet;
        const int data = nodeData(selNode);
        auto write = [&](const std::string& text) {
            sheet.setCell(curCol, curRow, hakoniwa::cleanCellText(text));
        };
        recordEdit(QStringLiteral("リストからの選択"), [&] {
            if (curCol == 2 && data != -1) {
                hakoniwa::pickCommand(sheet, curRow, definitions, data);
            } else if (curCol == 1 && data != -1) {
                hakoniwa::pickTarget(sheet, curRow, data);
                hakoniwa::giveJumpDefaultComponent(sheet, curRow, definitions.components,
                                                   definitions.instructions);
            } else if (curCol >= 3) {
                if (data != -1)
                    write(variables.entries.at(data));
                else if (!selNode->parent()) // a declaration: the whole variable
                    write(topLevelNodeText(*this, selNode) + "[]");
            }
        });
        refreshSheet();
    });
}

bool TForm3::fillArgumentPair(const std::string& x, const std::string& y) {
    hakoniwa::Item* shown = shownItem();
    if (!shown || curCol < 3 || curRow < hakoniwa::ItemSheet::kFirstCommandRow ||
        curRow >= shown->sheet.rowCount())
        return false;
    hakoniwa::ItemSheet& sheet = shown->sheet;
    // The y must not land on a jump row's link handles.
    const hakoniwa::RowKind kind = sheet.rowKind(curRow);
    if ((kind == hakoniwa::RowKind::Jump || kind == hakoniwa::RowKind::UnsetJump) &&
        curCol + 1 > hakoniwa::ItemSheet::kLastJumpArgumentColumn)
        return false;
    recordEdit(QStringLiteral("位置の入力"), [&] {
        sheet.setCell(curCol, curRow, x);
        sheet.setCell(curCol + 1, curRow, y);
    });
    refreshSheet();
    return true;
}

void TForm3::StringGrid1DblClick() {
    guarded(handler("TForm3::StringGrid1DblClick"), [&] {
        hakoniwa::Item* shown = shownItem();
        if (!shown || curCol != 0 || curRow < hakoniwa::ItemSheet::kFirstCommandRow)
            return;
        const int target = hakoniwa::toIntDef(shown->sheet.cell(1, curRow), -1);
        hakoniwa::Scene* scene = Form1->project.activeScene();
        if (target <= 0 || !scene)
            return;
        Form2->selItm = nullptr;
        backItm = shown;
        // Numbers past the scene's items call a scene: there is no item to show.
        if (target > scene->itemCount())
            return;
        showJumpedTo(*this, scene->item(target - 1));
    });
}

void TForm3::Button6Click() {
    reported([&] {
        if (!backItm)
            return;
        // The item may have gone with a replaced project; never show what is not there.
        if (!Form1->project.sceneOf(backItm)) {
            backItm = nullptr;
            return;
        }
        // An item of another scene is neither drawn nor reachable on the canvas; selecting it
        // would let the row commands change what the user cannot see.
        const hakoniwa::Scene* active = Form1->project.activeScene();
        if (!active || active->indexOf(backItm) < 0)
            return;
        showJumpedTo(*this, *backItm);
    });
}

void TForm3::Button1Click() {
    guarded(handler("TForm3::Button1Click"), [&] {
        Form2->show();
        Form2->dspAllItm();
    });
}

void TForm3::FormResize() {
    guarded(handler("TForm3::FormResize"), [&] {
        // Only the shown sheet has a place in the window; a selected item whose sheet is not
        // shown is fitted again when it is next shown.
        if (Form2 && Form2->selItm && shownItem() == Form2->selItm)
            placeSheet(Form2->selItm, SheetPlacement::Stretched);
    });
}

void TForm3::updHenRef(int scene, const std::string& name, const std::string& newText,
                       const std::string& oldText) {
    hakoniwa::renameVariableReferences(Form1->project, scene, {name, newText, oldText});
}
