#include "ProgramApplication.h"
#include "platform/Cp932Codec.h"
#include "player/app/ErrorOverlay.h"
#include "player/app/ImageCache.h"
#include "player/app/PictureRenderer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hakoniwa;
using namespace hakoniwa::player;

namespace {

class RenderPicture : public ::testing::Test {
protected:
    void SetUp() override { ensureApplication(); }

    std::string writeImage(const char* name, QColor colour, QSize size, const char* format) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = folder.filePath(QString::fromUtf8(name));
        EXPECT_TRUE(image.save(path, format));
        return path.toStdString();
    }

    // Pixels of `area` whose colour lies near `colour`.
    static int pixelsNear(const QImage& frame, QRect area, QColor colour) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = frame.pixelColor(x, y);
                if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                        std::abs(c.blue() - colour.blue()) <
                    60)
                    ++count;
            }
        return count;
    }

    QTemporaryDir folder;
    ImageCache images;
};

TEST_F(RenderPicture, DrawsBackgroundImagesInNumberOrderAndTexts) {
    Picture picture;
    picture.background = 2; // 空色
    // Image 2 lies over image 1 where they overlap, whatever the order they were shown in.
    picture.images[2] = {writeImage("blue.bmp", Qt::blue, {20, 20}, "BMP"), 110, 10};
    picture.images[1] = {writeImage("red.png", Qt::red, {20, 20}, "PNG"), 100, 10};
    picture.images[3] = {folder.filePath("missing.png").toStdString(), 0, 0};
    picture.texts.push_back({Cp932Codec::encode(QStringLiteral("得点")), 10, 200, 4}); // 黄
    QImage frame(640, 480, QImage::Format_RGB32);
    PictureRenderer(images).render(picture, frame);

    EXPECT_EQ(frame.pixelColor(0, 0), PictureRenderer::backgroundColour(2));
    EXPECT_EQ(frame.pixelColor(639, 479), PictureRenderer::backgroundColour(2));
    EXPECT_EQ(frame.pixelColor(105, 15), QColor(Qt::red));
    EXPECT_EQ(frame.pixelColor(115, 15), QColor(Qt::blue));
    EXPECT_EQ(frame.pixelColor(125, 25), QColor(Qt::blue));
    EXPECT_EQ(frame.pixelColor(131, 15), PictureRenderer::backgroundColour(2));
    // Two 20-pixel characters from (10, 200): yellow ink inside, none below or to the right.
    EXPECT_GT(pixelsNear(frame, QRect(10, 200, 40, 22), PictureRenderer::textColour(4)), 40);
    EXPECT_EQ(pixelsNear(frame, QRect(10, 230, 100, 30), PictureRenderer::textColour(4)), 0);
    EXPECT_EQ(pixelsNear(frame, QRect(60, 195, 60, 30), PictureRenderer::textColour(4)), 0);
}

TEST_F(RenderPicture, ImageSizesComeFromTheSameCacheAndUnreadableFilesHaveNone) {
    const std::string bmp = writeImage("a.bmp", Qt::green, {32, 16}, "BMP");
    ASSERT_TRUE(images.size(bmp));
    EXPECT_EQ(images.size(bmp)->width, 32);
    EXPECT_EQ(images.size(bmp)->height, 16);
    const std::string jpeg = writeImage("b.jpg", Qt::green, {8, 8}, "JPG");
    EXPECT_FALSE(images.size(jpeg)); // neither PNG nor BMP
    EXPECT_FALSE(images.size(folder.filePath("none.png").toStdString()));
    const std::string wide =
        writeImage("wide.png", Qt::green, {ImageCache::kMaxSide + 1, 1}, "PNG");
    EXPECT_FALSE(images.size(wide)); // larger than a game may show
    // Read once: a file replaced on disk does not change what the game sees.
    writeImage("a.bmp", Qt::green, {4, 4}, "BMP");
    EXPECT_EQ(images.size(bmp)->width, 32);
}

TEST_F(RenderPicture, OutOfRangeColoursFallBackToTheFirst) {
    EXPECT_EQ(PictureRenderer::backgroundColour(9), PictureRenderer::backgroundColour(0));
    EXPECT_EQ(PictureRenderer::textColour(-1), PictureRenderer::textColour(0));
}

TEST_F(RenderPicture, ErrorOverlayNamesSceneItemRowAndReasonOverTheDimmedFrame) {
    const PlayError error{Cp932Codec::encode(QStringLiteral("メイン")),
                          Cp932Codec::encode(QStringLiteral("敵")), 3, "0 で割ることはできません"};
    const QStringList lines = errorOverlayLines(error);
    EXPECT_EQ(lines.join(QLatin1Char('|')), QStringLiteral("エラーで止まりました|シーン「メイン」|"
                                                           "アイテム「敵」 3 行目|"
                                                           "0 で割ることはできません"));
    // A reading failure before the game started has no scene or item.
    EXPECT_EQ(errorOverlayLines(PlayError{{}, {}, 0, "ファイル x は開けません"}).size(), 2);

    QImage frame(640, 480, QImage::Format_RGB32);
    frame.fill(Qt::white);
    paintErrorOverlay(frame, error);
    EXPECT_LT(frame.pixelColor(2, 2).lightness(), 255); // dimmed, still showing
    EXPECT_GT(frame.pixelColor(2, 2).lightness(), 100);
    EXPECT_GT(frame.pixelColor(320, 240).red(), frame.pixelColor(320, 240).blue() + 40); // panel
    EXPECT_GT(pixelsNear(frame, QRect(0, 150, 640, 180), Qt::white), 100);               // its text
}

} // namespace
