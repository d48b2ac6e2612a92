#pragma once

#include "model/ListNode.h"

#include <QtCore/qnamespace.h>
#include <string>
#include <vector>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

// Filling the details window's combo boxes and trees from lists the model built.

// The role that carries a tree node's integer data.
inline constexpr int kNodeDataRole = Qt::UserRole;

// Replaces the combo's entries. Its edit text stays as it was and no entry is selected, so
// Enter right after a refill writes what the user last chose or typed.
void refillCombo(QComboBox* combo, const std::vector<std::string>& entries);

// Replaces the tree's nodes; each node carries its data under kNodeDataRole.
void refillTree(QTreeWidget* tree, const std::vector<hakoniwa::ListNode>& nodes);

// The integer data of a tree node.
int nodeData(const QTreeWidgetItem* node);

// Paints each item node of the target tree on its item's colour, looked up in the main
// window's project every time the node is painted.
void colourTargetNodes(QTreeWidget* tree);
