#include "app/GameExportMenu.h"

#include "app/Guarded.h"
#include "app/Unit1.h"
#include "model/GameExport.h"
#include "model/VocabularyFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& path) {
    return fs::path(path.toStdString());
}

// The game's name: the project file's, or "game" for a project never saved.
QString titleOf(const TForm1& form) {
    return form.projectFile.isEmpty() ? QStringLiteral("game")
                                      : QFileInfo(form.projectFile).completeBaseName();
}

hakoniwa::SharedGame gathered(const TForm1& form) {
    const QString folder =
        form.projectFile.isEmpty() ? QString() : QFileInfo(form.projectFile).absolutePath();
    return hakoniwa::gatherGame(form.project, titleOf(form).toStdString(), toPath(folder),
                                toPath(QDir(form.baseDir).filePath(QStringLiteral("dat"))));
}

std::string pageOf(const TForm1& form, const hakoniwa::SharedGame& game) {
    const QString page = webPageTemplate(form.baseDir);
    if (page.isEmpty())
        throw std::runtime_error("Webページのひな形 (dat/web/hakoniwa-web.html) がありません");
    return hakoniwa::webPage(hakoniwa::readFileBytes(toPath(page)), game);
}

void done(TForm1& form, const QString& written) {
    form.statusBar()->showMessage(QStringLiteral("書き出しました: ") +
                                  QDir::toNativeSeparators(written));
}

} // namespace

QString webPageTemplate(const QString& baseDir) {
    const QString candidates[] = {
        QDir(baseDir).filePath(QStringLiteral("dat/web/hakoniwa-web.html")),
        QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("web/hakoniwa-web.html"))};
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return candidate;
    return {};
}

void exportWebPage(const TForm1& form, const QString& pageFile) {
    const std::string page = pageOf(form, gathered(form));
    std::ofstream out(toPath(pageFile), std::ios::binary | std::ios::trunc);
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
    out.close();
    if (!out)
        throw std::runtime_error("ファイル " + pageFile.toStdString() + " に書き込めません");
}

void exportGameFolder(const TForm1& form, const QString& folder) {
    const hakoniwa::SharedGame game = gathered(form);
    hakoniwa::writeGameFolder(game, pageOf(form, game), toPath(folder));
}

void addExportMenu(QMenu* fileMenu, TForm1& form) {
    QMenu* menu = fileMenu->addMenu(QStringLiteral("書き出し"));
    menu->addAction(QStringLiteral("Webページ…"), &form, [&form] {
        reported([&] {
            const QString suggested = titleOf(form) + QStringLiteral(".html");
            const QString file =
                QFileDialog::getSaveFileName(&form, QStringLiteral("Webページに書き出し"),
                                             suggested, QStringLiteral("Webページ (*.html)"));
            if (file.isEmpty())
                return;
            exportWebPage(form, file);
            done(form, file);
        });
    });
    menu->addAction(QStringLiteral("フォルダー…"), &form, [&form] {
        reported([&] {
            const QString parent = QFileDialog::getExistingDirectory(
                &form, QStringLiteral("書き出すフォルダーの置き場所"));
            if (parent.isEmpty())
                return;
            const QString folder = QDir(parent).filePath(titleOf(form));
            exportGameFolder(form, folder);
            done(form, folder);
        });
    });
}
