#include "framework/graphics/MemoryImage.h"

#include "PixelTestHelpers.h"
#include "framework/app/VuroAppBase.h"
#include "framework/util/Matrix.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

using Testing::AllPixels;
using Testing::Fill;
using Testing::PixelAt;
using Testing::SentinelIntact;

constexpr uint32_t kBlack = 0xFF000000;

// Distinct opaque colours.
uint32_t Cell(int x, int y) {
    return 0xFF000000u | (uint32_t(x * 50 + y * 9) << 16) | (uint32_t(200 - x * 7) << 8) |
           uint32_t(30 + y * 60);
}

// A sample at a texel centre weighs 254 on that texel alone and is written opaque: each
// channel c * 254 >> 8.
uint32_t Centre(uint32_t texel) {
    uint32_t out = 0xFF000000;
    for (const int shift : {16, 8, 0}) {
        out |= ((((texel >> shift) & 0xFF) * 254) >> 8) << shift;
    }
    return out;
}

class MemoryImageRasterTest : public Testing::ImagePairTest {
protected:
    void MakeSource(int width, int height) { Testing::FillCells(mSource, width, height, Cell); }

    Transform2D mIdentity;
};

// With the identity, the quad's corners sit half a pixel before (2, 1) and before (6, 4), so
// pixel (X, Y) samples texel (X - 2, Y - 1) at its centre.
TEST_F(MemoryImageRasterTest, IdentityMatrixDrawsWhereBltDoesWithCentreSamples) {
    MakeSource(4, 3);
    Fill(mDest, 8, 6, kBlack);
    mDest.BltMatrix(&mSource, 4, 2.5f, mIdentity, Rect(0, 0, 8, 6), Color::White, kDrawModeNormal,
                    Rect(0, 0, 4, 3), false);
    MemoryImage blt(&mApp);
    Fill(blt, 8, 6, kBlack);
    blt.Blt(&mSource, 2, 1, Rect(0, 0, 4, 3), Color::White, kDrawModeNormal);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint32_t b = PixelAt(blt, x, y);
            ASSERT_EQ(PixelAt(mDest, x, y), b == kBlack ? kBlack : Centre(b)) << x << "," << y;
        }
    }
    EXPECT_TRUE(SentinelIntact(mDest));
}

TEST_F(MemoryImageRasterTest, TexturedQuadEqualsTheSubpixelBlitWhereBothSample) {
    // The subpixel blit applies the same bilinear weights, but needs a right and a lower
    // neighbour, so it leaves the last column and row out; everywhere else the two agree.
    MakeSource(5, 4);
    Fill(mDest, 9, 7, kBlack);
    MemoryImage subpixel(&mApp);
    Fill(subpixel, 9, 7, kBlack);
    for (const bool blend : {false, true}) {
        mDest.BltMatrix(&mSource, 3.5f, 4, mIdentity, Rect(0, 0, 9, 7), Color::White,
                        kDrawModeNormal, Rect(0, 0, 5, 4), blend);
        subpixel.BltSubpixel(&mSource, 1, 2, Rect(0, 0, 5, 4), Rect(0, 0, 9, 7), Color::White,
                             kDrawModeNormal);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 9; ++x) {
                const bool both = x >= 1 && x < 5 && y >= 2 && y < 5;
                const bool edge = (x == 5 && y >= 2 && y < 6) || (y == 5 && x >= 1 && x < 6);
                if (both) {
                    ASSERT_EQ(PixelAt(mDest, x, y), PixelAt(subpixel, x, y)) << x << "," << y;
                } else if (edge) {
                    ASSERT_EQ(PixelAt(mDest, x, y), Centre(Cell(x - 1, y - 2))) << x << "," << y;
                } else {
                    ASSERT_EQ(PixelAt(mDest, x, y), kBlack) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(MemoryImageRasterTest, CompositedOpaqueSampleKeepsAlpha255) {
    // blend on over an opaque image: sample alpha 254 gives 256 - ((1 * 2) >> 8) = 256, kept
    // at 255 rather than spilling out of the alpha byte.
    MakeSource(1, 1);
    Fill(mDest, 1, 1, 0xFF123456);
    mDest.BltMatrix(&mSource, 0.5f, 0.5f, mIdentity, Rect(0, 0, 1, 1), Color::White,
                    kDrawModeNormal, Rect(0, 0, 1, 1), true);
    EXPECT_EQ(PixelAt(mDest, 0, 0), Centre(Cell(0, 0)));
}

TEST_F(MemoryImageRasterTest, TranslucentTextureIsComposited) {
    // Texel alpha 128: weight 65534 * 128 >> 16 = 127, sample (127, c * 127 >> 8). Over the
    // opaque (100, 50, 200): t = 129, kept = 0, alpha 255, channel
    // ((d * 255 >> 8) * 129 + s * 256) / 256 with s = 255 * 127 >> 8 = 126 for red, 0 else:
    // red (99 * 129 + 32256) / 256 = 175, green 49 * 129 / 256 = 24, blue 199 * 129 / 256 = 100.
    const uint32_t texel = 0x80FF0000;
    mSource.SetBits(&texel, 1, 1);
    Fill(mDest, 3, 1, 0xFF6432C8);
    mDest.BltMatrix(&mSource, 1.5f, 0.5f, mIdentity, Rect(0, 0, 3, 1), Color::White,
                    kDrawModeNormal, Rect(0, 0, 1, 1), false);
    EXPECT_EQ(AllPixels(mDest), (std::vector<uint32_t>{0xFF6432C8, 0xFFAF1864, 0xFF6432C8}));
}

TEST_F(MemoryImageRasterTest, PalettisedTextureDrawsAlikeAndStaysPalettised) {
    MakeSource(4, 3);
    Fill(mDest, 8, 6, kBlack);
    mDest.BltMatrix(&mSource, 4, 2.5f, mIdentity, Rect(0, 0, 8, 6), Color::White, kDrawModeNormal,
                    Rect(0, 0, 4, 3), false);
    const std::vector<uint32_t> expected = AllPixels(mDest);
    ASSERT_TRUE(mSource.Palletize());
    Fill(mDest, 8, 6, kBlack);
    mDest.BltMatrix(&mSource, 4, 2.5f, mIdentity, Rect(0, 0, 8, 6), Color::White, kDrawModeNormal,
                    Rect(0, 0, 4, 3), false);
    EXPECT_EQ(AllPixels(mDest), expected);
    EXPECT_TRUE(mSource.IsPalettised());
    EXPECT_EQ(mSource.mBits, nullptr);
}

TEST_F(MemoryImageRasterTest, QuadOverTheImageEdgeDrawsTheLastColumnAndRow) {
    MakeSource(4, 4);
    Fill(mDest, 5, 5, kBlack);
    // Texel (x, y) lands on pixel (x + 3, y + 3); the image ends after pixel 4.
    mDest.BltMatrix(&mSource, 5, 5, mIdentity, Rect(-10, -10, 100, 100), Color::White,
                    kDrawModeNormal, Rect(0, 0, 4, 4), false);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool drawn = x >= 3 && y >= 3;
            ASSERT_EQ(PixelAt(mDest, x, y), drawn ? Centre(Cell(x - 3, y - 3)) : kBlack)
                << x << "," << y;
        }
    }
    EXPECT_TRUE(SentinelIntact(mDest));
}

TEST_F(MemoryImageRasterTest, ScaledMatrixSamplesBetweenTexels) {
    MakeSource(2, 2);
    Fill(mDest, 4, 4, kBlack);
    Transform2D scale;
    scale.Scale(2, 2);
    // Corners at (0, 0) and (4, 4): pixel X samples u' = X / 2 - 0.5 texels.
    mDest.BltMatrix(&mSource, 2.5f, 2.5f, scale, Rect(0, 0, 4, 4), Color::White, kDrawModeNormal,
                    Rect(0, 0, 2, 2), false);
    EXPECT_EQ(PixelAt(mDest, 1, 1), Centre(Cell(0, 0)));
    EXPECT_EQ(PixelAt(mDest, 3, 1), Centre(Cell(1, 0)));
    EXPECT_EQ(PixelAt(mDest, 1, 3), Centre(Cell(0, 1)));
    EXPECT_EQ(PixelAt(mDest, 3, 3), Centre(Cell(1, 1)));
    // Halfway between texels 0 and 1 of row 0: weights 127 and 127.
    uint32_t half = 0xFF000000;
    for (const int shift : {16, 8, 0}) {
        const uint32_t a = (Cell(0, 0) >> shift) & 0xFF;
        const uint32_t b = (Cell(1, 0) >> shift) & 0xFF;
        half |= ((a * 127 + b * 127) >> 8) << shift;
    }
    EXPECT_EQ(PixelAt(mDest, 2, 1), half);
}

TEST_F(MemoryImageRasterTest, SourceRectangleSelectsTheTexels) {
    MakeSource(6, 5);
    Fill(mDest, 4, 3, kBlack);
    // Source (2, 1, 3, 2) at pixels (1, 1) .. (3, 2).
    mDest.BltMatrix(&mSource, 2.5f, 2, mIdentity, Rect(0, 0, 4, 3), Color::White, kDrawModeNormal,
                    Rect(2, 1, 3, 2), false);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool drawn = x >= 1 && y >= 1;
            ASSERT_EQ(PixelAt(mDest, x, y), drawn ? Centre(Cell(x + 1, y)) : kBlack)
                << x << "," << y;
        }
    }
}

TEST_F(MemoryImageRasterTest, ForcedOpaqueDestinationKeepsItsTopByte) {
    MakeSource(1, 1);
    Fill(mDest, 1, 1, 0x7F102030);
    mDest.SetTransAlphaFlags(false, false); // drawn as 0x888
    mDest.BltMatrix(&mSource, 0.5f, 0.5f, mIdentity, Rect(0, 0, 1, 1), Color::White,
                    kDrawModeNormal, Rect(0, 0, 1, 1), true);
    EXPECT_EQ(PixelAt(mDest, 0, 0), 0x7F000000 | (Centre(Cell(0, 0)) & 0xFFFFFF));
}

TEST_F(MemoryImageRasterTest, TrianglesAreMovedAndTakeTheDrawColourForColourZero) {
    Fill(mDest, 6, 6, kBlack);
    const TexVertex triangles[1][3] = {{{0, 0, 0, 0, 0}, {4, 0, 0, 0, 0}, {0, 4, 0, 0, 0}}};
    // Untextured; colour 0 becomes the red draw colour, which modulates once more:
    // 255 * 255 >> 8 = 254 for red and alpha, 255 * 254 >> 8 = 253, then 253 * 254 >> 8 = 251.
    mDest.BltTrianglesTex(nullptr, triangles, 1, Rect(0, 0, 6, 6), Color(255, 0, 0),
                          kDrawModeNormal, 1, 1, false);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool drawn = y >= 1 && x >= 1 && x + y < 6;
            ASSERT_EQ(PixelAt(mDest, x, y), drawn ? 0xFFFB0000 : kBlack) << x << "," << y;
        }
    }
}

TEST_F(MemoryImageRasterTest, TexturedTrianglesSampleTheirCoordinates) {
    MakeSource(2, 2);
    Fill(mDest, 3, 3, kBlack);
    // A right triangle mapping the texture one to one, moved to (0.5, 0.5) .. (2.5, 2.5): only
    // pixel (1, 1) lies inside, sampling texel (0, 0) at its centre. White vertices leave the
    // texture unmodulated.
    const TexVertex triangles[1][3] = {{{-0.5f, -0.5f, 0, 0, 0xFFFFFFFF},
                                        {1.5f, -0.5f, 1, 0, 0xFFFFFFFF},
                                        {-0.5f, 1.5f, 0, 1, 0xFFFFFFFF}}};
    mDest.BltTrianglesTex(&mSource, triangles, 1, Rect(0, 0, 3, 3), Color::White, kDrawModeNormal,
                          1, 1, false);
    EXPECT_EQ(AllPixels(mDest),
              (std::vector<uint32_t>{kBlack, kBlack, kBlack, kBlack, Centre(Cell(0, 0)), kBlack,
                                     kBlack, kBlack, kBlack}));
    // Only in-memory images are textures.
    Image plain;
    mDest.BltTrianglesTex(&plain, triangles, 1, Rect(0, 0, 3, 3), Color::White, kDrawModeNormal, 0,
                          0, false);
    mDest.BltMatrix(&plain, 1, 1, mIdentity, Rect(0, 0, 3, 3), Color::White, kDrawModeNormal,
                    Rect(0, 0, 1, 1), false);
    EXPECT_EQ(PixelAt(mDest, 0, 0), kBlack);
}

} // namespace
} // namespace Vuro
