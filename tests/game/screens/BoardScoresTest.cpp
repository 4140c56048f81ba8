// The score board opened from the menu on the fake clock: the tables sorted when it opens, its
// switch button flipping table and title, and the tables saved when the back button closes it.

#include "game/screens/BoardScores.h"
#include "framework/widgets/ButtonWidget.h"
#include "game/app/GameAppFixture.h"
#include "game/screens/BoardMenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

class BoardScoresTest : public GameAppFixture {
protected:
    void SetUp() override {
        WriteProfile("Gardner");
        StartToMenu();
        mSounds->mLoaded.insert(2);
    }
    // The scores of a table in its order.
    static std::vector<int> Scores(const ScoreTables& tables, bool story) {
        std::vector<int> scores;
        ScoreEntry entry;
        for (int row = 0; tables.GetRow(row, entry, story); ++row) {
            scores.push_back(entry.score);
        }
        return scores;
    }
    static void Add(ScoreTables& tables, const char* name, int score, bool story) {
        ScoreEntry entry;
        entry.SetName(name);
        entry.score = score;
        entry.level = 3;
        EXPECT_TRUE(tables.Add(entry, story));
    }
    void Click(const Widget* button) {
        WidgetManager& manager = *mApp->mWidgetManager;
        manager.MouseMove(button->mX, button->mY);
        manager.MouseDown(button->mX, button->mY, 1);
        manager.MouseUp(button->mX, button->mY, 1);
    }
    void StepUpdates(int count) {
        const int target = mApp->mUpdateCount + count;
        StepUntil([&] { return mApp->mUpdateCount >= target; });
    }
};

TEST_F(BoardScoresTest, OpeningSortsTheTablesAndClosingSavesThem) {
    ScoreTables& tables = mApp->mScoreTables;
    tables.Clear();
    for (int score : {10, 30, 20}) {
        Add(tables, "Ann", score, true);
    }
    for (int score : {-5, 7}) {
        Add(tables, "Bo", score, false);
    }
    std::filesystem::remove("data/scores.dat");
    BoardMenu* menu = mApp->mMenu;
    menu->DoAction(300, 380, BoardMenu::kMouseRelease);
    BoardScores* board = menu->mScoreBoard;
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(Attached(board));
    EXPECT_EQ(Scores(tables, true), (std::vector<int>{30, 20, 10}));
    EXPECT_EQ(Scores(tables, false), (std::vector<int>{7, -5}));
    EXPECT_EQ((std::vector<int>{board->mBackButton->mX, board->mBackButton->mY,
                                board->mSwitchButton->mX, board->mSwitchButton->mY}),
              (std::vector<int>{115, 360, 420, 360}));
    EXPECT_EQ(board->mBackButton->mLabel, mApp->GetHelpText(7));
    EXPECT_EQ(board->mSwitchButton->mLabel, mApp->GetHelpText(9));

    // Each click on the switch flips the table shown.
    for (bool story : {false, true, false}) {
        Click(board->mSwitchButton);
        EXPECT_EQ(board->mShowStory, story);
    }
    EXPECT_TRUE(menu->mBusy);
    EXPECT_FALSE(std::filesystem::exists("data/scores.dat"));

    Click(board->mBackButton);
    EXPECT_EQ(menu->mState, BoardMenu::kStateCloseScores);
    EXPECT_FALSE(Attached(board));
    StepUpdates(1);
    EXPECT_EQ(menu->mScoreBoard, nullptr);
    EXPECT_FALSE(menu->mBusy);
    EXPECT_EQ(menu->mState, BoardMenu::kStateIdle);
    // Saved sorted, though nothing was added.
    ScoreTables saved;
    ASSERT_TRUE(saved.Load());
    EXPECT_EQ(Scores(saved, true), (std::vector<int>{30, 20, 10}));
    EXPECT_EQ(Scores(saved, false), (std::vector<int>{7, -5}));
    size_t clicks = 0;
    for (const auto& instance : mSounds->mInstances) {
        clicks += instance->mId == 2 ? 1 : 0;
    }
    EXPECT_EQ(clicks, 5u) << "the menu's button, three switches and back";
}

} // namespace
} // namespace Vuro::Test
