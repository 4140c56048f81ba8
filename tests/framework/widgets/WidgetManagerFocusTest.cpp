// The keyboard focus, keys, the application's focus, the modal stack, and widgets deleted while
// the manager tracks them.

#include "RecordingWidget.h"

#include "framework/widgets/WidgetManager.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

using Platform::kVkControl;
using Platform::kVkShift;
using Platform::kVkTab;

// A screen with a text field, and a dialog with an OK button that is not yet shown.
class WidgetManagerFocusTest : public RecordingLogTest {
protected:
    void SetUp() override {
        mField.acceptsFocus = true;
        mOk.acceptsFocus = true;
        mScreen.AddWidget(&mField);
        mDialog.AddWidget(&mOk);
        mManager.AddWidget(&mScreen);
    }
    void Click(int x, int y) {
        mManager.MouseMove(x, y);
        mManager.MouseDown(x, y, 1);
        mManager.MouseUp(x, y, 1);
    }

    WidgetManager mManager{nullptr};
    RecordingWidget mScreen{mLog, "screen", 0, 0, 640, 480};
    RecordingWidget mField{mLog, "field", 10, 10, 100, 20};
    RecordingWidget mDialog{mLog, "dialog", 200, 200, 100, 100};
    RecordingWidget mOk{mLog, "ok", 10, 10, 50, 20};
};

TEST_F(WidgetManagerFocusTest, APressGivesTheFocusToWidgetsThatAcceptIt) {
    Click(20, 15);
    EXPECT_EQ(Take(), (CallLog{"field.Enter()", "field.Move(10,5)", "field.GotFocus()",
                               "field.Down(10,5,1)", "field.Up(10,5,1)"}));
    EXPECT_EQ(mManager.mFocusWidget, &mField);
    EXPECT_TRUE(mField.mHasFocus);
    Click(300, 300);
    EXPECT_EQ(mManager.mFocusWidget, &mField) << "the screen does not accept the focus";
    Take();

    mManager.SetFocus(&mField);
    EXPECT_TRUE(Take().empty()) << "setting the same focus again tells nobody";
    // A widget outside the tree cannot have the focus.
    mManager.SetFocus(&mOk);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
    EXPECT_EQ(Take(), (CallLog{"field.LostFocus()"}));
    WidgetManager other(nullptr);
    Widget elsewhere;
    other.AddWidget(&elsewhere);
    mManager.SetFocus(&elsewhere);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
}

TEST_F(WidgetManagerFocusTest, KeysReachTheFocusAndAreRecorded) {
    mManager.SetFocus(&mField);
    mManager.KeyDown('A');
    EXPECT_EQ(mManager.mKeyDown[uint8_t{'A'}], 1);
    mManager.KeyDown(300);
    mManager.KeyDown(-1);
    mManager.CharInput('a');
    mManager.MouseWheel(-2);
    mManager.KeyUp('A');
    EXPECT_EQ(mManager.mKeyDown[uint8_t{'A'}], 0);
    mManager.KeyUp(300);
    EXPECT_EQ(Take(), (CallLog{"field.GotFocus()", "field.KeyDown(65)", "field.KeyDown(300)",
                               "field.KeyDown(-1)", "field.Char(97)", "field.Wheel(-2)",
                               "field.KeyUp(65)", "field.KeyUp(300)"}));
    EXPECT_EQ(mManager.mLastInputUpdate, 0);
    mManager.UpdateFrame();
    mManager.KeyDown('B');
    EXPECT_EQ(mManager.mLastInputUpdate, 1);

    // Without a focus, keys are only recorded.
    mManager.SetFocus(nullptr);
    Take();
    mManager.KeyDown('C');
    mManager.CharInput('c');
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(mManager.mKeyDown[uint8_t{'C'}], 1);
}

TEST_F(WidgetManagerFocusTest, CtrlTabGoesToItsOwnWidget) {
    RecordingWidget switcher(mLog, "switcher");
    mManager.SetFocus(&mField);
    mManager.KeyDown(kVkControl);
    mManager.KeyDown(kVkTab);
    mManager.CharInput(kVkTab);
    mManager.KeyUp(kVkTab);
    mManager.mCtrlTabWidget = &switcher;
    mManager.CharInput(kVkTab);
    mManager.KeyUp(kVkControl);
    mManager.CharInput(kVkTab);
    EXPECT_EQ(Take(), (CallLog{"field.GotFocus()", "field.KeyDown(17)", "field.KeyDown(9)",
                               "switcher.Char(9)", "field.KeyUp(17)", "field.Char(9)"}));
}

TEST_F(WidgetManagerFocusTest, TabMovesAlongTheTabOrder) {
    RecordingWidget second(mLog, "second", 10, 40, 100, 20);
    mScreen.AddWidget(&second);
    mField.mTabNext = &second;
    second.mTabPrev = &mField;
    mManager.SetFocus(&mField);
    mManager.KeyDown(kVkTab);
    EXPECT_EQ(mManager.mFocusWidget, &second);
    mManager.KeyDown(kVkTab);
    EXPECT_EQ(mManager.mFocusWidget, &second) << "the end of the order";
    mManager.KeyDown(kVkShift);
    mManager.KeyDown(kVkTab);
    EXPECT_EQ(mManager.mFocusWidget, &mField);
    EXPECT_EQ(Take(), (CallLog{"field.GotFocus()", "field.KeyDown(9)", "field.LostFocus()",
                               "second.GotFocus()", "second.KeyDown(9)", "second.KeyDown(16)",
                               "second.KeyDown(9)", "second.LostFocus()", "field.GotFocus()"}));
}

TEST_F(WidgetManagerFocusTest, LosingTheAppFocusReleasesKeysAndFocus) {
    mManager.SetFocus(&mField);
    mManager.KeyDown('A');
    mManager.KeyDown(kVkShift);
    mManager.MouseDown(500, 400, 1);
    Take();
    mManager.LostAppFocus();
    EXPECT_EQ(Take(), (CallLog{"field.KeyUp(16)", "field.KeyUp(65)", "field.LostFocus()"}));
    EXPECT_EQ(mManager.mPressedButtons, 0);
    EXPECT_EQ(mManager.mKeyDown[uint8_t{'A'}], 0);
    mManager.LostAppFocus();
    EXPECT_TRUE(Take().empty());

    // The focus can move meanwhile without being told; it is told when the app returns.
    mManager.mUnfocusedAdjust.mRemoveFlags = WidgetFlagUpdate;
    EXPECT_EQ(mManager.GetWidgetFlags(), kDefaultWidgetFlags & ~WidgetFlagUpdate);
    mManager.UpdateFrame();
    EXPECT_TRUE(Take().empty()) << "nothing updates while the window lacks focus";
    mManager.GotAppFocus();
    mManager.GotAppFocus();
    EXPECT_EQ(Take(), (CallLog{"field.GotFocus()"}));
    EXPECT_EQ(mManager.GetWidgetFlags(), kDefaultWidgetFlags);
}

TEST_F(WidgetManagerFocusTest, AModalDialogTakesOverAndGivesBack) {
    // The field is over, held and focused when the dialog comes.
    mManager.MouseMove(20, 15);
    mManager.MouseDown(20, 15, 1);
    Take();
    mManager.AddWidget(&mDialog);
    mManager.PushModal(&mDialog);
    EXPECT_EQ(Take(), (CallLog{"field.Leave()", "field.Up(10,5,1)", "field.LostFocus()"}));
    EXPECT_EQ(mManager.mModalWidget, &mDialog);
    EXPECT_EQ(mManager.mHeldWidget, nullptr);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);

    // Below the dialog nothing is hit; the dialog works as usual.
    mManager.MouseUp(20, 15, 1);
    Click(25, 15);
    EXPECT_TRUE(Take().empty());
    Click(215, 215);
    EXPECT_EQ(Take(), (CallLog{"ok.Enter()", "ok.Move(5,5)", "ok.GotFocus()", "ok.Down(5,5,1)",
                               "ok.Up(5,5,1)"}));

    // Closing: the dialog leaves, then its entry is popped and the field gets the focus back.
    mManager.RemoveWidget(&mDialog);
    mManager.PopModal(&mDialog);
    EXPECT_EQ(Take(), (CallLog{"ok.Leave()", "ok.LostFocus()", "field.GotFocus()"}));
    EXPECT_EQ(mManager.mModalWidget, nullptr);
    EXPECT_EQ(mManager.mFocusWidget, &mField);
    EXPECT_TRUE(mManager.mModalStack.empty());
    Click(25, 15);
    EXPECT_EQ(mLog.front(), "field.Enter()");
}

TEST_F(WidgetManagerFocusTest, PoppingKeepsAFocusThatExists) {
    mManager.SetFocus(&mField);
    mManager.AddWidget(&mDialog);
    mManager.PushModal(&mDialog);
    mManager.SetFocus(&mOk);
    mManager.PopModal(&mDialog);
    EXPECT_EQ(mManager.mFocusWidget, &mOk);
    // Popping a widget that is not on top does nothing.
    mManager.PopModal(&mDialog);
    mManager.PopModal(nullptr);
    EXPECT_EQ(mManager.mFocusWidget, &mOk);
}

TEST_F(WidgetManagerFocusTest, NestedModalsRestoreOneAnother) {
    RecordingWidget second(mLog, "second", 400, 300, 50, 50);
    mManager.AddWidget(&mDialog);
    mManager.AddWidget(&second);
    const FlagAdjust firstAdjust{0, WidgetFlagAllowMouse};
    mManager.PushModalWith(&mDialog, firstAdjust);
    mManager.PushModal(&second);
    EXPECT_EQ(mManager.mBelowModalAdjust.mRemoveFlags, WidgetFlagAllowMouse | WidgetFlagAllowFocus);
    mManager.PopModal(&mDialog);
    EXPECT_EQ(mManager.mModalWidget, &second) << "only the top entry can be popped";
    mManager.PopModal(&second);
    EXPECT_EQ(mManager.mModalWidget, &mDialog);
    EXPECT_EQ(mManager.mBelowModalAdjust.mRemoveFlags, WidgetFlagAllowMouse);
    mManager.PopModal(&mDialog);
    EXPECT_EQ(mManager.mModalWidget, nullptr);
    EXPECT_EQ(mManager.mBelowModalAdjust.mRemoveFlags, 0);

    // A modal widget removed meanwhile is popped along with the one above it.
    mManager.PushModal(&mDialog);
    mManager.PushModal(&second);
    mManager.RemoveWidget(&mDialog);
    EXPECT_EQ(mManager.mModalStack.back().mPreviousModal, nullptr);
    mManager.PopModal(&second);
    EXPECT_TRUE(mManager.mModalStack.empty());
    EXPECT_EQ(mManager.mModalWidget, nullptr);
    EXPECT_EQ(mManager.mBelowModalAdjust.mRemoveFlags, 0);
}

TEST_F(WidgetManagerFocusTest, DeletingTheOverHeldAndFocusedWidget) {
    auto* doomed = new RecordingWidget(mLog, "doomed", 300, 10, 50, 50);
    doomed->acceptsFocus = true;
    mScreen.AddWidget(doomed);
    mManager.MouseMove(310, 20);
    mManager.MouseDown(310, 20, 1);
    ASSERT_EQ(mManager.mOverWidget, doomed);
    ASSERT_EQ(mManager.mHeldWidget, doomed);
    ASSERT_EQ(mManager.mFocusWidget, doomed);
    delete doomed;
    EXPECT_EQ(mManager.mOverWidget, nullptr);
    EXPECT_EQ(mManager.mHeldWidget, nullptr);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
    EXPECT_EQ(mScreen.mWidgets, (std::list<Widget*>{&mField}));
    // Input and updates go on without touching it (ASan would tell).
    mManager.MouseMove(315, 25);
    mManager.MouseUp(315, 25, 1);
    mManager.KeyDown('A');
    mManager.UpdateFrame();
    EXPECT_EQ(mManager.mOverWidget, &mScreen);
}

TEST_F(WidgetManagerFocusTest, DeletingTheFocusedWidgetDuringTheUpdateWalk) {
    auto* doomed = new RecordingWidget(mLog, "doomed", 300, 10, 50, 50);
    mScreen.AddWidget(doomed);
    mManager.SetFocus(doomed);
    mManager.MouseMove(310, 20);
    mField.onUpdate = [&] { delete doomed; };
    Take();
    mManager.UpdateFrame();
    EXPECT_EQ(Take(), (CallLog{"screen.Update()", "field.Update()"}));
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
    EXPECT_EQ(mManager.mOverWidget, nullptr);
    mManager.KeyDown('A');
    mManager.MouseMove(311, 20);
}

TEST_F(WidgetManagerFocusTest, DeletingAScreenWhoseFieldADialogWillGiveTheFocusBackTo) {
    // The modal stack forgets every widget that leaves the tree, not only the one removed
    // directly.
    auto* screen = new RecordingWidget(mLog, "doomedScreen", 0, 0, 640, 480);
    auto* field = new RecordingWidget(mLog, "doomedField", 10, 10, 100, 20);
    screen->AddWidget(field);
    mManager.AddWidget(screen);
    mManager.SetFocus(field);
    mManager.mCtrlTabWidget = field;
    mManager.AddWidget(&mDialog);
    mManager.PushModal(&mDialog);
    ASSERT_EQ(mManager.mModalStack.back().mPreviousFocus, field);
    delete screen;
    EXPECT_EQ(mManager.mModalStack.back().mPreviousFocus, nullptr);
    EXPECT_EQ(mManager.mCtrlTabWidget, nullptr);
    delete field;
    mManager.RemoveWidget(&mDialog);
    mManager.PopModal(&mDialog);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);
}

} // namespace
} // namespace Vuro::Test
