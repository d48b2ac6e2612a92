#include "editor/Unit2.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "app/WindowLook.h"
#include "details/Settei.h"
#include "editor/ImageCanvas.h"

#include <QKeyEvent>

TForm2* Form2 = nullptr;

TForm2::TForm2() : QWidget(nullptr, Qt::Window) {
    Form2 = this;
    setWindowTitle(QStringLiteral("エディタ"));
    applyWindowFont(this);
    resize(431, 333);
    img1 = new ImageCanvas(this);
    img1->setGeometry(0, 0, 431, 333);
    // Its own image routes to the same handlers as the main window's canvas.
    connect(img1, &ImageCanvas::doubleClicked, this, [this] { reported([&] { FormDblClick(); }); });
    connect(img1, &ImageCanvas::mousePressed, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
                reported([&] { FormMouseDown(b, s, x, y); });
            });
    connect(img1, &ImageCanvas::mouseMoved, this, [this](Qt::KeyboardModifiers s, int x, int y) {
        reported([&] { FormMouseMove(s, x, y); });
    });
    connect(img1, &ImageCanvas::mouseReleased, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
                reported([&] { FormMouseUp(b, s, x, y); });
            });
}

TForm2::~TForm2() {
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::addItm(hakoniwa::Scene& scene) {
    newItm = &scene.addItem(downX, downY);
    if (Form1->isLoading)
        return;
    Form3->attachNewSheet(*newItm);
    dspAllItm();
}

void TForm2::dspAllItm() {}

void TForm2::FormDblClick() {}

void TForm2::FormMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void TForm2::FormMouseMove(Qt::KeyboardModifiers, int, int) {}

void TForm2::FormMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}

void TForm2::FormKeyDown(int, Qt::KeyboardModifiers) {}

void TForm2::projectReplaced() {
    selItm = curItm = newItm = hdlStartItm = hdlEndItm = nullptr;
    hdlStartRow = hdlEndRow = -1;
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    reported([&] { FormKeyDown(event->key(), event->modifiers()); });
}
