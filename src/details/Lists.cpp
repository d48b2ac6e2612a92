#include "details/Settei.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "details/ListWidgets.h"
#include "info/Unit4.h"

#include <QComboBox>
#include <QTreeWidget>

namespace {

// Rebuilding a tree deletes its nodes; a remembered node of that tree must not outlive them.
void forgetNodeOf(QTreeWidget* tree, QTreeWidgetItem*& selNode) {
    if (selNode && selNode->treeWidget() == tree)
        selNode = nullptr;
}

} // namespace

void TForm3::updMOlCb() {
    guarded(handler("TForm3::updMOlCb"), [&] {
        targets = hakoniwa::TargetList::build(Form1->project);
        forgetNodeOf(tvMdList, selNode);
        refillCombo(cbMOl, targets.entries);
        refillTree(tvMdList, targets.nodes);
        tvMdList->expandAll();
    });
}

void TForm3::updHenCb() {
    guarded(handler("TForm3::updHenCb"), [&] {
        variables = hakoniwa::VariableList::build(Form1->project, definitions.systemVariables);
        forgetNodeOf(tvHnList, selNode);
        refillCombo(cbHen, variables.entries);
        refillTree(tvHnList, variables.nodes);
        tvHnList->expandAll();
        // The information window is made after this one; until then only these lists exist.
        if (Form4)
            Form4->showVariables(variables);
    });
}
