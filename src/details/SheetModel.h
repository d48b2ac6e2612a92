#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>

namespace hakoniwa {
class ItemSheet;
}

// Lets a table view show and edit an item's sheet in place: every read goes to the sheet and
// every edit is written straight into it, so the view holds no copy of the cells. Row 0 and
// column 0 are headings and cannot be edited; column 0 of a command row shows its command
// number. The sheet is owned by its item; the model only points at it.
class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SheetModel(QObject* parent = nullptr);

    // Shows the sheet (nullptr: nothing).
    void setSheet(hakoniwa::ItemSheet* sheet);
    hakoniwa::ItemSheet* sheet() const { return sheet_; }
    // After cells changed under the model: a new shape resets the views, otherwise every
    // cell is repainted.
    void refresh();
    // True when the sheet's row or column count differs from what the views were told.
    bool shapeChanged() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Text typed by the user loses tabs and line breaks; a character code page 932 cannot
    // hold comes back replaced, so the view shows at once what will be saved.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Runs after the user changed a cell's text in place, however the edit was committed
    // (Enter, Tab, a click elsewhere, another sheet shown), with the text the cell held.
    std::function<void(int column, int row, const std::string& oldText)> cellEdited;
    // Runs an in-place edit with all it causes (the cell and its renames) as one user action.
    std::function<void(const std::function<void()>& edit)> asOneAction;

private:
    bool isHeading(int column, int row) const;

    hakoniwa::ItemSheet* sheet_ = nullptr;
    int rows_ = 0;
    int columns_ = 0;
};
