#include "framework/graphics/Graphics.h"

#include "PixelTestHelpers.h"
#include "RecordingImage.h"
#include "framework/app/VuroAppBase.h"
#include "framework/graphics/MemoryImage.h"
#include "support/FixedWidthFont.h"

#include <gtest/gtest.h>

#include <memory>

namespace Vuro {
namespace {

using Testing::FixedWidthFont;
using Testing::RecordingImage;
using Call = RecordingImage::Call;

Call BltCall(Image* image, int x, int y, const Rect& src, const Color& color = Color::White,
             DrawMode mode = kDrawModeNormal) {
    return {"Blt", image, src, Rect(x, y, 0, 0), {}, color, mode, false};
}

Call FillCall(const Rect& rect, const Color& color, DrawMode mode = kDrawModeNormal) {
    return {"FillRect", nullptr, rect, {}, {}, color, mode, false};
}

class GraphicsTest : public ::testing::Test {
protected:
    RecordingImage mDest{100, 80};
    RecordingImage mImage{10, 8};
    Graphics mG{&mDest};
};

TEST_F(GraphicsTest, StartsWithTheDefaultState) {
    EXPECT_EQ(mG.mDestImage, &mDest);
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 100, 80));
    EXPECT_EQ(mG.GetColor(), Color(0, 0, 0, 255));
    EXPECT_EQ(mG.GetFont(), nullptr);
    EXPECT_EQ(mG.mTransX, 0.0f);
    EXPECT_EQ(mG.mTransY, 0.0f);
    EXPECT_EQ(mG.mDrawMode, kDrawModeNormal);
    EXPECT_FALSE(mG.GetColorizeImages());
    EXPECT_FALSE(mG.mFastStretch);
    EXPECT_TRUE(mG.mWriteColoredString);
    EXPECT_FALSE(mG.mLinearBlend);
}

TEST_F(GraphicsTest, WithoutADestinationDrawsNowhereButMeasures) {
    Graphics g;
    Graphics alsoNull(nullptr);
    ASSERT_NE(g.mDestImage, nullptr);
    EXPECT_EQ(g.mDestImage, alsoNull.mDestImage); // one shared image
    EXPECT_EQ(g.mDestImage->GetWidth(), 0);
    EXPECT_EQ(g.mClipRect, Rect(0, 0, 0, 0));
    g.SetColor(Color::White);
    g.FillRect(0, 0, 10, 10);
    g.DrawImage(&mImage, 0, 0);
    FixedWidthFont font;
    g.SetFont(&font);
    EXPECT_EQ(g.DrawColoredString("abc", 0, 0), 18);
}

TEST_F(GraphicsTest, PushAndPopRestoreEveryField) {
    FixedWidthFont font;
    mG.PushState();
    mG.SetFont(&font);
    mG.SetColor(Color(1, 2, 3, 4));
    mG.SetDrawMode(kDrawModeAdditive);
    mG.SetColorizeImages(true);
    mG.SetFastStretch(true);
    mG.SetLinearBlend(true);
    mG.mWriteColoredString = false;
    mG.Translate(5, 6);
    mG.ClipRect(0, 0, 10, 10);
    mG.PushState(); // a second level, popped first
    mG.Translate(1, 1);
    mG.SetColor(Color::White);

    mG.PopState();
    EXPECT_EQ(mG.mTransX, 5.0f);
    EXPECT_EQ(mG.GetColor(), Color(1, 2, 3, 4));
    EXPECT_EQ(mG.mClipRect, Rect(5, 6, 10, 10));

    mG.PopState();
    EXPECT_EQ(mG.GetFont(), nullptr);
    EXPECT_EQ(mG.GetColor(), Color::Black);
    EXPECT_EQ(mG.mDrawMode, kDrawModeNormal);
    EXPECT_FALSE(mG.GetColorizeImages());
    EXPECT_FALSE(mG.mFastStretch);
    EXPECT_FALSE(mG.mLinearBlend);
    EXPECT_TRUE(mG.mWriteColoredString);
    EXPECT_EQ(mG.mTransX, 0.0f);
    EXPECT_EQ(mG.mTransY, 0.0f);
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 100, 80));

    mG.SetColor(Color::White);
    mG.PopState(); // empty stack: nothing changes
    EXPECT_EQ(mG.GetColor(), Color::White);
}

TEST_F(GraphicsTest, CopiesTakeTheStateButNotTheStack) {
    mG.SetColor(Color(9, 8, 7, 6));
    mG.Translate(3, 4);
    mG.PushState();
    mG.SetColor(Color::White);
    Graphics copy(mG);
    std::unique_ptr<Graphics> created(mG.Create());
    for (Graphics* g : {&copy, created.get()}) {
        EXPECT_EQ(g->GetColor(), Color::White);
        EXPECT_EQ(g->mTransX, 3.0f);
        EXPECT_EQ(g->mDestImage, &mDest);
        g->PopState(); // nothing saved in the copy
        EXPECT_EQ(g->GetColor(), Color::White);
    }
    mG.PopState();
    EXPECT_EQ(mG.GetColor(), Color(9, 8, 7, 6));
}

TEST_F(GraphicsTest, TranslationTruncatesTowardZero) {
    mG.SetColor(Color::White);
    mG.mTransX = 0.5f;
    mG.mTransY = -0.5f;
    mG.FillRect(-1, 1, 3, 3); // -0.5 -> 0 and 0.5 -> 0
    mG.FillRect(-2, 2, 3, 3); // -1.5 -> -1 (clipped away), 1.5 -> 1
    mG.Translate(2, 2);       // 2.5, 1.5
    mG.FillRect(1, 1, 3, 3);  // 3.5 -> 3, 2.5 -> 2
    EXPECT_EQ(mDest.mCalls, (std::vector<Call>{FillCall(Rect(0, 0, 3, 3), Color::White),
                                               FillCall(Rect(0, 1, 2, 3), Color::White),
                                               FillCall(Rect(3, 2, 3, 3), Color::White)}));
}

TEST_F(GraphicsTest, ClipRectIntersectsTheTranslatedRectangle) {
    mG.Translate(10, 20);
    mG.ClipRect(-5, -5, 30, 30); // (5, 15, 30, 30)
    EXPECT_EQ(mG.mClipRect, Rect(5, 15, 30, 30));
    mG.ClipRect(20, 20, 100, 100); // (30, 40) .. (35, 45)
    EXPECT_EQ(mG.mClipRect, Rect(30, 40, 5, 5));
    mG.ClipRect(30, 30, 5, 5); // (40, 50): outside
    EXPECT_EQ(mG.mClipRect, Rect(0, 0, 0, 0));
    mG.SetColor(Color::White);
    mG.DrawImage(&mImage, 0, 0);
    mG.FillRect(0, 0, 5, 5);
    EXPECT_EQ(mDest.mCalls, (std::vector<Call>{FillCall(Rect(0, 0, 0, 0), Color::White)}));
}

TEST_F(GraphicsTest, ClipRectOutsideLeavesAMemoryImageUntouched) {
    VuroAppBase app;
    MemoryImage dest(&app);
    Testing::Fill(dest, 8, 8, 0xFF102030);
    Graphics g(&dest);
    g.ClipRect(20, 20, 4, 4);
    g.SetColor(Color::White);
    g.FillRect(0, 0, 8, 8);
    g.DrawRect(0, 0, 7, 7);
    EXPECT_EQ(Testing::AllPixels(dest), std::vector<uint32_t>(64, 0xFF102030));
}

TEST_F(GraphicsTest, FillRectClipsAndSkipsTransparentColours) {
    mG.SetColor(Color(255, 0, 0, 0));
    mG.FillRect(0, 0, 10, 10);
    EXPECT_TRUE(mDest.mCalls.empty());
    mG.SetColor(Color(255, 0, 0, 1));
    mG.SetDrawMode(kDrawModeAdditive);
    mG.FillRect(90, -5, 20, 10);
    EXPECT_EQ(mDest.mCalls,
              (std::vector<Call>{FillCall(Rect(90, 0, 10, 5), Color(255, 0, 0, 1), 1)}));
}

TEST_F(GraphicsTest, DrawRectInsideGoesToTheImageElseFourStrips) {
    mG.SetColor(Color(0, 0, 0, 0));
    mG.DrawRect(0, 0, 9, 9);
    EXPECT_TRUE(mDest.mCalls.empty());

    mG.SetColor(Color::White);
    mG.Translate(1, 2);
    mG.DrawRect(0, 0, 9, 9);   // (1, 2, 10, 10) is inside
    mG.DrawRect(89, 0, 9, 9);  // (90, 2, 10, 10) just fits
    mG.DrawRect(90, 70, 9, 9); // (91, 72, 10, 10) sticks out
    const std::vector<Call> expected = {
        {"DrawRect", nullptr, Rect(1, 2, 9, 9), {}, {}, Color::White, 0, false},
        {"DrawRect", nullptr, Rect(90, 2, 9, 9), {}, {}, Color::White, 0, false},
        FillCall(Rect(91, 72, 9, 1), Color::White),  // top, clipped at 100
        FillCall(Rect(0, 0, 0, 0), Color::White),    // bottom row 81: no overlap at all
        FillCall(Rect(91, 73, 1, 7), Color::White),  // left side, rows 73..79
        FillCall(Rect(100, 73, 0, 7), Color::White), // right side touches the clip: width 0
    };
    EXPECT_EQ(mDest.mCalls, expected);
}

TEST_F(GraphicsTest, DrawRectOutlinePixels) {
    VuroAppBase app;
    MemoryImage dest(&app);
    Testing::Fill(dest, 12, 12, 0xFF000000);
    Graphics g(&dest);
    g.SetColor(Color::White);
    g.DrawRect(1, 1, 9, 9); // inside: through the image's DrawRect
    g.ClipRect(0, 0, 12, 6);
    g.DrawRect(0, 0, 11, 11); // clipped: strips, only the upper half shows
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inner = (x == 1 || x == 10) && y >= 1 && y <= 10;
            const bool innerRow = (y == 1 || y == 10) && x >= 1 && x <= 10;
            const bool outer = y < 6 && (y == 0 || x == 0 || x == 11);
            const uint32_t expected = inner || innerRow || outer ? 0xFFFFFFFF : 0xFF000000;
            ASSERT_EQ(Testing::PixelAt(dest, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(GraphicsTest, DrawStringHandsTheUntranslatedPositionToTheFont) {
    mG.DrawString("none", 1, 2); // no font: nothing
    FixedWidthFont font;
    mG.SetFont(&font);
    mG.Translate(7, 7);
    mG.ClipRect(0, 0, 50, 50);
    mG.SetColor(Color(1, 2, 3));
    mG.DrawString("hi", 3, 4);
    ASSERT_EQ(font.mDrawn.size(), 1u);
    EXPECT_EQ(font.mDrawn[0].mDest, &mDest);
    EXPECT_EQ(font.mDrawn[0].mX, 3);
    EXPECT_EQ(font.mDrawn[0].mY, 4);
    EXPECT_EQ(font.mDrawn[0].mText, "hi");
    EXPECT_EQ(font.mDrawn[0].mColor, Color(1, 2, 3));
    EXPECT_EQ(font.mDrawn[0].mClip, Rect(7, 7, 50, 50));
}

TEST_F(GraphicsTest, DrawImageClipsAndChoosesTheImageColour) {
    mG.SetColor(Color(10, 20, 30, 40));
    mG.SetDrawMode(kDrawModeAdditive);
    mG.Translate(-3, 75);
    mG.DrawImage(&mImage, 0, 0); // (-3, 75, 10, 8) -> (0, 75, 7, 5)
    mG.SetColorizeImages(true);
    mG.DrawImage(&mImage, 50, 0);   // (47, 75, 10, 8) -> (47, 75, 10, 5)
    mG.DrawImage(&mImage, 0, 5);    // below the clip
    mG.DrawImage(&mImage, -10, -5); // (-13, 70): right edge at -3
    EXPECT_EQ(
        mDest.mCalls,
        (std::vector<Call>{BltCall(&mImage, 0, 75, Rect(3, 0, 7, 5), Color::White, 1),
                           BltCall(&mImage, 47, 75, Rect(0, 0, 10, 5), Color(10, 20, 30, 40), 1)}));
}

TEST_F(GraphicsTest, DrawImageSrcRefusesSourcesPastTheImage) {
    mG.DrawImageSrc(&mImage, 0, 0, Rect(1, 0, 10, 8)); // one wider than the image
    mG.DrawImageSrc(&mImage, 0, 0, Rect(0, 1, 10, 8)); // one taller
    EXPECT_TRUE(mDest.mCalls.empty());
    mG.DrawImageSrc(&mImage, 95, 10, Rect(2, 3, 8, 5)); // cut at column 100
    EXPECT_EQ(mDest.mCalls, (std::vector<Call>{BltCall(&mImage, 95, 10, Rect(2, 3, 5, 5))}));
}

TEST_F(GraphicsTest, DrawImageSrcKeepsANegativeSourceInsideTheImage) {
    // Source (-2, -1, 6, 4): only (0, 0, 4, 3) is in the image, landing 2 right and 1 down.
    mG.DrawImageSrc(&mImage, 20, 30, Rect(-2, -1, 6, 4));
    // Source (-2, 0, 5, 2) lands at -3 + 2 = -1 and is then cut at the clip's left edge.
    mG.DrawImageSrc(&mImage, -3, 5, Rect(-2, 0, 5, 2));
    EXPECT_EQ(mDest.mCalls, (std::vector<Call>{BltCall(&mImage, 22, 31, Rect(0, 0, 4, 3)),
                                               BltCall(&mImage, 0, 5, Rect(1, 0, 2, 2))}));
}

TEST_F(GraphicsTest, DrawImageSrcWithNegativeSourcePixels) {
    VuroAppBase app;
    MemoryImage dest(&app);
    MemoryImage image(&app);
    Testing::Fill(dest, 6, 4, 0xFF000000);
    const uint32_t pixels[] = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
    image.SetBits(pixels, 2, 2);
    Graphics g(&dest);
    g.DrawImageSrc(&image, 1, 0, Rect(-1, -1, 3, 3)); // image lands at (2, 1)
    const std::vector<uint32_t> expected = {
        0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, //
        0xFF000000, 0xFF000000, 0xFF000001, 0xFF000002, 0xFF000000, 0xFF000000, //
        0xFF000000, 0xFF000000, 0xFF000003, 0xFF000004, 0xFF000000, 0xFF000000, //
        0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
    EXPECT_EQ(Testing::AllPixels(dest), expected);
}

TEST_F(GraphicsTest, StretchesPassTheClipAndLetTheImageClip) {
    mG.Translate(2, 3);
    mG.ClipRect(0, 0, 40, 40);
    mG.SetFastStretch(true);
    mG.DrawImageStretch(&mImage, 1, 1, 30, 20);
    mG.SetFastStretch(false);
    mG.SetColorizeImages(true);
    mG.SetColor(Color(5, 6, 7));
    mG.DrawImageStretchSrc(&mImage, Rect(-10, 0, 50, 60), Rect(1, 2, 3, 4));
    const std::vector<Call> expected = {
        {"StretchBlt", &mImage, Rect(0, 0, 10, 8), Rect(3, 4, 30, 20), Rect(2, 3, 40, 40),
         Color::White, 0, true},
        {"StretchBlt", &mImage, Rect(1, 2, 3, 4), Rect(-8, 3, 50, 60), Rect(2, 3, 40, 40),
         Color(5, 6, 7), 0, false},
    };
    EXPECT_EQ(mDest.mCalls, expected);
}

TEST_F(GraphicsTest, FramesPickTheCelAndRefuseOutOfRange) {
    mImage.mWidth = 12;
    mImage.mHeight = 8;
    mImage.mNumCols = 3; // cels of 4 x 4
    mImage.mNumRows = 2;
    mG.DrawImageFrame(&mImage, 0, 0, 4);       // column 1, row 1
    mG.DrawImageFrameAt(&mImage, 5, 5, 2, 0);  // column 2, row 0
    mG.DrawImageFrame(&mImage, 0, 0, 6);       // row 2: out of range
    mG.DrawImageFrame(&mImage, 0, 0, -1);      // negative column
    mG.DrawImageFrameAt(&mImage, 0, 0, 3, 0);  // column 3: out of range
    mG.DrawImageFrameAt(&mImage, 0, 0, 0, -1); // negative row
    EXPECT_EQ(mDest.mCalls, (std::vector<Call>{BltCall(&mImage, 0, 0, Rect(4, 4, 4, 4)),
                                               BltCall(&mImage, 5, 5, Rect(8, 0, 4, 4))}));
}

} // namespace
} // namespace Vuro
