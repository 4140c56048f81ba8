#include "framework/graphics/MemoryImage.h"

#include "PixelTestHelpers.h"
#include "framework/app/VuroAppBase.h"
#include "framework/graphics/BltClip.h"

#include "support/KernelForms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace Vuro {
namespace {

using Testing::AllPixels;
using Testing::Fill;
using Testing::PixelAt;
using Testing::SentinelIntact;

// The blits' row kernels run in both kernel forms.
class MemoryImageRotateTest : public Testing::ImagePairTestOn<Test::KernelFormTest> {};

// Distinct opaque colours: channel values x * 40 + y * 8, 100 + x, 200 - y.
uint32_t Cell(int x, int y) {
    return 0xFF000000u | (uint32_t(x * 40 + y * 8) << 16) | (uint32_t(100 + x) << 8) |
           uint32_t(200 - y);
}

// An opaque sample at a whole position weighs (65535 * 65535 >> 16) * 255 >> 16 = 254 on its
// own pixel and 0 on the others: each channel becomes c * 254 >> 8, alpha 255 (254 >= 251).
uint32_t WholeSample(uint32_t s) {
    uint32_t out = 0xFF000000;
    for (int shift : {16, 8, 0}) {
        out |= ((((s >> shift) & 0xFF) * 254) >> 8) << shift;
    }
    return out;
}

TEST_P(MemoryImageRotateTest, AngleZeroLandsWhereBltDoes) {
    Testing::FillCells(mSource, 4, 3, Cell);
    Fill(mDest, 8, 6, 0xFF000000);
    mDest.BltRotated(&mSource, 2, 1, Rect(0, 0, 4, 3), Rect(0, 0, 8, 6), Color::White,
                     kDrawModeNormal, 0.0, 0, 0);
    // Every sample needs a right and a lower neighbour: the last column and row are not drawn.
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const int sx = x - 2;
            const int sy = y - 1;
            const bool inside = sx >= 0 && sx < 3 && sy >= 0 && sy < 2;
            ASSERT_EQ(PixelAt(mDest, x, y), inside ? WholeSample(Cell(sx, sy)) : 0xFF000000u)
                << x << "," << y;
        }
    }
    // BltSubpixel is the same operation at angle 0 about (0, 0).
    MemoryImage subpixel(&mApp);
    Fill(subpixel, 8, 6, 0xFF000000);
    subpixel.BltSubpixel(&mSource, 2, 1, Rect(0, 0, 4, 3), Rect(0, 0, 8, 6), Color::White,
                         kDrawModeNormal);
    EXPECT_EQ(AllPixels(subpixel), AllPixels(mDest));
}

TEST_P(MemoryImageRotateTest, HalfPixelOffsetBlendsNeighbours) {
    const uint32_t pixels[] = {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF,
                               0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF};
    mSource.SetBits(pixels, 3, 2);
    Fill(mDest, 4, 2, 0xFF000000);
    mDest.BltSubpixel(&mSource, 0.5f, 0, Rect(0, 0, 3, 2), Rect(0, 0, 4, 2), Color::White,
                      kDrawModeNormal);
    // Column 1 samples u = 0.5: fx = 0x8000 + 1, weights (32767 * 65535 >> 16) * 255 >> 16 =
    // 127 and (32769 * 65535 >> 16) * 255 >> 16 = 127: 255 * 127 >> 8 = 126. Column 2 samples
    // u = 1.5 between two whites: 255 * 254 >> 8 = 253.
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(mDest, 1, 0), 0xFF7E7E7Eu);
    EXPECT_EQ(PixelAt(mDest, 2, 0), 0xFFFDFDFDu);
    EXPECT_EQ(PixelAt(mDest, 3, 0), 0xFF000000u);
}

TEST_P(MemoryImageRotateTest, QuarterTurnOfAnAsymmetricImage) {
    Testing::FillCells(mSource, 5, 4, Cell);
    Fill(mDest, 6, 6, 0xFF000000);
    mDest.BltRotated(&mSource, 0, 5, Rect(0, 0, 5, 4), Rect(0, 0, 6, 6), Color::White,
                     kDrawModeNormal, std::numbers::pi / 2, 0, 0);
    // Destination (X, Y) samples source (5 - Y, X): the source's top row runs up the left
    // column. Only samples with both neighbours inside draw: u in 1..3, v in 0..2.
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const int u = 5 - y;
            const int v = x;
            const bool drawn = u >= 1 && u <= 3 && v <= 2;
            ASSERT_EQ(PixelAt(mDest, x, y), drawn ? WholeSample(Cell(u, v)) : 0xFF000000u)
                << x << "," << y;
        }
    }
}

TEST_P(MemoryImageRotateTest, TranslucentSampleOverAlphaDestination) {
    Fill(mSource, 2, 2, 0x80FFFFFF);
    const uint32_t dest[] = {0xFF000000, 0x00000000};
    mDest.SetBits(dest, 2, 1);
    mDest.BltRotated(&mSource, 0, 0, Rect(0, 0, 2, 2), Rect(0, 0, 2, 1), Color::White,
                     kDrawModeNormal, 0.0, 0, 0);
    mDest.BltRotated(&mSource, 1, 0, Rect(0, 0, 2, 2), Rect(0, 0, 2, 1), Color::White,
                     kDrawModeNormal, 0.0, 0, 0);
    // A = 65534 * 128 >> 16 = 127; sum = 255 * 127 kept to 32256; t = 129.
    // Over opaque black: alpha 255 - 0, channel 32256 / 256 = 126.
    // Over transparent: kept 129, alpha 126, channel 32256 / 127 = 253.
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0xFF7E7E7Eu);
    EXPECT_EQ(PixelAt(mDest, 1, 0), 0x7EFDFDFDu);
}

TEST_P(MemoryImageRotateTest, AdditiveAddsTheWeightedSum) {
    Fill(mSource, 2, 2, 0xFF808080);
    Fill(mDest, 2, 1, 0x40C80A00);
    mDest.BltRotated(&mSource, 0, 0, Rect(0, 0, 2, 2), Rect(0, 0, 2, 1), Color::White,
                     kDrawModeAdditive, 0.0, 0, 0);
    // 128 * 254 >> 8 = 127 added: 200 saturates, 10 + 127, 0 + 127; alpha kept.
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0x40FF897Fu);
    Fill(mDest, 2, 1, 0x40C80A00);
    mDest.BltRotated(&mSource, 0, 0, Rect(0, 0, 2, 2), Rect(0, 0, 2, 1), Color(255, 128, 0, 128),
                     kDrawModeAdditive, 0.0, 0, 0);
    // Tint 255 * 128 / 255 = 128, 64, 0: 127 * 128 >> 8 = 63, 127 * 64 >> 8 = 31, 0.
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0x40FF2900u);
}

TEST_P(MemoryImageRotateTest, TintedNormalAndTransparentSamplesDrawNothing) {
    Fill(mSource, 3, 3, 0xFFFFFFFF);
    Fill(mDest, 3, 3, 0xFF000000);
    mDest.BltRotated(&mSource, 0, 0, Rect(0, 0, 3, 3), Rect(0, 0, 3, 3), Color(9, 9, 9),
                     kDrawModeNormal, 0.3, 1, 1);
    Fill(mSource, 3, 3, 0x00FFFFFF);
    mDest.BltRotated(&mSource, 0, 0, Rect(0, 0, 3, 3), Rect(0, 0, 3, 3), Color::White,
                     kDrawModeNormal, 0.3, 1, 1);
    EXPECT_EQ(AllPixels(mDest), std::vector<uint32_t>(9, 0xFF000000));
}

TEST_P(MemoryImageRotateTest, StaysInsideTheDestinationAndTheSource) {
    std::vector<uint32_t> pixels(64, 0xFFFFFFFF);
    mSource.SetBits(pixels.data(), 8, 8);
    ASSERT_TRUE(mSource.Palletize());
    Fill(mDest, 5, 4, 0xFF000000);
    for (double angle = 0; angle < 7; angle += 0.37) {
        // A clip far larger than the destination, and source rectangles past the source.
        mDest.BltRotated(&mSource, -3, -2, Rect(0, 0, 8, 8), Rect(-100, -100, 300, 300),
                         Color::White, kDrawModeNormal, angle, 4, 4);
        mDest.BltRotated(&mSource, 1, 1, Rect(5, -3, 9, 9), Rect(-100, -100, 300, 300),
                         Color(1, 2, 3), kDrawModeAdditive, angle, 2.5f, 2.5f);
        mDest.BltRotated(&mSource, 1, 1, Rect(-4, 6, 20, 20), Rect(0, 0, 5, 4), Color::White,
                         kDrawModeNormal, -angle, 0, 0);
    }
    EXPECT_TRUE(SentinelIntact(mDest));
    // Negative and empty source rectangles draw nothing.
    Fill(mDest, 5, 4, 0xFF000000);
    mDest.BltRotated(&mSource, 0, 0, Rect(0, 0, -8, 8), Rect(0, 0, 5, 4), Color::White,
                     kDrawModeNormal, 0.5, 0, 0);
    mDest.BltRotated(&mSource, 0, 0, Rect(0, 0, 1, 8), Rect(0, 0, 5, 4), Color::White,
                     kDrawModeNormal, 0.0, 0, 0);
    EXPECT_EQ(AllPixels(mDest), std::vector<uint32_t>(20, 0xFF000000));
}

TEST(BltClip, RotatedBoundsAreClipped) {
    DoubleRect bounds;
    ASSERT_TRUE(
        CalcRotatedBltBounds(2, 1, Rect(0, 0, 4, 3), Rect(0, 0, 100, 100), 0.0, bounds, 0, 0));
    EXPECT_DOUBLE_EQ(bounds.mX, 2);
    EXPECT_DOUBLE_EQ(bounds.mY, 1);
    EXPECT_DOUBLE_EQ(bounds.mWidth, 4);
    EXPECT_DOUBLE_EQ(bounds.mHeight, 3);
    // A half turn about the centre keeps the box; the clip cuts it.
    ASSERT_TRUE(CalcRotatedBltBounds(0, 0, Rect(0, 0, 4, 2), Rect(1, 0, 2, 100), std::numbers::pi,
                                     bounds, 2, 1));
    EXPECT_NEAR(bounds.mX, 1, 1e-9);
    EXPECT_NEAR(bounds.mWidth, 2, 1e-9);
    EXPECT_NEAR(bounds.mHeight, 2, 1e-9);
    EXPECT_FALSE(
        CalcRotatedBltBounds(0, 0, Rect(0, 0, 4, 2), Rect(10, 10, 5, 5), 0.0, bounds, 0, 0));
}

VURO_INSTANTIATE_KERNEL_FORMS(MemoryImageRotateTest);

} // namespace
} // namespace Vuro
