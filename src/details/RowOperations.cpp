#include "details/Settei.h"

#include "app/Guarded.h"
#include "app/UndoSteps.h"
#include "editor/Unit2.h"
#include "model/Item.h"
#include "model/NumberConversion.h"
#include "model/RowOperations.h"
#include "platform/Cp932Codec.h"

#include <QLineEdit>

// The row commands, "追加" included, work on the sheet on show at selRow: a command must never
// change a sheet the user cannot see. With no sheet on show they do nothing; without a
// selected row the model throws and the handler reports its number.

hakoniwa::ItemSheet* TForm3::rowCommandSheet() const {
    return shownItem() ? &shownItem()->sheet : nullptr;
}

void TForm3::Y1Click() {
    guarded(handler("TForm3::Y1Click"), [&] {
        closeEditorCombos();
        if (hakoniwa::ItemSheet* sheet = rowCommandSheet()) {
            recordEdit(QStringLiteral("行の追加"), [&] { sheet->addRow(); });
            refreshSheet();
        }
    });
}

void TForm3::X1Click() {
    guarded(handler("TForm3::X1Click"), [&] {
        closeEditorCombos();
        if (hakoniwa::ItemSheet* sheet = rowCommandSheet()) {
            recordEdit(QStringLiteral("列の追加"), [&] { sheet->addColumn(); });
            refreshSheet();
        }
    });
}

namespace {

// The repeat count of edRpn; a text that is not a number counts as 1.
int repeatCount(const QLineEdit* edRpn) {
    return hakoniwa::toIntDef(hakoniwa::fromQt(edRpn->text()), 1);
}

// Runs the command on the sheet on show as one undo step and shows the result.
template <typename Command>
void onShownSheet(TForm3* form, const QString& name, Command&& command) {
    // An open combo was made for a row that may now be another one, or gone.
    form->closeEditorCombos();
    hakoniwa::Item* shown = form->shownItem();
    if (!shown)
        return;
    recordEdit(name, [&] { command(shown->sheet); });
    form->refreshSheet();
}

} // namespace

void TForm3::N6Click() {
    guarded(handler("TForm3::N6Click"), [&] {
        // One copy whatever the repeat count says; the count the user typed comes back.
        const QString typedCount = edRpn->text();
        edRpn->setText(QStringLiteral("1"));
        recordEdit(QStringLiteral("行の挿入"), [&] { N5Click(); });
        edRpn->setText(typedCount);
    });
}

void TForm3::N5Click() {
    guarded(handler("TForm3::N5Click"), [&] {
        onShownSheet(this, QStringLiteral("行の挿入"), [&](hakoniwa::ItemSheet& sheet) {
            hakoniwa::insertRowCopies(sheet, selRow, repeatCount(edRpn));
        });
    });
}

void TForm3::N3Click() {
    guarded(handler("TForm3::N3Click"), [&] {
        onShownSheet(this, QStringLiteral("行削除"),
                     [&](hakoniwa::ItemSheet& sheet) { hakoniwa::deleteRow(sheet, selRow); });
    });
}

void TForm3::N7Click() {
    guarded(handler("TForm3::N7Click"), [&] {
        onShownSheet(this, QStringLiteral("行クリア"),
                     [&](hakoniwa::ItemSheet& sheet) { hakoniwa::clearRow(sheet, selRow); });
    });
}

void TForm3::N8Click() {
    guarded(handler("TForm3::N8Click"), [&] {
        closeEditorCombos();
        const hakoniwa::ItemSheet* sheet = rowCommandSheet();
        if (!sheet)
            return;
        // The old copy is gone even when there is no row to copy.
        rowBuffer.clear();
        rowBuffer = hakoniwa::copyRow(*sheet, selRow);
    });
}

void TForm3::N9Click() {
    guarded(handler("TForm3::N9Click"), [&] {
        onShownSheet(this, QStringLiteral("行貼り付け"), [&](hakoniwa::ItemSheet& sheet) {
            hakoniwa::pasteRow(sheet, selRow, rowBuffer);
        });
    });
}

void TForm3::N11Click() {
    guarded(handler("TForm3::N11Click"), [&] {
        if (repeatCount(edRpn) < 1)
            return;
        onShownSheet(this, QStringLiteral("初期化"),
                     [](hakoniwa::ItemSheet& sheet) { hakoniwa::resetSheet(sheet); });
    });
}

void TForm3::Button2Click() {
    guarded(handler("TForm3::Button2Click"), [&] {
        onShownSheet(this, QStringLiteral("行の移動"), [&](hakoniwa::ItemSheet& sheet) {
            const int movedTo = hakoniwa::moveRowUp(sheet, selRow);
            if (movedTo == selRow)
                return;
            selectRow(movedTo);
        });
    });
}

void TForm3::Button3Click() {
    guarded(handler("TForm3::Button3Click"), [&] {
        onShownSheet(this, QStringLiteral("行の移動"), [&](hakoniwa::ItemSheet& sheet) {
            const int movedTo = hakoniwa::moveRowDown(sheet, selRow);
            if (movedTo == selRow)
                return;
            selectRow(movedTo);
        });
    });
}
