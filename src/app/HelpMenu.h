#pragma once

#include <QString>

class QMainWindow;

// The ヘルプ menu of the main window: 使い方 opens the user guide, バージョン情報 tells the
// version and the licences. `baseDir` (the window's, set later) is read when the guide opens.
void addHelpMenu(QMainWindow* window, const QString& baseDir);

// The user guide: README.md of the installed documentation (<prefix>/share/doc/hakoniwa,
// beside the data folder's share/hakoniwa) or of the source tree the editor runs from; empty
// when neither is there.
QString userGuidePath(const QString& binaryDir, const QString& baseDir);
