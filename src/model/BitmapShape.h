#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The outline of a handle window: every pure-black pixel of its bitmap is cut out, the rest
// is kept as maximal horizontal runs one pixel high.
namespace hakoniwa {

// Pixels [left, right) of row y.
struct PixelRun {
    int y;
    int left;
    int right;
    bool operator==(const PixelRun&) const = default;
};

class BitmapShape {
public:
    // Runs of a 24-bit image, top row first and left to right within a row; `pixels` points
    // at row 0 and each row starts `bytesPerRow` bytes after the previous one. A pixel is
    // black only when all three of its bytes are 0.
    static std::vector<PixelRun> runs(const std::uint8_t* pixels, int width, int height,
                                      std::size_t bytesPerRow);

    // The runs of one row of `width` pixels, appended to `out`.
    static void appendRowRuns(const std::uint8_t* row, int width, int y,
                              std::vector<PixelRun>& out);
};

} // namespace hakoniwa
