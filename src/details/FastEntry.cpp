#include "details/Settei.h"

#include "app/Guarded.h"
#include "app/UndoSteps.h"
#include "details/EntryFilters.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "model/Item.h"
#include "model/RowOperations.h"

#include <QComboBox>

// Filling a sheet from the keyboard alone: Enter in an entry opened from the keyboard goes on
// to the next cell to fill, and Ctrl+Enter makes room for the next command.

void TForm3::enterEntry() {
    guarded(handler("TForm3::cbMOlKeyDown"), [&] { stepEntryUnguarded(false, true); });
}

void TForm3::commitGoingOn() {
    const ComboFilter* targets = comboFilterOf(cbMOl);
    if (cbMOl->isVisible() && !targets->chosen() && !targets->edited())
        closeEditorCombos();
    else
        cbMOlKeyDown(Qt::Key_Return);
}

void TForm3::insertRowBelow(int row) {
    guarded(handler("TForm3::N6Click"), [&] {
        closeEditorCombos();
        hakoniwa::Item* shown = shownItem();
        if (!shown)
            return;
        int inserted = -1;
        recordEdit(QStringLiteral("行の挿入"),
                   [&] { inserted = hakoniwa::insertEmptyRowBelow(shown->sheet, row); });
        refreshSheet();
        sheetView->setFocus();
        if (!openEntryByKey(1, inserted))
            sheetView->setCurrentIndex(sheetView->sheetModel()->index(inserted, 1));
    });
}
