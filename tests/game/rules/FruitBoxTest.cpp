#include "game/rules/FruitBox.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

TEST(FruitBox, ResetAndSetKeepKindAndPlaces) {
    FruitBox box;
    for (int i = 0; i < FruitBox::kPlaceCount; ++i) {
        EXPECT_EQ(box.GetPlace(i), -1);
    }
    EXPECT_EQ(box.GetKind(), 0);
    EXPECT_EQ(box.GetCount(), 0);
    EXPECT_EQ(box.GetFill(), 0);

    box.Set(4, 11, 22, 33, 44);
    box.SetCount(5, 10);
    EXPECT_EQ(box.GetKind(), 4);
    EXPECT_EQ(box.GetPlace(0), 11);
    EXPECT_EQ(box.GetPlace(3), 44);

    box.Reset();
    EXPECT_EQ(box.GetPlace(1), -1);
    EXPECT_EQ(box.GetKind(), 0);
    EXPECT_EQ(box.GetCount(), 0);
    EXPECT_EQ(box.GetFill(), 0);
}

TEST(FruitBox, FillIsTheTruncatedTenthOfTheGoal) {
    FruitBox box;
    box.SetCount(0, 20);
    EXPECT_EQ(box.GetFill(), 0);
    box.SetCount(1, 20); // 0.5 truncates to 0, and a box with fruit shows at least 1
    EXPECT_EQ(box.GetFill(), 1);
    box.SetCount(3, 20); // 1.5
    EXPECT_EQ(box.GetFill(), 1);
    box.SetCount(4, 20);
    EXPECT_EQ(box.GetFill(), 2);
    box.SetCount(19, 20); // 9.5
    EXPECT_EQ(box.GetFill(), 9);
    box.SetCount(20, 20);
    EXPECT_EQ(box.GetFill(), 10);
    box.SetCount(35, 20);
    EXPECT_EQ(box.GetFill(), 10);
    box.SetCount(2, 7); // 2.857
    EXPECT_EQ(box.GetFill(), 2);
    box.SetCount(6, 7); // 8.571
    EXPECT_EQ(box.GetFill(), 8);
}

TEST(FruitBox, NoGoalShowsFullAtOnce) {
    FruitBox box;
    box.SetCount(0, 0);
    EXPECT_EQ(box.GetFill(), 10);
    box.SetCount(0, -1);
    EXPECT_EQ(box.GetFill(), 10);
}

TEST(FruitBox, AddFruitCountsUntilTheFillIsAskedFor) {
    FruitBox box;
    box.AddFruit(3);
    box.AddFruit(2);
    EXPECT_EQ(box.GetCount(), 5);
    EXPECT_EQ(box.GetFill(), 0);
    box.UpdateFill(10);
    EXPECT_EQ(box.GetFill(), 5);
}

TEST(FruitBox, NegativeCountsKeepTheGaugeAtZero) {
    FruitBox box;
    box.SetCount(-3, 10);
    EXPECT_EQ(box.GetFill(), 0);
}

} // namespace
} // namespace Vuro
