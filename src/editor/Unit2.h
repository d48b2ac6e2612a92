#pragma once

#include "model/ItemBoxes.h"
#include "model/Scene.h"

#include <QFont>
#include <QImage>
#include <QSize>
#include <QWidget>
#include <string>

class CanvasPainter;
class ImageCanvas;

// The scene editor "エディタ": holds the editor state and the icons, creates items and
// draws the active scene on the main window's canvas. Its own window is created hidden.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    // Loads the two icons from dat/img below the main window's baseDir; a missing or
    // unreadable icon throws std::runtime_error naming the file, and start-up ends.
    TForm2();
    ~TForm2() override;

    // Editor state shared with the main and details windows. Item pointers point into the
    // main window's project and are cleared whenever the project is replaced.
    int downX = 0, downY = 0;
    int dragDX = 0, dragDY = 0;
    int lBtnDown = 0, rBtnDown = 0;
    hakoniwa::Item* selItm = nullptr;
    hakoniwa::Item* curItm = nullptr;
    hakoniwa::Item* newItm = nullptr;
    hakoniwa::Item* hdlStartItm = nullptr;
    hakoniwa::Item* hdlEndItm = nullptr;
    int hdlStartRow = -1, hdlEndRow = -1;
    int hdlDX = 0, hdlDY = 0;

    // Nothing is drawn on this window's own image; it only routes mouse events.
    ImageCanvas* img1 = nullptr;
    QImage imgSlf; // the self icon: an item that jumps to itself
    QImage imgCl;  // the call icon: a row that calls a scene

    // Appends a new item to the scene at (downX, downY).
    void addItm(hakoniwa::Scene& scene);
    // Clears the main window's canvas and draws the active scene: links, then boxes.
    void dspAllItm();
    // One item box at anchor (x, y) showing `text` (code page 932), filled with `colour`
    // (0x00BBGGRR) or, for -1, the canvas's current fill.
    void drawItmBox(CanvasPainter& canvas, int x, int y, std::string_view text, int colour);
    // The link of row `row` of `from` to `to` with its handles and self icon; with no `from`
    // the start line of `to` from the canvas origin.
    void drawLinkLine(CanvasPainter& canvas, const hakoniwa::Item* from, const hakoniwa::Item& to,
                      int row);
    // Renumbers the active scene's scene calls after an item was added to it.
    void updItemJumpNo();
    // Fits the sheet's column widths to its texts in the details window's font.
    void fitColWidths(hakoniwa::ItemSheet& sheet);

    void FormDblClick();
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FormMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);
    // Delete and 編集 > アイテムを削除: deletes the selected item after asking.
    void deleteSelItm();

    // Drops every pointer into the project, before the project is replaced.
    void projectReplaced();
    // Drops the pointers to items that are no longer in the project (after undo or redo).
    void forgetGoneItems();
    // The hover pass of a pointer move while no button is held: the topmost item under the
    // pointer becomes current and its sheet is shown.
    void hoverOver(hakoniwa::Scene& scene, int x, int y);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The mouse protocol's steps (MouseProtocol.cpp).
    void findHandles(const hakoniwa::Scene& scene, int x, int y);
    void dragTo(int x, int y);
    void moveDragged(int x, int y);
    void linkByRightDrag(hakoniwa::Scene& scene, int x, int y);
    // Shows the item's sheet again after the editor changed its cells.
    void refreshShownSheet(const hakoniwa::Item& item);
    // The topmost item whose box, as drawn on the main window's canvas, holds the pointer; -1
    // for none.
    int canvasItemAt(const hakoniwa::Scene& scene, hakoniwa::CanvasPoint pointer);

    // The item whose handles the last handle search looked at: a press that selects another
    // item must not grab rows that belong to the old selection.
    hakoniwa::Item* hdlSearchedItm = nullptr;
    // The item boxes the hit tests use, with the font and resolution they were measured in.
    hakoniwa::ItemBoxes itemBoxes_;
    QFont boxFont_;
    QSize boxDpi_;
    // Counts left presses: the moves between one press and the next are one undo step.
    quint64 dragSerial_ = 0;

    void drawLinks(CanvasPainter& canvas, const hakoniwa::Scene& scene);
    void drawBoxes(CanvasPainter& canvas, const hakoniwa::Scene& scene);
};

// The scene editor, set before its construction runs.
extern TForm2* Form2;
