// The survival board on the fake clock: a wave run to its end with the record saved and the way
// back to the map, the end when every tree is spent, the progress rules, the focus rule under
// the help panel and the pictures.

#include "BoardFixture.h"

#include "framework/widgets/ButtonWidget.h"
#include "game/screens/BoardStat.h"

#include <algorithm>

namespace Vuro::Test {
namespace {

using BoardSurviveTest = BoardFixture;

constexpr int kBanner = 15;
constexpr int kBird = 7;

TEST_F(BoardSurviveTest, AWaveRunsToItsEndAndAWonLevelOpensTheNextOnceItsStoryStageIsDone) {
    PlayerRecord record = Record();
    record.stageUnlocked[0] = 1;
    record.totalScore = 999950;
    SetRecord(record);
    // Two wave banners: the second earns 100 points.
    Enter(true, 0, LevelText(0, 3, {{1, kBanner}, {1, kBird}, {2, kBanner}}));
    EXPECT_TRUE(mBoard->GetField().IsSurvival());
    ASSERT_TRUE(StepUntil([&] { return mBoard->IsLevelOver(); }));
    EXPECT_EQ(mBoard->GetField().GetSurvivalBonusCount(), 2);
    EXPECT_EQ(mBoard->GetLevelScore(), 100);
    EXPECT_TRUE(mBoard->IsGoalReachedAtEnd());
    ASSERT_TRUE(StepUntil([&] { return mBoard->GetStatBoard() != nullptr; }));

    record = Record();
    EXPECT_EQ(record.totalScore, PlayBoard::kMaxTotalScore);
    EXPECT_EQ(record.survivalLevel, 1);
    EXPECT_EQ(record.survivalLevelMax, 1);
    EXPECT_EQ(SavedRecord().ToBytes(), record.ToBytes());
    EXPECT_EQ(mApp->mMapMessage, 1);
    bool entered = false;
    ScoreEntry row;
    for (int index = 0; mApp->mScoreTables.GetRow(index, row, false); ++index) {
        entered = entered || (row.GetName() == "Tester" && row.score == 100 && row.level == 1);
    }
    EXPECT_TRUE(entered) << "the statistics screen enters the result";

    ButtonWidget* ok = mBoard->GetStatBoard()->GetOkButton();
    Click(ok->mX, ok->mY);
    EXPECT_EQ(mApp->mMapMessage, 1) << "a won level leaves the message as it was";
    ASSERT_TRUE(StepUntil([&] { return mApp->mSurviveBoard == nullptr; }));
    EXPECT_EQ(mApp->mPreviousScreenId, GameApp::kScreenSurvive);
    EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenMenuMap);
    EXPECT_EQ(mApp->mMapMessage, 0) << "taken by the map";
}

TEST_F(BoardSurviveTest, TheLevelEndsWhenEveryTreeIsSpentAndTheSlingshotGoes) {
    WriteTga("images/slingshot.tga", 1, 1, {0xFFFF0000});
    constexpr uint32_t kSlingshotDrawn = 0xFFFE0000; // over the black below the 1 x 1 scenery
    Enter(true, 0, LevelText(1, 60, {}));
    StepUntil([&] { return mBoard->GetField().GetElapsedSeconds() >= 2; });
    // The board draws the field, whose slingshot follows the mouse all through survival.
    mApp->mWidgetManager->MouseMove(100, 300);
    EXPECT_EQ(DrawnPixel(95, 392), kSlingshotDrawn);
    mBoard->GetField().SetEvent(PlayField::kEventNoFruitLeft);
    ASSERT_TRUE(StepUntil([&] { return mBoard->IsLevelOver(); }));
    EXPECT_GT(mBoard->GetField().GetLevelTime(), 50);
    EXPECT_FALSE(mBoard->IsGoalReachedAtEnd());
    EXPECT_EQ(mApp->Music().mLog, (std::vector<std::string>{"stop all", "play 2"}));
    EXPECT_EQ(DrawnPixel(95, 392), 0xFF000000) << "no slingshot once the level is over";
}

TEST_F(BoardSurviveTest, AWonLevelMovesTheSurvivalProgressByItsRules) {
    struct Case {
        int level, reached;
        bool stageDone; // story stage level + 1
        int levelAfter, reachedAfter, message, mapMode;
    };
    const Case cases[] = {
        {1, 1, true, 2, 2, 1, 0},  // at the frontier, the stage done: the next level opens
        {1, 1, false, 1, 1, 2, 0}, // the stage not done: nothing moves
        {0, 3, true, 1, 3, 0, 0},  // a replay
        {0, 3, false, 0, 3, 0, 0}, {5, 5, true, 5, 5, 2, 99}, // the last level
        {7, 9, true, 5, 5, 2, 99},                            // held within the six levels
    };
    Enter(true, 0, LevelText(0, 60, {}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        mApp->mMapMode = GameApp::kMapModeSurvival;
        PlayerRecord record = Record();
        record.survivalLevel = c.level;
        record.survivalLevelMax = c.reached;
        record.stageUnlocked[std::min(c.level, 4)] = c.stageDone ? 1 : 0;
        mBoard->AdvanceProgress(record);
        EXPECT_EQ(record.survivalLevel, c.levelAfter);
        EXPECT_EQ(record.survivalLevelMax, c.reachedAfter);
        EXPECT_EQ(mApp->mMapMessage, c.message);
        EXPECT_EQ(mApp->mMapMode, c.mapMode);
    }
}

TEST_F(BoardSurviveTest, LosingTheFocusUnderTheHelpPanelPausesTheSurvivalBoardOnly) {
    constexpr int kTip = 101;
    for (bool survival : {true, false}) {
        SCOPED_TRACE(survival);
        if (mBoard != nullptr) {
            mBoard->SetState(PlayBoard::kQuit);
            ASSERT_TRUE(StepUntil([&] { return mApp->mCurrentScreen != mBoard; }));
            ASSERT_TRUE(StepUntilLoaded());
        }
        Enter(survival, 0, LevelText(1, 60, {{1, kTip}}));
        ASSERT_TRUE(StepUntil([&] { return mBoard->IsHelpPanelOpen(); }));
        mApp->Music().mLog.clear();
        mApp->LostFocus();
        EXPECT_EQ(mBoard->GetState(), survival ? PlayBoard::kPaused : PlayBoard::kWait);
        EXPECT_EQ(mApp->Music().mLog, (std::vector<std::string>{"pause all", "pause all"}));
        EXPECT_NE(DrawnPixel(0, 0), 0xFF000000u) << "no pause screen under the panel";
        mApp->GotFocus();
        EXPECT_EQ(mBoard->GetState(), PlayBoard::kWait);
        EXPECT_TRUE(mBoard->IsHelpPanelOpen());
    }
}

TEST_F(BoardSurviveTest, TheScenerySurvivalLevelsShowFollowsTheStoryProgressWithinTheirStage) {
    EXPECT_EQ(BoardSurvive::PictureLevel(3, 30), 19);
    EXPECT_EQ(BoardSurvive::PictureLevel(3, 2), 14);
    EXPECT_EQ(BoardSurvive::PictureLevel(1, 3), 4);
    EXPECT_EQ(BoardSurvive::PictureLevel(6, 42), 43);
    EXPECT_EQ(BoardSurvive::PictureLevel(7, 10), 1);
}

} // namespace
} // namespace Vuro::Test
