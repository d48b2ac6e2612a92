#include "details/Settei.h"

#include "app/Unit1.h"
#include "app/WindowLook.h"

#include <QTableWidget>

TForm3* Form3 = nullptr;

TForm3::TForm3() : QWidget(nullptr, Qt::Window) {
    Form3 = this;
    setWindowTitle(QStringLiteral("詳細"));
    applyWindowFont(this);
    move(-1, 385);
    resize(759, 320);
    StringGrid1 = new QTableWidget(this);
    StringGrid1->setGeometry(232, 40, 505, 265);
    StringGrid1->hide();
    Form1->Button1Click();
    show();
}

TForm3::~TForm3() {
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::updMOlCb() {}

void TForm3::updHenCb() {}

void TForm3::attachNewSheet(hakoniwa::Item&) {}

void TForm3::projectReplaced() {
    backItm = nullptr;
}
