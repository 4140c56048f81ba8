#include "game/rules/Caterpillar.h"

#include "framework/util/MersenneTwister.h"
#include "game/rules/FruitTree.h"
#include "tests/game/rules/AnimTestHelpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

FruitTree Tree(int kind, int x, int y) {
    FruitTree tree;
    tree.Set(kind, x, y, x + 10, y + 10, 3, 3);
    return tree;
}

using CaterpillarTest = ::testing::Test;

TEST_F(CaterpillarTest, FromTheLeftItCrawlsRightThenClimbsWithFramesFourAndFive) {
    const std::vector<FruitTree> trees = {Tree(1, 150, 200)}; // trunk foot (216, 324)
    Caterpillar caterpillar;
    ASSERT_TRUE(caterpillar.StartFromFruit(2, 100, trees));
    EXPECT_EQ(caterpillar.GetX(), 100);
    EXPECT_EQ(caterpillar.GetY(), 405);
    EXPECT_EQ(caterpillar.GetTargetX(), 216);
    EXPECT_EQ(caterpillar.GetTargetY(), 324);
    EXPECT_EQ(caterpillar.GetState(), Caterpillar::CrawlingRight);

    RunTicks(caterpillar, 1, 18);
    EXPECT_FALSE(TickRedraws(caterpillar, 19));
    EXPECT_EQ(caterpillar.GetX(), 100);
    EXPECT_TRUE(TickRedraws(caterpillar, 20));
    EXPECT_EQ(caterpillar.GetX(), 101);
    EXPECT_EQ(caterpillar.GetFrame(), 2);
    caterpillar.Tick(40);
    EXPECT_EQ(caterpillar.GetFrame(), 3);
    RunTicks(caterpillar, 41, 2320); // 116 steps in all
    EXPECT_EQ(caterpillar.GetX(), 216);
    EXPECT_EQ(caterpillar.GetState(), Caterpillar::CrawlingRight);
    caterpillar.Tick(2340);
    EXPECT_EQ(caterpillar.GetState(), Caterpillar::ClimbingFromLeft);
    caterpillar.Tick(2360);
    EXPECT_EQ(caterpillar.GetY(), 404);
    EXPECT_EQ(caterpillar.GetFrame(), 4);
    caterpillar.Tick(2380);
    EXPECT_EQ(caterpillar.GetFrame(), 5);
    RunTicks(caterpillar, 2381, 3960); // 81 climbing steps
    EXPECT_EQ(caterpillar.GetY(), 324);
    EXPECT_EQ(caterpillar.GetFrame(), 4);
    EXPECT_TRUE(TickRedraws(caterpillar, 3980)) << "an arrived caterpillar is not drawn";
    EXPECT_EQ(caterpillar.GetState(), Caterpillar::Arrived);
    EXPECT_FALSE(TickRedraws(caterpillar, 4000));
    EXPECT_EQ(caterpillar.GetY(), 324);
}

TEST_F(CaterpillarTest, FromTheRightItCrawlsLeftThenClimbsWithFramesSixAndSeven) {
    Caterpillar caterpillar;
    caterpillar.Start(103, 405);
    caterpillar.SetTarget(101, 403);
    EXPECT_EQ(caterpillar.GetState(), Caterpillar::CrawlingLeft);
    const int frames[] = {1, 0, 0, 6, 7, 7};
    const int states[] = {1, 1, 2, 2, 2, 4};
    for (int step = 0; step < 6; ++step) {
        caterpillar.Tick(20 * (step + 1));
        EXPECT_EQ(caterpillar.GetFrame(), frames[step]) << step;
        EXPECT_EQ(caterpillar.GetState(), states[step]) << step;
    }
    EXPECT_EQ(caterpillar.GetX(), 101);
    EXPECT_EQ(caterpillar.GetY(), 403);
}

TEST_F(CaterpillarTest, TheTrunkFootDependsOnTheTreeKind) {
    const int dx[] = {66, 75, 71, 69};
    const int dy[] = {124, 112, 114, 114};
    for (int kind = 1; kind <= 4; ++kind) {
        Caterpillar caterpillar;
        caterpillar.Start(0, 405);
        caterpillar.SetTargetTree(Tree(kind, 300, 100));
        EXPECT_EQ(caterpillar.GetTargetX(), 300 + dx[kind - 1]);
        EXPECT_EQ(caterpillar.GetTargetY(), 100 + dy[kind - 1]);
    }
}

TEST_F(CaterpillarTest, OneDrawChoosesTheTreeAndOddCasesMakeNoCaterpillar) {
    const std::vector<FruitTree> trees = {Tree(1, 0, 100), Tree(2, 200, 100), Tree(3, 400, 100)};
    const int footX[] = {66, 275, 471};
    for (uint32_t seed : {11u, 12u, 13u, 14u, 15u, 16u}) {
        SRand(seed);
        const int index = Rand() % 3;
        SRand(seed);
        Caterpillar caterpillar;
        ASSERT_TRUE(caterpillar.StartFromFruit(4, 320, trees));
        EXPECT_EQ(caterpillar.GetTargetX(), footX[index]);
    }

    SRand(5);
    const int first = Rand();
    SRand(5);
    Caterpillar caterpillar;
    EXPECT_FALSE(caterpillar.StartFromFruit(0, 320, trees));
    EXPECT_FALSE(caterpillar.StartFromFruit(5, 320, trees));
    EXPECT_FALSE(caterpillar.StartFromFruit(1, 320, {})); // no trees: nothing to climb
    EXPECT_EQ(caterpillar.GetState(), Caterpillar::None);
    EXPECT_EQ(Rand(), first);
}

TEST_F(CaterpillarTest, SmokeTagIsClearedOnStart) {
    Caterpillar caterpillar;
    caterpillar.Start(10, 405);
    caterpillar.SetSmoked(true);
    EXPECT_TRUE(caterpillar.IsSmoked());
    caterpillar.Start(10, 405);
    EXPECT_FALSE(caterpillar.IsSmoked());
    caterpillar.Tick(20); // no target yet: it does not move
    EXPECT_EQ(caterpillar.GetX(), 10);
}

} // namespace
} // namespace Vuro
