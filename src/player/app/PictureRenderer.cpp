#include "player/app/PictureRenderer.h"

#include "platform/Cp932Codec.h"

#include <QPainter>
#include <array>

namespace hakoniwa::player {
namespace {

// Texts laid out once are kept; a game that writes ever new texts (a running clock) would
// otherwise let the store grow without end.
constexpr std::size_t kMaxLaidOutTexts = 2048;

const std::array<QColor, 5> kBackgrounds = {
    QColor(0, 0, 0),       // 黒
    QColor(255, 255, 255), // 白
    QColor(135, 200, 240), // 空色
    QColor(110, 175, 75),  // 草色
    QColor(240, 130, 70),  // 夕焼け色
};

const std::array<QColor, 5> kTextColours = {
    QColor(255, 255, 255), // 白
    QColor(0, 0, 0),       // 黒
    QColor(225, 30, 40),   // 赤
    QColor(40, 90, 230),   // 青
    QColor(250, 215, 30),  // 黄
};

template <std::size_t N> QColor pick(const std::array<QColor, N>& colours, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? colours[index] : colours[0];
}

} // namespace

PictureRenderer::PictureRenderer(ImageCache& images) : images(images), font(textFont()) {}

QColor PictureRenderer::backgroundColour(int index) {
    return pick(kBackgrounds, index);
}

QColor PictureRenderer::textColour(int index) {
    return pick(kTextColours, index);
}

QFont PictureRenderer::textFont() {
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(20);
    return font;
}

const QStaticText& PictureRenderer::laidOut(const std::string& text) {
    auto found = texts.find(text);
    if (found != texts.end())
        return found->second;
    if (texts.size() >= kMaxLaidOutTexts)
        texts.clear();
    QStaticText laid(Cp932Codec::decode(text));
    laid.setTextFormat(Qt::PlainText);
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(QTransform(), font);
    return texts.emplace(text, std::move(laid)).first->second;
}

void PictureRenderer::render(const Picture& picture, QImage& frame) {
    QPainter painter(&frame);
    painter.fillRect(frame.rect(), backgroundColour(picture.background));
    for (const auto& [number, shown] : picture.images) {
        const QImage& image = images.image(shown.path);
        if (!image.isNull())
            painter.drawImage(shown.x, shown.y, image);
    }
    painter.setFont(font);
    // A text starts at its top-left corner: one starting past the right or bottom edge shows
    // nothing. The pen changes only with the colour: screens of many texts share a few.
    int colour = -1;
    for (const PictureText& text : picture.texts) {
        if (text.x >= frame.width() || text.y >= frame.height())
            continue;
        if (text.colour != colour) {
            colour = text.colour;
            painter.setPen(textColour(colour));
        }
        painter.drawStaticText(text.x, text.y, laidOut(text.text));
    }
}

} // namespace hakoniwa::player
