#include "game/rules/Bird.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/Fruit.h"
#include "tests/game/rules/AnimTestHelpers.h"

#include <gtest/gtest.h>

#include <map>

namespace Vuro {
namespace {

using Testing::Redraws;
using Testing::TickRedraws;

// Ticks first..last and returns the non-zero results by tick.
std::map<int, int> RunTicks(Bird& bird, int first, int last) {
    std::map<int, int> results;
    for (int tick = first; tick <= last; ++tick) {
        const int result = bird.Tick(tick);
        if (result != Bird::TickNothing) {
            results[tick] = result;
        }
    }
    return results;
}

Fruit RipeFruit(int kind, int x, int y, int cellId, int picture) {
    SRand(77);
    Fruit fruit;
    fruit.Start(kind, x, y, cellId);
    fruit.SetState(Fruit::Ripe);
    fruit.SetPicture(picture);
    return fruit;
}

Bird Launched(int x, int y, int targetX, int kind) {
    Bird bird;
    bird.Launch(x, y, targetX, y, kind);
    return bird;
}

using BirdTest = ::testing::Test;

TEST_F(BirdTest, ResetLeavesAnEmptyRecord) {
    Bird bird;
    EXPECT_EQ(bird.GetState(), Bird::None);
    EXPECT_EQ(bird.GetX(), -1);
    EXPECT_EQ(bird.GetY(), -1);
    EXPECT_EQ(bird.GetTargetX(), -1);
    EXPECT_EQ(bird.GetTargetY(), -1);
    EXPECT_EQ(bird.GetFruitTargetX(), -1);
    EXPECT_EQ(bird.GetFruitTargetY(), -1);
    EXPECT_EQ(bird.GetFruitTargetId(), 0);
    EXPECT_EQ(bird.GetKind(), 0);
    EXPECT_FALSE(bird.IsCarrying());
    EXPECT_EQ(bird.Tick(60), Bird::TickNothing);
}

TEST_F(BirdTest, LaunchChoosesTheDirectionAndTheFirstWingFrame) {
    const int leftFrames[] = {5, 4, 5, 2};
    for (int kind = 0; kind <= 3; ++kind) {
        Bird left = Launched(640, 200, -50, kind);
        EXPECT_EQ(left.GetState(), Bird::FlyingLeft);
        EXPECT_EQ(left.GetFrame(), leftFrames[kind]) << kind;
        Bird right = Launched(-50, 200, 640, kind);
        EXPECT_EQ(right.GetState(), Bird::FlyingRight);
        EXPECT_EQ(right.GetFrame(), 0);
        EXPECT_EQ(right.GetTargetY(), 200);
    }
    // x equal to the target counts as flying right.
    EXPECT_EQ(Launched(300, 200, 300, 0).GetState(), Bird::FlyingRight);
}

TEST_F(BirdTest, APlainBirdCrossesLeftAPixelATickAndLooksEveryTenthMove) {
    Bird bird = Launched(640, 200, -50, Bird::Plain);
    const std::map<int, int> results = RunTicks(bird, 1, 700);
    // Reaches -50 on the 690th move and is gone; looks on moves 10, 20, ..., 680.
    std::map<int, int> expected;
    for (int tick = 10; tick < 690; tick += 10) {
        expected[tick] = Bird::TickLook;
    }
    for (int tick = 690; tick <= 700; ++tick) {
        expected[tick] = Bird::TickGone;
    }
    EXPECT_EQ(results, expected);
    EXPECT_EQ(bird.GetX(), -50);
    EXPECT_EQ(bird.GetY(), 200);
    EXPECT_EQ(bird.GetState(), Bird::Gone);
}

TEST_F(BirdTest, WingsFlapEveryFifteenTicksWithinTheDirectionsFrames) {
    Bird plain = Launched(640, 200, -50, Bird::Plain);
    Bird black = Launched(-50, 200, 640, Bird::Black);
    Bird kamikaze = Launched(640, 200, -50, Bird::Kamikaze);
    const int plainFrames[] = {5, 6, 7, 8, 9, 5, 6};
    const int blackFrames[] = {0, 1, 2, 3, 0, 1, 2};
    const int kamikazeFrames[] = {2, 3, 2, 3, 2, 3, 2};
    for (int step = 0; step <= 6; ++step) {
        EXPECT_EQ(plain.GetFrame(), plainFrames[step]) << step;
        EXPECT_EQ(black.GetFrame(), blackFrames[step]) << step;
        EXPECT_EQ(kamikaze.GetFrame(), kamikazeFrames[step]) << step;
        for (int tick = step * 15 + 1; tick <= step * 15 + 15; ++tick) {
            plain.Tick(tick);
            black.Tick(tick);
            kamikaze.Tick(tick);
        }
    }
}

TEST_F(BirdTest, SpeedsAndEdgesByKind) {
    // A black bird flies 2 pixels a tick: -50 to 640 in 345 ticks, looking every 10 moves.
    Bird black = Launched(-50, 250, 640, Bird::Black);
    std::map<int, int> results = RunTicks(black, 1, 345);
    EXPECT_EQ(results.size(), 35u);
    EXPECT_EQ(results[340], Bird::TickLook);
    EXPECT_EQ(results[345], Bird::TickGone);
    EXPECT_EQ(black.GetX(), 640);

    // A kamikaze bird flies 3 pixels a tick and reports every move as being at fruit.
    Bird kamikaze = Launched(640, 240, -50, Bird::Kamikaze);
    results = RunTicks(kamikaze, 1, 230);
    EXPECT_EQ(results.size(), 230u);
    EXPECT_EQ(results[1], Bird::TickAtFruit);
    EXPECT_EQ(results[229], Bird::TickAtFruit);
    EXPECT_EQ(kamikaze.GetX(), -50);
    EXPECT_EQ(results[230], Bird::TickGone);

    // Outside -80..700 a bird is gone whatever its state.
    EXPECT_EQ(Launched(701, 200, 0, Bird::Plain).Tick(1), Bird::TickGone);
    EXPECT_EQ(Launched(-81, 200, 640, Bird::Plain).Tick(1), Bird::TickGone);
    EXPECT_EQ(Launched(700, 200, 0, Bird::Plain).Tick(1), Bird::TickNothing);
}

TEST_F(BirdTest, BodyPointsByKind) {
    struct Case {
        int kind, right, bottom, beak, carriedRightX, carriedLeftX, carriedY;
    };
    const Case cases[] = {
        {0, 159, 242, 219, 137, 102, 223},
        {1, 163, 243, 220, 142, 100, 224},
        {2, 159, 242, 219, 137, 102, 223},
        {3, 177, 235, 200, 142, 100, 224},
    };
    for (const Case& c : cases) {
        Bird right = Launched(100, 200, 640, c.kind);
        EXPECT_EQ(right.GetRightEdge(), c.right) << c.kind;
        EXPECT_EQ(right.GetBottom(), c.bottom) << c.kind;
        EXPECT_EQ(right.GetBeakY(), c.beak) << c.kind;
        EXPECT_EQ(right.GetCarriedX(), c.carriedRightX) << c.kind;
        EXPECT_EQ(right.GetCarriedY(), c.carriedY) << c.kind;
        Bird left = Launched(100, 200, -50, c.kind);
        EXPECT_EQ(left.GetCarriedX(), c.carriedLeftX) << c.kind;
    }
}

TEST_F(BirdTest, AimAtPlacesTheBeakAtTheFruit) {
    const Fruit golden = RipeFruit(2, 200, 230, 17, Fruit::kGoldenPicture);
    Bird right = Launched(100, 200, 640, Bird::Plain);
    right.AimAt(golden);
    EXPECT_EQ(right.GetFruitTargetX(), 141);
    EXPECT_EQ(right.GetFruitTargetY(), 215);
    EXPECT_EQ(right.GetFruitTargetId(), 17);
    EXPECT_EQ(right.GetCarriedKind(), 2);
    EXPECT_EQ(right.GetCarriedState(), Fruit::Ripe);
    EXPECT_EQ(right.GetCarriedPicture(), 2); // the golden picture is kept as the plain one

    Bird black = Launched(100, 200, 640, Bird::Black);
    black.AimAt(golden);
    EXPECT_EQ(black.GetFruitTargetX(), 137);
    Bird left = Launched(500, 200, -50, Bird::Black);
    left.AimAt(RipeFruit(1, 300, 250, 4, 3));
    EXPECT_EQ(left.GetFruitTargetX(), 310);
    EXPECT_EQ(left.GetFruitTargetY(), 235);
    EXPECT_EQ(left.GetCarriedPicture(), 3);
}

TEST_F(BirdTest, AnAimingBirdHoversAtTheFruitThenCarriesItOn) {
    Bird bird = Launched(100, 200, 640, Bird::Plain);
    bird.AimAt(RipeFruit(2, 200, 230, 17, 3));
    // x needs 41 moves to 141, y 15 moves to 215; it arrives when both are met.
    const std::map<int, int> results = RunTicks(bird, 1, 50);
    std::map<int, int> expected = {
        {10, Bird::TickLook}, {20, Bird::TickLook}, {30, Bird::TickLook}, {40, Bird::TickLook}};
    for (int tick = 41; tick <= 50; ++tick) {
        expected[tick] = Bird::TickAtFruit;
    }
    EXPECT_EQ(results, expected);
    EXPECT_EQ(bird.GetState(), Bird::AtFruitFlyingRight);
    EXPECT_EQ(bird.GetX(), 141);
    EXPECT_EQ(bird.GetY(), 215);

    bird.SetCarrying(true);
    EXPECT_EQ(bird.GetState(), Bird::FlyingRight);
    EXPECT_EQ(bird.GetFruitTargetId(), 17); // the carried fruit's id stays
    EXPECT_EQ(bird.Tick(51), Bird::TickNothing);
    EXPECT_EQ(bird.GetX(), 142);
    EXPECT_EQ(bird.GetY(), 215);

    bird.SetCarrying(false);
    EXPECT_EQ(bird.GetFruitTargetId(), 0);
    EXPECT_EQ(bird.GetFruitTargetX(), -1);
    EXPECT_EQ(bird.GetState(), Bird::FlyingRight);
}

TEST_F(BirdTest, ALeftBirdReachingItsFruitHoversInStateTwo) {
    Bird bird = Launched(330, 240, -50, Bird::Plain);
    bird.AimAt(RipeFruit(1, 300, 250, 4, 3)); // target (310, 235)
    RunTicks(bird, 1, 20);
    EXPECT_EQ(bird.GetState(), Bird::AtFruitFlyingLeft);
    EXPECT_EQ(bird.GetX(), 310);
    EXPECT_EQ(bird.GetY(), 235);
}

TEST_F(BirdTest, GivingUpSendsTheBirdOffAndLooksAgainAtOnce) {
    Bird bird = Launched(100, 200, 640, Bird::Plain);
    bird.AimAt(RipeFruit(2, 200, 230, 17, 3));
    RunTicks(bird, 1, 45);
    ASSERT_EQ(bird.GetState(), Bird::AtFruitFlyingRight);
    bird.GiveUp();
    // A hovering bird flies on instead of hovering forever over a fruit that is gone.
    EXPECT_EQ(bird.GetState(), Bird::FlyingRight);
    EXPECT_EQ(bird.GetTargetX(), 640);
    EXPECT_EQ(bird.GetTargetY(), 250);
    EXPECT_EQ(bird.GetSteps(), 10);
    EXPECT_EQ(bird.GetFruitTargetId(), 0);
    EXPECT_EQ(bird.Tick(46), Bird::TickLook);
    EXPECT_EQ(bird.GetX(), 142);

    Bird left = Launched(500, 200, -50, Bird::White);
    left.GiveUp();
    EXPECT_EQ(left.GetTargetX(), -80);
    RunTicks(left, 1, 579);
    EXPECT_EQ(left.Tick(580), Bird::TickGone);
    EXPECT_EQ(left.GetX(), -80);
}

TEST_F(BirdTest, FlyAwayLeavesByHeight) {
    Bird low = Launched(300, 320, -50, Bird::Black);
    low.AimAt(RipeFruit(1, 200, 300, 9, 3));
    low.FlyAway();
    EXPECT_EQ(low.GetState(), Bird::LeavingRight);
    EXPECT_EQ(low.GetTargetX(), 640);
    EXPECT_EQ(low.GetFruitTargetId(), 0);
    EXPECT_EQ(low.GetFrame(), 4); // the right-leaving pose keeps its frame
    low.Tick(1);
    EXPECT_EQ(low.GetX(), 302);

    Bird high = Launched(300, 319, 640, Bird::Kamikaze);
    high.FlyAway();
    EXPECT_EQ(high.GetState(), Bird::LeavingLeft);
    EXPECT_EQ(high.GetTargetX(), -60);
    EXPECT_EQ(high.GetFrame(), 2);
    RunTicks(high, 1, 120);
    EXPECT_EQ(high.GetX(), -60);
    EXPECT_EQ(high.GetState(), Bird::Gone);
}

TEST_F(BirdTest, AHitBirdHoldsItsPoseForTwoCountsThenLeaves) {
    Bird bird = Launched(300, 200, 640, Bird::Plain);
    bird.SetHit(true);
    bird.SetLeaveAfterHit(true);
    EXPECT_TRUE(bird.IsHitPending());
    for (int tick = 1; tick <= 39; ++tick) {
        // The pose stands still; only its count (at tick 20) is drawn.
        const bool redraws = Redraws([&] { ASSERT_EQ(bird.Tick(tick), Bird::TickPose) << tick; });
        ASSERT_EQ(redraws, tick == 20) << tick;
    }
    EXPECT_EQ(bird.GetHitCountdown(), 1);
    EXPECT_EQ(bird.GetX(), 300);
    // The second count ends the pose: it leaves left (above y 320) on the same tick.
    EXPECT_EQ(bird.Tick(40), Bird::TickNothing);
    EXPECT_FALSE(bird.IsHitPending());
    EXPECT_EQ(bird.GetState(), Bird::LeavingLeft);
    EXPECT_EQ(bird.GetFrame(), 5);
    EXPECT_EQ(bird.GetX(), 299);

    Bird stays = Launched(300, 200, 640, Bird::Plain);
    stays.SetHit(true);
    RunTicks(stays, 1, 40);
    EXPECT_EQ(stays.GetX(), 300);
    EXPECT_EQ(stays.Tick(41), Bird::TickNothing);
    EXPECT_EQ(stays.GetState(), Bird::FlyingRight);
    EXPECT_EQ(stays.GetX(), 301);
}

TEST_F(BirdTest, AStunnedBirdCyclesItsFlashFramesInPlace) {
    Bird left = Launched(400, 200, -50, Bird::White);
    left.SetHit(true);
    left.SetStunned(true);
    EXPECT_FALSE(left.IsHitPending()); // stunning stops the hit pose
    EXPECT_EQ(left.GetFrame(), 4);
    const int leftFrames[] = {5, 6, 7, 4, 5};
    const int rightFrames[] = {1, 2, 3, 0, 1};
    Bird right = Launched(100, 200, 640, Bird::Black);
    right.SetStunned(true);
    EXPECT_EQ(right.GetFrame(), 0);
    for (int step = 0; step < 5; ++step) {
        for (int tick = step * 15 + 1; tick <= step * 15 + 15; ++tick) {
            ASSERT_EQ(left.Tick(tick), Bird::TickPose);
            ASSERT_EQ(right.Tick(tick), Bird::TickPose);
        }
        EXPECT_EQ(left.GetFrame(), leftFrames[step]);
        EXPECT_EQ(right.GetFrame(), rightFrames[step]);
    }
    EXPECT_EQ(left.GetX(), 400);
    left.SetStunned(false);
    left.FlyAway();
    left.Tick(76);
    EXPECT_EQ(left.GetX(), 399);
}

TEST_F(BirdTest, AHeldBirdFlapsButNeverMoves) {
    Bird bird = Launched(50, 60, 640, Bird::Plain);
    bird.SetHeld(true);
    EXPECT_TRUE(RunTicks(bird, 1, 120).empty());
    EXPECT_EQ(bird.GetX(), 50);
    EXPECT_EQ(bird.GetFrame(), 3); // 8 flaps over frames 0..4
    EXPECT_FALSE(TickRedraws(bird, 121));
    EXPECT_TRUE(TickRedraws(bird, 135));
}

} // namespace
} // namespace Vuro
