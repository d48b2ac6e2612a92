#include "player/runtime/Screen.h"

#include "player/runtime/Limits.h"
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
    if (static_cast<std::int64_t>(picture_.images.size()) >= limits::kScreenImages &&
        !picture_.images.count(number))
        throw RowFault(limits::tooMuch("画像が多すぎます", limits::kScreenImages, "枚"));
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

std::uint64_t Screen::positionKey(int x, int y) {
    return std::uint64_t{static_cast<std::uint32_t>(x)} << 32 | static_cast<std::uint32_t>(y);
}

void Screen::writeText(std::string text, int x, int y, int colour) {
    auto& texts = picture_.texts;
    const auto same = textAt_.find(positionKey(x, y));
    const std::int64_t before = same == textAt_.end() ? 0 : texts[same->second].text.size();
    if (text.empty()) {
        if (same != textAt_.end())
            removeText(same->second);
        return;
    }
    const std::int64_t bytes = textBytes_ - before + static_cast<std::int64_t>(text.size());
    if (bytes > limits::kScreenTextBytes)
        throw RowFault(
            limits::tooMuch("画面の文字が多すぎます", limits::kScreenTextBytes, "バイト"));
    textBytes_ = bytes;
    if (same != textAt_.end()) {
        texts[same->second].text = std::move(text);
        texts[same->second].colour = colour;
        return;
    }
    if (static_cast<std::int64_t>(texts.size()) >= limits::kScreenTexts)
        throw RowFault(limits::tooMuch("画面の文字が多すぎます", limits::kScreenTexts, "個"));
    textAt_.emplace(positionKey(x, y), texts.size());
    texts.push_back(PictureText{std::move(text), x, y, colour});
}

// The later texts move up by one, keeping the order they were written in.
void Screen::removeText(std::size_t at) {
    auto& texts = picture_.texts;
    textBytes_ -= static_cast<std::int64_t>(texts[at].text.size());
    textAt_.erase(positionKey(texts[at].x, texts[at].y));
    texts.erase(texts.begin() + static_cast<std::ptrdiff_t>(at));
    for (std::size_t i = at; i < texts.size(); ++i)
        textAt_[positionKey(texts[i].x, texts[i].y)] = i;
}

void Screen::clear() {
    picture_.images.clear();
    picture_.texts.clear();
    sizes_.clear();
    textAt_.clear();
    textBytes_ = 0;
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
