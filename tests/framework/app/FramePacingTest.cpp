// The frame pacing on its own, on plain clock values: owed time, the start delay, the update
// cap per draw, the pacing check and the spacing of presents while loading.

#include "framework/app/FramePacing.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

TEST(FramePacingTest, OwedTimeIsCappedAcrossTheClocksWrapAndTheStartDelayCountsDown) {
    struct Step {
        uint32_t now;
        double owed;
        int startDelay;
    };
    FramePacing pacing;
    pacing.StartClocks(0xFFFFFFF0u);
    pacing.Restart(0xFFFFFFF0u, true);
    const Step kSteps[] = {
        {0xFFFFFFFAu, 10.0, 990},  // 10 ms, before the wrap
        {0x00000064u, 116.0, 884}, // 106 ms across it
        {0x00000190u, 200.0, 584}, // capped at 200 ms
        {0x00000400u, 200.0, 0},   // the delay runs out
    };
    for (const Step& step : kSteps) {
        pacing.Accumulate(step.now);
        EXPECT_EQ(pacing.mUpdateFTimeAcc, step.owed) << step.now;
        EXPECT_EQ(pacing.mStartDelay, step.startDelay) << step.now;
    }
    pacing.PayUpdate(pacing.MsPerUpdate());
    EXPECT_EQ(pacing.mUpdateFTimeAcc, 190.0);
    EXPECT_EQ(pacing.AheadMs(pacing.MsPerUpdate()), -180);
    pacing.mStartDelay = 5;
    pacing.PayUpdate(pacing.MsPerUpdate());
    EXPECT_EQ(pacing.mUpdateFTimeAcc, 0.0); // during the delay nothing is caught up
}

TEST(FramePacingTest, TheCapAllowsCeilingOfTenTimesTheSpeedUpdatesPerDrawOnceLoaded) {
    struct Case {
        double speed;
        bool loaded;
        int allowed;
    };
    const Case kCases[] = {
        {1.0, true, 10}, {1.5, true, 15}, {2.0 / 3.0, true, 7}, {1.0, false, 50}};
    for (const Case& c : kCases) {
        FramePacing pacing;
        pacing.mUpdateMultiplier = c.speed;
        int allowed = 0;
        while (allowed < 50 && pacing.TakeUpdateSlot(c.loaded)) {
            ++allowed;
        }
        EXPECT_EQ(allowed, c.allowed) << c.speed;
    }
}

TEST(FramePacingTest, ThreeChecksInARowTooCloseTogetherMarkVerticalBlankPacingBroken) {
    // At 10 ms a tick a check falls due every 100th update.
    FramePacing pacing;
    pacing.StartClocks(1000);
    uint32_t now = 1000;
    const uint32_t kGaps[] = {900, 500, 500, 900, 500, 500, 500};
    const bool kBroken[] = {false, false, false, false, false, false, true};
    for (size_t i = 0; i < std::size(kGaps); ++i) {
        now += kGaps[i];
        for (int update = 0; update < 100; ++update) {
            pacing.CheckPacing(now);
        }
        EXPECT_EQ(pacing.mVSyncPacingBroken, kBroken[i]) << i;
    }
}

TEST(FramePacingTest, PresentsAreSpacedOutOnlyWhileLoading) {
    struct Case {
        uint32_t start;
        uint32_t end;
        bool loading;
        uint32_t next;
    };
    // From a next present time of 1000: a pass of at least 15 ms plus 35 ms, unless that is
    // already past.
    const Case kCases[] = {{1000, 1005, true, 1050},
                           {1000, 1030, true, 1065},
                           {1000, 1005, false, 1005},
                           {1200, 1210, true, 1210}};
    for (const Case& c : kCases) {
        FramePacing pacing;
        pacing.mNextPresentTime = 1000;
        pacing.SpacePresents(c.start, c.end, c.loading);
        EXPECT_EQ(pacing.mNextPresentTime, c.next) << c.end << " " << c.loading;
    }
}

} // namespace
} // namespace Vuro
