// The main menu, the profile dialog over it, the stage map, the statistics screen, the score
// board and the credits drawn whole (with their buttons) from the data set the asset tool made
// beside the program, against their reviewed golden pictures.

#include "MapFixture.h"

#include "framework/widgets/ButtonWidget.h"
#include "game/rules/Fruit.h"
#include "game/screens/BoardScores.h"
#include "game/screens/BoardStat.h"
#include "game/screens/BoardTitres.h"
#include "game/screens/ProfileDialog.h"
#include "platform/TextEncoding.h"
#include "support/GoldenImage.h"

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

class ScreensGoldenTest : public MapFixture {
protected:
    // The data set's pictures, fonts and texts in place of the small ones, before the menu
    // loads its art.
    void SetUp() override {
        namespace fs = std::filesystem;
        fs::remove_all("images");
        fs::copy(fs::path(VURO_DATA_DIR) / "images", "images", fs::copy_options::recursive);
        fs::copy(fs::path(VURO_DATA_DIR) / "local", "local",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        MapFixture::SetUp();
    }
};

TEST_F(ScreensGoldenTest, TheMainMenuWithTheMouseOverTheStoryButton) {
    StepUpdates(250); // the sky has drifted and the sun changed its cell
    mApp->mWidgetManager->MouseMove(300, 180);
    MemoryImage screen(mApp.get());
    DrawWholeScreen(screen);
    EXPECT_TRUE(MatchesGolden(screen, GoldenPath("game/screens/golden/main_menu.png")));
}

TEST_F(ScreensGoldenTest, TheProfileDialogWithThreePlayers) {
    const std::vector<std::string> names = {"Миша"_cp1251, "Alice"};
    for (std::string name : names) {
        ASSERT_TRUE(mApp->mProfileManager.AddProfile(name));
    }
    ASSERT_TRUE(mApp->mProfileManager.LoadProfile()); // the record of the first, "Tester"
    Click(100, 40);                                   // the profile icon
    ASSERT_NE(mApp->GetDialog(ProfileDialog::kDialogId), nullptr);
    mApp->mWidgetManager->MouseMove(330, 380); // over the OK button
    MemoryImage screen(mApp.get());
    DrawWholeScreen(screen);
    EXPECT_TRUE(MatchesGolden(screen, GoldenPath("game/screens/golden/profile_dialog.png")));
}

TEST_F(ScreensGoldenTest, TheStageMapWithAStageOnOffer) {
    // Stage 2 bought, level 8 of 10 reached selected, the mouse over the forest (stage 3).
    SetProgress({7, 9, 1, 12345});
    BoardMap* map = ShowMap(true);
    map->MouseMove(100, 250);
    MemoryImage screen(mApp.get());
    DrawWholeScreen(screen);
    EXPECT_TRUE(MatchesGolden(screen, GoldenPath("game/screens/golden/stage_map.png")));
}

TEST_F(ScreensGoldenTest, TheStatisticsOfAWonLevel) {
    Enter(false, 0, LevelText(1, 600, {{1, 1}, {30, 7}, {30, 8}, {30, 10}}));
    PlayField& field = mBoard->GetField();
    // Updates without the main loop's drawing, which made this test slow on a busy machine.
    auto updateUntil = [&](auto pred) {
        for (int i = 0; i < 20000 && !pred(); ++i) {
            mApp->UpdateWidgets();
        }
        return pred();
    };
    ASSERT_TRUE(updateUntil([&] {
        return !field.GetFruit().empty() && field.GetFruit().front().GetState() == Fruit::Ripe;
    }));
    const Fruit& fruit = field.GetFruit().front();
    field.MouseDown(fruit.GetX() + 5, fruit.GetY() + 5, 1);
    ASSERT_TRUE(updateUntil([&] { return field.GetBirds().size() == 3; }));
    PlayerRecord record = Record();
    record.totalScore = 4321;
    SetRecord(record);
    int state = PlayBoard::kWait;
    auto* stat = new BoardStat(mBoard, StoreIn(state));
    stat->Resize(0, 0, 640, 480);
    mApp->mWidgetManager->AddWidget(stat);
    MemoryImage screen(mApp.get());
    DrawWholeScreen(screen);
    EXPECT_TRUE(MatchesGolden(screen, GoldenPath("game/screens/golden/statistics.png")));
    mApp->mWidgetManager->RemoveWidget(stat);
    delete stat;
}

TEST_F(ScreensGoldenTest, TheStoryScoreTable) {
    // Four rows entered out of order (the board sorts them), a name of seven letters among them.
    ScoreTables& tables = mApp->mScoreTables;
    tables.Clear();
    const struct {
        const char* name;
        int score;
        int level;
    } rows[] = {{"Tester", 1830, 4}, {"Маша", 5210, 12}, {"Садовод", 2975, 7}, {"Ann", 460, 1}};
    for (const auto& row : rows) {
        ScoreEntry entry;
        entry.SetName(Platform::Utf8ToCp1251(row.name));
        entry.score = row.score;
        entry.level = row.level;
        ASSERT_TRUE(tables.Add(entry, true));
    }
    int state = 0;
    auto* board = new BoardScores(mApp->mMenu, StoreIn(state));
    board->Resize(0, 0, 640, 480);
    mApp->mWidgetManager->AddWidget(board);
    MemoryImage screen(mApp.get());
    DrawWholeScreen(screen);
    EXPECT_TRUE(MatchesGolden(screen, GoldenPath("game/screens/golden/score_table.png")));
    mApp->mWidgetManager->RemoveWidget(board);
    delete board;
}

TEST_F(ScreensGoldenTest, TheCreditsWithEveryLineButTheLastInView) {
    mApp->mPreviousScreenId = GameApp::kScreenMenu;
    mApp->mTargetScreenId = GameApp::kScreenMenuTitres;
    mApp->SwitchScreen();
    ASSERT_TRUE(StepUntilLoaded());
    BoardTitres* titres = mApp->mTitres;
    ASSERT_NE(titres, nullptr);
    Click(10, 10); // past the second picture
    ASSERT_EQ(titres->mPhase, BoardTitres::kScrolling);
    titres->mScroll = 0;
    titres->mPicture = 2;
    MemoryImage screen(mApp.get());
    DrawWholeScreen(screen);
    EXPECT_TRUE(MatchesGolden(screen, GoldenPath("game/screens/golden/credits.png")));
}

} // namespace
} // namespace Vuro::Test
