// The stage map's model on the fakes: its points and their states, the open limit, the
// message a visit produces, the selection rules, buying each stage in both difficulties and
// the difficulty switch.

#include "MapFixture.h"

#include "game/rules/GameSounds.h"
#include "game/screens/StageTables.h"

#include <span>

namespace Vuro::Test {
namespace {

using Samples = std::vector<uint32_t>;

class BoardMapModelTest : public MapFixture {};

std::string Repeat(char state, int count) {
    return std::string(static_cast<size_t>(count), state);
}

TEST_F(BoardMapModelTest, SetupGivesThePointsOfTheModeWithTheirStatesAndTheOpenLimit) {
    struct Case {
        const char* name;
        bool story;
        Progress progress;
        std::string states;
        int openLimit;
    };
    const Case cases[] = {
        {"new player", true, {}, "2" + Repeat('0', 42), 5},
        {"level 3 of 4", true, {2, 4}, "11211" + Repeat('0', 38), 5},
        {"stage 2 bought", true, {6, 6, 1}, Repeat('1', 6) + "2" + Repeat('0', 36), 12},
        {"three stages", true, {20, 21, 3}, Repeat('1', 20) + "21" + Repeat('0', 21), 26},
        {"all stages", true, {42, 42, 5}, Repeat('1', 42) + "2", 42},
        // Clamped: the highest to 42, the current one to the highest.
        {"beyond the end", true, {50, 99, 5}, Repeat('1', 42) + "2", 42},
        // Negative fields select point 0 instead of reaching past the table.
        {"negative", true, {-3, -7}, "2" + Repeat('0', 42), 5},
        {"survival new", false, {}, "200000", 0},
        {"survival 2 of 4", false, {0, 0, 3, 0, false, 1, 3}, "121100", 3},
        {"survival clamped", false, {0, 0, 5, 0, false, 9, 8}, "111112", 5},
        {"survival negative", false, {0, 0, 1, 0, false, -1, -2}, "200000", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetProgress(c.progress);
        BoardMap& map = MakeMap(c.story);
        EXPECT_EQ(States(), c.states);
        EXPECT_EQ(map.mOpenLimit, c.openLimit);
        EXPECT_EQ(map.mStory, c.story);
        EXPECT_EQ(map.mMapTexts[0], "Region");
        const auto places = c.story ? std::span<const PointPlace>(kStoryPoints)
                                    : std::span<const PointPlace>(kSurvivalPoints);
        for (const auto& [number, point] : map.mPoints) {
            EXPECT_EQ(point.mNumber, number);
            EXPECT_EQ(point.mX, places[number].mX);
            EXPECT_EQ(point.mY, places[number].mY);
        }
        EXPECT_EQ(map.mShip.mState, FrameAnim::kLooping);
        EXPECT_EQ(map.mOcti.mMaxFrame, 1);
    }
}

TEST_F(BoardMapModelTest, AVisitAfterAStageOrASurvivalLevelGivesItsMessageCode) {
    struct Case {
        bool story;
        Progress progress;
        int pendingMessage;
        int code;
    };
    const Case cases[] = {
        {true, {6, 6, 0}, 0, 1},
        {true, {6, 6, 1}, 0, 0},
        {true, {13, 13, 1}, 0, 2},
        {true, {13, 13, 2}, 0, 0},
        {true, {21, 21, 2}, 0, 3},
        {true, {27, 27, 3}, 0, 4},
        {true, {35, 35, 4}, 0, 5},
        {true, {7, 7, 0}, 0, 0},
        {true, {6, 6, 0}, 1, 1},
        {false, {0, 0, 3, 0, false, 3, 3}, 1, 3},
        {false, {0, 0, 2, 0, false, 2, 2}, 2, 3},
        {false, {0, 0, 5, 0, false, 5, 5}, 2, 6}, // shows nothing
        {false, {0, 0, 2, 0, false, 2, 2}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.story << " max " << c.progress.storyLevelMax << "/"
                     << c.progress.survivalLevelMax << " pending " << c.pendingMessage);
        SetProgress(c.progress);
        mApp->mMapMessage = c.pendingMessage;
        EXPECT_EQ(MakeMap(c.story).mMessageCode, c.code);
    }
}

TEST_F(BoardMapModelTest, BuyingEachStageTakesItsPriceInBothDifficultiesAndSavesTheRecord) {
    struct Case {
        int stage;
        bool easy;
        int balance;
        int left;
    };
    const Case cases[] = {
        {2, false, 6500, 0},  {3, false, 10000, 0},   {4, false, 14500, 500},
        {5, false, 18000, 0}, {6, false, 25001, 1},   {2, true, 4000, 0},
        {3, true, 8000, 0},   {4, true, 12000, 2000}, // easy stage 4 asks 12000, takes 10000
        {5, true, 14000, 0},  {6, true, 18000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << c.stage << (c.easy ? " easy" : ""));
        const int first = StageFirstIndex(c.stage);
        SetProgress({first - 2, first, c.stage - 2, c.balance, c.easy});
        BoardMap& map = MakeMap(true);
        EXPECT_EQ(map.mOpenLimit, StageLastIndex(c.stage - 1));
        map.mMessageCode = BoardMap::kBuyAccepted;
        map.Update();
        EXPECT_EQ(map.mMessageCode, BoardMap::kNoMessage);
        EXPECT_EQ(map.mOpenLimit, StageLastIndex(c.stage));
        EXPECT_EQ(SamplesSince(), Samples{SampleId::kCashRegister});
        const PlayerRecord saved = SavedRecord();
        EXPECT_EQ(saved.totalScore, c.left);
        for (int flag = 0; flag < 5; ++flag) {
            EXPECT_EQ(saved.stageUnlocked[flag] != 0, flag <= c.stage - 2) << flag;
        }
        // The current level moves to the highest reached, the first of the new stage.
        EXPECT_EQ(saved.storyLevel, first);
        EXPECT_EQ(map.mPoints[first].mState, LevelPoint::kCurrent);
        EXPECT_EQ(Record().totalScore, c.left);
    }
}

TEST_F(BoardMapModelTest, APurchaseNeverLeavesADebtAndBuysNothingOnceEveryStageIsOpen) {
    // An offer accepted with too little (a record edited by hand) empties the balance.
    SetProgress({6, 6, 0, 100});
    BoardMap& poor = MakeMap(true);
    poor.mMessageCode = BoardMap::kBuyAccepted;
    poor.Update();
    EXPECT_EQ(SavedRecord().totalScore, 0);
    EXPECT_EQ(SavedRecord().stageUnlocked[0], 1);
    EXPECT_EQ(SamplesSince(), Samples{SampleId::kCashRegister});

    SetProgress({3, 42, 5, 30000});
    BoardMap& rich = MakeMap(true);
    rich.mMessageCode = BoardMap::kBuyAccepted;
    rich.Update();
    EXPECT_EQ(SavedRecord().totalScore, 30000);
    EXPECT_EQ(SavedRecord().storyLevel, 42);
    EXPECT_EQ(SamplesSince(), Samples{});

    // The survival map buys nothing.
    SetProgress({6, 6, 0, 9000});
    BoardMap& survival = MakeMap(false);
    survival.mMessageCode = BoardMap::kBuyAccepted;
    survival.Update();
    EXPECT_EQ(Record().stageUnlocked[0], 0);
    EXPECT_EQ(survival.mMessageCode, BoardMap::kBuyAccepted);
}

TEST_F(BoardMapModelTest, TheDifficultySwitchInvertsTheCopyAndReachesTheProfileWithTheNextSave) {
    SetProgress({6, 6, 0, 4000, false});
    BoardMap& map = MakeMap(true);
    map.mMessageCode = BoardMap::kDifficultySwitch;
    map.Update();
    EXPECT_EQ(map.mMessageCode, BoardMap::kNoMessage);
    EXPECT_EQ(map.mRecord.easyMode, 1);
    EXPECT_EQ(Record().easyMode, 0);
    // Now the easy price: 4000 buys stage 2.
    map.mMessageCode = BoardMap::kBuyAccepted;
    map.Update();
    EXPECT_EQ(SavedRecord().easyMode, 1);
    EXPECT_EQ(SavedRecord().totalScore, 0);
    map.mMessageCode = BoardMap::kDifficultySwitch;
    map.Update();
    EXPECT_EQ(map.mRecord.easyMode, 0);
}

TEST_F(BoardMapModelTest, AnInactiveApplicationStopsTheAnimationsAndTheMessageHandling) {
    SetProgress({6, 6, 0, 9000});
    BoardMap& map = MakeMap(true);
    map.mMessageCode = BoardMap::kBuyAccepted;
    mApp->mHasFocus = false;
    for (int tick = 0; tick < 100; ++tick) {
        map.Update();
    }
    EXPECT_EQ(map.mShip.mFrame, 0);
    EXPECT_EQ(map.mMessageCode, BoardMap::kBuyAccepted);
    mApp->mHasFocus = true;
    for (int tick = 0; tick < 100; ++tick) {
        map.Update();
    }
    // The update count ran on: the active updates were 101..200.
    EXPECT_EQ(map.mShip.mFrame, 2);  // 144, 192
    EXPECT_EQ(map.mShip2.mFrame, 2); // 106, 159
    EXPECT_EQ(map.mOcti.mFrame, 0);  // 150, 200 of two cels
    EXPECT_EQ(map.mMessageCode, BoardMap::kNoMessage);
}

TEST_F(BoardMapModelTest, AStoryClickSelectsTheReachedPointHitOrTheHighestReached) {
    struct Case {
        const char* name;
        Progress progress;
        int x;
        int y;
        int storyLevel;
        Samples samples;
    };
    const Case cases[] = {
        {"not begun", {0, 0}, 120, 400, 0, {}},
        {"point 1 hit", {4, 4}, 160, 414, 1, {SampleId::kSelect}},
        {"corner of point 2", {4, 4}, 194 + 19, 415 + 19, 2, {SampleId::kSelect}},
        {"left of point 2", {4, 4}, 194 - 1, 415, 4, {SampleId::kSelect}},
        {"beyond the highest", {1, 4}, 208, 377, 4, {SampleId::kSelect}},
        {"the last point", {42, 42, 5}, 335, 237, 42, {SampleId::kSelect}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetProgress(c.progress);
        BoardMap& map = MakeMap(true);
        map.SelectStoryPoint(c.x, c.y);
        EXPECT_EQ(map.mRecord.storyLevel, c.storyLevel);
        EXPECT_EQ(SamplesSince(), c.samples);
        EXPECT_EQ(map.mPoints.size(), 43u);
        EXPECT_EQ(map.mPoints[c.storyLevel].mState, LevelPoint::kCurrent);
        int current = 0;
        for (const auto& [number, point] : map.mPoints) {
            current += point.mState == LevelPoint::kCurrent ? 1 : 0;
        }
        EXPECT_EQ(current, 1);
    }
}

TEST_F(BoardMapModelTest, ASurvivalClickSelectsTheHoveredRegionsLevelOrTheHighestReached) {
    struct Case {
        Progress progress;
        int region;
        std::string states;
        Samples samples;
    };
    const Case cases[] = {
        {{0, 0, 5, 0, false, 0, 0}, 3, "200000", {}},
        {{0, 0, 5, 0, false, 0, 3}, 3, "112100", {SampleId::kSelect}},
        {{0, 0, 5, 0, false, 0, 3}, 6, "111200", {SampleId::kSelect}},
        {{0, 0, 5, 0, false, 2, 3}, 0, "112100", {SampleId::kSelect}},
        {{0, 0, 5, 0, false, 2, 3}, 3, "112100", {SampleId::kSelect}},
        {{0, 0, 5, 0, false, 2, 3}, 1, "211100", {SampleId::kSelect}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "region " << c.region << " max " << c.progress.survivalLevelMax);
        SetProgress(c.progress);
        BoardMap& map = MakeMap(false);
        map.mHoveredRegion = c.region;
        map.SelectSurvivalRegion();
        EXPECT_EQ(States(), c.states);
        EXPECT_EQ(SamplesSince(), c.samples);
        EXPECT_EQ(map.mPoints[map.mRecord.survivalLevel].mState, LevelPoint::kCurrent);
    }
}

TEST_F(BoardMapModelTest, MissingMapTextsEndTheProgramBeforeAnyPointExists) {
    std::filesystem::remove("local/682.xml");
    ExitTrap trap;
    BoardMap map(mApp.get(), mApp->mMenu);
    try {
        map.Setup(true);
        FAIL() << "no exit";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    EXPECT_TRUE(map.mPoints.empty());
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().front(), "Error: There was an error loading the file: local\\682.xml");
}

} // namespace
} // namespace Vuro::Test
