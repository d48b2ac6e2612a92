#include "model/BitmapShape.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

namespace {

// A 24-bit image whose rows are padded to 4 bytes, as bitmap files store them.
struct Image {
    int width, height;
    std::size_t stride;
    std::vector<std::uint8_t> bytes;
    Image(int w, int h, std::uint8_t fill)
        : width(w), height(h), stride((w * 3 + 3) & ~3), bytes(stride * h, fill) {}
    void set(int x, int y, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
        std::uint8_t* pixel = &bytes[y * stride + x * 3];
        pixel[0] = b;
        pixel[1] = g;
        pixel[2] = r;
    }
    std::vector<PixelRun> runs() const {
        return BitmapShape::runs(bytes.data(), width, height, stride);
    }
};

} // namespace

TEST(BitmapShape, NoBlackPixelGivesOneRunPerRow) {
    const Image image(5, 3, 0x80);
    EXPECT_EQ(image.runs(), (std::vector<PixelRun>{{0, 0, 5}, {1, 0, 5}, {2, 0, 5}}));
}

TEST(BitmapShape, AllBlackGivesNothing) {
    // The padding bytes behind each row are not pixels.
    Image image(3, 2, 0);
    image.bytes[image.stride - 1] = 0xFF;
    EXPECT_TRUE(image.runs().empty());
}

TEST(BitmapShape, BlackPixelsSplitRunsAndNearBlackIsKept) {
    Image image(10, 3, 0xFF);
    image.set(3, 0, 0, 0, 0);
    image.set(0, 1, 0, 0, 0);
    image.set(9, 1, 0, 0, 0);
    image.set(4, 2, 0, 1, 0); // one byte of value 1 is not black
    EXPECT_EQ(image.runs(), (std::vector<PixelRun>{{0, 0, 3}, {0, 4, 10}, {1, 1, 9}, {2, 0, 10}}));
}
