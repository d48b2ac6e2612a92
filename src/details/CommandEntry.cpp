#include "details/Settei.h"

#include "app/Guarded.h"
#include "app/Keys.h"
#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "details/EntryFilters.h"
#include "details/ListWidgets.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "info/Unit4.h"
#include "model/ArgumentHint.h"
#include "model/CellText.h"
#include "model/CommandEntryRules.h"
#include "model/Item.h"
#include "model/JumpRow.h"
#include "model/NumberConversion.h"
#include "model/TextOps.h"
#include "model/Texts.h"
#include "platform/Cp932Codec.h"
#include "platform/Dialogs.h"
#include "platform/Pointer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolTip>
#include <QTreeWidget>

// Command entry on the shown sheet: a left press picks the list beside the sheet and tells
// what the row means, a right press opens the editor combo for the cell, Enter in a combo or
// in the sheet commits.

using hakoniwa::fromQt;
using hakoniwa::toQt;

namespace {

void showPickList(TForm3& window, hakoniwa::PickList list) {
    using hakoniwa::PickList;
    window.tvMdList->setVisible(list == PickList::Targets);
    window.tvOpList->setVisible(list == PickList::Instructions);
    window.tvCmList->setVisible(list == PickList::Components);
    window.tvHnList->setVisible(list == PickList::Variables);
}

void hideEditorCombos(TForm3& window) {
    for (QComboBox* combo : {window.cbMOl, window.cbMtd, window.cbCmp, window.cbHen})
        combo->hide();
}

// The combos live on the sheet's viewport, so that they scroll and hide with the sheet.
void moveEditorCombos(TForm3& window, int x, int y) {
    QWidget* sheetArea = window.sheetView->viewport();
    for (QComboBox* combo : {window.cbMOl, window.cbMtd, window.cbCmp, window.cbHen}) {
        if (combo->parentWidget() != sheetArea) {
            combo->setParent(sheetArea);
            // The right press that shows a combo under the pointer must not also open the
            // combo's edit menu; the request goes on to the sheet, which decides.
            combo->setContextMenuPolicy(Qt::NoContextMenu);
        }
        combo->move(x, y);
    }
}

void showOnly(TForm3& window, QComboBox* shown) {
    hideEditorCombos(window);
    shown->show();
    shown->raise();
    // Keys go to the combo at once: the user picks with the arrow keys or types, then Enter.
    shown->setFocus();
}

// The colour value 0x00BBGGRR of a colour and back.
unsigned colourValue(const QColor& colour) {
    return unsigned(colour.red()) | unsigned(colour.green()) << 8 | unsigned(colour.blue()) << 16;
}

QColor colourOf(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The item colour cell opens the colour dialog; true when the user chose a colour.
bool chooseItemColour(TForm3& window, hakoniwa::ItemSheet& sheet) {
    const int current = hakoniwa::toIntDef(sheet.cell(5, 1), -1);
    const QColor initial = current == -1 ? QColor(Qt::white) : colourOf(current);
    const std::optional<QColor> chosen = hakoniwa::Dialogs::current().color(&window, initial);
    if (!chosen)
        return false;
    recordEdit(QStringLiteral("色の変更"),
               [&] { sheet.setCell(5, 1, hakoniwa::colourCellText(colourValue(*chosen))); });
    window.refreshSheet();
    window.tvMdList->viewport()->update();
    Form2->dspAllItm();
    return true;
}

// What focus entering the hidden grid and editing in it both do.
void redrawSceneAndGrid(TForm3& window) {
    Form2->dspAllItm();
    window.StringGrid1->update();
}

} // namespace

void TForm3::selectRow(int row) {
    selRow = row;
    Label1->setText(toQt(hakoniwa::texts::kSelectedRow) + QString::number(selRow - 1));
    Label1->adjustSize();
}

void TForm3::StringGrid1MouseDown(Qt::MouseButton button, int x, int y) {
    guarded(handler("TForm3::StringGrid1MouseDown"), [&] {
        if (button == Qt::LeftButton)
            sheetLeftPress(x, y);
        else if (button == Qt::RightButton)
            sheetRightPress(x, y);
        else if (button == Qt::MiddleButton)
            hakoniwa::Pointer::current().setPosition(Form1->cursorBack);
    });
}

void TForm3::sheetLeftPress(int x, int y) {
    selectRow(-1);
    if (!shownItem())
        return;
    hakoniwa::ItemSheet& sheet = shownItem()->sheet;
    const QPoint cell = sheetView->cellAt(QPoint(x, y));
    curCol = cell.x();
    curRow = cell.y();
    // Outside every cell this read fails and the lists stay as they were.
    pressText = sheet.cell(curCol, curRow);
    if (curCol == 5 && curRow == 1 && chooseItemColour(*this, sheet))
        return;
    showPickList(*this, hakoniwa::pickListFor(sheet, curCol, curRow));
    if (curCol == 0 && curRow >= hakoniwa::ItemSheet::kFirstCommandRow) {
        selectRow(curRow);
    }
    if (const auto caption = hakoniwa::pressCaption(Form1->project, sheet, curCol, curRow))
        setWindowTitle(toQt(*caption));
}

void TForm3::sheetRightPress(int x, int y) {
    if (!shownItem())
        return;
    const QPoint cell = sheetView->cellAt(QPoint(x, y));
    moveEditorCombos(*this, x, y);
    if (cell.x() == 0 && cell.y() >= hakoniwa::ItemSheet::kFirstCommandRow) {
        selectRow(cell.y());
        sheetView->setRowMenu(PopupMenu1);
        return;
    }
    sheetView->setRowMenu(nullptr);
    openEntry(cell.x(), cell.y());
}

void TForm3::openEntry(int column, int row) {
    if (!shownItem())
        return;
    hakoniwa::ItemSheet& sheet = shownItem()->sheet;
    comboItem_ = shownItem();
    entryByKey_ = false;
    comboColumn_ = column;
    comboRow_ = row;
    QComboBox* opened = nullptr;
    switch (hakoniwa::entryComboFor(sheet, column, row)) {
    case hakoniwa::EntryCombo::Targets:
        showOnly(*this, cbMOl);
        updMOlCb();
        // Nothing is chosen yet: a text left from an earlier choice must not choose for the
        // user when Enter follows at once.
        cbMOl->setEditText(QString());
        opened = cbMOl;
        break;
    case hakoniwa::EntryCombo::Instructions:
        showOnly(*this, cbMtd);
        opened = cbMtd;
        break;
    case hakoniwa::EntryCombo::Components:
        showOnly(*this, cbCmp);
        opened = cbCmp;
        break;
    case hakoniwa::EntryCombo::Arguments:
        hideEditorCombos(*this);
        openArgumentEditor(sheet, column, row);
        opened = cbHen;
        break;
    case hakoniwa::EntryCombo::None:
        closeEditorCombos();
        break;
    }
    if (!opened)
        return;
    comboFilterOf(opened)->restart();
    // Typing replaces what the combo shows; Enter at once still writes it.
    opened->lineEdit()->selectAll();
}

bool TForm3::openEntryByKey(int column, int row) {
    const hakoniwa::ItemSheet* sheet = sheetView->sheet();
    if (!shownItem() || !sheet || sheet != &shownItem()->sheet || column < 1 ||
        column >= sheetView->sheetModel()->columnCount() ||
        hakoniwa::entryComboFor(*sheet, column, row) == hakoniwa::EntryCombo::None)
        return false;
    const QModelIndex index = sheetView->sheetModel()->index(row, column);
    sheetView->setCurrentIndex(index);
    sheetView->scrollTo(index);
    const QRect cell = sheetView->visualRect(index);
    sheetView->setRowMenu(nullptr);
    moveEditorCombos(*this, cell.x(), cell.y());
    openEntry(column, row);
    entryByKey_ = true;
    // The argument's hint, shown at the cell since no pointer rests there.
    const QString hint = sheetView->hoverText();
    if (hakoniwa::entryComboFor(*sheet, column, row) == hakoniwa::EntryCombo::Arguments &&
        !hint.isEmpty())
        QToolTip::showText(sheetView->viewport()->mapToGlobal(cell.bottomLeft()), hint,
                           sheetView->viewport());
    return true;
}

bool TForm3::sheetKeyPress(int key) {
    if ((!isEnterKey(key) && key != Qt::Key_F2) || sheetView->isEditingCell())
        return false;
    const QModelIndex current = sheetView->currentIndex();
    if (!current.isValid())
        return false;
    if (isEnterKey(key))
        StringGrid1KeyDown(key);
    bool opened = false;
    guarded(handler("TForm3::StringGrid1KeyDown"),
            [&] { opened = openEntryByKey(current.column(), current.row()); });
    return opened;
}

void TForm3::stepEntry(bool back) {
    guarded(handler("TForm3::cbMOlKeyDown"), [&] { stepEntryUnguarded(back); });
}

void TForm3::stepEntryUnguarded(bool back, bool wrap) {
    // The cell the combo is open on, read before the commit closes it.
    const hakoniwa::Item* item = comboItem_;
    const QPoint cell(comboColumn_, comboRow_);
    const bool onShownSheet = item && item == shownItem();
    if (wrap)
        commitGoingOn();
    else
        cbMOlKeyDown(Qt::Key_Return);
    if (!onShownSheet || item != shownItem() || cell.x() < 0)
        return;
    const hakoniwa::ItemSheet& sheet = item->sheet;
    for (int next = cell.x() + (back ? -1 : 1);; next += back ? -1 : 1) {
        // Column c holds field c of the row's definition: past the last field there is
        // nothing to enter.
        const bool pastArguments =
            next >= 3 && next >= hakoniwa::getSplitCount(sheet.cell(2, cell.y()), ',');
        if (pastArguments || !openEntryByKey(next, cell.y()))
            break;
        // A file argument was filled in its dialog; with Enter the row goes on past it.
        if (!wrap || !isFileArgumentCell(next, cell.y()) || !shownItem())
            return;
    }
    const int nextRow = cell.y() + 1;
    if (wrap && !back && nextRow < sheet.rowCount() && openEntryByKey(1, nextRow))
        return;
    sheetView->setCurrentIndex(sheetView->sheetModel()->index(cell.y(), cell.x()));
}

void TForm3::openArgumentEditor(hakoniwa::ItemSheet& sheet, int column, int row) {
    sheetView->setHoverText(QString());
    const hakoniwa::ArgumentHint hint = hakoniwa::ArgumentHint::build(sheet.cell(2, row), column);
    sheetView->setHoverText(toQt(hint.text));
    if (hint.kind == hakoniwa::ArgumentKind::Constant)
        refillCombo(cbHen, hint.constantEntries);
    else
        updHenCb();
    showOnly(*this, cbHen);
    if (hint.kind != hakoniwa::ArgumentKind::File)
        return;
    closeEditorCombos();
    chooseArgumentFile(sheet, column, row, hint.fileKind);
}

void TForm3::cbMOlKeyDown(int key) {
    guarded(handler("TForm3::cbMOlKeyDown"), [&] {
        if (!isEnterKey(key))
            return;
        // A typed filter in the target list chooses its first match: Enter there always writes.
        if (cbMOl->isVisible())
            comboFilterOf(cbMOl)->chooseForCommit();
        hakoniwa::Item* item = comboItem_;
        const int column = comboColumn_;
        const int row = comboRow_;
        closeEditorCombos();
        // Back to the sheet, so that the next keys do not land in the repeat count box.
        sheetView->setFocus();
        // The combos write only into the cell they were opened on, while its sheet is on show
        // and the row is still there.
        if (!item || item != shownItem() || row < 0 || row >= item->sheet.rowCount())
            return;
        recordEdit(QStringLiteral("セルの編集"), [&] { commitEntry(item->sheet, column, row); });
        refreshSheet();
    });
}

void TForm3::commitEntry(hakoniwa::ItemSheet& sheet, int column, int row) {
    // An instruction or component is written as the definition line read from the file.
    const auto commitCommand = [&](QComboBox* combo, const std::vector<std::string>& lines) {
        const ComboFilter* filter = comboFilterOf(combo);
        if (const auto entry = hakoniwa::commandEntryToCommit(
                sheet.cell(2, row), lines, filter->chosen(), filter->typedMatches()))
            sheet.setCell(2, row, lines[*entry]);
    };
    switch (hakoniwa::entryComboFor(sheet, column, row)) {
    case hakoniwa::EntryCombo::Targets:
        sheet.setCell(1, row, std::to_string(cbMOl->currentIndex()));
        hakoniwa::giveJumpDefaultComponent(sheet, row, definitions.components,
                                           definitions.instructions);
        refreshSheet();
        Form2->dspAllItm();
        break;
    case hakoniwa::EntryCombo::Instructions:
        commitCommand(cbMtd, definitions.instructions);
        break;
    case hakoniwa::EntryCombo::Components:
        commitCommand(cbCmp, definitions.components);
        break;
    case hakoniwa::EntryCombo::Arguments: {
        // The entry chosen, else what the user typed; a text left from before is neither.
        const ComboFilter* filter = comboFilterOf(cbHen);
        if (const std::optional<int> entry = filter->chosen())
            sheet.setCell(column, row, hakoniwa::cleanCellText(fromQt(cbHen->itemText(*entry))));
        else if (filter->edited())
            sheet.setCell(column, row, hakoniwa::cleanCellText(fromQt(cbHen->currentText())));
        break;
    }
    case hakoniwa::EntryCombo::None:
        break;
    }
}

void TForm3::StringGrid1KeyDown(int key) {
    guarded(handler("TForm3::StringGrid1KeyDown"), [&] {
        if (!isEnterKey(key))
            return;
        Form2->dspAllItm();
        if (Form4 && Form4->CheckBox1->isChecked())
            updHenCb();
        // The edit itself, and any rename it asked for, went in when the cell was committed.
        if (const hakoniwa::ItemSheet* sheet = sheetView->sheet())
            sheet->cell(curCol, curRow); // a press outside every cell left nothing to commit
        refreshSheet();
    });
}

void TForm3::sheetCellEdited(int column, int row, const std::string& oldText) {
    // A rename belongs to the sheet's commit, whichever way the edit ended.
    guarded(handler("TForm3::StringGrid1KeyDown"), [&] {
        hakoniwa::Item* edited = shownItem();
        if (!edited)
            return;
        const auto rename = hakoniwa::declarationRename(edited->sheet, column, row, oldText);
        const hakoniwa::Scene* scene = Form1->project.sceneOf(edited);
        if (!rename || !scene)
            return;
        updHenRef(Form1->project.indexOf(scene), rename->name, rename->newText, rename->oldText);
        refreshSheet();
        if (Form4 && Form4->CheckBox1->isChecked())
            updHenCb();
    });
}

void TForm3::StringGrid1MouseMove(int, int) {
    guarded(handler("TForm3::StringGrid1MouseMove"), [&] {
        // Over the sheet only the sheet's own menu may open.
        setContextMenuPolicy(Qt::PreventContextMenu);
        Form2->lBtnDown = 0;
        Form2->rBtnDown = 0;
    });
}

void TForm3::FormMouseMove(int, int) {
    guarded(handler("TForm3::FormMouseMove"),
            [&] { setContextMenuPolicy(Qt::DefaultContextMenu); });
}

void TForm3::StringGrid1Enter() {
    guarded(handler("TForm3::StringGrid1Enter"), [&] { redrawSceneAndGrid(*this); });
}

void TForm3::StringGrid1SetEditText() {
    guarded(handler("TForm3::StringGrid1SetEditText"), [&] { redrawSceneAndGrid(*this); });
}
