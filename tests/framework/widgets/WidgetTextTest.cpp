// The widget's text helpers (with a font of fixed-width characters) and numbers drawn from a
// digit strip.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/Widget.h"
#include "support/FixedWidthFont.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

using Testing::FixedWidthFont;
using Testing::RecordingImage;

// Characters 6 wide; ascent 8, height 10.
class WidgetTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        mGraphics.SetFont(&mFont);
        mWidget.mWidth = 100;
    }

    RecordingImage mImage{200, 100};
    Graphics mGraphics{&mImage};
    FixedWidthFont mFont;
    Widget mWidget;
};

TEST_F(WidgetTextTest, CenteredTextIsCentredInTheWidgetsWidth) {
    mGraphics.SetColor(Color(1, 2, 3));
    EXPECT_EQ(mWidget.DrawCenteredText(&mGraphics, 30, "abcd"), Rect(38, 22, 24, 10));
    ASSERT_EQ(mFont.mDrawn.size(), 1u);
    EXPECT_EQ(mFont.mDrawn[0].mX, 38);
    EXPECT_EQ(mFont.mDrawn[0].mY, 30);
    EXPECT_EQ(mFont.mDrawn[0].mColor, Color(1, 2, 3));
    // Wider than the widget: (11 - 24) / 2 truncates toward zero.
    mWidget.mWidth = 11;
    EXPECT_EQ(mWidget.DrawCenteredText(&mGraphics, 30, "abcd"), Rect(-6, 22, 24, 10));

    Graphics noFont(&mImage);
    EXPECT_EQ(mWidget.DrawCenteredText(&noFont, 30, "abcd"), Rect(5, 30, 0, 0));
}

TEST_F(WidgetTextTest, TheShadowIsDrawnFirstAndWidensTheRectangle) {
    const Point below{2, 3};
    EXPECT_EQ(mWidget.DrawCenteredShadowedText(&mGraphics, 30, "abcd", Color(255, 255, 255),
                                               Color(0, 0, 0, 128), &below),
              Rect(38, 22, 26, 13));
    ASSERT_EQ(mFont.mDrawn.size(), 2u);
    EXPECT_EQ(mFont.mDrawn[0].mX, 40);
    EXPECT_EQ(mFont.mDrawn[0].mY, 33);
    EXPECT_EQ(mFont.mDrawn[0].mColor, Color(0, 0, 0, 128));
    EXPECT_EQ(mFont.mDrawn[1].mX, 38);
    EXPECT_EQ(mFont.mDrawn[1].mY, 30);
    EXPECT_EQ(mFont.mDrawn[1].mColor, Color(255, 255, 255));
    EXPECT_EQ(mGraphics.GetColor(), Color(255, 255, 255));

    const Point above{-2, -3};
    EXPECT_EQ(mWidget.DrawCenteredShadowedText(&mGraphics, 30, "abcd", Color(255, 255, 255),
                                               Color(0, 0, 0), &above),
              Rect(36, 19, 26, 13));
}

TEST_F(WidgetTextTest, WidgetTextAlwaysReadsColourCodes) {
    mGraphics.mWriteColoredString = false;
    EXPECT_EQ(mWidget.DrawJustifiedText(&mGraphics, "ab^FF0000^cd", 10, 50, 100, 0), 24);
    EXPECT_FALSE(mGraphics.mWriteColoredString) << "the context's setting comes back";
    ASSERT_EQ(mFont.mDrawn.size(), 2u);
    // Centred in 100 from x = 10: 10 + (100 - 24) / 2.
    EXPECT_EQ(mFont.mDrawn[0].mX, 48);
    EXPECT_EQ(mFont.mDrawn[0].mText, "ab");
    EXPECT_EQ(mFont.mDrawn[1].mX, 60);
    EXPECT_EQ(mFont.mDrawn[1].mText, "cd");
    EXPECT_EQ(mFont.mDrawn[1].mColor, Color(255, 0, 0));

    // Five characters fit a 30-wide box on one line once the code is read.
    mFont.mDrawn.clear();
    const int height = mWidget.DrawWrappedText(&mGraphics, Rect(0, 0, 30, 100), "^00FF00^abcde");
    EXPECT_FALSE(mGraphics.mWriteColoredString);
    ASSERT_EQ(mFont.mDrawn.size(), 1u);
    EXPECT_EQ(mFont.mDrawn[0].mText, "abcde");
    Graphics reading(mGraphics);
    reading.mWriteColoredString = true;
    EXPECT_EQ(height, reading.MeasureWrappedText(30, "^00FF00^abcde"));
    EXPECT_EQ(mWidget.MeasureWrappedText(&mGraphics, 30, "abcde abcde"),
              mGraphics.MeasureWrappedText(30, "abcde abcde"));
}

TEST_F(WidgetTextTest, DigitsComeFromTheirCellsOfTheStrip) {
    Image strip;
    strip.mWidth = 105; // cells of 10, the last 5 columns unused
    strip.mHeight = 16;
    mWidget.DrawNumberFromDigitStrip(&mGraphics, 407, 5, 3, &strip, 2);
    ASSERT_EQ(mImage.mCalls.size(), 3u);
    EXPECT_EQ(mImage.mCalls[0].mSlot, "Blt");
    EXPECT_EQ(mImage.mCalls[0].mImage, &strip);
    EXPECT_EQ(mImage.mCalls[0].mDest, Rect(5, 3, 0, 0));
    EXPECT_EQ(mImage.mCalls[0].mRect, Rect(40, 0, 10, 16));
    EXPECT_EQ(mImage.mCalls[1].mDest, Rect(17, 3, 0, 0));
    EXPECT_EQ(mImage.mCalls[1].mRect, Rect(0, 0, 10, 16));
    EXPECT_EQ(mImage.mCalls[2].mDest, Rect(29, 3, 0, 0));
    EXPECT_EQ(mImage.mCalls[2].mRect, Rect(70, 0, 10, 16));

    // Zero is one digit; the context's translation applies and its clip is left as it was.
    mImage.mCalls.clear();
    mGraphics.Translate(100, 10);
    mWidget.DrawNumberFromDigitStrip(&mGraphics, 0, 5, 3, &strip, 2);
    ASSERT_EQ(mImage.mCalls.size(), 1u);
    EXPECT_EQ(mImage.mCalls[0].mDest, Rect(105, 13, 0, 0));
    EXPECT_EQ(mImage.mCalls[0].mRect, Rect(0, 0, 10, 16));
    EXPECT_EQ(mGraphics.mClipRect, Rect(0, 0, 200, 100));
}

} // namespace
} // namespace Vuro::Test
