#include "player/runtime/Screen.h"

#include "player/runtime/RowFault.h"

#include <algorithm>

namespace hakoniwa::player {

void Screen::showImage(int number, const std::string& path, int x, int y, Host& host) {
    auto size = fileSizes_.find(path);
    if (size == fileSizes_.end()) {
        const std::optional<ImageSize> read = host.imageSize(path);
        if (!read)
            throw RowFault("画像を読み込めません: " + path);
        size = fileSizes_.emplace(path, *read).first;
    }
    picture_.images[number] = PictureImage{path, x, y};
    sizes_[number] = size->second;
}

void Screen::moveImage(int number, int x, int y) {
    const auto image = picture_.images.find(number);
    if (image == picture_.images.end())
        throw RowFault("画像 " + std::to_string(number) + " は表示されていません");
    image->second.x = x;
    image->second.y = y;
}

void Screen::removeImage(int number) {
    picture_.images.erase(number);
    sizes_.erase(number);
}

void Screen::writeText(std::string text, int x, int y, int colour) {
    auto& texts = picture_.texts;
    const auto same = std::find_if(texts.begin(), texts.end(),
                                   [&](const PictureText& t) { return t.x == x && t.y == y; });
    if (same == texts.end()) {
        texts.push_back(PictureText{std::move(text), x, y, colour});
        return;
    }
    same->text = std::move(text);
    same->colour = colour;
}

void Screen::clear() {
    picture_.images.clear();
    picture_.texts.clear();
    sizes_.clear();
}

bool Screen::overlaps(int first, int second) const {
    const auto a = picture_.images.find(first), b = picture_.images.find(second);
    if (a == picture_.images.end() || b == picture_.images.end())
        return false;
    const ImageSize& sa = sizes_.at(first);
    const ImageSize& sb = sizes_.at(second);
    const long long ax = a->second.x, ay = a->second.y, bx = b->second.x, by = b->second.y;
    return ax < bx + sb.width && bx < ax + sa.width && ay < by + sb.height && by < ay + sa.height;
}

const ImageSize* Screen::shownSize(int number) const {
    const auto size = sizes_.find(number);
    return size == sizes_.end() ? nullptr : &size->second;
}

} // namespace hakoniwa::player
