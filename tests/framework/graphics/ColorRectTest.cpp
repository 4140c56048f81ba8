#include "framework/graphics/Color.h"
#include "framework/graphics/Rect.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

TEST(Color, PackedValueWithoutAlphaBitsIsOpaque) {
    const Color opaque(0x00FF8000u);
    EXPECT_EQ(opaque, Color(255, 128, 0, 255));
    const Color half(0x80FF8000u);
    EXPECT_EQ(half, Color(255, 128, 0, 128));
}

TEST(Color, ConstructorsAndConstants) {
    EXPECT_EQ(Color(), Color(0, 0, 0, 255));
    EXPECT_EQ(Color(1, 2, 3), Color(1, 2, 3, 255));
    const int rgb[3] = {9, 8, 7};
    EXPECT_EQ(Color(rgb), Color(9, 8, 7, 255));
    EXPECT_EQ(Color::Black, Color(0, 0, 0, 255));
    EXPECT_EQ(Color::White, Color(255, 255, 255, 255));
}

TEST(Color, ToIntPacksArgb) {
    EXPECT_EQ(Color(255, 128, 0, 255).ToInt(), 0xFFFF8000u);
    EXPECT_EQ(Color(1, 2, 3, 4).ToInt(), 0x04010203u);
}

TEST(Color, OutOfRangeChannelsAreClampedNotSpilled) {
    // 256 unmasked in red would carry into alpha; -1 in blue would set every bit.
    EXPECT_EQ(Color(256, 0, -1, 255).ToInt(), 0xFFFF0000u);
    EXPECT_EQ(Color(300, -5, 1000, 999).Clamped(), Color(255, 0, 255, 255));
}

TEST(Color, EqualityComparesAllFourChannels) {
    EXPECT_NE(Color(10, 20, 30, 255), Color(10, 20, 30, 254));
    EXPECT_FALSE(Color(10, 20, 30, 255) != Color(10, 20, 30, 255));
    EXPECT_NE(Color(10, 20, 31), Color(10, 20, 30));
}

TEST(Rect, IntersectionKeepsTouchingEdgesAsZeroWidth) {
    const Rect a(0, 0, 10, 10);
    EXPECT_EQ(a.Intersection(Rect(10, 0, 5, 5)), Rect(10, 0, 0, 5));
    EXPECT_EQ(a.Intersection(Rect(11, 0, 5, 5)), Rect(0, 0, 0, 0));
    EXPECT_EQ(a.Intersection(Rect(-3, 4, 5, 20)), Rect(0, 4, 2, 6));
    EXPECT_TRUE(Rect(10, 0, 0, 5).IsEmpty());
    EXPECT_TRUE(Rect(0, 0, 3, -1).IsEmpty());
    EXPECT_FALSE(Rect(0, 0, 1, 1).IsEmpty());
}

} // namespace
} // namespace Vuro
