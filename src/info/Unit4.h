#pragma once

#include <QWidget>

// The information window "情報": the system, global and local variable names.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4();
    ~TForm4() override;

    // "更新": refills the lists through the details window's variable list rebuild.
    void Button1Click();
};

// The information window, set before its construction runs.
extern TForm4* Form4;
