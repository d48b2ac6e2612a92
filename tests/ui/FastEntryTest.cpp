#include "WindowsFixture.h"

#include "app/Unit1.h"
#include "details/Settei.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "model/Item.h"
#include "platform/Cp932Codec.h"
#include "platform/Launcher.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QUndoStack>

namespace {

class CountingLauncher : public hakoniwa::Launcher {
public:
    int started = 0;
    bool startDetached(const QString&, const QStringList&, const QString&) override {
        ++started;
        return true;
    }
    bool shellOpen(const QString&, const QString&) override { return false; }
};

// The details window with one item on show, filled from the keyboard alone.
class FastEntry : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        item = addCurrentItem();
        Form3->placeSheet(item, SheetPlacement::Shown);
        view = Form3->sheetView;
    }
    static void key(QWidget* target, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, code, modifiers);
        QApplication::sendEvent(target, &event);
    }
    void moveCursorTo(int column, int row) {
        view->setCurrentIndex(view->sheetModel()->index(row, column));
    }
    QPoint cursor() const { return {view->currentIndex().column(), view->currentIndex().row()}; }
    QComboBox* openCombo() const {
        for (QComboBox* combo : {Form3->cbMOl, Form3->cbMtd, Form3->cbCmp, Form3->cbHen})
            if (combo->isVisible())
                return combo;
        return nullptr;
    }
    int indexOf(const char* name) const {
        const auto& lines = Form3->definitions.instructions;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (hakoniwa::toQt(lines[i]).startsWith(QString::fromUtf8(name)))
                return static_cast<int>(i);
        return -1;
    }

    hakoniwa::Item* item = nullptr;
    SheetView* view = nullptr;
};

} // namespace

// Enter in an entry opened from the keyboard commits and opens the next cell of the row, then
// column 1 of the next row; a pointer-opened entry only commits.
TEST_F(FastEntry, EnterGoesOnToTheNextCellToFill) {
    moveCursorTo(1, 2);
    key(view, Qt::Key_Return);
    ASSERT_EQ(openCombo(), Form3->cbMOl);
    Form3->cbMOl->setCurrentIndex(0); // 命令
    key(Form3->cbMOl, Qt::Key_Return);
    EXPECT_EQ(item->sheet.cell(1, 2), "0");
    ASSERT_EQ(openCombo(), Form3->cbMtd);
    Form3->cbMtd->setCurrentIndex(indexOf("代入-"));
    key(Form3->cbMtd, Qt::Key_Return);
    EXPECT_EQ(cursor(), QPoint(3, 2));
    ASSERT_EQ(openCombo(), Form3->cbHen);
    Form3->cbHen->setEditText("x");
    key(Form3->cbHen, Qt::Key_X);
    key(Form3->cbHen, Qt::Key_Return);
    EXPECT_EQ(cursor(), QPoint(4, 2));
    key(Form3->cbHen, Qt::Key_Return); // nothing chosen: the cell stays empty
    EXPECT_EQ(item->sheet.cell(4, 2), "");
    EXPECT_EQ(cursor(), QPoint(1, 3));
    EXPECT_EQ(openCombo(), Form3->cbMOl);
    // Going on through a filled row keeps its target when none is chosen.
    item->sheet.setCell(1, 3, "1");
    key(Form3->cbMOl, Qt::Key_Return);
    EXPECT_EQ(item->sheet.cell(1, 3), "1");
    EXPECT_EQ(cursor(), QPoint(2, 3));
    key(Form3->cbCmp, Qt::Key_Escape);

    // A file argument is filled in its dialog, and Enter goes on past it.
    item->sheet.setCell(1, 4, "0");
    item->sheet.setCell(2, 4, Form3->definitions.instructions.at(indexOf("画像表示-")));
    dialogs->openName = QStringLiteral("/elsewhere/hero.png");
    key(Form3->cbCmp, Qt::Key_Escape);
    moveCursorTo(3, 4);
    key(view, Qt::Key_Return);
    key(Form3->cbHen, Qt::Key_Return);
    EXPECT_EQ(item->sheet.cell(4, 4), "/elsewhere/hero.png");
    EXPECT_EQ(cursor(), QPoint(5, 4));
    EXPECT_EQ(openCombo(), Form3->cbHen);
    key(Form3->cbHen, Qt::Key_Escape);

    // Opened by the pointer, Enter commits and stays.
    const QPoint at = view->visualRect(view->sheetModel()->index(2, 2)).center();
    Form3->StringGrid1MouseDown(Qt::RightButton, at.x(), at.y());
    ASSERT_EQ(openCombo(), Form3->cbMtd);
    Form3->cbMtd->setCurrentIndex(indexOf("代入-"));
    key(Form3->cbMtd, Qt::Key_Return);
    EXPECT_EQ(openCombo(), nullptr);
}

TEST_F(FastEntry, CtrlEnterInsertsAnEmptyRowBelowAsOneStep) {
    item->sheet.setCell(1, 2, "0");
    item->sheet.setCell(1, 3, "1");
    const int rows = item->sheet.rowCount();
    const int steps = Form1->undoStack->index();
    moveCursorTo(2, 2);
    key(view, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(item->sheet.rowCount(), rows + 1);
    EXPECT_EQ(item->sheet.cell(1, 3), "");
    EXPECT_EQ(item->sheet.cell(1, 4), "1");
    EXPECT_EQ(Form1->undoStack->index(), steps + 1);
    EXPECT_EQ(cursor(), QPoint(1, 3));
    ASSERT_EQ(openCombo(), Form3->cbMOl);

    // From an open entry too; then one undo takes each row back out.
    key(Form3->cbMOl, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(item->sheet.rowCount(), rows + 2);
    EXPECT_EQ(cursor(), QPoint(1, 4));
    while (Form1->undoStack->index() > steps)
        Form1->undoStack->undo();
    EXPECT_EQ(item->sheet.rowCount(), rows);
    EXPECT_EQ(item->sheet.cell(1, 3), "1");
}

TEST_F(FastEntry, F5RunsFromTheDetailsWindow) {
    auto launcher = std::make_unique<CountingLauncher>();
    CountingLauncher* counting = launcher.get();
    hakoniwa::Launcher::install(std::move(launcher));
    Form1->show(); // as at start-up: the main window holds the shortcut
    Form3->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form3));
    QTest::keyClick(Form3->sheetView, Qt::Key_F5);
    EXPECT_EQ(counting->started, 1);
    hakoniwa::Launcher::install(nullptr);
}

// The run script ends the player it started last before it starts the next one.
TEST_F(FastEntry, TheRunScriptEndsTheLastRunsPlayer) {
    const QString bin = scratch.filePath("bin");
    QDir().mkpath(bin);
    QFile player(bin + "/hakoniwa-player");
    ASSERT_TRUE(player.open(QIODevice::WriteOnly));
    player.write("#!/bin/sh\necho $$ >> \"$(dirname \"$0\")/pids\"\nwhile :; do sleep 0.1; done\n");
    player.close();
    player.setPermissions(player.permissions() | QFileDevice::ExeOwner);
    const auto run = [&] {
        QProcess script;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HAKONIWA_BIN_DIR", bin);
        script.setProcessEnvironment(environment);
        script.setWorkingDirectory(scratch.path());
        script.start("/bin/sh", {scratch.filePath("dat/bat/run.sh")});
        ASSERT_TRUE(script.waitForFinished(10000));
    };
    const auto pids = [&] {
        QElapsedTimer waited;
        waited.start();
        QStringList lines;
        while (waited.elapsed() < 5000) {
            QFile file(bin + "/pids");
            if (file.open(QIODevice::ReadOnly))
                lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
            if (lines.size() >= 1)
                break;
            QThread::msleep(20);
        }
        return lines;
    };
    // A process that ended but was not yet reaped counts as ended.
    const auto alive = [](const QString& pid) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        return !fields.mid(fields.lastIndexOf(')') + 2, 1).startsWith('Z');
    };
    run();
    const QStringList first = pids();
    ASSERT_EQ(first.size(), 1);
    run();
    QElapsedTimer waited;
    waited.start();
    QStringList both;
    while (both.size() < 2 && waited.elapsed() < 5000) {
        QFile file(bin + "/pids");
        if (file.open(QIODevice::ReadOnly))
            both = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        QThread::msleep(20);
    }
    ASSERT_EQ(both.size(), 2);
    EXPECT_FALSE(alive(first[0]));
    EXPECT_TRUE(alive(both[1]));
    QProcess::execute("kill", {both[1]});
}
