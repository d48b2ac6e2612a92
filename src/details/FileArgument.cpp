#include "details/Settei.h"

#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "model/AssetName.h"
#include "model/CellText.h"
#include "platform/Cp932Codec.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFileInfo>

// A file argument of a command row is filled from the open dialog. The path is kept relative
// to the project's folder where it can be, so that a project moved with its images and
// sounds still finds them (the player resolves such paths against the project's folder).

namespace {

QString filtersFor(hakoniwa::FileKind kind) {
    const QString images = QStringLiteral("画像 (*.png *.bmp)");
    const QString sounds = QStringLiteral("音 (*.wav)");
    const QString all = QStringLiteral("すべてのファイル (*)");
    switch (kind) {
    case hakoniwa::FileKind::Image:
        return images + QStringLiteral(";;") + all;
    case hakoniwa::FileKind::Sound:
        return sounds + QStringLiteral(";;") + all;
    case hakoniwa::FileKind::Any:
        break;
    }
    return images + QStringLiteral(";;") + sounds + QStringLiteral(";;") + all;
}

// The folder of the saved project, or an empty text for a project never saved.
QString projectFolder() {
    return Form1->projectFile.isEmpty() ? QString() : QFileInfo(Form1->projectFile).absolutePath();
}

// The name a file argument stores for `file`: relative to the project's folder when the file
// lies there, else its whole path (`folder` is empty for a project never saved).
QString pathToStore(const QString& file, const QString& folder) {
    return QString::fromStdString(hakoniwa::assetCellName(
        QFileInfo(file).absoluteFilePath().toStdString(), folder.toStdString()));
}

} // namespace

void TForm3::chooseArgumentFile(hakoniwa::ItemSheet& sheet, int column, int row,
                                hakoniwa::FileKind kind) {
    const QString folder = projectFolder();
    const std::optional<QString> file = hakoniwa::Dialogs::current().openArgumentFile(
        this, folder.isEmpty() ? lastArgumentFolder_ : folder, filtersFor(kind));
    if (!file)
        return;
    lastArgumentFolder_ = QFileInfo(*file).absolutePath();
    const QString stored = pathToStore(*file, folder);
    recordEdit(QStringLiteral("ファイルの選択"), [&] {
        sheet.setCell(column, row, hakoniwa::cleanCellText(hakoniwa::fromQt(stored)));
    });
    refreshSheet();
}
