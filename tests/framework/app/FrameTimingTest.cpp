// Frame timing of the main loop, driven step by step on the fake clock: owed time, the 200 ms
// cap, the per-draw update cap, speed multipliers, idle sleeps, the start delay and the
// loading yield.

#include "TestApp.h"

#include <algorithm>
#include <vector>

namespace Vuro::Test {
namespace {

class FrameTimingTest : public AppFixture {
protected:
    void SetUp() override {
        mApp.Init();
        ASSERT_TRUE(StepToNextSleep());
    }
    // Loading finished: the next update completes it and the per-draw cap applies.
    void FinishLoading() {
        mApp.mLoadingThreadCompleted = true;
        ASSERT_TRUE(StepToNextSleep());
        ASSERT_TRUE(mApp.mLoaded);
    }
    // Runs from one idle sleep to the next after `stallMs` more; returns the updates run
    // between consecutive draw passes.
    std::vector<int> UpdatesPerDraw(uint32_t stallMs) {
        int start = mApp.mUpdateCount;
        size_t firstDraw = mApp.drawPassUpdates.size();
        mClock.Advance(stallMs);
        EXPECT_TRUE(StepToNextSleep());
        std::vector<int> perDraw;
        int previous = start;
        for (size_t i = firstDraw; i < mApp.drawPassUpdates.size(); ++i) {
            perDraw.push_back(mApp.drawPassUpdates[i] - previous);
            previous = mApp.drawPassUpdates[i];
        }
        EXPECT_EQ(previous, mApp.mUpdateCount) << "updates ran after the last draw";
        return perDraw;
    }
};

TEST_F(FrameTimingTest, OneSecondStallBeforeLoadingCatchesUpTwentyUpdatesInOneFrame) {
    // The pending idle sleep (10 ms) and the stall are owed; the 200 ms cap keeps 20 updates,
    // and before loading completes nothing else limits them.
    EXPECT_EQ(UpdatesPerDraw(1000), (std::vector<int>{20}));
}

TEST_F(FrameTimingTest, OneSecondStallAfterLoadingDrawsAfterEveryTenUpdates) {
    FinishLoading();
    EXPECT_EQ(UpdatesPerDraw(1000), (std::vector<int>{10, 10}));
}

TEST_F(FrameTimingTest, SpeedMultipliersScaleTheTickAndTheCap) {
    FinishLoading();
    mApp.mUpdateMultiplier = 1.5; // 6.67 ms per update, 15 per draw
    EXPECT_EQ(UpdatesPerDraw(1000), (std::vector<int>{15, 15}));
    mApp.mUpdateMultiplier = 2.0 / 3.0; // 15 ms per update, 7 per draw
    EXPECT_EQ(UpdatesPerDraw(1000), (std::vector<int>{7, 6}));
}

TEST_F(FrameTimingTest, IdleSleepIsTheRestOfTheTick) {
    // 10 ms of the last sleep plus 14 ms: two updates, 4 ms left over, so 6 ms of sleep.
    uint32_t slept = mClock.SleptMs();
    int updates = mApp.mUpdateCount;
    int sleeps = mApp.mSleepCount;
    mClock.Advance(14);
    ASSERT_TRUE(StepToNextSleep());
    EXPECT_EQ(mApp.mUpdateCount - updates, 2);
    EXPECT_EQ(mClock.SleptMs() - slept, 6u);
    EXPECT_EQ(mApp.mSleepCount - sleeps, 1);

    // At 1.5 x speed: 4 left + 6 slept + 14 = 24 ms owed, three updates of 6.67 ms, then
    // 2 ms of sleep (6.67 - 4, truncated).
    mApp.mUpdateMultiplier = 1.5;
    slept = mClock.SleptMs();
    updates = mApp.mUpdateCount;
    mClock.Advance(14);
    ASSERT_TRUE(StepToNextSleep());
    EXPECT_EQ(mApp.mUpdateCount - updates, 3);
    EXPECT_EQ(mClock.SleptMs() - slept, 2u);
}

TEST_F(FrameTimingTest, SteadyRunUpdatesOnceAndDrawsOncePerTick) {
    int updates = mApp.mUpdateCount;
    size_t draws = mApp.drawPassUpdates.size();
    uint32_t slept = mClock.SleptMs();
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(StepToNextSleep());
    }
    EXPECT_EQ(mApp.mUpdateCount - updates, 50);
    EXPECT_EQ(mApp.drawPassUpdates.size() - draws, 50u);
    EXPECT_EQ(mClock.SleptMs() - slept, 500u);
}

TEST_F(FrameTimingTest, StartDelayDropsOwedTimeForOneSecond) {
    mApp.ResetFrameClock(true);
    int updates = mApp.mUpdateCount;
    mClock.Advance(100); // 100 ms owed, but each update drops the rest
    ASSERT_TRUE(StepToNextSleep());
    EXPECT_EQ(mApp.mUpdateCount - updates, 1);
    EXPECT_EQ(mApp.mStartDelay, 900);

    // The delay runs out inside the next stall, which then catches up in full.
    updates = mApp.mUpdateCount;
    mClock.Advance(1000);
    ASSERT_TRUE(StepToNextSleep());
    EXPECT_EQ(mApp.mStartDelay, 0);
    EXPECT_EQ(mApp.mUpdateCount - updates, 20);
}

TEST_F(FrameTimingTest, PresentsWhatWasDrawnOrOnceASecond) {
    auto* window = mWindows.LastWindow();
    ASSERT_NE(window, nullptr);
    // Nothing in the tree is dirty: 3 s of ticks present once a second.
    int presents = window->mPresents;
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(StepToNextSleep());
    }
    EXPECT_EQ(window->mPresents - presents, 3);
    EXPECT_EQ(window->mLastWidth, 640);
    EXPECT_EQ(window->mLastHeight, 480);

    // A widget dirty after every update: every tick presents.
    Widget widget;
    widget.mFlagAdjust.mAddFlags = WidgetFlagMarkDirty;
    mApp.mWidgetManager->AddWidget(&widget);
    presents = window->mPresents;
    int drawCount = mApp.mDrawCount;
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(StepToNextSleep());
    }
    EXPECT_EQ(window->mPresents - presents, 10);
    EXPECT_EQ(mApp.mDrawCount - drawCount, 10);
    mApp.mWidgetManager->RemoveWidget(&widget);
}

// A clock whose sleeps end a millisecond early, as real timers may.
class EarlyWakingClock : public FakeClock {
public:
    void SleepMs(uint32_t ms) override {
        longestSleep = std::max(longestSleep, ms);
        FakeClock::SleepMs(ms);
        if (ms > 1) {
            Set(TickMs() - 1);
        }
    }
    uint32_t longestSleep = 0;
};

TEST(LoadingYieldTest, ASleepEndingEarlyDoesNotTurnIntoALongYield) {
    // The yield is computed signed; unsigned, the missing millisecond would wrap round to the
    // 250 ms maximum.
    EarlyWakingClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    StackApp<TestApp> app;
    app.Init();
    app.mLoadingThreadRunning = true; // as while a loading thread works
    for (int i = 0; i < 40; ++i) {
        bool updated = false;
        ASSERT_TRUE(app.RunLoopStep(&updated));
    }
    ASSERT_GT(clock.SleptMs(), 0u);
    // Every sleep was an idle sleep of at most a tick.
    EXPECT_LE(clock.longestSleep, 10u);
}

class WorkingWidget : public Widget {
public:
    explicit WorkingWidget(FakeClock& clock) : mClock(clock) {}
    void Update() override {
        Widget::Update();
        mClock.Advance(3); // each update takes 3 ms
    }

private:
    FakeClock& mClock;
};

TEST_F(FrameTimingTest, WhileLoadingTheMainThreadYieldsTwiceItsWorkingTime) {
    WorkingWidget widget(mClock);
    mApp.mWidgetManager->AddWidget(&widget);
    mApp.mLoadingThreadRunning = true;
    uint32_t slept = mClock.SleptMs();
    // The pass that runs the owed update works 3 ms and then yields 6.
    ASSERT_TRUE(StepUntil([&] { return mClock.SleptMs() > slept; }));
    EXPECT_EQ(mClock.SleptMs() - slept, 6u);
    mApp.mWidgetManager->RemoveWidget(&widget);
}

// In a window with vertical sync asked for, and full screen (where a flip waits for the
// vertical blank), presents come a refresh period apart (16 ms at 60 Hz) while the updates keep
// to the clock; in a plain window every tick presents.
TEST_F(FrameTimingTest, WaitForVSyncInAWindowAndFullScreenPresentOnceARefreshPeriod) {
    ASSERT_NE(mApp.mDDInterface, nullptr);
    ASSERT_TRUE(mApp.mIsPhysWindowed);
    mApp.mDDInterface->mMillisecondsPerFrame = 16;
    Widget widget; // dirty after every update: every draw pass presents
    widget.mFlagAdjust.mAddFlags = WidgetFlagMarkDirty;
    mApp.mWidgetManager->AddWidget(&widget);
    const auto presentGaps = [&](int presents) {
        std::vector<uint32_t> gaps;
        uint32_t last = mApp.mLastPresentTime;
        int drawn = mApp.mDrawCount;
        EXPECT_TRUE(StepUntil([&] {
            if (mApp.mDrawCount != drawn) {
                drawn = mApp.mDrawCount;
                gaps.push_back(mApp.mLastPresentTime - last);
                last = mApp.mLastPresentTime;
            }
            return static_cast<int>(gaps.size()) == presents;
        }));
        return gaps;
    };
    (void)presentGaps(2);
    EXPECT_EQ(presentGaps(4), (std::vector<uint32_t>{10, 10, 10, 10}));

    mApp.mWaitForVSync = true;
    (void)presentGaps(2);
    const uint32_t start = mClock.TickMs();
    const int updates = mApp.mUpdateCount;
    EXPECT_EQ(presentGaps(10), std::vector<uint32_t>(10, 16));
    // 160 ms: the updates owed are run between the presents, none is lost.
    EXPECT_NEAR(mApp.mUpdateCount - updates, (mClock.TickMs() - start) / 10.0, 1.0);

    mApp.mWaitForVSync = false;
    mApp.mIsPhysWindowed = false;
    (void)presentGaps(2);
    EXPECT_EQ(presentGaps(4), std::vector<uint32_t>(4, 16));
    mApp.mWidgetManager->RemoveWidget(&widget);
}

TEST(FrameClockWrapTest, AStallAcrossTheClockWrapCatchesUpAsAnyOther) {
    FakeClock clock(0xFFFFFF00u);
    ScriptedEvents events;
    FakeWindowSystem windows;
    StackApp<TestApp> app;
    app.Init();
    auto stepToSleep = [&] {
        int sleeps = clock.SleepCalls();
        for (int i = 0; i < 1000 && clock.SleepCalls() == sleeps; ++i) {
            bool updated = false;
            ASSERT_TRUE(app.RunLoopStep(&updated));
        }
    };
    stepToSleep();
    int updates = app.mUpdateCount;
    clock.Advance(1000); // past 2^32 ms
    stepToSleep();
    EXPECT_LT(clock.TickMs(), 0x1000u);
    EXPECT_EQ(app.mUpdateCount - updates, 20);
}

} // namespace
} // namespace Vuro::Test
