#include "app/Unit1.h"

#include "app/AssetsWindow.h"
#include "app/ErrorHistory.h"
#include "app/GameExportMenu.h"
#include "app/Guarded.h"
#include "app/HelpMenu.h"
#include "app/Keys.h"
#include "app/ProjectFile.h"
#include "app/ProblemsWindow.h"
#include "app/RecentFiles.h"
#include "app/UndoSteps.h"
#include "app/WindowLook.h"
#include "details/HelpPane.h"
#include "details/Settei.h"
#include "editor/ImageCanvas.h"
#include "editor/Unit2.h"
#include "handles/Unit5.h"
#include "info/Unit4.h"
#include "model/SceneName.h"
#include "model/TextOps.h"
#include "platform/Cp932Codec.h"
#include "platform/DataPaths.h"
#include "platform/Dialogs.h"
#include "platform/Pointer.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>

using hakoniwa::fromQt;
using hakoniwa::toQt;

TForm1* Form1 = nullptr;

namespace {

// Design client size; the anchored controls keep their distance to the right and bottom.
constexpr int kClientWidth = 474;
constexpr int kClientHeight = 359;

void bringToFront(QWidget* window) {
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

TForm1::TForm1() {
    Form1 = this;
    setWindowTitle(QStringLiteral("システム"));
    applyWindowFont(this);
    buildControls();
    buildMenu();
    baseDir = hakoniwa::DataPaths::findBaseDir();
    createHandleWindows();
    buildPositionGrid();
    lastScene = nullptr;
    // The design puts the frame at top -13; without a window manager that would hide the
    // menu bar above the screen, so the window starts at the top edge instead.
    move(1, 0);
    // The status bar says why a scene name was refused; it lies below the client area.
    statusBar()->setSizeGripEnabled(false);
    resize(kClientWidth,
           kClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    // The canvas has the keyboard first, so Enter reaches the scene editor; the name box
    // takes Enter only once the user has put the focus there.
    img1->setFocus();
}

TForm1::~TForm1() {
    // The undo history is a child and would go after the members: its commands point into the
    // project, and on the way out it reports its clean state to a half-destroyed window. It
    // goes first, while the window is whole, with nothing left to update.
    if (undoStack) {
        disconnect(undoStack, nullptr, this, nullptr);
        delete undoStack;
        undoStack = nullptr;
    }
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::buildControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);

    Edit1 = new QLineEdit(QStringLiteral("Edit1"), client);
    Edit1->setGeometry(0, 0, 121, 20);
    Edit1->installEventFilter(this);

    Button2 = new QPushButton(QStringLiteral("実行"), client);
    Button2->setGeometry(128, 0, 41, 25);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    // F5 runs from every window of the editor.
    auto* run = new QAction(this);
    run->setShortcut(QKeySequence(Qt::Key_F5));
    run->setShortcutContext(Qt::ApplicationShortcut);
    connect(run, &QAction::triggered, this, [this] { Button2Click(); });
    addAction(run);
    Button2->setToolTip(QStringLiteral("実行 (F5)"));

    Button1 = new QPushButton(QStringLiteral("シーン追加"), client);
    Button1->setGeometry(184, 0, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    Button3 = new QPushButton(QStringLiteral("シーン複製"), client);
    Button3->setGeometry(288, 0, 75, 25);
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

    pcScene = new QTabBar(client);
    pcScene->setGeometry(0, 24, 467, 25);
    pcScene->setExpanding(false);
    pcScene->setDrawBase(true);
    connect(pcScene, &QTabBar::currentChanged, this, [this](int index) {
        if (syncingTabs_ || index < 0)
            return;
        reported([&] { project.setActiveIndex(index); });
        pcSceneChange();
    });

    img1 = new ImageCanvas(client);
    img1->setGeometry(104, 56, 368, 299);
    connect(img1, &ImageCanvas::doubleClicked, this, [this] { img1DblClick(); });
    connect(img1, &ImageCanvas::mousePressed, this, &TForm1::img1MouseDown);
    connect(img1, &ImageCanvas::mouseMoved, this, &TForm1::img1MouseMove);
    connect(img1, &ImageCanvas::mouseReleased, this, &TForm1::img1MouseUp);

    sgPos = new QTableWidget(5, 3, client);
    sgPos->setGeometry(0, 224, 105, 129);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TForm1::buildMenu() {
    undoStack = new QUndoStack(this);
    connect(undoStack, &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    N1 = menuBar()->addMenu(QStringLiteral("ファイル"));
    N6 = N1->addAction(QStringLiteral("新規"), this, [this] { N6Click(); });
    N1->addAction(QStringLiteral("テンプレートから新規"), this, [this] { newFromTemplate(); });
    N1->addSeparator();
    N2 = N1->addAction(QStringLiteral("開く"), this, [this] { N2Click(); });
    recentMenu = N1->addMenu(QStringLiteral("最近使ったファイル"));
    connect(recentMenu, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    N1->addSeparator();
    N3 = N1->addAction(QStringLiteral("保存"), this, [this] { N3Click(); });
    saveAction = N1->addAction(QStringLiteral("上書き保存"), this, [this] { saveClick(); });
    saveAsAction = N1->addAction(QStringLiteral("名前を付けて保存"), this,
                                 [this] { reported([&] { saveAs(); }); });
    addExportMenu(N1, *this);
    N1->addSeparator();
    N7 = N1->addAction(QStringLiteral("終了"), this, [this] { N7Click(); });
    // Reachable from every window of the editor, as undo is.
    const std::pair<QAction*, QKeySequence> shortcuts[] = {
        {N6, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {N2, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {saveAction, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {saveAsAction, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {N7, QKeySequence(Qt::CTRL | Qt::Key_Q)}};
    for (const auto& [action, keys] : shortcuts) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::ApplicationShortcut);
    }

    // Undo and redo reach from every window, unless a text box being typed in takes the keys.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集"));
    QAction* undo = undoAction_ = undoStack->createUndoAction(this);
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = redoAction_ = undoStack->createRedoAction(this);
    // "元に戻す: アイテムの移動", or the bare word while there is nothing to take back.
    const auto name = [](QAction* action, const QString& word, const QString& step) {
        action->setText(step.isEmpty() ? word : word + QStringLiteral(": ") + step);
    };
    connect(undoStack, &QUndoStack::undoTextChanged, undo,
            [=](const QString& step) { name(undo, QStringLiteral("元に戻す"), step); });
    connect(undoStack, &QUndoStack::redoTextChanged, redo,
            [=](const QString& step) { name(redo, QStringLiteral("やり直し"), step); });
    name(undo, QStringLiteral("元に戻す"), QString());
    name(redo, QStringLiteral("やり直し"), QString());
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::ApplicationShortcut);
        edit->addAction(action);
    }
    edit->addSeparator();
    edit->addAction(QStringLiteral("アイテムを削除"), this,
                    [] { reported([] { Form2->deleteSelItm(); }); });
    edit->addAction(QStringLiteral("シーンを削除"), this,
                    [this] { reported([&] { deleteActiveScene(); }); });

    // The other windows can be closed; this menu brings each back to the front.
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示"));
    view->addAction(QStringLiteral("詳細"), this, [] { bringToFront(Form3); });
    view->addAction(QStringLiteral("エディタ"), this, [] { bringToFront(Form2); });
    view->addAction(QStringLiteral("情報"), this, [] { bringToFront(Form4); });
    view->addAction(QStringLiteral("エラー履歴"), this, [this] { showErrorHistory(this); });
    view->addAction(QStringLiteral("問題"), this, [this] { showProblems(*this); });
    // The help of the instruction being chosen, from every window.
    QAction* helpPane = view->addAction(QStringLiteral("説明"), this,
                                        [] { reported([] { Form3->helpPane->bringForward(); }); });
    helpPane->setShortcut(QKeySequence(Qt::Key_F1));
    helpPane->setShortcutContext(Qt::ApplicationShortcut);
    view->addAction(QStringLiteral("素材"), this, [this] { reported([&] { showAssetsWindow(this); }); });
    addHelpMenu(this, baseDir);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QWidget* client = centralWidget();
    if (!client || !pcScene)
        return;
    // pcScene is anchored left, top and right; img1 on all four sides: both keep their right
    // (and img1 its bottom) margin of the design size.
    pcScene->resize(qMax(0, client->width() - (kClientWidth - 467)), 25);
    img1->resize(qMax(1, client->width() - img1->x() - (kClientWidth - 104 - 368)),
                 qMax(1, client->height() - img1->y() - (kClientHeight - 56 - 299)));
}

// ---- scenes ---------------------------------------------------------------------------

void TForm1::Button1Click() {
    guarded(handler("TForm1::Button1Click"),
            [&] { recordEdit(QStringLiteral("シーンの追加"), [&] { addScene(); }); });
}

void TForm1::addScene() {
    const bool firstScene = project.sceneCount() == 0;
    hakoniwa::Scene& scene = project.addScene();
    syncingTabs_ = true;
    pcScene->addTab(toQt(scene.caption));
    if (firstScene)
        pcScene->setCurrentIndex(0);
    syncingTabs_ = false;
    if (afterTabAttachedForTest)
        afterTabAttachedForTest();
    memos_.push_back({&scene, createMemo(scene)});
    lastScene = &scene;
    Form3->updMOlCb();
    if (Form4)
        pcSceneChange();
}

QPlainTextEdit* TForm1::createMemo(hakoniwa::Scene& scene) {
    auto* memo = new QPlainTextEdit(centralWidget());
    memo->setPlainText(toQt(hakoniwa::joinMemo(scene.memo)));
    memo->setGeometry(0, pcScene->y() + pcScene->height(), 100, 150);
    memo->setVisible(!isLoading);
    // Memo edits are steps of the project's undo stack like every other change, so the memo
    // keeps no undo of its own and leaves the undo keys to the 編集 menu.
    memo->setUndoRedoEnabled(false);
    memo->installEventFilter(this);
    connect(memo, &QPlainTextEdit::textChanged, this,
            [this, scene = &scene, memo] { memoEdited(scene, memo); });
    return memo;
}

QPlainTextEdit* TForm1::memoOf(const hakoniwa::Scene* scene) const {
    for (const SceneMemo& entry : memos_)
        if (entry.scene == scene)
            return entry.memo;
    return nullptr;
}

void TForm1::memoEdited(hakoniwa::Scene* scene, QPlainTextEdit* memo) {
    if (restoringMemos_)
        return;
    reported([&] {
        bool lossy = false;
        const std::string bytes = hakoniwa::Cp932Codec::encode(memo->toPlainText(), &lossy);
        std::vector<std::string> lines = hakoniwa::splitMemo(bytes);
        if (lines != scene->memo) {
            // A pause of two seconds, or another memo, begins a new undo step.
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            if (scene != memoBurstScene_ || now - lastMemoEditMs_ > 2000)
                ++memoBurst_;
            memoBurstScene_ = scene;
            lastMemoEditMs_ = now;
            std::vector<std::string> before = std::exchange(scene->memo, lines);
            undoStack->push(
                new MemoCommand(*scene, std::move(before), std::move(lines), memoBurst_));
        }
        if (lossy) // show at once what will be saved
            replaceTextKeepingCursor(memo, toQt(bytes));
    });
}

void TForm1::Edit1KeyDown(int key) {
    guarded(handler("TForm1::Edit1KeyDown"), [&] {
        if (!isEnterKey(key))
            return;
        hakoniwa::Scene* scene = project.activeScene();
        if (!scene)
            return;
        std::string name = fromQt(Edit1->text());
        // A name the project file cannot carry back would be lost or scramble every later
        // scene at the next open; say so instead of taking it.
        switch (hakoniwa::checkSceneRename(project.activeIndex(), name)) {
        case hakoniwa::SceneRename::FirstSceneFixed:
            statusBar()->showMessage(QStringLiteral("最初のシーンの名前は「メイン」のままです"));
            return;
        case hakoniwa::SceneRename::NotStorable:
            statusBar()->showMessage(QStringLiteral("この名前はファイルに保存できません"));
            return;
        case hakoniwa::SceneRename::Allowed:
            break;
        }
        statusBar()->clearMessage();
        recordEdit(QStringLiteral("シーン名の変更"),
                   [&] { hakoniwa::ChangeLog::assign(scene->caption, std::move(name)); });
        pcScene->setTabText(project.activeIndex(), toQt(scene->caption));
    });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QPlainTextEdit*>(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (const QAction* action : {undoAction_, redoAction_})
            if (action->shortcuts().contains(QKeySequence(key->keyCombination())))
                return true; // not taken by the memo: the shortcut goes to the action
    }
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        Edit1KeyDown(key);
        // Enter renames and ends there; it must not reach the window as a canvas key.
        if (isEnterKey(key))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::pcSceneChange() {
    guarded(handler("TForm1::pcSceneChange"), [&] {
        // A combo open on a sheet belongs to the scene shown before.
        Form3->closeEditorCombos();
        Form2->dspAllItm();
        Form2->selItm = nullptr;
        Form3->updMOlCb();
        Form3->updHenCb();
        const hakoniwa::Scene* active = project.activeScene();
        // The details window keeps the last shown sheet only while its item is on show.
        const hakoniwa::Item* shown = Form3->shownItem();
        if (shown && (!active || active->indexOf(shown) < 0))
            Form3->placeSheet(nullptr, SheetPlacement::Shown);
        for (const SceneMemo& entry : memos_)
            entry.memo->setVisible(entry.scene == active);
    });
}

void TForm1::Button3Click() {
    reported([&] { recordEdit(QStringLiteral("シーンの複製"), [&] { duplicateScene(); }); });
}

void TForm1::duplicateScene() {
    const int active = project.activeIndex();
    if (active < 0)
        return;
    const hakoniwa::Scene* source = &project.scene(active);
    const int scenesBefore = project.sceneCount();
    Button1Click();
    // Add scene reports its own failure; without a new scene there is nothing to fill.
    if (project.sceneCount() == scenesBefore)
        return;
    project.setActiveIndex(project.sceneCount() - 1);
    syncActiveTab();
    hakoniwa::Scene& copy = project.scene(project.sceneCount() - 1);
    for (int j = 0; j < source->itemCount(); ++j)
        Form2->addItm(copy);
    for (int j = 0; j < source->itemCount(); ++j)
        copy.item(j).sheet.replaceWith(source->item(j).sheet);
    // The change of scene brings lists, selection and memo in line with the new tab.
    pcSceneChange();
}

void TForm1::clrAllScene() {
    Form2->projectReplaced();
    Form3->projectReplaced();
    // The scenes are freed, not kept hidden, so nothing may point at them any more.
    lastScene = nullptr;
    project.clear();
    rebuildSceneWidgets();
}

void TForm1::rebuildSceneWidgets() {
    syncingTabs_ = true;
    while (pcScene->count() > 0)
        pcScene->removeTab(pcScene->count() - 1);
    for (const SceneMemo& entry : memos_)
        entry.memo->deleteLater();
    memos_.clear();
    for (int i = 0; i < project.sceneCount(); ++i) {
        hakoniwa::Scene& scene = project.scene(i);
        pcScene->addTab(toQt(scene.caption));
        memos_.push_back({&scene, createMemo(scene)});
    }
    syncingTabs_ = false;
    syncActiveTab();
}

void TForm1::projectRestored() {
    reported([&] {
        Form2->forgetGoneItems();
        Form3->forgetGoneItems();
        if (lastScene && project.indexOf(lastScene) < 0)
            lastScene =
                project.sceneCount() > 0 ? &project.scene(project.sceneCount() - 1) : nullptr;
        bool sameScenes = static_cast<int>(memos_.size()) == project.sceneCount();
        for (int i = 0; sameScenes && i < project.sceneCount(); ++i)
            sameScenes = memos_[i].scene == &project.scene(i);
        if (sameScenes) {
            // Captions and memo texts put back in place; the memo keeps its widget.
            restoringMemos_ = true;
            for (int i = 0; i < project.sceneCount(); ++i) {
                pcScene->setTabText(i, toQt(project.scene(i).caption));
                const QString text = toQt(hakoniwa::joinMemo(project.scene(i).memo));
                if (memos_[i].memo->toPlainText() != text)
                    replaceTextKeepingCursor(memos_[i].memo, text);
            }
            restoringMemos_ = false;
            syncActiveTab();
        } else {
            rebuildSceneWidgets();
        }
        Form3->refreshSheet();
        pcSceneChange();
    });
}

void TForm1::syncActiveTab() {
    syncingTabs_ = true;
    pcScene->setCurrentIndex(project.activeIndex());
    syncingTabs_ = false;
}

// ---- file menu ------------------------------------------------------------------------

void TForm1::N6Click() {
    reported([&] {
        if (!mayDiscardChanges())
            return;
        clrAllScene();
        Button1Click();
        Form2->dspAllItm();
        projectFile.clear();
        startAfresh();
    });
}

void TForm1::startAfresh() {
    // Nothing before a new or opened project can be taken back into it.
    undoStack->clear();
    undoStack->setClean();
    updateTitle(true);
    emit projectReplaced();
}

void TForm1::updateTitle(bool clearFailure) {
    static const QString failurePrefix = QStringLiteral("システム 例外:");
    static const QString unsavedMark = QStringLiteral(" *");
    const bool unsaved = undoStack && !undoStack->isClean();
    QString title = windowTitle();
    if (!clearFailure && title.startsWith(failurePrefix)) {
        // The failure stays what the caption says; the mark for unsaved work only follows it.
        if (title.endsWith(unsavedMark))
            title.chop(unsavedMark.size());
    } else {
        title = QStringLiteral("システム");
        if (!projectFile.isEmpty())
            title += QStringLiteral(" - ") + QFileInfo(projectFile).fileName();
    }
    if (unsaved)
        title += unsavedMark;
    setWindowTitle(title);
}

void TForm1::N2Click() {
    reported([&] { openProject(std::nullopt); });
}

void TForm1::openRecent(const QString& fileName) {
    reported([&] {
        // A file gone since is taken off the list rather than offered again.
        if (!QFileInfo(fileName).isFile()) {
            RecentFiles::remove(fileName);
            statusBar()->showMessage(QStringLiteral("ファイルが見つかりません: ") + fileName);
            return;
        }
        openProject(fileName);
    });
}

void TForm1::fillRecentMenu() {
    recentMenu->clear();
    for (const QString& fileName : RecentFiles::list())
        recentMenu->addAction(QDir::toNativeSeparators(fileName), this,
                              [this, fileName] { openRecent(fileName); });
    if (recentMenu->isEmpty())
        recentMenu->addAction(QStringLiteral("(なし)"))->setEnabled(false);
}

void TForm1::openProject(std::optional<QString> fileName) {
    if (!mayDiscardChanges())
        return;
    if (!fileName)
        fileName = hakoniwa::Dialogs::current().openFileName(this);
    if (!fileName)
        return;
    // A refused file leaves everything as it was, the selection included.
    const ReadResult read = ldSource(*fileName);
    if (read == ReadResult::Unchanged)
        return;
    const QString readerCaption = windowTitle();
    startAfresh();
    projectFile = *fileName;
    if (read == ReadResult::Partial) {
        // What was read is not the whole file: saving it is a change to be asked about,
        // and the caption keeps the failure.
        projectFile.clear();
        setWindowTitle(readerCaption);
        undoStack->resetClean();
    } else {
        updateTitle(true);
        RecentFiles::add(*fileName);
    }
    Form2->dspAllItm();
    Form3->updHenCb();
    pcSceneChange();
}

void TForm1::N3Click() {
    reported([&] { saveAs(); });
}

void TForm1::saveClick() {
    reported([&] {
        if (projectFile.isEmpty())
            saveAs();
        else
            saveTo(projectFile);
    });
}

bool TForm1::saveAs() {
    const auto fileName = hakoniwa::Dialogs::current().saveFileName(this);
    return fileName && saveTo(withProjectSuffix(*fileName));
}

QString TForm1::withProjectSuffix(const QString& fileName) {
    // Project files are .txt; a name typed without any extension gets it.
    return QFileInfo(fileName).suffix().isEmpty() ? fileName + QStringLiteral(".txt") : fileName;
}

bool TForm1::saveTo(const QString& fileName) {
    switch (projectfile::askBeforeOverwriting(this, fileName)) {
    case projectfile::Overwrite::SaveAs:
        return saveAs();
    case projectfile::Overwrite::Cancel:
        return false;
    case projectfile::Overwrite::Yes:
        break;
    }
    if (!bringTemplateFiles(fileName) || !mkSource(fileName))
        return false;
    projectFile = fileName;
    undoStack->setClean();
    updateTitle(true);
    RecentFiles::add(fileName);
    return true;
}

bool TForm1::mayDiscardChanges() {
    if (undoStack->isClean())
        return true;
    enum { Save, DontSave, Cancel };
    const int answer = hakoniwa::Dialogs::current().choose(
        this, QStringLiteral("変更が保存されていません。保存しますか？"),
        {QStringLiteral("保存"), QStringLiteral("保存しない"), QStringLiteral("キャンセル")});
    if (answer == Save) // to the current file, as 上書き保存 does; a new project asks for a name
        return projectFile.isEmpty() ? saveAs() : saveTo(projectFile);
    return answer == DontSave;
}

void TForm1::N7Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    reported([&] { mayClose = mayDiscardChanges(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    // Closing the main window ends the program, whatever other windows are still open.
    QCoreApplication::quit();
}

// ---- canvas and keys ----------------------------------------------------------------------

void TForm1::img1DblClick() {
    reported([&] { Form2->FormDblClick(); });
}

void TForm1::img1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    reported([&] {
        if (button == Qt::MiddleButton) {
            hakoniwa::Pointer& pointer = hakoniwa::Pointer::current();
            cursorBack = pointer.position();
            pointer.setPosition(QPoint(Form3->x() + Form3->StringGrid1->x() + 100,
                                       Form3->y() + Form3->StringGrid1->y() + 40));
        }
        Form2->FormMouseDown(button, shift, x, y);
    });
}

void TForm1::img1MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
    reported([&] { Form2->FormMouseMove(shift, x, y); });
}

void TForm1::img1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    reported([&] { Form2->FormMouseUp(button, shift, x, y); });
}

void TForm1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    reported([&] { Form2->FormKeyDown(key, shift); });
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event->key(), event->modifiers());
    QMainWindow::keyPressEvent(event);
}

// ---- text operations -------------------------------------------------------------------------

bool TForm1::serchStr(const std::string& text, const std::string& pattern) {
    bool found = false;
    guarded(handler("TForm1::serchStr"), [&] { found = hakoniwa::serchStr(text, pattern); });
    return found;
}

int TForm1::getSplitCount(const std::string& text, char separator) const {
    return hakoniwa::getSplitCount(text, separator);
}

std::string TForm1::getSplitStrVal(const std::string& text, char separator, int index) const {
    return hakoniwa::getSplitStrVal(text, separator, index);
}
