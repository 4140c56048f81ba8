#include "game/rules/TargetWalker.h"

#include "tests/game/rules/AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

using TargetWalkerTest = ::testing::Test;

TEST_F(TargetWalkerTest, StartsAtHomeAndStaysWhileNothingFalls) {
    TargetWalker car;
    EXPECT_FALSE(car.IsPresent());
    car.Tick(60);
    EXPECT_EQ(car.GetState(), TargetWalker::Absent);
    car.Start(40);
    EXPECT_EQ(car.GetState(), TargetWalker::Choosing);
    EXPECT_EQ(car.GetX(), 270);
    EXPECT_EQ(car.GetY(), 377);
    EXPECT_EQ(car.GetSecondsLeft(), 40);
    RunTicks(car, 1, 599);
    EXPECT_FALSE(TickRedraws(car, 600)) << "waiting at home";
    EXPECT_EQ(car.GetState(), TargetWalker::Choosing);
    EXPECT_EQ(car.GetX(), 270);
    EXPECT_EQ(car.GetSecondsLeft(), 30);
}

TEST_F(TargetWalkerTest, CatchesTheNearestFallingFruitThenTheNextThenGoesHome) {
    TargetWalker car;
    car.Start(40);
    car.AddTarget(7, 400);
    car.AddTarget(9, 200);
    car.Tick(1);
    EXPECT_EQ(car.GetState(), TargetWalker::DrivingLeft);
    EXPECT_EQ(car.GetTargetId(), 9);
    EXPECT_EQ(car.GetTargetX(), 200);
    EXPECT_EQ(car.GetWaiting().size(), 1u);

    // 6 pixels every 5 ticks: 11 moves bring it to 204, the 12th stops on 200.
    RunTicks(car, 2, 55);
    EXPECT_EQ(car.GetX(), 204);
    EXPECT_EQ(car.GetFrame(), 2);
    EXPECT_TRUE(TickRedraws(car, 60));
    EXPECT_EQ(car.GetX(), 200);
    EXPECT_EQ(car.GetFrame(), 0);
    EXPECT_EQ(car.GetState(), TargetWalker::Arrived);
    EXPECT_TRUE(car.Reaches(195));
    EXPECT_TRUE(car.Reaches(240));
    EXPECT_FALSE(car.Reaches(194));
    EXPECT_FALSE(car.Reaches(241));

    // It waits while the fruit is still its target, then drives on once the field takes it.
    RunTicks(car, 61, 100);
    EXPECT_EQ(car.GetState(), TargetWalker::Arrived);
    car.RemoveTarget(9);
    EXPECT_EQ(car.GetTargetId(), 0);
    car.Tick(105);
    EXPECT_EQ(car.GetState(), TargetWalker::DrivingRight);
    EXPECT_EQ(car.GetTargetX(), 400);
    RunTicks(car, 106, 275); // 34 moves: 200 -> 400
    EXPECT_EQ(car.GetX(), 400);
    EXPECT_EQ(car.GetState(), TargetWalker::Arrived);

    car.RemoveTarget(7);
    car.Tick(280);
    EXPECT_EQ(car.GetState(), TargetWalker::HomeLeft);
    RunTicks(car, 281, 390); // 22 moves: 400 -> 270
    EXPECT_EQ(car.GetX(), 270);
    EXPECT_EQ(car.GetState(), TargetWalker::Arrived);
    car.Tick(395);
    EXPECT_EQ(car.GetState(), TargetWalker::Choosing);
}

TEST_F(TargetWalkerTest, TiesGoToTheFirstWaitingFruit) {
    TargetWalker car;
    car.Start(40);
    car.AddTarget(3, 300);
    car.AddTarget(2, 240);
    car.Tick(1);
    EXPECT_EQ(car.GetTargetId(), 2);
    EXPECT_EQ(car.GetState(), TargetWalker::DrivingLeft);
}

TEST_F(TargetWalkerTest, AWithdrawnTargetOrANewFruitMakesItChooseAgain) {
    TargetWalker car;
    car.Start(40);
    car.AddTarget(5, 100);
    car.Tick(1);
    car.Tick(5);
    EXPECT_EQ(car.GetX(), 264);
    car.RemoveTarget(5); // the fruit landed elsewhere
    car.Tick(10);
    EXPECT_EQ(car.GetState(), TargetWalker::HomeRight);
    car.AddTarget(6, 500);
    car.Tick(15);
    EXPECT_EQ(car.GetState(), TargetWalker::DrivingRight);
    EXPECT_EQ(car.GetTargetId(), 6);
    EXPECT_EQ(car.GetX(), 264);
}

TEST_F(TargetWalkerTest, ItStopsOnHomeRatherThanDrivingPastIt) {
    // Moves stop on their target, so a car 3 pixels from home does not swing about it.
    TargetWalker car;
    car.Start(40);
    car.AddTarget(1, 273);
    RunTicks(car, 1, 5);
    EXPECT_EQ(car.GetX(), 273);
    car.RemoveTarget(1);
    RunTicks(car, 6, 20);
    EXPECT_EQ(car.GetX(), 270);
    EXPECT_EQ(car.GetState(), TargetWalker::Choosing);
}

TEST_F(TargetWalkerTest, LeavesWhenItsSecondsRunOut) {
    TargetWalker car;
    car.AddTarget(4, 100);
    car.Start(1);
    EXPECT_EQ(car.GetWaiting().size(), 1u);
    RunTicks(car, 1, 60);
    EXPECT_EQ(car.GetSecondsLeft(), 0);
    EXPECT_TRUE(car.IsPresent());
    EXPECT_TRUE(TickRedraws(car, 61));
    EXPECT_FALSE(car.IsPresent());
    car.Reset();
    EXPECT_TRUE(car.GetWaiting().empty());
    EXPECT_EQ(car.GetX(), -1);
}

} // namespace
} // namespace Vuro
