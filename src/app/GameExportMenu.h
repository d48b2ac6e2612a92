#pragma once

#include <QString>

class QMenu;
class TForm1;

// ファイル > 書き出し: the open project as one web page that plays in a browser, or as a folder
// with the game file, its images and sounds, a launcher for an installed player and the web
// page. The editor's unsaved changes are exported as they stand.

// Adds the 書き出し submenu (Webページ…, フォルダー…) to the file menu.
void addExportMenu(QMenu* fileMenu, TForm1& form);

// The page template installed with the data (dat/web/hakoniwa-web.html below `baseDir`), or
// beside the program in a build tree (web/hakoniwa-web.html); empty when neither exists.
QString webPageTemplate(const QString& baseDir);

// Write the page or the folder; a failure throws std::runtime_error with the reason.
void exportWebPage(const TForm1& form, const QString& pageFile);
void exportGameFolder(const TForm1& form, const QString& folder);
