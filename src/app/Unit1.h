#pragma once

#include "model/Project.h"

#include <QMainWindow>
#include <QPoint>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class ImageCanvas;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTableWidget;
class QTimer;
class QUndoStack;
class Recovery;
class TWWWinCur;

// The main window "システム": owns the project, shows its scenes as tabs with one memo
// each, hosts the scene canvas img1, the file menu, run and the position grid.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // The project is the truth; the tabs and memos show it.
    hakoniwa::Project project;

    QString baseDir;
    bool isLoading = false;
    QPoint cursorBack;
    hakoniwa::Scene* lastScene = nullptr;
    std::array<TWWWinCur*, 5> curWin{};

    // Controls, named as the users of this window know them.
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QTabBar* pcScene = nullptr;
    ImageCanvas* img1 = nullptr;
    QTableWidget* sgPos = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* N1 = nullptr;
    QAction* N6 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N7 = nullptr;
    // 上書き保存 (to the current file), 名前を付けて保存 and the list of recently used files.
    QAction* saveAction = nullptr;
    QAction* saveAsAction = nullptr;
    QMenu* recentMenu = nullptr;

    // Every change to the project, one step per user action (編集 > 元に戻す, やり直し). Clean
    // at the state last opened or saved.
    QUndoStack* undoStack = nullptr;
    // The file the project was last opened from or saved to; empty for a new project.
    QString projectFile;
    // Brings every window in line with the project after undo or redo changed it.
    void projectRestored();
    // Shows the normal caption: "システム", the file's name and " *" while there are unsaved
    // changes. A failure caption stays until `clearFailure` (a save or open that succeeded);
    // while it shows, " *" follows it.
    void updateTitle(bool clearFailure = false);

    // The memo of a scene; placed on this window, shown only while its scene is active.
    QPlainTextEdit* memoOf(const hakoniwa::Scene* scene) const;

    // Scenes.
    void Button1Click();
    void Edit1KeyDown(int key);
    void pcSceneChange();
    void Button3Click();
    void clrAllScene();
    // 編集 > シーンを削除: deletes the active scene after asking; never the first scene.
    void deleteActiveScene();

    // File menu.
    void N6Click();
    void N2Click();
    void N3Click();
    void N7Click();
    // Saves to the current file without asking; a project without one asks for a name.
    void saveClick();
    // Opens a file of the recent list as 開く does; a file gone since leaves the list.
    void openRecent(const QString& fileName);
    // A save name without an extension gets ".txt".
    static QString withProjectSuffix(const QString& fileName);
    // Reads the project file. Unchanged: the open project was left as it was (a file that
    // could not be read or is no project); Partial: a line stopped the reader.
    enum class ReadResult { Unchanged, Complete, Partial };
    ReadResult ldSource(const QString& fileName);
    // テンプレートから新規: the chosen template opens unsaved, without a file name
    // (TemplateDialog.cpp); a save first copies the template files it uses beside the file.
    void newFromTemplate();
    void openTemplate(const QString& projectPath);
    bool bringTemplateFiles(const QString& fileName);
    // Writes the project file (the run file for an empty name); false when that failed.
    bool mkSource(const QString& fileName);

    // Run and position grid.
    void Button2Click();
    // After the run file is written: the status bar tells how many errors the check finds.
    void reportProblemsBeforeRun();
    void Timer1Timer();
    // Double-click on row 1 to 4 of sgPos: the row's x and y go into the argument cell
    // selected in the details window and the one right of it.
    void sgPosDblClick(int row);

    // Canvas and keys, forwarded to the scene editor.
    void img1DblClick();
    void img1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void img1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void img1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);

    // Text operations, shared by every window.
    bool serchStr(const std::string& text, const std::string& pattern);
    int getSplitCount(const std::string& text, char separator) const;
    std::string getSplitStrVal(const std::string& text, char separator, int index) const;

    // Test seam: runs inside add scene right after the tab is attached.
    std::function<void()> afterTabAttachedForTest;

    // True while the project differs from what was last saved or opened.
    bool hasUnsavedChanges() const;
    // Keeps unsaved work for a restart after a crash; a child of this window, set at start-up.
    Recovery* recovery = nullptr;

signals:
    // 新規 or 開く put another project in place (its undo history starts empty).
    void projectReplaced();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    // The bodies of add and duplicate scene, recorded as one undo step by their handlers.
    void addScene();
    void duplicateScene();
    // After New or Open: no undo history, nothing unsaved, the normal caption.
    void startAfresh();
    // True when the project may be replaced or closed: nothing is unsaved, or the user saved
    // it or chose not to; false when the user cancelled.
    bool mayDiscardChanges();
    // Asks for a file name and saves there; false when cancelled or failed.
    bool saveAs();
    // Writes the project there and makes it the current file; false when that failed.
    bool saveTo(const QString& fileName);
    // 開く: asks about unsaved changes, then reads the file (asking for one when none given).
    void openProject(std::optional<QString> fileName);
    void fillRecentMenu();
    void buildPositionGrid();
    void createHandleWindows();
    QPlainTextEdit* createMemo(hakoniwa::Scene& scene);
    void memoEdited(hakoniwa::Scene* scene, QPlainTextEdit* memo);
    // Rebuilds the tabs and memos from the project, after the project was replaced.
    void rebuildSceneWidgets();
    void syncActiveTab();

    struct SceneMemo {
        hakoniwa::Scene* scene;
        QPlainTextEdit* memo;
    };
    std::vector<SceneMemo> memos_;
    bool syncingTabs_ = false;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    // Memo text put back by undo is no new edit.
    bool restoringMemos_ = false;
    // Keys typed into one memo with short pauses are one undo step.
    quint64 memoBurst_ = 0;
    const hakoniwa::Scene* memoBurstScene_ = nullptr;
    qint64 lastMemoEditMs_ = 0;
};

// The main window, set before its construction runs.
extern TForm1* Form1;
