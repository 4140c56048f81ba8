#include "game/rules/WeatherStepper.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

TEST(WeatherStepper, CrossesFrom640To246LeftIn8860Ticks) {
    WeatherStepper cloud;
    cloud.SetPos(640, 35);
    cloud.SetTarget(-246, 35);
    EXPECT_EQ(cloud.mState, WeatherStepper::kMovingLeft);

    RunTicks(cloud, 1, 9);
    EXPECT_EQ(cloud.mX, 640);
    EXPECT_TRUE(TickRedraws(cloud, 10));
    EXPECT_EQ(cloud.mX, 639);
    EXPECT_EQ(cloud.mFrame, 1);
    cloud.Tick(20);
    EXPECT_EQ(cloud.mFrame, 2);
    cloud.Tick(30);
    EXPECT_EQ(cloud.mX, 637);
    EXPECT_EQ(cloud.mFrame, 0);

    RunTicks(cloud, 31, 8850);
    EXPECT_EQ(cloud.mX, -245);
    EXPECT_EQ(cloud.mFrame, 0); // 885 moves
    EXPECT_TRUE(cloud.IsPresent());
    cloud.Tick(8860);
    EXPECT_EQ(cloud.mX, -246);
    EXPECT_EQ(cloud.mY, 35);
    EXPECT_EQ(cloud.mState, WeatherStepper::kGone);
    EXPECT_FALSE(cloud.IsPresent());
    EXPECT_FALSE(TickRedraws(cloud, 8870));
    EXPECT_EQ(cloud.mX, -246);
}

TEST(WeatherStepper, MovesRightTowardATargetOnItsRightAndStopsWhenSetOnItsTarget) {
    WeatherStepper cloud;
    cloud.SetPos(0, 35);
    cloud.SetTarget(3, 35);
    EXPECT_EQ(cloud.mState, WeatherStepper::kMovingRight);
    RunTicks(cloud, 1, 20);
    EXPECT_EQ(cloud.mX, 2);
    EXPECT_EQ(cloud.mFrame, 2);
    cloud.Tick(30);
    EXPECT_EQ(cloud.mX, 3);
    EXPECT_EQ(cloud.mFrame, 0);
    EXPECT_FALSE(cloud.IsPresent());

    // Already at its target: gone on its first move instead of drifting right for ever.
    WeatherStepper parked;
    parked.SetPos(5, 5);
    parked.SetTarget(5, 5);
    EXPECT_EQ(parked.mState, WeatherStepper::kMovingRight);
    parked.Tick(10);
    EXPECT_EQ(parked.mX, 5);
    EXPECT_FALSE(parked.IsPresent());
}

TEST(WeatherStepper, ResetIsGoneAndAnotherStateStandsStill) {
    WeatherStepper cloud;
    EXPECT_EQ(cloud.mState, WeatherStepper::kGone);
    EXPECT_EQ(cloud.mX, -1);
    EXPECT_EQ(cloud.mY, -1);
    EXPECT_EQ(cloud.mTargetX, -1);
    EXPECT_EQ(cloud.mTargetY, -1);
    cloud.SetPos(100, 35);
    cloud.SetTarget(0, 35);
    cloud.SetState(2);
    EXPECT_FALSE(TickRedraws(cloud, 10));
    EXPECT_EQ(cloud.mX, 100);
    EXPECT_TRUE(cloud.IsPresent());
    cloud.Reset();
    EXPECT_EQ(cloud.mX, -1);
    EXPECT_FALSE(cloud.IsPresent());
}

} // namespace
} // namespace Vuro
