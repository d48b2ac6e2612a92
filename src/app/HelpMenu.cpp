#include "app/HelpMenu.h"

#include "app/Guarded.h"
#include "model/Version.h"
#include "platform/DataPlaces.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QUrl>

namespace {

void openUserGuide(QMainWindow* window, const QString& baseDir) {
    const QString guide = userGuidePath(hakoniwa::DataPlaces::current().binaryDir(), baseDir);
    if (guide.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
        window->statusBar()->showMessage(
            QStringLiteral("説明書を開けません。README.md をご覧ください"));
}

void showAbout(QMainWindow* window) {
    QMessageBox::about(
        window, QStringLiteral("バージョン情報"),
        QStringLiteral("<p><b>箱庭</b> バージョン %1</p>"
                       "<p>コードを書かずに小さなゲームを作るエディタです。</p>"
                       "<p>ライセンス: MIT ライセンス (LICENSE)</p>"
                       "<p>画面の日本語は IPA ゴシック (fonts-ipafont-gothic) で表示します。"
                       "このフォントは IPA フォントライセンス v1.0 で配布されています。</p>")
            .arg(QString::fromLatin1(hakoniwa::kVersion)));
}

} // namespace

void addHelpMenu(QMainWindow* window, const QString& baseDir) {
    QMenu* help = window->menuBar()->addMenu(QStringLiteral("ヘルプ"));
    help->addAction(QStringLiteral("使い方"), window,
                    [window, &baseDir] { reported([&] { openUserGuide(window, baseDir); }); });
    help->addAction(QStringLiteral("バージョン情報"), window,
                    [window] { reported([&] { showAbout(window); }); });
}

QString userGuidePath(const QString& binaryDir, const QString& baseDir) {
    const QString candidates[] = {
        QDir(binaryDir).filePath(QStringLiteral("../share/doc/hakoniwa/README.md")),
        QDir(baseDir).filePath(QStringLiteral("README.md"))};
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    return QString();
}
