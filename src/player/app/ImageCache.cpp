#include "player/app/ImageCache.h"

#include <QImageReader>
#include <QString>

namespace hakoniwa::player {
namespace {

QImage load(const std::string& path) {
    QImageReader reader(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "bmp")
        return {};
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > ImageCache::kMaxSide ||
        size.height() > ImageCache::kMaxSide)
        return {};
    // Premultiplied ARGB is what QPainter blends fastest onto the frame.
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

const QImage& ImageCache::image(const std::string& path) {
    auto found = images.find(path);
    if (found != images.end())
        return found->second;
    QImage loaded = load(path);
    if (bytes + loaded.sizeInBytes() > kMaxBytes) {
        images.clear();
        bytes = 0;
    }
    bytes += loaded.sizeInBytes();
    return images.emplace(path, std::move(loaded)).first->second;
}

std::optional<ImageSize> ImageCache::size(const std::string& path) {
    const QImage& loaded = image(path);
    if (loaded.isNull())
        return std::nullopt;
    return ImageSize{loaded.width(), loaded.height()};
}

} // namespace hakoniwa::player
