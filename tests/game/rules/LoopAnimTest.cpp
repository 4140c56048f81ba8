#include "game/rules/LoopAnim.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

TEST(LoopAnim, APassThroughNineCelsClearsLooping) {
    LoopAnim puff;
    puff.Start(true, 3);
    puff.SetLooping(true);
    EXPECT_TRUE(puff.mLooping);
    RunTicks(puff, 1, 80);
    EXPECT_EQ(puff.mFrame, 8);
    EXPECT_TRUE(puff.mLooping);
    EXPECT_TRUE(TickRedraws(puff, 90));
    EXPECT_EQ(puff.mFrame, 0);
    EXPECT_FALSE(puff.mLooping);
    // The frame keeps stepping after the pass.
    puff.Tick(100);
    EXPECT_EQ(puff.mFrame, 1);
    // SetLooping starts a pass from cel 0 again.
    puff.SetLooping(true);
    EXPECT_EQ(puff.mFrame, 0);
    EXPECT_TRUE(puff.mLooping);
}

TEST(LoopAnim, ThreeSecondsEndOnTheFirstTickWithFrameZeroAfterward) {
    LoopAnim puff;
    puff.Start(true, 3);
    puff.SetLooping(true);
    RunTicks(puff, 1, 180);
    EXPECT_EQ(puff.mSecondsLeft, 0);
    EXPECT_EQ(puff.mFrame, 0);
    EXPECT_TRUE(puff.mActive);
    EXPECT_TRUE(TickRedraws(puff, 181));
    EXPECT_FALSE(puff.mActive);
}

TEST(LoopAnim, SpentSecondsWaitForThePassToReachFrameZero) {
    LoopAnim puff;
    puff.Start(true, 1);
    puff.SetLooping(true);
    RunTicks(puff, 1, 60);
    EXPECT_EQ(puff.mSecondsLeft, 0);
    EXPECT_EQ(puff.mFrame, 6);
    RunTicks(puff, 61, 89);
    EXPECT_TRUE(puff.mActive);
    EXPECT_EQ(puff.mFrame, 8);
    puff.Tick(90);
    EXPECT_TRUE(puff.mActive);
    EXPECT_EQ(puff.mFrame, 0);
    puff.Tick(91);
    EXPECT_FALSE(puff.mActive);
}

TEST(LoopAnim, StartedInactiveDoesNothing) {
    LoopAnim puff;
    puff.Start(false, 3);
    puff.SetLooping(true);
    for (int tick = 1; tick <= 100; ++tick) {
        EXPECT_FALSE(TickRedraws(puff, tick));
    }
    EXPECT_EQ(puff.mFrame, 0);
    EXPECT_EQ(puff.mSecondsLeft, 3);
}

} // namespace
} // namespace Vuro
