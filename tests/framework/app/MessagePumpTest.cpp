// Every frame pass that runs no update lets the next step pump messages: pause, speed 0, the
// screensaver hold, and a demo fast-forward that cannot move on all stay responsive rather than
// spinning without pumping again.

#include "TestApp.h"

namespace Vuro::Test {
namespace {

class MessagePumpTest : public AppFixture {
protected:
    void SetUp() override {
        mApp.Init();
        ASSERT_TRUE(StepToNextSleep());
    }
    // After some steps in the current state, scripts a close and steps until the application
    // has shut down; false when it did not within a bounded number of steps.
    bool CloseGetsThrough() {
        for (int i = 0; i < 10; ++i) {
            bool updated = false;
            if (!mApp.RunLoopStep(&updated)) {
                return false;
            }
        }
        mEvents.Add(CloseMessage(mApp));
        return StepUntil([&] { return mApp.mShutdown.load(); }, 200);
    }
};

TEST_F(MessagePumpTest, WhilePausedMessagesArePumpedAndEachPassSleepsAFrame) {
    mApp.mPaused = true;
    int updates = mApp.mUpdateCount;
    uint32_t slept = mClock.SleptMs();
    int sleeps = mClock.SleepCalls();
    ASSERT_TRUE(StepUntil([&] { return mClock.SleepCalls() >= sleeps + 5; }, 100));
    EXPECT_EQ(mClock.SleptMs() - slept, 50u);
    EXPECT_EQ(mApp.mUpdateCount, updates);
    EXPECT_TRUE(CloseGetsThrough());
    EXPECT_EQ(mApp.mUpdateCount, updates);
}

TEST_F(MessagePumpTest, AtSpeedZeroMessagesArePumped) {
    mApp.mUpdateMultiplier = 0.0;
    int updates = mApp.mUpdateCount;
    mClock.Advance(500);
    EXPECT_TRUE(CloseGetsThrough());
    EXPECT_EQ(mApp.mUpdateCount, updates);
}

TEST_F(MessagePumpTest, AFramePassThatMaySleepOnlyWhenAllowedReportsIt) {
    mApp.mPaused = true;
    mApp.mLoopState = 1;
    uint32_t slept = mClock.SleptMs();
    EXPECT_FALSE(mApp.Process(false));
    EXPECT_EQ(mClock.SleptMs(), slept);
    EXPECT_EQ(mApp.mLoopState, 3) << "the next step pumps messages";
}

TEST_F(MessagePumpTest, TheScreensaverHoldBeforeLoadingPumpsAndSleeps) {
    mApp.mScreenSaverHold = true;
    int updates = mApp.mUpdateCount;
    size_t draws = mApp.drawPassUpdates.size();
    mClock.Advance(1000); // 200 ms owed that may not be spent
    int sleeps = mClock.SleepCalls();
    ASSERT_TRUE(StepUntil([&] { return mClock.SleepCalls() >= sleeps + 3; }, 100));
    EXPECT_TRUE(CloseGetsThrough());
    EXPECT_EQ(mApp.mUpdateCount, updates);
    EXPECT_EQ(mApp.drawPassUpdates.size(), draws);
}

TEST_F(MessagePumpTest, AFastForwardThatCannotMoveOnPumpsMessages) {
    // Playback whose loading-done record was replayed while the loading work still runs: no
    // update may run until it ends.
    mApp.mPlayingDemoBuffer = true;
    mApp.mDemoLoadingComplete = true;
    mApp.mFastForwardTarget = mApp.mUpdateCount + 100;
    int updates = mApp.mUpdateCount;
    EXPECT_TRUE(CloseGetsThrough());
    EXPECT_EQ(mApp.mUpdateCount, updates);
}

// Each update takes 100 ms of the clock, so a fast-forward crosses a second every 10 updates.
class SlowWidget : public Widget {
public:
    explicit SlowWidget(FakeClock& clock) : mClock(clock) {}
    void Update() override {
        Widget::Update();
        mClock.Advance(100);
    }

private:
    FakeClock& mClock;
};

TEST_F(MessagePumpTest, AFastForwardDrawsAtMostOnceASecondAndPumpsAfterEachDraw) {
    SlowWidget slow(mClock);
    mApp.mWidgetManager->AddWidget(&slow);
    mApp.mPlayingDemoBuffer = true;
    int start = mApp.mUpdateCount;
    mApp.mFastForwardTarget = start + 200;
    size_t draws = mApp.drawPassUpdates.size();
    int peeks = mEvents.PeekCalls();
    ASSERT_TRUE(StepUntil([&] { return mApp.mUpdateCount >= start + 200; }, 1000));
    EXPECT_FALSE(mApp.mFastForwarding);

    // 200 updates of 100 ms: 20 s, so about 20 draws, one per 10 updates.
    std::vector<int> drawnAt(mApp.drawPassUpdates.begin() + draws, mApp.drawPassUpdates.end());
    ASSERT_GE(drawnAt.size(), 19u);
    EXPECT_LE(drawnAt.size(), 21u);
    for (size_t i = 1; i < drawnAt.size(); ++i) {
        EXPECT_GE(drawnAt[i] - drawnAt[i - 1], 10) << "two draws within a second";
    }
    EXPECT_GE(mEvents.PeekCalls() - peeks, static_cast<int>(drawnAt.size()));
    mApp.mWidgetManager->RemoveWidget(&slow);
}

TEST_F(MessagePumpTest, ARefusedUpdateLetsTheNextStepPump) {
    mApp.mPlayingDemoBuffer = true;
    mApp.mDemoLoadingComplete = true; // the replayed loading is ahead of the real one
    mApp.mLoopState = 1;
    mClock.Advance(10);
    int updates = mApp.mUpdateCount;
    EXPECT_TRUE(mApp.Process(true));
    EXPECT_EQ(mApp.mUpdateCount, updates);
    EXPECT_EQ(mApp.mLoopState, 3);
}

} // namespace
} // namespace Vuro::Test
