#pragma once

#include <QTableView>
#include <vector>

class QMenu;
class SheetModel;

namespace hakoniwa {
class ItemSheet;
}

// The details window's one view of an item's sheet. It shows every cell, headings included,
// at the sheet's own column widths and row height 24, and reports presses, moves, keys and
// double-clicks in its own coordinates to the window's handlers.
class SheetView : public QTableView {
    Q_OBJECT
public:
    explicit SheetView(QWidget* parent);

    // Shows the sheet (nullptr hides the view). The sheet is owned by its item.
    void showSheet(hakoniwa::ItemSheet* sheet);
    hakoniwa::ItemSheet* sheet() const;
    // Brings the view in line with the sheet after cells, rows or columns changed.
    void refresh();
    SheetModel* sheetModel() const { return model_; }
    // True while a cell is being edited in place.
    bool isEditingCell() const { return state() == QAbstractItemView::EditingState; }

    // The (column, row) of the cell under a point of the view's viewport; -1, -1 outside
    // every cell.
    QPoint cellAt(const QPoint& point) const;

    // The menu a context-menu request on the sheet opens; nullptr opens none (and the
    // window's own menu does not open over the sheet either). Not owned.
    void setRowMenu(QMenu* menu) { rowMenu_ = menu; }
    QMenu* rowMenu() const { return rowMenu_; }

    // The shown sheet's own hover text, shown while the pointer rests on it (also while the
    // window is not the active one); empty shows nothing.
    void setHoverText(const QString& text);
    QString hoverText() const;

signals:
    void pressed(Qt::MouseButton button, int x, int y);
    void moved(int x, int y);
    void keyPressed(int key);
    void doubleClickedAt(int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // Enter in the cell editor commits the text and closes the editor without a key reaching
    // the view, so the commit itself is reported as the sheet's Enter.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // Column widths are kept with the sheet, so each sheet opens as it was left.
    void applyColumnWidths();
    void keepColumnWidth(int column, int oldWidth, int newWidth);
    bool widthsChanged() const;

    SheetModel* model_;
    bool applyingWidths_ = false;
    std::vector<int> appliedWidths_; // the sheet's widths as last given to the columns
    QMenu* rowMenu_ = nullptr;
};
