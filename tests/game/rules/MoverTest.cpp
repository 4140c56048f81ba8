#include "game/rules/Mover.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::Redraws;

void TickTimes(Mover& stone, int count) {
    for (int i = 0; i < count; ++i) {
        stone.Tick();
    }
}

TEST(Mover, AStoneFiredStraightUpRisesNinePixelsATickFor29Ticks) {
    Mover stone;
    stone.Start(300, 405, 300, 150);
    EXPECT_EQ(stone.mState, Mover::kMovingLeft);
    EXPECT_TRUE(Redraws([&] { stone.Tick(); })) << "a moving tick changes what is drawn";
    EXPECT_EQ(stone.mState, Mover::kRising);
    EXPECT_EQ(stone.mY, 396);
    TickTimes(stone, 28);
    EXPECT_EQ(stone.mY, 144);
    EXPECT_EQ(stone.mX, 300);
    EXPECT_EQ(stone.mState, Mover::kRising);
    // The next tick finds it above the target and marks it arrived without moving: it is no
    // longer drawn.
    EXPECT_TRUE(Redraws([&] { stone.Tick(); }));
    EXPECT_EQ(stone.mState, Mover::kArrived);
    EXPECT_EQ(stone.mY, 144);
    EXPECT_FALSE(Redraws([&] { stone.Tick(); }));
    EXPECT_EQ(stone.mY, 144);
}

TEST(Mover, MovesSidewaysUntilLevelWithTheTargetWhileRising) {
    Mover right;
    right.Start(100, 405, 120, 150);
    EXPECT_EQ(right.mState, Mover::kMovingRight);
    TickTimes(right, 3);
    EXPECT_EQ(right.mX, 127);
    EXPECT_EQ(right.mY, 378);
    EXPECT_EQ(right.mState, Mover::kMovingRight);
    right.Tick();
    EXPECT_EQ(right.mState, Mover::kRising);
    EXPECT_EQ(right.mX, 127);
    EXPECT_EQ(right.mY, 369);

    Mover left;
    left.Start(200, 300, 180, 280);
    EXPECT_EQ(left.mState, Mover::kMovingLeft);
    TickTimes(left, 3);
    EXPECT_EQ(left.mX, 173);
    EXPECT_EQ(left.mY, 273);
    EXPECT_EQ(left.mState, Mover::kMovingLeft);
    // Level with the target and above it in the same tick.
    left.Tick();
    EXPECT_EQ(left.mState, Mover::kArrived);
    EXPECT_EQ(left.mX, 173);
    EXPECT_EQ(left.mY, 273);
}

TEST(Mover, ATargetLessThanSixPixelsRightCountsAsStraightUp) {
    Mover stone;
    stone.Start(100, 200, 104, 190);
    EXPECT_EQ(stone.mState, Mover::kMovingLeft);
    TickTimes(stone, 2);
    EXPECT_EQ(stone.mX, 100);
    EXPECT_EQ(stone.mY, 182);
    stone.Tick();
    EXPECT_EQ(stone.mState, Mover::kArrived);

    Mover six;
    six.Start(100, 200, 105, 190);
    EXPECT_EQ(six.mState, Mover::kMovingRight);
}

TEST(Mover, ResetIsAnArrivedStoneNowhere) {
    Mover stone;
    stone.Start(1, 2, 3, 4);
    stone.Reset();
    EXPECT_EQ(stone.mState, Mover::kArrived);
    EXPECT_EQ(stone.mX, -1);
    EXPECT_EQ(stone.mY, -1);
    EXPECT_EQ(stone.mTargetX, -1);
    EXPECT_EQ(stone.mTargetY, -1);
    stone.Tick();
    EXPECT_EQ(stone.mY, -1);
}

} // namespace
} // namespace Vuro
