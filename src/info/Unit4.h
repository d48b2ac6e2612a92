#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace hakoniwa {
struct VariableList;
}

// The information window "情報": the system, global and local variable names. Created
// hidden; the main window's "表示" menu brings it up.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    TForm4();
    ~TForm4() override;

    QPushButton* Button1 = nullptr; // "更新"
    QCheckBox* CheckBox1 = nullptr; // "自動": Enter in a sheet refreshes the lists
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr; // system variables
    QLabel* Label2 = nullptr;
    QListWidget* ListBox2 = nullptr; // globals of the first scene
    QLabel* Label3 = nullptr;
    QListWidget* ListBox3 = nullptr; // locals of the active scene, when it is not the first

    // "更新": refills the lists through the details window's variable list rebuild.
    void Button1Click();

    // Replaces the three lists; called by every rebuild of the variable list.
    void showVariables(const hakoniwa::VariableList& variables);
};

// The information window, set before its construction runs.
extern TForm4* Form4;
