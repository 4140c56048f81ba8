#include "game/rules/Hedgehog.h"

#include "framework/util/MersenneTwister.h"
#include "tests/game/rules/AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

Hedgehog Walking(int x, int targetX) {
    Hedgehog hedgehog;
    hedgehog.Start(x, 373, targetX, 373);
    return hedgehog;
}

using HedgehogTest = ::testing::Test;

TEST_F(HedgehogTest, WalksAcrossAPixelEveryThreeTicksAndIsThenGone) {
    Hedgehog hedgehog = Walking(-50, 640);
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::WalkingRight);
    EXPECT_EQ(hedgehog.GetFrame(), 0);
    EXPECT_EQ(hedgehog.GetFacing(), Hedgehog::FacingRight);
    RunTicks(hedgehog, 1, 13);
    EXPECT_EQ(hedgehog.GetX(), -46);
    EXPECT_EQ(hedgehog.GetFrame(), 1);
    RunTicks(hedgehog, 14, 26);
    EXPECT_EQ(hedgehog.GetFrame(), 0);
    for (int tick = 27; tick <= 2070; ++tick) {
        ASSERT_EQ(hedgehog.Tick(tick), Hedgehog::TickNothing) << tick;
    }
    EXPECT_EQ(hedgehog.GetX(), 640);
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::Gone);
    EXPECT_EQ(hedgehog.Tick(2071), Hedgehog::TickGone);

    Hedgehog left = Walking(640, -50);
    EXPECT_EQ(left.GetState(), Hedgehog::WalkingLeft);
    EXPECT_EQ(left.GetFrame(), 3);
    EXPECT_EQ(left.GetFacing(), Hedgehog::FacingLeft);
    RunTicks(left, 1, 13);
    EXPECT_EQ(left.GetX(), 636);
    EXPECT_EQ(left.GetFrame(), 4);
}

TEST_F(HedgehogTest, StartAcrossTakesItsSideFromOneDraw) {
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        SRand(seed);
        const bool fromLeft = (Rand() & 1) != 0;
        SRand(seed);
        Hedgehog hedgehog;
        hedgehog.StartAcross();
        EXPECT_EQ(hedgehog.GetX(), fromLeft ? -50 : 640);
        EXPECT_EQ(hedgehog.GetTargetX(), fromLeft ? 640 : -50);
        EXPECT_EQ(hedgehog.GetY(), 373);
    }
}

TEST_F(HedgehogTest, SniffsSixSecondsAndCannotSniffAgainForTen) {
    Hedgehog hedgehog = Walking(100, 640);
    hedgehog.Sniff();
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::SniffingFromLeft);
    EXPECT_EQ(hedgehog.GetFrame(), 2);
    EXPECT_EQ(hedgehog.GetPause(), 6);
    RunTicks(hedgehog, 1, 13);
    EXPECT_EQ(hedgehog.GetFrame(), 3);
    RunTicks(hedgehog, 14, 359);
    EXPECT_EQ(hedgehog.GetX(), 100);
    EXPECT_EQ(hedgehog.GetPause(), 1);
    hedgehog.Tick(360); // the sixth second ends: it walks on at once
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::WalkingRight);
    EXPECT_EQ(hedgehog.GetPause(), 10);
    EXPECT_EQ(hedgehog.GetX(), 101);

    hedgehog.Sniff();
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::WalkingRight);
    RunTicks(hedgehog, 361, 959);
    hedgehog.Sniff();
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::WalkingRight); // pause 1 left
    hedgehog.Tick(960);                                     // ten seconds after it walked on
    hedgehog.Sniff();
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::SniffingFromLeft);

    Hedgehog left = Walking(500, -50);
    left.Sniff();
    EXPECT_EQ(left.GetState(), Hedgehog::SniffingFromRight);
    EXPECT_EQ(left.GetFrame(), 1);
    left.Tick(13);
    EXPECT_EQ(left.GetFrame(), 2);
}

TEST_F(HedgehogTest, SniffsWhereItPassesATree) {
    // Tree picture at x 200, 150 wide: middle 275, right edge 350.
    EXPECT_TRUE(Walking(275, -50).IsAtTree(200, 150));
    EXPECT_FALSE(Walking(276, -50).IsAtTree(200, 150));
    EXPECT_FALSE(Walking(234, 640).IsAtTree(200, 150));
    EXPECT_TRUE(Walking(235, 640).IsAtTree(200, 150));
    EXPECT_TRUE(Walking(309, 640).IsAtTree(200, 150));
    EXPECT_FALSE(Walking(310, 640).IsAtTree(200, 150));
    // A wide tree's middle lies further right; the hedgehog must still be on the picture.
    EXPECT_FALSE(Walking(199, 640).IsAtTree(200, 40));
    Hedgehog sniffing = Walking(275, -50);
    sniffing.Sniff();
    EXPECT_FALSE(sniffing.IsAtTree(200, 150));
}

TEST_F(HedgehogTest, AScaredHedgehogStandsSevenSecondsThenWalksOn) {
    Hedgehog hedgehog = Walking(100, 640);
    hedgehog.Sniff();
    hedgehog.SetStunned(true);
    hedgehog.Scare();
    EXPECT_TRUE(hedgehog.IsScared());
    EXPECT_FALSE(hedgehog.IsStunned());
    EXPECT_EQ(hedgehog.GetFrame(), 4);
    EXPECT_EQ(hedgehog.GetPause(), 7);
    RunTicks(hedgehog, 1, 418);
    EXPECT_FALSE(TickRedraws(hedgehog, 419)) << "it stands still";
    EXPECT_EQ(hedgehog.GetX(), 100);
    EXPECT_EQ(hedgehog.GetFrame(), 4);
    EXPECT_TRUE(TickRedraws(hedgehog, 420));
    EXPECT_FALSE(hedgehog.IsScared());
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::WalkingRight);
    EXPECT_EQ(hedgehog.GetPause(), 5);
    EXPECT_EQ(hedgehog.GetFrame(), 1);
    EXPECT_EQ(hedgehog.GetX(), 101);

    Hedgehog left = Walking(500, -50);
    left.Scare();
    EXPECT_EQ(left.GetFrame(), 0);
}

TEST_F(HedgehogTest, AStunnedHedgehogOnlyCyclesItsFlash) {
    Hedgehog hedgehog = Walking(500, -50);
    hedgehog.SetStunned(true);
    const int frames[] = {4, 5, 3, 4};
    for (int step = 0; step < 4; ++step) {
        RunTicks(hedgehog, step * 15 + 1, step * 15 + 13);
        EXPECT_FALSE(TickRedraws(hedgehog, step * 15 + 14));
        EXPECT_TRUE(TickRedraws(hedgehog, step * 15 + 15));
        EXPECT_EQ(hedgehog.GetFrame(), frames[step]);
        EXPECT_EQ(hedgehog.GetFacing(), Hedgehog::FacingRight);
    }
    EXPECT_EQ(hedgehog.GetX(), 500);
    EXPECT_EQ(hedgehog.GetPause(), 0); // seconds do not run while stunned

    Hedgehog right = Walking(100, 640);
    right.SetStunned(true);
    RunTicks(right, 1, 45);
    EXPECT_EQ(right.GetFrame(), 0);
}

TEST_F(HedgehogTest, CarriesAFruitOffTheNearestSide) {
    Hedgehog hedgehog = Walking(320, 640);
    hedgehog.Leave();
    hedgehog.Carry(330, 396, 21, 6, 3, 2);
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::LeavingRight);
    EXPECT_EQ(hedgehog.GetTargetX(), 640);
    EXPECT_TRUE(hedgehog.IsCarrying());
    EXPECT_EQ(hedgehog.GetCarriedId(), 21);
    EXPECT_EQ(hedgehog.GetCarriedKind(), 3);
    EXPECT_EQ(hedgehog.GetCarriedPicture(), 2);
    EXPECT_EQ(hedgehog.GetCarriedDrawX(), 330);
    EXPECT_EQ(hedgehog.GetCarriedDrawY(), 365);
    EXPECT_FALSE(hedgehog.IsBusy());

    // Walking left, it turns round to leave right instead of walking off backwards.
    Hedgehog turning = Walking(400, -50);
    turning.Leave();
    EXPECT_EQ(turning.GetFacing(), Hedgehog::FacingRight);
    EXPECT_EQ(turning.GetFrame(), 0);

    Hedgehog west = Walking(319, 640);
    west.Carry(330, 396, 21, 6, 3, 2);
    west.Leave(); // leaving drops what it held
    EXPECT_FALSE(west.IsCarrying());
    EXPECT_EQ(west.GetCarriedId(), 0);
    EXPECT_EQ(west.GetState(), Hedgehog::LeavingLeft);
    EXPECT_EQ(west.GetTargetX(), -60);
    EXPECT_EQ(west.GetFrame(), 3);
    EXPECT_EQ(west.GetFacing(), Hedgehog::FacingLeft);
    EXPECT_EQ(west.GetCarriedDrawX(), 335);
    EXPECT_TRUE(west.IsBusy());
    RunTicks(west, 1, 1137); // 379 steps to -60
    EXPECT_EQ(west.GetX(), -60);
    EXPECT_EQ(west.Tick(1138), Hedgehog::TickGone);
}

TEST_F(HedgehogTest, DroppingTheFruitTurnsItBackTowardItsTarget) {
    Hedgehog hedgehog = Walking(100, 640);
    hedgehog.Sniff();
    hedgehog.Carry(110, 396, 8, 6, 1, 3);
    hedgehog.SetCarrying(false);
    EXPECT_EQ(hedgehog.GetCarriedId(), 0);
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::WalkingRight);
    EXPECT_EQ(hedgehog.GetFrame(), 0);
}

} // namespace
} // namespace Vuro
