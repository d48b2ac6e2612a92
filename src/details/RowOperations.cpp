#include "details/Settei.h"

#include "app/Guarded.h"
#include "editor/Unit2.h"
#include "model/Item.h"

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

// The row commands: insert, delete, clear, copy, paste, initialise, move up and down.
// They do nothing yet.

void TForm3::N6Click() {}

void TForm3::N5Click() {}

void TForm3::N3Click() {}

void TForm3::N7Click() {}

void TForm3::N8Click() {}

void TForm3::N9Click() {}

void TForm3::N11Click() {}

void TForm3::Button2Click() {}

void TForm3::Button3Click() {}
