#pragma once

#include "player/runtime/Game.h"

#include <QImage>
#include <optional>
#include <string>
#include <unordered_map>

// The game's image files, each read once (PNG or BMP) and kept ready for fast drawing.
namespace hakoniwa::player {

class ImageCache {
public:
    // Images larger than this on either side are not read.
    static constexpr int kMaxSide = 4096;
    // Past this many bytes of images read, the cache starts afresh: images still shown are
    // read again when next drawn.
    static constexpr qsizetype kMaxBytes = qsizetype{512} << 20;

    // The image at `path` (UTF-8); a null image when the file cannot be read as PNG or BMP or
    // is too large. The reference stays valid until the next call.
    const QImage& image(const std::string& path);
    std::optional<ImageSize> size(const std::string& path);

private:
    std::unordered_map<std::string, QImage> images;
    qsizetype bytes = 0;
};

} // namespace hakoniwa::player
