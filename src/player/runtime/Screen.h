#pragma once

#include "player/runtime/Game.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

// What the game has put on the screen, with the size of every image shown, for the picture
// and for hit tests.
namespace hakoniwa::player {

class Screen {
public:
    const Picture& picture() const { return picture_; }

    // Shows the image file (absolute UTF-8 path) as image `number`, replacing the one shown
    // under that number. Throws RowFault when the host cannot read the file's size.
    void showImage(int number, const std::string& path, int x, int y, Host& host);
    // Throws RowFault when no image is shown under the number.
    void moveImage(int number, int x, int y);
    void removeImage(int number);
    // A text already shown at exactly (x, y) is replaced; the empty text removes it. Throws
    // RowFault past the limits of texts on the screen.
    void writeText(std::string text, int x, int y, int colour);
    void setBackground(int colour) { picture_.background = colour; }
    // Removes every image and text; the background stays.
    void clear();
    // Both images are shown and their rectangles share at least one pixel.
    bool overlaps(int first, int second) const;
    // The size of a shown image, or nullptr when none is shown under the number.
    const ImageSize* shownSize(int number) const;

private:
    static std::uint64_t positionKey(int x, int y);
    void removeText(std::size_t at);

    Picture picture_;
    std::unordered_map<std::uint64_t, std::size_t> textAt_; // by position: index in texts
    std::int64_t textBytes_ = 0;
    std::map<int, ImageSize> sizes_;                       // by image number
    std::unordered_map<std::string, ImageSize> fileSizes_; // by path, read once
};

} // namespace hakoniwa::player
