// The stage map's screen on the fakes: its regions, the messages after a visit and on clicks on
// stages not opened (refusal when too poor, the offer and its answers), the difficulty
// question, the buttons that save the copy and leave, and a missing message file.

#include "MapFixture.h"

#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/BoardStory.h"
#include "game/screens/BoardSurvive.h"

namespace Vuro::Test {
namespace {

using Samples = std::vector<uint32_t>;

// A point inside region 1..6 and clear of the level points of other regions; 0: outside all.
constexpr std::pair<int, int> kInRegion[] = {{600, 20},  {200, 400}, {250, 340}, {100, 250},
                                             {300, 100}, {500, 100}, {300, 200}};

class BoardMapScreenTest : public MapFixture {
protected:
    void ClickRegion(int region) { Click(kInRegion[region].first, kInRegion[region].second); }
};

TEST_F(BoardMapScreenTest, RegionsFollowTheirBandsAndTheCaptionKeepsTheHoveredOne) {
    const struct {
        int x, y, region;
    } cases[] = {
        {107, 135, 3}, {184, 152, 3}, {219, 45, 4},  {185, 86, 4},  {440, 60, 5},  {571, 152, 5},
        {16, 153, 3},  {204, 175, 6}, {319, 153, 6}, {204, 153, 4}, {426, 174, 4}, {635, 266, 5},
        {115, 370, 1}, {275, 465, 1}, {186, 267, 2}, {174, 300, 2}, {380, 369, 2}, {433, 424, 2},
        {54, 267, 3},  {98, 343, 3},  {241, 267, 6}, {408, 315, 6}, {494, 267, 5}, {555, 284, 5},
        {600, 20, 0},  {50, 400, 0},  {97, 330, 0},  {500, 300, 0}, {300, 466, 0}, {106, 140, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BoardMap::RegionAt(c.x, c.y), c.region) << c.x << "," << c.y;
    }
    BoardMap* map = ShowMap(true);
    map->MouseMove(300, 100);
    map->MouseMove(500, 400); // the caption
    EXPECT_EQ(map->mHoveredRegion, 4);
    EXPECT_TRUE(map->mCaptionHovered);
    map->MouseMove(600, 20);
    EXPECT_EQ(map->mHoveredRegion, 0);
    EXPECT_FALSE(map->mCaptionHovered);
}

TEST_F(BoardMapScreenTest, AFinishedStageShowsItsMessageOnTheFirstActiveUpdateOfEveryVisit) {
    SetProgress({13, 13, 1});
    for (int visit = 0; visit < 2; ++visit) {
        BoardMap* map = ShowMap(true);
        EXPECT_EQ(Shown(), "ok 602");
        EXPECT_EQ(SamplesSince(), (Samples{SampleId::kQuestion}));
        EXPECT_EQ(map->mMessageCode, BoardMap::kNoMessage);
        Answer(true);
        EXPECT_EQ(map->mMessageCode, BoardMap::kMessageClosed);
        StepUpdates(2);
        EXPECT_EQ(Shown(), "none");
        EXPECT_EQ(SamplesSince(), (Samples{SampleId::kClick}));
        ButtonWidget* back = map->mBackButton;
        Click(back->mX, back->mY);
        ASSERT_TRUE(StepUntilLoaded());
    }
}

TEST_F(BoardMapScreenTest, SurvivalVisitsShowTheOpenedOrTheWaitingLevel) {
    struct Case {
        int stagesOpened;
        int pending;
        std::string shown;
        Samples samples;
    };
    const Case cases[] = {
        {3, 1, "ok 613", {}},
        {2, 2, "ok 623", {SampleId::kMessage}},
        {5, 2, "none", {}}, // code 6 shows nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        SetProgress({0, 0, c.stagesOpened, 0, false, c.stagesOpened, c.stagesOpened});
        mApp->mMapMessage = c.pending;
        BoardMap* map = ShowMap(false);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(SamplesSince(), c.samples);
        EXPECT_EQ(mApp->mMapMessage, 0);
        if (c.shown != "none") {
            Answer(true);
        }
        ButtonWidget* back = map->mBackButton;
        Click(back->mX, back->mY);
        ASSERT_TRUE(StepUntilLoaded());
    }
}

TEST_F(BoardMapScreenTest, AStoryClickOnAStageNotOpenedRefusesOffersOrBuys) {
    struct Case {
        const char* name;
        Progress progress;
        int region;
        std::string shown;
        uint32_t sound;
        bool accept;
        int stagesAfter;
        int balanceAfter;
    };
    const Case cases[] = {
        {"not reached", {5, 5, 0, 90000}, 2, "ok 691", SampleId::kMessage, true, 0, 90000},
        {"too poor", {6, 6, 0, 6499}, 2, "ok 661", SampleId::kMessage, true, 0, 6499},
        {"offer declined", {6, 6, 0, 6500}, 2, "question 671", SampleId::kQuestion, false, 0, 6500},
        {"bought", {6, 6, 0, 6500}, 2, "question 671", SampleId::kQuestion, true, 1, 0},
        {"easy too poor",
         {21, 21, 2, 11999, true},
         4,
         "ok 643",
         SampleId::kMessage,
         true,
         2,
         11999},
        {"easy bought",
         {21, 21, 2, 12000, true},
         4,
         "question 653",
         SampleId::kQuestion,
         true,
         3,
         2000},
        // Stage 3 offered while stage 2 is still closed buys stage 2 at its price.
        {"first closed stage bought",
         {13, 13, 0, 10000},
         3,
         "question 672",
         SampleId::kQuestion,
         true,
         1,
         3500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetProgress(c.progress);
        mApp->mMapMessage = 0;
        BoardMap* map = ShowMap(true);
        if (Shown() != "none") {
            Answer(true); // the finished stage's message
        }
        SamplesSince();
        ClickRegion(c.region);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(SamplesSince(), Samples{c.sound});
        Answer(c.accept);
        StepUpdates(2);
        EXPECT_EQ(Shown(), "none");
        int opened = 0;
        while (opened < 5 && map->mRecord.stageUnlocked[opened] != 0) {
            ++opened;
        }
        EXPECT_EQ(opened, c.stagesAfter);
        EXPECT_EQ(map->mRecord.totalScore, c.balanceAfter);
        ButtonWidget* back = map->mBackButton;
        Click(back->mX, back->mY);
        ASSERT_TRUE(StepUntilLoaded());
        EXPECT_EQ(SavedRecord().totalScore, c.balanceAfter);
    }
}

TEST_F(BoardMapScreenTest, ClicksOnOpenedRegionsSelectAndClicksOutsideDoNothing) {
    SetProgress({3, 8, 1});
    BoardMap* map = ShowMap(true);
    SamplesSince();
    Click(285 + 5, 319 + 5); // point 9 in region 2, opened
    EXPECT_EQ(map->mRecord.storyLevel, 8) << "beyond the highest selects the highest";
    Click(160 + 5, 414 + 5); // point 1 in region 1
    EXPECT_EQ(map->mRecord.storyLevel, 1);
    EXPECT_EQ(SamplesSince(), (Samples{SampleId::kSelect, SampleId::kSelect}));
    ClickRegion(0);
    EXPECT_EQ(SamplesSince(), Samples{});
    EXPECT_EQ(Shown(), "none");

    ButtonWidget* back = map->mBackButton;
    Click(back->mX, back->mY);
    ASSERT_TRUE(StepUntilLoaded());
    SetProgress({0, 0, 1, 0, false, 0, 1});
    BoardMap* survival = ShowMap(false);
    SamplesSince();
    ClickRegion(3);
    EXPECT_EQ(Shown(), "ok 622");
    EXPECT_EQ(SamplesSince(), Samples{SampleId::kMessage});
    Answer(true);
    ClickRegion(2);
    EXPECT_EQ(survival->mRecord.survivalLevel, 1);
}

TEST_F(BoardMapScreenTest, TheDifficultyQuestionSwitchesOnYesOnly) {
    SetProgress({2, 2, 0, 0, false});
    BoardMap* map = ShowMap(true);
    map->MouseMove(550, 400);
    for (bool yes : {false, true, true}) {
        const bool easyBefore = map->mRecord.easyMode != 0;
        Click(550, 400);
        EXPECT_EQ(Shown(), easyBefore ? "question 680" : "question 681");
        EXPECT_EQ(map->mMessageCode, BoardMap::kDifficultyQuestion);
        EXPECT_TRUE(map->mCaptionHovered);
        Answer(yes); // and the update that acts on the answer
        EXPECT_EQ(map->mMessageCode, BoardMap::kNoMessage);
        EXPECT_EQ(map->mRecord.easyMode != 0, yes ? !easyBefore : easyBefore);
    }
    EXPECT_EQ(Record().easyMode, 0) << "saved with the next save only";
}

TEST_F(BoardMapScreenTest, ALostHardLevelAsksForEasyModeInPlaceOfTheStageMessage) {
    SetProgress({6, 6, 0, 0, true});
    mApp->mMapMessage = 333;
    BoardMap* map = ShowMap(true);
    EXPECT_EQ(Shown(), "question 681");
    EXPECT_EQ(mApp->mMapMessage, 0);
    Answer(false);
    StepUpdates(2);
    EXPECT_EQ(Shown(), "none") << "the stage message of this visit is not shown";
    EXPECT_EQ(map->mRecord.easyMode, 1);
}

TEST_F(BoardMapScreenTest, ThePlayButtonSavesTheCopyAndStartsTheBoardOfTheMode) {
    for (bool story : {true, false}) {
        SCOPED_TRACE(story ? "story" : "survival");
        SetProgress({2, 4, 3, 0, false, 1, 3});
        BoardMap* map = ShowMap(story);
        if (story) {
            Click(160 + 5, 414 + 5);
        } else {
            ClickRegion(3);
        }
        ButtonWidget* play = map->mPlayButton;
        EXPECT_EQ(play->mX, 520);
        EXPECT_EQ(play->mY, 440);
        EXPECT_EQ(play->mLabel, mApp->GetHelpText(8));
        SamplesSince();
        Click(play->mX + 50, play->mY + 10);
        EXPECT_EQ(SamplesSince(), Samples{SampleId::kClick});
        EXPECT_EQ(mApp->mPreviousScreenId, GameApp::kScreenMap);
        EXPECT_EQ(mApp->mTargetScreenId, story ? GameApp::kScreenStory : GameApp::kScreenSurvive);
        EXPECT_EQ(SavedRecord().storyLevel, story ? 1 : 2);
        EXPECT_EQ(SavedRecord().survivalLevel, story ? 1 : 2);
        ASSERT_TRUE(StepUntilLoaded());
        // Back to the menu as a level's end does.
        mApp->mPreviousScreenId = mApp->mTargetScreenId;
        mApp->mTargetScreenId = GameApp::kScreenMenuMap;
        mApp->SwitchScreen();
        ASSERT_TRUE(StepUntilLoaded());
        Click(mApp->mMap->mBackButton->mX, mApp->mMap->mBackButton->mY);
        ASSERT_TRUE(StepUntilLoaded());
        EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMenu));
    }
}

TEST_F(BoardMapScreenTest, AMissingMessageFileEndsTheProgramWithItsName) {
    std::filesystem::remove("local/602.xml");
    SetProgress({13, 13, 1});
    ExitTrap trap;
    try {
        ShowMap(true);
        FAIL() << "no exit";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().front(), "Error: There was an error loading the file: local\\602.xml");
}

} // namespace
} // namespace Vuro::Test
