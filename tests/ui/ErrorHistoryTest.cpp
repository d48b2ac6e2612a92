#include "WindowQueries.h"
#include "WindowsFixture.h"

#include "app/ErrorHistory.h"
#include "app/ErrorLog.h"
#include "app/Guarded.h"
#include "app/Unit1.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <stdexcept>

namespace {} // namespace

using ErrorHistoryWindow = WindowsFixture;

TEST_F(ErrorHistoryWindow, ListsEachFailureNewestFirstWhileOpen) {
    errorLog().clear();
    Form1->afterTabAttachedForTest = [] { throw std::runtime_error("forced"); };
    Form1->Button1Click();
    Form1->Button1Click();
    Form1->afterTabAttachedForTest = nullptr;
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム 例外:124TForm1::Button1Click *"));
    ASSERT_EQ(errorLog().entries().size(), 1u); // the repeat is counted, not listed again

    QAction* open = menuAction(QStringLiteral("表示"), QStringLiteral("エラー履歴"));
    ASSERT_NE(open, nullptr);
    open->trigger();
    auto* window = Form1->findChild<ErrorHistory*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("エラー履歴"));
    ASSERT_EQ(window->list->topLevelItemCount(), 1);
    const QString time =
        errorLog().entries().front().time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(rowTexts(window->list, 0), (QStringList{time + QStringLiteral(" (2回)"), "124",
                                                      "TForm1::Button1Click", "forced"}));

    // A failure without a number, shown in a message box, joins the open list on top.
    reported([] { throw std::runtime_error("no number"); });
    EXPECT_EQ(dialogs->errors, QStringList{"no number"});
    ASSERT_EQ(window->list->topLevelItemCount(), 2);
    EXPECT_EQ(rowTexts(window->list, 0).mid(1), (QStringList{"", "", "no number"}));
    EXPECT_EQ(rowTexts(window->list, 1)[1], "124");

    open->trigger(); // brings the same window back
    EXPECT_EQ(Form1->findChildren<ErrorHistory*>().size(), 1);

    // A long message is shown whole, on more lines.
    QString longMessage = QStringLiteral("書き込めません: ");
    for (int i = 0; i < 12; ++i)
        longMessage += QStringLiteral("とても長い名前のフォルダー ");
    reported([&] { throw std::runtime_error(longMessage.toStdString()); });
    QCoreApplication::processEvents();
    window->list->doItemsLayout();
    const int tall = window->list->visualItemRect(window->list->topLevelItem(0)).height();
    const int short_ = window->list->visualItemRect(window->list->topLevelItem(1)).height();
    EXPECT_GE(tall, 2 * short_);
    EXPECT_EQ(window->list->topLevelItem(0)->text(3), longMessage);
}
