#pragma once

#include "model/ArgumentHint.h"
#include "model/Definitions.h"
#include "model/TargetList.h"
#include "model/VariableList.h"
#include "model/VocabularyHelp.h"

#include <QModelIndex>
#include <QWidget>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;
class HelpPane;
class SheetView;

namespace hakoniwa {
struct Item;
class ItemSheet;
} // namespace hakoniwa

// Where a sheet goes inside the window. A new item's sheet leaves 60 pixels free right of
// the lists, a sheet shown by pointing at or jumping to its item 40; a resize stretches the
// sheet over the whole width. All three end 20 pixels above the status bar.
enum class SheetPlacement { NewItem, Shown, Stretched };

// The details window "詳細": shows the current item's sheet beside the pick lists, holds the
// vocabulary read from the definition files and the target and variable lists.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    // Reads the definition files; a missing one throws std::runtime_error with the message
    // "ファイル <full path> は開けません". Ends by adding the first scene and showing itself.
    TForm3();
    ~TForm3() override;

    // Controls, named as the users of this window know them.
    QLabel* Label1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Button6 = nullptr;
    QComboBox* cbMOl = nullptr;
    QComboBox* cbCmp = nullptr;
    QComboBox* cbSysHen = nullptr;
    QComboBox* cbMtd = nullptr;
    QComboBox* cbHen = nullptr;
    QTreeWidget* tvOpList = nullptr;
    QTreeWidget* tvHnList = nullptr;
    QTreeWidget* tvMdList = nullptr;
    QTreeWidget* tvCmList = nullptr;
    // The window's own grid; never shown, its place is where the pointer is sent.
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* edRpn = nullptr;
    QStatusBar* sbInfo = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* N1 = nullptr; // "追加"
    QAction* Y1 = nullptr;
    QAction* X1 = nullptr;
    QAction* N6 = nullptr;
    QAction* N5 = nullptr;
    QAction* N3 = nullptr;
    QAction* N7 = nullptr;
    QAction* N8 = nullptr;
    QAction* N9 = nullptr;
    QAction* N11 = nullptr;
    QAction* N12 = nullptr;
    QAction* N13 = nullptr;
    // The one view that shows an item's sheet; it edits the sheet in place.
    SheetView* sheetView = nullptr;

    // Window state.
    int selRow = 0;
    int curCol = 0;
    int curRow = 0;
    QTreeWidgetItem* selNode = nullptr;
    std::string pressText;
    std::string rowBuffer;
    hakoniwa::Item* backItm = nullptr;

    // The vocabulary as read (the combo boxes and trees show it) and the target and variable
    // lists as of their last rebuild, as code page 932 bytes: what a pick writes.
    hakoniwa::Definitions definitions;
    hakoniwa::TargetList targets;
    hakoniwa::VariableList variables;
    // The vocabulary folder's help file (help.txt), when it has one.
    std::optional<hakoniwa::VocabularyHelp> help;
    // The help window beside this one; F1 brings it forward.
    HelpPane* helpPane = nullptr;
    // Shows in the help pane the page of a definition line, or of the row's instruction or
    // component, with the argument of `column` and its constant `choice` marked.
    void showDefinitionHelp(std::string_view line, hakoniwa::DefinitionKind kind,
                            int column = -1, const std::string& choice = std::string());
    void showRowHelp(int column, int row, const std::string& choice = std::string());
    // The cell under the shown sheet's cell cursor; invalid when no sheet is shown.
    QModelIndex selectedCell() const;
    // True for an argument cell whose definition asks for a file.
    bool isFileArgumentCell(int column, int row) const;
    // Writes a project file's name into an argument cell of the shown sheet as one undo step:
    // relative to the project's folder when it lies there. False for any other cell.
    bool putAssetName(int column, int row, const QString& file);

    // Rebuild the jump-target list and the variable lists (this window's and the information
    // window's) from the project.
    void updMOlCb();
    void updHenCb();

    // Shows a newly created item's sheet.
    void attachNewSheet(hakoniwa::Item& item);
    // Shows the item's sheet at the placement; nullptr shows no sheet.
    void placeSheet(hakoniwa::Item* item, SheetPlacement placement);
    // Takes the item's sheet out of the window if it is the one shown.
    void detachSheet(const hakoniwa::Item& item);
    // The item whose sheet is shown, or nullptr.
    hakoniwa::Item* shownItem() const { return shownItem_; }
    // Brings the view in line after a sheet's rows or columns changed.
    void refreshSheet();

    // Hides every editor combo, with its list; what was typed into one is not written.
    void closeEditorCombos();

    // Drops every pointer into the project, before the project is replaced.
    void projectReplaced();
    // Drops the pointers to items that are no longer in the project (after undo or redo); a
    // sheet of such an item leaves the window.
    void forgetGoneItems();

    // "追加" > "Y" and "X": one more row or column on the selected item's sheet.
    void Y1Click();
    void X1Click();

    // Row commands of the pop-up menu and the two move buttons.
    void N6Click();
    void N5Click();
    void N3Click();
    void N7Click();
    void N8Click();
    void N9Click();
    void N11Click();
    void Button2Click();
    void Button3Click();

    // Command entry on a sheet and in the editor combos.
    void StringGrid1MouseDown(Qt::MouseButton button, int x, int y);
    void StringGrid1MouseMove(int x, int y);
    void StringGrid1KeyDown(int key);
    // The window's own hidden grid: focus entering it and in-place editing in it redraw the
    // scene and refresh the grid.
    void StringGrid1Enter();
    void StringGrid1SetEditText();
    void StringGrid1DblClick();
    void cbMOlKeyDown(int key);
    void FormMouseMove(int x, int y);

    // Pick lists and the window's further commands.
    void tvOpListClick();
    void tvHnListClick();
    void tvMdListClick();
    void tvCmListClick();
    void tvOpListDblClick();
    void Button1Click();
    void Button4Click();
    void Button6Click();
    void FormResize();
    // Writes a point into the selected argument cell of the shown sheet (x) and the cell right
    // of it (y), as one undo step; false when no argument cell of a command row is selected.
    bool fillArgumentPair(const std::string& x, const std::string& y);

    // Rewrites the variable references that mean a declaration of scene `scene` after its
    // row was edited: `newText` empty means the name changed from `oldText`; otherwise the
    // member `oldText` of `name` became `newText`.
    void updHenRef(int scene, const std::string& name, const std::string& newText,
                   const std::string& oldText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void buildCombos();
    void buildTrees();
    void buildButtons();
    void buildPopupMenu();
    void connectHandlers();
    // The help pane and what makes it follow the user's choice.
    void connectHelp();
    // Files dragged onto a file argument cell.
    void connectAssetDrops();
    // Type-to-filter on the four pick lists.
    void buildTreeFilters();
    // Reads conf.txt and the three files of the folder it names into the combo boxes, then
    // builds the instruction tree and the component list.
    void loadDefinitions();
    // The area the sheet may fill: the client area above the status bar.
    QRect sheetArea() const;
    // Remembers the selected row and shows it in Label1, where the first command row is 1.
    void selectRow(int row);
    // The three kinds of sheet press, in the sheet view's coordinates.
    void sheetLeftPress(int x, int y);
    void sheetRightPress(int x, int y);
    // Opens the editor combo of a cell, the one a right press there opens.
    void openEntry(int column, int row);
    // The same from the keyboard: selects the cell, places the combo on it and shows the
    // argument hint there. False when the cell has no combo.
    bool openEntryByKey(int column, int row);
    // Enter or F2 on a selected cell of the sheet; true when it opened the cell's combo.
    bool sheetKeyPress(int key);
    // Tab in an editor combo: commits, then opens the next (or with `back` the previous)
    // cell of the row.
    void stepEntry(bool back);
    // With `wrap`, past the row's last argument to column 1 of the next row.
    void stepEntryUnguarded(bool back, bool wrap = false);
    // Enter in an entry opened from the keyboard: commits, then opens the next cell to fill.
    void enterEntry();
    // Ctrl+Enter: an empty command row below `row` as one undo step, its column 1 entry open.
    void insertRowBelow(int row);
    // Commits the open entry before going on from the keyboard; a target list left without a
    // choice keeps the row's target, as the other lists keep their cells (its own Enter
    // writes -1).
    void commitGoingOn();
    // Builds the hover text of the row's definition and offers the pressed argument's
    // variables, constants or file.
    void openArgumentEditor(hakoniwa::ItemSheet& sheet, int column, int row);
    // Fills a file argument from the open dialog, offering the files of `kind`.
    void chooseArgumentFile(hakoniwa::ItemSheet& sheet, int column, int row,
                            hakoniwa::FileKind kind);
    // A cell of the shown sheet was changed in place: renames what a declaration edit asks for.
    void sheetCellEdited(int column, int row, const std::string& oldText);
    // The shown sheet for the row commands; nullptr when none is on show.
    hakoniwa::ItemSheet* rowCommandSheet() const;

    // The editor combo (or nullptr) that the key went to: the combo or its edit part.
    QComboBox* editorComboOf(QObject* watched) const;
    // What Enter in a combo writes into the cell it was opened on.
    void commitEntry(hakoniwa::ItemSheet& sheet, int column, int row);

    hakoniwa::Item* shownItem_ = nullptr;
    // The editor combos were opened from the keyboard (Enter, F2, Tab), not by the pointer.
    bool entryByKey_ = false;
    // The cell the editor combos were opened on: they write nowhere else, and nothing once
    // the combos are closed (comboItem_ nullptr).
    hakoniwa::Item* comboItem_ = nullptr;
    int comboColumn_ = -1;
    int comboRow_ = -1;
    // Where the last file argument was chosen: the dialog's folder while no project file is.
    QString lastArgumentFolder_;
};

// The details window, set before its construction runs.
extern TForm3* Form3;
