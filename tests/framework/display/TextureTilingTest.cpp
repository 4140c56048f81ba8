// The good-size table, piece sizes and the grid of texture pieces, the walk of a source
// rectangle through the pieces, and texel conversions.

#include "framework/display/D3DInterface.h"
#include "framework/display/TextureData.h"
#include "framework/display/TextureSize.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Vuro {
namespace {

// Sets the device limits for one test and puts the first ones back.
struct LimitsScope {
    explicit LimitsScope(D3DDeviceLimits limits) : mSaved(gD3DLimits) { gD3DLimits = limits; }
    ~LimitsScope() { gD3DLimits = mSaved; }
    D3DDeviceLimits mSaved;
};

constexpr D3DDeviceLimits kModernDevice{1, 1, 1024, 1024, 8, 0};

TEST(TextureSize, NextPowerOfTwoAroundEveryPowerOfTwo) {
    EXPECT_EQ(NextPowerOfTwo(-5), 1);
    EXPECT_EQ(NextPowerOfTwo(0), 1);
    for (int k = 0; k < 30; ++k) {
        const int p = 1 << k;
        EXPECT_EQ(NextPowerOfTwo(p), p);
        EXPECT_TRUE(IsPowerOfTwo(p));
        EXPECT_EQ(NextPowerOfTwo(p + 1), p == 1 ? 2 : 2 * p);
        if (p > 2) {
            EXPECT_EQ(NextPowerOfTwo(p - 1), p);
            EXPECT_FALSE(IsPowerOfTwo(p - 1));
        }
    }
    EXPECT_FALSE(IsPowerOfTwo(0));
}

TEST(TextureSize, GoodSizeTable) {
    const std::pair<int, int> examples[] = {{0, 1},     {1, 1},     {63, 64},   {65, 128},
                                            {129, 128}, {300, 256}, {480, 512}, {600, 64},
                                            {640, 512}, {700, 128}, {800, 256}, {1000, 1024}};
    for (auto [n, size] : examples) {
        EXPECT_EQ(GoodTextureSize(n), size) << n;
    }
    // Every entry: a power of two no larger than the next one up, wasting at most 64 texels of
    // that, or leaving a remainder under 64 or of a power of two.
    for (int n = 1; n < 1024; ++n) {
        const int q = GoodTextureSize(n);
        ASSERT_TRUE(IsPowerOfTwo(q)) << n;
        ASSERT_LE(q, NextPowerOfTwo(n)) << n;
        const bool fits = q == NextPowerOfTwo(n) && q - n <= 64;
        ASSERT_TRUE(fits || n % q < 64 || IsPowerOfTwo(n % q)) << n;
    }
}

TEST(TextureSize, ChooseTextureSizeKeepsToTheDevice) {
    LimitsScope limits({4, 8, 256, 128, 2, 0});
    struct Case {
        int w, h;
        bool edge;
        int flags;
        int wantW, wantH;
    } cases[] = {
        {300, 300, false, 0, 256, 128}, // cut to the maxima, then the aspect ratio holds
        {3, 3, true, 0, 4, 8},          // the minima, within the aspect ratio
        {100, 20, true, 0, 128, 64},    // powers of two, height doubled up to the ratio
        {100, 20, false, 0, 128, 64},   // the table gives 128 and 32
        {100, 20, false, 2, 64, 64},    // bit 1 starts from 64 x 64
        {65, 65, false, 1, 128, 128},   // bit 0: powers of two instead of the table
    };
    for (const Case& c : cases) {
        int w = c.w;
        int h = c.h;
        D3DInterface::ChooseTextureSize(&w, &h, c.edge, true, c.flags);
        EXPECT_EQ(w, c.wantW) << c.w << "x" << c.h;
        EXPECT_EQ(h, c.wantH) << c.w << "x" << c.h;
    }
}

// The screen, a long strip and a small image with the 64 x 64 flag on a modern device, and an
// image on a device that reports no maximum.
TEST(TextureData, PiecesOfTypicalImagesAndOnADeviceWithoutLimits) {
    {
        LimitsScope limits(kModernDevice);
        TextureData data;
        data.ComputeTexturePieces(640, 480, 0);
        EXPECT_EQ(data.mPieceWidth, 512);
        EXPECT_EQ(data.mPieceHeight, 512);
        ASSERT_EQ(data.mColumns, 2);
        ASSERT_EQ(data.mRows, 1);
        EXPECT_EQ(data.mPieces[0].mWidth, 512);
        EXPECT_EQ(data.mPieces[1].mWidth, 128);
        EXPECT_EQ(data.mPieces[1].mHeight, 512);
        EXPECT_FLOAT_EQ(data.mMaxU, 1.25f);
        EXPECT_FLOAT_EQ(data.mMaxV, 0.9375f);
        data.ComputeTexturePieces(800, 10, 0);
        EXPECT_EQ(data.mPieceWidth, 256);
        EXPECT_EQ(data.mPieces.back().mWidth, 32);
        data.ComputeTexturePieces(200, 150, 2); // bit 1: 64 x 64 on any device allowing them
        EXPECT_EQ(data.mPieceWidth, 64);
        EXPECT_EQ(data.mPieceHeight, 64);
    }
    // A device that reports no maximum: 64 x 64 pieces only.
    LimitsScope limits(D3DDeviceLimits{});
    TextureData data;
    data.ComputeTexturePieces(200, 100, 0);
    EXPECT_EQ(data.mColumns, 4);
    EXPECT_EQ(data.mRows, 2);
    for (const TexturePiece& piece : data.mPieces) {
        EXPECT_EQ(piece.mWidth, 64);
        EXPECT_EQ(piece.mHeight, 64);
    }
}

// For sizes around every power of two on both axes: the pieces cover the image exactly, each
// piece's texture holds its part of the image, and every texture keeps to the limits.
TEST(TextureData, PiecesCoverImagesAroundEveryPowerOfTwo) {
    const D3DDeviceLimits devices[] = {kModernDevice, {16, 16, 256, 256, 2, 0}};
    std::vector<int> sizes;
    for (int p = 1; p <= 2048; p *= 2) {
        for (int d : {-1, 0, 1}) {
            if (p + d > 0) {
                sizes.push_back(p + d);
            }
        }
    }
    for (const D3DDeviceLimits& device : devices) {
        LimitsScope limits(device);
        for (int flags : {0, 1}) {
            for (int w : sizes) {
                for (int h : {1, 3, 64, 65, 479, 480, 1025}) {
                    for (int swap = 0; swap < 2; ++swap) {
                        const int width = swap ? h : w;
                        const int height = swap ? w : h;
                        TextureData data;
                        data.ComputeTexturePieces(width, height, flags);
                        ASSERT_EQ(data.mColumns * data.mPieceWidth >= width, true);
                        ASSERT_LT((data.mColumns - 1) * data.mPieceWidth, width);
                        ASSERT_LT((data.mRows - 1) * data.mPieceHeight, height);
                        for (int r = 0; r < data.mRows; ++r) {
                            for (int c = 0; c < data.mColumns; ++c) {
                                const TexturePiece& piece = data.mPieces[r * data.mColumns + c];
                                const int partW =
                                    std::min(data.mPieceWidth, width - c * data.mPieceWidth);
                                const int partH =
                                    std::min(data.mPieceHeight, height - r * data.mPieceHeight);
                                ASSERT_GE(piece.mWidth, partW) << width << "x" << height;
                                ASSERT_GE(piece.mHeight, partH) << width << "x" << height;
                                ASSERT_TRUE(IsPowerOfTwo(piece.mWidth));
                                ASSERT_TRUE(IsPowerOfTwo(piece.mHeight));
                                ASSERT_GE(piece.mWidth, device.mMinTextureWidth);
                                ASSERT_LE(piece.mWidth, device.mMaxTextureWidth);
                                ASSERT_LE(piece.mHeight, device.mMaxTextureHeight);
                                ASSERT_LE(piece.mWidth, device.mMaxAspectRatio * piece.mHeight);
                                ASSERT_LE(piece.mHeight, device.mMaxAspectRatio * piece.mWidth);
                            }
                        }
                    }
                }
            }
        }
    }
}

// Walks every source rectangle of a small image through the pieces the way the drawing does
// and checks that each part's texture coordinates lead back to the source pixels it covers.
TEST(TextureData, GetTextureWalksEveryRectangleOfASmallImage) {
    LimitsScope limits({1, 1, 8, 4, 8, 0});
    TextureData data;
    const int width = 13;
    const int height = 7;
    data.ComputeTexturePieces(width, height, 0);
    ASSERT_EQ(data.mPieceWidth, 8);
    ASSERT_EQ(data.mPieceHeight, 4);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            for (int w = 1; x + w <= width; ++w) {
                for (int h = 1; y + h <= height; ++h) {
                    std::vector<int> covered(static_cast<size_t>(width * height), 0);
                    for (int sy = y; sy < y + h;) {
                        int rowHeight = 0;
                        for (int sx = x; sx < x + w;) {
                            int partW = x + w - sx;
                            int partH = y + h - sy;
                            float u0, v0, u1, v1;
                            const TexturePiece* piece =
                                data.GetTexture(sx, sy, partW, partH, u0, v0, u1, v1);
                            ASSERT_GT(partW, 0);
                            ASSERT_GT(partH, 0);
                            const int column =
                                static_cast<int>(piece - data.mPieces.data()) % data.mColumns;
                            const int row =
                                static_cast<int>(piece - data.mPieces.data()) / data.mColumns;
                            const float left = u0 * piece->mWidth + column * data.mPieceWidth;
                            const float top = v0 * piece->mHeight + row * data.mPieceHeight;
                            ASSERT_FLOAT_EQ(left, static_cast<float>(sx));
                            ASSERT_FLOAT_EQ(top, static_cast<float>(sy));
                            ASSERT_FLOAT_EQ((u1 - u0) * piece->mWidth, static_cast<float>(partW));
                            ASSERT_FLOAT_EQ((v1 - v0) * piece->mHeight, static_cast<float>(partH));
                            for (int j = 0; j < partH; ++j) {
                                for (int i = 0; i < partW; ++i) {
                                    ++covered[static_cast<size_t>((sy + j) * width + sx + i)];
                                }
                            }
                            sx += partW;
                            rowHeight = partH;
                        }
                        sy += rowHeight;
                    }
                    for (int j = 0; j < height; ++j) {
                        for (int i = 0; i < width; ++i) {
                            const bool inside = i >= x && i < x + w && j >= y && j < y + h;
                            ASSERT_EQ(covered[static_cast<size_t>(j * width + i)], inside ? 1 : 0)
                                << x << "," << y << " " << w << "x" << h;
                        }
                    }
                }
            }
        }
    }
}

TEST(TextureData, TexelConversions) {
    for (uint32_t nibbles = 0; nibbles < 0x10000; ++nibbles) {
        const auto texel = static_cast<uint16_t>(nibbles);
        const uint32_t argb = FromA4R4G4B4(texel);
        ASSERT_EQ(ToA4R4G4B4(argb), texel);
        // Widened by 17: 0xF reads 0xFF, 0x8 reads 0x88.
        for (int shift = 0; shift < 32; shift += 8) {
            const uint32_t channel = (argb >> shift) & 0xFF;
            ASSERT_EQ(channel, (channel >> 4) * 17);
        }
        ASSERT_EQ(ToR5G6B5(FromR5G6B5(texel)), texel);
    }
    EXPECT_EQ(ToA4R4G4B4(0x80FF4010), 0x8F41);
    EXPECT_EQ(ToR5G6B5(0x12FF8040), 0xFC08);
    EXPECT_EQ(FromR5G6B5(0xFC08), 0xFFF88040u);
}

} // namespace
} // namespace Vuro
