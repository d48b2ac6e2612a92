#include "WindowsFixture.h"

#include "app/TemplateDialog.h"
#include "app/Unit1.h"
#include "model/SourceWriter.h"
#include "model/VocabularyFiles.h"
#include "platform/Cp932Codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QUndoStack>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

using Templates = WindowsFixture;

// The dialog lists every template of templates.txt with its picture, name and description.
TEST_F(Templates, TheDialogListsEachTemplateWithItsPicture) {
    const QString folder = scratch.filePath("dat/templates");
    const auto entries = hakoniwa::readTemplateList(
        hakoniwa::readFileBytes(QDir(folder).filePath("templates.txt").toStdString()));
    TemplateDialog dialog(Form1, folder, entries);
    ASSERT_EQ(dialog.list()->count(), 4);
    for (int i = 0; i < dialog.list()->count(); ++i) {
        const QListWidgetItem* row = dialog.list()->item(i);
        EXPECT_TRUE(row->text().startsWith(hakoniwa::toQt(entries[i].name) + "\n"));
        EXPECT_TRUE(row->text().endsWith(hakoniwa::toQt(entries[i].description)));
        EXPECT_FALSE(row->icon().isNull());
    }
}

// A template opens unsaved and without a name; its save asks for one and brings the pictures
// and sounds beside the saved file, named relative to it.
TEST_F(Templates, ATemplateOpensUnsavedAndItsSaveBringsItsFilesAlong) {
    Form1->openTemplate(scratch.filePath("dat/templates/walker/game.txt"));
    EXPECT_TRUE(Form1->projectFile.isEmpty());
    EXPECT_FALSE(Form1->undoStack->isClean());
    EXPECT_EQ(Form1->windowTitle(), QStringLiteral("システム *"));
    EXPECT_EQ(Form1->project.scene(0).caption, hakoniwa::fromQt(QStringLiteral("メイン")));
    const QString unsaved = hakoniwa::toQt(hakoniwa::SourceWriter::write(Form1->project));
    EXPECT_TRUE(unsaved.contains(scratch.filePath("dat/templates/walker/player.png")));

    QDir().mkpath(scratch.filePath("mine"));
    dialogs->saveName = scratch.filePath("mine/game.txt");
    Form1->saveClick();
    EXPECT_EQ(Form1->projectFile, scratch.filePath("mine/game.txt"));
    EXPECT_TRUE(Form1->undoStack->isClean());
    for (const char* name : {"player.png", "coin.png", "coin.wav", "clear.wav"})
        EXPECT_EQ(fileBytes(scratch.filePath(QStringLiteral("mine/") + name)),
                  fileBytes(scratch.filePath(QStringLiteral("dat/templates/walker/") + name)))
            << name;
    const QByteArray saved = fileBytes(scratch.filePath("mine/game.txt"));
    EXPECT_TRUE(saved.contains("\tplayer.png\t"));
    EXPECT_FALSE(saved.contains("templates"));
}
