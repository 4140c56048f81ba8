// Screen switching: each target's begin, loading work and finish, the task counters the loading
// bars read, the screens attached and dropped, the finish's wait and the music.

#include "GameAppFixture.h"

#include "framework/widgets/ButtonWidget.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardLoading.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardStory.h"
#include "game/screens/BoardSurvive.h"
#include "game/screens/BoardTitres.h"

namespace Vuro::Test {
namespace {

using Strings = std::vector<std::string>;

class GameAppSwitchTest : public GameAppFixture {
protected:
    void SetUp() override {
        // The credits' texts, read when the credits open after a mode's end.
        WriteText("local/700.xml", "<HelpText><Text1 value=\"Thanks\"/></HelpText>\n");
        StartToMenu();
    }

    void Switch(int previous, int target) {
        mApp->mPreviousScreenId = previous;
        mApp->mTargetScreenId = target;
        mApp->SwitchScreen();
    }
    // The attached screens bottom to top, by the field that holds them (the map's buttons, which
    // come and go with it, left out).
    Strings AttachedNames() const {
        Strings names;
        for (Widget* widget : mApp->mWidgetManager->mWidgets) {
            BoardMap* map = mApp->mMap;
            if (map == nullptr || (widget != map->mBackButton && widget != map->mPlayButton)) {
                names.push_back(Name(widget));
            }
        }
        return names;
    }
    std::string Name(Widget* widget) const {
        const std::pair<Widget*, const char*> fields[] = {
            {mApp->mIntro, "intro"},           {mApp->mMenu, "menu"},
            {mApp->mStoryBoard, "story"},      {mApp->mSurviveBoard, "survive"},
            {mApp->mLoadingScreen, "loading"}, {mApp->mMap, "map"},
            {mApp->mTitres, "titres"},         {mApp->mReplacedMenu, "old menu"}};
        for (const auto& [field, name] : fields) {
            if (field != nullptr && field == widget) {
                return name;
            }
        }
        return widget == nullptr ? "none" : "?";
    }
    // The music asked for since the last call; the level tunes 4..6 read "play level".
    Strings MusicSince() {
        Strings log;
        for (const std::string& entry : mApp->Music().mLog) {
            bool level = entry == "play 4" || entry == "play 5" || entry == "play 6";
            log.push_back(level ? "play level" : entry);
        }
        mApp->Music().mLog.clear();
        return log;
    }
};

TEST_F(GameAppSwitchTest, EveryTargetLoadsItsScreensAndFinishesWithItsCountersAndMusic) {
    WriteProfile("Gardner"); // the menu attached again asks for no name
    struct Step {
        int previous;
        int target;
        int mapModeBefore;
        std::pair<int, int> loaded;   // total / done when the loading work has ended
        std::pair<int, int> finished; // total / done after the finish
        bool waits;                   // the finish waited for the menu's loading work
        Strings attached;             // bottom to top
        const char* current;
        int mapModeAfter;
        Strings music;
    };
    const Step steps[] = {
        {1, 5, 1, {0, 0}, {10, 0}, false, {"menu", "map"}, "map", 1, {}},
        {5, 1, 1, {10, 0}, {10, 0}, false, {"menu"}, "menu", 1, {}},
        {1, 6, 1, {0, 0}, {10, 0}, false, {"menu", "titres"}, "titres", 1, {}},
        {6, 5, 1, {0, 0}, {10, 0}, false, {"menu", "map"}, "map", 1, {}},
        {5,
         2,
         1,
         {10, 9},
         {10, 0},
         false,
         {"story"},
         "story",
         1,
         {"stop all", "stop all", "play level"}},
        {2, 7, 1, {10, 16}, {0, 0}, true, {"menu", "map"}, "map", 1, {"pause all", "play 1"}},
        {5,
         3,
         0,
         {10, 9},
         {10, 0},
         false,
         {"survive"},
         "survive",
         0,
         {"stop all", "stop all", "play level"}},
        {3,
         8,
         99,
         {10, 16},
         {0, 0},
         true,
         {"menu", "titres"},
         "titres",
         0,
         {"pause all", "stop all", "play 1"}},
        {6, 1, 0, {16, 16}, {0, 0}, true, {"menu"}, "menu", 0, {}},
    };
    MusicSince();
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.previous) + " -> " + std::to_string(step.target));
        mApp->mMapMode = step.mapModeBefore;
        Switch(step.previous, step.target);
        WaitForLoadingWork();
        EXPECT_EQ(std::make_pair(mApp->mNumLoadingThreadTasks.load(),
                                 mApp->mCompletedLoadingThreadTasks.load()),
                  step.loaded);
        uint32_t sleptBefore = mClock.SleptMs();
        ASSERT_TRUE(StepUntilLoaded());
        uint32_t slept = mClock.SleptMs() - sleptBefore;
        EXPECT_EQ(slept >= GameApp::kFinishWaitMs, step.waits) << slept;
        EXPECT_LT(slept, 2 * GameApp::kFinishWaitMs);
        EXPECT_EQ(std::make_pair(mApp->mNumLoadingThreadTasks.load(),
                                 mApp->mCompletedLoadingThreadTasks.load()),
                  step.finished);
        EXPECT_EQ(AttachedNames(), step.attached);
        EXPECT_EQ(Name(mApp->mCurrentScreen), step.current);
        EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, mApp->mCurrentScreen);
        EXPECT_EQ(mApp->mMapMode, step.mapModeAfter);
        EXPECT_EQ(MusicSince(), step.music);
        EXPECT_TRUE(mApp->mSafeDeleteQueue.empty()) << "dropped screens are deleted";
        EXPECT_EQ(mApp->mReplacedMenu, nullptr);
    }
}

TEST_F(GameAppSwitchTest, TheLoadingWorkReadsTheRecordAndTheMapMode) {
    PlayerRecord record;
    mApp->mProfileManager.GetRecord(&record);
    record.storyLevel = 12;
    record.survivalLevel = 2;
    mApp->mProfileManager.SetRecord(record);

    mApp->mMapMode = GameApp::kMapModeSurvival;
    Switch(1, 5);
    ASSERT_TRUE(StepUntilLoaded());
    EXPECT_FALSE(mApp->mMap->mStory);
    Switch(5, 2);
    // The loading screen shows the level's progress meanwhile.
    EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mLoadingScreen));
    ASSERT_TRUE(StepUntilLoaded());
    EXPECT_EQ(mApp->mStoryBoard->GetField().GetLevel(), 13);
    EXPECT_FALSE(mApp->mStoryBoard->GetField().IsSurvival());
    EXPECT_EQ(mApp->mStoryBoard->GetView().GetImages(), &mApp->mStoryBoard->GetImages());
    EXPECT_NE(mApp->mStoryBoard->GetImages().mEmpty, nullptr);
    Switch(2, 7);
    ASSERT_TRUE(StepUntilLoaded());
    Switch(5, 3);
    ASSERT_TRUE(StepUntilLoaded());
    EXPECT_EQ(mApp->mSurviveBoard->GetField().GetLevel(), 3);
    EXPECT_TRUE(mApp->mSurviveBoard->GetField().IsSurvival());
    Switch(3, 8);
    ASSERT_TRUE(StepUntilLoaded());
    EXPECT_FALSE(mApp->mTitres->mStartWithPicture) << "after a mode's end: the credits";
    EXPECT_EQ(mApp->mMenu->mInfoTexts[0], "Thanks") << "the credits' texts are read";
}

TEST_F(GameAppSwitchTest, InPlaybackEachLoadingWorkCompletesAtItsOwnRecordedTick) {
    // The first completion's record must not let every later loading work complete at once.
    mApp->mPlayingDemoBuffer = true; // an empty stream: no record is ever due
    mApp->mDemoLoadingComplete = true;
    Switch(1, 5);
    WaitForLoadingWork();
    EXPECT_FALSE(StepUntil([&] { return mApp->mLoaded.load(); }, 50));
    mApp->mDemoLoadingComplete = true; // as its record replays
    EXPECT_TRUE(StepUntil([&] { return mApp->mLoaded.load(); }));
    EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMap));
    mApp->mPlayingDemoBuffer = false;
}

TEST_F(GameAppSwitchTest, TargetsOutsideTheTableChangeNothing) {
    for (int target : {0, 4, 9, -1}) {
        Switch(1, target);
        EXPECT_FALSE(mApp->mLoadingThreadRunning) << target;
        EXPECT_EQ(AttachedNames(), (Strings{"menu"}));
        EXPECT_EQ(mApp->mNumLoadingThreadTasks, 0);
    }
}

TEST_F(GameAppSwitchTest, AMenuWhoseLoadingNeverCompletesEndsTheProgramAfterSixWaits) {
    Switch(1, 2);
    ASSERT_TRUE(StepUntilLoaded());
    Switch(2, 7);
    WaitForLoadingWork();
    mApp->mNumLoadingThreadTasks = 99; // more than the loader counts
    mWindows.mBoxes.clear();
    uint32_t sleptBefore = mClock.SleptMs();
    ExitTrap trap;
    try {
        (void)StepUntilLoaded();
        FAIL() << "the finish went on";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    uint32_t slept = mClock.SleptMs() - sleptBefore;
    EXPECT_GE(slept, GameApp::kFinishWaitTries * GameApp::kFinishWaitMs);
    EXPECT_LT(slept, GameApp::kFinishWaitTries * GameApp::kFinishWaitMs + 100);
    EXPECT_EQ(Boxes(), (Strings{"Error: Failed to load Menu data.\nApplication will be "
                                "trminated.\nPlease donwload & install game again.",
                                "Information: Please reinstall or download game again"}));
    EXPECT_FALSE(Attached(mApp->mMenu));
}

TEST_F(GameAppSwitchTest, NoFinishAttachesAnythingOnceShutdownIsAsked) {
    Switch(1, 2);
    ASSERT_TRUE(StepUntilLoaded());
    Switch(2, 7);
    WaitForLoadingWork();
    mApp->mShutdownRequested = true;
    mApp->FinishMenuMapScreen();
    mApp->FinishStoryScreen();
    EXPECT_EQ(AttachedNames(), (Strings{"story", "loading"}));
}

} // namespace
} // namespace Vuro::Test
