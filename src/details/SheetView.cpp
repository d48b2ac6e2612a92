#include "details/SheetView.h"

#include "details/SheetModel.h"
#include "model/ItemSheet.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>

namespace {

constexpr int kRowHeight = 24;

// Paints a cell in its row kind's colours whatever its selection: the background filled,
// the text at the cell's top-left corner and cut at its edge; command numbers and the other
// headings sit a little in from the left. Only the focus mark shows where the user is.
class RowColourDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect;
        painter->save();
        painter->fillRect(cell, backgroundOf(index));
        painter->setClipRect(cell);
        painter->setFont(option.font);
        painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
        const QRect textArea = cell.adjusted(textInset(index), 0, 0, 0);
        painter->drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
        if (option.state & QStyle::State_HasFocus)
            drawFocusMark(painter, option);
    }

private:
    static QBrush backgroundOf(const QModelIndex& index) {
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.typeId() == QMetaType::QColor)
            return QBrush(background.value<QColor>());
        return background.value<QBrush>();
    }

    static int textInset(const QModelIndex& index) {
        if (index.column() == 0)
            return index.row() >= 2 ? 4 : 2;
        return index.row() == 0 ? 2 : 0;
    }

    static void drawFocusMark(QPainter* painter, const QStyleOptionViewItem& option) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = option.rect.adjusted(1, 1, -1, -1);
        focus.state |= QStyle::State_KeyboardFocusChange;
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
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
    // The argument hint is read while the user looks at another window's lists too.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    viewport()->setAttribute(Qt::WA_AlwaysShowToolTips);
    // The row menu opens only after a press in column 0 gave it to the sheet (see
    // setRowMenu); the window's own menu never opens over the sheet.
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, &SheetView::keepColumnWidth);
    hide();
}

void SheetView::showSheet(hakoniwa::ItemSheet* sheet) {
    // A cell still being typed into is saved into its own sheet before another one is shown.
    if (state() == QAbstractItemView::EditingState && model_->sheet() != sheet)
        setCurrentIndex(QModelIndex());
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
    // A key the cell editor left unhandled arrives here too; Enter among them is reported
    // once, by the commit (closeEditor), after the edited text is in the sheet.
    const bool fromCellEditor = state() == QAbstractItemView::EditingState;
    QTableView::keyPressEvent(event);
    if (!fromCellEditor)
        emit keyPressed(event->key());
}

void SheetView::paintEvent(QPaintEvent* event) {
    // A sheet reshaped or refitted elsewhere (loading, copying a scene, fitting its columns)
    // is picked up at the next paint.
    if (model_->shapeChanged() || widthsChanged())
        QTimer::singleShot(0, this, [this] { refresh(); });
    QTableView::paintEvent(event);
}

QPoint SheetView::cellAt(const QPoint& point) const {
    const int column = columnAt(point.x());
    const int row = rowAt(point.y());
    if (column < 0 || row < 0)
        return {-1, -1};
    return {column, row};
}

void SheetView::contextMenuEvent(QContextMenuEvent* event) {
    if (rowMenu_)
        rowMenu_->popup(event->globalPos());
    event->accept();
}

void SheetView::setHoverText(const QString& text) {
    if (hakoniwa::ItemSheet* shown = sheet())
        shown->hoverText = hakoniwa::fromQt(text);
}

QString SheetView::hoverText() const {
    const hakoniwa::ItemSheet* shown = sheet();
    return shown ? hakoniwa::toQt(shown->hoverText) : QString();
}

bool SheetView::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    // One hover text for the whole sheet, not one per cell.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = hoverText();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport());
    return true;
}

void SheetView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache)
        emit keyPressed(Qt::Key_Return);
}
