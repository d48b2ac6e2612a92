#include "details/ListWidgets.h"

#include "platform/Cp932Codec.h"

#include <QComboBox>
#include <QSignalBlocker>
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
    tree->clear();
    QList<QTreeWidgetItem*> items;
    for (const hakoniwa::ListNode& node : nodes)
        items << makeNode(node);
    tree->addTopLevelItems(items);
}

int nodeData(const QTreeWidgetItem* node) {
    return node->data(0, kNodeDataRole).toInt();
}
