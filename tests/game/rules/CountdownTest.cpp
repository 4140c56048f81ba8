#include "game/rules/Countdown.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

TEST(Countdown, RisesOnePixelEverySecondTick) {
    Countdown popup;
    popup.Start(100, 300, 30, 1);
    EXPECT_TRUE(popup.mActive);
    EXPECT_EQ(popup.mValue, 30);
    EXPECT_FALSE(TickRedraws(popup, 1));
    EXPECT_EQ(popup.mY, 300);
    EXPECT_TRUE(TickRedraws(popup, 2));
    EXPECT_EQ(popup.mY, 299);
    RunTicks(popup, 3, 60);
    EXPECT_EQ(popup.mY, 270);
    EXPECT_EQ(popup.mX, 100);
    EXPECT_EQ(popup.mSecondsLeft, 0);
}

TEST(Countdown, OneSecondLastsUntilTheTickAfterTheSecondBoundaryAfterNext) {
    Countdown popup;
    popup.Start(100, 300, 5, 1);
    RunTicks(popup, 1001, 1020);
    EXPECT_EQ(popup.mSecondsLeft, 0);
    RunTicks(popup, 1021, 1080);
    EXPECT_EQ(popup.mSecondsLeft, -1);
    EXPECT_TRUE(popup.mActive);
    EXPECT_EQ(popup.mY, 260);
    EXPECT_TRUE(TickRedraws(popup, 1081));
    EXPECT_FALSE(popup.mActive);
    // Ended: no more rising.
    RunTicks(popup, 1082, 1100);
    EXPECT_EQ(popup.mY, 260);
    EXPECT_EQ(popup.mSecondsLeft, -1);
}

TEST(Countdown, EndsAsSoonAsItRisesAboveTheTopEdge) {
    Countdown popup;
    popup.Start(10, 3, 5, 1);
    RunTicks(popup, 1, 7);
    EXPECT_EQ(popup.mY, 0);
    EXPECT_TRUE(popup.mActive);
    popup.Tick(8);
    EXPECT_EQ(popup.mY, -1);
    EXPECT_FALSE(popup.mActive);
}

TEST(Countdown, ResetIsInactive) {
    Countdown popup;
    popup.Start(1, 2, 3, 4);
    popup.Reset();
    EXPECT_FALSE(popup.mActive);
    EXPECT_FALSE(TickRedraws(popup, 2));
    EXPECT_EQ(popup.mY, 0);
}

} // namespace
} // namespace Vuro
