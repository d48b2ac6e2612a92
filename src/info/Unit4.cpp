#include "info/Unit4.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "app/WindowLook.h"
#include "details/Settei.h"
#include "model/VariableList.h"
#include "platform/Cp932Codec.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TForm4* Form4 = nullptr;

namespace {

QLabel* makeTitle(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QListWidget* makeList(QWidget* parent, const QRect& geometry) {
    auto* list = new QListWidget(parent);
    list->setGeometry(geometry);
    return list;
}

void refill(QListWidget* list, const std::vector<std::string>& entries) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const std::string& entry : entries)
        texts << hakoniwa::toQt(entry);
    list->clear();
    list->addItems(texts); // one insertion for the view, not one per entry
}

} // namespace

TForm4::TForm4() : QWidget(nullptr, Qt::Window) {
    Form4 = this;
    setWindowTitle(QStringLiteral("情報"));
    applyWindowFont(this);
    setGeometry(777, 38, 248, 693);

    Button1 = new QPushButton(QStringLiteral("更新"), this);
    Button1->setGeometry(16, 8, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    CheckBox1 = new QCheckBox(QStringLiteral("自動"), this);
    CheckBox1->setGeometry(96, 16, 57, 17);
    CheckBox1->setChecked(true);

    Label1 = makeTitle(this, QStringLiteral("システム変数一覧"), 8, 48);
    ListBox1 = makeList(this, QRect(8, 64, 217, 81));
    Label2 = makeTitle(this, QStringLiteral("グローバル変数一覧"), 8, 152);
    ListBox2 = makeList(this, QRect(8, 168, 217, 313));
    Label3 = makeTitle(this, QStringLiteral("ローカル変数一覧"), 16, 496);
    ListBox3 = makeList(this, QRect(16, 520, 217, 121));

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

void TForm4::showVariables(const hakoniwa::VariableList& variables) {
    refill(ListBox1, variables.systemList);
    refill(ListBox2, variables.globalList);
    refill(ListBox3, variables.localList);
}
