// What both play boards do when they load a level: the fruit's times follow the player's
// difficulty (tick for tick on the story board; on the survival board and for the next story
// level in place), and the loading work pauses on the application's clock once the field has
// its pictures.

#include "BoardFixture.h"

#include "framework/widgets/ButtonWidget.h"
#include "game/rules/Fruit.h"
#include "game/rules/FruitStateDurations.h"
#include "game/screens/BoardStat.h"

#include <map>
#include <utility>

namespace Vuro::Test {
namespace {

class BoardLoadLevelTest : public BoardFixture {
protected:
    void TearDown() override { SetEasyMode(false); }
};

constexpr int kCountTicks = 60; // a fruit counts its seconds down every 60 updates

// The first fruit's states from its growth to its end: each one's first and last update, from
// the board's update count.
std::map<int, std::pair<int, int>> FruitStates(GameApp& app, PlayBoard& board) {
    const PlayField& field = board.GetField();
    std::map<int, std::pair<int, int>> states;
    int state = Fruit::Finished;
    for (int i = 0; i < 20000; ++i) {
        app.UpdateWidgets();
        const int now =
            field.GetFruit().empty() ? Fruit::Finished : field.GetFruit().front().GetState();
        if (now != state) {
            if (states.count(state) != 0) {
                states[state].second = board.mUpdateCount;
            }
            states[now].first = board.mUpdateCount;
            state = now;
            if (now == Fruit::Finished) {
                break;
            }
        }
    }
    return states;
}

TEST_F(BoardLoadLevelTest, AStoryLevelsFruitRipensFallsAndRotsOnTheTimesOfThePlayersDifficulty) {
    struct Case {
        bool easy;
        int ripe, onGround, rotting; // seconds
    };
    for (const Case& c : {Case{true, 8, 11, 16}, Case{false, 4, 8, 20}}) {
        SCOPED_TRACE(c.easy);
        if (mBoard != nullptr) {
            mBoard->SetState(PlayBoard::kQuit);
            ASSERT_TRUE(StepUntil([&] { return mApp->mStoryBoard == nullptr; }));
            ASSERT_TRUE(StepUntilLoaded());
        }
        // One apple grows at the first second of a level long enough for it to rot away.
        Enter(false, 0, LevelText(1, 120, {{1, 1}}), c.easy);
        std::map<int, std::pair<int, int>> states = FruitStates(*mApp, *mBoard);
        // A state of n seconds ends on the update of the (n + 1)th count after it began: the
        // count that finds no second left moves the fruit on.
        for (auto [state, seconds] : {std::pair{int{Fruit::Growing}, 3},
                                      {Fruit::Ripe, c.ripe},
                                      {Fruit::OnGround, c.onGround},
                                      {Fruit::Rotting, c.rotting}}) {
            SCOPED_TRACE(state);
            ASSERT_EQ(states.count(state), 1u);
            auto [first, last] = states[state];
            EXPECT_EQ(last % kCountTicks, 0);
            EXPECT_EQ(last / kCountTicks - first / kCountTicks, seconds + 1);
        }
    }
}

TEST_F(BoardLoadLevelTest, TheSurvivalBoardAndTheNextStoryLevelTakeTheirDifficultyFromTheRecord) {
    Enter(true, 0, LevelText(1, 60, {}), true);
    EXPECT_EQ(FruitStateDurations(Fruit::Ripe), 8);
    EXPECT_EQ(FruitStateDurations(Fruit::OnGround), 11);
    EXPECT_EQ(FruitStateDurations(Fruit::Rotting), 16);
    EXPECT_EQ(FruitStateDurations(Fruit::UnripeLanded), 6);
    mBoard->SetState(PlayBoard::kQuit);
    ASSERT_TRUE(StepUntil([&] { return mApp->mSurviveBoard == nullptr; }));
    ASSERT_TRUE(StepUntilLoaded());

    // A won easy story level; the record turns to the normal set before the next level loads
    // in place.
    Enter(false, 0, LevelText(0, 2, {}), true);
    EXPECT_EQ(FruitStateDurations(Fruit::Ripe), 8);
    ASSERT_TRUE(StepUntil([&] { return mBoard->GetStatBoard() != nullptr; }));
    PlayerRecord record = Record();
    record.easyMode = 0;
    SetRecord(record);
    ButtonWidget* ok = mBoard->GetStatBoard()->GetOkButton();
    Click(ok->mX, ok->mY);
    ASSERT_TRUE(StepUntil([&] { return mBoard->GetField().GetLevel() == 2; }));
    EXPECT_EQ(FruitStateDurations(Fruit::Ripe), 4);
    EXPECT_EQ(FruitStateDurations(Fruit::UnripeLanded), 5);
}

TEST_F(BoardLoadLevelTest, TheLoadingWorkPausesOnTheClockOnceTheFieldHasItsPictures) {
    for (bool survival : {false, true}) {
        SCOPED_TRACE(survival);
        WriteText(LevelFile::GetFileName(survival, false, 1), LevelText(1, 60, {}));
        mApp->mPreviousScreenId = GameApp::kScreenMap;
        mApp->mTargetScreenId = survival ? GameApp::kScreenSurvive : GameApp::kScreenStory;
        mApp->SwitchScreen();
        std::vector<uint32_t> pending;
        while (pending.empty() && !mApp->mLoadingThreadCompleted) {
            std::this_thread::yield();
            pending = mClock.SleepsPending();
        }
        EXPECT_EQ(pending, std::vector<uint32_t>{PlayBoard::kLoadedPauseMs});
        PlayBoard* board = survival ? static_cast<PlayBoard*>(mApp->mSurviveBoard)
                                    : static_cast<PlayBoard*>(mApp->mStoryBoard);
        ASSERT_NE(board, nullptr);
        EXPECT_EQ(board->GetView().GetImages(), &board->GetImages()) << "pictures first";
        // Every board's field counts toward the next golden fruit on the application's run.
        EXPECT_EQ(&board->GetField().GetRunState(), &mApp->mRunState);
        ASSERT_TRUE(StepUntilLoaded());
        board->SetState(PlayBoard::kQuit);
        ASSERT_TRUE(StepUntil([&] { return mApp->mCurrentScreen != board; }));
        ASSERT_TRUE(StepUntilLoaded());
    }
}

} // namespace
} // namespace Vuro::Test
