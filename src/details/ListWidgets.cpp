#include "details/ListWidgets.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "model/CommandEntryRules.h"
#include "platform/Cp932Codec.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>

using hakoniwa::toQt;

void refillCombo(QComboBox* combo, const std::vector<std::string>& entries) {
    const QSignalBlocker quiet(combo);
    const QString editText = combo->currentText();
    combo->clear();
    QStringList texts;
    texts.reserve(static_cast<int>(entries.size()));
    for (const std::string& entry : entries)
        texts << toQt(entry);
    combo->addItems(texts);
    combo->setCurrentIndex(-1);
    combo->setEditText(editText);
}

namespace {

QTreeWidgetItem* makeNode(const hakoniwa::ListNode& node) {
    auto* item = new QTreeWidgetItem(QStringList{toQt(node.text)});
    item->setData(0, kNodeDataRole, node.data);
    for (const hakoniwa::ListNode& child : node.children)
        item->addChild(makeNode(child));
    return item;
}

} // namespace

void refillTree(QTreeWidget* tree, const std::vector<hakoniwa::ListNode>& nodes) {
    // Every node is one line of text in the tree's font: the view lays the rows out from the
    // height of one instead of measuring each.
    tree->setUniformRowHeights(true);
    tree->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(nodes.size()));
    for (const hakoniwa::ListNode& node : nodes)
        items << makeNode(node);
    tree->addTopLevelItems(items);
}

int nodeData(const QTreeWidgetItem* node) {
    return node->data(0, kNodeDataRole).toInt();
}

namespace {

// Decides each target node's background just before it is painted, so a changed item colour
// shows at the next paint of the list.
class TargetNodeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        guarded(handler("TForm3::tvMdListAdvancedCustomDrawItem"), [&] {
            if (!Form1)
                return;
            const int data = index.data(kNodeDataRole).toInt();
            if (const auto colour = hakoniwa::targetNodeBackground(Form1->project, data))
                option->backgroundBrush =
                    QColor(*colour & 0xFF, (*colour >> 8) & 0xFF, (*colour >> 16) & 0xFF);
        });
    }
};

} // namespace

void colourTargetNodes(QTreeWidget* tree) {
    tree->setItemDelegate(new TargetNodeDelegate(tree));
}
