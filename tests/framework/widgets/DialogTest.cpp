// The dialog: its buttons per mode, their layout in the manager's coordinates, the preferred
// height, what it draws, dragging within the screen, and the button reports and result.

#include "RecordingListeners.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/WidgetManager.h"
#include "framework/widgets/WidgetSysFont.h"
#include "support/FixedWidthSysFonts.h"

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace Vuro::Test {
namespace {

using Testing::FixedWidthFont;
using Testing::RecordingImage;
using Calls = std::vector<std::string>;

Rect RectOf(Widget* w) {
    return Rect(w->mX, w->mY, w->mWidth, w->mHeight);
}

TEST(DialogButtonsTest, ModesMakeTheirButtonsAndLabels) {
    Dialog none(nullptr, nullptr, 5, false, "", "", "Foot", 0);
    EXPECT_EQ(none.mYesButton, nullptr);
    EXPECT_EQ(none.mNoButton, nullptr);
    Dialog other(nullptr, nullptr, 5, false, "", "", "Foot", 4);
    EXPECT_EQ(other.mYesButton, nullptr);

    Dialog yesNo(nullptr, nullptr, 5, false, "", "", "Foot", 1);
    ASSERT_NE(yesNo.mNoButton, nullptr);
    EXPECT_EQ(yesNo.mYesButton->mLabel, "YES");
    EXPECT_EQ(yesNo.mYesButton->mId, DialogButtonYes);
    EXPECT_EQ(yesNo.mNoButton->mLabel, "NO");
    EXPECT_EQ(yesNo.mNoButton->mId, DialogButtonNo);

    Dialog okCancel(nullptr, nullptr, 5, false, "", "", "Foot", 2);
    EXPECT_EQ(okCancel.mYesButton->mLabel, "OK");
    EXPECT_EQ(okCancel.mNoButton->mLabel, "CANCEL");

    Dialog single(nullptr, nullptr, 5, false, "", "", "", 3);
    ASSERT_NE(single.mYesButton, nullptr);
    EXPECT_EQ(single.mNoButton, nullptr);
    EXPECT_EQ(single.mYesButton->mLabel, "");
    EXPECT_EQ(single.mResult, DialogResultNone);
    EXPECT_TRUE(single.mTranslucent);
    EXPECT_EQ(single.mPriority, 1);
}

TEST(DialogButtonsTest, ButtonLabelColoursFollowTheDialogsTable) {
    Dialog plain(nullptr, nullptr, 5, false, "", "", "", 1);
    EXPECT_EQ(plain.GetColor(3), Color::Black) << "plain buttons have black labels";
    EXPECT_EQ(plain.mYesButton->GetColor(0), Color::Black);
    EXPECT_EQ(plain.GetColor(1), Color(255, 255, 0));
    EXPECT_EQ(plain.GetColor(5), Color(80, 80, 80));
    plain.SetColor(3, Color(1, 2, 3));
    plain.SetColor(4, Color(4, 5, 6));
    EXPECT_EQ(plain.mYesButton->GetColor(0), Color(1, 2, 3));
    EXPECT_EQ(plain.mNoButton->GetColor(1), Color(4, 5, 6));

    RecordingImage buttonImage(30, 30);
    Dialog imaged(nullptr, &buttonImage, 5, false, "", "", "", 1);
    EXPECT_EQ(imaged.mYesButton->GetColor(0), Color::White);
    EXPECT_EQ(imaged.mButtonHeight, 30) << "the button image's height";
    EXPECT_EQ(imaged.mYesButton->mComponentImage, &buttonImage);
}

TEST(DialogLayoutTest, TwoButtonsShareTheInnerWidth) {
    Dialog dialog(nullptr, nullptr, 5, false, "", "", "", 1);
    dialog.Resize(100, 50, 300, 200);
    // Each (300 - 48 - 8) / 2 wide, 24 above the bottom.
    EXPECT_EQ(RectOf(dialog.mYesButton), Rect(124, 202, 122, 24));
    EXPECT_EQ(RectOf(dialog.mNoButton), Rect(254, 202, 122, 24));
    dialog.Resize(100, 50, 301, 200);
    EXPECT_EQ(RectOf(dialog.mYesButton), Rect(124, 202, 122, 24)) << "rounded down";
    EXPECT_EQ(RectOf(dialog.mNoButton), Rect(254, 202, 122, 24)) << "the gap stays 8";

    dialog.mButtonSideInset = 10;
    dialog.mBorderMargins = Margins(4, 4, 4, 4);
    dialog.Resize(100, 50, 300, 200);
    EXPECT_EQ(RectOf(dialog.mYesButton), Rect(138, 198, 108, 24));
    EXPECT_EQ(RectOf(dialog.mNoButton), Rect(254, 198, 108, 24));
}

TEST(DialogLayoutTest, OneButtonSpansTheInnerWidth) {
    Dialog dialog(nullptr, nullptr, 5, false, "", "", "Fine", 3);
    dialog.mButtonSideInset = 10; // not used for a single button
    dialog.Resize(100, 50, 300, 200);
    EXPECT_EQ(RectOf(dialog.mYesButton), Rect(124, 202, 252, 24));
    EXPECT_EQ(dialog.mYesButton->mLabel, "Fine");
}

TEST(DialogLayoutTest, PreferredHeightAddsMarginsTextsAndButtons) {
    FixedWidthFont font(6); // height 10, padding 1, ascent 8, line spacing 12
    Dialog empty(nullptr, nullptr, 5, false, "", "", "", 0);
    EXPECT_EQ(empty.GetPreferredHeight(300), 48);

    Dialog full(nullptr, nullptr, 5, false, "Head", "one two", "Foot", 1);
    full.SetHeaderFont(&font);
    full.SetLinesFont(&font);
    // 48 + header 9 + (10 + one line 9) + (8 + 12) + (8 + 24 + 8).
    EXPECT_EQ(full.GetPreferredHeight(300), 136);
    // 100 - 52 leaves 48 pixels: eight characters, so two lines (9 + 12).
    Dialog wrapped(nullptr, nullptr, 5, false, "", "one two three", "", 0);
    wrapped.SetLinesFont(&font);
    EXPECT_EQ(wrapped.GetPreferredHeight(100), 69);
    wrapped.mExtraLineSpacing = 3;
    EXPECT_EQ(wrapped.GetPreferredHeight(100), 72);

    Dialog single(nullptr, nullptr, 5, false, "", "", "Foot", 3);
    single.SetHeaderFont(&font);
    EXPECT_EQ(single.GetPreferredHeight(300), 80) << "mode 3: the footer is the button";
}

TEST(DialogLayoutTest, DefaultFontsAreMadeOnFirstNeed) {
    {
        Testing::FixedWidthSysFonts fonts;
        Dialog dialog(nullptr, nullptr, 5, false, "Head", "", "", 0);
        EXPECT_EQ(dialog.GetPreferredHeight(300), 57);
        dialog.GetPreferredHeight(300);
        const auto& made = Testing::FixedWidthSysFonts::Requests();
        ASSERT_EQ(made.size(), 2u) << "made once";
        EXPECT_EQ(made[0].mFace, "SansSerif");
        EXPECT_EQ(made[0].mPointSize, 14);
        EXPECT_EQ(made[1].mPointSize, 12);
    }
    SysFontMaker old = SetSysFontMaker(nullptr);
    Dialog fontless(nullptr, nullptr, 5, false, "Head", "Lines", "Foot", 0);
    EXPECT_EQ(fontless.GetPreferredHeight(300), 48) << "without fonts the texts take no room";
    SetSysFontMaker(old);
}

TEST(DialogDrawTest, DefaultLookAndTextPositions) {
    FixedWidthFont font(6);
    Dialog dialog(nullptr, nullptr, 5, false, "Head", "one two", "Foot", 0);
    dialog.SetHeaderFont(&font);
    dialog.SetLinesFont(&font);
    dialog.Resize(0, 0, 300, 200);
    RecordingImage dest(640, 480);
    Graphics g(&dest);
    dialog.Draw(&g);
    using Call = RecordingImage::Call;
    const Color shadow(0, 0, 0, 128);
    EXPECT_EQ(
        dest.mCalls,
        (std::vector<Call>{
            {"DrawRect", nullptr, Rect(12, 12, 275, 175), {}, {}, Color::White, 0, false},
            {"FillRect", nullptr, Rect(13, 13, 274, 174), {}, {}, Color(80, 80, 80), 0, false},
            {"FillRect", nullptr, Rect(288, 24, 12, 164), {}, {}, shadow, 0, false},
            {"FillRect", nullptr, Rect(24, 188, 276, 12), {}, {}, shadow, 0, false}}));

    auto& header = static_cast<FixedWidthFont*>(dialog.mHeaderFont)->mDrawn;
    auto& lines = static_cast<FixedWidthFont*>(dialog.mLinesFont)->mDrawn;
    ASSERT_EQ(header.size(), 2u);
    // Header: baseline 24 + 8 - 1, centred (300 - 24) / 2.
    EXPECT_EQ(header[0].mText, "Head");
    EXPECT_EQ(header[0].mX, 138);
    EXPECT_EQ(header[0].mY, 31);
    EXPECT_EQ(header[0].mColor, Color::White);
    // Lines from y 31 + 2 + 10, centred in 248 pixels from x 26.
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].mText, "one two");
    EXPECT_EQ(lines[0].mX, 129);
    EXPECT_EQ(lines[0].mY, 50);
    EXPECT_EQ(lines[0].mColor, Color(255, 255, 0));
    // Footer: 43 + 9 + 12 + 8.
    EXPECT_EQ(header[1].mText, "Foot");
    EXPECT_EQ(header[1].mY, 72);
}

TEST(DialogDrawTest, AComponentImageIsDrawnAsABoxInsideTheBorderMargins) {
    RecordingImage component(30, 30); // 10-pixel cells
    Dialog dialog(&component, nullptr, 5, false, "", "", "", 0);
    dialog.mBorderMargins = Margins(2, 3, 4, 5);
    dialog.Resize(0, 0, 100, 80);
    RecordingImage dest(640, 480);
    Graphics g(&dest);
    dialog.Draw(&g);
    // Into {2, 3, 100 - 6, 80 - 8}: corners at 2, 3 / 86, 3 / 2, 65 / 86, 65.
    ASSERT_GE(dest.mCalls.size(), 4u);
    EXPECT_EQ(dest.mCalls[0].mDest, Rect(2, 3, 0, 0));
    EXPECT_EQ(dest.mCalls[1].mDest, Rect(86, 3, 0, 0));
    EXPECT_EQ(dest.mCalls[3].mDest, Rect(86, 65, 0, 0));
    for (const auto& call : dest.mCalls) {
        EXPECT_EQ(call.mSlot, "Blt") << "no default box";
    }
}

TEST(DialogDrawTest, ModeThreeNeverDrawsTheFooter) {
    FixedWidthFont font(6);
    Dialog dialog(nullptr, nullptr, 5, false, "", "", "Foot", 3);
    dialog.SetHeaderFont(&font);
    dialog.SetLinesFont(&font);
    dialog.Resize(0, 0, 300, 200);
    RecordingImage dest(640, 480);
    Graphics g(&dest);
    dialog.Draw(&g);
    EXPECT_TRUE(static_cast<FixedWidthFont*>(dialog.mHeaderFont)->mDrawn.empty());
}

class DialogManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        mManager.SetScreenSize(640, 480);
        mDialog.mDialogListener = &mListener;
        mDialog.Resize(100, 50, 300, 200);
        mManager.AddWidget(&mDialog);
    }
    void TearDown() override { mManager.RemoveWidget(&mDialog); }
    std::vector<Widget*> TopLevel() {
        return std::vector<Widget*>(mManager.mWidgets.begin(), mManager.mWidgets.end());
    }
    void Click(int x, int y, int clickCount = 1) {
        mManager.MouseMove(x, y);
        mManager.MouseDown(x, y, clickCount);
        mManager.MouseUp(x, y, clickCount);
    }

    WidgetManager mManager{nullptr};
    RecordingListener mListener;
    Dialog mDialog{nullptr, nullptr, 5, true, "Head", "Lines", "Foot", 1};
};

TEST_F(DialogManagerTest, ButtonsComeGoAndStayAboveTheDialog) {
    EXPECT_EQ(TopLevel(), (std::vector<Widget*>{&mDialog, mDialog.mYesButton, mDialog.mNoButton}));
    Widget other;
    mManager.AddWidget(&other);
    mManager.BringToFront(&mDialog, nullptr);
    auto order = TopLevel();
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], &other);
    EXPECT_EQ(order[1], &mDialog);
    mManager.RemoveWidget(&mDialog);
    EXPECT_EQ(TopLevel(), (std::vector<Widget*>{&other}));
    mManager.RemoveWidget(&other);
    mManager.AddWidget(&mDialog);
}

TEST_F(DialogManagerTest, YesAndNoReachTheListenerAndSetTheResult) {
    Click(130, 210);
    EXPECT_EQ(mListener.TakeActions(), (Calls{"DialogPress(5,1000)", "DialogClick(5,1000)"}));
    EXPECT_EQ(mDialog.mResult, DialogButtonYes);
    Click(260, 210);
    EXPECT_EQ(mListener.TakeActions(), (Calls{"DialogPress(5,1001)", "DialogClick(5,1001)"}));
    EXPECT_EQ(mDialog.mResult, DialogButtonNo);
    mDialog.ButtonPress(7);
    mDialog.ButtonClick(7);
    EXPECT_TRUE(mListener.Take().empty()) << "a derived dialog's own button";
    EXPECT_EQ(mDialog.mResult, DialogButtonNo);
    EXPECT_FALSE(mDialog.mDragging) << "pressing a button does not drag the dialog";
}

TEST_F(DialogManagerTest, DraggingKeepsTheDialogWithinEightPixelsOfTheScreen) {
    mManager.MouseMove(110, 60);
    mManager.MouseDown(110, 60, 1);
    EXPECT_TRUE(mDialog.mDragging);
    mManager.MouseMove(50, 60);
    EXPECT_EQ(RectOf(&mDialog), Rect(40, 50, 300, 200));
    EXPECT_EQ(mDialog.mYesButton->mX, 64) << "the buttons move along";
    mManager.MouseMove(0, 60);
    EXPECT_EQ(mDialog.mX, -8);
    EXPECT_EQ(mDialog.mGrabX, 8) << "the grab point stays 8 inside";
    mManager.MouseMove(0, 0);
    EXPECT_EQ(RectOf(&mDialog), Rect(-8, -8, 300, 200));
    mManager.MouseMove(639, 479);
    EXPECT_EQ(RectOf(&mDialog), Rect(348, 288, 300, 200));
    EXPECT_EQ(mDialog.mGrabX, 291);
    EXPECT_EQ(mDialog.mGrabY, 191);
    EXPECT_EQ(RectOf(mDialog.mNoButton), Rect(348 + 154, 288 + 152, 122, 24));
    mManager.MouseUp(639, 479, 1);
    EXPECT_FALSE(mDialog.mDragging);
}

TEST_F(DialogManagerTest, TheGrabPointIsPulledInsideAtTheEdge) {
    mManager.MouseMove(105, 60);
    mManager.MouseDown(105, 60, 1);
    EXPECT_EQ(mDialog.mGrabX, 5);
    mManager.MouseMove(3, 60);
    EXPECT_EQ(mDialog.mX, -2);
    EXPECT_EQ(mDialog.mGrabX, 8);
    mManager.MouseMove(0, 60);
    EXPECT_EQ(mDialog.mX, -8);
    mManager.MouseUp(0, 60, 1);
}

TEST_F(DialogManagerTest, ARightPressDoesNotDrag) {
    mManager.MouseMove(110, 60);
    mManager.MouseDown(110, 60, -1);
    EXPECT_FALSE(mDialog.mDragging);
    mManager.MouseMove(50, 60);
    EXPECT_EQ(mDialog.mX, 100);
    mManager.MouseUp(50, 60, -1);
}

TEST(DialogLifetimeTest, DeletingAnAttachedDialogTakesItsButtonsAlong) {
    WidgetManager manager(nullptr);
    auto* dialog = new Dialog(nullptr, nullptr, 5, false, "", "", "", 2);
    manager.AddWidget(dialog);
    EXPECT_EQ(manager.mWidgets.size(), 3u);
    delete dialog;
    EXPECT_TRUE(manager.mWidgets.empty());
}

TEST(DialogLifetimeTest, WaitingOnADetachedDialogAnswersAtOnce) {
    Dialog dialog(nullptr, nullptr, 5, false, "", "", "", 1);
    dialog.mResult = DialogButtonNo;
    EXPECT_EQ(dialog.WaitForResult(false), DialogButtonNo);
}

} // namespace
} // namespace Vuro::Test
