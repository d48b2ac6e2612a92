#pragma once

#include "app/Unit1.h"
#include "model/SourceWriter.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <string>

// What several window tests read back from the windows.

// The entry `text` of the main window's menu `menu`, or nullptr.
inline QAction* menuAction(const QString& menu, const QString& text) {
    for (QAction* title : Form1->menuBar()->actions())
        if (title->menu() && title->text() == menu)
            for (QAction* action : title->menu()->actions())
                if (action->text() == text)
                    return action;
    return nullptr;
}

// The texts of a list's top-level row, column by column.
inline QStringList rowTexts(const QTreeWidget* list, int row) {
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << list->topLevelItem(row)->text(c);
    return texts;
}

// The project as the writer puts it into a file.
inline std::string projectBytes() {
    return hakoniwa::SourceWriter::write(Form1->project);
}
