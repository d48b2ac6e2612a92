// TForm2's mouse and key protocol on the scene canvas: pointing at an item makes it current,
// a left press selects it and a left drag moves it or a grabbed link handle, a right drag
// from item to item adds a jump row, a double-click adds an item (or a copy), Enter opens the
// details window, Delete deletes the selected item.
#include "editor/Unit2.h"

#include "app/Guarded.h"
#include "app/Keys.h"
#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/ImageCanvas.h"
#include "model/CellText.h"
#include "model/DiagramGeometry.h"
#include "model/ItemCopy.h"
#include "model/JumpRow.h"
#include "model/LinkHandles.h"
#include "platform/Cp932Codec.h"

#include <QFontMetrics>
#include <optional>
#include <string>

namespace {

// The item when it belongs to the scene. An item of another scene (left over from before a
// change of scene) must not be copied into this one or get a jump into it.
hakoniwa::Item* inScene(hakoniwa::Scene& scene, hakoniwa::Item* item) {
    return item && scene.indexOf(item) >= 0 ? item : nullptr;
}

// A drawn link names its row's component: the last line of cmp.txt.
std::string linkComponent() {
    const std::vector<std::string>& components = Form3->definitions.components;
    return components.empty() ? std::string() : hakoniwa::cleanCellText(components.back());
}

void setPointCells(hakoniwa::ItemSheet& sheet, int column, int row, int x, int y) {
    sheet.setCell(column, row, std::to_string(x));
    sheet.setCell(column + 1, row, std::to_string(y));
}

} // namespace

void TForm2::FormMouseMove(Qt::KeyboardModifiers, int x, int y) {
    guarded(handler("TForm2::FormMouseMove"), [&] {
        setWindowTitle(QStringLiteral("エディタ x=%1,y=%2").arg(x).arg(y));
        hakoniwa::Scene* scene = Form1->project.activeScene();
        if (!scene)
            return;
        if (!lBtnDown && !rBtnDown) {
            hoverOver(*scene, x, y);
            findHandles(*scene, x, y);
        } else if (lBtnDown && !rBtnDown) {
            dragTo(x, y);
        }
    });
}

// The topmost item under the pointer becomes current and its sheet is shown. Over no item
// there is no current item, but the sheet last shown stays, so that the pointer can cross
// empty canvas to the details window and find it there. Items are visited from the last drawn
// down, so a copy lying exactly over its original is the one found, as it is the one seen.
void TForm2::hoverOver(hakoniwa::Scene& scene, int x, int y) {
    const int found = canvasItemAt(scene, {x, y});
    if (found >= 0) {
        hakoniwa::Item& item = scene.item(found);
        if (&item != curItm) {
            Form3->placeSheet(&item, SheetPlacement::Shown);
            fitColWidths(item.sheet);
            curItm = &item;
        }
        return;
    }
    curItm = nullptr;
}

// Boxes in the canvas font, the font they are drawn in. A pointer move measures no text: the
// widths are kept until a text or the font changes.
int TForm2::canvasItemAt(const hakoniwa::Scene& scene, hakoniwa::CanvasPoint pointer) {
    const QImage& canvas = Form1->img1->image();
    const QFont& font = Form1->img1->font();
    const QSize dpi(canvas.logicalDpiX(), canvas.logicalDpiY());
    if (font != boxFont_ || dpi != boxDpi_) {
        itemBoxes_.fontChanged();
        boxFont_ = font;
        boxDpi_ = dpi;
    }
    std::optional<QFontMetrics> metrics;
    return itemBoxes_.itemAt(scene, pointer, [&](std::string_view text) {
        if (!metrics)
            metrics.emplace(font, &canvas);
        return metrics->horizontalAdvance(hakoniwa::toQt(text));
    });
}

// Only the selected item's links can be grabbed.
void TForm2::findHandles(const hakoniwa::Scene& scene, int x, int y) {
    hdlStartRow = hdlEndRow = -1;
    hdlSearchedItm = selItm;
    if (!selItm)
        return;
    const hakoniwa::HandleGrab grab = hakoniwa::findLinkHandles(scene, *selItm, {x, y});
    hdlStartRow = grab.startRow;
    hdlEndRow = grab.endRow;
    if (grab.grabOffset) {
        hdlDX = grab.grabOffset->x;
        hdlDY = grab.grabOffset->y;
    }
}

// Each moved thing redraws the scene once. Items stop at the canvas's top and left edges;
// link handles are offsets from their items and follow the pointer anywhere.
void TForm2::dragTo(int x, int y) {
    // All the moves of one drag are one undo step.
    const QString name = curItm ? QStringLiteral("アイテムの移動") : QStringLiteral("リンクの変形");
    recordEdit(
        name, [&] { moveDragged(x, y); }, MergeKind::Drag, dragSerial_);
}

void TForm2::moveDragged(int x, int y) {
    if (curItm) {
        const hakoniwa::CanvasPoint anchor = hakoniwa::draggedAnchor({x, y}, {dragDX, dragDY});
        setPointCells(curItm->sheet, 1, 1, anchor.x, anchor.y);
        refreshShownSheet(*curItm);
        dspAllItm();
    }
    if (hdlStartItm) {
        setPointCells(hdlStartItm->sheet, 6, hdlStartRow, x + hdlDX, y + hdlDY);
        refreshShownSheet(*hdlStartItm);
        dspAllItm();
    }
    if (hdlEndItm) {
        setPointCells(hdlEndItm->sheet, 8, hdlEndRow, x + hdlDX, y + hdlDY);
        refreshShownSheet(*hdlEndItm);
        dspAllItm();
    }
}

void TForm2::FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    guarded(handler("TForm2::FormMouseDown"), [&] {
        if (button == Qt::LeftButton) {
            lBtnDown = 1;
            ++dragSerial_;
            if (curItm) {
                selItm = curItm;
                const hakoniwa::CanvasPoint anchor = hakoniwa::itemAnchor(*curItm);
                dragDX = anchor.x - x;
                dragDY = anchor.y - y;
            }
            // The press does not redraw; the red outline follows at the next redraw.
            const bool searchedSelection = selItm && selItm == hdlSearchedItm;
            hdlStartItm = searchedSelection && hdlStartRow != -1 ? selItm : nullptr;
            hdlEndItm = searchedSelection && hdlEndRow != -1 ? selItm : nullptr;
        } else if (button == Qt::RightButton) {
            rBtnDown = 1;
            // The link starts at the item under the press, also when the pointer has not
            // moved since an earlier drag ended elsewhere.
            if (hakoniwa::Scene* scene = Form1->project.activeScene())
                hoverOver(*scene, x, y);
        }
        downX = x;
        downY = y;
    });
}

void TForm2::FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    guarded(handler("TForm2::FormMouseUp"), [&] {
        if (button == Qt::LeftButton) {
            lBtnDown = 0;
            return;
        }
        if (button != Qt::RightButton)
            return;
        // Cleared first, so a failure below cannot leave the canvas deaf to pointer moves.
        rBtnDown = 0;
        if (hakoniwa::Scene* scene = Form1->project.activeScene())
            linkByRightDrag(*scene, x, y);
    });
}

// The press made the item under it current and no hover pass runs while the right button is
// held, so the current item is the one the drag started on: it gets a row jumping to the
// topmost item under the release.
void TForm2::linkByRightDrag(hakoniwa::Scene& scene, int x, int y) {
    hakoniwa::Item* source = inScene(scene, curItm);
    if (!source)
        return;
    const int target = canvasItemAt(scene, {x, y});
    if (target < 0)
        return;
    recordEdit(QStringLiteral("リンクの追加"),
               [&] { hakoniwa::appendJumpRow(source->sheet, target, linkComponent()); });
    refreshShownSheet(*source);
    dspAllItm();
}

void TForm2::FormDblClick() {
    guarded(handler("TForm2::FormDblClick"), [&] {
        hakoniwa::Scene* scene = Form1->project.activeScene();
        if (!scene)
            return;
        // Nothing stays selected: the canvas reports no press for the double-click's second
        // press, so the new item, though current, is not selected or grabbed by it.
        selItm = nullptr;
        hakoniwa::Item* original = inScene(*scene, curItm);
        const QString name =
            original ? QStringLiteral("アイテムのコピー") : QStringLiteral("アイテムの追加");
        recordEdit(name, [&] {
            addItm(*scene);
            if (original) {
                hakoniwa::copyItemBody(original->sheet, newItm->sheet);
                refreshShownSheet(*newItm);
                // The copy's label, colour, start line and links show at once, not at the next
                // redraw.
                dspAllItm();
            }
            Form3->updMOlCb();
            updItemJumpNo();
        });
    });
}

void TForm2::FormKeyDown(int key, Qt::KeyboardModifiers) {
    guarded(handler("TForm2::FormKeyDown"), [&] {
        if (key == Qt::Key_Delete) {
            deleteSelItm();
            return;
        }
        if (!isEnterKey(key) || !selItm)
            return;
        hide();
        Form3->show();
        Form3->raise();
    });
}

void TForm2::refreshShownSheet(const hakoniwa::Item& item) {
    if (Form3->shownItem() == &item)
        Form3->refreshSheet();
}
