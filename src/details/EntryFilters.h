#pragma once

#include "model/EntryFilter.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string_view>

class QComboBox;
class QKeyEvent;
class QTreeWidget;
class QTreeWidgetItem;

// Type-to-filter on an editor combo: the edit text narrows the combo's list to the entries
// that contain it (see hakoniwa::EntryQuery), Up and Down step through those entries and open
// the list, where a click or Enter chooses, and Escape clears the filter. Every entry keeps its
// index in the whole list, so what Enter writes does not depend on the filter. The filter also
// tells whether the user chose or typed anything since the combo opened: a combo's leftover
// text is no choice.
class ComboFilter : public QObject {
public:
    explicit ComboFilter(QComboBox* combo);

    // Called when the user closes the combo without writing: Escape, or a click outside it.
    std::function<void()> closeRequested;
    // What an entry is found by; the whole entry text unless set.
    void setSearchPart(std::function<std::u32string(std::u32string_view)> part);
    // Takes the combo's entries as they are now, clears the filter and forgets any choice;
    // for a freshly opened combo.
    void restart();
    // Up, Down (also with Alt) and Escape (clears a typed filter, else closes the combo);
    // true when the key was used here.
    bool handleKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Before a commit: a typed filter that the user did not step through chooses its first
    // match (the target list, whose Enter always writes).
    void chooseForCommit();
    // The entry the user chose since the combo opened: by the arrow keys, in the list or by
    // the program's setCurrentIndex; nothing once typing started again.
    std::optional<int> chosen() const { return chosen_; }
    // Whether the user changed the edit text since the combo opened.
    bool edited() const { return edited_; }
    // The entries that match the typed filter, in list order; empty when nothing is typed.
    std::vector<int> typedMatches() const;
    // The entries that match, in list order.
    const std::vector<int>& matches() const { return matches_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void typed(const QString& text);
    void apply();
    void showMatches() const;
    // The position in matches_ of the entry the kept edit text names, or -1.
    int keptEntryStep() const;
    // Opens the combo's own list on the entry reached, so that a click can choose.
    void openList();
    // Enter, Tab, Escape or typing in the open list.
    bool listKey(QKeyEvent* key);
    // A press anywhere: outside the combo and its list it closes the combo.
    void pressed(QObject* watched, const QPoint& globalAt);
    void close();

    QComboBox* combo_;
    hakoniwa::EntryFilter filter_;
    std::function<std::u32string(std::u32string_view)> searchPart_;
    QString typed_;
    std::vector<int> matches_;
    int step_ = -1; // position in matches_ the arrow keys reached; -1 before any
    std::optional<int> chosen_;
    bool edited_ = false;
    bool opening_ = false; // restart() runs: index changes then are no choice
};

// The filter of an editor combo, made on first use.
ComboFilter* comboFilterOf(QComboBox* combo);

// Type-to-filter on a pick list tree: typed text while the tree has the focus hides the
// nodes without a match (a group node stays while any of its children matches), Backspace
// takes back a letter, Escape clears. `searchText` gives the text a node is found by.
class TreeFilter : public QObject {
public:
    TreeFilter(QTreeWidget* tree, std::function<QString(const QTreeWidgetItem*)> searchText);
    // The typed filter of the tree; empty shows every node.
    QString typed() const { return typed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();

    QTreeWidget* tree_;
    std::function<QString(const QTreeWidgetItem*)> searchText_;
    QString typed_;
};
