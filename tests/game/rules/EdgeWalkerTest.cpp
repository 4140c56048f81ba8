#include "game/rules/EdgeWalker.h"

#include "framework/util/MersenneTwister.h"
#include "tests/game/rules/AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::Redraws;
using Testing::RunTicks;
using Testing::TickRedraws;

using EdgeWalkerTest = ::testing::Test;

TEST_F(EdgeWalkerTest, SweepsRightTurnsAt598AndSweepsToTheLeftEdge) {
    EdgeWalker broom;
    broom.Start(300, 365, 598, 100);
    EXPECT_EQ(broom.GetState(), EdgeWalker::MovingRight);
    EXPECT_EQ(broom.GetRightEdge(), 332);
    EXPECT_FALSE(TickRedraws(broom, 1));
    RunTicks(broom, 2, 9);
    EXPECT_TRUE(TickRedraws(broom, 10)) << "a move";
    RunTicks(broom, 11, 14);
    EXPECT_TRUE(TickRedraws(broom, 15)) << "a frame";
    EXPECT_EQ(broom.GetX(), 303);
    EXPECT_EQ(broom.GetFrame(), 1);
    RunTicks(broom, 16, 30);
    EXPECT_EQ(broom.GetFrame(), 0);
    // 3 pixels every 10 ticks: 597 after 99 moves, 600 after the 100th.
    RunTicks(broom, 31, 1000);
    EXPECT_EQ(broom.GetX(), 600);
    EXPECT_EQ(broom.GetState(), EdgeWalker::MovingRight);
    broom.Tick(1010); // the turn takes a step of its own
    EXPECT_EQ(broom.GetX(), 600);
    EXPECT_EQ(broom.GetState(), EdgeWalker::MovingLeft);
    EXPECT_EQ(broom.GetTargetX(), 1);
    EXPECT_EQ(broom.GetRightEdge(), 642);
    RunTicks(broom, 1011, 3010); // 200 moves left
    EXPECT_EQ(broom.GetX(), 0);
    broom.Tick(3020);
    EXPECT_EQ(broom.GetState(), EdgeWalker::MovingRight);
    EXPECT_EQ(broom.GetTargetX(), 598);
    EXPECT_EQ(broom.GetSecondsLeft(), 100 - 50);
}

TEST_F(EdgeWalkerTest, ReportsTheTickItsTimeRunsOut) {
    EdgeWalker broom;
    broom.Start(300, 365, 1, 2);
    EXPECT_EQ(broom.GetState(), EdgeWalker::MovingLeft);
    for (int tick = 1; tick <= 120; ++tick) {
        ASSERT_EQ(broom.Tick(tick), EdgeWalker::TickNothing);
    }
    EXPECT_EQ(broom.GetX(), 264);
    EXPECT_TRUE(Redraws([&] { EXPECT_EQ(broom.Tick(121), EdgeWalker::TickGone); }));
    EXPECT_FALSE(broom.IsPresent());
    EXPECT_FALSE(Redraws([&] { EXPECT_EQ(broom.Tick(130), EdgeWalker::TickNothing); }));
}

TEST_F(EdgeWalkerTest, TheBonusSweepTakesOneDrawOrRenewsTheTime) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        SRand(seed);
        const int expectedTarget = (Rand() & 1) != 0 ? 598 : 1;
        SRand(seed);
        EdgeWalker broom;
        broom.StartSweep();
        EXPECT_EQ(broom.GetX(), 300);
        EXPECT_EQ(broom.GetY(), 365);
        EXPECT_EQ(broom.GetTargetX(), expectedTarget);
        EXPECT_EQ(broom.GetSecondsLeft(), 34);
        const int next = Rand();
        SRand(seed);
        Rand();
        broom.StartSweep(); // already sweeping: no draw, 42 seconds
        EXPECT_EQ(broom.GetSecondsLeft(), 42);
        EXPECT_EQ(broom.GetTargetX(), expectedTarget);
        EXPECT_EQ(Rand(), next);
    }
}

} // namespace
} // namespace Vuro
