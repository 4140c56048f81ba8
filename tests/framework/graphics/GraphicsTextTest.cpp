#include "framework/graphics/Graphics.h"

#include "RecordingImage.h"
#include "support/FixedWidthFont.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Vuro {
namespace {

using Testing::FixedWidthFont;

const Color kRed(255, 0, 0, 200);

// What the font was asked to draw, without the destination and clip.
struct Piece {
    int mX;
    int mY;
    std::string mText;
    Color mColor;
    bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Piece& p) {
    return out << "(" << p.mX << ", " << p.mY << ", \"" << p.mText << "\", " << p.mColor.mRed << " "
               << p.mColor.mGreen << " " << p.mColor.mBlue << " " << p.mColor.mAlpha << ")";
}

class GraphicsTextTest : public ::testing::Test {
protected:
    GraphicsTextTest() {
        mG.SetFont(&mFont);
        mG.SetColor(Color(10, 20, 30, 200));
    }

    std::vector<Piece> Pieces() const {
        std::vector<Piece> pieces;
        for (const auto& d : mFont.mDrawn) {
            pieces.push_back({d.mX, d.mY, d.mText, d.mColor});
        }
        return pieces;
    }

    Testing::RecordingImage mDest{200, 200};
    Graphics mG{&mDest};
    FixedWidthFont mFont; // 6 pixels a character
    const Color mStart{10, 20, 30, 200};
};

// [SECTION] Coloured strings

TEST_F(GraphicsTextTest, ColourCodeSwitchesColourKeepingAlpha) {
    EXPECT_EQ(mG.DrawColoredString("ab^FF0000^cd", 5, 9), 24);
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{5, 9, "ab", mStart}, {17, 9, "cd", kRed}}));
    EXPECT_EQ(mG.GetColor(), kRed); // the last colour stays
}

TEST_F(GraphicsTextTest, HexDigitsInEitherCaseAndOthersCountAsZero) {
    mG.DrawColoredString("^fFzz1a^x", 0, 0);
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 0, "x", Color(255, 0, 26, 200)}}));
}

TEST_F(GraphicsTextTest, DoubledCaretIsOneCaretWhenSevenMoreCharactersFollow) {
    EXPECT_EQ(mG.DrawColoredString("a^^bcdefgh", 0, 0), 9 * 6);
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 0, "a^bcdefgh", mStart}}));
}

TEST_F(GraphicsTextTest, CaretAmongTheLastSevenCharactersEndsTheText) {
    EXPECT_EQ(mG.DrawColoredString("a^^b", 0, 0), 6);
    EXPECT_EQ(mG.DrawColoredString("xyz^FF00", 0, 10), 18); // a code cut short
    EXPECT_EQ(mG.DrawColoredString("^^abcde", 0, 20), 0);   // seven characters from the caret
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 0, "a", mStart}, {0, 10, "xyz", mStart}}));
}

TEST_F(GraphicsTextTest, CaretsAreCharactersWhenColourCodesAreOff) {
    mG.mWriteColoredString = false;
    EXPECT_EQ(mG.DrawColoredString("ab^FF0000^c^", 0, 0), 12 * 6);
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 0, "ab^FF0000^c^", mStart}}));
}

TEST_F(GraphicsTextTest, MeasuringDrawsNothingAndChangesNoColour) {
    EXPECT_EQ(mG.DrawColoredString("ab^00FF00^cde", 0, 0, 0, -1, false), 30);
    EXPECT_TRUE(mFont.mDrawn.empty());
    EXPECT_EQ(mG.GetColor(), mStart);
}

TEST_F(GraphicsTextTest, JustifyCentresOrAlignsRightOnTheVisibleWidth) {
    mG.DrawColoredString("ab^0000FF^c", 10, 0, 31, 0); // width 18: (31 - 18) / 2 = 6
    mG.DrawColoredString("abc", 10, 1, 31, 1);         // 31 - 18 = 13
    mG.DrawColoredString("abc", 10, 2, 31, 7);         // other values draw from x
    mG.DrawColoredString("abcdefg", 10, 3, 31, 0);     // too wide: (31 - 42) / 2 = -5
    const Color blue(0, 0, 255, 200);
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{16, 0, "ab", mStart},
                                            {28, 0, "c", blue},
                                            {23, 1, "abc", blue},
                                            {10, 2, "abc", blue},
                                            {5, 3, "abcdefg", blue}}));
}

TEST_F(GraphicsTextTest, StartAndLengthSelectAPart) {
    const std::string text = "0123^FF0000^456789";
    EXPECT_EQ(mG.DrawColoredString(text, 0, 0, 0, -1, true, 2, 12), 4 * 6);   // "23", code, "45"
    EXPECT_EQ(mG.DrawColoredString(text, 0, 1, 0, -1, true, 14, 100), 4 * 6); // to the end
    EXPECT_EQ(mG.DrawColoredString(text, 0, 2, 0, -1, true, 2, 8), 2 * 6);    // code cut off
    EXPECT_EQ(
        Pieces(),
        (std::vector<Piece>{
            {0, 0, "23", mStart}, {12, 0, "45", kRed}, {0, 1, "6789", kRed}, {0, 2, "23", kRed}}));
}

TEST_F(GraphicsTextTest, WithoutAFontNothingIsDrawnOrMeasured) {
    Graphics g(&mDest);
    EXPECT_EQ(g.DrawColoredString("abc", 0, 0), 0);
    int maxWidth = -1;
    EXPECT_EQ(g.DrawWrappedText(Rect(0, 0, 50, 50), "abc", -1, -1, &maxWidth), 0);
    EXPECT_EQ(maxWidth, 0);
    EXPECT_EQ(g.MeasureWrappedText(50, "abc"), 0);
}

// [SECTION] Word wrap. First baseline: ascent 8 - padding 1 = 7; line spacing 12; descent 2.

TEST_F(GraphicsTextTest, TwoWordsBreakAtTheSpace) {
    int maxWidth = 0;
    // "hello world" is 66 wide; "hello" 30 fits in 40.
    const int height = mG.DrawWrappedText(Rect(3, 4, 40, 100), "hello world", -1, -1, &maxWidth);
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{3, 11, "hello", mStart}, {3, 23, "world", mStart}}));
    EXPECT_EQ(height, 7 + 12 + 2); // last baseline + descent
    EXPECT_EQ(maxWidth, 30);
}

TEST_F(GraphicsTextTest, LineEndsBeforeTheLastSpaceAndFurtherSpacesAreSkipped) {
    // The second space overflows 40 (42): the line runs up to it, the first space included.
    mG.DrawWrappedText(Rect(0, 0, 40, 100), "hello    world", 20);
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 7, "hello ", mStart}, {0, 27, "world", mStart}}));
}

TEST_F(GraphicsTextTest, ALongWordIsSplitBetweenCharacters) {
    // 20 wide holds three characters: the fourth overflows and starts the next line.
    const int height = mG.DrawWrappedText(Rect(0, 0, 20, 0), "abcdefghij");
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 7, "abc", mStart},
                                            {0, 19, "def", mStart},
                                            {0, 31, "ghi", mStart},
                                            {0, 43, "j", mStart}}));
    EXPECT_EQ(height, 43 + 2);
}

TEST_F(GraphicsTextTest, NewlineAlwaysEndsTheLineAndKeepsFollowingSpaces) {
    mG.DrawWrappedText(Rect(0, 0, 1000, 0), "ab\n  cd\n\nef");
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 7, "ab", mStart},
                                            {0, 19, "  cd", mStart},
                                            {0, 43, "ef", mStart}})); // an empty line between
}

TEST_F(GraphicsTextTest, WidthZeroPutsOneCharacterOnEachLineAndEnds) {
    int maxWidth = 0;
    const int height = mG.DrawWrappedText(Rect(0, 0, 0, 0), "ab cd", -1, -1, &maxWidth);
    // The space makes an empty line of its own.
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 7, "a", mStart},
                                            {0, 19, "b", mStart},
                                            {0, 43, "c", mStart},
                                            {0, 55, "d", mStart}}));
    EXPECT_EQ(height, 55 + 2);
    EXPECT_EQ(maxWidth, 6);
    EXPECT_EQ(mG.MeasureWrappedText(0, std::string(500, 'x')), 7 + 499 * 12 + 2);
    EXPECT_EQ(mG.MeasureWrappedText(-5, "a b"), 7 + 2 * 12 + 2);
}

TEST_F(GraphicsTextTest, ColourCodesTakeNoWidthAndCarryAcrossLines) {
    // 18 + 6 of "abc " is more than 20: the first line ends at the space.
    mG.DrawWrappedText(Rect(0, 0, 20, 0), "^FF0000^abc def");
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 7, "abc", kRed}, {0, 19, "def", kRed}}));
    EXPECT_EQ(mG.GetColor(), mStart); // restored after the call
}

TEST_F(GraphicsTextTest, DoubledCaretIsMeasuredAsOneCharacter) {
    // "a^^bcdefghij" shows as "a^bcdefghij", 66 wide: it fits 66 and breaks before "j" at 65.
    mG.DrawWrappedText(Rect(0, 0, 66, 0), "a^^bcdefghij");
    mG.DrawWrappedText(Rect(0, 100, 65, 0), "a^^bcdefghij");
    // Near the end the pair ends the drawing, though the line measured it.
    mG.DrawWrappedText(Rect(0, 200, 18, 0), "a^^b");
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{0, 7, "a^bcdefghij", mStart},
                                            {0, 107, "a^bcdefghi", mStart},
                                            {0, 119, "j", mStart},
                                            {0, 207, "a", mStart}}));
}

TEST_F(GraphicsTextTest, JustifiedLinesAndExplicitSpacing) {
    int maxWidth = 0;
    mG.DrawWrappedText(Rect(10, 0, 40, 0), "ab cdefg", 30, 0, &maxWidth);
    // "ab " + "cdefg" is 48: "ab" centred (40 - 12) / 2, "cdefg" (40 - 30) / 2.
    EXPECT_EQ(Pieces(), (std::vector<Piece>{{24, 7, "ab", mStart}, {15, 37, "cdefg", mStart}}));
    EXPECT_EQ(maxWidth, 30);
}

TEST_F(GraphicsTextTest, MeasureEqualsDrawAndDrawsNothing) {
    const std::vector<std::string> texts = {"",
                                            "one",
                                            "hello world again",
                                            "^00FF00^green words here",
                                            "a\n\nb c d e f",
                                            "supercalifragilistic",
                                            "  leading spaces",
                                            "tail^^^^^^^^ carets"};
    for (const int width : {0, 1, 17, 40, 100}) {
        for (const std::string& text : texts) {
            mG.mWriteColoredString = width != 17; // carets as characters once
            int drawnWidth = -1;
            int measuredWidth = -2;
            const int drawn = mG.DrawWrappedText(Rect(0, 0, width, 0), text, -1, -1, &drawnWidth);
            const size_t drawnCount = mFont.mDrawn.size();
            const int measured = mG.MeasureWrappedText(width, text, -1, &measuredWidth);
            EXPECT_EQ(measured, drawn) << width << " " << text;
            EXPECT_EQ(measuredWidth, drawnWidth) << width << " " << text;
            // Measuring reaches only the shared 0 x 0 image.
            for (size_t i = drawnCount; i < mFont.mDrawn.size(); ++i) {
                EXPECT_NE(mFont.mDrawn[i].mDest, &mDest);
                EXPECT_EQ(mFont.mDrawn[i].mDest->GetWidth(), 0);
            }
        }
    }
    EXPECT_TRUE(mDest.mCalls.empty());
}

} // namespace
} // namespace Vuro
