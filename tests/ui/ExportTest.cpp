#include "WindowsFixture.h"

#include "app/GameExportMenu.h"
#include "app/Unit1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray contents(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void write(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

} // namespace

using Export = WindowsFixture;

// The walker template opened from a folder of its own, exported as it stands.
TEST_F(Export, WritesThePageAndTheFolderOfTheOpenProject) {
    const QString source = QStringLiteral(HAKONIWA_SOURCE_DIR "/dat/templates/walker/");
    QDir().mkpath(scratch.filePath("walker"));
    for (const QString name : {"game.txt", "player.png", "coin.png", "coin.wav", "clear.wav"})
        QFile::copy(source + name, scratch.filePath("walker/") + name);
    Form1->openRecent(scratch.filePath("walker/game.txt"));
    ASSERT_EQ(Form1->projectFile, scratch.filePath("walker/game.txt"));

    const QString page = scratch.filePath("out/page.html");
    EXPECT_THROW(exportWebPage(*Form1, page), std::runtime_error); // no template yet
    write(scratch.filePath("dat/web/hakoniwa-web.html"),
          "<title>@HAKONIWA_TITLE@</title>@HAKONIWA_GAME@");
    QDir().mkpath(scratch.filePath("out"));
    exportWebPage(*Form1, page);
    const QByteArray written = contents(page);
    EXPECT_TRUE(written.startsWith("<title>game</title>{\"project\":\"game/game.txt\""));
    EXPECT_TRUE(written.contains("[\"game/player.png\",\"" +
                                 contents(source + "player.png").toBase64() + "\"]"));

    exportGameFolder(*Form1, scratch.filePath("out/walker"));
    for (const QString name :
         {"game.txt", "player.png", "coin.wav", "game.html", "game.sh", "game.desktop"})
        EXPECT_TRUE(QFileInfo::exists(scratch.filePath("out/walker/") + name))
            << name.toStdString();
    EXPECT_EQ(contents(scratch.filePath("out/walker/game.html")), written);
}
