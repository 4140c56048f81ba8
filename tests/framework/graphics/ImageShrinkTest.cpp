// The box filter that shrinks pictures: exact area weights at an uneven ratio, colours weighted
// by alpha.

#include "framework/graphics/ImageShrink.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

// Three columns into two: the middle column is split half and half; two rows into one. The
// transparent red column gives the right pixel its alpha but none of its colour.
TEST(ImageShrinkTest, EachPixelIsTheAlphaWeightedMeanOfTheAreaItCovers) {
    const uint32_t pixels[] = {
        0xFF0000FF, 0xFFFFFFFF, 0x00FF0000, //
        0xFF0000FF, 0xFF000000, 0x00FF0000, //
    };
    EXPECT_EQ(ShrinkImage(pixels, 3, 2, 2, 1), (std::vector<uint32_t>{0xFF2B2BD5, 0x55808080}));
}

} // namespace
} // namespace Vuro::Test
