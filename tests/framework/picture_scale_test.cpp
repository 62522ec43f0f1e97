// Smooth scaling: a copy at the same size, means when shrinking, straight
// lines between neighbours when enlarging, across and down alike, within
// the crop only.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/framework/picture_scale.h"

namespace {

// A picture of 4-byte pixels whose channels are v, 255 - v, v / 2 and 7.
std::vector<std::uint8_t> Pixels(const std::vector<int>& values) {
    std::vector<std::uint8_t> bytes;
    for (int v : values)
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v),
                                   static_cast<std::uint8_t>(v / 2), 7});
    return bytes;
}

// Scales a picture `w` pixels wide of `values` (row after row) and gives the first
// channel of each target pixel; checks that the others followed it.
std::vector<int> Scaled(const std::vector<int>& values, int w, kvn::PictureCrop crop,
                        kvn::PictureSize size) {
    const std::vector<std::uint8_t> from = Pixels(values);
    std::vector<std::uint8_t> to(static_cast<std::size_t>(size.w * size.h) * 4);
    kvn::ScalePixels({from.data(), w * 4}, crop, {to.data(), size.w * 4}, size);
    std::vector<int> first;
    for (std::size_t i = 0; i < to.size(); i += 4) {
        first.push_back(to[i]);
        EXPECT_NEAR(to[i + 1], 255 - to[i], 1);
        EXPECT_NEAR(to[i + 2], to[i] / 2, 1);
        EXPECT_EQ(to[i + 3], 7);
    }
    return first;
}

TEST(PictureScale, CopiesAtTheSameSizeAveragesWhenShrinkingAndBlendsWhenEnlarging) {
    const std::vector<int> picture{0, 40, 200, 120, 80, 250};
    EXPECT_EQ(Scaled(picture, 3, {0, 0, 3, 2}, {3, 2}), picture);
    EXPECT_EQ(Scaled({0, 254}, 2, {0, 0, 2, 1}, {1, 1}), (std::vector<int>{127}));
    EXPECT_EQ(Scaled({0, 200}, 2, {0, 0, 2, 1}, {4, 1}), (std::vector<int>{0, 50, 150, 200}));
    EXPECT_EQ(Scaled({0, 200}, 1, {0, 0, 1, 2}, {1, 4}), (std::vector<int>{0, 50, 150, 200}));
}

TEST(PictureScale, TakesOnlyTheCrop) {
    // The crop's right and bottom neighbours never bleed in.
    const std::vector<int> picture{10, 90, 250, 10, 90, 250, 0, 0, 0};
    EXPECT_EQ(Scaled(picture, 3, {1, 0, 1, 2}, {2, 3}), (std::vector<int>(6, 90)));
}

} // namespace
