#include "details/SheetView.h"

#include "details/SheetModel.h"
#include "model/ItemSheet.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

constexpr int kRowHeight = 24;

// Cells keep the colours of their row kind when selected; only the focus mark shows where
// the user is.
class RowColourDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem unselected(option);
        unselected.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, unselected, index);
    }
};

} // namespace

SheetView::SheetView(QWidget* parent) : QTableView(parent), model_(new SheetModel(this)) {
    setModel(model_);
    setItemDelegate(new RowColourDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a long text is cut at the cell edge, as in a grid
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // The row menu opens only on a press in column 0, decided by the press handler; the
    // window's own menu must not open over the sheet either.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &SheetView::keepColumnWidth);
    hide();
}

void SheetView::showSheet(hakoniwa::ItemSheet* sheet) {
    model_->setSheet(sheet);
    applyColumnWidths();
    setVisible(sheet != nullptr);
}

hakoniwa::ItemSheet* SheetView::sheet() const {
    return model_->sheet();
}

void SheetView::refresh() {
    model_->refresh();
    applyColumnWidths();
}

bool SheetView::widthsChanged() const {
    const hakoniwa::ItemSheet* shown = sheet();
    return shown && shown->columnWidths() != appliedWidths_;
}

void SheetView::applyColumnWidths() {
    hakoniwa::ItemSheet* shown = sheet();
    if (!shown)
        return;
    applyingWidths_ = true;
    const std::vector<int>& widths = shown->columnWidths();
    appliedWidths_ = widths;
    for (int c = 0; c < model_->columnCount(); ++c)
        setColumnWidth(c, c < static_cast<int>(widths.size())
                              ? widths[c]
                              : hakoniwa::ItemSheet::kDefaultColumnWidth);
    applyingWidths_ = false;
}

void SheetView::keepColumnWidth(int column, int, int newWidth) {
    hakoniwa::ItemSheet* shown = sheet();
    if (applyingWidths_ || !shown || column >= static_cast<int>(shown->columnWidths().size()))
        return;
    shown->columnWidths()[column] = newWidth;
    appliedWidths_ = shown->columnWidths();
}

void SheetView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit pressed(event->button(), at.x(), at.y());
    QTableView::mousePressEvent(event);
}

void SheetView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit moved(at.x(), at.y());
    QTableView::mouseMoveEvent(event);
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    const QPoint at = event->position().toPoint();
    emit doubleClickedAt(at.x(), at.y());
}

void SheetView::keyPressEvent(QKeyEvent* event) {
    QTableView::keyPressEvent(event);
    emit keyPressed(event->key());
}

void SheetView::paintEvent(QPaintEvent* event) {
    // A sheet reshaped or refitted elsewhere (loading, copying a scene, fitting its columns)
    // is picked up at the next paint.
    if (model_->shapeChanged() || widthsChanged())
        QTimer::singleShot(0, this, [this] { refresh(); });
    QTableView::paintEvent(event);
}
