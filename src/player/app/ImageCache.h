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
    // The image at `path` (UTF-8); a null image when the file cannot be read as PNG or BMP.
    // The reference stays valid while the cache lives.
    const QImage& image(const std::string& path);
    std::optional<ImageSize> size(const std::string& path);

private:
    std::unordered_map<std::string, QImage> images;
};

} // namespace hakoniwa::player
