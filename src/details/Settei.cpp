#include "details/Settei.h"

#include "app/Keys.h"
#include "app/Unit1.h"
#include "app/WindowLook.h"
#include "details/EntryFilters.h"
#include "details/SheetView.h"
#include "model/Item.h"
#include "model/ItemSheet.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>

TForm3* Form3 = nullptr;

namespace {

// Design client size; the status bar, "決定" and the repeat count keep to the bottom edge.
constexpr int kClientWidth = 759;
constexpr int kClientHeight = 320;

// Ctrl with Return or the keypad's Enter.
bool isCtrlEnter(const QKeyEvent* key) {
    return isEnterKey(key->key()) && (key->modifiers() & Qt::ControlModifier);
}

} // namespace

TForm3::TForm3() : QWidget(nullptr, Qt::Window) {
    Form3 = this;
    setWindowTitle(QStringLiteral("詳細"));
    applyWindowFont(this);
    setMouseTracking(true);
    buildControls();
    move(-1, 385);
    resize(kClientWidth, kClientHeight);
    loadDefinitions();
    Form1->Button1Click();
    show();
}

TForm3::~TForm3() {
    if (Form3 == this)
        Form3 = nullptr;
}

QComboBox* TForm3::editorComboOf(QObject* watched) const {
    for (QComboBox* combo : {cbMOl, cbCmp, cbSysHen, cbMtd, cbHen})
        if (watched == combo || watched == combo->lineEdit())
            return combo;
    return nullptr;
}

void TForm3::closeEditorCombos() {
    for (QComboBox* combo : {cbMOl, cbMtd, cbCmp, cbHen}) {
        combo->hidePopup();
        combo->hide();
    }
    comboItem_ = nullptr;
}

void TForm3::projectReplaced() {
    backItm = nullptr;
    closeEditorCombos();
    placeSheet(nullptr, SheetPlacement::Shown);
}

void TForm3::forgetGoneItems() {
    // Undo and redo may have changed or removed the row an open combo was made for.
    closeEditorCombos();
    hakoniwa::Project& project = Form1->project;
    for (hakoniwa::Item** item : {&backItm, &comboItem_})
        if (*item && !project.sceneOf(*item))
            *item = nullptr;
    if (shownItem_ && !project.sceneOf(shownItem_))
        placeSheet(nullptr, SheetPlacement::Shown);
}

void TForm3::attachNewSheet(hakoniwa::Item& item) {
    placeSheet(&item, SheetPlacement::NewItem);
}

QRect TForm3::sheetArea() const {
    return QRect(0, 0, width(), height() - sbInfo->height());
}

void TForm3::placeSheet(hakoniwa::Item* item, SheetPlacement placement) {
    if (item != shownItem_) {
        // The combos and the row selection belong to the sheet they were made on.
        closeEditorCombos();
        if (selRow >= hakoniwa::ItemSheet::kFirstCommandRow)
            selectRow(-1);
    }
    // A cell still being typed into is saved into its own sheet first, while it is the shown one.
    sheetView->showSheet(item ? &item->sheet : nullptr);
    shownItem_ = item;
    QRect bounds = sheetArea();
    bounds.setHeight(bounds.height() - 20);
    const int listsRight = tvOpList->x() + tvOpList->width();
    if (placement == SheetPlacement::NewItem)
        bounds.adjust(60 + listsRight, 0, -4, 0);
    else if (placement == SheetPlacement::Shown)
        bounds.adjust(40 + listsRight, 0, -4, 0);
    sheetView->setGeometry(bounds);
}

void TForm3::detachSheet(const hakoniwa::Item& item) {
    if (shownItem_ == &item)
        placeSheet(nullptr, SheetPlacement::Shown);
}

void TForm3::refreshSheet() {
    sheetView->refresh();
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isCtrlEnter(static_cast<QKeyEvent*>(event)) &&
        (watched == sheetView || (editorComboOf(watched) && editorComboOf(watched) != cbSysHen))) {
        // A new command row below the cell or entry being filled; an open entry commits first.
        int row = sheetView->currentIndex().row();
        if (editorComboOf(watched)) {
            row = comboRow_;
            commitGoingOn();
        }
        insertRowBelow(row);
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == sheetView)
        return sheetKeyPress(static_cast<QKeyEvent*>(event)->key());
    if (event->type() == QEvent::KeyPress && qobject_cast<QTreeWidget*>(watched) &&
        isEnterKey(static_cast<QKeyEvent*>(event)->key())) {
        // Enter picks the current node, as a double click does.
        auto* tree = static_cast<QTreeWidget*>(watched);
        if (!tree->currentItem())
            return false;
        selNode = tree->currentItem();
        tvOpListDblClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress && editorComboOf(watched)) {
        QComboBox* combo = editorComboOf(watched);
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (combo != cbSysHen && comboFilterOf(combo)->handleKey(key, keyEvent->modifiers()))
            return true;
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && combo != cbSysHen) {
            stepEntry(key == Qt::Key_Backtab);
            return true;
        }
        if (isEnterKey(key) && entryByKey_ && combo != cbSysHen) {
            enterEntry(); // commits, then on to the next cell, as Tab does
            return true;
        }
        cbMOlKeyDown(key);
        // Enter commits once, here; it must not go on to the sheet the combo sits on.
        if (isEnterKey(key))
            return true;
    }
    if (event->type() == QEvent::FocusIn && watched == StringGrid1)
        StringGrid1Enter();
    return QWidget::eventFilter(watched, event);
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Anchored to the left and bottom edges, as designed for the 759 x 320 client area.
    const int fromBottom = height() - kClientHeight;
    sbInfo->setGeometry(0, height() - sbInfo->height(), width(), sbInfo->height());
    Button1->move(144, 274 + fromBottom);
    edRpn->move(8, 273 + fromBottom);
    FormResize();
}

void TForm3::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->popup(event->globalPos());
}

void TForm3::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FormMouseMove(at.x(), at.y());
    QWidget::mouseMoveEvent(event);
}
