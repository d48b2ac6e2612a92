#include "WindowQueries.h"
#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "info/Unit4.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

namespace {

QStringList entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void declare(hakoniwa::Item& item, int row, std::vector<std::string> cells) {
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        item.sheet.setCell(c + 1, row, cells[c]);
}

} // namespace

using InfoWindow = WindowsFixture;

TEST_F(InfoWindow, StartsHiddenWithTheSystemVariablesListed) {
    EXPECT_EQ(Form4->windowTitle(), QStringLiteral("情報"));
    EXPECT_FALSE(Form4->isVisible());
    EXPECT_EQ(Form4->Button1->text(), QStringLiteral("更新"));
    EXPECT_EQ(Form4->CheckBox1->text(), QStringLiteral("自動"));
    EXPECT_TRUE(Form4->CheckBox1->isChecked());
    EXPECT_EQ(Form4->Label2->text(), QStringLiteral("グローバル変数一覧"));
    EXPECT_EQ(Form4->ListBox2->geometry(), QRect(8, 168, 217, 313));
    QStringList system;
    for (int i = 0; i < Form3->cbSysHen->count(); ++i)
        system << Form3->cbSysHen->itemText(i);
    EXPECT_FALSE(system.isEmpty());
    EXPECT_EQ(entries(Form4->ListBox1), system);
    EXPECT_EQ(Form4->ListBox2->count(), 0);
    EXPECT_EQ(Form4->ListBox3->count(), 0);
}

TEST_F(InfoWindow, RefreshListsItemsThenRowsThenColumns) {
    Form1->Button1Click(); // Page1
    hakoniwa::Scene& main = Form1->project.scene(0);
    hakoniwa::Item& first = main.addItem(0, 0);
    declare(first, 2, {"enemy", "x", "", "y"});
    declare(first, 3, {"2", "a jump"});
    declare(first, 4, {"nothing"});
    declare(main.addItem(0, 0), 2, {"me", "hp"});
    declare(Form1->project.scene(1).addItem(0, 0), 3, {"local", "v"});

    Form4->Button1Click();
    EXPECT_EQ(entries(Form4->ListBox2), (QStringList{"enemy[].x", "enemy[].y", "me[].hp"}));
    EXPECT_EQ(Form4->ListBox3->count(), 0); // the first scene is active

    Form1->pcScene->setCurrentIndex(1); // a change of scene refreshes too
    EXPECT_EQ(entries(Form4->ListBox3), QStringList{"local[].v"});
    EXPECT_EQ(entries(Form4->ListBox2), (QStringList{"enemy[].x", "enemy[].y", "me[].hp"}));
}

TEST_F(InfoWindow, TheViewMenuBringsItUp) {
    QAction* info = menuAction(QStringLiteral("表示"), QStringLiteral("情報"));
    ASSERT_NE(info, nullptr);
    info->trigger();
    EXPECT_TRUE(Form4->isVisible());
}
