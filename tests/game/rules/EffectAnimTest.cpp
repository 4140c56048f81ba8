#include "game/rules/EffectAnim.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

TEST(EffectAnim, PlaysItsFiveCelsTwiceThenEnds) {
    EffectAnim flash;
    flash.SetPos(30, 40);
    flash.Start(5);
    EXPECT_TRUE(flash.mActive);
    EXPECT_EQ(flash.mX, 30);
    EXPECT_EQ(flash.mY, 40);

    RunTicks(flash, 1, 9);
    EXPECT_EQ(flash.mFrame, 0);
    EXPECT_TRUE(TickRedraws(flash, 10));
    EXPECT_EQ(flash.mFrame, 1);
    RunTicks(flash, 11, 40);
    EXPECT_EQ(flash.mFrame, 4);
    EXPECT_EQ(flash.mCycles, 0);
    RunTicks(flash, 41, 50);
    EXPECT_EQ(flash.mFrame, 0);
    EXPECT_EQ(flash.mCycles, 1);
    RunTicks(flash, 51, 99);
    EXPECT_EQ(flash.mFrame, 4);
    EXPECT_EQ(flash.mSecondsLeft, 4);
    EXPECT_TRUE(flash.mActive);
    EXPECT_TRUE(TickRedraws(flash, 100));
    EXPECT_FALSE(flash.mActive);
    EXPECT_EQ(flash.mFrame, 0);
    EXPECT_EQ(flash.mCycles, 2);
    RunTicks(flash, 101, 200);
    EXPECT_EQ(flash.mFrame, 0);
}

TEST(EffectAnim, EndsEarlyWhenItsSecondsRunOut) {
    EffectAnim flash;
    flash.Start(1);
    RunTicks(flash, 1, 60);
    EXPECT_TRUE(flash.mActive);
    EXPECT_EQ(flash.mSecondsLeft, 0);
    EXPECT_EQ(flash.mFrame, 1);
    EXPECT_EQ(flash.mCycles, 1);
    flash.Tick(61);
    EXPECT_FALSE(flash.mActive);
    EXPECT_EQ(flash.mFrame, 1);

    flash.Start(0);
    EXPECT_EQ(flash.mFrame, 0);
    flash.Tick(1);
    EXPECT_FALSE(flash.mActive);
}

} // namespace
} // namespace Vuro
