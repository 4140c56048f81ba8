#include "game/rules/Bouncer.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

struct Step {
    int tick;
    int x;
    int y;
    int direction;
};

// Starts an item at (x, y) heading in direction and checks it after each listed tick; the
// ticks in between are run too.
void ExpectPath(int x, int y, int direction, const std::vector<Step>& steps) {
    Bouncer item;
    item.Start(x, y, 1, 10);
    item.mDirection = direction;
    int tick = 1;
    for (const Step& step : steps) {
        RunTicks(item, tick, step.tick);
        tick = step.tick + 1;
        EXPECT_EQ(item.mX, step.x) << "tick " << step.tick;
        EXPECT_EQ(item.mY, step.y) << "tick " << step.tick;
        EXPECT_EQ(item.mDirection, step.direction) << "tick " << step.tick;
    }
}

TEST(Bouncer, StartsUpwardAwayFromTheMiddle) {
    Bouncer item;
    item.Start(319, 200, 2, 10);
    EXPECT_EQ(item.mDirection, Bouncer::kUpRight);
    item.Start(320, 200, 2, 10);
    EXPECT_EQ(item.mDirection, Bouncer::kUpLeft);
    EXPECT_TRUE(item.mActive);
    EXPECT_EQ(item.mKind, 2);
    EXPECT_EQ(item.mAge, 0);
}

TEST(Bouncer, MovesTwoPixelsOnBothAxesEverySecondTick) {
    ExpectPath(100, 200, Bouncer::kUpRight, {{1, 100, 200, 1}, {2, 102, 198, 1}, {6, 106, 194, 1}});
    ExpectPath(100, 200, Bouncer::kUpLeft, {{2, 98, 198, 0}});
    ExpectPath(100, 200, Bouncer::kDownLeft, {{2, 98, 202, 2}});
    ExpectPath(100, 200, Bouncer::kDownRight, {{2, 102, 202, 3}});
    ExpectPath(100, 200, Bouncer::kStill, {{10, 100, 200, 4}});
}

TEST(Bouncer, TurnsOnceBeyondEachEdge) {
    // Top: at 0 it goes on; below 0 it turns down.
    ExpectPath(100, 2, Bouncer::kUpRight, {{2, 102, 0, 1}, {4, 104, -2, 3}, {8, 108, 2, 3}});
    // Bottom: above 389 it turns up.
    ExpectPath(100, 388, Bouncer::kDownLeft, {{2, 98, 390, 0}, {4, 96, 388, 0}});
    // Right: above 610 it turns left.
    ExpectPath(608, 200, Bouncer::kUpRight, {{2, 610, 198, 1}, {4, 612, 196, 0}, {6, 610, 194, 0}});
    // Left: below 0 it turns right.
    ExpectPath(2, 200, Bouncer::kDownLeft, {{2, 0, 202, 2}, {4, -2, 204, 3}, {6, 0, 206, 3}});
}

TEST(Bouncer, InACornerTheSideTurnComesFirst) {
    ExpectPath(2, 2, Bouncer::kUpLeft,
               {{2, 0, 0, 0}, {4, -2, -2, 1}, {6, 0, -4, 3}, {8, 2, -2, 3}, {12, 6, 2, 3}});
    ExpectPath(610, 389, Bouncer::kDownRight,
               {{2, 612, 391, 2}, {4, 610, 393, 0}, {6, 608, 391, 0}});
}

TEST(Bouncer, AgesEveryThirtyTicksAndIsClickableFromAgeOne) {
    Bouncer item;
    item.Start(100, 200, 0, 10);
    EXPECT_FALSE(item.IsClickable(false));
    EXPECT_TRUE(item.IsClickable(true));
    RunTicks(item, 1, 29);
    EXPECT_EQ(item.mAge, 0);
    item.Tick(30);
    EXPECT_EQ(item.mAge, 1);
    EXPECT_TRUE(item.IsClickable(false));
    RunTicks(item, 31, 60);
    EXPECT_EQ(item.mAge, 2);
    EXPECT_EQ(item.mSecondsLeft, 9);
}

TEST(Bouncer, EndsAfterItsSecondsAndIsMarkedForErasingOnTheNextTick) {
    Bouncer item;
    item.Start(300, 300, 3, 1);
    RunTicks(item, 1, 120);
    EXPECT_EQ(item.mSecondsLeft, -1);
    EXPECT_TRUE(item.mActive);
    EXPECT_EQ(item.mX, 420);
    EXPECT_EQ(item.mY, 180);
    EXPECT_TRUE(TickRedraws(item, 121));
    EXPECT_FALSE(item.mActive);
    EXPECT_EQ(item.mKind, 3);
    EXPECT_TRUE(TickRedraws(item, 122)) << "drawn until erased";
    EXPECT_EQ(item.mKind, Bouncer::kErased);
    EXPECT_EQ(item.mX, 420);
    EXPECT_EQ(item.mY, 180);
    EXPECT_FALSE(TickRedraws(item, 124));
}

TEST(Bouncer, AnUnknownDirectionEndsTheItem) {
    Bouncer item;
    item.Start(100, 200, 1, 10);
    item.mDirection = 7;
    item.Tick(1);
    EXPECT_TRUE(item.mActive);
    item.Tick(2);
    EXPECT_FALSE(item.mActive);
    EXPECT_EQ(item.mX, 100);
    EXPECT_EQ(item.mY, 200);
    item.Tick(3);
    EXPECT_EQ(item.mKind, Bouncer::kErased);
}

TEST(Bouncer, AResetItemIsErasedOnItsNextTick) {
    Bouncer item;
    item.Start(100, 200, 1, 10);
    item.Reset();
    EXPECT_FALSE(item.mActive);
    EXPECT_EQ(item.mKind, Bouncer::kErased);
    EXPECT_EQ(item.mX, 0);
    EXPECT_EQ(item.mDirection, 0);
    item.Tick(2);
    EXPECT_EQ(item.mX, 0);
}

} // namespace
} // namespace Vuro
