#include "game/rules/RiseFade.h"

#include "AnimTestHelpers.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Testing::RunTicks;
using Testing::TickRedraws;

TEST(RiseFade, SlidesInOver104TicksStaysItsSecondsAndSlidesOut) {
    RiseFade banner;
    banner.Start(3);
    EXPECT_TRUE(banner.mActive);
    EXPECT_EQ(banner.mOffset, -52);
    EXPECT_EQ(banner.mPhase, RiseFade::kSlidingIn);

    EXPECT_FALSE(TickRedraws(banner, 1));
    EXPECT_TRUE(TickRedraws(banner, 2));
    EXPECT_EQ(banner.mOffset, -51);
    RunTicks(banner, 3, 103);
    EXPECT_EQ(banner.mOffset, -1);
    EXPECT_EQ(banner.mPhase, RiseFade::kSlidingIn);
    banner.Tick(104);
    EXPECT_EQ(banner.mOffset, 0);
    EXPECT_EQ(banner.mPhase, RiseFade::kStaying);

    RunTicks(banner, 105, 239);
    EXPECT_EQ(banner.mSeconds, 1);
    EXPECT_EQ(banner.mOffset, 0);
    // The last second ends on tick 240, which is even: the slide out starts at once.
    banner.Tick(240);
    EXPECT_EQ(banner.mSeconds, 0);
    EXPECT_EQ(banner.mPhase, RiseFade::kSlidingOut);
    EXPECT_EQ(banner.mOffset, -1);
    RunTicks(banner, 241, 341);
    EXPECT_EQ(banner.mOffset, -51);
    EXPECT_TRUE(banner.mActive);
    EXPECT_TRUE(TickRedraws(banner, 342));
    EXPECT_EQ(banner.mOffset, -52);
    EXPECT_FALSE(banner.mActive);
    EXPECT_EQ(banner.mPhase, RiseFade::kIdle);
    EXPECT_FALSE(TickRedraws(banner, 344));
}

TEST(RiseFade, NoSecondsToStayTurnsBackOnTheTickAfterArriving) {
    RiseFade banner;
    banner.Start(0);
    RunTicks(banner, 1, 104);
    EXPECT_EQ(banner.mPhase, RiseFade::kStaying);
    banner.Tick(105);
    EXPECT_EQ(banner.mPhase, RiseFade::kSlidingOut);
    EXPECT_EQ(banner.mOffset, 0);
    RunTicks(banner, 106, 207);
    EXPECT_EQ(banner.mOffset, -51);
    banner.Tick(208);
    EXPECT_FALSE(banner.mActive);
}

TEST(RiseFade, AResetBannerStaysIdle) {
    RiseFade banner;
    banner.Start(3);
    banner.Reset();
    EXPECT_FALSE(banner.mActive);
    EXPECT_EQ(banner.mOffset, 0);
    EXPECT_EQ(banner.mPhase, RiseFade::kIdle);
    EXPECT_FALSE(TickRedraws(banner, 2));
    EXPECT_EQ(banner.mOffset, 0);
}

} // namespace
} // namespace Vuro
