#include "model/BitmapShape.h"

namespace hakoniwa {
namespace {

constexpr int kBytesPerPixel = 3;

bool isBlack(const std::uint8_t* row, int x) {
    const std::uint8_t* pixel = row + x * kBytesPerPixel;
    return pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
}

} // namespace

std::vector<PixelRun> BitmapShape::runs(const std::uint8_t* pixels, int width, int height,
                                        std::size_t bytesPerRow) {
    std::vector<PixelRun> out;
    for (int y = 0; y < height; ++y)
        appendRowRuns(pixels + y * bytesPerRow, width, y, out);
    return out;
}

void BitmapShape::appendRowRuns(const std::uint8_t* row, int width, int y,
                                std::vector<PixelRun>& out) {
    int x = 0;
    while (x < width) {
        if (isBlack(row, x)) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < width && !isBlack(row, x))
            ++x;
        out.push_back({y, start, x});
    }
}

} // namespace hakoniwa
