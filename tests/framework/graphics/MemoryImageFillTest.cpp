#include "framework/graphics/MemoryImage.h"

#include "PixelTestHelpers.h"
#include "framework/app/VuroAppBase.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace Vuro {
namespace {

using Testing::AllPixels;
using Testing::Fill;
using Testing::PixelAt;
using Testing::Row;
using Testing::SentinelIntact;

class MemoryImageFillTest : public ::testing::Test {
protected:
    VuroAppBase mApp;
    MemoryImage mImage{&mApp};
};

TEST_F(MemoryImageFillTest, OpaqueFillWritesThePackedColourInEitherMode) {
    Fill(mImage, 4, 3, 0xFF000000);
    mImage.FillRect(Rect(1, 1, 2, 1), Color(10, 20, 30), kDrawModeNormal);
    EXPECT_EQ(Row(mImage, 1),
              std::vector<uint32_t>({0xFF000000, 0xFF0A141E, 0xFF0A141E, 0xFF000000}));
    // Additive mode does not add: it overwrites.
    Fill(mImage, 2, 1, 0xFF646464);
    mImage.FillRect(Rect(0, 0, 2, 1), Color(100, 100, 100), kDrawModeAdditive);
    EXPECT_EQ(Row(mImage, 0), std::vector<uint32_t>({0xFF646464, 0xFF646464}));
}

TEST_F(MemoryImageFillTest, TranslucentFillComposites) {
    Fill(mImage, 2, 1, 0xFF000000);
    mImage.FillRect(Rect(0, 0, 1, 1), Color(255, 255, 255, 128), kDrawModeNormal);
    // Opaque black: f = 128, 255 * 128 >> 8 = 127.
    EXPECT_EQ(PixelAt(mImage, 0, 0), 0xFF7F7F7Fu);
    // Transparent: newA = 128, f = 255, 255 * 255 >> 8 = 254.
    Fill(mImage, 2, 1, 0x00000000);
    mImage.FillRect(Rect(0, 0, 2, 1), Color(255, 255, 255, 128), kDrawModeNormal);
    EXPECT_EQ(PixelAt(mImage, 1, 0), 0x80FEFEFEu);
    // Alpha 0 changes nothing.
    mImage.FillRect(Rect(0, 0, 2, 1), Color(0, 0, 0, 0), kDrawModeNormal);
    EXPECT_EQ(PixelAt(mImage, 1, 0), 0x80FEFEFEu);
}

TEST_F(MemoryImageFillTest, ColoursOutOfRangeAreClamped) {
    Fill(mImage, 1, 1, 0);
    mImage.FillRect(Rect(0, 0, 1, 1), Color(300, -20, 128, 400), kDrawModeNormal);
    EXPECT_EQ(PixelAt(mImage, 0, 0), 0xFFFF0080u);
}

TEST_F(MemoryImageFillTest, RectanglesOverEveryEdgeStayInside) {
    Fill(mImage, 4, 3, 0);
    const uint32_t red = 0xFFFF0000;
    mImage.FillRect(Rect(-5, -5, 6, 6), Color(255, 0, 0), kDrawModeNormal);   // top left corner
    mImage.FillRect(Rect(3, 2, 100, 100), Color(255, 0, 0), kDrawModeNormal); // bottom right
    mImage.FillRect(Rect(4, 0, 5, 5), Color(0, 255, 0), kDrawModeNormal);     // just outside
    mImage.FillRect(Rect(0, -3, 4, 3), Color(0, 255, 0), kDrawModeNormal);    // just above
    mImage.FillRect(Rect(2, 1, -1, 1), Color(0, 255, 0), kDrawModeNormal);    // negative
    mImage.FillRect(Rect(1, 1, 2, -5), Color(0, 255, 0), kDrawModeNormal);
    mImage.ClearRect(Rect(-100, 1, 1000, -1));
    const std::vector<uint32_t> expected = {red, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, red};
    EXPECT_EQ(AllPixels(mImage), expected);
    mImage.FillRect(Rect(-1000, -1000, 5000, 5000), Color(0, 0, 255, 128), kDrawModeNormal);
    mImage.ClearRect(Rect(-1, 1, 3, 50));
    EXPECT_EQ(PixelAt(mImage, 0, 2), 0u);
    EXPECT_EQ(PixelAt(mImage, 1, 1), 0u);
    EXPECT_EQ(PixelAt(mImage, 2, 1), 0x80000000u | 0xFE); // transparent under blue at 128
    EXPECT_TRUE(SentinelIntact(mImage));
}

TEST_F(MemoryImageFillTest, FillOfAPalettisedImageBringsBitsBack) {
    Fill(mImage, 2, 2, 0xFF010203);
    ASSERT_TRUE(mImage.Palletize());
    const int changes = mImage.mBitsChangedCount;
    mImage.FillRect(Rect(1, 1, 1, 1), Color::White, kDrawModeNormal);
    EXPECT_FALSE(mImage.IsPalettised());
    EXPECT_EQ(mImage.mBitsChangedCount, changes + 1);
    EXPECT_EQ(AllPixels(mImage),
              std::vector<uint32_t>({0xFF010203, 0xFF010203, 0xFF010203, 0xFFFFFFFF}));
}

std::set<std::pair<int, int>> LitPixels(MemoryImage& image, uint32_t background) {
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            if (PixelAt(image, x, y) != background) {
                lit.insert({x, y});
            }
        }
    }
    return lit;
}

using Points = std::set<std::pair<int, int>>;

TEST_F(MemoryImageFillTest, HorizontalAndVerticalLinesAreFills) {
    Fill(mImage, 6, 6, 0xFF000000);
    mImage.DrawLine(3.7, 2.0, 1.2, 2.0, Color::White, kDrawModeNormal);
    mImage.DrawLine(5.0, 4.9, 5.0, 3.1, Color::White, kDrawModeNormal);
    EXPECT_EQ(LitPixels(mImage, 0xFF000000), Points({{1, 2}, {2, 2}, {3, 2}, {5, 3}, {5, 4}}));
    // Through FillRect: the colour is written as it is.
    EXPECT_EQ(PixelAt(mImage, 1, 2), 0xFFFFFFFFu);
}

TEST_F(MemoryImageFillTest, DiagonalLinesStepBresenhamFashion) {
    Fill(mImage, 8, 8, 0xFF000000);
    // x major: increment 4, decrement -4, error starts at 0.
    mImage.DrawLine(0, 0, 4, 2, Color::White, kDrawModeNormal);
    EXPECT_EQ(LitPixels(mImage, 0xFF000000), Points({{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    // Opaque normal line: 255 is stored as (255 * 255 + 127) >> 8 = 254.
    EXPECT_EQ(PixelAt(mImage, 2, 1), 0xFFFEFEFEu);

    // Steep and drawn backwards: walked from (0, 0), increment 4, decrement -6, error -1.
    Fill(mImage, 8, 8, 0xFF000000);
    mImage.DrawLine(2, 5, 0, 0, Color::White, kDrawModeNormal);
    EXPECT_EQ(LitPixels(mImage, 0xFF000000),
              Points({{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}}));

    // A tie makes the vertical axis major: a clean diagonal.
    Fill(mImage, 8, 8, 0xFF000000);
    mImage.DrawLine(0, 0, 3, 3, Color::White, kDrawModeNormal);
    EXPECT_EQ(LitPixels(mImage, 0xFF000000), Points({{0, 0}, {1, 1}, {2, 2}, {3, 3}}));

    // The walk stops when a minor step would leave the end points' minor span [0, 0].
    Fill(mImage, 8, 8, 0xFF000000);
    mImage.DrawLine(0, 0, 0.9, 3, Color::White, kDrawModeNormal);
    EXPECT_EQ(LitPixels(mImage, 0xFF000000), Points({{0, 0}, {0, 1}, {0, 2}}));
}

TEST_F(MemoryImageFillTest, LinePixelValues) {
    Fill(mImage, 3, 3, 0xFF204060);
    // Alpha 128 red over (32, 64, 96): red p = (255 * 128 + 128) >> 8 = 128, stored
    // (128 * 255 + 127) >> 8 = 127, plus (32 * 128 + 127) >> 8 = 16; green 0 + 32; blue 0 + 48.
    mImage.DrawLine(0, 0, 1, 1, Color(255, 0, 0, 128), kDrawModeNormal);
    EXPECT_EQ(PixelAt(mImage, 1, 1), 0xFF8F2030u);
    // Opaque colour 128 is stored as (128 * 255 + 127) >> 8 = 127.
    mImage.DrawLine(2, 0, 0, 2, Color(128, 128, 128), kDrawModeNormal);
    EXPECT_EQ(PixelAt(mImage, 2, 0), 0xFF7F7F7Fu);

    // Additive: table[d + c * alpha / 255]; 100 * 128 / 255 = 50, 25, 12; alpha becomes 255.
    Fill(mImage, 3, 3, 0x00C8C8C8);
    mImage.DrawLine(0, 0, 2, 2, Color(100, 50, 25, 128), kDrawModeAdditive);
    EXPECT_EQ(PixelAt(mImage, 1, 1), 0xFFFAE1D4u);
    mImage.DrawLine(0, 0, 2, 2, Color(1000, 1000, 1000, 255), kDrawModeAdditive);
    EXPECT_EQ(PixelAt(mImage, 2, 2), 0xFFFFFFFFu);
    // Unknown modes draw nothing.
    mImage.DrawLine(0, 2, 2, 0, Color::Black, 7);
    EXPECT_EQ(PixelAt(mImage, 2, 0), 0x00C8C8C8u);
}

TEST_F(MemoryImageFillTest, LinesLeavingTheImageAreCut) {
    Fill(mImage, 4, 4, 0);
    mImage.DrawLine(-10, -10, 10, 10, Color::White, kDrawModeNormal);
    mImage.DrawLine(-1e12, 2, 1e12, 3, Color::White, kDrawModeNormal);
    mImage.DrawLine(2, -5, 2, 50, Color::White, kDrawModeAdditive);
    mImage.DrawLine(100, 100, 200, 300, Color::White, kDrawModeNormal);
    Points diagonal = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    EXPECT_EQ(LitPixels(mImage, 0).count({3, 3}), 1u);
    for (const auto& p : diagonal) {
        EXPECT_EQ(LitPixels(mImage, 0).count(p), 1u);
    }
    EXPECT_TRUE(SentinelIntact(mImage));
}

} // namespace
} // namespace Vuro
