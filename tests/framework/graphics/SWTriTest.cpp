#include "framework/graphics/SWTri.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <thread>
#include <vector>

namespace Vuro {
namespace {

// A 32-bit destination of width x height words, all `fill`.
struct Surface {
    Surface(int width, int height, uint32_t fill)
        : mWidth(width), mHeight(height), mPixels(static_cast<size_t>(width) * height, fill) {}

    uint32_t At(int x, int y) const { return mPixels[static_cast<size_t>(y) * mWidth + x]; }

    void Draw(const std::vector<TexVertex>& strip, const Color& color, const Rect& clip, bool blend,
              PixelFormatCode format = kPixelFormat8888) {
        SWTriDrawTriangle(strip.data(), static_cast<int>(strip.size()), nullptr, color,
                          kDrawModeNormal, clip, mPixels.data(), mWidth * 4, format, blend);
    }
    void Draw(const std::vector<TexVertex>& strip, bool blend = false) {
        Draw(strip, Color::White, Rect(0, 0, mWidth, mHeight), blend);
    }

    int mWidth;
    int mHeight;
    std::vector<uint32_t> mPixels;
};

// A rectangle as a strip of two triangles.
std::vector<TexVertex> Quad(float left, float top, float right, float bottom,
                            uint32_t leftColor = 0xFFFFFFFF, uint32_t rightColor = 0xFFFFFFFF) {
    return {{left, top, 0, 0, leftColor},
            {right, top, 1, 0, rightColor},
            {left, bottom, 0, 1, leftColor},
            {right, bottom, 1, 1, rightColor}};
}

// [SECTION] Bilinear fetch

// 3 x 2 opaque texels, distinct in every channel.
const uint32_t kTexels[6] = {0xFF102030, 0xFF405060, 0xFF708090,
                             0xFFA0B0C0, 0xFFD0E0F0, 0xFF0A0B0C};

// Weight of a lone texel: (65535 * 65535 >> 16) * alpha >> 16, i.e. 254 for alpha 255.
uint32_t Scaled(uint32_t texel, uint32_t weight) {
    uint32_t out = weight << 24;
    for (const int shift : {16, 8, 0}) {
        out |= ((((texel >> shift) & 0xFF) * weight) >> 8) << shift;
    }
    return out;
}

TEST(SWTriTexelTest, TexelCentreTakesThatTexelAlone) {
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            const int64_t u = (int64_t(col) << 16) + 0x8000;
            const int64_t v = (int64_t(row) << 16) + 0x8000;
            EXPECT_EQ(SWTriTexelBilinear(kTexels, 3, 6, u, v), Scaled(kTexels[row * 3 + col], 254))
                << col << "," << row;
        }
    }
    // Alpha 128 at a centre: 65534 * 128 >> 16 = 127.
    const uint32_t half[1] = {0x80FF4000};
    EXPECT_EQ(SWTriTexelBilinear(half, 1, 1, 0x8000, 0x8000), Scaled(0x80FF4000, 127));
}

TEST(SWTriTexelTest, FirstColumnIsNotTakenFromTheRowBefore) {
    // u' = 0 on row 1: a true floor gives column 0 (texel 3); one unit too few would give
    // column -1, which is texel 2 at the end of row 0.
    EXPECT_EQ(SWTriTexelBilinear(kTexels, 3, 6, 0x8000, 0x18000), Scaled(kTexels[3], 254));
}

TEST(SWTriTexelTest, HalfwayBetweenTwoTexelsWeighsEachHalf) {
    // fx = 0x8000 + 1: (32767 * 65535 >> 16) * 255 >> 16 = 127 and (32769 * 65535 >> 16) *
    // 255 >> 16 = 127.
    const uint32_t s = SWTriTexelBilinear(kTexels, 3, 6, 0x10000, 0x8000);
    uint32_t expected = 254u << 24;
    for (const int shift : {16, 8, 0}) {
        const uint32_t a = (kTexels[0] >> shift) & 0xFF;
        const uint32_t b = (kTexels[1] >> shift) & 0xFF;
        expected |= ((a * 127 + b * 127) >> 8) << shift;
    }
    EXPECT_EQ(s, expected);
}

TEST(SWTriTexelTest, PastTheLastRowOrBeforeTheFirstColumnFadesToTransparentBlack) {
    // v' = 1.5: row 1 weighs (65535 * 32767 >> 16) * 255 >> 16 = 127, row 2 reads as 0.
    EXPECT_EQ(SWTriTexelBilinear(kTexels, 3, 6, 0x18000, 0x20000), Scaled(kTexels[4], 127));
    // u' = -0.5 on row 0: index -1 reads as 0, texel 0 weighs (32769 * 65535 >> 16) * 255 >> 16.
    EXPECT_EQ(SWTriTexelBilinear(kTexels, 3, 6, 0, 0x8000), Scaled(kTexels[0], 127));
    // Far outside: nothing at all.
    EXPECT_EQ(SWTriTexelBilinear(kTexels, 3, 6, int64_t(-1) << 40, int64_t(1) << 40), 0u);
}

TEST(SWTriTexelTest, FetchMatchesChannelByChannelWeightsEverywhere) {
    // Random texels (random alpha too) at random positions, inside and around the texture,
    // against the weights computed one channel at a time.
    std::mt19937 random(7);
    std::vector<uint32_t> texels(5 * 4);
    for (int round = 0; round < 200; ++round) {
        for (uint32_t& t : texels) {
            t = static_cast<uint32_t>(random());
        }
        for (int i = 0; i < 200; ++i) {
            const int64_t u = static_cast<int64_t>(random() % (8 << 16)) - (1 << 16);
            const int64_t v = static_cast<int64_t>(random() % (7 << 16)) - (1 << 16);
            const int64_t uu = u - 0x8000;
            const int64_t vv = v - 0x8000;
            const int64_t col = uu >> 16;
            const int64_t row = vv >> 16;
            const uint32_t fx = (uint32_t(uu) & 0xFFFE) + 1;
            const uint32_t fy = (uint32_t(vv) & 0xFFFE) + 1;
            const uint32_t area[4] = {(65536 - fx) * (65536 - fy) >> 16, fx * (65536 - fy) >> 16,
                                      (65536 - fx) * fy >> 16, fx * fy >> 16};
            const int64_t at[4] = {row * 5 + col, row * 5 + col + 1, row * 5 + col + 5,
                                   row * 5 + col + 6};
            uint32_t sums[4] = {0, 0, 0, 0}; // alpha, red, green, blue
            for (int k = 0; k < 4; ++k) {
                const uint32_t t = at[k] >= 0 && at[k] < 20 ? texels[at[k]] : 0;
                const uint32_t w = area[k] * (t >> 24) >> 16;
                sums[0] += w;
                sums[1] += ((t >> 16) & 0xFF) * w;
                sums[2] += ((t >> 8) & 0xFF) * w;
                sums[3] += (t & 0xFF) * w;
            }
            const uint32_t expected =
                sums[0] << 24 | (sums[1] >> 8) << 16 | (sums[2] >> 8) << 8 | sums[3] >> 8;
            ASSERT_EQ(SWTriTexelBilinear(texels.data(), 5, 20, u, v), expected) << u << "," << v;
        }
    }
}

TEST(SWTriTest, ReciprocalDivisionIsExactOverTheCompositingRange) {
    for (uint32_t d = 1; d <= 256; ++d) {
        for (uint32_t n = 0; n < (1u << 17); ++n) {
            if (SWTriDivide(n, d) != n / d) {
                FAIL() << n << " / " << d;
            }
        }
    }
}

// [SECTION] Coverage and clipping

TEST(SWTriTest, QuadCoversPixelsFromTheRoundedUpTopLeftToBeforeTheBottomRight) {
    Surface s(6, 5, 0xFF000000);
    s.Draw(Quad(1, 1, 4, 3));
    s.Draw(Quad(4.5f, 3.2f, 5.5f, 4.2f)); // covers only (5, 4)
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = (x >= 1 && x < 4 && y >= 1 && y < 3) || (x == 5 && y == 4);
            ASSERT_EQ(s.At(x, y), inside ? 0xFFFFFFFF : 0xFF000000) << x << "," << y;
        }
    }
}

// 50 % white over (32, 64, 96): the draw colour (255, 255, 255, 128) gives channel 254 and
// alpha 127 (x 255 >> 8); the white sample becomes 255 * 254 >> 8 = 253, times the alpha
// 253 * 127 >> 8 = 125, alpha 255 * 127 >> 8 = 126. Over an opaque destination t = 130,
// kept = 0: channel ((d * 255 >> 8) * 130 + 125 * 256) / 256, alpha min(256, 255).
constexpr uint32_t kUnder = 0xFF204060;
constexpr uint32_t kOnce = 0xFF8C9CAD;
const Color kHalfWhite(255, 255, 255, 128);

TEST(SWTriTest, TranslucentQuadIsCompositedOnceWithoutSeamOrOverlap) {
    // A slanted quad whose shared diagonal crosses many pixels.
    const std::vector<TexVertex> quad = {{1.3f, 0.7f, 0, 0, 0xFFFFFFFF},
                                         {17.1f, 3.2f, 1, 0, 0xFFFFFFFF},
                                         {0.4f, 13.9f, 0, 1, 0xFFFFFFFF},
                                         {16.6f, 17.3f, 1, 1, 0xFFFFFFFF}};
    Surface s(20, 20, kUnder);
    s.Draw(quad, kHalfWhite, Rect(0, 0, 20, 20), true);
    // Pixels clearly inside the quad (all four edge functions beyond a margin) are drawn once,
    // pixels clearly outside are untouched; none is drawn twice.
    const int order[4] = {0, 1, 3, 2}; // the quad's outline
    int drawn = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            bool inside = true;
            bool outside = false;
            for (int k = 0; k < 4; ++k) {
                const TexVertex& a = quad[order[k]];
                const TexVertex& b = quad[order[(k + 1) % 4]];
                const double ex = b.mX - a.mX;
                const double ey = b.mY - a.mY;
                const double side = (ex * (y - a.mY) - ey * (x - a.mX)) / std::hypot(ex, ey);
                inside = inside && side > 0.01;
                outside = outside || side < -0.01;
            }
            const uint32_t p = s.At(x, y);
            ASSERT_TRUE(p == kUnder || p == kOnce) << x << "," << y << " " << std::hex << p;
            if (inside) {
                ASSERT_EQ(p, kOnce) << x << "," << y;
            }
            if (outside) {
                ASSERT_EQ(p, kUnder) << x << "," << y;
            }
            drawn += p == kOnce;
        }
    }
    EXPECT_GT(drawn, 150);
}

TEST(SWTriTest, ClippingWritesOnlyInsideTheClipUpToItsLastColumnAndRow) {
    Surface s(12, 10, 0xFF000000);
    const std::vector<TexVertex> big = {
        {-50, -40, 0, 0, 0xFFFFFFFF}, {90, -5, 0, 0, 0xFFFFFFFF}, {-20, 70, 0, 0, 0xFFFFFFFF}};
    s.Draw(big, Color::White, Rect(2, 3, 5, 4), false);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
            ASSERT_EQ(s.At(x, y), inside ? 0xFFFFFFFF : 0xFF000000) << x << "," << y;
        }
    }
}

TEST(SWTriTest, ClipAtTheBufferEdgeFillsItWithoutOverrun) {
    // The buffer is exactly the clip: AddressSanitizer reports any write beyond it.
    Surface s(7, 5, 0);
    s.Draw(Quad(-1000, -1000, 1000, 1000));
    EXPECT_EQ(s.mPixels, std::vector<uint32_t>(35, 0xFFFFFFFF));
    // A clip reaching past the memory's own range is kept to 0 .. 32767; negative parts go.
    Surface t(4, 4, 0);
    SWTriDrawTriangle(Quad(-10, -10, 2, 2).data(), 4, nullptr, Color::White, kDrawModeNormal,
                      Rect(-100, -100, 104, 104), t.mPixels.data(), 16, kPixelFormat8888, false);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            ASSERT_EQ(t.At(x, y), x < 2 && y < 2 ? 0xFFFFFFFF : 0u);
        }
    }
}

TEST(SWTriTest, TriangleOutsideTheClipDrawsNothing) {
    Surface s(8, 8, 0xFF000000);
    s.Draw({{10, 0, 0, 0, 0xFFFFFFFF}, {20, 0, 0, 0, 0xFFFFFFFF}, {10, 5, 0, 0, 0xFFFFFFFF}});
    s.Draw(Quad(2, 2, 6, 6), Color::White, Rect(6, 6, 2, 2), false);
    EXPECT_EQ(s.mPixels, std::vector<uint32_t>(64, 0xFF000000));
}

// [SECTION] Degenerate input and formats

TEST(SWTriTest, DegenerateTrianglesAreSkipped) {
    Surface s(8, 8, 0xFF000000);
    const uint32_t w = 0xFFFFFFFF;
    s.Draw({{0, 2, 0, 0, w}, {7, 2, 0, 0, w}, {3, 2, 0, 0, w}});          // no height
    s.Draw({{0, 0, 0, 0, w}, {3, 3, 0, 0, w}, {6, 6, 0, 0, w}});          // no width
    s.Draw({{1, 1, 0, 0, w}, {1, 1, 0, 0, w}, {1, 1, 0, 0, w}});          // a point
    s.Draw({{0, 0.2f, 0, 0, w}, {7, 0.3f, 0, 0, w}, {3, 0.9f, 0, 0, w}}); // between two rows
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    s.Draw({{0, 0, 0, 0, w}, {nan, 5, 0, 0, w}, {0, 7, 0, 0, w}});
    s.Draw({{0, 0, 0, 0, w}, {5, inf, 0, 0, w}, {0, 7, 0, 0, w}});
    s.Draw({{0, 0, 0, 0, w}, {5, 0, nan, 0, w}, {0, 7, 0, 0, w}});
    EXPECT_EQ(s.mPixels, std::vector<uint32_t>(64, 0xFF000000));
}

TEST(SWTriTest, SliverOfTinyHeightStaysOnItsRow) {
    // 4 units of 16.16 high (1/16384 pixel) and 2000 wide: edge slopes near 2^42, which the
    // old 2^48 / height x difference could not hold.
    Surface s(2000, 3, 0xFF000000);
    const float unit = 1.0f / 65536;
    s.Draw({{0, 1 - 2 * unit, 0, 0, 0xFFFFFFFF},
            {2000, 1, 0, 0, 0xFFFFFFFF},
            {0, 1 + 2 * unit, 0, 0, 0xFFFFFFFF}});
    for (int x = 0; x < 2000; ++x) {
        ASSERT_EQ(s.At(x, 0), 0xFF000000u) << x;
        ASSERT_EQ(s.At(x, 1), 0xFFFFFFFFu) << x;
        ASSERT_EQ(s.At(x, 2), 0xFF000000u) << x;
    }
}

TEST(SWTriTest, SixteenBitFormatsCompositeThroughTheirChannels) {
    // Each channel widened with low bits 0, composited as on 0x888 (sample alpha 126, colour
    // 125: c = ((dc * 255 >> 8) * 130 + 125 * 256) / 256), narrowed with low bits dropped.
    // 5-6-5 0x02A5: red 0 -> 125 -> 15, green 84 -> 167 -> 41, blue 40 -> 144 -> 18.
    // 5-5-5 0x4000: red 128 -> 189 -> 23, green and blue 0 -> 125 -> 15.
    struct Case {
        PixelFormatCode format;
        uint16_t before;
        uint16_t after;
    };
    for (const Case c :
         {Case{kPixelFormat565, 0x02A5, 0x7D32}, Case{kPixelFormat555, 0x4000, 0x5DEF}}) {
        std::vector<uint16_t> pixels(8, c.before);
        SWTriDrawTriangle(Quad(0, 0, 4, 2).data(), 4, nullptr, kHalfWhite, kDrawModeNormal,
                          Rect(0, 0, 4, 2), pixels.data(), 8, c.format, true);
        EXPECT_EQ(pixels, std::vector<uint16_t>(8, c.after)) << c.format;
    }
}

TEST(SWTriTest, UnknownFormatsAreNotDrawn) {
    for (const PixelFormatCode format : {0x1234, 0}) {
        Surface s(4, 4, 0x12345678);
        s.Draw(Quad(0, 0, 4, 4), Color::White, Rect(0, 0, 4, 4), false, format);
        EXPECT_EQ(s.mPixels, std::vector<uint32_t>(16, 0x12345678)) << format;
    }
    // 0x888 writes the colour and keeps whatever the top byte held.
    Surface s(4, 4, 0x12345678);
    s.Draw(Quad(0, 0, 4, 4), Color::White, Rect(0, 0, 4, 4), false, kPixelFormat888);
    EXPECT_EQ(s.mPixels, std::vector<uint32_t>(16, 0x12FFFFFF));
    // Composited, it counts the destination as opaque: the 50 % white of above, top byte kept.
    Surface t(4, 4, 0x00204060);
    t.Draw(Quad(0, 0, 4, 4), kHalfWhite, Rect(0, 0, 4, 4), true, kPixelFormat888);
    EXPECT_EQ(t.mPixels, std::vector<uint32_t>(16, 0x008C9CAD));
}

// [SECTION] Colour

TEST(SWTriTest, VertexColourModulatesAndInterpolates) {
    Surface s(4, 2, 0);
    // Grey 128 with the draw colour White: 128 * 255 >> 8 = 127, so 255 * 127 >> 8 = 126, then
    // times the alpha 254: 126 * 254 >> 8 = 125.
    s.Draw(Quad(0, 1, 4, 2, 0xFF808080, 0xFF808080));
    // Red from 0 to 254 across four pixels: 63.5 per pixel, 255 * c >> 8 = 0, 63, 126, 189,
    // times 254 >> 8: 0, 62, 125, 187.
    s.Draw(Quad(0, 0, 4, 1, 0xFF000000, 0xFFFF0000));
    EXPECT_EQ(s.mPixels, (std::vector<uint32_t>{0xFF000000, 0xFF3E0000, 0xFF7D0000, 0xFFBB0000,
                                                0xFF7D7D7D, 0xFF7D7D7D, 0xFF7D7D7D, 0xFF7D7D7D}));
}

TEST(SWTriTest, CompositingOntoTransparentAndOpaqueDestinations) {
    // Alpha of the 50 % white: 126. Over alpha 0: kept = 256 * 130 >> 8 = 130, alpha 126, each
    // channel 125 * 256 / 126 = 253. Over alpha 255 the new alpha would be 256: it stays 255.
    Surface s(2, 1, 0x00000000);
    s.mPixels[1] = 0xFF204060;
    s.Draw(Quad(0, 0, 2, 1), kHalfWhite, Rect(0, 0, 2, 1), true);
    EXPECT_EQ(s.mPixels, (std::vector<uint32_t>{0x7EFDFDFD, kOnce}));
}

TEST(SWTriTest, DrawsFromSeveralThreadsAtOnce) {
    // Each call keeps its clip polygons on its own stack.
    const auto draw = [](std::vector<uint32_t>& out) {
        for (int i = 0; i < 200; ++i) {
            Surface s(16, 16, kUnder);
            s.Draw(
                {{-5, -3, 0, 0, 0xFFFFFFFF}, {30, 4, 0, 0, 0xFFFFFFFF}, {2, 25, 0, 0, 0xFFFFFFFF}},
                kHalfWhite, Rect(1, 1, 14, 14), true);
            if (i == 0) {
                out = s.mPixels;
            } else if (s.mPixels != out) {
                out.clear();
                return;
            }
        }
    };
    std::vector<uint32_t> a;
    std::vector<uint32_t> b;
    std::thread other(draw, std::ref(b));
    draw(a);
    other.join();
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a, b);
}

} // namespace
} // namespace Vuro
