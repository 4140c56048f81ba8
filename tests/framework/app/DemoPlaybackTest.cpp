// Playback of a record stream: each record acts at the update count it was recorded at, the
// fixed update waits for it, and damaged streams end playback without harm.

#include "DemoPlaybackFixture.h"

#include "framework/widgets/WidgetManager.h"

#include <future>

namespace Vuro::Test {
namespace {

class DemoPlaybackTest : public DemoPlaybackFixture {};

TEST_F(DemoPlaybackTest, TheScreenModeRecordedAtWindowCreationIsTakenByInit) {
    Play(DemoStream().ScreenMode(0, false, 75).KeyDown(3, 65));
    EXPECT_FALSE(mApp.mIsWindowed);
    EXPECT_EQ(mApp.mRefreshRate, 75);
    EXPECT_EQ(mApp.mRandSeed, 4321u);
    ASSERT_TRUE(StepToTick(5));
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"3 down 65"}));
}

TEST_F(DemoPlaybackTest, KeysCharactersAndWheelArriveAtTheirTicksAcrossFillers) {
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .KeyDown(2, 65)
             .Char(2, 'a')
             .KeyUp(40, 65) // two fillers (15 + 15), then delta 10
             .Wheel(41, -2)
             .Wheel(41, 3));
    ASSERT_TRUE(StepToTick(60));
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"2 down 65", "2 char a", "40 up 65",
                                                  "41 wheel -2", "41 wheel 3"}));
    EXPECT_FALSE(mApp.DemoRecordsLeft());
}

TEST_F(DemoPlaybackTest, RealInputIsNotDispatchedWhilePlayingBack) {
    Play(DemoStream().ScreenMode(0, true, 100).KeyDown(30, 66));
    mEvents.Add({mApp.mMainWindow->Id(), Platform::kWmKeyDown, 65, 0});
    mEvents.Add(
        {mApp.mMainWindow->Id(), Platform::kWmMouseMove, 0, Platform::MakePointParam(300, 200)});
    ASSERT_TRUE(StepToTick(40));
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"30 down 66"}));
    EXPECT_EQ(mApp.mWidgetManager->mLastMouseX, 0);
}

// The mouse position after the records of each tick, read one update later.
class MousePlaybackTest : public DemoPlaybackFixture {
protected:
    struct State {
        int x;
        int y;
        int pressed;
        bool operator==(const State&) const = default;
    };
    State At(int tick) {
        EXPECT_TRUE(StepToTick(tick + 1));
        const WidgetManager& manager = *mApp.mWidgetManager;
        return {manager.mLastMouseX, manager.mLastMouseY, manager.mPressedButtons};
    }
};

TEST_F(MousePlaybackTest, MovesAndButtonsReplayAtTheReplayedPosition) {
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .MoveTo(1, 100, 200)
             .MoveBy(2, 31, -32)
             .Button(3, true, 2)
             .Button(4, false, 2)
             .Button(5, true, -1)
             .MoveBy(6, -1, 1)
             .Button(7, false, -1));
    EXPECT_EQ(At(1), (State{100, 200, 0}));
    EXPECT_EQ(At(2), (State{131, 168, 0}));
    EXPECT_EQ(At(3), (State{131, 168, 1}));
    EXPECT_EQ(At(4), (State{131, 168, 0}));
    EXPECT_EQ(At(5), (State{131, 168, 2}));
    EXPECT_EQ(At(6), (State{130, 169, 2}));
    EXPECT_EQ(At(7), (State{130, 169, 0}));
    EXPECT_EQ(mApp.mDemoMouseX, 130);
    EXPECT_EQ(mApp.mDemoMouseY, 169);
}

TEST_F(MousePlaybackTest, AbsolutePositionsLeftOfAndAboveTheWindowReplayThere) {
    // Read unsigned, a drag held out to (-5, -7) would replay at (4091, 4089).
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .MoveTo(1, 20, 20)
             .Button(2, true, 1)
             .MoveTo(3, -5 & 0xFFF, -7 & 0xFFF)
             .MoveTo(4, 2047, 0));
    EXPECT_EQ(At(3), (State{-5, -7, 1}));
    EXPECT_EQ(At(4), (State{2047, 0, 1})) << "0..2047 read as before";
}

TEST_F(MousePlaybackTest, ThePaddingAfterTheLastRecordIsNoRecord) {
    // 26 + 34 bits leave 4 zero bits in the last byte; read as a record they would replay as a
    // move to (0, 0) at the last record's tick.
    Play(DemoStream().ScreenMode(0, true, 100).MoveTo(1, 300, 310));
    EXPECT_EQ(At(1), (State{300, 310, 0}));
    EXPECT_EQ(At(10), (State{300, 310, 0}));
    EXPECT_FALSE(mApp.DemoRecordsLeft());
}

TEST_F(DemoPlaybackTest, EnteringLeavingActivationAndMinimisingReplay) {
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .MouseEnter(1)
             .MouseLeave(2)
             .Activate(3, false)
             .Activate(4, true)
             .Minimize(5, true)
             .Minimize(6, false));
    ASSERT_TRUE(StepToTick(2));
    EXPECT_TRUE(mApp.mMouseIn);
    ASSERT_TRUE(StepToTick(3));
    EXPECT_FALSE(mApp.mMouseIn);
    ASSERT_TRUE(StepToTick(4));
    EXPECT_FALSE(mApp.mActive);
    EXPECT_FALSE(mApp.mWidgetManager->mHasAppFocus);
    ASSERT_TRUE(StepToTick(5));
    EXPECT_TRUE(mApp.mActive);
    EXPECT_TRUE(mApp.mWidgetManager->mHasAppFocus);
    ASSERT_TRUE(StepToTick(6));
    EXPECT_TRUE(mApp.mMinimized);
    EXPECT_FALSE(mApp.mWidgetManager->mHasAppFocus);
    ASSERT_TRUE(StepToTick(7));
    EXPECT_FALSE(mApp.mMinimized);
    EXPECT_TRUE(mApp.mWidgetManager->mHasAppFocus);
}

TEST_F(DemoPlaybackTest, ACloseRecordShutsTheApplicationDownAtItsTick) {
    Play(DemoStream().ScreenMode(0, true, 100).Close(12).KeyDown(13, 65));
    EXPECT_FALSE(StepUntil([&] { return mApp.mUpdateCount > 12; }));
    EXPECT_TRUE(mApp.mShutdown);
    EXPECT_EQ(mApp.mUpdateCount, 12);
    EXPECT_TRUE(mLog.log.empty());
}

TEST_F(DemoPlaybackTest, ARecordNobodyAskedForEndsThePlaybackInsteadOfStallingIt) {
    // A value record due at tick 5 that no code reads: playback has lost step.
    DebugOutputLog output;
    Play(DemoStream().ScreenMode(0, true, 100).Sync(5, "abc").KeyDown(6, 65));
    ASSERT_TRUE(StepToTick(50));
    EXPECT_TRUE(mLog.log.empty());
    EXPECT_NE(output.Text().find(kDamagedStream), std::string::npos);
    EXPECT_FALSE(mApp.DemoRecordsLeft());
    EXPECT_TRUE(mApp.mPlayingDemoBuffer) << "the program runs on without input";
}

TEST_F(DemoPlaybackTest, LoadingCompletesAtTheRecordedTickWhenTheWorkEndsEarly) {
    Play(DemoStream().ScreenMode(0, true, 100).LoadingDone(30).KeyDown(31, 65));
    int doneAt = -1;
    mApp.onLoadingDone = [&] { doneAt = mApp.mUpdateCount; };
    mApp.StartLoadingThread();
    mApp.WaitForLoadingThread();
    ASSERT_TRUE(StepToTick(40));
    EXPECT_EQ(doneAt, 30);
    EXPECT_EQ(mApp.loadingDoneCalls, 1);
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"31 down 65"}));
}

TEST_F(DemoPlaybackTest, LoadingCompletesAtTheRecordedTickWhenTheWorkEndsLate) {
    Play(DemoStream().ScreenMode(0, true, 100).LoadingDone(30).KeyDown(31, 65));
    int doneAt = -1;
    mApp.onLoadingDone = [&] { doneAt = mApp.mUpdateCount; };
    // The work waits on the test, not on the clock: a worker that sleeps on the test's clock
    // could take its wake-up point after the last move of time and sleep for ever.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    mApp.loadingWork = [released] { released.wait(); };
    mApp.StartLoadingThread();
    ASSERT_TRUE(StepToTick(30));
    for (int i = 0; i < 200; ++i) {
        bool updated = false;
        ASSERT_TRUE(mApp.RunLoopStep(&updated));
    }
    EXPECT_EQ(mApp.mUpdateCount, 30) << "the game waits for the loading the recording had";
    EXPECT_EQ(doneAt, -1);
    release.set_value();
    mApp.WaitForLoadingThread();
    ASSERT_TRUE(StepToTick(40));
    EXPECT_EQ(doneAt, 30);
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"31 down 65"}));
}

} // namespace
} // namespace Vuro::Test
