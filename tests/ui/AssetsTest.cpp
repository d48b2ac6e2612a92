#include "WindowsFixture.h"

#include "app/AssetsWindow.h"
#include "app/Unit1.h"
#include "details/Settei.h"
#include "details/SheetModel.h"
#include "details/SheetView.h"
#include "editor/Unit2.h"
#include "model/TextOps.h"
#include "platform/Cp932Codec.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QUndoStack>
#include <QUrl>

namespace {

// The assets window over an item whose first command row shows an image (画像表示).
class Assets : public WindowsFixture {
protected:
    void SetUp() override {
        WindowsFixture::SetUp();
        item = addCurrentItem();
        for (const std::string& line : Form3->definitions.instructions)
            if (hakoniwa::toQt(line).startsWith(QStringLiteral("画像表示-")))
                showImage = line;
        item->sheet.setCell(1, 2, "0");
        item->sheet.setCell(2, 2, showImage);
        Form3->placeSheet(item, SheetPlacement::Shown);
        window = showAssetsWindow(Form1);
    }
    // A small picture outside the project's folder.
    QString picture(const QString& name, Qt::GlobalColor colour) {
        QDir().mkpath(scratch.filePath("desktop"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = scratch.filePath("desktop/" + name);
        image.save(path);
        return path;
    }
    void saveProjectIn(const QString& folder) {
        QDir().mkpath(scratch.filePath(folder));
        Form1->projectFile = scratch.filePath(folder + "/game.txt");
    }
    std::string fileCell() const { return std::string(item->sheet.cell(4, 2)); }

    hakoniwa::Item* item = nullptr;
    std::string showImage;
    AssetsWindow* window = nullptr;
};

} // namespace

TEST_F(Assets, FilesAreCopiedIntoTheProjectFolderOnlyOnceItIsSaved) {
    const QString red = picture("pic.png", Qt::red);
    dialogs->choice = 1; // キャンセル: not saved, nothing copied
    EXPECT_TRUE(window->addFiles({red}).isEmpty());
    EXPECT_EQ(dialogs->questions.size(), 1);
    EXPECT_TRUE(Form1->projectFile.isEmpty());

    saveProjectIn("games");
    const QStringList added = window->addFiles({red});
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(QFileInfo(added[0]).fileName(), "pic.png");
    // Another file of the same name does not overwrite the first; a file already in the
    // folder is not copied again; the list shows both.
    QFile::remove(red);
    const QStringList second = window->addFiles({picture("pic.png", Qt::blue), added[0]});
    EXPECT_EQ(QFileInfo(second.value(0)).fileName(), "pic-2.png");
    EXPECT_EQ(second.value(1), added[0]);
    EXPECT_EQ(window->listedFiles().size(), 2);
    EXPECT_EQ(QImage(added[0]).pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(Assets, AnAssetGoesIntoTheSelectedCellByNameAsOneUndoStep) {
    saveProjectIn("games");
    const QString copied = window->addFiles({picture("hero.png", Qt::green)}).value(0);
    Form3->sheetView->setCurrentIndex(Form3->sheetView->sheetModel()->index(2, 4));
    const int steps = Form1->undoStack->count();
    ASSERT_TRUE(window->useAsset(copied));
    EXPECT_EQ(fileCell(), "hero.png");
    EXPECT_EQ(Form1->undoStack->count(), steps + 1);
    Form1->undoStack->undo();
    EXPECT_EQ(fileCell(), "");

    // A drop on the file argument cell names the file alike; other cells take no drop.
    EXPECT_TRUE(Form3->isFileArgumentCell(4, 2));
    EXPECT_FALSE(Form3->isFileArgumentCell(3, 2));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(copied)});
    QWidget* viewport = Form3->sheetView->viewport();
    const QPoint at =
        Form3->sheetView->visualRect(Form3->sheetView->sheetModel()->index(2, 4)).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_EQ(fileCell(), "hero.png");

    // Without a selected cell nothing is written.
    Form3->placeSheet(nullptr, SheetPlacement::Shown);
    EXPECT_FALSE(window->useAsset(copied));
}
