#include "details/Settei.h"

#include "app/Guarded.h"
#include "app/UndoSteps.h"
#include "app/Unit1.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "model/ArgumentHint.h"
#include "model/AssetName.h"
#include "model/CellText.h"
#include "model/CommandEntryRules.h"
#include "model/Item.h"
#include "platform/Cp932Codec.h"

#include <QDragMoveEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

// Project files named into argument cells: from the assets window (a double-click, a drag)
// and from the desktop (a drop on a file argument cell).

namespace {

// The first local file a drag carries, or an empty text.
QString draggedFile(const QMimeData* data) {
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return QString();
}

// Takes drags of files over the sheet: over a file argument cell they may drop.
class AssetDropFilter : public QObject {
public:
    AssetDropFilter(TForm3* window, SheetView* view) : QObject(view), window_(window), view_(view) {
        view->viewport()->setAcceptDrops(true);
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            const QPoint cell = view_->cellAt(drag->position().toPoint());
            if (!draggedFile(drag->mimeData()).isEmpty() &&
                window_->isFileArgumentCell(cell.x(), cell.y()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QPoint cell = view_->cellAt(drop->position().toPoint());
            const QString file = draggedFile(drop->mimeData());
            reported([&] {
                if (window_->isFileArgumentCell(cell.x(), cell.y()) &&
                    window_->putAssetName(cell.x(), cell.y(), file))
                    drop->acceptProposedAction();
            });
            return true;
        }
        default:
            return false;
        }
    }

private:
    TForm3* window_;
    SheetView* view_;
};

} // namespace

QModelIndex TForm3::selectedCell() const {
    return sheetView->sheet() ? sheetView->currentIndex() : QModelIndex();
}

bool TForm3::isFileArgumentCell(int column, int row) const {
    const hakoniwa::ItemSheet* sheet = sheetView->sheet();
    if (!sheet || hakoniwa::entryComboFor(*sheet, column, row) != hakoniwa::EntryCombo::Arguments)
        return false;
    return hakoniwa::ArgumentHint::build(sheet->cell(2, row), column).kind ==
           hakoniwa::ArgumentKind::File;
}

bool TForm3::putAssetName(int column, int row, const QString& file) {
    hakoniwa::ItemSheet* sheet = sheetView->sheet();
    if (!sheet || file.isEmpty() ||
        hakoniwa::entryComboFor(*sheet, column, row) != hakoniwa::EntryCombo::Arguments)
        return false;
    const QString folder =
        Form1->projectFile.isEmpty() ? QString() : QFileInfo(Form1->projectFile).absolutePath();
    const std::string name = hakoniwa::assetCellName(
        QFileInfo(file).absoluteFilePath().toStdString(), folder.toStdString());
    recordEdit(QStringLiteral("ファイルの選択"), [&] {
        sheet->setCell(column, row,
                       hakoniwa::cleanCellText(hakoniwa::fromQt(QString::fromStdString(name))));
    });
    refreshSheet();
    return true;
}

void TForm3::connectAssetDrops() {
    new AssetDropFilter(this, sheetView);
}
