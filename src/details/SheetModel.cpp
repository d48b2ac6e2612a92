#include "details/SheetModel.h"

#include "model/CellLook.h"
#include "model/CellText.h"
#include "model/ItemSheet.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QColor>
#include <QPalette>

using hakoniwa::fromQt;
using hakoniwa::toQt;

namespace {

// 0x00BBGGRR, red in the lowest byte.
QColor fromColourValue(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

SheetModel::SheetModel(QObject* parent) : QAbstractTableModel(parent) {}

void SheetModel::setSheet(hakoniwa::ItemSheet* sheet) {
    beginResetModel();
    sheet_ = sheet;
    rows_ = sheet ? sheet->rowCount() : 0;
    columns_ = sheet ? sheet->columnCount() : 0;
    endResetModel();
}

void SheetModel::refresh() {
    if (shapeChanged()) {
        setSheet(sheet_);
        return;
    }
    if (rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
}

bool SheetModel::shapeChanged() const {
    const int rows = sheet_ ? sheet_->rowCount() : 0;
    const int columns = sheet_ ? sheet_->columnCount() : 0;
    return rows != rows_ || columns != columns_;
}

int SheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int SheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

bool SheetModel::isHeading(int column, int row) const {
    return column == 0 || row < sheet_->fixedRows;
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
    if (!sheet_ || !index.isValid())
        return {};
    const int column = index.column();
    const int row = index.row();
    const hakoniwa::CellLook look = hakoniwa::CellLook::of(*sheet_, column, row);
    switch (role) {
    case Qt::DisplayRole:
        return toQt(look.text);
    case Qt::EditRole:
        return toQt(sheet_->cell(column, row));
    case Qt::BackgroundRole:
        if (look.heading)
            return QApplication::palette().button();
        return fromColourValue(look.background);
    case Qt::ForegroundRole:
        return fromColourValue(look.foreground);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignLeft | Qt::AlignTop);
    default:
        return {};
    }
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!sheet_ || !index.isValid() || role != Qt::EditRole ||
        isHeading(index.column(), index.row()))
        return false;
    const int column = index.column();
    const int row = index.row();
    std::string text = hakoniwa::cleanCellText(fromQt(value.toString()));
    if (text == sheet_->cell(column, row)) {
        emit dataChanged(index, index); // the view shows what is kept, not what was typed
        return true;
    }
    const auto edit = [&] {
        const std::string oldText(sheet_->cell(column, row));
        sheet_->setCell(column, row, std::move(text));
        emit dataChanged(index, index);
        if (cellEdited)
            cellEdited(column, row, oldText);
    };
    if (asOneAction)
        asOneAction(edit);
    else
        edit();
    return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const {
    if (!sheet_ || !index.isValid())
        return Qt::NoItemFlags;
    if (isHeading(index.column(), index.row()))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}
