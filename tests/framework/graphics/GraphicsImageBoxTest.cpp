#include "framework/graphics/Graphics.h"

#include "PixelTestHelpers.h"
#include "RecordingImage.h"
#include "framework/graphics/MemoryImage.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::PixelAt;

constexpr uint32_t kBackground = 0xFF000000;

// Opaque and distinct for every source position.
uint32_t Cell(int x, int y) {
    return 0xFF000000u | uint32_t(x + 1) << 16 | uint32_t(y + 1) << 8 | 0x55;
}

// The source column (or row) that offset o of a box of size n shows: corners of size c at both
// ends, the middle of size m repeated from the inner edge of the first corner.
int SourceOffset(int o, int n, int c, int m) {
    if (o < c) {
        return o;
    }
    if (o >= n - c) {
        return c + m + (o - (n - c));
    }
    return c + (o - c) % m;
}

class GraphicsImageBoxTest : public Testing::ImagePairTest {
protected:
    void MakeSource(int width, int height) { Testing::FillCells(mSource, width, height, Cell); }

    // Every pixel of the destination: inside the box the tiled source, elsewhere untouched.
    void ExpectBox(const Rect& box, const Rect& src) {
        const int cw = src.mWidth / 3;
        const int ch = src.mHeight / 3;
        for (int y = 0; y < mDest.GetHeight(); ++y) {
            for (int x = 0; x < mDest.GetWidth(); ++x) {
                const int ox = x - box.mX;
                const int oy = y - box.mY;
                uint32_t expected = kBackground;
                if (ox >= 0 && ox < box.mWidth && oy >= 0 && oy < box.mHeight) {
                    expected =
                        Cell(src.mX + SourceOffset(ox, box.mWidth, cw, src.mWidth - 2 * cw),
                             src.mY + SourceOffset(oy, box.mHeight, ch, src.mHeight - 2 * ch));
                }
                ASSERT_EQ(PixelAt(mDest, x, y), expected) << x << "," << y;
            }
        }
    }
};

TEST_F(GraphicsImageBoxTest, CornersOnceEdgesAndCentreTiledAndCut) {
    MakeSource(6, 6); // corners 2 x 2, middle 2 x 2
    Testing::Fill(mDest, 20, 16, kBackground);
    Graphics g(&mDest);
    g.Translate(1, 1);
    g.DrawImageBox(Rect(1, 2, 11, 9), &mSource); // odd sizes: the last tile is cut
    ExpectBox(Rect(2, 3, 11, 9), Rect(0, 0, 6, 6));
}

TEST_F(GraphicsImageBoxTest, SourceRectangleWithinALargerImage) {
    MakeSource(8, 7);
    Testing::Fill(mDest, 12, 10, kBackground);
    Graphics g(&mDest);
    // Source (1, 1, 6, 5): corners 2 x 1, middle 2 x 3.
    g.DrawImageBoxSrc(Rect(1, 1, 6, 5), Rect(1, 0, 9, 8), &mSource);
    ExpectBox(Rect(1, 0, 9, 8), Rect(1, 1, 6, 5));
}

TEST_F(GraphicsImageBoxTest, NarrowSourcesHaveNoCornersButStillTile) {
    MakeSource(2, 1); // corners 0 x 0, middle 2 x 1
    Testing::Fill(mDest, 8, 4, kBackground);
    Graphics g(&mDest);
    g.DrawImageBox(Rect(1, 1, 5, 3), &mSource);
    ExpectBox(Rect(1, 1, 5, 3), Rect(0, 0, 2, 1));
}

TEST_F(GraphicsImageBoxTest, EmptySourcesDrawNothing) {
    Testing::RecordingImage dest(50, 50);
    Testing::RecordingImage image(9, 9);
    Graphics g(&dest);
    g.DrawImageBoxSrc(Rect(0, 0, 0, 9), Rect(0, 0, 30, 30), &image);
    g.DrawImageBoxSrc(Rect(0, 0, 9, 0), Rect(0, 0, 30, 30), &image);
    g.DrawImageBoxSrc(Rect(3, 3, -3, 6), Rect(0, 0, 30, 30), &image);
    image.mWidth = 0;
    g.DrawImageBox(Rect(0, 0, 30, 30), &image);
    EXPECT_TRUE(dest.mCalls.empty());
}

} // namespace
} // namespace Vuro
