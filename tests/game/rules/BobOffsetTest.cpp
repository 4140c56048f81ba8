#include "game/rules/BobOffset.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

constexpr float kTolerance = 1e-5f;

TEST(BobOffset, TurnsAtOnceThenRisesSixStepsAndFallsBack) {
    BobOffset bob;
    bob.Start(100, 350, 3, 0.1f);
    EXPECT_EQ(bob.mState, BobOffset::kFalling);
    EXPECT_EQ(bob.mStepsLeft, 0);

    RunTicks(bob, 1, 19);
    EXPECT_EQ(bob.mState, BobOffset::kFalling);
    EXPECT_TRUE(TickRedraws(bob, 20));
    EXPECT_EQ(bob.mState, BobOffset::kRising);
    EXPECT_EQ(bob.mStepsLeft, 6);
    EXPECT_FLOAT_EQ(bob.mOffset, 0.0f);

    bob.Tick(40);
    EXPECT_NEAR(bob.mOffset, 0.1f, kTolerance);
    EXPECT_EQ(bob.mStepsLeft, 5);
    RunTicks(bob, 41, 140);
    EXPECT_NEAR(bob.mOffset, 0.6f, kTolerance);
    EXPECT_EQ(bob.mStepsLeft, 0);
    EXPECT_EQ(bob.mState, BobOffset::kRising);

    bob.Tick(160);
    EXPECT_EQ(bob.mState, BobOffset::kFalling);
    EXPECT_EQ(bob.mStepsLeft, 6);
    EXPECT_NEAR(bob.mOffset, 0.6f, kTolerance);
    bob.Tick(180);
    EXPECT_NEAR(bob.mOffset, 0.5f, kTolerance);
    RunTicks(bob, 181, 280);
    EXPECT_NEAR(bob.mOffset, 0.0f, kTolerance);
    bob.Tick(300);
    EXPECT_EQ(bob.mState, BobOffset::kRising);
}

TEST(BobOffset, SwingsBetweenZeroAndSixTenths) {
    BobOffset bob;
    bob.Start(100, 350, 3, 0.1f);
    float low = 0.0f;
    float high = 0.0f;
    for (int tick = 1; tick <= 2000; ++tick) {
        bob.Tick(tick);
        low = std::min(low, bob.mOffset);
        high = std::max(high, bob.mOffset);
    }
    EXPECT_NEAR(low, 0.0f, kTolerance);
    EXPECT_NEAR(high, 0.6f, kTolerance);
}

TEST(BobOffset, OnlyMultiplesOfTwentyStepAndAResetOneStaysStill) {
    BobOffset bob;
    bob.Start(0, 0, 1, 1.0f);
    for (int tick : {1, 19, 21, 39, 41}) {
        EXPECT_FALSE(TickRedraws(bob, tick)) << tick;
    }
    EXPECT_EQ(bob.mState, BobOffset::kFalling);

    bob.Reset();
    EXPECT_EQ(bob.mState, BobOffset::kStopped);
    EXPECT_EQ(bob.mX, -1);
    EXPECT_EQ(bob.mY, -1);
    EXPECT_EQ(bob.mHalfSwing, 0);
    EXPECT_FLOAT_EQ(bob.mDelta, 0.0f);
    EXPECT_FALSE(TickRedraws(bob, 20));
}

} // namespace
} // namespace Vuro
