// Buttons driven through the widget manager by scripted mouse input: what the listener hears
// and in which order, clicks only on a release over the button, held reports and the over
// fade.

#include "RecordingListeners.h"

#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

using Calls = std::vector<std::string>;

class ButtonWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        mManager.SetScreenSize(640, 480);
        mButton.Resize(100, 50, 80, 20);
        mManager.AddWidget(&mButton);
    }
    void TearDown() override { mManager.RemoveWidget(&mButton); }

    WidgetManager mManager{nullptr};
    RecordingListener mListener;
    ButtonWidget mButton{7, &mListener};
};

TEST_F(ButtonWidgetTest, PressAndReleaseOverTheButtonClicks) {
    mManager.MouseMove(110, 55);
    EXPECT_TRUE(mButton.mIsOver);
    mManager.MouseDown(110, 55, 1);
    EXPECT_TRUE(mButton.IsButtonDown());
    mManager.MouseUp(110, 55, 1);
    EXPECT_FALSE(mButton.mIsDown);
    EXPECT_EQ(mListener.Take(),
              (Calls{"Enter(7)", "Move(7,10,5)", "PressCount(7,1)", "Press(7)", "Click(7)"}));
    mManager.MouseMove(300, 300);
    EXPECT_EQ(mListener.Take(), (Calls{"Leave(7)"}));
}

TEST_F(ButtonWidgetTest, ReleasingOffTheButtonDoesNotClickButComingBackDoes) {
    mManager.MouseMove(110, 55);
    mManager.MouseDown(110, 55, 1);
    mManager.MouseMove(300, 55);
    EXPECT_TRUE(mButton.mIsDown);
    EXPECT_FALSE(mButton.IsButtonDown());
    mManager.MouseUp(300, 55, 1);
    EXPECT_EQ(mListener.TakeActions(), (Calls{"PressCount(7,1)", "Press(7)"}));

    mManager.MouseMove(110, 55);
    mManager.MouseDown(110, 55, 1);
    mManager.MouseMove(300, 55);
    mManager.MouseMove(120, 60);
    mManager.MouseUp(120, 60, 1);
    EXPECT_EQ(mListener.TakeActions(), (Calls{"PressCount(7,1)", "Press(7)", "Click(7)"}));
}

TEST_F(ButtonWidgetTest, NoClickWhileTheApplicationWindowHasNoFocus) {
    mManager.MouseMove(110, 55);
    mManager.MouseDown(110, 55, 1);
    mManager.mHasAppFocus = false;
    mManager.MouseUp(110, 55, 1);
    EXPECT_EQ(mListener.TakeActions(), (Calls{"PressCount(7,1)", "Press(7)"}));
}

TEST_F(ButtonWidgetTest, RightAndDoublePressesReportTheirSignedCount) {
    mManager.MouseMove(110, 55);
    mManager.MouseDown(110, 55, -1);
    mManager.MouseUp(110, 55, -1);
    mManager.MouseDown(110, 55, 2);
    mManager.MouseUp(110, 55, 2);
    EXPECT_EQ(mListener.TakeActions(), (Calls{"PressCount(7,-1)", "Press(7)", "Click(7)",
                                              "PressCount(7,2)", "Press(7)", "Click(7)"}));
}

TEST_F(ButtonWidgetTest, ADisabledButtonHearsNothing) {
    mButton.SetDisabled(true);
    mManager.MouseMove(110, 55);
    mManager.MouseDown(110, 55, 1);
    mManager.MouseUp(110, 55, 1);
    EXPECT_FALSE(mButton.mIsOver);
    EXPECT_TRUE(mListener.Take().empty());
    mButton.SetDisabled(false);
    EXPECT_TRUE(mButton.mIsOver) << "enabling under the mouse enters it";
    EXPECT_EQ(mListener.Take(), (Calls{"Enter(7)", "Move(7,10,5)"}));
}

TEST_F(ButtonWidgetTest, HeldIsReportedOncePerUpdateOnlyWhileOver) {
    mManager.MouseMove(110, 55);
    mManager.MouseDown(110, 55, 1);
    mListener.Take();
    mManager.UpdateFrame();
    mManager.UpdateFrame();
    EXPECT_EQ(mListener.Take(), (Calls{"Held(7)", "Held(7)"}));
    mManager.MouseMove(300, 55);
    mListener.Take();
    mManager.UpdateFrame();
    EXPECT_TRUE(mListener.Take().empty());
    mManager.MouseMove(110, 55);
    mListener.Take();
    mManager.UpdateFrame();
    EXPECT_EQ(mListener.Take(), (Calls{"Held(7)"}));
}

TEST_F(ButtonWidgetTest, OverAlphaFadesInToFullAndOutToNothing) {
    mButton.mOverAlphaFadeInSpeed = 0.1;
    mButton.mOverAlphaSpeed = 0.25;
    mManager.MouseMove(110, 55);
    for (int i = 0; i < 10; ++i) {
        mManager.UpdateFrame();
    }
    EXPECT_DOUBLE_EQ(mButton.mOverAlpha, 1.0);
    for (int i = 0; i < 5; ++i) {
        mManager.UpdateFrame();
    }
    EXPECT_EQ(mButton.mOverAlpha, 1.0) << "capped";

    mManager.MouseMove(300, 55);
    EXPECT_EQ(mButton.mOverAlpha, 1.0);
    const double expected[] = {0.75, 0.5, 0.25, 0.0, 0.0};
    for (double alpha : expected) {
        mManager.UpdateFrame();
        EXPECT_EQ(mButton.mOverAlpha, alpha);
    }
}

TEST_F(ButtonWidgetTest, WithoutFadeSpeedsTheOverAlphaIsDroppedAtOnce) {
    mButton.mOverAlpha = 0.5;
    mManager.MouseMove(110, 55);
    EXPECT_EQ(mButton.mOverAlpha, 0.0) << "entering without a fade-in";
    mButton.mOverAlpha = 0.5;
    mManager.MouseMove(300, 55);
    EXPECT_EQ(mButton.mOverAlpha, 0.0) << "leaving without a fade-out";

    mButton.mOverAlphaSpeed = 0.25;
    mManager.MouseMove(110, 55);
    mManager.MouseMove(300, 55);
    EXPECT_EQ(mButton.mOverAlpha, 1.0) << "a fade-out starts from full";
}

TEST_F(ButtonWidgetTest, EnteringAndLeavingRedrawOnlyWhenTheLookChanges) {
    mManager.mDirty = false;
    mButton.mDirty = false;
    mManager.MouseMove(110, 55);
    EXPECT_FALSE(mButton.mDirty) << "same colours, no over image";
    mButton.mColors[1] = Color(255, 0, 0);
    mManager.MouseMove(300, 55);
    EXPECT_TRUE(mButton.mDirty);
}

TEST(ButtonWidgetFontTest, SetFontKeepsADuplicate) {
    Testing::FixedWidthFont font(5);
    ButtonWidget button(1, nullptr);
    button.SetFont(&font);
    ASSERT_NE(button.mFont, nullptr);
    EXPECT_NE(button.mFont, &font);
    EXPECT_EQ(button.mFont->StringWidth("abc"), 15);
    button.SetFont(nullptr);
    EXPECT_EQ(button.mFont, nullptr);
}

} // namespace
} // namespace Vuro::Test
