// The window procedure's rules with scripted input: what is answered at once (the end of a
// move, the cursor, a paint, the destruction) and what is queued, Alt+Enter and Alt+F4,
// activation and focus loss, the window timer's mouse enter and leave, playback ignoring real
// input, and the records input leaves in a recorded demo.

#include "TestApp.h"

#include "framework/app/DemoRecord.h"
#include "framework/display/DDImage.h"

namespace Vuro::Test {
namespace {

using Platform::Message;

// Remembers the mouse calls that reach it.
class PressWidget : public Widget {
public:
    PressWidget() { Resize(0, 0, 640, 480); }
    void MouseDown(int, int, int clickCount) override { downs.push_back(clickCount); }
    void MouseUp(int, int, int clickCount) override { ups.push_back(clickCount); }
    void KeyDown(int key) override { keys.push_back(key); }
    std::vector<int> downs;
    std::vector<int> ups;
    std::vector<int> keys;
};

class FocusApp : public TestApp {
public:
    void GotFocus() override { ++gotFocus; }
    void LostFocus() override { ++lostFocus; }
    void Mute(bool autoMute) override {
        mutes.push_back(autoMute);
        VuroAppBase::Mute(autoMute);
    }
    void Unmute(bool autoMute) override {
        unmutes.push_back(autoMute);
        VuroAppBase::Unmute(autoMute);
    }
    bool SwallowsAltKey(char c) override {
        altKeys.push_back(c);
        return VuroAppBase::SwallowsAltKey(c);
    }
    void UpdateCursor() override {
        ++cursorUpdates;
        VuroAppBase::UpdateCursor();
    }
    int gotFocus = 0;
    int cursorUpdates = 0;
    std::vector<char> altKeys;
    int lostFocus = 0;
    std::vector<bool> mutes;
    std::vector<bool> unmutes;
};

class WindowProcTest : public ::testing::Test {
protected:
    void SetUp() override {
        mApp.Init();
        mApp.mWidgetManager->AddWidget(&mWidget);
        mApp.mWidgetManager->SetFocus(&mWidget);
    }
    void TearDown() override { mApp.mWidgetManager->RemoveWidget(&mWidget); }
    uint32_t Main() const { return mApp.mMainWindow->Id(); }
    void Send(uint32_t message, uint64_t wParam = 0, int64_t lParam = 0) {
        mApp.WindowProc(Message{Main(), message, wParam, lParam});
    }
    void DispatchAll() {
        while (mApp.DispatchQueuedInput(true)) {
        }
    }

    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    StackApp<FocusApp> mApp;
    PressWidget mWidget;
};

TEST_F(WindowProcTest, AltEnterSwitchesTheModeIsNotQueuedAndLeavesNoKeyDown) {
    using namespace Platform;
    mApp.mRecordingDemoBuffer = true;
    Send(kWmSysKeyDown, kVkMenu, 1 << 29);
    DispatchAll();
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkMenu], 1);
    const uint32_t before = mWindows.LastWindow()->Id();
    ASSERT_TRUE(mApp.mIsWindowed);

    Send(kWmSysKeyDown, kVkReturn, 1 << 29);
    EXPECT_TRUE(mApp.mInputQueue.empty());
    EXPECT_FALSE(mApp.mIsWindowed);
    EXPECT_FALSE(mApp.mIsPhysWindowed);
    FakeWindow* after = mWindows.LastWindow();
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after->Id(), before) << "the window is made again";
    EXPECT_TRUE(after->mParams.fullScreen);
    EXPECT_TRUE(after->mVisible);
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkMenu], 0) << "no key stays down";
    EXPECT_EQ(mApp.mWidgetManager->mImage,
              static_cast<Image*>(mApp.mDDInterface->GetScreenImage()));
    // The Alt key's record (18 bits) and the screen mode's (26 bits); Enter left none.
    EXPECT_EQ(mApp.mDemoBuffer.GetDataLen(), (18 + 26 + 7) / 8);

    Send(kWmSysKeyDown, kVkReturn, 1 << 29);
    EXPECT_TRUE(mApp.mIsWindowed);
    EXPECT_FALSE(mWindows.LastWindow()->mParams.fullScreen);

    // A mode that was forced cannot be switched.
    mApp.mForceWindowed = true;
    int made = mWindows.mCreated;
    Send(kWmSysKeyDown, kVkReturn, 1 << 29);
    EXPECT_EQ(mWindows.mCreated, made);
    EXPECT_EQ(mApp.mInputQueue.size(), 1u) << "then it is an ordinary key";
}

TEST_F(WindowProcTest, AltF4ClosesAndOtherAltKeysReachTheWidgetsAsKeys) {
    using namespace Platform;
    Send(kWmSysKeyDown, 'X', 1 << 29);
    EXPECT_EQ(mEvents.Waiting(), 0u);
    Send(kWmSysKeyDown, kVkF1 + 3, 1 << 29);
    ASSERT_EQ(mEvents.Waiting(), 1u);
    Message posted;
    ASSERT_TRUE(mEvents.PeekMessage(posted));
    EXPECT_EQ(posted.message, kWmClose);
    EXPECT_EQ(posted.window, Main());
    // Alt+R as a character is swallowed (no system character is queued).
    Send(kWmSysChar, 'r', 1 << 29);
    EXPECT_EQ(mApp.mInputQueue.size(), 2u);
    DispatchAll();
    EXPECT_EQ(mWidget.keys, (std::vector<int>{'X', kVkF1 + 3}));
}

TEST_F(WindowProcTest, AltCharactersReachTheProductsHookAndNothingElse) {
    using namespace Platform;
    Send(kWmSysChar, 'x', 1 << 29);
    Send(kWmSysChar, 'R', 1 << 29);
    EXPECT_EQ(mApp.altKeys, (std::vector<char>{'x', 'R'}));
    EXPECT_TRUE(mApp.mInputQueue.empty());
    EXPECT_TRUE(mApp.VuroAppBase::SwallowsAltKey('r'));
    EXPECT_FALSE(mApp.VuroAppBase::SwallowsAltKey('x'));
}

TEST_F(WindowProcTest, FramePressesCursorRequestsPaintsAndDestructionAreAnsweredAtOnce) {
    using namespace Platform;
    struct Case {
        const char* name;
        uint32_t message;
        bool crashed;
        bool restartsClock; // the time owed to updates is forgotten
        int cursorUpdates;
        bool logsDestroyed;
        int redraws;
    };
    const Case cases[] = {
        {"end of a move or resize", kWmNcLButtonDown, false, true, 0, false, 0},
        {"pointer entering", kWmSetCursor, false, false, 1, false, 0},
        {"pointer entering after a crash", kWmSetCursor, true, false, 0, false, 0},
        {"destruction", kWmDestroy, false, false, 0, true, 0},
        {"paint", kWmPaint, false, false, 0, false, 1},
        {"paint after a crash", kWmPaint, true, false, 0, false, 0},
    };
    mApp.mInMainLoop = true;
    for (const Case& c : cases) {
        DebugOutputLog output;
        mApp.mCrashed = c.crashed;
        mApp.cursorUpdates = 0;
        mApp.mUpdateFTimeAcc = 150.0;
        mClock.Advance(40);
        const int redraws = mApp.mRedrawCount;
        Send(c.message);
        EXPECT_EQ(mApp.mUpdateFTimeAcc == 0.0 && mApp.mLastTimeCheck == mClock.TickMs(),
                  c.restartsClock)
            << c.name;
        EXPECT_EQ(mApp.cursorUpdates, c.cursorUpdates) << c.name;
        EXPECT_EQ(mApp.mRedrawCount - redraws, c.redraws) << c.name;
        EXPECT_EQ(output.Text(),
                  c.logsDestroyed ? "DESTROYED HWND: " + std::to_string(Main()) + "\r\n" : "")
            << c.name;
        EXPECT_TRUE(mApp.mInputQueue.empty()) << c.name;
    }
    mApp.mCrashed = false;
    // A new screen mode makes the window again; the old one goes through the procedure.
    DebugOutputLog output;
    const std::string destroyed = "DESTROYED HWND: " + std::to_string(Main()) + "\r\n";
    mApp.SetWindowedMode(false);
    EXPECT_NE(output.Text().find(destroyed), std::string::npos) << output.Text();
}

TEST_F(WindowProcTest, NothingIsQueuedAfterACloseWhichShutsDownWhenDispatched) {
    using namespace Platform;
    Send(kWmTimer, 100);
    Send(kWmTimer, 100);
    Send(kWmTimer, 100);
    EXPECT_EQ(mApp.mInputQueue.size(), 1u) << "a burst of timer messages queues one";
    Send(kWmClose);
    Send(kWmKeyDown, 'A');
    Send(kWmLButtonDown, 0, MakePointParam(5, 5));
    ASSERT_EQ(mApp.mInputQueue.size(), 2u);
    EXPECT_EQ(mApp.mInputQueue.back().message, kWmClose);
    EXPECT_TRUE(mApp.DispatchQueuedInput(true));
    EXPECT_FALSE(mApp.mShutdown) << "the close waits for its turn";
    EXPECT_FALSE(mApp.DispatchQueuedInput(true));
    EXPECT_TRUE(mApp.mShutdown);
    EXPECT_TRUE(mApp.mClosedByUser);
    EXPECT_TRUE(mWidget.keys.empty());
}

TEST_F(WindowProcTest, LosingTheFocusWithAButtonHeldReleasesItAndMutes) {
    using namespace Platform;
    FakeWindow* window = mWindows.LastWindow();
    Send(kWmLButtonDown, 0, MakePointParam(10, 10));
    DispatchAll();
    EXPECT_EQ(mWidget.downs, std::vector<int>{1});
    EXPECT_TRUE(window->mCaptured) << "the mouse is captured while a button is held";
    EXPECT_TRUE(mApp.mMouseIn);

    Send(kWmActivateApp, 0);
    EXPECT_FALSE(mApp.mActive) << "activity is noted at once";
    EXPECT_TRUE(mApp.mHasFocus) << "focus changes when the record is dispatched";
    DispatchAll();
    EXPECT_FALSE(mApp.mHasFocus);
    EXPECT_EQ(mWidget.ups, std::vector<int>{1}) << "the held button is let go";
    EXPECT_FALSE(window->mCaptured);
    EXPECT_EQ(mApp.lostFocus, 1);
    EXPECT_EQ(mApp.mutes, std::vector<bool>{true});
    EXPECT_TRUE(mApp.IsMuted());

    // Minimised while inactive: no second change; restored and active again: one.
    Send(kWmSize, kSizeMinimized);
    DispatchAll();
    EXPECT_EQ(mApp.lostFocus, 1);
    Send(kWmSize, kSizeRestored);
    Send(kWmActivateApp, 1);
    DispatchAll();
    EXPECT_EQ(mApp.gotFocus, 1);
    EXPECT_FALSE(mApp.IsMuted()) << "automatic mutes undone";
}

TEST_F(WindowProcTest, WhileAFullScreenBoxIsUpActivityIsNotedButNothingIsQueued) {
    using namespace Platform;
    mApp.mPopupShown = true;
    Send(kWmActivateApp, 0);
    EXPECT_FALSE(mApp.mActive) << "the box does not hide that the application went inactive";
    Send(kWmKeyDown, 'A');
    EXPECT_TRUE(mApp.mInputQueue.empty());
    Send(kWmActivateApp, 1);
    EXPECT_TRUE(mApp.mActive);
    EXPECT_TRUE(mApp.mInputQueue.empty());
}

TEST_F(WindowProcTest, ButtonsReleaseTheCaptureWhenTheLastOneGoesUp) {
    using namespace Platform;
    FakeWindow* window = mWindows.LastWindow();
    Send(kWmLButtonDown, 0, MakePointParam(10, 10));
    Send(kWmRButtonDown, 0, MakePointParam(10, 10));
    Send(kWmLButtonUp, 0, MakePointParam(10, 10));
    DispatchAll();
    EXPECT_TRUE(window->mCaptured);
    Send(kWmRButtonUp, 0, MakePointParam(10, 10));
    DispatchAll();
    EXPECT_FALSE(window->mCaptured);
}

TEST_F(WindowProcTest, TheTimerNoticesTheMouseEnteringAndLeaving) {
    using namespace Platform;
    mApp.mInMainLoop = true;
    mApp.mRecordingDemoBuffer = true;
    FakeWindow* window = mWindows.LastWindow();
    window->mMouseOver = true;
    window->mMouseX = 639;
    window->mMouseY = 479;
    Send(kWmTimer, 100);
    DispatchAll();
    EXPECT_TRUE(mApp.mMouseIn);
    EXPECT_EQ(mWindows.mShownCursor, "arrow");
    window->mMouseX = 640; // past the client area
    Send(kWmTimer, 100);
    DispatchAll();
    EXPECT_FALSE(mApp.mMouseIn);
    EXPECT_FALSE(mApp.mWidgetManager->mMouseIn);
    Send(kWmTimer, 7); // another timer: not the window's
    window->mMouseX = 10;
    DispatchAll();
    EXPECT_FALSE(mApp.mMouseIn);

    Buffer& demo = mApp.mDemoBuffer;
    demo.SeekFront();
    std::vector<int> codes;
    while (!demo.AtEnd()) {
        demo.ReadBits(4, false);
        ASSERT_EQ(demo.ReadBits(1, false), 0);
        codes.push_back(demo.ReadBits(5, false));
    }
    EXPECT_EQ(codes, (std::vector<int>{DemoRecord::kMouseEnter, DemoRecord::kMouseLeave}))
        << "timer messages themselves leave no record";
}

TEST_F(WindowProcTest, ALinkBeingOpenedIsJudgedByTheFocusOnTheTimer) {
    using namespace Platform;
    mApp.mInMainLoop = true;
    mApp.mIsOpeningURL = true;
    mApp.mOpeningURL = "https://example.invalid/";
    mApp.mOpeningURLTime = mClock.TickMs();
    mApp.mLastTimerTick = mClock.TickMs();
    mClock.Advance(12001);
    Send(kWmTimer, 100);
    DispatchAll();
    EXPECT_EQ(mApp.mResumeTick, mClock.TickMs()) << "the timer paused: judged later";
    EXPECT_TRUE(mApp.mIsOpeningURL);
    for (int i = 0; i < 600; ++i) {
        mClock.Advance(10);
        Send(kWmTimer, 100);
        DispatchAll();
    }
    EXPECT_FALSE(mApp.mIsOpeningURL) << "still active after 12 s: the link failed to open";
}

TEST_F(WindowProcTest, RealInputDoesNothingWhileADemoPlaysBack) {
    using namespace Platform;
    mApp.mPlayingDemoBuffer = true;
    Send(kWmActivateApp, 0);
    EXPECT_TRUE(mApp.mActive) << "activation comes from the demo";
    Send(kWmLButtonDown, 0, MakePointParam(10, 10));
    Send(kWmKeyDown, 'A');
    Send(kWmChar, 'a');
    Send(kWmMouseWheel, MakeWheelParam(120, 0));
    DispatchAll();
    EXPECT_TRUE(mWidget.downs.empty());
    EXPECT_TRUE(mWidget.keys.empty());
    EXPECT_TRUE(mApp.mHasFocus);
    Send(kWmClose);
    DispatchAll();
    EXPECT_TRUE(mApp.mShutdown) << "the user can always end the program";
}

TEST_F(WindowProcTest, DispatchedInputIsRecordedAsTheDemoExpects) {
    using namespace Platform;
    mApp.mRecordingDemoBuffer = true;
    mApp.mUpdateCount = 3;
    Send(kWmMouseMove, 0, MakePointParam(100, 50));   // absolute: far from (0, 0)
    Send(kWmLButtonDown, 0, MakePointParam(131, 50)); // 31 px: relative, then the button
    Send(kWmLButtonUp, 0, MakePointParam(131, 50));   // no move: the button alone
    Send(kWmMouseWheel, MakeWheelParam(-240, 0));
    Send(kWmKeyDown, 'Q');
    Send(kWmChar, 0xE0);
    Send(kWmSize, kSizeMinimized);
    DispatchAll();

    Buffer& demo = mApp.mDemoBuffer;
    demo.SeekFront();
    auto header = [&](bool mouse, int code, int delta) {
        EXPECT_EQ(demo.ReadBits(4, false), delta);
        EXPECT_EQ(demo.ReadBits(1, false), mouse ? 1 : 0);
        EXPECT_EQ(demo.ReadBits(mouse ? 1 : 5, false), code);
    };
    header(false, DemoRecord::kMouseMoveTo, 3);
    EXPECT_EQ(demo.ReadBits(12, false), 100);
    EXPECT_EQ(demo.ReadBits(12, false), 50);
    header(false, DemoRecord::kMouseEnter, 0);
    header(true, DemoRecord::kMouseMoveBy, 0);
    EXPECT_EQ(demo.ReadBits(6, true), 31);
    EXPECT_EQ(demo.ReadBits(6, true), 0);
    header(true, DemoRecord::kMouseButton, 0);
    EXPECT_EQ(demo.ReadBits(1, false), 1);
    EXPECT_EQ(demo.ReadBits(3, true), 1);
    header(true, DemoRecord::kMouseButton, 0);
    EXPECT_EQ(demo.ReadBits(1, false), 0);
    EXPECT_EQ(demo.ReadBits(3, true), 1);
    header(false, DemoRecord::kWheel, 0);
    EXPECT_EQ(demo.ReadBits(8, true), -2);
    header(false, DemoRecord::kKeyDown, 0);
    EXPECT_EQ(demo.ReadBits(8, false), 'Q');
    header(false, DemoRecord::kKeyChar, 0);
    EXPECT_EQ(demo.ReadBits(8, false), 0xE0);
    header(false, DemoRecord::kMinimize, 0);
    EXPECT_TRUE(demo.ReadBoolean());
    EXPECT_TRUE(demo.AtEnd());
}

TEST_F(WindowProcTest, ASecondCopysNotificationBringsTheWindowForward) {
    mApp.mNotifyMessage = Platform::kWmFirstRegistered;
    FakeWindow* window = mWindows.LastWindow();
    window->mMinimized = true;
    Send(Platform::kWmFirstRegistered);
    EXPECT_EQ(window->mRaiseCalls, 1);
    EXPECT_FALSE(window->mMinimized);
    EXPECT_TRUE(mApp.mInputQueue.empty());
}

} // namespace
} // namespace Vuro::Test
