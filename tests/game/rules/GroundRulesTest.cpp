#include "game/rules/GroundRules.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/Caterpillar.h"
#include "game/rules/EdgeWalker.h"
#include "game/rules/Fruit.h"
#include "game/rules/Hedgehog.h"
#include "game/rules/TargetWalker.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

Fruit FruitAt(int state, int x, int y) {
    Fruit fruit;
    fruit.Start(1, x, y, 5);
    fruit.SetState(state);
    return fruit;
}

Hedgehog Walking(int x, int targetX) {
    Hedgehog hedgehog;
    hedgehog.Start(x, 373, targetX, 373);
    return hedgehog;
}

EdgeWalker Broom(int targetX) {
    EdgeWalker broom;
    broom.Start(300, 365, targetX, 34);
    return broom;
}

Caterpillar Crawling(int x) {
    Caterpillar caterpillar;
    caterpillar.Start(x, 405);
    caterpillar.SetTarget(0, 300);
    return caterpillar;
}

class GroundRulesTest : public ::testing::Test {
protected:
    void SetUp() override { SRand(7); }
};

TEST_F(GroundRulesTest, AHedgehogTakesAFreeFruitLyingUnderIt) {
    const Hedgehog hedgehog = Walking(100, 640);
    EXPECT_TRUE(HedgehogTakesFruit(hedgehog, FruitAt(Fruit::OnGround, 100, 396)));
    EXPECT_TRUE(HedgehogTakesFruit(hedgehog, FruitAt(Fruit::OnGround, 113, 396)));
    EXPECT_FALSE(HedgehogTakesFruit(hedgehog, FruitAt(Fruit::OnGround, 99, 396)));
    EXPECT_FALSE(HedgehogTakesFruit(hedgehog, FruitAt(Fruit::OnGround, 114, 396)));
    EXPECT_FALSE(HedgehogTakesFruit(hedgehog, FruitAt(Fruit::Rotting, 105, 396)));
    Fruit held = FruitAt(Fruit::OnGround, 105, 396);
    held.SetHeld(true);
    EXPECT_FALSE(HedgehogTakesFruit(hedgehog, held));

    Hedgehog sniffing = Walking(100, -50);
    sniffing.Sniff();
    EXPECT_TRUE(HedgehogTakesFruit(sniffing, FruitAt(Fruit::OnGround, 105, 396)));
    Hedgehog scared = Walking(100, 640);
    scared.Scare();
    EXPECT_FALSE(HedgehogTakesFruit(scared, FruitAt(Fruit::OnGround, 105, 396)));
    Hedgehog stunned = Walking(100, 640);
    stunned.SetStunned(true);
    EXPECT_FALSE(HedgehogTakesFruit(stunned, FruitAt(Fruit::OnGround, 105, 396)));
    Hedgehog leaving = Walking(100, 640);
    leaving.Leave();
    EXPECT_FALSE(HedgehogTakesFruit(leaving, FruitAt(Fruit::OnGround, 105, 396)));
}

TEST_F(GroundRulesTest, TheBroomSweepsWhatLiesWhollyUnderIt) {
    const EdgeWalker right = Broom(598); // 300..332
    const EdgeWalker left = Broom(1);    // 300..342
    EXPECT_TRUE(BroomSweepsFruit(right, FruitAt(Fruit::Rotting, 312, 396)));
    EXPECT_FALSE(BroomSweepsFruit(right, FruitAt(Fruit::Rotting, 313, 396)));
    EXPECT_TRUE(BroomSweepsFruit(left, FruitAt(Fruit::Rotting, 322, 396)));
    EXPECT_FALSE(BroomSweepsFruit(left, FruitAt(Fruit::Rotting, 299, 396)));
    EXPECT_FALSE(BroomSweepsFruit(left, FruitAt(Fruit::OnGround, 310, 396)));
    EXPECT_FALSE(BroomSweepsFruit(EdgeWalker(), FruitAt(Fruit::Rotting, 0, 396)));

    EXPECT_TRUE(BroomSweepsCaterpillar(right, Crawling(322)));
    EXPECT_FALSE(BroomSweepsCaterpillar(right, Crawling(323)));
    EXPECT_TRUE(BroomSweepsCaterpillar(left, Crawling(300)));
    EXPECT_FALSE(BroomSweepsCaterpillar(left, Crawling(299)));
    Caterpillar climbing;
    climbing.Start(310, 405);
    climbing.SetTarget(310, 300);
    climbing.Tick(20);
    ASSERT_EQ(climbing.GetState(), Caterpillar::ClimbingFromLeft);
    EXPECT_FALSE(BroomSweepsCaterpillar(left, climbing));

    EXPECT_TRUE(BroomMeetsHedgehog(right, Walking(261, 640)));
    EXPECT_TRUE(BroomMeetsHedgehog(right, Walking(339, 640)));
    EXPECT_FALSE(BroomMeetsHedgehog(right, Walking(260, 640)));
    EXPECT_FALSE(BroomMeetsHedgehog(right, Walking(340, 640)));
    EXPECT_FALSE(BroomMeetsHedgehog(EdgeWalker(), Walking(0, 640)));
}

TEST_F(GroundRulesTest, TheAutocarCollectsFruitComingDownWithinReach) {
    TargetWalker car;
    Fruit falling = FruitAt(Fruit::Ripe, 280, 380);
    falling.KnockDown(280, 380);
    EXPECT_FALSE(AutocarCollects(car, falling, false)); // not on the field
    car.Start(40);                                      // at x 270: reach 265..310
    EXPECT_TRUE(AutocarCollects(car, falling, false));
    EXPECT_TRUE(AutocarCollects(car, falling, true));
    EXPECT_TRUE(AutocarCollects(car, FruitAt(Fruit::Ripe, 265, 390), false));
    EXPECT_TRUE(AutocarCollects(car, FruitAt(Fruit::Ripe, 310, 385), false));
    EXPECT_FALSE(
        AutocarCollects(car, FruitAt(Fruit::Ripe, 290, 385), true)); // survival: falling only
    EXPECT_FALSE(AutocarCollects(car, FruitAt(Fruit::Ripe, 264, 385), false));
    EXPECT_FALSE(AutocarCollects(car, FruitAt(Fruit::Ripe, 311, 385), false));
    EXPECT_FALSE(AutocarCollects(car, FruitAt(Fruit::Ripe, 280, 379), false));
    EXPECT_FALSE(AutocarCollects(car, FruitAt(Fruit::Ripe, 280, 391), false));
}

} // namespace
} // namespace Vuro
