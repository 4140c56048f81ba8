// Window messages are queued and reach the widget manager one record per loop step, between
// updates; a close ends the queue.

#include "TestApp.h"

namespace Vuro::Test {
namespace {

using Platform::Message;

// Records the keyboard input that reaches it as the focus widget.
class KeyWidget : public Widget {
public:
    void KeyDown(int key) override { downs.push_back(key); }
    void KeyUp(int key) override { ups.push_back(key); }
    void CharInput(char c) override { chars += c; }
    void MouseWheel(int delta) override { wheel.push_back(delta); }
    std::vector<int> downs;
    std::vector<int> ups;
    std::string chars;
    std::vector<int> wheel;
};

class CloseCountingApp : public TestApp {
public:
    void CloseRequest() override { ++closeRequests; }
    int closeRequests = 0;
};

class InputQueueTest : public ::testing::Test {
protected:
    void SetUp() override { mApp.Init(); }
    uint32_t Main() const { return mApp.mMainWindow->Id(); }

    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    StackApp<CloseCountingApp> mApp;
};

TEST_F(InputQueueTest, NothingIsQueuedAfterACloseAndTimerBurstsQueueOnce) {
    using namespace Platform;
    mApp.WindowProc(Message{Main(), kWmTimer, 100, 0});
    mApp.WindowProc(Message{Main(), kWmTimer, 100, 0});
    mApp.WindowProc(Message{Main(), kWmKeyDown, 'A', 0});
    mApp.WindowProc(Message{Main(), kWmTimer, 100, 0});
    mApp.WindowProc(Message{Main(), kWmClose, 0, 0});
    mApp.WindowProc(Message{Main(), kWmKeyDown, 'B', 0});
    mApp.WindowProc(Message{Main(), kWmClose, 0, 0});
    ASSERT_EQ(mApp.mInputQueue.size(), 4u);
    EXPECT_EQ(mApp.mInputQueue[0].message, kWmTimer);
    EXPECT_EQ(mApp.mInputQueue[1].message, kWmKeyDown);
    EXPECT_EQ(mApp.mInputQueue[2].message, kWmTimer);
    EXPECT_EQ(mApp.mInputQueue[3].message, kWmClose);
    EXPECT_EQ(mApp.closeRequests, 1);
}

TEST_F(InputQueueTest, OneRecordIsDispatchedPerStepAndKeysReachTheFocusWidget) {
    using namespace Platform;
    KeyWidget focus;
    mApp.mWidgetManager->AddWidget(&focus);
    mApp.mWidgetManager->SetFocus(&focus);
    mEvents.Add(Message{Main(), kWmKeyDown, kVkControl, 0});
    mEvents.Add(Message{Main(), kWmKeyDown, 'S', 0});
    mEvents.Add(Message{Main(), kWmChar, 0xE0, 0}); // code page 1251 "а"
    mEvents.Add(Message{Main(), kWmKeyUp, 'S', 0});
    mEvents.Add(Message{Main(), kWmMouseWheel, MakeWheelParam(-240, 0), 0});

    bool updated = false;
    ASSERT_TRUE(mApp.RunLoopStep(&updated)); // pumps all five, dispatches the first
    EXPECT_TRUE(mApp.mCtrlDown);
    EXPECT_EQ(focus.downs, (std::vector<int>{kVkControl}));
    EXPECT_EQ(mApp.mInputQueue.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(mApp.RunLoopStep(&updated));
        EXPECT_FALSE(updated) << "no update between queued records";
    }
    EXPECT_EQ(focus.downs, (std::vector<int>{kVkControl, 'S'}));
    EXPECT_EQ(focus.ups, (std::vector<int>{'S'}));
    EXPECT_EQ(focus.chars, "\xE0");
    EXPECT_EQ(focus.wheel, (std::vector<int>{-2}));
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkControl], 1);
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[int{'S'}], 0);
    EXPECT_EQ(mApp.mLoopState, 1) << "the queue is empty: the next step may update";
    mApp.mWidgetManager->RemoveWidget(&focus);
}

TEST_F(InputQueueTest, MouseMessagesMoveAndPressAtTheirPoint) {
    using namespace Platform;
    mApp.WindowProc(Message{Main(), kWmMouseMove, 0, MakePointParam(30, 40)});
    mApp.WindowProc(Message{Main(), kWmRButtonDown, 0, MakePointParam(31, 41)});
    EXPECT_FALSE(mApp.DispatchQueuedInput(false));
    EXPECT_TRUE(mApp.mWidgetManager->mMouseIn);
    EXPECT_EQ(mApp.mWidgetManager->mLastMouseX, 31);
    EXPECT_EQ(mApp.mWidgetManager->mLastMouseY, 41);
    EXPECT_EQ(mApp.mWidgetManager->mPressedButtons, 2);
    mApp.WindowProc(Message{Main(), kWmRButtonUp, 0, MakePointParam(31, 41)});
    EXPECT_FALSE(mApp.DispatchQueuedInput(true));
    EXPECT_EQ(mApp.mWidgetManager->mPressedButtons, 0);
}

TEST_F(InputQueueTest, ADispatchedCloseShutsDownAndTheLoopEnds) {
    mEvents.Add(CloseMessage(mApp));
    mApp.RunMainLoop();
    EXPECT_TRUE(mApp.mShutdown);
    EXPECT_TRUE(mApp.mClosedByUser);
    EXPECT_EQ(mApp.closeRequests, 1);
}

TEST_F(InputQueueTest, TheSessionEndingShutsDownAtOnce) {
    mApp.WindowProc(Message{0, Platform::kWmEndSession, 1, 0});
    EXPECT_TRUE(mApp.mShutdown);
    EXPECT_TRUE(mApp.mInputQueue.empty());
}

} // namespace
} // namespace Vuro::Test
