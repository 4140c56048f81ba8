#include "game/rules/Drifter.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

TEST(Drifter, TogglesEveryTwentyTicksAndDriftsLeftEvery120) {
    Drifter sun;
    sun.Start(300, 1, -133);
    EXPECT_EQ(sun.mState, Drifter::kDrifting);
    RunTicks(sun, 1, 19);
    EXPECT_EQ(sun.mFrame, 0);
    EXPECT_TRUE(TickRedraws(sun, 20));
    EXPECT_EQ(sun.mFrame, 1);
    RunTicks(sun, 21, 119);
    EXPECT_EQ(sun.mX, 300);
    EXPECT_EQ(sun.mFrame, 1);
    sun.Tick(120);
    EXPECT_EQ(sun.mX, 299);
    EXPECT_EQ(sun.mFrame, 0);
    EXPECT_EQ(sun.mY, 1);
    RunTicks(sun, 121, 240);
    EXPECT_EQ(sun.mX, 298);
}

TEST(Drifter, JumpsBackToTheRightEdgeOnceAtItsStop) {
    Drifter sun;
    sun.Start(-132, 1, -133);
    sun.Tick(120);
    EXPECT_EQ(sun.mX, -133);
    sun.Tick(240);
    EXPECT_EQ(sun.mX, 640);
    sun.Tick(360);
    EXPECT_EQ(sun.mX, 639);
}

TEST(Drifter, AHeldDrifterTogglesItsFrameButDoesNotMove) {
    Drifter sun;
    sun.Start(300, 1, -133);
    sun.SetHeld(true);
    EXPECT_EQ(sun.mState, Drifter::kHeld);
    RunTicks(sun, 1, 120);
    EXPECT_EQ(sun.mX, 300);
    EXPECT_EQ(sun.mFrame, 0);
    sun.Tick(140);
    EXPECT_EQ(sun.mFrame, 1);
    sun.SetHeld(false);
    EXPECT_EQ(sun.mState, Drifter::kDrifting);
    sun.Tick(240);
    EXPECT_EQ(sun.mX, 299);
}

TEST(Drifter, AResetDrifterIsGoneAndStill) {
    Drifter sun;
    sun.Start(300, 1, -133);
    sun.Reset();
    EXPECT_EQ(sun.mState, Drifter::kGone);
    EXPECT_EQ(sun.mX, -1);
    EXPECT_EQ(sun.mY, -1);
    EXPECT_EQ(sun.mStopX, -1);
    EXPECT_FALSE(TickRedraws(sun, 120));
    EXPECT_EQ(sun.mX, -1);
    EXPECT_EQ(sun.mFrame, 0);
}

} // namespace
} // namespace Vuro
