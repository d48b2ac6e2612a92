#pragma once

#include "check/ProjectCheck.h"

#include <QWidget>
#include <vector>

class QLabel;
class QTimer;
class QTreeWidget;
class TForm1;

// The window "問題": what the project check finds with the details window's vocabulary, one
// line per problem with its scene, item and command number. While it is shown it follows
// every change of the project (each undo step, a new or opened project), checking again once
// the change is over. A double-click (or Enter) on a line shows that item's sheet in 詳細
// with the row selected.
class ProblemsWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own that goes away with `main`; follows main's undo stack.
    explicit ProblemsWindow(TForm1& main);

    QTreeWidget* list = nullptr;
    QLabel* summary = nullptr;

    // Checks the project again and refills the list.
    void refresh();
    // Shows the problem of list line `index`: its scene becomes the active one, its item
    // current and selected with its sheet in 詳細, and its row pressed as a click on the row
    // number would. A problem that no longer fits the project does nothing.
    void showProblem(int index);
    const std::vector<hakoniwa::Problem>& problems() const { return problems_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Checks again once the current event is handled, only while the window is shown; many
    // changes in one event make one check.
    void scheduleRefresh();

    QTimer* refreshTimer_ = nullptr;
    std::vector<hakoniwa::Problem> problems_;
};

// Opens the problems window of `main` (made on first use) and brings it to the front.
void showProblems(TForm1& main);
