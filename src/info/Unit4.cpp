#include "info/Unit4.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "app/WindowLook.h"
#include "details/Settei.h"

TForm4* Form4 = nullptr;

TForm4::TForm4() : QWidget(nullptr, Qt::Window) {
    Form4 = this;
    setWindowTitle(QStringLiteral("情報"));
    applyWindowFont(this);
    setGeometry(777, 38, 248, 693);
    Button1Click();
    Form1->pcSceneChange();
}

TForm4::~TForm4() {
    if (Form4 == this)
        Form4 = nullptr;
}

void TForm4::Button1Click() {
    guarded(handler("TForm4::Button1Click"), [&] { Form3->updHenCb(); });
}
