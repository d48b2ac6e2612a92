#include "details/Settei.h"

#include "details/HelpPane.h"
#include "details/ListWidgets.h"
#include "details/SheetView.h"
#include "model/CommandEntryRules.h"
#include "model/HelpPage.h"
#include "model/Item.h"
#include "model/ItemSheet.h"
#include "platform/Cp932Codec.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QTreeWidget>

// The help pane follows what the user is choosing: the row under the sheet's cell cursor, the
// entry highlighted in a combo and the node current in a pick list.

namespace {

using hakoniwa::DefinitionKind;

std::string lineAt(const std::vector<std::string>& lines, int index) {
    return index >= 0 && index < static_cast<int>(lines.size()) ? lines[index] : std::string();
}

} // namespace

void TForm3::showDefinitionHelp(std::string_view line, DefinitionKind kind, int column,
                                const std::string& choice) {
    if (line.empty()) {
        helpPane->showNothing();
        return;
    }
    helpPane->showPage(hakoniwa::HelpPage::build(line, kind, help ? &*help : nullptr), column,
                       choice);
}

void TForm3::showRowHelp(int column, int row, const std::string& choice) {
    const hakoniwa::ItemSheet* sheet = sheetView->sheet();
    if (!sheet || row < hakoniwa::ItemSheet::kFirstCommandRow) {
        helpPane->showNothing();
        return;
    }
    switch (hakoniwa::entryComboFor(*sheet, 2, row)) {
    case hakoniwa::EntryCombo::Instructions:
        showDefinitionHelp(sheet->cell(2, row), DefinitionKind::Instruction, column, choice);
        break;
    case hakoniwa::EntryCombo::Components:
        showDefinitionHelp(sheet->cell(2, row), DefinitionKind::Component, column, choice);
        break;
    default:
        helpPane->showNothing();
        break;
    }
}

void TForm3::connectHelp() {
    helpPane = new HelpPane(this);
    connect(sheetView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    showRowHelp(current.column(), current.row());
            });
    connect(sheetView, &SheetView::pressed, this, [this](Qt::MouseButton, int x, int y) {
        const QPoint cell = sheetView->cellAt(QPoint(x, y));
        showRowHelp(cell.x(), cell.y());
    });
    connect(cbMtd, &QComboBox::highlighted, this, [this](int index) {
        showDefinitionHelp(hakoniwa::fromQt(cbMtd->itemText(index)), DefinitionKind::Instruction);
    });
    connect(cbCmp, &QComboBox::highlighted, this, [this](int index) {
        showDefinitionHelp(hakoniwa::fromQt(cbCmp->itemText(index)), DefinitionKind::Component);
    });
    // A variable or constant highlighted for an argument: the row's page with that argument
    // (and that constant) marked.
    connect(cbHen, &QComboBox::highlighted, this, [this](int index) {
        const QModelIndex cell = sheetView->currentIndex();
        if (cell.isValid())
            showRowHelp(cell.column(), cell.row(), hakoniwa::fromQt(cbHen->itemText(index)));
    });
    const auto followTree = [this](QTreeWidget* tree, const std::vector<std::string>& lines,
                                   DefinitionKind kind) {
        connect(tree, &QTreeWidget::currentItemChanged, this,
                [this, &lines, kind](QTreeWidgetItem* node) {
                    if (node && node->childCount() == 0)
                        showDefinitionHelp(lineAt(lines, nodeData(node)), kind);
                });
    };
    followTree(tvOpList, definitions.instructions, DefinitionKind::Instruction);
    followTree(tvCmList, definitions.components, DefinitionKind::Component);
}
