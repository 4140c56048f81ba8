#include "PlayFieldTestKit.h"

#include <ostream>
#include <tuple>

namespace Vuro::Testing {
namespace {

// What a time-line entry may change, read from the field and its host.
struct Outcome {
    int fruitKind = 0; // of the one fruit grown
    int birdKind = -1; // of the one bird come (its appeared counter checked too)
    int hedgehogs = 0;
    bool rain = false;
    bool timeUp = false;
    int helpTip = 0;
    int bannerSeconds = 0;
    int score = 0;
    std::vector<int> samples = {};
    std::vector<int> music = {};

    auto Tie() const {
        return std::tie(fruitKind, birdKind, hedgehogs, rain, timeUp, helpTip, bannerSeconds, score,
                        samples, music);
    }
    bool operator==(const Outcome& other) const { return Tie() == other.Tie(); }
};

void PrintTo(const Outcome& o, std::ostream* out) {
    *out << "fruit " << o.fruitKind << " bird " << o.birdKind << " hedgehogs " << o.hedgehogs
         << " rain " << o.rain << " timeUp " << o.timeUp << " tip " << o.helpTip << " banner "
         << o.bannerSeconds << " score " << o.score << " samples " << o.samples.size() << " music "
         << o.music.size();
}

class PlayFieldTimeLine : public PlayFieldPlay {
protected:
    void AddTrees() {
        for (int kind = 1; kind <= 4; ++kind) {
            AddTree(kind, 100 * kind, 150);
        }
    }
    Outcome Observe() const {
        Outcome o;
        if (!mField.GetFruit().empty()) {
            o.fruitKind = OnlyFruit().GetKind();
        }
        if (!mField.GetBirds().empty()) {
            o.birdKind = mField.GetBirds()[0].GetKind();
            int stats[PlayField::kCounterCount];
            mField.GetStats(stats);
            const int appearedAt[] = {9, 13, 11, 15};
            EXPECT_EQ(stats[appearedAt[o.birdKind]], 1);
        }
        o.hedgehogs = static_cast<int>(mField.GetHedgehogs().size());
        o.rain = mField.GetRain().IsPresent();
        o.timeUp = mField.IsTimeUp();
        o.helpTip = mField.GetHelpTip();
        o.bannerSeconds = mField.GetBanner().mActive ? mField.GetBanner().mSeconds : 0;
        o.score = mField.GetScore();
        o.samples = mHost.mSamples;
        o.music = mHost.mMusic;
        return o;
    }
};

TEST_F(PlayFieldTimeLine, EachCodeActsOnItsSecond) {
    struct Case {
        int code;
        bool survival;
        Outcome expected;
    };
    const Case cases[] = {
        {0, false, {.timeUp = true}},
        {1, false, {.fruitKind = 1}},
        {2, false, {.fruitKind = 2}},
        {3, false, {.fruitKind = 3}},
        {4, false, {.fruitKind = 4}},
        {5, false, {.rain = true, .music = {12}}},
        {6, false, {.hedgehogs = 1}},
        {7, false, {.birdKind = 0}},
        {8, false, {.birdKind = 1}},
        {9, false, {.birdKind = 2}},
        {10, false, {.birdKind = 3, .samples = {19}}},
        {16, false, {.samples = {8}}},
        {100, false, {.helpTip = 100}},
        {123, true, {.helpTip = 123}},
        // Codes without a meaning.
        {11, false, {}},
        {12, false, {}},
        {13, true, {}},
        {14, false, {}},
        // The banner outlives a level reset, so these come last.
        {15, true, {.bannerSeconds = 7}},    // the first wave earns nothing
        {15, false, {.bannerSeconds = 599}}, // the time left and one
    };
    for (const Case& c : cases) {
        NewLevel(c.survival);
        AddTrees();
        // Survival runs a second ahead: its first tick runs second 1.
        mField.AddTimeLineEntry(c.survival ? 3 : 2, c.code);
        Run(119);
        EXPECT_EQ(mField.GetTimeLine().size(), 1u) << c.code << ": not before its second";
        Run(1);
        EXPECT_TRUE(mField.GetTimeLine().empty());
        EXPECT_EQ(Observe(), c.expected) << c.code;
        EXPECT_EQ(mField.GetEvent(),
                  c.code >= 100 ? PlayField::kEventHelpTip : PlayField::kEventNone);
    }
}

TEST_F(PlayFieldTimeLine, SecondZeroNeverRunsAndSurvivalStartsWithSecondOne) {
    for (bool survival : {false, true}) {
        NewLevel(survival);
        mField.AddTimeLineEntry(0, 6);
        mField.AddTimeLineEntry(1, 7);
        mField.AddTimeLineEntry(2, 8);
        Run(1);
        EXPECT_EQ(mField.GetBirds().size(), survival ? 1u : 0u);
        RunToSecond();
        EXPECT_EQ(mField.GetBirds().size(), survival ? 2u : 1u);
        Run(300);
        EXPECT_TRUE(mField.GetHedgehogs().empty());
    }
}

TEST_F(PlayFieldTimeLine, AHelpTipEndsThePassOfItsSecond) {
    AddTrees();
    mField.AddTimeLineEntry(1, 100);
    mField.AddTimeLineEntry(1, 1);
    mField.AddTimeLineEntry(2, 2);
    mField.AddTimeLineEntry(2, 101);
    Run(120);
    EXPECT_EQ(mField.GetHelpTip(), 101);
    EXPECT_EQ(OnlyFruit().GetKind(), 2);
    ASSERT_EQ(mField.GetTimeLine().size(), 1u); // the apple of second 1 never grows
    EXPECT_EQ(mField.GetTimeLine()[0].mCode, 1);
}

TEST_F(PlayFieldTimeLine, AKindGrowsOnOneOrTwoTreesAndOnlyInFreeCells) {
    AddTree(1, 100, 150);
    AddTree(1, 400, 150, 3);
    for (int i = 0; i < 5; ++i) {
        mField.AddTimeLineEntry(1, 1);
    }
    Run(60);
    // Three free cells beat one, two beat one, the tie goes to the second tree, and then the
    // first; the fifth finds no cell and takes no id.
    std::vector<int> xs;
    for (const Fruit& fruit : mField.GetFruit()) {
        xs.push_back(fruit.GetX());
        EXPECT_EQ(fruit.GetState(), Fruit::Growing);
    }
    EXPECT_EQ(xs, (std::vector<int>{100, 442, 421, 400}));
    EXPECT_EQ(mField.GetFruit().front().GetCellId(), 4);
    EXPECT_EQ(mField.GetOnTrees(1), 4);

    AddTree(2, 500, 150, 3);
    AddTree(2, 600, 150, 3);
    AddTree(2, 700, 150, 3);
    mField.AddTimeLineEntry(2, 2);
    Run(60);
    EXPECT_EQ(mField.GetFruit().size(), 4u) << "three pear trees: no pear grows";
}

TEST_F(PlayFieldTimeLine, SurvivalWavesCountAndEarnFromTheSecondOn) {
    NewLevel(true);
    for (int second : {2, 3, 4}) {
        mField.AddTimeLineEntry(second, 15);
    }
    Run(180);
    EXPECT_EQ(mField.GetSurvivalBonusCount(), 3);
    EXPECT_EQ(mField.GetScore(), 200);
}

TEST_F(PlayFieldTimeLine, RainRestartsItsSongAndStopsItWhenGone) {
    mField.AddTimeLineEntry(1, 5);
    mField.AddTimeLineEntry(2, 5);
    Run(120);
    EXPECT_EQ(mHost.mMusic, (std::vector<int>{12, -12, 12}));
    // The cloud crosses 886 pixels, one every 10 ticks; its song stops on the tick after.
    Run(8860);
    EXPECT_FALSE(mField.GetRain().IsPresent());
    EXPECT_EQ(mHost.mMusic.size(), 3u);
    Run(1);
    EXPECT_EQ(mHost.mMusic, (std::vector<int>{12, -12, 12, -12}));
}

TEST_F(PlayFieldTimeLine, GoldenFruitComeAtTheEarliestSevenStoryFruitApart) {
    NewLevel(false, 2);
    FruitTree big;
    big.Set(1, 0, 0, 0, 0, 10, 10);
    (void)big.Release(0);
    mField.AddTree(big);
    for (int i = 0; i < 80; ++i) {
        mField.AddTimeLineEntry(1, 1);
    }
    Run(60);
    std::vector<int> golden; // places in growth order; the newest fruit comes first
    const std::vector<Fruit>& fruit = mField.GetFruit();
    for (size_t n = 0; n < fruit.size(); ++n) {
        if (fruit[fruit.size() - 1 - n].IsGolden()) {
            golden.push_back(static_cast<int>(n));
        }
    }
    ASSERT_GE(golden.size(), 2u);
    for (size_t i = 1; i < golden.size(); ++i) {
        EXPECT_GE(golden[i] - golden[i - 1], 7);
    }
}

// The count toward the next golden fruit belongs to the run: a new level goes on from it, and so
// does another board's field lent the same run; a field lent none counts for itself.
TEST_F(PlayFieldTimeLine, TheGoldenCountRunsOnAcrossLevelsAndTheFieldsThatShareTheRun) {
    RunState run;
    mField.SetRunState(&run);
    // Grows count fruit of story level 2 (level 1 and survival fruit do not count).
    auto grow = [&](PlayField& field, int count, bool survival = false, int level = 2) {
        field.ResetLevel();
        field.SetHost(&mHost);
        field.SetSurvival(survival);
        field.SetLevel(level);
        field.SetLevelTime(600);
        FruitTree tree;
        tree.Set(1, 0, 0, 0, 0, 10, 10);
        (void)tree.Release(0);
        field.AddTree(tree);
        for (int i = 0; i < count; ++i) {
            field.AddTimeLineEntry(1, 1);
        }
        for (int tick = 1; tick <= 60; ++tick) {
            (void)field.Update(tick);
        }
        ASSERT_EQ(field.GetFruit().size(), static_cast<size_t>(count));
    };
    grow(mField, 3);
    EXPECT_EQ(run.mFruitSinceGolden, 3);
    grow(mField, 2, false, 1);
    grow(mField, 2, true);
    EXPECT_EQ(run.mFruitSinceGolden, 3);
    mField.ResetLevel();
    EXPECT_EQ(run.mFruitSinceGolden, 3);

    PlayField nextBoard;
    nextBoard.SetRunState(&run);
    grow(nextBoard, 2);
    EXPECT_EQ(run.mFruitSinceGolden, 5);
    EXPECT_EQ(&nextBoard.GetRunState(), &run);

    PlayField ownCount;
    grow(ownCount, 1);
    EXPECT_EQ(ownCount.GetRunState().mFruitSinceGolden, 1);
    EXPECT_EQ(run.mFruitSinceGolden, 5);
}

} // namespace
} // namespace Vuro::Testing
