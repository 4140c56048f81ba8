#include "PlayFieldTestKit.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <tuple>

namespace Vuro::Testing {
namespace {

class PlayFieldMouse : public PlayFieldPlay {
protected:
    // Trees of kinds 1..4 with five cells each, full of fruit that ripen together.
    void GrowRipe() {
        for (int kind = 1; kind <= 4; ++kind) {
            AddTree(kind, 100 * kind, 250, 5);
            AddBox(kind);
            mField.SetGoal(kind, 10);
            for (int i = 0; i < 5; ++i) {
                mField.AddTimeLineEntry(1, kind);
            }
        }
        ASSERT_TRUE(RunUntil([&] {
            return !mField.GetFruit().empty() &&
                   std::all_of(mField.GetFruit().begin(), mField.GetFruit().end(),
                               [](const Fruit& f) { return f.GetState() == Fruit::Ripe; });
        }));
    }
    // Clicks the middle of the first fruit of the kind.
    void Pick(int kind) {
        for (const Fruit& fruit : mField.GetFruit()) {
            if (fruit.GetKind() == kind) {
                mField.MouseDown(fruit.GetX() + 10, fruit.GetY() + 10, 1);
                return;
            }
        }
        FAIL() << "no fruit of kind " << kind;
    }
    // Survival: the slingshot fires at x whenever it is ready.
    void Shoot(int x) { mField.MouseDown(x, 300, 1); }
    // A bird from the left takes the fruit of a one-cell apple tree in its way at tick 41.
    void BirdTakesFruit() {
        NewLevel(true);
        AddBirdFrom(Bird::Plain, true);
        AddTree(1, 50, mField.GetBirds()[0].GetY() + 15);
        mField.AddTimeLineEntry(1, 1);
    }
};

struct ComboCase {
    std::vector<int> kinds;
    std::vector<int> points; // score change of each pick
    int combo;               // the bonus pop-up of the last pick, 0 none
    int comboSample;
};

// Each case on a fresh field: the combo sequence runs on from one level to the next.
class PlayFieldCombo : public PlayFieldMouse, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(PlayFieldCombo, PickingRipeFruitIntoBoxesWithComboRewards) {
    const ComboCase& c = GetParam();
    GrowRipe();
    for (size_t i = 0; i < c.kinds.size(); ++i) {
        const int before = mField.GetScore();
        Pick(c.kinds[i]);
        EXPECT_EQ(mField.GetScore() - before, c.points[i]) << i;
        EXPECT_EQ(mHost.mSamples.back(), 13);
    }
    if (c.combo == 0) {
        EXPECT_TRUE(mField.GetBonusPopups().empty());
        EXPECT_EQ(LastNumberPopup().mValue, c.points.back());
    } else {
        EXPECT_EQ(mField.GetBonusPopups().back().mValue, c.combo);
        EXPECT_TRUE(mHost.Played(c.comboSample));
        // A combo's points show on its bonus pop-up only.
        const auto plain = std::count(c.points.begin(), c.points.end(), 14);
        EXPECT_EQ(mField.GetNumberPopups().size(), static_cast<size_t>(plain));
    }
    for (int kind = 1; kind <= 4; ++kind) {
        const int picked = static_cast<int>(std::count(c.kinds.begin(), c.kinds.end(), kind));
        EXPECT_EQ(mField.GetCollected(kind), picked);
        EXPECT_EQ(mField.GetBoxes()[static_cast<size_t>(kind - 1)].GetCount(), picked);
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, PlayFieldCombo,
                         ::testing::Values(ComboCase{{1, 2, 3, 4}, {14, 14, 14, 40}, 4, 16},
                                           ComboCase{{2, 2, 2}, {14, 14, 30}, 1, 16},
                                           ComboCase{{1, 2, 3, 3}, {14, 14, 14, 14}, 0, 0},
                                           ComboCase{
                                               {3, 3, 3, 3, 3}, {14, 14, 30, 14, 50}, 2, 26}));

// What a level shows and plays from, read through the field's getters.
void ExpectSameLevelState(const PlayField& field, const PlayField& fresh) {
    int stats[PlayField::kCounterCount];
    int freshStats[PlayField::kCounterCount];
    field.GetStats(stats);
    fresh.GetStats(freshStats);
    EXPECT_TRUE(std::equal(std::begin(stats), std::end(stats), std::begin(freshStats)));
    EXPECT_EQ(field.GetScore(), fresh.GetScore());
    EXPECT_EQ(field.GetLevel(), fresh.GetLevel());
    EXPECT_EQ(field.GetLevelTime(), fresh.GetLevelTime());
    EXPECT_EQ(field.GetElapsedSeconds(), fresh.GetElapsedSeconds());
    EXPECT_EQ(field.GetEvent(), fresh.GetEvent());
    EXPECT_EQ(field.IsTimeUp(), fresh.IsTimeUp());
    EXPECT_EQ(field.IsSurvival(), fresh.IsSurvival());
    EXPECT_EQ(field.GetTreeCount(), fresh.GetTreeCount());
    EXPECT_EQ(field.GetBoxCount(), fresh.GetBoxCount());
    for (int kind = 1; kind <= kFruitKinds; ++kind) {
        EXPECT_EQ(field.GetOnTrees(kind), fresh.GetOnTrees(kind)) << kind;
    }
    EXPECT_EQ(field.GetFruit().size(), fresh.GetFruit().size());
    EXPECT_EQ(field.GetTimeLine().size(), fresh.GetTimeLine().size());
    EXPECT_EQ(field.GetNumberPopups().size(), fresh.GetNumberPopups().size());
    EXPECT_EQ(field.GetBonusPopups().size(), fresh.GetBonusPopups().size());
    EXPECT_EQ(field.GetBonusItems().size(), fresh.GetBonusItems().size());
    for (int i = 0; i < PlayField::kTimerCount; ++i) {
        EXPECT_EQ(field.GetTimer(i).mActive, fresh.GetTimer(i).mActive) << i;
        EXPECT_EQ(field.GetTimer(i).mSeconds, fresh.GetTimer(i).mSeconds) << i;
    }
    EXPECT_EQ(field.IsSlingshotReady(), fresh.IsSlingshotReady());
    EXPECT_EQ(field.GetShotsSinceReady(), fresh.GetShotsSinceReady());
    EXPECT_EQ(field.GetBroom().IsPresent(), fresh.GetBroom().IsPresent());
    EXPECT_EQ(field.GetAutocar().IsPresent(), fresh.GetAutocar().IsPresent());
    const WeatherStepper& rain = field.GetRain();
    const WeatherStepper& freshRain = fresh.GetRain();
    EXPECT_EQ(std::make_tuple(rain.mState, rain.mX, rain.mY, rain.mFrame),
              std::make_tuple(freshRain.mState, freshRain.mX, freshRain.mY, freshRain.mFrame));
    const Drifter& sun = field.GetSun();
    const Drifter& freshSun = fresh.GetSun();
    EXPECT_EQ(std::make_tuple(sun.mState, sun.mX, sun.mY, sun.mFrame),
              std::make_tuple(freshSun.mState, freshSun.mX, freshSun.mY, freshSun.mFrame));
    for (int i = 0; i < PlayField::kSkyLayerCount; ++i) {
        EXPECT_EQ(field.GetSkyLayer(i).mX, fresh.GetSkyLayer(i).mX) << i;
    }
    EXPECT_EQ(field.GetNightAnimation().mFrame, fresh.GetNightAnimation().mFrame);
    EXPECT_EQ(field.GetBob().mOffset, fresh.GetBob().mOffset);
    EXPECT_EQ(field.GetBob().mStepsLeft, fresh.GetBob().mStepsLeft);
}

// A level reset whole starts where a new field starts (the sun drawn from the same seed), while
// the banner and the combo sequence run on into the next level.
TEST_F(PlayFieldMouse, ANewLevelStartsAsANewFieldWhileTheBannerAndTheComboRunOn) {
    mField.AddTimeLineEntry(1, 15); // the banner
    mField.AddTimeLineEntry(1, 5);  // the rain cloud
    GrowRipe();
    AddBonusItemOfKind(1, 300, 300); // the double shot
    ClickNewestBonusItem();
    Pick(1);
    Pick(2);
    Pick(3);
    ASSERT_TRUE(mField.GetRain().IsPresent());
    ASSERT_GT(mField.GetScore(), 0);

    SRand(99);
    PlayField fresh;
    SRand(99);
    mField.ResetLevel();
    ExpectSameLevelState(mField, fresh);
    EXPECT_EQ(mField.GetGoal(1), 10);
    EXPECT_TRUE(mField.GetBanner().mActive);

    // The next level: its first pick completes the four kinds begun in the last one.
    mField.SetLevel(2);
    mField.SetLevelTime(600);
    GrowRipe();
    Pick(4);
    ASSERT_FALSE(mField.GetBonusPopups().empty());
    EXPECT_EQ(mField.GetBonusPopups().back().mValue, ComboSequence::kAllFourKinds);
    EXPECT_EQ(mField.GetScore(), 40);
}

TEST_F(PlayFieldMouse, PointsOfAPickByTheFruitsState) {
    struct Case {
        int state;
        int points;
        bool collected;
    };
    const Case cases[] = {
        {Fruit::Growing, 2, false},         {Fruit::Ripening, 6, true},
        {Fruit::RipeningLate, 10, true},    {Fruit::Ripe, 14, true},
        {Fruit::FallingFromTree, 12, true}, {Fruit::OnGround, 4, true},
        {Fruit::Rotting, 1, false},
    };
    for (const Case& c : cases) {
        NewLevel();
        AddTree(2, 300, 250, 1, 500);
        AddBox(2);
        mField.AddTimeLineEntry(1, 2);
        ASSERT_TRUE(RunUntilFruitState(c.state));
        // Right of the middle, clear of the caterpillar that comes where it lands.
        mField.MouseDown(OnlyFruit().GetX() + 15, OnlyFruit().GetY() + 10, 1);
        EXPECT_TRUE(mField.GetFruit().empty()) << c.state;
        EXPECT_EQ(mField.GetScore(), c.points) << c.state;
        EXPECT_EQ(LastNumberPopup().mValue, c.points) << c.state;
        EXPECT_EQ(mField.GetBoxes()[0].GetCount(), c.collected ? 1 : 0) << c.state;
        EXPECT_EQ(mField.GetTrees()[0].GetCell(0, 0), FruitTree::kFreeCell);
    }
}

// The pick box is a fifth of the anim sheet's width (six 20-pixel cels: 24) by its height,
// edges included.
TEST_F(PlayFieldMouse, AFruitIsPickedWithinAFifthOfItsSheetsWidthAndItsHeight) {
    struct Case {
        int dx, dy;
        bool picked;
    };
    for (Case c : {Case{0, 0, true}, Case{24, 20, true}, Case{25, 10, false}, Case{10, 21, false},
                   Case{-1, 10, false}, Case{10, -1, false}}) {
        NewLevel();
        AddTree(1, 300, 250);
        mField.AddTimeLineEntry(1, 1);
        Run(60);
        mField.MouseDown(OnlyFruit().GetX() + c.dx, OnlyFruit().GetY() + c.dy, 1);
        EXPECT_EQ(mField.GetFruit().empty(), c.picked) << c.dx << "," << c.dy;
    }
}

TEST_F(PlayFieldMouse, FiveUnripePicksBelowLevel14ShowTheWarning) {
    for (int level : {13, 14}) {
        NewLevel(false, level);
        AddTree(1, 100, 250, 3);
        AddTree(1, 300, 250, 3);
        for (int i = 0; i < 5; ++i) {
            mField.AddTimeLineEntry(1, 1);
        }
        Run(60);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(mField.GetEvent(), PlayField::kEventNone);
            Pick(1);
        }
        EXPECT_EQ(mField.GetHelpTip(), level < 14 ? 100 : 0);
        EXPECT_EQ(mField.GetEvent(), level < 14 ? PlayField::kEventHelpTip : 0);
    }
}

TEST_F(PlayFieldMouse, TheSideButtonsAndTheRightButton) {
    struct Case {
        bool survival;
        int x, y, clickCount, event;
    };
    const Case cases[] = {
        {false, 600, 430, 1, 2}, {false, 600, 460, 1, 1}, {false, 600, 420, 1, 0},
        {false, 600, 450, 1, 0}, {false, 564, 460, 1, 0}, {false, 600, 460, -1, 1},
        {true, 565, 421, 1, 2},  {true, 600, 451, 1, 1},  {true, 600, 460, -1, 0},
    };
    for (const Case& c : cases) {
        mField.SetSurvival(c.survival);
        mField.SetEvent(PlayField::kEventNone);
        mField.MouseDown(c.x, c.y, c.clickCount);
        EXPECT_EQ(mField.GetEvent(), c.event) << c.survival << " " << c.x << "," << c.y;
    }
}

TEST_F(PlayFieldMouse, WhatEachBonusItemGives) {
    struct Case {
        int kind;
        bool easy;
        int points;
        std::vector<int> samples;
        std::vector<int> music;
        std::function<void()> check;
    };
    const Case cases[] = {
        {0, false, 30, {14, 5}, {}, nullptr},
        {0, true, 50, {14, 5}, {}, nullptr},
        {1,
         false,
         5,
         {14, 20},
         {},
         [&] { EXPECT_EQ(mField.GetTimer(PlayField::kTimerDoubleShot).mSeconds, 15); }},
        {2,
         false,
         5,
         {14, 21},
         {},
         [&] {
             ASSERT_EQ(mField.GetSmoke().size(), 2u);
             EXPECT_EQ(mField.GetSmoke()[1].mX, mField.GetCaterpillars()[1].GetX());
             RunToSecond();
             EXPECT_TRUE(mField.GetCaterpillars().empty());
             EXPECT_EQ(mField.GetSmoke().size(), 2u);
             Run(60);
             EXPECT_TRUE(mField.GetSmoke().empty());
         }},
        {4,
         false,
         5,
         {14, 24},
         {11},
         [&] {
             EXPECT_EQ(mField.GetBroom().GetSecondsLeft(), 34);
             EXPECT_EQ(mField.GetMagicShots().back().mX, 290);
             EXPECT_EQ(mField.GetMagicShots().back().mY, 350);
         }},
        {5,
         false,
         5,
         {14, 24},
         {},
         [&] {
             EXPECT_EQ(mField.GetAutocar().GetSecondsLeft(), 40);
             EXPECT_EQ(mField.GetMagicShots().back().mX, 260);
         }},
        {5, true, 5, {14, 24}, {}, [&] { EXPECT_EQ(mField.GetAutocar().GetSecondsLeft(), 60); }},
        {6,
         false,
         5,
         {14},
         {10},
         [&] { EXPECT_EQ(mField.GetTimer(PlayField::kTimerStopPhase).mSeconds, 5); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        NewLevel();
        mHost.mEasy = c.easy;
        AddTree(1, 60, 150, 1, 400);
        mField.AddCaterpillar(1, 100);
        mField.AddCaterpillar(1, 200);
        AddBonusItemOfKind(c.kind, 300, 300);
        ClickNewestBonusItem();
        EXPECT_TRUE(mField.GetBonusItems().empty());
        EXPECT_EQ(mField.GetScore(), c.points);
        EXPECT_EQ(mHost.mSamples, c.samples);
        EXPECT_EQ(mHost.mMusic, c.music);
        if (c.check) {
            c.check();
        }
    }
}

TEST_F(PlayFieldMouse, TheSlingshotReloadsAfter35Ticks) {
    for (bool doubleShot : {false, true}) {
        NewLevel(true);
        if (doubleShot) {
            AddBonusItemOfKind(1, 300, 300);
            ClickNewestBonusItem();
        }
        RunUntil([&] { return mTick % 10 == 5; });
        const int shotAt = mTick;
        Shoot(100);
        EXPECT_EQ(mField.IsSlingshotReady(), doubleShot);
        Shoot(200);
        Shoot(300);
        EXPECT_EQ(mField.GetStones().size(), doubleShot ? 2u : 1u);
        EXPECT_FALSE(mField.IsSlingshotReady());
        Run(shotAt + 35 - mTick - 1);
        EXPECT_FALSE(mField.IsSlingshotReady());
        Run(1); // the first tenth tick 35 after the shot
        EXPECT_TRUE(mField.IsSlingshotReady());
        EXPECT_EQ(mField.GetShotsSinceReady(), 0);
    }
}

TEST_F(PlayFieldMouse, AStoneKnocksAThiefDownAndTheAutocarCatchesTheFruit) {
    BirdTakesFruit();
    AddBonusItemOfKind(5, 300, 300);
    ClickNewestBonusItem();
    ASSERT_TRUE(RunUntil([&] { return mField.GetBirds()[0].GetX() == 240; }, 400));
    ASSERT_TRUE(mField.GetBirds()[0].IsCarrying());
    const int scoreBefore = mField.GetScore();
    // Aimed ahead by what the bird flies while the stone rises to it.
    Shoot(240 + 27 + (363 - mField.GetBirds()[0].GetY()) / 9);
    ASSERT_TRUE(RunUntil([&] { return mField.GetBirds()[0].IsHit(); }, 30));
    EXPECT_FALSE(mField.GetBirds()[0].IsCarrying());
    EXPECT_TRUE(mField.GetStones().empty());
    EXPECT_EQ(mField.GetScore() - scoreBefore, 5);
    EXPECT_EQ(LastNumberPopup().mValue, 5);
    int stats[PlayField::kCounterCount];
    mField.GetStats(stats);
    EXPECT_EQ(stats[8], 1) << "shot birds of kind 0";
    EXPECT_EQ(mField.GetFlashes().size(), 1u);
    EXPECT_TRUE(mHost.Played(6));
    EXPECT_TRUE(OnlyFruit().IsFalling());
    EXPECT_EQ(OnlyFruit().GetState(), Fruit::RipeningLate);

    ASSERT_TRUE(RunUntil([&] { return mField.GetFruit().empty(); }, 300));
    EXPECT_EQ(mHost.mSamples.back(), 13);
    EXPECT_EQ(mField.GetScore() - scoreBefore, 10);
    EXPECT_GE(mField.GetBirds()[0].GetState(), Bird::LeavingLeft);
}

TEST_F(PlayFieldMouse, TheStopPhaseHoldsTimeAndBirdsButNotStones) {
    NewLevel(true);
    mField.AddTimeLineEntry(3, 6);
    AddBirdFrom(Bird::Plain, true);
    AddBonusItemOfKind(4, 300, 300); // the broom, to hear it again afterwards
    ClickNewestBonusItem();
    AddBonusItemOfKind(6, 300, 300);
    ClickNewestBonusItem();
    const int elapsed = mField.GetElapsedSeconds();
    const int birdX = mField.GetBirds()[0].GetX();
    const int broomX = mField.GetBroom().GetX();
    mHost.mMusic.clear();

    // A bonus item may be taken at once, and a stone still strikes the bird.
    AddBonusItemOfKind(0, 100, 100);
    mField.MouseDown(105, 105, 1);
    EXPECT_TRUE(mField.GetBonusItems().empty());
    Shoot(birdX + 27);
    ASSERT_TRUE(RunUntil([&] { return mField.GetBirds()[0].IsHit(); }, 40));
    EXPECT_EQ(mField.GetBirds()[0].GetX(), birdX);

    // Five seconds counted down to 0; the phase ends when the count goes below.
    RunToSecond();
    Run(4 * 60);
    EXPECT_TRUE(mField.GetTimer(PlayField::kTimerStopPhase).mActive);
    EXPECT_EQ(mField.GetElapsedSeconds(), elapsed);
    EXPECT_EQ(mField.GetBroom().GetX(), broomX);
    EXPECT_TRUE(mField.GetHedgehogs().empty());
    EXPECT_TRUE(mHost.mMusic.empty());
    Run(60);
    EXPECT_FALSE(mField.GetTimer(PlayField::kTimerStopPhase).mActive);
    EXPECT_EQ(mHost.mMusic, (std::vector<int>{-10, 11}));
    Run(60);
    EXPECT_EQ(mField.GetElapsedSeconds(), elapsed + 1);
    EXPECT_EQ(mField.GetHedgehogs().size(), 1u);
}

TEST_F(PlayFieldMouse, LightningStunsBirdsAndDropsWhatTheyCarry) {
    BirdTakesFruit();
    AddBirdFrom(Bird::Black, false);
    ASSERT_TRUE(RunUntil([&] { return mField.GetBirds()[0].IsCarrying(); }, 200));
    AddBonusItemOfKind(3, 300, 100);
    ClickNewestBonusItem();
    EXPECT_TRUE(mField.IsLightning());
    EXPECT_EQ(mHost.mSamples.back(), 12);
    EXPECT_EQ(mField.GetScore(), 5 + 10 + 5);
    const std::vector<Countdown>& popups = mField.GetNumberPopups();
    EXPECT_EQ(popups[popups.size() - 2].mValue, 10) << "the carrier's pop-up shows its points";
    EXPECT_EQ(popups.back().mValue, 5);
    for (const Bird& bird : mField.GetBirds()) {
        EXPECT_TRUE(bird.IsStunned());
    }
    EXPECT_TRUE(OnlyFruit().IsFalling());
    // A second strike while this one lasts gives nothing.
    AddBonusItemOfKind(3, 300, 100);
    ClickNewestBonusItem();
    EXPECT_EQ(mField.GetScore(), 20);

    ASSERT_TRUE(
        RunUntil([&] { return !mField.GetTimer(PlayField::kTimerLightning).mActive; }, 130));
    for (const Bird& bird : mField.GetBirds()) {
        EXPECT_FALSE(bird.IsStunned());
        EXPECT_GE(bird.GetState(), Bird::LeavingLeft);
    }
    EXPECT_FALSE(mField.IsLightning());
}

TEST_F(PlayFieldMouse, LightningMakesAHedgehogPutItsFruitDown) {
    AddTree(1, 560, 150);
    mField.AddTimeLineEntry(1, 1);
    ASSERT_TRUE(RunUntilFruitState(Fruit::OnGround));
    AddHedgehogFrom(false);
    ASSERT_TRUE(RunUntil([&] { return mField.GetFruit().empty(); }, 1000));
    AddBonusItemOfKind(3, 300, 100);
    ClickNewestBonusItem();
    const Hedgehog& hedgehog = mField.GetHedgehogs()[0];
    EXPECT_TRUE(hedgehog.IsStunned());
    EXPECT_EQ(LastNumberPopup().mValue, 5);
    EXPECT_EQ(OnlyFruit().GetState(), Fruit::OnGround);
    EXPECT_EQ(OnlyFruit().GetX(), hedgehog.GetX() + 10);
    EXPECT_EQ(OnlyFruit().GetY(), 396);
    // It stands right over the fruit, but a stunned hedgehog takes nothing.
    ASSERT_TRUE(RunUntil([&] { return !mField.GetHedgehogs()[0].IsStunned(); }, 120));
    EXPECT_EQ(mField.GetHedgehogs()[0].GetState(), Hedgehog::LeavingRight);
    EXPECT_EQ(mField.GetFruit().size(), 1u);
}

TEST_F(PlayFieldMouse, ThePopupShowsWhatAPenaltyReallyTook) {
    AddTree(1, 60, 150, 1, 60); // trunk foot at x 126
    mField.AddCaterpillar(1, 300);
    mField.AddCaterpillar(1, 120);
    mField.MouseDown(305, 410, 1); // the first is caught: +1
    EXPECT_EQ(LastNumberPopup().mValue, 1);
    // The second reaches the foot of the trunk, climbs it and costs 3, of which 1 was there.
    ASSERT_TRUE(RunUntil([&] { return mField.GetCaterpillars().empty(); }));
    EXPECT_EQ(mField.GetScore(), 0);
    EXPECT_EQ(LastNumberPopup().mValue, -1);
    EXPECT_EQ(mHost.mSamples, (std::vector<int>{22, 22}));
}

TEST_F(PlayFieldMouse, TheLevelIsWonWhenTheGoalIsMetByTimeUp) {
    NewLevel(false, 12);
    mField.SetGoal(1, 1);
    mField.SetLevelTime(20);
    AddTree(1, 100, 250);
    mField.AddTimeLineEntry(1, 1);
    ASSERT_TRUE(RunUntilFruitState(Fruit::Ripe));
    mField.MouseDown(520, 350, 1); // the frog of levels 11..13
    EXPECT_EQ(mHost.mSamples.back(), 28);
    Pick(1);
    Run(20 * 60);
    EXPECT_TRUE(mField.IsTimeUp());
    EXPECT_TRUE(mField.IsGoalReached());
}

} // namespace
} // namespace Vuro::Testing
