#include "game/rules/FrameAnim.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

TEST(FrameAnim, ResetLeavesAStoppedAnimationThatNeverSteps) {
    FrameAnim anim;
    anim.Start(5, 6, true, 2, 3);
    anim.Reset();
    EXPECT_EQ(anim.mState, FrameAnim::kStopped);
    EXPECT_EQ(anim.mX, -1);
    EXPECT_EQ(anim.mY, -1);
    EXPECT_EQ(anim.mPeriod, 1);
    EXPECT_EQ(anim.mMaxFrame, 0);
    EXPECT_EQ(anim.mFrame, 0);
    RunTicks(anim, 1, 50);
    EXPECT_EQ(anim.mFrame, 0);
}

TEST(FrameAnim, ALoopingAnimationStepsEveryPeriodAndWrapsAfterTheLastFrame) {
    FrameAnim anim;
    anim.Start(397, 9, true, 35, 3);
    EXPECT_EQ(anim.mState, FrameAnim::kLooping);
    EXPECT_EQ(anim.mX, 397);
    EXPECT_EQ(anim.mY, 9);

    RunTicks(anim, 1, 34);
    EXPECT_EQ(anim.mFrame, 0);
    EXPECT_TRUE(TickRedraws(anim, 35));
    EXPECT_EQ(anim.mFrame, 1);
    EXPECT_FALSE(TickRedraws(anim, 36));
    RunTicks(anim, 37, 105);
    EXPECT_EQ(anim.mFrame, 3);
    RunTicks(anim, 106, 140);
    EXPECT_EQ(anim.mFrame, 0);
    RunTicks(anim, 141, 175);
    EXPECT_EQ(anim.mFrame, 1);
}

TEST(FrameAnim, AStillPictureNeverChangesFrame) {
    FrameAnim anim;
    anim.Start(15, 10, false, 1, 2);
    EXPECT_EQ(anim.mState, FrameAnim::kStill);
    for (int tick = 1; tick <= 200; ++tick) {
        EXPECT_FALSE(TickRedraws(anim, tick));
    }
    EXPECT_EQ(anim.mFrame, 0);
}

TEST(FrameAnim, AZeroPeriodStepsEveryTickInsteadOfDividingByZero) {
    FrameAnim anim;
    anim.Start(0, 0, true, 0, 2);
    EXPECT_EQ(anim.mPeriod, 1);
    anim.Tick(7);
    EXPECT_EQ(anim.mFrame, 1);
    anim.Tick(8);
    EXPECT_EQ(anim.mFrame, 2);
    anim.Tick(9);
    EXPECT_EQ(anim.mFrame, 0);
}

} // namespace
} // namespace Vuro
