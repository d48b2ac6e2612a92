#include "app/ErrorHistory.h"

#include "app/ErrorLog.h"
#include "app/WindowLook.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { kTime, kNumber, kWhere, kMessage };

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
