#include "game/rules/PlayField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace Vuro {
namespace {

void FillLevel(PlayField& field) {
    FruitTree tree;
    tree.Set(2, 1, 2, 3, 4, 2, 2);
    field.AddTree(tree);
    field.AddTree(tree);
    FruitBox box;
    box.Set(2, 0, 0, 0, 0);
    field.AddFruitBox(box);
    field.AddTimeLineEntry(10, 5);
    field.SetLevel(12);
    field.SetLevelTime(200);
    field.SetDay(false);
    field.SetEvent(PlayField::kEventHelpTip);
    field.SetSurvival(true);
    field.StartAmbient(1);
}

TEST(PlayField, ResetLevelClearsTheLevelsStateButNotTheGoals) {
    PlayField field;
    field.SetGoal(3, 8);
    FillLevel(field);
    field.ResetLevel();

    EXPECT_TRUE(field.IsDay());
    EXPECT_EQ(field.GetTreeCount(), 0);
    EXPECT_EQ(field.GetTreesOfKind(2), 0);
    EXPECT_TRUE(field.GetTrees().empty());
    EXPECT_EQ(field.GetBoxCount(), 0);
    EXPECT_TRUE(field.GetBoxes().empty());
    EXPECT_TRUE(field.GetTimeLine().empty());
    EXPECT_EQ(field.GetLevel(), 0);
    EXPECT_EQ(field.GetLevelTime(), 0);
    EXPECT_EQ(field.GetEvent(), PlayField::kEventNone);
    EXPECT_FALSE(field.IsSurvival());
    EXPECT_FALSE(field.IsEffectActive());
    EXPECT_EQ(field.GetEffectStep(), 0);
    EXPECT_FALSE(field.IsTimeUp());
    EXPECT_EQ(field.GetHelpTip(), 0);
    EXPECT_EQ(field.GetGoal(3), 8);
}

TEST(PlayField, ResetLevelSetsUpTheSkyAndAnimations) {
    PlayField field;
    FillLevel(field);
    field.ResetLevel();

    EXPECT_EQ(field.GetAmbient().mState, FrameAnim::kStopped);
    const FrameAnim& night = field.GetNightAnimation();
    EXPECT_EQ(night.mState, FrameAnim::kLooping);
    EXPECT_EQ(night.mX, 15);
    EXPECT_EQ(night.mY, 10);
    EXPECT_EQ(night.mPeriod, 100);
    EXPECT_EQ(night.mMaxFrame, 2);
    EXPECT_EQ(field.GetBob().mX, 100);
    EXPECT_EQ(field.GetBob().mY, 350);
    EXPECT_EQ(field.GetBob().mHalfSwing, 3);

    EXPECT_EQ(field.GetSkyLayer(0).mX, 0);
    EXPECT_EQ(field.GetSkyLayer(1).mX, 640);
    EXPECT_EQ(field.GetSkyLayer(1).mY, 0);
    EXPECT_EQ(field.GetSkyLayer(0).mPeriod, 12);
    EXPECT_EQ(field.GetSkyLayer(1).mPeriod, 12);
    EXPECT_EQ(field.GetLightningPeriod(), 6);

    const Drifter& sun = field.GetSun();
    EXPECT_EQ(sun.mState, Drifter::kDrifting);
    EXPECT_GE(sun.mX, 100);
    EXPECT_LT(sun.mX, 500);
    EXPECT_EQ(sun.mY, 1);
    EXPECT_EQ(sun.mStopX, -133);

    EXPECT_EQ(field.GetRain().mState, WeatherStepper::kGone);
    for (int i = 0; i < PlayField::kTimerCount; ++i) {
        EXPECT_EQ(field.GetTimer(i).mSeconds, 0);
        EXPECT_FALSE(field.GetTimer(i).mActive);
    }
    EXPECT_TRUE(field.IsSlingshotReady());
}

TEST(PlayField, TreesAndBoxesAreCountedByKind) {
    PlayField field;
    FruitTree tree;
    for (int kind : {1, 4, 4, 0, 7}) {
        tree.Set(kind, 0, 0, 0, 0, 1, 1);
        field.AddTree(tree);
    }
    EXPECT_EQ(field.GetTreeCount(), 5);
    EXPECT_EQ(field.GetTreesOfKind(1), 1);
    EXPECT_EQ(field.GetTreesOfKind(4), 2);
    EXPECT_EQ(field.GetTreesOfKind(2), 0);
    // A kind outside 1..4 counts as a tree of no kind.
    EXPECT_EQ(field.GetTreesOfKind(0), 0);
    EXPECT_EQ(field.GetTreesOfKind(7), 0);

    FruitBox box;
    field.AddFruitBox(box);
    EXPECT_EQ(field.GetBoxCount(), 1);
}

TEST(PlayField, GoalsOnlyForTheFourKinds) {
    PlayField field;
    for (int kind = 1; kind <= 4; ++kind) {
        field.SetGoal(kind, 0);
    }
    field.SetGoal(0, 5);
    field.SetGoal(5, 5);
    EXPECT_EQ(field.GetGoal(0), -1);
    EXPECT_EQ(field.GetGoal(5), -1);
    // No goal at all: reached at once.
    EXPECT_TRUE(field.IsGoalReached());

    field.SetGoal(2, -4);
    EXPECT_TRUE(field.IsGoalReached());
    field.SetGoal(2, 1);
    EXPECT_EQ(field.GetGoal(2), 1);
    EXPECT_FALSE(field.IsGoalReached());
}

TEST(PlayField, SurvivalAndStats) {
    PlayField field;
    field.SetSurvival(true);
    EXPECT_TRUE(field.IsSurvival());
    EXPECT_TRUE(field.IsEffectActive());
    EXPECT_EQ(field.GetEffectStep(), 2);
    field.SetSurvival(false);
    EXPECT_FALSE(field.IsSurvival());
    EXPECT_EQ(field.GetEffectStep(), 2); // clearing the flag leaves the effect to ResetLevel

    int stats[PlayField::kCounterCount];
    std::fill(std::begin(stats), std::end(stats), 99);
    field.GetStats(stats);
    for (int value : stats) {
        EXPECT_EQ(value, 0);
    }
}

TEST(PlayField, MousePositionIsKept) {
    PlayField field;
    field.SetMousePos(320, 240);
    EXPECT_EQ(field.GetMouseX(), 320);
    EXPECT_EQ(field.GetMouseY(), 240);
}

TEST(PlayField, StagesOfStoryAndSurvivalLevels) {
    const int ends[][2] = {{1, 1},  {6, 1},  {7, 2},  {13, 2}, {14, 3}, {21, 3}, {22, 4},
                           {27, 4}, {28, 5}, {35, 5}, {36, 6}, {43, 6}, {44, 44}};
    for (const auto& [level, stage] : ends) {
        EXPECT_EQ(PlayField::GetStage(false, level), stage) << level;
    }
    EXPECT_EQ(PlayField::GetStage(true, 4), 4);
    EXPECT_EQ(PlayField::GetStage(true, 6), 6);
}

TEST(PlayField, AmbientAnimationPerStage) {
    struct Expected {
        int stage, x, y, period, maxFrame;
    };
    for (const Expected& e : {Expected{1, 397, 9, 35, 3}, Expected{2, 504, 331, 150, 1},
                              Expected{3, 173, 323, 190, 1}, Expected{6, 174, 4, 70, 3}}) {
        PlayField field;
        field.StartAmbient(e.stage);
        const FrameAnim& ambient = field.GetAmbient();
        EXPECT_EQ(ambient.mState, FrameAnim::kLooping) << e.stage;
        EXPECT_EQ(ambient.mX, e.x);
        EXPECT_EQ(ambient.mY, e.y);
        EXPECT_EQ(ambient.mPeriod, e.period);
        EXPECT_EQ(ambient.mMaxFrame, e.maxFrame);
    }
    for (int stage : {4, 5, 44}) {
        PlayField field;
        field.StartAmbient(stage);
        EXPECT_EQ(field.GetAmbient().mState, FrameAnim::kStopped) << stage;
    }
}

} // namespace
} // namespace Vuro
