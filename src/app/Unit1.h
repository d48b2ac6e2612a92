#pragma once

#include "model/Project.h"

#include <QMainWindow>
#include <QPoint>
#include <array>
#include <functional>
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

    // The memo of a scene; placed on this window, shown only while its scene is active.
    QPlainTextEdit* memoOf(const hakoniwa::Scene* scene) const;

    // Scenes.
    void Button1Click();
    void Edit1KeyDown(int key);
    void pcSceneChange();
    void Button3Click();
    void clrAllScene();

    // File menu.
    void N6Click();
    void N2Click();
    void N3Click();
    void N7Click();
    // Reads the project file; false when the open project was left as it was (a file that
    // could not be read or is no project).
    bool ldSource(const QString& fileName);
    void mkSource(const QString& fileName);

    // Run and position grid.
    void Button2Click();
    void Timer1Timer();

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

    // The project's undo history; the project is saved while it stands at its clean state.
    QUndoStack* undoStack = nullptr;
    // True while the project differs from what was last saved or opened.
    bool hasUnsavedChanges() const;
    // Keeps unsaved work for a restart after a crash; a child of this window, set at start-up.
    Recovery* recovery = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
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
};

// The main window, set before its construction runs.
extern TForm1* Form1;
