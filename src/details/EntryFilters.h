#pragma once

#include "model/EntryFilter.h"

#include <QObject>
#include <QString>
#include <functional>

class QComboBox;
class QKeyEvent;
class QTreeWidget;
class QTreeWidgetItem;

// Type-to-filter on an editor combo: the edit text narrows the combo's list to the entries
// that contain it (see hakoniwa::EntryQuery), Up and Down step through those entries and
// Escape clears the filter. Every entry keeps its index in the whole list, so what Enter
// writes does not depend on the filter.
class ComboFilter : public QObject {
public:
    explicit ComboFilter(QComboBox* combo);

    // Takes the combo's entries as they are now and clears the filter; for a freshly opened
    // combo.
    void restart();
    // Up, Down and Escape; true when the key was used here.
    bool handleKey(int key);
    // Before a commit: a typed filter that the user did not step through with the arrow keys
    // chooses its first match, unless the combo takes free text (`choosesFirst` false).
    void chooseForCommit(bool choosesFirst);
    // The entries that match, in list order.
    const std::vector<int>& matches() const { return matches_; }

private:
    void typed(const QString& text);
    void apply();
    void showMatches() const;

    QComboBox* combo_;
    hakoniwa::EntryFilter filter_;
    QString typed_;
    std::vector<int> matches_;
    int step_ = -1; // position in matches_ the arrow keys reached; -1 before any
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
