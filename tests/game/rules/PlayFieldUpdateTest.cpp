#include "PlayFieldTestKit.h"

namespace Vuro::Testing {
namespace {

using PlayFieldUpdate = PlayFieldPlay;

TEST_F(PlayFieldUpdate, TheLevelIsLostWhenItsTimeRunsOutShortOfTheGoal) {
    mField.SetGoal(1, 1);
    mField.SetLevelTime(20);
    AddTree(1, 100, 150);
    mField.AddTimeLineEntry(1, 1);
    Run(20 * 60 - 1);
    EXPECT_FALSE(mField.IsTimeUp());
    Run(1);
    EXPECT_TRUE(mField.IsTimeUp());
    EXPECT_FALSE(mField.IsGoalReached());

    // From now on only the banner moves.
    const Fruit before = OnlyFruit();
    mField.AddTimeLineEntry(21, 6);
    Run(600);
    EXPECT_EQ(OnlyFruit().GetY(), before.GetY());
    EXPECT_EQ(OnlyFruit().GetState(), before.GetState());
    EXPECT_EQ(mField.GetElapsedSeconds(), 20);
    EXPECT_TRUE(mField.GetHedgehogs().empty());
}

TEST_F(PlayFieldUpdate, AStoryFruitRipensFallsAndRotsWithItsSoundsAndPenalty) {
    AddTree(1, 100, 150);
    mField.AddTimeLineEntry(1, 1);
    ASSERT_TRUE(RunUntilFruitState(Fruit::Ripe));
    EXPECT_EQ(mHost.mSamples, std::vector<int>{8});
    ASSERT_TRUE(RunUntilFruitState(Fruit::FallingFromTree));
    const int x = OnlyFruit().GetX(); // as the ripe fruit swayed
    EXPECT_EQ(mField.GetTrees()[0].GetCell(0, 0), FruitTree::kFreeCell);
    EXPECT_EQ(mField.GetAutocar().GetWaiting().at(OnlyFruit().GetCellId()), x - 5);
    ASSERT_TRUE(RunUntilFruitState(Fruit::OnGround));
    EXPECT_EQ(mHost.mSamples, (std::vector<int>{8, 9}));
    EXPECT_TRUE(mField.GetAutocar().GetWaiting().empty());
    ASSERT_EQ(mField.GetCaterpillars().size(), 1u);
    EXPECT_EQ(mField.GetCaterpillars()[0].GetX(), x);
    ASSERT_TRUE(RunUntilFruitState(Fruit::Rotting));
    EXPECT_EQ(mHost.mSamples, (std::vector<int>{8, 9, 10}));
    // The score was 0: the penalty takes nothing and its pop-up says so.
    EXPECT_EQ(mField.GetScore(), 0);
    EXPECT_EQ(LastNumberPopup().mValue, 0);
    EXPECT_TRUE(RunUntil([&] { return mField.GetFruit().empty(); }));
}

TEST_F(PlayFieldUpdate, AHedgehogCarriesOffAFruitLyingOnTheGround) {
    AddTree(1, 60, 150, 1, 400);
    mField.AddTimeLineEntry(1, 1);
    ASSERT_TRUE(RunUntilFruitState(Fruit::OnGround));
    const int cellId = OnlyFruit().GetCellId();
    const int x = OnlyFruit().GetX();
    AddHedgehogFrom(true);
    ASSERT_TRUE(RunUntil([&] { return mField.GetFruit().empty(); }, 600));
    const Hedgehog& hedgehog = mField.GetHedgehogs()[0];
    EXPECT_EQ(hedgehog.GetX(), x - 13);
    EXPECT_EQ(hedgehog.GetState(), Hedgehog::LeavingLeft);
    EXPECT_EQ(hedgehog.GetCarriedId(), cellId);
    EXPECT_EQ(mHost.mSamples.back(), 22);
    EXPECT_TRUE(RunUntil([&] { return mField.GetHedgehogs().empty(); }, 1000));
}

TEST_F(PlayFieldUpdate, ABirdTakesARipeningFruitAndBaresTheSurvivalTrees) {
    NewLevel(true);
    AddBirdFrom(Bird::Plain, true);
    AddTree(1, 50, mField.GetBirds()[0].GetY() + 15);
    mField.AddTimeLineEntry(1, 1);
    Run(5);
    EXPECT_EQ(mField.GetCollected(1), 1);
    AddBirdFrom(Bird::Plain, true); // a rival for the same fruit
    ASSERT_TRUE(RunUntil([&] { return mField.GetBirds()[1].HasFruitTarget(); }, 100));
    ASSERT_TRUE(RunUntil([&] { return mField.GetFruit().empty(); }, 100));
    const Bird& thief = mField.GetBirds()[0];
    EXPECT_TRUE(thief.IsCarrying());
    EXPECT_EQ(thief.GetState(), Bird::FlyingRight);
    EXPECT_EQ(thief.GetCarriedKind(), 1);
    EXPECT_EQ(mField.GetCollected(1), 0);
    EXPECT_EQ(LastNumberPopup().mValue, 0);
    EXPECT_EQ(mField.GetEvent(), PlayField::kEventNoFruitLeft);
    // The rival flies on rather than hovering where the fruit was; both leave the field.
    EXPECT_FALSE(mField.GetBirds()[1].HasFruitTarget());
    EXPECT_TRUE(RunUntil([&] { return mField.GetBirds().empty(); }, 1000));
}

TEST_F(PlayFieldUpdate, AKamikazeBirdKnocksDownAnyFruitInItsWay) {
    AddBirdFrom(Bird::Kamikaze, true);
    AddTree(2, 300, mField.GetBirds()[0].GetY() - 5);
    mField.AddTimeLineEntry(1, 2);
    ASSERT_TRUE(
        RunUntil([&] { return !mField.GetFruit().empty() && OnlyFruit().IsFalling(); }, 200));
    const Fruit& fruit = OnlyFruit();
    EXPECT_TRUE(fruit.IsTagged());
    EXPECT_EQ(fruit.GetState(), Fruit::UnripeKnocked);
    EXPECT_EQ(mField.GetTrees()[0].GetCell(0, 0), FruitTree::kFreeCell);
    EXPECT_EQ(mField.GetAutocar().GetWaiting().at(fruit.GetCellId()), 295);
    Run(20);
    EXPECT_EQ(mField.GetNumberPopups().size(), 1u) << "knocked once only";
}

TEST_F(PlayFieldUpdate, ASurvivalFruitFallsAfterTenMinutesAndEndsTheWave) {
    NewLevel(true);
    mField.SetLevelTime(1000);
    mField.SetGoal(1, 4);
    AddBox(1);
    AddTree(1, 100, 150);
    mField.AddTimeLineEntry(1, 1);
    Run(1);
    EXPECT_EQ(mField.GetBoxes()[0].GetCount(), 1);
    ASSERT_TRUE(RunUntilFruitState(Fruit::FallingFromTree, 700 * 60));
    EXPECT_GE(mTick, 600 * 60);
    EXPECT_EQ(mField.GetOnTrees(1), 0);
    EXPECT_EQ(mField.GetCollected(1), 1); // in survival: grown less taken
    EXPECT_EQ(mField.GetBoxes()[0].GetCount(), 0);
    EXPECT_EQ(mField.GetEvent(), PlayField::kEventNoFruitLeft);
    EXPECT_TRUE(mHost.mSamples.empty()) << "no ripening sound in survival";
}

TEST_F(PlayFieldUpdate, TheCursorAimsAtBirdsOverTheField) {
    struct Case {
        bool survival;
        bool customCursors;
        int mouseDy; // from the bird's top
        int mouseY;  // used instead when not 0
        int cursor;
        bool aiming;
    };
    const Case cases[] = {
        {false, true, -200, 0, 3, false}, {false, true, 0, 0, 4, true},
        {false, true, -21, 0, 3, false},  {false, true, -20, 0, 4, true},
        {true, true, -200, 0, 4, false},  {true, true, 0, 0, 4, true},
        {false, false, 0, 0, -1, true},   {false, true, 0, 421, -1, false},
        {false, true, 0, 420, 3, false},
    };
    for (const Case& c : cases) {
        NewLevel(c.survival);
        mField.SetCustomCursors(c.customCursors);
        AddBirdFrom(Bird::Plain, true);
        const Bird& bird = mField.GetBirds()[0];
        mField.SetMousePos(bird.GetX() + 30, c.mouseY != 0 ? c.mouseY : bird.GetY() + c.mouseDy);
        Run(1);
        EXPECT_EQ(mHost.mCursor, c.cursor) << c.survival << " " << c.mouseDy << " " << c.mouseY;
        EXPECT_EQ(mField.IsAimingAtBird(), c.aiming) << c.mouseDy << " " << c.mouseY;
    }
}

} // namespace
} // namespace Vuro::Testing
