#include "app/Unit1.h"

#include <QHeaderView>
#include <QTableWidget>

// Run, the handle windows and the position grid that follows them.

void TForm1::Button2Click() {}

void TForm1::Timer1Timer() {}

void TForm1::createHandleWindows() {}

void TForm1::buildPositionGrid() {
    // Row 0 and column 0 are headings, drawn like fixed cells; the toolkit's own headers and
    // scroll bars are not shown, as the grid is exactly as large as its cells.
    sgPos->horizontalHeader()->hide();
    sgPos->verticalHeader()->hide();
    sgPos->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgPos->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
        sgPos->setItem(label.row, label.column,
                       new QTableWidgetItem(QString::fromUtf8(label.text)));
}
