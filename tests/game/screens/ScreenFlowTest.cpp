// The way from the menu through the first story picture and the map into a board, each click
// at a button's place, and the record saved by the map's buttons.

#include "game/app/GameAppFixture.h"

#include "game/screens/BoardStory.h"
#include "game/screens/BoardSurvive.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardTitres.h"

#include <filesystem>

namespace Vuro::Test {
namespace {

class ScreenFlowTest : public GameAppFixture {
protected:
    void SetUp() override { StartToMenu(); }

    // A click at a point of the screen, through the widget manager.
    void Click(int x, int y) {
        mApp->mWidgetManager->MouseMove(x, y);
        mApp->mWidgetManager->MouseDown(x, y, 1);
        mApp->mWidgetManager->MouseUp(x, y, 1);
    }
    // A click, then the switch it started run to its end.
    void ClickAndLoad(int x, int y) {
        Click(x, y);
        ASSERT_TRUE(StepUntilLoaded());
    }
    void StoryLevelMax(int level) {
        PlayerRecord record;
        mApp->mProfileManager.GetRecord(&record);
        record.storyLevelMax = level;
        mApp->mProfileManager.SetRecord(record);
    }
};

TEST_F(ScreenFlowTest, ANewPlayersStoryLeadsThroughThePrologueAndTheMapIntoTheStoryBoard) {
    ClickAndLoad(300, 180); // the menu's story button
    EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mTitres));
    ClickAndLoad(500, 445); // the first picture's signpost
    EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMap));
    ClickAndLoad(570, 455); // the map's play button
    EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mStoryBoard));
    EXPECT_EQ(mApp->mMapMode, GameApp::kMapModeStory);
    EXPECT_TRUE(std::filesystem::exists("data/Player.pf")) << "the map's button saved";
}

TEST_F(ScreenFlowTest, MenuAndMapButtonsLeadWhereTheirPlayersExpect) {
    struct Case {
        const char* name;
        int storyLevelMax;
        int menuX, menuY; // a button of the menu
        int mapX, mapY;   // then one of the map
        int mapMode;
        int target; // the screen id after the map's button
    };
    const Case cases[] = {
        {"story, known player, play", 3, 249, 156, 520, 440, GameApp::kMapModeStory,
         GameApp::kScreenStory},
        {"survival, play", 0, 358, 259, 629, 472, GameApp::kMapModeSurvival,
         GameApp::kScreenSurvive},
        {"survival, back", 0, 300, 214, 10, 472, GameApp::kMapModeSurvival, GameApp::kScreenMenu},
    };
    WriteProfile("Gardner"); // the menu attached again after a level asks for no name
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoryLevelMax(c.storyLevelMax);
        ClickAndLoad(c.menuX, c.menuY);
        ASSERT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMap));
        EXPECT_EQ(mApp->mMapMode, c.mapMode);
        // Only the first click leads on: a second is ignored while the switch runs.
        Click(c.mapX, c.mapY);
        Click(c.mapX, c.mapY);
        EXPECT_EQ(mApp->mTargetScreenId, c.target);
        EXPECT_EQ(mApp->mPreviousScreenId, GameApp::kScreenMap);
        ASSERT_TRUE(StepUntilLoaded());
        if (c.target != GameApp::kScreenMenu) {
            // Back to the menu as a level's end does, for the next case.
            mApp->mPreviousScreenId = c.target;
            mApp->mTargetScreenId = GameApp::kScreenMenuMap;
            mApp->SwitchScreen();
            ASSERT_TRUE(StepUntilLoaded());
            ClickAndLoad(60, 455);
        }
        ASSERT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMenu));
    }
}

TEST_F(ScreenFlowTest, ClicksBesideTheButtonsLeadNowhere) {
    for (auto [x, y] : {std::pair{248, 180}, {359, 180}, {300, 155}, {300, 260}, {300, 210}}) {
        Click(x, y);
        EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenMenu) << x << "," << y;
    }
    StoryLevelMax(1);
    ClickAndLoad(300, 180);
    ASSERT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMap));
    ClickAndLoad(300, 455); // between the map's buttons
    EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMap));
    EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenMap);
}

} // namespace
} // namespace Vuro::Test
