#pragma once

#include <QWidget>

class QTreeWidget;

// The window "エラー履歴": the failures of this run, newest first, with time, handler number
// and name or message. It follows the log while it is open.
class ErrorHistory : public QWidget {
    Q_OBJECT
public:
    explicit ErrorHistory(QWidget* owner);
    ~ErrorHistory() override;

    QTreeWidget* list = nullptr;

    // Refills the list from the log.
    void refresh();
};

// Opens the history window of `owner` (made on first use, a window of its own that goes
// away with the owner) and brings it to the front.
void showErrorHistory(QWidget* owner);
