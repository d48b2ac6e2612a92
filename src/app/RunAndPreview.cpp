#include "app/Unit1.h"

#include "app/Guarded.h"
#include "check/ProjectCheck.h"
#include "details/Settei.h"
#include "handles/Unit5.h"
#include "platform/DataPaths.h"
#include "platform/DataPlaces.h"
#include "platform/Launcher.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <array>

// Run, the handle windows and the position grid that follows them.

namespace {

enum HandleIndex { kTopLeftMark = 0, kPoint1 = 1, kPoint2 = 2, kOrigin = 3, kSpare = 4 };

// Colour values are 0x00BBGGRR, red in the lowest byte.
QColor colourFromValue(unsigned value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Where the handle windows first appear: beside the main window, not over its menu, the
// origin mark above and left of the two points so that the grid starts with small values.
QPoint startPosition(int index) {
    const QPoint positions[] = {{480, 20}, {600, 100}, {680, 160}, {520, 60}, {760, 220}};
    return positions[index];
}

// Starts the run script with no arguments in baseDir; the script finds the run file next to
// itself, and through two variables it inherits from this process the player beside the
// editor (HAKONIWA_BIN_DIR) and the folder of the saved project, where the game's images and
// sounds lie (HAKONIWA_PROJECT_DIR, empty for a project never saved). Its outcome is not
// looked at.
void launchRunScript(const QString& baseDir, const QString& projectFile) {
    qputenv("HAKONIWA_BIN_DIR",
            QDir::toNativeSeparators(hakoniwa::DataPlaces::current().binaryDir()).toLocal8Bit());
    const QString projectDir =
        projectFile.isEmpty() ? QString() : QFileInfo(projectFile).absolutePath();
    qputenv("HAKONIWA_PROJECT_DIR", QDir::toNativeSeparators(projectDir).toLocal8Bit());
    const QString script = QFileInfo(QDir(hakoniwa::DataPaths::runFolder(baseDir))
                                         .filePath(hakoniwa::DataPaths::runScriptName()))
                               .absoluteFilePath();
#ifdef Q_OS_WIN
    hakoniwa::Launcher::current().shellOpen(script, baseDir);
#else
    hakoniwa::Launcher::current().startDetached(QStringLiteral("/bin/sh"), {script}, baseDir);
#endif
}

// A cell is written only when its text changes, so an idle editor does not repaint the
// grid on every tick, while a typed value is still put back on the next one.
void showValue(QTableWidget* grid, int column, int row, int value) {
    const QString text = QString::number(value);
    QTableWidgetItem* cell = grid->item(row, column);
    if (!cell)
        grid->setItem(row, column, new QTableWidgetItem(text));
    else if (cell->text() != text)
        cell->setText(text);
}

std::array<QPoint, 5> handlePositions(const TForm1& form) {
    std::array<QPoint, 5> at;
    for (std::size_t i = 0; i < at.size(); ++i)
        at[i] = form.curWin[i]->pos();
    return at;
}

bool handleDragged(const TForm1& form) {
    return std::any_of(form.curWin.begin(), form.curWin.end(),
                       [](const TWWWinCur* window) { return window->dragging == 1; });
}

// Wakes the editor for the position grid only while a handle window moves: each move of a
// window refreshes the grid at once and starts Timer1, and the timer stops itself on the
// first tick that finds no window dragged and none moved since the tick before. An idle
// editor then sleeps instead of waking 500 times a second. A value typed into the grid starts
// the timer too, so that the next tick puts the position back.
void followHandleWindows(TForm1& form) {
    const auto wake = [&form] {
        if (!form.Timer1->isActive())
            form.Timer1->start();
    };
    for (TWWWinCur* window : form.curWin) {
        QObject::connect(window, &TWWWinCur::moved, &form, [&form, wake] {
            form.Timer1Timer();
            wake();
        });
    }
    QObject::connect(form.sgPos, &QTableWidget::itemChanged, &form, wake);
    QObject::connect(form.Timer1, &QTimer::timeout, &form,
                     [&form, lastTick = handlePositions(form)]() mutable {
                         const std::array<QPoint, 5> now = handlePositions(form);
                         if (now == lastTick && !handleDragged(form))
                             form.Timer1->stop();
                         lastTick = now;
                     });
}

// The grid's columns are 27 to 40 pixels wide: texts are drawn 2 pixels in and cut at the
// cell's edge, never shortened with an ellipsis, so "p2-p1" and "-120" stay readable.
class NarrowCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem background(option);
        initStyleOption(&background, index);
        const QString text = background.text;
        background.text.clear();
        QStyle* style = background.widget ? background.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, background.widget);
        painter->save();
        painter->setClipRect(option.rect);
        painter->setPen(background.palette.color(QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter->restore();
    }
};

} // namespace

void TForm1::Button2Click() {
    guarded(handler("TForm1::Button2Click"), [&] {
        // The writer reports its own failure; the script then runs on the previous run file.
        mkSource(QString());
        reportProblemsBeforeRun();
        launchRunScript(baseDir, projectFile);
    });
}

void TForm1::reportProblemsBeforeRun() {
    // The game runs all the same; the count only says that it may stop on one of them.
    const std::vector<hakoniwa::Problem> problems =
        hakoniwa::checkProject(project, Form3->definitions);
    const auto errors = std::count_if(problems.begin(), problems.end(),
                                      [](const hakoniwa::Problem& p) { return !p.isWarning(); });
    if (errors > 0)
        statusBar()->showMessage(QStringLiteral("問題が %1 件あります（表示 > 問題）").arg(errors));
}

void TForm1::Timer1Timer() {
    reported([&] {
        const QPoint origin = curWin[kOrigin]->pos();
        const QPoint p1 = curWin[kPoint1]->pos() - origin;
        const QPoint p2 = curWin[kPoint2]->pos() - origin;
        showValue(sgPos, 1, 1, p1.x());
        showValue(sgPos, 2, 1, p1.y());
        showValue(sgPos, 1, 2, p2.x());
        showValue(sgPos, 2, 2, p2.y());
        showValue(sgPos, 1, 3, p2.x() - p1.x());
        showValue(sgPos, 2, 3, p2.y() - p1.y());
        showValue(sgPos, 1, 4, origin.x());
        showValue(sgPos, 2, 4, origin.y());
    });
}

void TForm1::createHandleWindows() {
    const char* const bitmaps[] = {"\\dat\\img\\cur00.bmp", "\\dat\\img\\cur01.bmp",
                                   "\\dat\\img\\cur01.bmp", "\\dat\\img\\cur02.bmp",
                                   "\\dat\\img\\cur03.bmp"};
    for (int i = 0; i < 5; ++i) {
        curWin[i] = new TWWWinCur(this, hakoniwa::DataPaths::join(baseDir, bitmaps[i]));
        curWin[i]->move(startPosition(i));
    }
    const QColor blue = colourFromValue(0xFF0000);
    for (int i = kPoint1; i <= kSpare; ++i)
        curWin[i]->setColor(blue);
    curWin[kTopLeftMark]->setWindowTitle(QStringLiteral("+左上"));
    curWin[kPoint1]->setWindowTitle(QStringLiteral("+0"));
    curWin[kPoint2]->setWindowTitle(QStringLiteral("+1"));
    const bool shown[] = {false, true, true, true, false};
    for (int i = 0; i < 5; ++i)
        curWin[i]->setVisible(shown[i]);
}

void TForm1::buildPositionGrid() {
    // Row 0 and column 0 are headings, drawn like fixed cells; the toolkit's own headers and
    // scroll bars are not shown, as the grid is exactly as large as its cells.
    sgPos->horizontalHeader()->hide();
    sgPos->verticalHeader()->hide();
    sgPos->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgPos->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The columns are narrow: a long number is cut at the cell's edge rather than elided.
    sgPos->setItemDelegate(new NarrowCellDelegate(sgPos));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            sgPos->setItem(r, c, new QTableWidgetItem);
    const QBrush headingColour = sgPos->palette().button();
    for (int i = 0; i < 5; ++i) {
        for (QTableWidgetItem* heading : {sgPos->item(i, 0), sgPos->item(0, qMin(i, 2))}) {
            heading->setFlags(Qt::ItemIsEnabled);
            heading->setBackground(headingColour);
        }
    }
    const int widths[] = {40, 27, 31};
    const int heights[] = {24, 22, 24, 24, 24};
    for (int c = 0; c < 3; ++c)
        sgPos->setColumnWidth(c, widths[c]);
    for (int r = 0; r < 5; ++r)
        sgPos->setRowHeight(r, heights[r]);
    const struct {
        int column, row;
        const char* text;
    } labels[] = {{0, 1, "p1"},   {0, 2, "p2"}, {0, 3, "p2-p1"},
                  {0, 4, "左上"}, {1, 0, "x"},  {2, 0, "y"}};
    for (const auto& label : labels)
        sgPos->item(label.row, label.column)->setText(QString::fromUtf8(label.text));
    // A double-click hands a row's point to the details window instead of editing the cell.
    sgPos->setEditTriggers(sgPos->editTriggers() & ~QAbstractItemView::DoubleClicked);
    connect(sgPos, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { sgPosDblClick(row); });
    // The grid follows the handle windows from start-up to exit.
    followHandleWindows(*this);
    Timer1->start();
}

void TForm1::sgPosDblClick(int row) {
    reported([&] {
        if (row < 1 || row > 4)
            return;
        // The values as the grid shows them; a value being typed over is no point.
        bool xRead = false;
        bool yRead = false;
        const int x = sgPos->item(row, 1)->text().toInt(&xRead);
        const int y = sgPos->item(row, 2)->text().toInt(&yRead);
        if (!xRead || !yRead)
            return;
        if (!Form3->fillArgumentPair(std::to_string(x), std::to_string(y)))
            statusBar()->showMessage(QStringLiteral("詳細で引数のセルを選んでください"));
    });
}
