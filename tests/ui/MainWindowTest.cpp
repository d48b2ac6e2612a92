#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "model/Texts.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

using hakoniwa::toQt;

namespace {

QStringList tabCaptions() {
    QStringList captions;
    for (int i = 0; i < Form1->pcScene->count(); ++i)
        captions << Form1->pcScene->tabText(i);
    return captions;
}

} // namespace

using MainWindow = WindowsFixture;

TEST_F(MainWindow, StartsWithTheSceneMain) {
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム"));
    EXPECT_EQ(tabCaptions(), QStringList{QStringLiteral("メイン")});
    EXPECT_EQ(Form1->pcScene->currentIndex(), 0);
    ASSERT_EQ(Form1->project.sceneCount(), 1);
    EXPECT_EQ(toQt(Form1->project.scene(0).nodeText), QStringLiteral("メインtv"));
    EXPECT_EQ(Form1->lastScene, &Form1->project.scene(0));
    EXPECT_FALSE(Form1->isLoading);
    // 詳細 starts below the main window and its status bar, as far as the screen allows.
    const QRect screen = Form1->screen()->availableGeometry();
    EXPECT_GE(Form3->y(), std::min(Form1->geometry().bottom(), screen.bottom() - Form3->height()));
    EXPECT_LE(Form3->geometry().bottom(), screen.bottom());
}

TEST_F(MainWindow, AddedScenesAreNumberedAndDoNotTakeTheFocus) {
    Form1->Button1Click();
    Form1->Button1Click();
    Form1->Button1Click();
    EXPECT_EQ(tabCaptions(), (QStringList{QStringLiteral("メイン"), "Page1", "Page2", "Page3"}));
    EXPECT_EQ(Form1->pcScene->currentIndex(), 0);
    EXPECT_EQ(Form1->project.activeIndex(), 0);

    Form1->N6Click();
    EXPECT_EQ(tabCaptions(), QStringList{QStringLiteral("メイン")});
    Form1->Button1Click();
    EXPECT_EQ(tabCaptions(), (QStringList{QStringLiteral("メイン"), "Page1"}));
}

TEST_F(MainWindow, RenameChangesOnlyTheCaptionAndRefusesNamesTheFileCannotCarry) {
    Form1->Button1Click();
    Form1->pcScene->setCurrentIndex(1);
    Form1->Edit1->setText("Title");
    Form1->Edit1KeyDown(Qt::Key_A);
    EXPECT_EQ(Form1->pcScene->tabText(1), "Page1");
    Form1->Edit1KeyDown(Qt::Key_Return);
    EXPECT_EQ(Form1->pcScene->tabText(1), "Title");
    EXPECT_EQ(Form1->project.scene(1).caption, "Title");
    EXPECT_EQ(Form1->project.scene(1).nodeText, "Page1tv");

    for (const QString& bad : {QString(), QStringLiteral("\tx"), QStringLiteral("[itm]"),
                               QStringLiteral("[/scene_headder]")}) {
        Form1->Edit1->setText(bad);
        Form1->Edit1KeyDown(Qt::Key_Return);
        EXPECT_EQ(Form1->pcScene->tabText(1), "Title") << bad.toStdString();
        EXPECT_FALSE(Form1->statusBar()->currentMessage().isEmpty());
    }

    // The first scene always reads back as "メイン": its rename is refused and the status bar
    // says why.
    Form1->pcScene->setCurrentIndex(0);
    Form1->Edit1->setText("Title");
    Form1->Edit1KeyDown(Qt::Key_Return);
    EXPECT_EQ(Form1->pcScene->tabText(0), QStringLiteral("メイン"));
    EXPECT_TRUE(Form1->statusBar()->currentMessage().contains(QStringLiteral("メイン")));
}

TEST_F(MainWindow, CanvasKeepsItsMarginsAndHasTheKeyboardFirst) {
    Form1->show();
    QApplication::processEvents();
    const QWidget* client = Form1->centralWidget();
    EXPECT_EQ(client->size(), QSize(474, 359));
    EXPECT_EQ(Form1->img1->geometry(), QRect(104, 56, 368, 299));
    Form1->resize(Form1->width() + 100, Form1->height() + 50);
    QApplication::processEvents();
    EXPECT_EQ(Form1->img1->geometry(), QRect(104, 56, 468, 349));
    EXPECT_EQ(QApplication::focusWidget() == Form1->Edit1, false);
}

TEST_F(MainWindow, EnterTypedIntoTheNameBoxRenamesTheActiveScene) {
    Form1->Button1Click();
    Form1->pcScene->setCurrentIndex(1);
    Form1->Edit1->setText(QStringLiteral("敵の城"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(Form1->Edit1, &enter);
    EXPECT_EQ(Form1->pcScene->tabText(1), QStringLiteral("敵の城"));
    EXPECT_EQ(toQt(Form1->project.scene(1).caption), QStringLiteral("敵の城"));
    EXPECT_EQ(Form1->pcScene->tabText(0), QStringLiteral("メイン"));
}

TEST_F(MainWindow, DuplicateCopiesEveryCellOfEveryItem) {
    hakoniwa::Scene& source = Form1->project.scene(0);
    Form2->downX = 10;
    Form2->downY = 20;
    Form2->addItm(source);
    Form2->downX = 50;
    Form2->downY = 60;
    Form2->addItm(source);
    source.item(1).sheet.setCell(4, 1, "label");
    source.item(1).sheet.setCell(1, 6, "2");
    source.item(1).sheet.addColumn();
    Form1->memoOf(&source)->setPlainText("memo");

    Form1->Button3Click();

    ASSERT_EQ(Form1->project.sceneCount(), 2);
    EXPECT_EQ(tabCaptions().last(), "Page1");
    EXPECT_EQ(Form1->pcScene->currentIndex(), 1);
    const hakoniwa::Scene& copy = Form1->project.scene(1);
    ASSERT_EQ(copy.itemCount(), 2);
    for (int j = 0; j < 2; ++j) {
        const hakoniwa::ItemSheet& a = source.item(j).sheet;
        const hakoniwa::ItemSheet& b = copy.item(j).sheet;
        ASSERT_EQ(a.rowCount(), b.rowCount());
        ASSERT_EQ(a.columnCount(), b.columnCount());
        for (int r = 0; r < a.rowCount(); ++r)
            for (int c = 0; c < a.columnCount(); ++c)
                EXPECT_EQ(a.cell(c, r), b.cell(c, r)) << j << ":" << c << "," << r;
    }
    EXPECT_TRUE(copy.memo.empty());
    EXPECT_TRUE(Form1->memoOf(&copy)->toPlainText().isEmpty());
    EXPECT_EQ(Form1->project.scene(0).memo, std::vector<std::string>{"memo"});
}

TEST_F(MainWindow, OnlyTheActiveScenesMemoShows) {
    Form1->Button1Click();
    Form1->Button1Click();
    Form1->show();
    auto visibleMemos = [] {
        std::vector<int> shown;
        for (int i = 0; i < Form1->project.sceneCount(); ++i)
            if (Form1->memoOf(&Form1->project.scene(i))->isVisible())
                shown.push_back(i);
        return shown;
    };
    EXPECT_EQ(visibleMemos(), std::vector<int>{0});
    Form1->pcScene->setCurrentIndex(2);
    EXPECT_EQ(Form1->project.activeIndex(), 2);
    EXPECT_EQ(visibleMemos(), std::vector<int>{2});
    QPlainTextEdit* memo = Form1->memoOf(&Form1->project.scene(2));
    EXPECT_EQ(memo->geometry(), QRect(0, Form1->pcScene->y() + Form1->pcScene->height(), 100, 150));
}

TEST_F(MainWindow, MiddlePressSendsThePointerToTheDetailsGrid) {
    pointer->at = QPoint(321, 123);
    Form1->img1MouseDown(Qt::LeftButton, {}, 5, 5);
    EXPECT_EQ(pointer->at, QPoint(321, 123));
    Form1->img1MouseDown(Qt::MiddleButton, {}, 5, 5);
    EXPECT_EQ(Form1->cursorBack, QPoint(321, 123));
    EXPECT_EQ(pointer->at, QPoint(Form3->x() + Form3->StringGrid1->x() + 100,
                                  Form3->y() + Form3->StringGrid1->y() + 40));
}

TEST_F(MainWindow, FailureInAddSceneKeepsTheAttachedTabAndNamesTheHandler) {
    Form1->afterTabAttachedForTest = [] { throw std::runtime_error("forced"); };
    Form1->Button1Click();
    Form1->afterTabAttachedForTest = nullptr;
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム 例外:124TForm1::Button1Click *"));
    EXPECT_EQ(tabCaptions(), (QStringList{QStringLiteral("メイン"), "Page1"}));
    // The program carries on: the next scene is added normally.
    Form1->Button1Click();
    EXPECT_EQ(Form1->pcScene->count(), 3);
}

TEST_F(MainWindow, ExitEndsTheProgramWhileOtherWindowsAreOpen) {
    Form1->show();
    Form3->show();
    bool ended = true;
    QTimer::singleShot(0, Form1, [] { Form1->N7Click(); });
    QTimer::singleShot(3000, Form1, [&ended] {
        ended = false;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_TRUE(ended);
}
