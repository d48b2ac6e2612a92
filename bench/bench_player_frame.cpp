// Drawing one frame of a busy game headless: 200 moving images (eight sprite files with
// transparency) and 20 texts on a 640 x 480 screen, timed through the player's renderer and,
// for comparison, as a bare QPainter loop that draws the same images and texts, loaded and laid
// out in advance. Prints both and their ratio.
#include "RunTimes.h"
#include "platform/Cp932Codec.h"
#include "player/app/ImageCache.h"
#include "player/app/PictureRenderer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QStaticText>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace hakoniwa;
using namespace hakoniwa::player;

namespace {

constexpr int kImages = 200;
constexpr int kTexts = 20;
constexpr int kSprites = 8;
const QSize kScreen(640, 480);

// Sprite files of 32 x 32 pixels: a coloured disc on a transparent square.
std::vector<std::string> writeSprites(const QTemporaryDir& folder) {
    std::vector<std::string> paths;
    for (int i = 0; i < kSprites; ++i) {
        QImage sprite(32, 32, QImage::Format_ARGB32);
        sprite.fill(Qt::transparent);
        QPainter painter(&sprite);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor::fromHsv(i * 45, 200, 230));
        painter.drawEllipse(1, 1, 30, 30);
        painter.end();
        const QString path = folder.filePath(QStringLiteral("sprite%1.png").arg(i));
        sprite.save(path);
        paths.push_back(path.toStdString());
    }
    return paths;
}

// Where image i stands in frame f: each moves on its own straight line, wrapping round.
QPoint position(int i, long long f) {
    return {static_cast<int>((i * 37 + f * (1 + i % 5)) % kScreen.width()) - 16,
            static_cast<int>((i * 53 + f * (1 + i % 3)) % kScreen.height()) - 16};
}

QString textOf(int i) {
    return QStringLiteral("文字 %1 番目の表示").arg(i);
}

std::vector<std::string> sprites;

void BM_playerFrame(benchmark::State& state) {
    ImageCache images;
    PictureRenderer renderer(images);
    QImage frame(kScreen, QImage::Format_RGB32);
    Picture picture;
    picture.background = 2;
    for (int i = 0; i < kTexts; ++i)
        picture.texts.push_back(
            {Cp932Codec::encode(textOf(i)), 10 + (i % 2) * 320, 10 + (i / 2) * 46, i % 5});
    long long f = 0;
    for (auto _ : state) {
        for (int i = 0; i < kImages; ++i) {
            const QPoint at = position(i, f);
            picture.images[i + 1] = {sprites[i % kSprites], at.x(), at.y()};
        }
        renderer.render(picture, frame);
        benchmark::DoNotOptimize(frame.constBits());
        ++f;
    }
    state.counters["images"] = kImages;
    state.counters["texts"] = kTexts;
}

void BM_bareQPainter(benchmark::State& state) {
    std::vector<QImage> loaded;
    for (const std::string& path : sprites)
        loaded.push_back(QImage(QString::fromStdString(path))
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied));
    const QFont font = PictureRenderer::textFont();
    std::vector<QStaticText> texts;
    for (int i = 0; i < kTexts; ++i) {
        texts.emplace_back(textOf(i));
        texts.back().prepare(QTransform(), font);
    }
    QImage frame(kScreen, QImage::Format_RGB32);
    long long f = 0;
    for (auto _ : state) {
        QPainter painter(&frame);
        painter.fillRect(frame.rect(), PictureRenderer::backgroundColour(2));
        for (int i = 0; i < kImages; ++i)
            painter.drawImage(position(i, f), loaded[i % kSprites]);
        painter.setFont(font);
        for (int i = 0; i < kTexts; ++i) {
            painter.setPen(PictureRenderer::textColour(i % 5));
            painter.drawStaticText(10 + (i % 2) * 320, 10 + (i / 2) * 46, texts[i]);
        }
        painter.end();
        benchmark::DoNotOptimize(frame.constBits());
        ++f;
    }
}

BENCHMARK(BM_playerFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_bareQPainter)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    const QTemporaryDir folder;
    sprites = writeSprites(folder);
    benchmark::Initialize(&argc, argv);
    RunTimes reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double player = reporter.times["BM_playerFrame"];
    const double bare = reporter.times["BM_bareQPainter"];
    if (player > 0 && bare > 0)
        std::printf("player frame %.1f us (%.0f frames/s), bare QPainter %.1f us, ratio %.2f\n",
                    player, 1e6 / player, bare, player / bare);
    benchmark::Shutdown();
    return 0;
}
