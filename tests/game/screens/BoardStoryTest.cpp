// The story board on the fake clock: a level from loading to its won and its lost end with the
// end picture, the curtain, the record saved and the statistics screen; the pause screen; the
// help panel; the in-game question; the progress rules.

#include "BoardFixture.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/DialogButton.h"
#include "game/screens/BoardH.h"
#include "game/screens/BoardMap.h"
#include "game/screens/BoardStat.h"
#include "game/screens/InGameDialog.h"
#include "support/DisplayRig.h"

#include <cstdlib>
#include <filesystem>

namespace Vuro::Test {
namespace {

using Strings = std::vector<std::string>;

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
// What an opaque picture drawn over opaque black leaves: the blend keeps 255/256 of it.
constexpr uint32_t kGreyDrawn = 0xFF7F7F7F; // the composite of the grey pictures
constexpr uint32_t kRedDrawn = 0xFFFE0000;
constexpr uint32_t kGreenDrawn = 0xFF00FE00;
constexpr uint32_t kBlueDrawn = 0xFF0000FE;

class BoardStoryTest : public BoardFixture {
protected:
    void SetUp() override {
        BoardFixture::SetUp();
        // Pictures whose pixels tell the end picture and the curtain apart from the field.
        WriteTga("images/gameover.tga", 1, 1, {kRed});
        WriteTga("images/levelcompleted.tga", 1, 1, {kGreen});
        WriteTga("images/curtain.tga", 2, 1, {kBlue, kBlue});
    }
    // The level's end, the curtain and the statistics screen, checking the end picture.
    void PlayToStatistics(uint32_t endPicture, int pictureX, int pictureY) {
        ASSERT_TRUE(StepUntil([&] { return mBoard->IsLevelOver(); }));
        EXPECT_EQ(mBoard->GetEndCounter(), 1);
        EXPECT_EQ(DrawnPixel(pictureX, pictureY), kBlack) << "faded in from 0";
        ASSERT_TRUE(StepUntilState(PlayBoard::kCurtain));
        EXPECT_EQ(mBoard->GetEndCounter(), PlayBoard::kEndCounterMax);
        EXPECT_EQ(DrawnPixel(pictureX, pictureY), endPicture);
        EXPECT_TRUE(mBoard->IsCurtainActive());
        ASSERT_TRUE(StepUntil([&] { return mBoard->GetStatBoard() != nullptr; }));
        EXPECT_EQ(mBoard->GetCurtainLeftX(), -61);
        EXPECT_EQ(mBoard->GetCurtainRightX(), 320);
        EXPECT_EQ(DrawnPixel(325, 0), kBlueDrawn) << "the right half, three curtain pictures";
        EXPECT_EQ(DrawnPixel(326, 0), kBlack);
        EXPECT_EQ(mBoard->GetState(), PlayBoard::kWait);
        EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, static_cast<Widget*>(mBoard->GetStatBoard()));
    }
    void CloseStatistics() {
        ButtonWidget* ok = mBoard->GetStatBoard()->GetOkButton();
        Click(ok->mX, ok->mY);
        EXPECT_EQ(mBoard->GetState(), PlayBoard::kStatsClosed);
        EXPECT_EQ(SamplesSince().back(), 2u);
    }
};

TEST_F(BoardStoryTest, AWonLevelFadesInItsPictureClosesTheCurtainSavesTheProgressAndGoesOn) {
    Enter(false, 0, LevelText(0, 2, {}));
    EXPECT_EQ(mBoard->GetField().GetLevel(), 1);
    EXPECT_EQ(DrawnPixel(0, 0), kGreyDrawn) << "the composite background";
    PlayToStatistics(kGreenDrawn, 101, 146);
    EXPECT_TRUE(mBoard->IsGoalReachedAtEnd());
    // The statistics screen takes the focus from the board, which pauses the music, and
    // resumes it on taking the focus, before its own song starts.
    EXPECT_EQ(mApp->Music().mLog,
              (Strings{"stop all", "play 3", "pause all", "resume all", "stop all", "play 7"}));
    PlayerRecord record = Record();
    EXPECT_EQ(record.storyLevel, 1);
    EXPECT_EQ(record.storyLevelMax, 1);
    EXPECT_EQ(SavedRecord().ToBytes(), record.ToBytes());

    CloseStatistics();
    mApp->Music().mLog.clear();
    ASSERT_TRUE(StepUntil([&] { return mBoard->GetField().GetLevel() == 2; }));
    EXPECT_EQ(mBoard->GetState(), PlayBoard::kPlay) << "the next level in place";
    EXPECT_FALSE(mBoard->IsLevelOver());
    EXPECT_EQ(mBoard->GetStatBoard(), nullptr);
    EXPECT_EQ(mApp->Music().mLog.size(), 2u);
    StepUntil([&] { return mApp->mSafeDeleteQueue.empty(); });
    EXPECT_TRUE(Attached(mApp->mStoryBoard));
}

TEST_F(BoardStoryTest, ALostLevelChangesNoRecordFieldAndLeavesForTheMapWithMessage333) {
    Enter(false, 0, LevelText(1, 2, {}));
    PlayerRecord before = Record();
    PlayToStatistics(kRedDrawn, 111, 184);
    EXPECT_FALSE(mBoard->IsGoalReachedAtEnd());
    EXPECT_EQ(mApp->Music().mLog[1], "play 2");
    EXPECT_EQ(Record().ToBytes(), before.ToBytes());
    EXPECT_EQ(SavedRecord().ToBytes(), before.ToBytes()) << "saved after every level";

    CloseStatistics();
    ASSERT_TRUE(StepUntil([&] { return mApp->mStoryBoard == nullptr; }));
    EXPECT_EQ(mApp->mPreviousScreenId, GameApp::kScreenStory);
    EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenMenuMap);
    ASSERT_TRUE(StepUntilLoaded());
    EXPECT_TRUE(Attached(mApp->mMap));
    EXPECT_EQ(mApp->mMap->mMessageCode, 333) << "the map asks whether to play easy";
    EXPECT_EQ(mApp->mMapMessage, 0);
}

TEST_F(BoardStoryTest, ALevelWhoseTimeLineHoldsTheEndCodeEndsThere) {
    Enter(false, 0, LevelText(0, 60, {{1, 0}}));
    ASSERT_TRUE(StepUntil([&] { return mBoard->IsLevelOver(); }));
    EXPECT_EQ(mBoard->GetField().GetLevelTime(), 59);
    EXPECT_TRUE(StepUntilState(PlayBoard::kCurtain));
}

TEST_F(BoardStoryTest, PauseKeysShowThePauseScreenAndAClickOnlyResumes) {
    Enter(false, 0, LevelText(0, 60, {}));
    for (int key : {32, 13, 27}) {
        SCOPED_TRACE(key);
        StepUntil([&] { return mBoard->GetField().GetElapsedSeconds() >= 1; });
        SamplesSince();
        mApp->mWidgetManager->KeyDown(key);
        mApp->mWidgetManager->KeyUp(key);
        EXPECT_EQ(mBoard->GetState(), PlayBoard::kPaused);
        EXPECT_EQ(SamplesSince(), (std::vector<uint32_t>{2}));
        EXPECT_EQ(DrawnPixel(0, 0), kBlack);
        int timeLeft = mBoard->GetField().GetLevelTime();
        StepUntil([] { return false; }, 2000);
        EXPECT_EQ(mBoard->GetField().GetLevelTime(), timeLeft) << "the level stands still";
        // A click on the menu button only resumes.
        Click(600, 460);
        EXPECT_EQ(mBoard->GetState(), PlayBoard::kPlay);
        EXPECT_EQ(mBoard->GetField().GetEvent(), PlayField::kEventNone);
        EXPECT_EQ(DrawnPixel(0, 0), kGreyDrawn);
    }
    EXPECT_EQ(mApp->Music().mLog, (Strings{"pause all", "resume all", "pause all", "resume all",
                                           "pause all", "resume all"}));
    mApp->LostFocus();
    EXPECT_EQ(mBoard->GetState(), PlayBoard::kPaused) << "losing the focus pauses";
}

TEST_F(BoardStoryTest, TheFieldIsDrawnAgainOnlyAfterATickThatChangedIt) {
    Enter(false, 0, LevelText(1, 600, {}));
    while (mBoard->mUpdateCount % 60 != 0) {
        mApp->UpdateWidgets();
    }
    const int second = mBoard->mUpdateCount;
    // The sky moves every 12 updates and the clock every 60; nothing moves on odd updates
    // that are multiples of neither 3 nor 5.
    const struct {
        int update;
        bool drawn;
    } updates[] = {{1, false}, {11, false}, {12, true}, {13, false},
                   {24, true}, {59, false}, {60, true}};
    for (const auto& update : updates) {
        while (mBoard->mUpdateCount < second + update.update - 1) {
            mApp->UpdateWidgets();
        }
        mBoard->mDirty = false;
        mApp->UpdateWidgets();
        ASSERT_EQ(mBoard->mUpdateCount, second + update.update);
        EXPECT_EQ(mBoard->mDirty, update.drawn) << update.update;
    }
    // The click that ends a pause brings the field back at once.
    mBoard->KeyDown(27);
    mApp->UpdateWidgets();
    mBoard->mDirty = false;
    Click(300, 300);
    EXPECT_EQ(mBoard->GetState(), PlayBoard::kPlay);
    EXPECT_TRUE(mBoard->mDirty);
}

TEST_F(BoardStoryTest, TheHelpPanelOpensOnItsSecondAndClosesByAClickOnceTheDelayHasPassed) {
    WriteText("local/101.xml", "<HelpText><Text1 value=\"one\"/><Text3 value=\"three\"/>"
                               "</HelpText>\n");
    Enter(false, 0, LevelText(0, 60, {{1, 101}}));
    ASSERT_TRUE(StepUntil([&] { return mBoard->IsHelpPanelOpen(); }));
    BoardH* panel = mBoard->GetHelpPanel();
    EXPECT_EQ(mBoard->GetState(), PlayBoard::kWait);
    EXPECT_EQ(SamplesSince(), (std::vector<uint32_t>{23}));
    EXPECT_EQ(panel->GetLine(0), "one");
    EXPECT_EQ(panel->GetLine(1), "");
    EXPECT_EQ(panel->GetLine(2), "three");
    EXPECT_EQ(panel->GetLine(3), "");
    StepUntil([] { return false; }, 40);
    Click(300, 200);
    EXPECT_TRUE(mBoard->IsHelpPanelOpen()) << "too early";
    ASSERT_TRUE(StepUntil([] { return BoardH::GetDelay() >= 1; }));
    for (auto [x, y] : {std::pair{25, 200}, {620, 200}, {300, 160}, {300, 300}}) {
        Click(x, y);
        EXPECT_TRUE(mBoard->IsHelpPanelOpen()) << x << ", " << y;
    }
    int timeLeft = mBoard->GetField().GetLevelTime();
    EXPECT_EQ(mBoard->GetField().GetEvent(), PlayField::kEventLeftButton);
    Click(26, 161);
    EXPECT_FALSE(mBoard->IsHelpPanelOpen());
    EXPECT_EQ(SamplesSince().back(), 2u);
    ASSERT_TRUE(StepUntilState(PlayBoard::kPlay));
    EXPECT_EQ(mBoard->GetHelpPanel(), nullptr);
    EXPECT_EQ(mBoard->GetField().GetEvent(), PlayField::kEventNone);
    EXPECT_EQ(mBoard->GetField().GetLevelTime(), timeLeft) << "the level waited";
}

// The panel's picture has soft, rounded edges over a field that waits under it. Each of the
// panel's frames has the field drawn again under it: its edges keep showing the field as on
// the first frame (blended over their own last frame they would turn hard and dark), in a
// window on the software path and on the 3-D path alike. There the edges and the strip at the
// bottom match: the 3-D path blends with rounding down, so it may be a little darker, by up to
// 3 for one blend and 4 where the panel's edge lies on the sun's glow, two blends deep. A cast
// of the sky's blue into the frame's dark red, as the edges had in 3-D while they faded, lies
// far outside that.
TEST_F(BoardStoryTest, TheHelpPanelsSoftEdgesShowTheStillFieldOnEveryFrameOnBothPaths) {
    constexpr int kTolerance = 4;
    constexpr int kPanelX = 22; // where the panel draws its picture
    constexpr int kPanelY = 110;
    namespace fs = std::filesystem;
    fs::remove_all("images");
    fs::copy(fs::path(VURO_DATA_DIR) / "images", "images", fs::copy_options::recursive);
    Enter(false, 0, LevelText(0, 60, {{1, 101}}));
    ASSERT_TRUE(StepUntil([&] { return mBoard->IsHelpPanelOpen(); }));
    auto shown = [&](bool use3D, int frames) {
        mApp->SetWindowedModeEx(true, use3D, false);
        EXPECT_EQ(mApp->Is3DOn(), use3D);
        const int presented = mApp->mRedrawCount + frames;
        EXPECT_TRUE(StepUntil([&] { return mApp->mRedrawCount >= presented; }));
        return ReadSurface(mApp->mDDInterface->mPrimarySurface.get());
    };
    const std::vector<uint32_t> first = shown(false, 1);
    const std::vector<uint32_t> software = shown(false, 60);
    EXPECT_TRUE(software == first) << "the picture changed while nothing moved";
    const std::vector<uint32_t> threeD = shown(true, 60);
    ASSERT_EQ(threeD.size(), software.size());

    // The panel's soft pixels, then the strip.
    std::vector<size_t> compared;
    auto* panel = dynamic_cast<MemoryImage*>(mBoard->GetImages().mHelpPanel);
    ASSERT_NE(panel, nullptr);
    const uint32_t* bits = panel->GetBits();
    for (int y = 0; y < panel->mHeight; ++y) {
        for (int x = 0; x < panel->mWidth; ++x) {
            const uint32_t alpha = bits[y * panel->mWidth + x] >> 24;
            if (alpha != 0 && alpha != 255) {
                compared.push_back(static_cast<size_t>(y + kPanelY) * kFieldWidth + x + kPanelX);
            }
        }
    }
    EXPECT_GT(compared.size(), 1000u) << "the rounded corners and the tab are soft";
    for (size_t at = kFieldBottom * kFieldWidth; at < software.size(); ++at) {
        compared.push_back(at);
    }
    for (size_t at : compared) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = std::abs(static_cast<int>(software[at] >> shift & 0xFF) -
                                   static_cast<int>(threeD[at] >> shift & 0xFF));
            ASSERT_LE(d, kTolerance)
                << "at " << at % kFieldWidth << ", " << at / kFieldWidth << std::hex
                << ": software " << software[at] << ", 3-D " << threeD[at];
        }
    }
}

TEST_F(BoardStoryTest, TheHelpPanelLosingTheFocusLetsTheBoardPlayOn) {
    Enter(false, 0, LevelText(0, 60, {{1, 101}}));
    ASSERT_TRUE(StepUntil([&] { return mBoard->IsHelpPanelOpen(); }));
    mApp->mWidgetManager->SetFocus(mBoard->GetHelpPanel());
    mApp->mWidgetManager->SetFocus(mBoard);
    EXPECT_FALSE(mBoard->IsHelpPanelOpen());
    EXPECT_TRUE(StepUntilState(PlayBoard::kPlay));
}

TEST_F(BoardStoryTest, TheInGameQuestionPausesTheMusicAndItsButtonsPlayOnOrLeave) {
    Enter(false, 0, LevelText(0, 60, {}));
    for (bool leave : {false, true}) {
        SCOPED_TRACE(leave);
        Click(600, 460);
        ASSERT_TRUE(StepUntilState(PlayBoard::kWait));
        auto* dialog = dynamic_cast<InGameDialog*>(mApp->GetDialog(0));
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(gDialogPause);
        EXPECT_EQ(mApp->Music().mLog.back(), "pause all");
        // The board asks for a height of 160, which the dialog does not take.
        EXPECT_EQ((std::vector<int>{dialog->mX, dialog->mY, dialog->mWidth, dialog->mHeight}),
                  (std::vector<int>{120, 150, 400, 200}));
        EXPECT_EQ(dialog->mDialogHeader, mApp->GetHelpText(27));
        EXPECT_EQ(dialog->mDialogLines, mApp->GetHelpText(28));
        EXPECT_EQ((std::vector<int>{dialog->mLeaveButton->mX, dialog->mLeaveButton->mY,
                                    dialog->mPlayOnButton->mX, dialog->mPlayOnButton->mY}),
                  (std::vector<int>{200, 280, 330, 280}));
        EXPECT_EQ(dialog->mLeaveButton->mLabel, mApp->GetHelpText(1));
        EXPECT_EQ(dialog->mPlayOnButton->mLabel, mApp->GetHelpText(2));
        SamplesSince();
        DialogButton* button = leave ? dialog->mLeaveButton : dialog->mPlayOnButton;
        Click(button->mX, button->mY);
        EXPECT_EQ(mApp->GetDialog(0), nullptr);
        EXPECT_EQ(mBoard->GetState(), leave ? PlayBoard::kQuit : PlayBoard::kResume);
        EXPECT_EQ(SamplesSince(), std::vector<uint32_t>{2});
        if (!leave) {
            ASSERT_TRUE(StepUntilState(PlayBoard::kPlay));
            EXPECT_FALSE(gDialogPause);
            EXPECT_EQ(mApp->Music().mLog.back(), "resume all");
        }
    }
    ASSERT_TRUE(StepUntil([&] { return mApp->mStoryBoard == nullptr; }));
    EXPECT_FALSE(gDialogPause);
    EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenMenuMap);
    EXPECT_EQ(Record().storyLevelMax, 0) << "leaving changes nothing";
}

TEST_F(BoardStoryTest, AWonLevelMovesTheStoryProgressByItsRules) {
    struct Case {
        int level, reached, stagesDone; // before
        int levelAfter, reachedAfter;
        int nextState; // after the statistics screen
        int mapMode;
    };
    const Case cases[] = {
        {5, 5, 0, 5, 6, PlayBoard::kLeave, 1},       // the last of stage 1, stage not done
        {5, 6, 1, 6, 6, PlayBoard::kNextLevel, 1},   // again once stage 1 is done
        {2, 10, 1, 3, 10, PlayBoard::kNextLevel, 1}, // an earlier level replayed
        {5, 10, 0, 5, 10, PlayBoard::kNextLevel, 1}, // held in the first stage not done
        {0, 0, 0, 1, 1, PlayBoard::kNextLevel, 1},
        {42, 42, 5, 42, 42, PlayBoard::kLeave, 99}, // the last level: the game is complete
    };
    Enter(false, 0, LevelText(0, 60, {}));
    auto* board = static_cast<BoardStory*>(mBoard);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        mApp->mMapMode = GameApp::kMapModeStory;
        PlayerRecord record = Record();
        record.storyLevel = c.level;
        record.storyLevelMax = c.reached;
        for (int stage = 0; stage < 5; ++stage) {
            record.stageUnlocked[stage] = stage < c.stagesDone ? 1 : 0;
        }
        board->AdvanceProgress(record);
        EXPECT_EQ(record.storyLevel, c.levelAfter);
        EXPECT_EQ(record.storyLevelMax, c.reachedAfter);
        EXPECT_EQ(mApp->mMapMode, c.mapMode);
        SetRecord(record);
        board->SetState(PlayBoard::kStatsClosed);
        board->Update();
        EXPECT_EQ(board->GetState(), c.nextState);
    }
}

} // namespace
} // namespace Vuro::Test
