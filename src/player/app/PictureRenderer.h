#pragma once

#include "player/app/ImageCache.h"
#include "player/runtime/Game.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStaticText>
#include <string>
#include <unordered_map>

// Draws what the game's screen shows (a Picture) onto an image; the same for the window and
// for headless runs.
namespace hakoniwa::player {

class PictureRenderer {
public:
    // The cache is the caller's and must outlive the renderer.
    explicit PictureRenderer(ImageCache& images);

    // Paints the whole of `frame`: background, images by number, then texts.
    void render(const Picture& picture, QImage& frame);

    static QColor backgroundColour(int index);
    static QColor textColour(int index);
    // The font of the game's texts (a Japanese Gothic face, 20 px).
    static QFont textFont();

private:
    const QStaticText& laidOut(const std::string& text);

    ImageCache& images;
    QFont font;
    std::unordered_map<std::string, QStaticText> texts;
};

} // namespace hakoniwa::player
