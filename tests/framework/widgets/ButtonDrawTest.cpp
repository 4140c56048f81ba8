// What the three buttons draw in each state, call by call, with positions and colours worked
// out from their layout rules.

#include "RecordingListeners.h"

#include "framework/app/VuroAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/PixelTestHelpers.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/ScrollbuttonWidget.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro::Test {
namespace {

using Testing::FixedWidthFont;
using Testing::RecordingImage;
using Call = RecordingImage::Call;

constexpr Color kFace{212, 212, 212};
constexpr Color kShade{132, 132, 132};

Call Fill(int x, int y, int width, int height, const Color& color) {
    return {"FillRect", nullptr, Rect(x, y, width, height), {}, {}, color, 0, false};
}

Call Blt(Image* image, const Rect& src, int x, int y, const Color& color = Color::White) {
    return {"Blt", image, src, Rect(x, y, 0, 0), {}, color, 0, false};
}

class ButtonDrawTest : public ::testing::Test {
protected:
    std::vector<Call> DrawCalls(Widget& widget) {
        mDest.mCalls.clear();
        Graphics g(&mDest);
        widget.Draw(&g);
        return mDest.mCalls;
    }
    FixedWidthFont::Drawn LastLabel(ButtonWidget& button) {
        auto* font = static_cast<FixedWidthFont*>(button.mFont);
        EXPECT_FALSE(font->mDrawn.empty());
        return font->mDrawn.back();
    }

    RecordingImage mDest{200, 100};
};

TEST_F(ButtonDrawTest, DefaultLookRaisedAndPressed) {
    ButtonWidget button(1, nullptr);
    button.Resize(0, 0, 40, 20);
    EXPECT_EQ(DrawCalls(button),
              (std::vector<Call>{Fill(0, 0, 40, 20, kFace), Fill(0, 0, 39, 1, Color::White),
                                 Fill(0, 0, 1, 19, Color::White), Fill(0, 19, 40, 1, Color::Black),
                                 Fill(39, 0, 1, 20, Color::Black), Fill(1, 18, 38, 1, kShade),
                                 Fill(38, 1, 1, 18, kShade)}));
    button.mIsDown = true;
    button.mIsOver = true;
    EXPECT_EQ(DrawCalls(button),
              (std::vector<Call>{Fill(0, 0, 40, 20, kFace), Fill(0, 0, 39, 1, Color::Black),
                                 Fill(0, 0, 1, 19, Color::Black), Fill(0, 19, 40, 1, Color::White),
                                 Fill(39, 0, 1, 20, Color::White), Fill(1, 1, 37, 1, kShade),
                                 Fill(1, 1, 1, 17, kShade)}));
    button.mInverted = true;
    EXPECT_EQ(DrawCalls(button)[1], Fill(0, 0, 39, 1, Color::White)) << "inverted looks raised";
}

TEST_F(ButtonDrawTest, LabelPositionsAndColours) {
    FixedWidthFont font(6);
    ButtonWidget button(1, nullptr);
    button.Resize(0, 0, 40, 20);
    button.SetFont(&font);
    button.mLabel = "ab";
    button.mColors = {Color(1, 2, 3), Color(4, 5, 6)};
    button.mNoFrame = true;
    EXPECT_TRUE(DrawCalls(button).empty()) << "no frame: only the label";
    // Centred: (40 - 12) / 2; baseline (20 - 8 / 6 + 8 - 1) / 2.
    auto label = LastLabel(button);
    EXPECT_EQ(label.mX, 14);
    EXPECT_EQ(label.mY, 13);
    EXPECT_EQ(label.mColor, Color(1, 2, 3));
    button.mLabelJustify = 1;
    button.mIsOver = true;
    DrawCalls(button);
    label = LastLabel(button);
    EXPECT_EQ(label.mX, 28);
    EXPECT_EQ(label.mColor, Color(4, 5, 6));
    button.mLabelJustify = 5;
    button.mIsDown = true;
    DrawCalls(button);
    label = LastLabel(button);
    EXPECT_EQ(label.mX, 1) << "pressed: shifted by one";
    EXPECT_EQ(label.mY, 14);
    EXPECT_EQ(label.mColor, Color::Black);
}

TEST_F(ButtonDrawTest, NoDrawDrawsNothing) {
    ButtonWidget button(1, nullptr);
    button.Resize(0, 0, 40, 20);
    button.mNoDraw = true;
    EXPECT_TRUE(DrawCalls(button).empty());
}

TEST_F(ButtonDrawTest, RectanglesCutEveryStateFromTheNormalImage) {
    RecordingImage sheet(120, 20);
    ButtonWidget button(1, nullptr);
    button.Resize(0, 0, 40, 20);
    button.mNormalImage = &sheet;
    button.mNormalRect = Rect(0, 0, 40, 20);
    button.mOverRect = Rect(40, 0, 40, 20);
    button.mDownRect = Rect(80, 0, 40, 20);
    EXPECT_EQ(DrawCalls(button), (std::vector<Call>{Blt(&sheet, Rect(0, 0, 40, 20), 0, 0)}));
    button.mIsOver = true;
    EXPECT_EQ(DrawCalls(button), (std::vector<Call>{Blt(&sheet, Rect(40, 0, 40, 20), 0, 0)}));
    button.mIsDown = true;
    EXPECT_EQ(DrawCalls(button), (std::vector<Call>{Blt(&sheet, Rect(80, 0, 40, 20), 0, 0)}));
    button.mDownRect = Rect();
    EXPECT_EQ(DrawCalls(button), (std::vector<Call>{Blt(&sheet, Rect(40, 0, 40, 20), 1, 1)}))
        << "no down look: the over look one pixel in";
}

TEST_F(ButtonDrawTest, DisabledAndFadingImages) {
    RecordingImage normal(40, 20);
    RecordingImage over(40, 20);
    RecordingImage disabled(40, 20);
    ButtonWidget button(1, nullptr);
    button.Resize(0, 0, 40, 20);
    button.mNormalImage = &normal;
    button.mOverImage = &over;
    button.mDisabledImage = &disabled;
    button.mDisabled = true;
    EXPECT_EQ(DrawCalls(button), (std::vector<Call>{Blt(&disabled, Rect(0, 0, 40, 20), 0, 0)}));
    button.mDisabled = false;
    button.mOverAlpha = 0.5;
    EXPECT_EQ(DrawCalls(button),
              (std::vector<Call>{Blt(&normal, Rect(0, 0, 40, 20), 0, 0),
                                 Blt(&over, Rect(0, 0, 40, 20), 0, 0, Color(255, 255, 255, 127))}));
}

TEST_F(ButtonDrawTest, DialogButtonBoxAndLabelMoveWhenPressed) {
    RecordingImage component(30, 30); // 10-pixel cells
    TranslatedFont font;
    DialogButton button(&component, 1000, nullptr);
    button.Resize(0, 0, 100, 24);
    button.SetFont(&font);
    button.mLabel = "OK";
    EXPECT_TRUE(button.mWantsHandCursor);
    auto calls = DrawCalls(button);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], Blt(&component, Rect(0, 0, 10, 10), 0, 0));
    // (100 - 12) / 2 and (24 - 8 / 6 - 1 + 8 - 1) / 2.
    auto label = LastLabel(button);
    EXPECT_EQ(label.mX, 44);
    EXPECT_EQ(label.mY, 14);
    EXPECT_EQ(label.mColor, Color::White);

    button.mIsDown = true;
    button.mIsOver = true;
    calls = DrawCalls(button);
    EXPECT_EQ(calls[0], Blt(&component, Rect(0, 0, 10, 10), 1, 1)) << "the box moves";
    label = LastLabel(button);
    EXPECT_EQ(label.mX, 45);
    EXPECT_EQ(label.mY, 15);
}

TEST_F(ButtonDrawTest, DialogButtonWithRectanglesMovesOnlyTheLabel) {
    RecordingImage component(90, 30);
    TranslatedFont font;
    DialogButton button(&component, 1000, nullptr);
    button.Resize(0, 0, 100, 24);
    button.SetFont(&font);
    button.mLabel = "OK";
    button.mNormalRect = Rect(0, 0, 30, 30);
    button.mOverRect = Rect(30, 0, 30, 30);
    button.mDownRect = Rect(60, 0, 30, 30);
    button.mTextOffsetX = 3;
    button.mIsDown = true;
    button.mIsOver = true;
    auto calls = DrawCalls(button);
    EXPECT_EQ(calls[0], Blt(&component, Rect(60, 0, 10, 10), 0, 0));
    auto label = LastLabel(button);
    EXPECT_EQ(label.mX, 48);
    EXPECT_EQ(label.mY, 15);
}

TEST_F(ButtonDrawTest, ScrollbuttonArrowsPointByType) {
    ScrollbuttonWidget up(5, nullptr, ScrollbuttonWidget::kArrowUp);
    up.Resize(0, 0, 16, 16);
    auto calls = DrawCalls(up);
    ASSERT_EQ(calls.size(), 11u);
    EXPECT_EQ(calls[0], Fill(0, 0, 16, 16, kFace));
    EXPECT_EQ(calls[1], Fill(1, 1, 14, 1, Color::White));
    EXPECT_EQ(calls[6], Fill(14, 1, 1, 14, kShade));
    EXPECT_EQ(std::vector<Call>(calls.begin() + 7, calls.end()),
              (std::vector<Call>{Fill(7, 6, 1, 1, Color::Black), Fill(6, 7, 3, 1, Color::Black),
                                 Fill(5, 8, 5, 1, Color::Black), Fill(4, 9, 7, 1, Color::Black)}));

    ScrollbuttonWidget down(5, nullptr, ScrollbuttonWidget::kArrowDown);
    down.Resize(0, 0, 16, 16);
    down.mIsDown = true;
    down.mIsOver = true;
    calls = DrawCalls(down);
    EXPECT_EQ(calls, (std::vector<Call>{
                         Fill(0, 0, 16, 16, kFace),
                         {"DrawRect", nullptr, Rect(0, 0, 15, 15), {}, {}, kShade, 0, false},
                         Fill(8, 10, 1, 1, Color::Black),
                         Fill(7, 9, 3, 1, Color::Black),
                         Fill(6, 8, 5, 1, Color::Black),
                         Fill(5, 7, 7, 1, Color::Black)}));

    ScrollbuttonWidget right(5, nullptr, ScrollbuttonWidget::kArrowRight);
    right.Resize(0, 0, 16, 16);
    right.mDisabled = true;
    calls = DrawCalls(right);
    EXPECT_EQ(std::vector<Call>(calls.begin() + 7, calls.end()),
              (std::vector<Call>{Fill(9, 7, 1, 1, kShade), Fill(8, 6, 1, 3, kShade),
                                 Fill(7, 5, 1, 5, kShade), Fill(6, 4, 1, 7, kShade)}));

    ScrollbuttonWidget byId(0, nullptr, 0);
    byId.Resize(0, 0, 16, 16);
    byId.mHorizontal = true;
    calls = DrawCalls(byId);
    EXPECT_EQ(calls[7], Fill(6, 7, 1, 1, Color::Black)) << "id 0 points left";
}

TEST(ScrollbuttonPixelsTest, AnEightPixelUpArrowButton) {
    VuroAppBase app;
    MemoryImage dest(&app);
    Testing::Fill(dest, 8, 8, 0xFF102030);
    Graphics g(&dest);
    ScrollbuttonWidget up(1, nullptr, ScrollbuttonWidget::kArrowUp);
    up.Resize(0, 0, 8, 8);
    up.Draw(&g);
    const uint32_t* bits = dest.GetBits();
    auto at = [&](int x, int y) { return bits[y * 8 + x]; };
    EXPECT_EQ(at(0, 0), 0xFFD4D4D4u) << "face";
    EXPECT_EQ(at(1, 1), 0xFFFFFFFFu) << "light edge";
    EXPECT_EQ(at(1, 6), 0xFF848484u) << "shade over the light edge";
    EXPECT_EQ(at(7, 7), 0xFF000000u) << "dark edge";
    // Arrow rows from y (8 - 4) / 2 = 2: one pixel at x 3, then 3 from x 2, 5 from x 1.
    EXPECT_EQ(at(3, 2), 0xFF000000u);
    EXPECT_EQ(at(2, 2), 0xFFD4D4D4u);
    EXPECT_EQ(at(2, 3), 0xFF000000u);
    EXPECT_EQ(at(4, 3), 0xFF000000u);
    EXPECT_EQ(at(5, 3), 0xFFD4D4D4u);
    EXPECT_EQ(at(1, 4), 0xFF000000u);
}

} // namespace
} // namespace Vuro::Test
