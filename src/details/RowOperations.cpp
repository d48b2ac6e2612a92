#include "details/Settei.h"

#include "app/Guarded.h"
#include "editor/Unit2.h"
#include "model/Item.h"
#include "model/NumberConversion.h"
#include "model/RowOperations.h"
#include "platform/Cp932Codec.h"

#include <QLineEdit>

// "追加" > "Y" and "X" grow the selected item's sheet, which need not be the one shown.

void TForm3::Y1Click() {
    guarded(handler("TForm3::Y1Click"), [&] {
        if (!Form2->selItm)
            return;
        Form2->selItm->sheet.addRow();
        refreshSheet();
    });
}

void TForm3::X1Click() {
    guarded(handler("TForm3::X1Click"), [&] {
        if (!Form2->selItm)
            return;
        Form2->selItm->sheet.addColumn();
        refreshSheet();
    });
}

// The row commands work on the selected item's sheet at selRow, whichever sheet is shown.
// Without a selected item they do nothing; without a selected row the model throws and the
// handler reports its number.

namespace {

// The repeat count of edRpn; a text that is not a number counts as 1.
int repeatCount(const QLineEdit* edRpn) {
    return hakoniwa::toIntDef(hakoniwa::fromQt(edRpn->text()), 1);
}

// Runs the command on the selected item's sheet and shows the result.
template <typename Command> void onSelectedSheet(TForm3* form, Command&& command) {
    if (!Form2->selItm)
        return;
    command(Form2->selItm->sheet);
    form->refreshSheet();
}

} // namespace

void TForm3::N6Click() {
    guarded(handler("TForm3::N6Click"), [&] {
        // One copy whatever the repeat count says; the count the user typed comes back.
        const QString typedCount = edRpn->text();
        edRpn->setText(QStringLiteral("1"));
        N5Click();
        edRpn->setText(typedCount);
    });
}

void TForm3::N5Click() {
    guarded(handler("TForm3::N5Click"), [&] {
        onSelectedSheet(this, [&](hakoniwa::ItemSheet& sheet) {
            hakoniwa::insertRowCopies(sheet, selRow, repeatCount(edRpn));
        });
    });
}

void TForm3::N3Click() {
    guarded(handler("TForm3::N3Click"), [&] {
        onSelectedSheet(this,
                        [&](hakoniwa::ItemSheet& sheet) { hakoniwa::deleteRow(sheet, selRow); });
    });
}

void TForm3::N7Click() {
    guarded(handler("TForm3::N7Click"), [&] {
        onSelectedSheet(this,
                        [&](hakoniwa::ItemSheet& sheet) { hakoniwa::clearRow(sheet, selRow); });
    });
}

void TForm3::N8Click() {
    guarded(handler("TForm3::N8Click"), [&] {
        if (!Form2->selItm)
            return;
        // The old copy is gone even when there is no row to copy.
        rowBuffer.clear();
        rowBuffer = hakoniwa::copyRow(Form2->selItm->sheet, selRow);
    });
}

void TForm3::N9Click() {
    guarded(handler("TForm3::N9Click"), [&] {
        onSelectedSheet(this, [&](hakoniwa::ItemSheet& sheet) {
            hakoniwa::pasteRow(sheet, selRow, rowBuffer);
        });
    });
}

void TForm3::N11Click() {
    guarded(handler("TForm3::N11Click"), [&] {
        if (repeatCount(edRpn) < 1)
            return;
        onSelectedSheet(this, [](hakoniwa::ItemSheet& sheet) { hakoniwa::resetSheet(sheet); });
    });
}

void TForm3::Button2Click() {
    guarded(handler("TForm3::Button2Click"), [&] {
        onSelectedSheet(this, [&](hakoniwa::ItemSheet& sheet) {
            const int movedTo = hakoniwa::moveRowUp(sheet, selRow);
            if (movedTo == selRow)
                return;
            selectRow(movedTo);
        });
    });
}

void TForm3::Button3Click() {
    guarded(handler("TForm3::Button3Click"), [&] {
        onSelectedSheet(this, [&](hakoniwa::ItemSheet& sheet) {
            const int movedTo = hakoniwa::moveRowDown(sheet, selRow);
            if (movedTo == selRow)
                return;
            selectRow(movedTo);
        });
    });
}
