#include "app/ErrorHistory.h"

#include "app/ErrorLog.h"
#include "app/WindowLook.h"

#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { kTime, kNumber, kWhere, kMessage };

// Measures each cell at its column's width, so that a wrapped message gets the lines it needs:
// the tree view alone measures text as one line.
class WrappingDelegate : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView* view) : QStyledItemDelegate(view), view_(view) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem atWidth(option);
        // Only the message wraps; the other columns are sized to their text on one line.
        const int width =
            index.column() == kMessage ? view_->columnWidth(kMessage) : QWIDGETSIZE_MAX;
        atWidth.rect = QRect(0, 0, width, QWIDGETSIZE_MAX);
        return QStyledItemDelegate::sizeHint(atWidth, index);
    }

private:
    QTreeView* view_;
};

QString timeText(const ErrorLog::Entry& entry) {
    const QString time = entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return entry.count > 1 ? QStringLiteral("%1 (%2回)").arg(time).arg(entry.count) : time;
}

} // namespace

ErrorHistory::ErrorHistory(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(QStringLiteral("エラー履歴"));
    applyWindowFont(this);
    list = new QTreeWidget(this);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("時刻"), QStringLiteral("番号"), QStringLiteral("場所"),
                           QStringLiteral("内容")});
    list->header()->setStretchLastSection(true);
    // A long message wraps onto more lines rather than being cut at the column's edge (and its
    // tooltip holds it whole, for a path that has nowhere to break).
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setItemDelegate(new WrappingDelegate(list));
    connect(list->header(), &QHeaderView::sectionResized, list, [this] { list->doItemsLayout(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list);
    resize(640, 220);
    // A closed window catches up when it is shown again.
    errorLog().changed = [this] {
        if (isVisible())
            refresh();
    };
}

ErrorHistory::~ErrorHistory() {
    errorLog().changed = nullptr;
}

void ErrorHistory::refresh() {
    list->clear();
    QList<QTreeWidgetItem*> rows;
    for (const ErrorLog::Entry& entry : errorLog().entries()) {
        auto* row = new QTreeWidgetItem;
        row->setText(kTime, timeText(entry));
        if (entry.number != 0)
            row->setText(kNumber, QString::number(entry.number));
        row->setText(kWhere, entry.name);
        row->setText(kMessage, entry.message);
        row->setToolTip(kMessage, entry.message); // a long message does not fit the column
        rows << row;
    }
    list->addTopLevelItems(rows);
    for (int column : {kTime, kNumber, kWhere})
        list->resizeColumnToContents(column);
}

void showErrorHistory(QWidget* owner) {
    auto* window = owner->findChild<ErrorHistory*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new ErrorHistory(owner);
    window->refresh();
    window->show();
    window->raise();
    window->activateWindow();
}
