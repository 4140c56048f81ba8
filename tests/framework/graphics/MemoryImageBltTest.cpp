#include "framework/graphics/MemoryImage.h"

#include "PixelTestHelpers.h"
#include "framework/app/VuroAppBase.h"

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

// The blits' row kernels run in both kernel forms.
class MemoryImageBltTest : public Testing::ImagePairTestOn<Test::KernelFormTest> {};

// Row 0: 300 opaque, 5 transparent, 5 half white. Row 1: 5 half (32, 64, 96), 300 transparent,
// 5 opaque.
std::vector<uint32_t> RunRows() {
    std::vector<uint32_t> pixels;
    pixels.insert(pixels.end(), 300, 0xFF112233);
    pixels.insert(pixels.end(), 5, 0x00FFFFFF);
    pixels.insert(pixels.end(), 5, 0x80FFFFFF);
    pixels.insert(pixels.end(), 5, 0x80204060);
    pixels.insert(pixels.end(), 300, 0x00ABCDEF);
    pixels.insert(pixels.end(), 5, 0xFF010203);
    return pixels;
}

TEST_P(MemoryImageBltTest, RunLengthPathOntoAnOpaqueDestination) {
    const std::vector<uint32_t> source = RunRows();
    mSource.SetBits(source.data(), 310, 2);
    Fill(mDest, 320, 2, 0xFF804020); // opaque: neither hasAlpha nor hasTrans
    mDest.Blt(&mSource, 3, 0, Rect(0, 0, 310, 2), Color::White, kDrawModeNormal);

    // Opaque pixels are copied, transparent ones skipped. Alpha 128 over (128, 64, 32):
    // white gives ((128 + 255) * 128) >> 8 = 191, ((64 + 255) * 128) >> 8 = 159, 16 + 127 = 143;
    // (32, 64, 96) gives 80, 64, 16 + 48 = 64.
    for (int x = 0; x < 320; ++x) {
        const int s = x - 3;
        uint32_t row0 = 0xFF804020;
        uint32_t row1 = 0xFF804020;
        if (s >= 0 && s < 310) {
            row0 = s < 300 ? 0xFF112233 : (s < 305 ? 0xFF804020 : 0xFFBF9F8F);
            row1 = s < 5 ? 0xFF504040 : (s < 305 ? 0xFF804020 : 0xFF010203);
        }
        ASSERT_EQ(PixelAt(mDest, x, 0), row0) << x;
        ASSERT_EQ(PixelAt(mDest, x, 1), row1) << x;
    }
}

// A source found opaque is copied row by row, a cut of it too; one declared opaque over
// transparent pixels still keeps to its runs and skips them.
TEST_P(MemoryImageBltTest, OpaqueSourcesAreCopiedAndDeclaredOnesKeepToTheirRuns) {
    std::vector<uint32_t> source(300 * 3);
    for (size_t i = 0; i < source.size(); ++i) {
        source[i] = 0xFF000000u | static_cast<uint32_t>(i * 40503u);
    }
    mSource.SetBits(source.data(), 300, 3);
    Fill(mDest, 320, 3, 0xFF804020);
    mDest.Blt(&mSource, 10, 1, Rect(5, 0, 300, 3), Color::White, kDrawModeNormal);
    for (int x = 0; x < 320; ++x) {
        ASSERT_EQ(PixelAt(mDest, x, 0), 0xFF804020u) << x;
        const uint32_t expected = x >= 10 && x < 305 ? source[x - 10 + 5] : 0xFF804020u;
        ASSERT_EQ(PixelAt(mDest, x, 1), expected) << x;
    }
    EXPECT_EQ(PixelAt(mDest, 10, 2), source[300 + 5]);

    source[7] = 0x00FFFFFF;
    mSource.SetBits(source.data(), 300, 3);
    mSource.SetTransAlphaFlags(false, false);
    Fill(mDest, 320, 3, 0xFF804020);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 300, 1), Color::White, kDrawModeNormal);
    EXPECT_EQ(PixelAt(mDest, 6, 0), source[6]);
    EXPECT_EQ(PixelAt(mDest, 7, 0), 0xFF804020u);
    EXPECT_EQ(PixelAt(mDest, 8, 0), source[8]);
    EXPECT_TRUE(SentinelIntact(mDest));
}

// An opaque source as wide as the destination, rows end to end in both: a cut of its rows lands
// on the rows below, the rows above and below it stay.
TEST_P(MemoryImageBltTest, OpaqueSourceAsWideAsTheDestinationCopiesItsRowsWhole) {
    FillCells(mSource, 7, 4,
              [](int x, int y) { return 0xFF000000u | uint32_t(y << 8) | uint32_t(x); });
    Fill(mDest, 7, 5, 0xFF804020);
    mDest.Blt(&mSource, 0, 2, Rect(0, 1, 7, 2), Color::White, kDrawModeNormal);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const uint32_t expected =
                y >= 2 && y < 4 ? 0xFF000000u | uint32_t((y - 1) << 8) | uint32_t(x) : 0xFF804020u;
            ASSERT_EQ(PixelAt(mDest, x, y), expected) << x << " " << y;
        }
    }
    EXPECT_TRUE(SentinelIntact(mDest));
}

TEST_P(MemoryImageBltTest, RunLengthPathFromInsideARunAndOverTheEdges) {
    const std::vector<uint32_t> source = RunRows();
    mSource.SetBits(source.data(), 310, 2);
    Fill(mDest, 20, 3, 0xFF000000);
    // Starts 290 pixels into the long run: 10 opaque, then transparent; the right edge and
    // the bottom cut it.
    mDest.Blt(&mSource, 5, 1, Rect(290, 0, 20, 2), Color::White, kDrawModeNormal);
    for (int x = 0; x < 20; ++x) {
        ASSERT_EQ(PixelAt(mDest, x, 0), 0xFF000000u);
        const uint32_t expected1 = x >= 5 && x < 15 ? 0xFF112233 : 0xFF000000;
        ASSERT_EQ(PixelAt(mDest, x, 1), expected1) << x;
        ASSERT_EQ(PixelAt(mDest, x, 2), 0xFF000000u) << x; // transparent part of row 1
    }
    // Partly off every edge of the destination and of the source.
    mDest.Blt(&mSource, -300, -1, Rect(0, 0, 310, 2), Color::White, kDrawModeNormal);
    mDest.Blt(&mSource, 15, 2, Rect(0, 0, 310, 2), Color::White, kDrawModeNormal);
    mDest.Blt(&mSource, 0, 0, Rect(-5, -1, 3, 3), Color::White, kDrawModeNormal);
    mDest.Blt(&mSource, 10, 0, Rect(305, 1, 50, 50), Color::White, kDrawModeNormal);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, -4, 2), Color::White, kDrawModeNormal);
    // Source row 1 at x -300: its transparent (300..304) and opaque (305..309) pixels.
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(mDest, 5, 0), 0xFF010203u);
    EXPECT_EQ(PixelAt(mDest, 10, 0), 0xFF010203u); // the cut (305, 1, 5, 1)
    EXPECT_EQ(PixelAt(mDest, 15, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(mDest, 15, 2), 0xFF112233u);
    EXPECT_EQ(PixelAt(mDest, 19, 2), 0xFF112233u);
    EXPECT_TRUE(SentinelIntact(mDest));
}

TEST_P(MemoryImageBltTest, OntoAnAlphaDestination255Becomes254) {
    const uint32_t source[] = {0xFFFFFFFF, 0x80FFFFFF, 0x00FFFFFF};
    mSource.SetBits(source, 3, 1);
    mDest.Create(3, 1); // transparent, hasAlpha and hasTrans
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 3, 1), Color::White, kDrawModeNormal);
    // newA = sa, f = 255: each channel 255 * 255 >> 8 = 254.
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFFFEFEFE, 0x80FEFEFE, 0x00000000}));

    // Over an opaque colour while the flags say alpha: red and green keep the carry of
    // (16 + 255 * 255) >> 8 = 254, (32 + 65025) >> 8 = 254; blue adds 48 >> 8 = 0 and 254.
    const uint32_t dest[] = {0xFF102030, 0xFFFFFFFF};
    mDest.SetBits(dest, 2, 1);
    mDest.SetTransAlphaFlags(false, true);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 1, 1), Color::White, kDrawModeNormal);
    mDest.Blt(&mSource, 1, 0, Rect(0, 0, 1, 1), Color::White, kDrawModeNormal);
    // (255 + 65025) >> 8 = 255 for red and green; blue 0 + 254.
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFFFEFEFE, 0xFFFFFFFE}));
}

TEST_P(MemoryImageBltTest, TintedBlit) {
    const uint32_t source[] = {0xFFFFFFFF, 0x00FFFFFF, 0xFFFF0000};
    mSource.SetBits(source, 3, 1);
    Fill(mDest, 3, 1, 0xFF000000);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 2, 1), Color(255, 128, 0), kDrawModeNormal);
    // f = 255: red 253, green 0xFF00 * 255 * 128 >> 16 = 0x7F00, blue 0. Alpha 0: unchanged.
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFFFD7F00, 0xFF000000, 0xFF000000}));
    // Colour alpha 128 on an opaque source: sa = 128, f = 128, red 127.
    mDest.Blt(&mSource, 2, 0, Rect(2, 0, 1, 1), Color(255, 255, 255, 128), kDrawModeNormal);
    EXPECT_EQ(PixelAt(mDest, 2, 0), 0xFF7F0000u);
}

TEST_P(MemoryImageBltTest, SourceAlphaZeroNeverChangesTheDestination) {
    const uint32_t source[] = {0x00FFFFFF, 0x00000000};
    mSource.SetBits(source, 2, 1);
    const uint32_t dest[] = {0x12345678, 0xFF00FF00};
    for (const Color& c : {Color::White, Color(10, 200, 30, 99)}) {
        mDest.SetBits(dest, 2, 1);
        mDest.Blt(&mSource, 0, 0, Rect(0, 0, 2, 1), c, kDrawModeNormal);
        EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0x12345678, 0xFF00FF00}));
    }
}

TEST_P(MemoryImageBltTest, AdditiveInAllFourForms) {
    const uint32_t dest = 0x80C81000; // (200, 16, 0) at alpha 128, which stays
    const Color tint(255, 128, 64);
    // No partial alpha in the source: every pixel adds its colour, alpha 0 included.
    const uint32_t solid[] = {0xFF6420FF, 0x00010101};
    mSource.SetBits(solid, 2, 1);
    ASSERT_FALSE(mSource.mHasAlpha);
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 2, 1), Color::White, kDrawModeAdditive);
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0x80FF30FF, 0x80C91101}));
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 1, 1), tint, kDrawModeAdditive);
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0x80FF203Fu); // 99 (saturates), 16, 63

    // Partial alpha: the alpha-weighted forms.
    const uint32_t soft[] = {0x806420FF, 0x00FFFFFF};
    mSource.SetBits(soft, 2, 1);
    ASSERT_TRUE(mSource.mHasAlpha);
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 2, 1), Color::White, kDrawModeAdditive);
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0x80FA207F, dest})); // 50, 16, 127
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 1, 1), tint, kDrawModeAdditive);
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0x80F9181Fu); // 49, 8, 31

    // A colour far out of range saturates instead of reading past the table.
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 1, 1), Color(5000, 5000, 5000, 5000), kDrawModeAdditive);
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0x80FA207Fu); // clamped to White
}

// The weighted terms the image keeps for its additive blits follow every change of its pixels,
// and a cut of the source adds the terms of its own pixels.
TEST_P(MemoryImageBltTest, AdditiveTermsFollowTheSourcesPixels) {
    const uint32_t dest = 0xFF102030;
    uint32_t soft[] = {0x80FFFFFF, 0x40FF8000, 0x00FFFFFF};
    mSource.SetBits(soft, 3, 1);
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(1, 0, 2, 1), Color::White, kDrawModeAdditive);
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFF4F4030, dest})); // 63, 32, 0 added

    mSource.GetBits()[1] = 0xFF204060;
    mSource.OnBitsChanged();
    mSource.ApplyBits();
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 2, 1), Color::White, kDrawModeAdditive);
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFF8F9FAF, 0xFF2F5F8F}));

    const uint32_t other[] = {0x80000080, 0x80000000, 0x80008000};
    mSource.SetBits(other, 3, 1);
    Fill(mDest, 2, 1, dest);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 2, 1), Color::White, kDrawModeAdditive);
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFF102070, dest}));
}

TEST_P(MemoryImageBltTest, PalettisedSourceDrawsAsIts32BitForm) {
    const std::vector<uint32_t> source = RunRows();
    MemoryImage palettised(&mApp);
    palettised.SetBits(source.data(), 310, 2);
    ASSERT_TRUE(palettised.Palletize());
    mSource.SetBits(source.data(), 310, 2);
    struct Case {
        Color color;
        DrawMode mode;
        bool alphaDest;
    };
    for (const Case& c :
         {Case{Color::White, kDrawModeNormal, false}, Case{Color::White, kDrawModeNormal, true},
          Case{Color(9, 99, 199, 150), kDrawModeNormal, false},
          Case{Color::White, kDrawModeAdditive, false},
          Case{Color(9, 99, 199, 150), kDrawModeAdditive, false}}) {
        MemoryImage a(&mApp);
        MemoryImage b(&mApp);
        Fill(a, 320, 3, c.alphaDest ? 0x80604020 : 0xFF604020);
        Fill(b, 320, 3, c.alphaDest ? 0x80604020 : 0xFF604020);
        a.Blt(&palettised, 7, 1, Rect(0, 0, 310, 2), c.color, c.mode);
        b.Blt(&mSource, 7, 1, Rect(0, 0, 310, 2), c.color, c.mode);
        EXPECT_EQ(AllPixels(a), AllPixels(b));
    }
    EXPECT_TRUE(palettised.IsPalettised()); // reading it leaves it palettised
}

TEST_P(MemoryImageBltTest, OtherSourcesAndModesDrawNothing) {
    Image plain;
    Fill(mDest, 2, 1, 0xFF000000);
    const int changes = mDest.mBitsChangedCount;
    mDest.Blt(&plain, 0, 0, Rect(0, 0, 2, 1), Color::White, kDrawModeNormal);
    Fill(mSource, 2, 1, 0xFFFFFFFF);
    mDest.Blt(&mSource, 0, 0, Rect(0, 0, 2, 1), Color::White, 2);
    EXPECT_EQ(mDest.mBitsChangedCount, changes);
    EXPECT_EQ(Row(mDest, 0), std::vector<uint32_t>({0xFF000000, 0xFF000000}));
}

VURO_INSTANTIATE_KERNEL_FORMS(MemoryImageBltTest);

} // namespace
} // namespace Vuro
