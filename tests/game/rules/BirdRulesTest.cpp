#include "game/rules/BirdRules.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/Bird.h"
#include "game/rules/Fruit.h"
#include "game/rules/TargetWalker.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

Fruit FruitAt(int state, int x, int y, int cellId = 1) {
    Fruit fruit;
    fruit.Start(2, x, y, cellId);
    fruit.SetState(state);
    fruit.SetPicture(3);
    return fruit;
}

Bird Launched(int x, int y, int targetX, int kind) {
    Bird bird;
    bird.Launch(x, y, targetX, y, kind);
    return bird;
}

// Ticks the bird until it hovers at its fruit (at most limit ticks).
void FlyToFruit(Bird& bird, int limit) {
    for (int tick = 1; tick <= limit && bird.GetState() <= Bird::FlyingLeft; ++tick) {
        bird.Tick(tick);
    }
}

class BirdRulesTest : public ::testing::Test {
protected:
    void SetUp() override { SRand(99); }
};

TEST_F(BirdRulesTest, ANewBirdEntersFromASideAtARandomHeight) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        for (int kind = 0; kind <= 3; ++kind) {
            SRand(seed);
            const int height = Rand();
            const bool fromLeft = (Rand() & 1) != 0;
            const int y = kind == 3 ? (height % 3 + 11) * 20 : (height % 6 + 8) * 25;
            SRand(seed);
            Bird bird;
            LaunchFromEdge(bird, kind);
            EXPECT_EQ(bird.GetKind(), kind);
            EXPECT_EQ(bird.GetY(), y);
            EXPECT_EQ(bird.GetX(), fromLeft ? -50 : 640);
            EXPECT_EQ(bird.GetTargetX(), fromLeft ? 640 : -50);
            EXPECT_EQ(bird.GetState(), fromLeft ? Bird::FlyingRight : Bird::FlyingLeft);
            if (kind == 3) {
                EXPECT_TRUE(y == 220 || y == 240 || y == 260) << y;
            } else {
                EXPECT_TRUE(y >= 200 && y <= 325 && y % 25 == 0) << y;
            }
        }
    }
}

TEST_F(BirdRulesTest, StonesAndTheCursorMeetTheBirdsBox) {
    Bird bird = Launched(100, 200, 640, Bird::Plain); // x 100..154 for stones, y 200..242
    EXPECT_TRUE(StoneHits(bird, 100, 200, false));
    EXPECT_TRUE(StoneHits(bird, 154, 242, false));
    EXPECT_FALSE(StoneHits(bird, 99, 220, false));
    EXPECT_FALSE(StoneHits(bird, 155, 220, false));
    EXPECT_FALSE(StoneHits(bird, 120, 199, false));
    EXPECT_FALSE(StoneHits(bird, 120, 243, false));

    bird.SetHit(true);
    EXPECT_TRUE(StoneHits(bird, 120, 220, false));
    EXPECT_FALSE(StoneHits(bird, 120, 220, true));
    Bird stunned = Launched(100, 200, 640, Bird::Plain);
    stunned.SetStunned(true);
    EXPECT_FALSE(StoneHits(stunned, 120, 220, true));
    EXPECT_TRUE(StoneHits(stunned, 120, 220, false));

    Bird black = Launched(100, 200, 640, Bird::Black); // box 100..163 x 200..243
    EXPECT_TRUE(IsAimedAt(black, 80, 180));
    EXPECT_TRUE(IsAimedAt(black, 183, 263));
    EXPECT_FALSE(IsAimedAt(black, 79, 220));
    EXPECT_FALSE(IsAimedAt(black, 184, 220));
    EXPECT_FALSE(IsAimedAt(black, 120, 264));
}

TEST_F(BirdRulesTest, ShotPointsAndBonusItems) {
    EXPECT_EQ(ShotPoints(Launched(0, 200, 640, Bird::Plain)), 5);
    EXPECT_EQ(ShotPoints(Launched(0, 200, 640, Bird::Black)), 10);
    EXPECT_EQ(ShotPoints(Launched(0, 200, 640, Bird::White)), 5);
    EXPECT_EQ(ShotPoints(Launched(0, 200, 640, Bird::Kamikaze)), 20);
    Bird carrying = Launched(0, 200, 640, Bird::Kamikaze);
    carrying.SetCarrying(true);
    EXPECT_EQ(ShotPoints(carrying), 5);

    // A white bird always leaves one, without a draw.
    SRand(3);
    const int first = Rand();
    SRand(3);
    EXPECT_TRUE(LeavesBonusItem(Launched(0, 200, 640, Bird::White), false));
    EXPECT_TRUE(LeavesBonusItem(Launched(0, 200, 640, Bird::White), true));
    EXPECT_EQ(Rand(), first);

    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SRand(seed);
        const int draw = Rand();
        SRand(seed);
        EXPECT_EQ(LeavesBonusItem(Launched(0, 200, 640, Bird::Plain), false), draw % 10 == 5);
        SRand(seed);
        EXPECT_EQ(LeavesBonusItem(Launched(0, 200, 640, Bird::Black), true), draw % 5 == 2);
    }
}

TEST_F(BirdRulesTest, ABirdAimsAtTheFirstHangingFruitAhead) {
    const std::vector<Fruit> fruit = {
        FruitAt(Fruit::OnGround, 200, 396), FruitAt(Fruit::Ripe, 150, 230),
        FruitAt(Fruit::Growing, 200, 230),  FruitAt(Fruit::RipeningLate, 299, 230),
        FruitAt(Fruit::Ripe, 420, 230),
    };
    EXPECT_EQ(FindFruitToAim(Launched(100, 200, 640, Bird::Plain), fruit), 3);
    EXPECT_EQ(FindFruitToAim(Launched(99, 200, 640, Bird::Plain), fruit), 1); // 150 now inside
    EXPECT_EQ(FindFruitToAim(Launched(400, 200, 640, Bird::Plain), fruit), -1);
    EXPECT_EQ(FindFruitToAim(Launched(500, 200, -50, Bird::Plain), fruit), 4); // 299 not inside
    EXPECT_EQ(FindFruitToAim(Launched(470, 200, -50, Bird::Plain), fruit), 3);
    EXPECT_EQ(FindFruitToAim(Launched(349, 200, -50, Bird::Plain), fruit), 1);
    EXPECT_EQ(FindFruitToAim(Launched(200, 200, -50, Bird::Plain), fruit), -1);
    Bird leaving = Launched(100, 200, 640, Bird::Plain);
    leaving.FlyAway();
    EXPECT_EQ(FindFruitToAim(leaving, fruit), -1);
}

TEST_F(BirdRulesTest, ABirdThatAimsReachesAndTakesTheFruit) {
    for (int kind : {0, 1, 2}) {
        for (bool right : {true, false}) {
            Fruit fruit = FruitAt(Fruit::Ripe, 300, 240, 17);
            fruit.SetGolden(true);
            fruit.SetPicture(Fruit::kGoldenPicture);
            std::vector<Fruit> field = {fruit};
            Bird bird = right ? Launched(150, 250, 640, kind) : Launched(450, 250, -50, kind);
            ASSERT_EQ(FindFruitToAim(bird, field), 0);
            bird.AimAt(field[0]);
            EXPECT_FALSE(ReachesFruit(bird, field[0]));
            FlyToFruit(bird, 400);
            ASSERT_EQ(bird.GetState(), right ? Bird::AtFruitFlyingRight : Bird::AtFruitFlyingLeft);
            EXPECT_TRUE(ReachesFruit(bird, field[0])) << kind << right;

            TakeFruit(bird, field[0]);
            EXPECT_FALSE(field[0].IsGolden());
            EXPECT_EQ(field[0].GetPicture(), 2);
            EXPECT_TRUE(bird.IsCarrying());
            EXPECT_EQ(bird.GetState(), right ? Bird::FlyingRight : Bird::FlyingLeft);
            EXPECT_EQ(bird.GetCarriedPicture(), 2);
            EXPECT_EQ(bird.GetCarriedState(), Fruit::Ripe);
            EXPECT_EQ(bird.GetFruitTargetId(), 17);
        }
    }
}

TEST_F(BirdRulesTest, ReachingNeedsTheBeakAtTheFruit) {
    // Kind 0 hovering after flying right at (141, 215): x 142..200 across, beak 234, bottom 257.
    Bird bird = Launched(100, 200, 640, Bird::Plain);
    bird.AimAt(FruitAt(Fruit::Ripe, 200, 230));
    FlyToFruit(bird, 100);
    ASSERT_EQ(bird.GetX(), 141);
    EXPECT_TRUE(ReachesFruit(bird, FruitAt(Fruit::Ripe, 142, 230)));
    EXPECT_FALSE(ReachesFruit(bird, FruitAt(Fruit::Ripe, 141, 230)));
    EXPECT_FALSE(ReachesFruit(bird, FruitAt(Fruit::Ripe, 201, 230)));
    EXPECT_TRUE(ReachesFruit(bird, FruitAt(Fruit::Ripe, 170, 215))); // beak 19 down the fruit
    EXPECT_FALSE(ReachesFruit(bird, FruitAt(Fruit::Ripe, 170, 214)));
    EXPECT_TRUE(ReachesFruit(bird, FruitAt(Fruit::Ripe, 170, 257))); // top at the bottom
    EXPECT_FALSE(ReachesFruit(bird, FruitAt(Fruit::Ripe, 170, 258)));
    EXPECT_FALSE(
        ReachesFruit(Launched(141, 215, 640, Bird::Plain), FruitAt(Fruit::Ripe, 170, 230)));
}

TEST_F(BirdRulesTest, AKamikazeBirdKnocksFruitItMeetsBeakFirst) {
    const Fruit fruit = FruitAt(Fruit::Ripe, 200, 230);
    // Right edge x + 77 from 210 to 230, beak (its top) from 230 to 239.
    EXPECT_TRUE(KamikazeKnocks(Launched(133, 230, 640, Bird::Kamikaze), fruit));
    EXPECT_TRUE(KamikazeKnocks(Launched(153, 239, 640, Bird::Kamikaze), fruit));
    EXPECT_FALSE(KamikazeKnocks(Launched(132, 230, 640, Bird::Kamikaze), fruit));
    EXPECT_FALSE(KamikazeKnocks(Launched(154, 230, 640, Bird::Kamikaze), fruit));
    EXPECT_FALSE(KamikazeKnocks(Launched(140, 229, 640, Bird::Kamikaze), fruit));
    EXPECT_FALSE(KamikazeKnocks(Launched(140, 240, 640, Bird::Kamikaze), fruit));
    EXPECT_FALSE(KamikazeKnocks(Launched(140, 230, -50, Bird::Kamikaze), fruit));
    EXPECT_FALSE(KamikazeKnocks(Launched(140, 230, 640, Bird::Black), fruit));
    Fruit tagged = fruit;
    tagged.SetTagged(true);
    EXPECT_FALSE(KamikazeKnocks(Launched(140, 230, 640, Bird::Kamikaze), tagged));
    Fruit held = fruit;
    held.SetHeld(true);
    EXPECT_FALSE(KamikazeKnocks(Launched(140, 230, 640, Bird::Kamikaze), held));

    // Flying at 3 pixels a tick from x 100 it first meets the fruit on its 11th move (x 133).
    Bird bird = Launched(100, 232, 640, Bird::Kamikaze);
    int tick = 1;
    while (!KamikazeKnocks(bird, fruit) && tick < 100) {
        EXPECT_EQ(bird.Tick(tick++), Bird::TickAtFruit);
    }
    EXPECT_EQ(tick, 12);
    EXPECT_EQ(bird.GetX(), 133);
}

TEST_F(BirdRulesTest, AStruckBirdDropsItsFruitForTheAutocarToCollect) {
    Bird bird = Launched(100, 200, 640, Bird::Plain);
    std::vector<Fruit> field = {FruitAt(Fruit::Ripe, 200, 230, 17)};
    bird.AimAt(field[0]);
    FlyToFruit(bird, 100);
    TakeFruit(bird, field[0]);
    ASSERT_EQ(bird.GetX(), 141);
    ASSERT_EQ(bird.GetState(), Bird::FlyingRight);

    Fruit dropped = DropCarriedFruit(bird, true);
    bird.SetCarrying(false);
    EXPECT_FALSE(bird.IsCarrying());
    EXPECT_EQ(bird.GetFruitTargetId(), 0);
    EXPECT_EQ(dropped.GetX(), 178); // x + 37 while flying right
    EXPECT_EQ(dropped.GetY(), 238);
    EXPECT_EQ(dropped.GetKind(), 2);
    EXPECT_EQ(dropped.GetCellId(), 17);
    EXPECT_EQ(dropped.GetState(), Fruit::Ripe);
    EXPECT_EQ(dropped.GetPicture(), 3);
    EXPECT_TRUE(dropped.IsFalling());
    EXPECT_TRUE(dropped.IsLongLife());

    TargetWalker car;
    car.Start(40);
    car.AddTarget(dropped.GetCellId(), dropped.GetX() - 5);
    bool collectable = false;
    bool landed = false;
    for (int tick = 1; tick <= 400 && !landed; ++tick) {
        landed = dropped.Tick(tick) == Fruit::TickCameToRest;
        car.Tick(tick);
        if (dropped.GetY() >= 380 && dropped.GetY() <= 390 && car.Reaches(dropped.GetX())) {
            collectable = true;
        }
    }
    EXPECT_TRUE(landed);
    EXPECT_EQ(dropped.GetY(), 396);
    EXPECT_TRUE(collectable);
    EXPECT_EQ(car.GetX(), 173);
}

} // namespace
} // namespace Vuro
