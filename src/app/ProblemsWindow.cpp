#include "app/ProblemsWindow.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "app/WindowLook.h"
#include "details/Settei.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "platform/Cp932Codec.h"

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

using hakoniwa::toQt;

namespace {

enum Column { kSeverity, kScene, kItem, kRow, kMessage };

// A project full of faults still opens the window at once; the count says how many more.
constexpr int kMostLines = 1000;

QTreeWidgetItem* lineOf(const hakoniwa::Project& project, const hakoniwa::Problem& problem) {
    auto* line = new QTreeWidgetItem;
    const hakoniwa::Scene& scene = project.scene(problem.scene);
    line->setText(kSeverity,
                  problem.isWarning() ? QStringLiteral("警告") : QStringLiteral("エラー"));
    line->setText(kScene, toQt(scene.caption));
    if (problem.item >= 0)
        line->setText(kItem, toQt(scene.item(problem.item).displayText()));
    if (problem.row >= 0) // the command number, as the sheet shows it
        line->setText(kRow, QString::number(problem.row - 1));
    line->setText(kMessage, toQt(problem.message));
    line->setToolTip(kMessage, line->text(kMessage));
    if (problem.isWarning())
        line->setForeground(kSeverity, QColor(0x80, 0x60, 0x00));
    else
        line->setForeground(kSeverity, Qt::red);
    return line;
}

QString summaryOf(const std::vector<hakoniwa::Problem>& problems) {
    if (problems.empty())
        return QStringLiteral("問題はありません");
    int warnings = 0;
    for (const hakoniwa::Problem& problem : problems)
        warnings += problem.isWarning() ? 1 : 0;
    const int errors = static_cast<int>(problems.size()) - warnings;
    QString text = QStringLiteral("エラー %1 件、警告 %2 件").arg(errors).arg(warnings);
    if (problems.size() > static_cast<std::size_t>(kMostLines))
        text += QStringLiteral("（最初の %1 件を表示）").arg(kMostLines);
    return text;
}

// Right of the main window, where it hides neither the diagram nor 詳細 below it; kept on the
// screen.
void placeBeside(QWidget& window, const QWidget& main) {
    QPoint at(main.frameGeometry().right() + 8, main.frameGeometry().top());
    if (const QScreen* screen = main.screen()) {
        const QRect free = screen->availableGeometry();
        at.setX(qBound(free.left(), at.x(), qMax(free.left(), free.right() - window.width())));
        at.setY(qBound(free.top(), at.y(), qMax(free.top(), free.bottom() - window.height())));
    }
    window.move(at);
}

} // namespace

ProblemsWindow::ProblemsWindow(TForm1& main) : QWidget(&main, Qt::Window) {
    setWindowTitle(QStringLiteral("問題"));
    applyWindowFont(this);
    list = new QTreeWidget(this);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("種別"), QStringLiteral("シーン"),
                           QStringLiteral("アイテム"), QStringLiteral("行"),
                           QStringLiteral("内容")});
    list->header()->setStretchLastSection(true);
    connect(list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* line) { showProblem(list->indexOfTopLevelItem(line)); });
    summary = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->addWidget(list);
    layout->addWidget(summary);
    resize(600, 240);
    placeBeside(*this, main);

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(0);
    connect(refreshTimer_, &QTimer::timeout, this, &ProblemsWindow::refresh);
    // Every change of the project is a step of the undo stack; a new or opened project
    // empties the stack, which an empty stack does not signal, so main says so itself.
    connect(main.undoStack, &QUndoStack::indexChanged, this, &ProblemsWindow::scheduleRefresh);
    connect(main.undoStack, &QUndoStack::cleanChanged, this, &ProblemsWindow::scheduleRefresh);
    connect(&main, &TForm1::projectReplaced, this, &ProblemsWindow::scheduleRefresh);
}

void ProblemsWindow::scheduleRefresh() {
    if (isVisible())
        refreshTimer_->start();
}

void ProblemsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void ProblemsWindow::refresh() {
    reported([&] {
        refreshTimer_->stop();
        problems_.clear();
        if (Form1 && Form3)
            problems_ = hakoniwa::checkProject(Form1->project, Form3->definitions);
        list->clear();
        QList<QTreeWidgetItem*> lines;
        for (std::size_t i = 0; i < problems_.size() && i < static_cast<std::size_t>(kMostLines);
             ++i)
            lines << lineOf(Form1->project, problems_[i]);
        list->addTopLevelItems(lines);
        for (int column : {kSeverity, kScene, kItem, kRow})
            list->resizeColumnToContents(column);
        summary->setText(summaryOf(problems_));
    });
}

void ProblemsWindow::showProblem(int index) {
    reported([&] {
        if (index < 0 || index >= static_cast<int>(problems_.size()) || !Form1 || !Form2 || !Form3)
            return;
        const hakoniwa::Problem problem = problems_[index];
        hakoniwa::Project& project = Form1->project;
        if (problem.scene >= project.sceneCount())
            return;
        // The tab's change runs the change of scene: diagram, lists and memo follow.
        if (project.activeIndex() != problem.scene)
            Form1->pcScene->setCurrentIndex(problem.scene);
        hakoniwa::Scene& scene = project.scene(problem.scene);
        if (problem.item < 0 || problem.item >= scene.itemCount())
            return;
        hakoniwa::Item& item = scene.item(problem.item);
        Form2->selItm = Form2->curItm = &item;
        Form3->placeSheet(&item, SheetPlacement::Shown);
        Form2->fitColWidths(item.sheet);
        Form3->refreshSheet();
        Form2->dspAllItm();
        Form3->show();
        Form3->raise();
        if (problem.row < 0 || problem.row >= item.sheet.rowCount())
            return;
        // A press on the row number selects the row for the row commands ("選択行").
        SheetView* view = Form3->sheetView;
        const QModelIndex number = view->model()->index(problem.row, 0);
        view->scrollTo(number);
        view->setCurrentIndex(number);
        const QPoint centre = view->visualRect(number).center();
        Form3->StringGrid1MouseDown(Qt::LeftButton, centre.x(), centre.y());
    });
}

void showProblems(TForm1& main) {
    auto* window = main.findChild<ProblemsWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!window)
        window = new ProblemsWindow(main);
    window->show();
    window->raise();
    window->activateWindow();
}
