#pragma once

#include "model/Scene.h"

#include <QImage>
#include <QWidget>

class ImageCanvas;

// The scene editor "エディタ": holds the editor state and the icons, creates items and
// draws the active scene on the main window's canvas. Its own window is created hidden.
class TForm2 : public QWidget {
    Q_OBJECT
public:
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

    ImageCanvas* img1 = nullptr;
    QImage imgSlf;
    QImage imgCl;

    // Appends a new item to the scene at (downX, downY).
    void addItm(hakoniwa::Scene& scene);
    // Clears the canvas and draws the active scene.
    void dspAllItm();

    void FormDblClick();
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FormMouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

    // Drops every pointer into the project, before the project is replaced.
    void projectReplaced();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The scene editor, set before its construction runs.
extern TForm2* Form2;
