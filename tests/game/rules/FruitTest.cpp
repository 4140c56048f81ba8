#include "game/rules/Fruit.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/FruitStateDurations.h"
#include "tests/game/rules/AnimTestHelpers.h"

#include <gtest/gtest.h>

#include <map>

namespace Vuro {
namespace {

using Testing::Redraws;
using Testing::TickRedraws;

// Ticks first..last and returns the non-zero results by tick.
std::map<int, int> RunTicks(Fruit& fruit, int first, int last) {
    std::map<int, int> results;
    for (int tick = first; tick <= last; ++tick) {
        int result = fruit.Tick(tick);
        if (result != Fruit::TickNothing) {
            results[tick] = result;
        }
    }
    return results;
}

Fruit StartedFruit(int x, int y) {
    SRand(4242);
    Fruit fruit;
    fruit.Start(2, x, y, 17);
    return fruit;
}

class FruitTest : public ::testing::Test {
protected:
    void TearDown() override { SetEasyMode(false); }
};

TEST_F(FruitTest, DurationsFollowTheDifficulty) {
    const int normal[] = {0, 3, 2, 2, 4, 10, 8, 20, 5, 10, 0};
    const int easy[] = {0, 3, 2, 2, 8, 10, 11, 16, 6, 10, 0};
    for (int state = 0; state <= 10; ++state) {
        EXPECT_EQ(FruitStateDurations(state), normal[state]) << state;
    }
    EXPECT_EQ(FruitStateDurations(-1), 0);
    SetEasyMode(true);
    for (int state = 0; state <= 10; ++state) {
        EXPECT_EQ(FruitStateDurations(state), easy[state]) << state;
    }
}

TEST_F(FruitTest, StartTakesTheSwayDirectionFromOneRandomDraw) {
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        SRand(seed);
        bool expectRight = (Rand() & 1) != 0;
        int following = Rand();
        SRand(seed);
        Fruit fruit;
        EXPECT_EQ(fruit.GetState(), Fruit::Finished);
        EXPECT_EQ(fruit.GetPicture(), 0);
        fruit.Start(3, 40, 60, 9);
        EXPECT_EQ(fruit.IsSwayRight(), expectRight);
        EXPECT_EQ(Rand(), following);
        EXPECT_EQ(fruit.GetKind(), 3);
        EXPECT_EQ(fruit.GetCellId(), 9);
        EXPECT_EQ(fruit.GetState(), Fruit::Growing);
        EXPECT_EQ(fruit.GetSecondsLeft(), 3);
        EXPECT_EQ(fruit.GetPicture(), 0);
        EXPECT_FALSE(fruit.IsFalling());
    }
}

TEST_F(FruitTest, AStoryFruitLivesThroughEveryStateOnTime) {
    // Started before tick 1: each state of n seconds ends on the (n + 1)-th second boundary.
    Fruit fruit = StartedFruit(100, 200);
    const int swayStep = fruit.IsSwayRight() ? 1 : -1;

    // Growing shows pictures 0, 1, 2, 3, then 1 when ripening starts at 240.
    const int pictureAt[][2] = {{59, 0}, {60, 1}, {119, 1}, {120, 2}, {180, 3}, {239, 3}};
    EXPECT_FALSE(TickRedraws(fruit, 1)) << "between seconds a growing fruit stays as it is";
    int tick = 2;
    for (auto [until, picture] : pictureAt) {
        EXPECT_TRUE(RunTicks(fruit, tick, until).empty());
        tick = until + 1;
        EXPECT_EQ(fruit.GetPicture(), picture) << "tick " << until;
        EXPECT_EQ(fruit.GetState(), Fruit::Growing);
    }
    EXPECT_EQ(fruit.GetSecondsLeft(), 0);
    EXPECT_TRUE(Redraws([&] { EXPECT_EQ(fruit.Tick(240), Fruit::TickNothing); }));
    EXPECT_EQ(fruit.GetState(), Fruit::Ripening);
    EXPECT_EQ(fruit.GetPicture(), 1);
    EXPECT_EQ(fruit.GetSecondsLeft(), 2);

    EXPECT_TRUE(RunTicks(fruit, 241, 420).empty());
    EXPECT_EQ(fruit.GetState(), Fruit::RipeningLate);
    EXPECT_EQ(fruit.GetPicture(), 2);

    EXPECT_EQ(RunTicks(fruit, 421, 600), (std::map<int, int>{{600, Fruit::TickBecameRipe}}));
    EXPECT_EQ(fruit.GetState(), Fruit::Ripe);
    EXPECT_EQ(fruit.GetPicture(), 2);
    EXPECT_EQ(fruit.GetSecondsLeft(), 4);
    EXPECT_EQ(fruit.GetX(), 100); // no sway on the tick it ripens

    // Ripe: sways every 15 ticks (615 .. 900, twenty steps, so it ends where it began).
    EXPECT_TRUE(RunTicks(fruit, 601, 613).empty());
    EXPECT_FALSE(TickRedraws(fruit, 614));
    EXPECT_TRUE(TickRedraws(fruit, 615));
    EXPECT_EQ(fruit.GetX(), 100 + swayStep);
    EXPECT_EQ(fruit.GetY(), 200 + swayStep);
    EXPECT_TRUE(RunTicks(fruit, 616, 630).empty());
    EXPECT_EQ(fruit.GetX(), 100);
    EXPECT_EQ(RunTicks(fruit, 631, 900), (std::map<int, int>{{900, Fruit::TickCameOffTree}}));
    EXPECT_EQ(fruit.GetState(), Fruit::FallingFromTree);
    EXPECT_EQ(fruit.GetPicture(), 3);
    EXPECT_EQ(fruit.GetX(), 100);
    EXPECT_EQ(fruit.GetY(), 200);

    // Falls a pixel a tick to 396 (tick 1096) and reports landing on the next tick.
    EXPECT_TRUE(TickRedraws(fruit, 901));
    EXPECT_TRUE(RunTicks(fruit, 902, 1096).empty());
    EXPECT_EQ(fruit.GetY(), 396);
    EXPECT_EQ(fruit.GetState(), Fruit::FallingFromTree);
    EXPECT_EQ(RunTicks(fruit, 1097, 1097), (std::map<int, int>{{1097, Fruit::TickCameToRest}}));
    EXPECT_EQ(fruit.GetState(), Fruit::OnGround);
    EXPECT_EQ(fruit.GetSecondsLeft(), 8);
    EXPECT_EQ(fruit.GetY(), 396);

    // On the ground 8 seconds: boundaries 1140 .. 1560 count down, 1620 starts rotting.
    EXPECT_EQ(RunTicks(fruit, 1098, 1620), (std::map<int, int>{{1620, Fruit::TickBeganToRot}}));
    EXPECT_EQ(fruit.GetState(), Fruit::Rotting);
    EXPECT_EQ(fruit.GetPicture(), 4);
    EXPECT_EQ(fruit.GetSecondsLeft(), 20);
    EXPECT_EQ(fruit.GetRestX(), 100);
    EXPECT_EQ(fruit.GetRestY(), 381);
    EXPECT_EQ(fruit.GetRotFrame(), 0);

    // Rotting frames 0, 1, 2, 0 every 15 ticks.
    const int frames[] = {1, 2, 0, 1};
    tick = 1621;
    for (int frame : frames) {
        RunTicks(fruit, tick, tick + 14);
        tick += 15;
        EXPECT_EQ(fruit.GetRotFrame(), frame);
    }

    // Twenty seconds of rotting: 1680 .. 2820 count down, 2880 finishes the fruit.
    EXPECT_TRUE(RunTicks(fruit, tick, 2879).empty());
    EXPECT_EQ(fruit.GetState(), Fruit::Rotting);
    EXPECT_EQ(fruit.GetSecondsLeft(), 0);
    EXPECT_TRUE(RunTicks(fruit, 2880, 2880).empty());
    EXPECT_EQ(fruit.GetState(), Fruit::Finished);
    EXPECT_EQ(fruit.GetPicture(), -1);
    EXPECT_TRUE(RunTicks(fruit, 2881, 3000).empty());
    EXPECT_EQ(fruit.GetState(), Fruit::Finished);
}

TEST_F(FruitTest, EasyModeKeepsRipeFruitLongerOnTheTree) {
    SetEasyMode(true);
    Fruit fruit = StartedFruit(100, 390);
    // Ripe at 600 for 8 seconds: off the tree at 600 + 9 * 60; on the ground at 396 after six
    // more ticks and the landing tick; then 11 seconds (boundaries 1200 .. 1800) to rotting.
    EXPECT_EQ(RunTicks(fruit, 1, 1147), (std::map<int, int>{{600, Fruit::TickBecameRipe},
                                                            {1140, Fruit::TickCameOffTree},
                                                            {1147, Fruit::TickCameToRest}}));
    EXPECT_EQ(fruit.GetSecondsLeft(), 11);
    EXPECT_EQ(RunTicks(fruit, 1148, 1860), (std::map<int, int>{{1860, Fruit::TickBeganToRot}}));
    EXPECT_EQ(fruit.GetSecondsLeft(), 16);
}

TEST_F(FruitTest, AKnockedDownRipeFruitLandsAt396AndReportsOnTheNextTick) {
    Fruit fruit = StartedFruit(100, 200);
    fruit.SetGolden(true);
    RunTicks(fruit, 1, 600);
    ASSERT_EQ(fruit.GetState(), Fruit::Ripe);
    EXPECT_EQ(fruit.GetPicture(), Fruit::kGoldenPicture);

    fruit.KnockDown(120, 390);
    EXPECT_FALSE(fruit.IsGolden());
    EXPECT_EQ(fruit.GetPicture(), 3);
    EXPECT_TRUE(fruit.IsFalling());
    EXPECT_EQ(fruit.GetX(), 120);
    EXPECT_EQ(fruit.GetY(), 390);

    // Falling does not sway, even on tick 615.
    EXPECT_TRUE(RunTicks(fruit, 610, 615).empty());
    EXPECT_EQ(fruit.GetY(), 396);
    EXPECT_EQ(fruit.GetX(), 120);
    EXPECT_FALSE(fruit.IsFalling());
    EXPECT_EQ(fruit.GetState(), Fruit::FallingFromTree);
    EXPECT_EQ(fruit.GetSecondsLeft(), 0);
    EXPECT_EQ(RunTicks(fruit, 616, 616), (std::map<int, int>{{616, Fruit::TickCameToRest}}));
    EXPECT_EQ(fruit.GetState(), Fruit::OnGround);
    EXPECT_EQ(fruit.GetY(), 396);
}

TEST_F(FruitTest, AKnockedDownGrowingFruitLandsUnripeAndVanishes) {
    Fruit fruit = StartedFruit(100, 200);
    fruit.KnockDown(50, 395);
    EXPECT_EQ(fruit.GetState(), Fruit::UnripeKnocked);
    EXPECT_EQ(fruit.GetPicture(), 1);
    // 396 .. 401: lands on the sixth tick, below 400.
    EXPECT_EQ(RunTicks(fruit, 11, 16), (std::map<int, int>{{16, Fruit::TickUnripeLanded}}));
    EXPECT_EQ(fruit.GetY(), 401);
    EXPECT_EQ(fruit.GetState(), Fruit::UnripeLanded);
    EXPECT_EQ(fruit.GetSecondsLeft(), 5);
    EXPECT_FALSE(fruit.IsFalling());
    // Five seconds on the boundaries 60 .. 300, gone at 360.
    EXPECT_TRUE(RunTicks(fruit, 17, 359).empty());
    EXPECT_EQ(fruit.GetState(), Fruit::UnripeLanded);
    EXPECT_TRUE(RunTicks(fruit, 360, 360).empty());
    EXPECT_EQ(fruit.GetState(), Fruit::Finished);
    EXPECT_EQ(fruit.GetPicture(), -1);
}

TEST_F(FruitTest, AHeldFruitNeitherMovesNorAgesAndReleasingFinishesIt) {
    Fruit fruit = StartedFruit(100, 200);
    fruit.KnockDown(100, 300);
    fruit.SetHeld(true);
    EXPECT_TRUE(RunTicks(fruit, 1, 1000).empty());
    EXPECT_FALSE(TickRedraws(fruit, 1020));
    EXPECT_EQ(fruit.GetY(), 300);
    EXPECT_EQ(fruit.GetState(), Fruit::UnripeKnocked);
    fruit.Advance();
    EXPECT_EQ(fruit.GetState(), Fruit::UnripeKnocked);
    fruit.SetHeld(false);
    EXPECT_EQ(fruit.GetState(), Fruit::Finished);
    EXPECT_FALSE(fruit.IsHeld());

    // A held rotting fruit keeps animating through four frames.
    Fruit rotting = StartedFruit(10, 10);
    rotting.SetState(Fruit::Rotting);
    rotting.SetHeld(true);
    const int frames[] = {1, 2, 3, 0, 1};
    int tick = 1;
    for (int frame : frames) {
        RunTicks(rotting, tick, tick + 14);
        tick += 15;
        EXPECT_EQ(rotting.GetRotFrame(), frame);
    }
    EXPECT_EQ(rotting.GetSecondsLeft(), 20);
}

TEST_F(FruitTest, LongLifeFruitRipenForTenMinutesAndRotInThreeSeconds) {
    Fruit fruit = StartedFruit(100, 200);
    fruit.SetLongLife(true);
    fruit.SetState(Fruit::RipeningLate);
    EXPECT_EQ(fruit.GetState(), Fruit::RipeningLate);
    EXPECT_EQ(fruit.GetPicture(), 2);
    EXPECT_EQ(fruit.GetSecondsLeft(), 600);
    EXPECT_EQ(RunTicks(fruit, 1, 601 * 60),
              (std::map<int, int>{{601 * 60, Fruit::TickBecameRipe}}));

    fruit.SetState(Fruit::OnGround);
    fruit.Advance();
    fruit.SetDuration();
    EXPECT_EQ(fruit.GetState(), Fruit::Rotting);
    EXPECT_EQ(fruit.GetSecondsLeft(), 3);

    // Without longLife SetState(3) is a plain change that keeps the picture.
    Fruit story = StartedFruit(0, 0);
    story.SetState(Fruit::RipeningLate);
    EXPECT_EQ(story.GetPicture(), 0);
    EXPECT_EQ(story.GetSecondsLeft(), 2);
}

TEST_F(FruitTest, SwayMovesOnlyARipeFruitHangingFree) {
    Fruit fruit = StartedFruit(100, 200);
    fruit.SetState(Fruit::Growing);
    fruit.Sway(15);
    EXPECT_EQ(fruit.GetX(), 100);

    fruit.SetState(Fruit::Ripe);
    const int step = fruit.IsSwayRight() ? 1 : -1;
    fruit.Sway(14);
    EXPECT_EQ(fruit.GetX(), 100);
    fruit.Sway(30);
    EXPECT_EQ(fruit.GetX(), 100 + step);
    EXPECT_EQ(fruit.GetY(), 200 + step);
    fruit.Sway(45);
    EXPECT_EQ(fruit.GetX(), 100);
    EXPECT_EQ(fruit.GetY(), 200);

    fruit.SetHeld(true);
    fruit.Sway(60);
    EXPECT_EQ(fruit.GetX(), 100);
}

} // namespace
} // namespace Vuro
