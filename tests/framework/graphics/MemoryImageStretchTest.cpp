#include "framework/graphics/MemoryImage.h"

#include "PixelTestHelpers.h"
#include "framework/app/VuroAppBase.h"
#include "framework/graphics/BltClip.h"

#include "support/KernelForms.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::AllPixels;
using Testing::Fill;
using Testing::FillCells;
using Testing::PixelAt;
using Testing::Row;
using Testing::SentinelIntact;

// The stretches' row kernels run in both kernel forms.
class MemoryImageStretchTest : public Testing::ImagePairTestOn<Test::KernelFormTest> {};

TEST_P(MemoryImageStretchTest, NearestDoublesEachPixelIntoABlock) {
    const uint32_t source[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0x80FFFFFF};
    mSource.SetBits(source, 2, 2);
    mDest.Create(4, 4);
    mDest.StretchBlt(&mSource, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White,
                     kDrawModeNormal, true);
    // Onto transparent: newA = sa, f = 255, each channel 255 * 255 >> 8 = 254.
    const uint32_t a = 0xFFFE0000, b = 0xFF00FE00, c = 0xFF0000FE, d = 0x80FEFEFE;
    EXPECT_EQ(AllPixels(mDest),
              std::vector<uint32_t>({a, a, b, b, a, a, b, b, c, c, d, d, c, c, d, d}));
}

TEST_P(MemoryImageStretchTest, NearestTintedDrawsNothing) {
    Fill(mSource, 2, 2, 0xFFFFFFFF);
    Fill(mDest, 4, 4, 0xFF000000);
    mDest.StretchBlt(&mSource, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color(1, 2, 3),
                     kDrawModeNormal, true);
    EXPECT_EQ(AllPixels(mDest), std::vector<uint32_t>(16, 0xFF000000));
}

TEST_P(MemoryImageStretchTest, AreaStretchOfEqualSizeReproducesTheSource) {
    const uint32_t source[] = {0xFFFF8040, 0x80102030, 0x00FFFFFF,
                               0xFF000000, 0x01FFFFFF, 0xFE7F7F7F};
    mSource.SetBits(source, 3, 2);
    mDest.Create(3, 2);
    mDest.StretchBlt(&mSource, Rect(0, 0, 3, 2), Rect(0, 0, 3, 2), Rect(0, 0, 3, 2), Color::White,
                     kDrawModeAdditive, false);
    // Weights 257 x 256 give v * 65792 >> 16 = v back, then normal compositing onto
    // transparent: alpha kept, channels c * 255 >> 8.
    EXPECT_EQ(AllPixels(mDest), std::vector<uint32_t>({0xFFFE7F3F, 0x800F1F2F, 0x00000000,
                                                       0xFF000000, 0x01FEFEFE, 0xFE7E7E7E}));
    // The same as the plain blit onto the same destination.
    MemoryImage blitted(&mApp);
    blitted.Create(3, 2);
    blitted.Blt(&mSource, 0, 0, Rect(0, 0, 3, 2), Color::White, kDrawModeNormal);
    EXPECT_EQ(AllPixels(mDest), AllPixels(blitted));
}

TEST_P(MemoryImageStretchTest, AreaMagnificationInterpolates) {
    const uint32_t row[] = {0xFF000000, 0xFFFFFFFF};
    mSource.SetBits(row, 2, 1);
    Fill(mDest, 4, 1, 0xFF000000);
    mDest.StretchBlt(&mSource, Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), Rect(0, 0, 4, 1), Color::White,
                     kDrawModeNormal, false);
    // step 1/3: weights of white 0, 257 - 171 = 86, 257 - 85 = 172, 257: 255 * w * 256 >> 16 =
    // 0, 85, 171, 255; over black with f = 255: 0, 84, 170, 254.
    EXPECT_EQ(Row(mDest, 0),
              std::vector<uint32_t>({0xFF000000, 0xFF545454, 0xFFAAAAAA, 0xFFFEFEFE}));

    // Vertically the weights are out of 256 and the row after the last is the last itself:
    // 65535 * 86 >> 16 = 85, 65535 * 171 >> 16 = 170, 255; over black 84, 169, 254.
    mSource.SetBits(row, 1, 2);
    Fill(mDest, 1, 4, 0xFF000000);
    mDest.StretchBlt(&mSource, Rect(0, 0, 1, 4), Rect(0, 0, 1, 2), Rect(0, 0, 1, 4), Color::White,
                     kDrawModeNormal, false);
    EXPECT_EQ(AllPixels(mDest),
              std::vector<uint32_t>({0xFF000000, 0xFF545454, 0xFFA9A9A9, 0xFFFEFEFE}));
}

TEST_P(MemoryImageStretchTest, AreaMinificationAverages) {
    const uint32_t row[] = {0xFF000000, 0xFF646464, 0xFFC8C8C8, 0xFFFFFFFF};
    mSource.SetBits(row, 4, 1);
    Fill(mDest, 2, 1, 0xFF000000);
    mDest.StretchBlt(&mSource, Rect(0, 0, 2, 1), Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), Color::White,
                     kDrawModeNormal, false);
    // scale 0.5: every source pixel weighs trunc(0.5 * 257) = 128 in one cell, so
    // (0 + 100) * 128 * 256 >> 16 = 50 and (200 + 255) * 128 * 256 >> 16 = 227; alpha 255;
    // over black 49 and 226.
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFF313131, 0xFFE2E2E2}));
}

TEST_P(MemoryImageStretchTest, AreaMagnificationMatchesTheImageStretchedOntoItself) {
    // An image stretched onto itself takes the general path (its whole window read first);
    // from another image a magnification takes the fast one. Both draw the same pixels: a
    // source of every kind of alpha at (0, 0) of a 64 x 40 image, the destination beside it
    // translucent in places, and magnifications by whole and fractional factors, ragged
    // widths and clipped edges.
    const auto word = [](int x, int y) {
        const uint32_t h = static_cast<uint32_t>(x * 7919 + y * 104729) * 2654435761u;
        return (h >> 8) ^ (h << 13);
    };
    FillCells(mSource, 9, 7, word);
    const auto scene = [&word](int x, int y) {
        return x < 9 && y < 7 ? word(x, y) : (word(y, x) | ((x + y) % 3 == 0 ? 0 : 0xFF000000));
    };
    const Rect kinds[][3] = {
        // destination, source, clip
        {Rect(10, 0, 18, 14), Rect(0, 0, 9, 7), Rect(0, 0, 64, 40)},
        {Rect(12, 3, 51, 37), Rect(1, 2, 7, 4), Rect(0, 0, 64, 40)},
        {Rect(9, 1, 23, 29), Rect(0, 0, 9, 7), Rect(14, 5, 13, 17)},
        {Rect(20, 0, 40, 40), Rect(3, 1, 5, 5), Rect(25, 3, 33, 31)},
    };
    for (const auto& [dest, from, clip] : kinds) {
        MemoryImage self(&mApp);
        MemoryImage other(&mApp);
        FillCells(self, 64, 40, scene);
        FillCells(other, 64, 40, scene);
        self.StretchBlt(&self, dest, from, clip, Color::White, kDrawModeNormal, false);
        other.StretchBlt(&mSource, dest, from, clip, Color::White, kDrawModeNormal, false);
        EXPECT_EQ(AllPixels(self), AllPixels(other)) << dest.mWidth << "x" << dest.mHeight;
    }
}

TEST_P(MemoryImageStretchTest, OnePixelDestinationNeitherDividesByZeroNorReadsPastTheWindow) {
    const uint32_t row[] = {0xFF808080, 0xFFFFFFFF};
    mSource.SetBits(row, 2, 1);
    Fill(mDest, 4, 1, 0xFF000000);
    // Clipped to column 1: source (0.5, 0, 0.5, 1), window [0, 1): step 0 at pos 0.5, and the
    // right neighbour of column 0 is column 0 itself: 128 * 257 * 256 >> 16 = 128, over black
    // 127.
    mDest.StretchBlt(&mSource, Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), Rect(1, 0, 1, 1), Color::White,
                     kDrawModeNormal, false);
    EXPECT_EQ(Row(mDest, 0),
              std::vector<uint32_t>({0xFF000000, 0xFF7F7F7F, 0xFF000000, 0xFF000000}));
}

TEST_P(MemoryImageStretchTest, PalettisedSourceStretchedStaysInside) {
    // A palettised source has no sentinel after its indices: any read past the window of the
    // last row shows under the address sanitizer.
    std::vector<uint32_t> pixels;
    for (int i = 0; i < 9; ++i) {
        pixels.push_back(0xFF000000u | static_cast<uint32_t>(i * 0x1C1C1C));
    }
    MemoryImage palettised(&mApp);
    palettised.SetBits(pixels.data(), 3, 3);
    ASSERT_TRUE(palettised.Palletize());
    mSource.SetBits(pixels.data(), 3, 3);
    for (const bool fast : {false, true}) {
        for (const Rect& dest :
             {Rect(0, 0, 7, 11), Rect(-3, -2, 13, 2), Rect(2, 1, 2, 2), Rect(1, 3, 19, 2)}) {
            MemoryImage a(&mApp);
            MemoryImage b(&mApp);
            Fill(a, 20, 11, 0xFF102030);
            Fill(b, 20, 11, 0xFF102030);
            a.StretchBlt(&palettised, dest, Rect(0, 0, 3, 3), Rect(-9, -9, 99, 99), Color::White,
                         kDrawModeNormal, fast);
            b.StretchBlt(&mSource, dest, Rect(0, 0, 3, 3), Rect(-9, -9, 99, 99), Color::White,
                         kDrawModeNormal, fast);
            EXPECT_EQ(AllPixels(a), AllPixels(b));
            EXPECT_TRUE(SentinelIntact(a));
        }
    }
    EXPECT_TRUE(palettised.IsPalettised());
}

TEST_P(MemoryImageStretchTest, ClipLargerThanTheDestinationAndSourceOutsideTheImage) {
    Fill(mSource, 4, 4, 0xFFFFFFFF);
    Fill(mDest, 5, 5, 0xFF000000);
    // The clip reaches far past the destination on every side.
    mDest.StretchBlt(&mSource, Rect(-10, -10, 30, 30), Rect(0, 0, 4, 4), Rect(-50, -50, 100, 100),
                     Color::White, kDrawModeNormal, true);
    EXPECT_EQ(AllPixels(mDest), std::vector<uint32_t>(25, 0xFFFEFEFE));
    mDest.StretchBlt(&mSource, Rect(-10, -10, 30, 30), Rect(0, 0, 4, 4), Rect(-50, -50, 100, 100),
                     Color::White, kDrawModeNormal, false);
    EXPECT_TRUE(SentinelIntact(mDest));

    // A source rectangle reaching outside the source image: only samples inside it draw.
    Fill(mDest, 5, 5, 0xFF000000);
    mDest.StretchBlt(&mSource, Rect(0, 0, 4, 4), Rect(-2, 2, 4, 4), Rect(0, 0, 5, 5), Color::White,
                     kDrawModeNormal, true);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool drawn = x >= 2 && x < 4 && y < 2;
            ASSERT_EQ(PixelAt(mDest, x, y), drawn ? 0xFFFEFEFEu : 0xFF000000u) << x << "," << y;
        }
    }
    mDest.StretchBlt(&mSource, Rect(0, 0, 5, 5), Rect(-3, -3, 9, 9), Rect(0, 0, 5, 5), Color::White,
                     kDrawModeNormal, false);
    EXPECT_TRUE(SentinelIntact(mDest));
}

TEST_P(MemoryImageStretchTest, NothingLeftDrawsNothing) {
    Fill(mSource, 2, 2, 0xFFFFFFFF);
    Fill(mDest, 4, 4, 0xFF000000);
    const int changes = mDest.mBitsChangedCount;
    for (const bool fast : {false, true}) {
        mDest.StretchBlt(&mSource, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(4, 0, 4, 4),
                         Color::White, kDrawModeNormal, fast);
        mDest.StretchBlt(&mSource, Rect(0, 0, 4, 4), Rect(0, 0, 0, 2), Rect(0, 0, 4, 4),
                         Color::White, kDrawModeNormal, fast);
        mDest.StretchBlt(&mSource, Rect(0, 0, -4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4),
                         Color::White, kDrawModeNormal, fast);
        mDest.StretchBlt(&mSource, Rect(0, 0, 4, 4), Rect(0, 0, 2, -2), Rect(0, 0, 4, 4),
                         Color::White, kDrawModeNormal, fast);
    }
    EXPECT_EQ(mDest.mBitsChangedCount, changes);
}

VURO_INSTANTIATE_KERNEL_FORMS(MemoryImageStretchTest);

TEST(BltClip, StretchClippingCarriesTheSourceAlong) {
    DoubleRect src;
    Rect dest;
    ASSERT_TRUE(ClipStretchRects(Rect(10, 20, 40, 30), Rect(5, 0, 100, 100), Rect(0, 0, 80, 60),
                                 src, dest));
    EXPECT_EQ(dest, Rect(5, 0, 75, 60));
    EXPECT_DOUBLE_EQ(src.mX, 12.5); // 10 + 5 * 40 / 80
    EXPECT_DOUBLE_EQ(src.mWidth, 37.5);
    EXPECT_DOUBLE_EQ(src.mHeight, 30);
    // Mirrored: the part cut on the left is measured from the source's right.
    ASSERT_TRUE(ClipMirrorStretchRects(Rect(10, 20, 40, 30), Rect(5, 0, 100, 100),
                                       Rect(0, 0, 80, 60), src, dest));
    EXPECT_DOUBLE_EQ(src.mX, 10);
    EXPECT_FALSE(
        ClipStretchRects(Rect(0, 0, 4, 4), Rect(10, 10, 5, 5), Rect(0, 0, 8, 8), src, dest));
}

} // namespace
} // namespace Vuro
