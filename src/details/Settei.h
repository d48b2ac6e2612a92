#pragma once

#include <QWidget>
#include <string>

class QTableWidget;

namespace hakoniwa {
struct Item;
}

// The details window "詳細": shows the current item's sheet beside the pick lists.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    TForm3();
    ~TForm3() override;

    // The window's own grid; never shown, its place is where the pointer is sent.
    QTableWidget* StringGrid1 = nullptr;

    int selRow = 0;
    int curCol = 0;
    int curRow = 0;
    std::string pressText;
    hakoniwa::Item* backItm = nullptr;

    // Rebuild the jump-target list and the variable lists from the project.
    void updMOlCb();
    void updHenCb();

    // Shows a newly created item's sheet in this window.
    void attachNewSheet(hakoniwa::Item& item);

    // Drops every pointer into the project, before the project is replaced.
    void projectReplaced();
};

// The details window, set before its construction runs.
extern TForm3* Form3;
