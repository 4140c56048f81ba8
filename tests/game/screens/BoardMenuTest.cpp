// The main menu on the fake clock: its hot regions and highlights, what each button opens, the
// state words its dialogs and screens write, the busy flag, the information page and the first
// start without a profile list.

#include "game/screens/BoardMenu.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListWidget.h"
#include "game/app/GameAppFixture.h"
#include "game/screens/BoardScores.h"
#include "game/screens/OptionsDialog.h"
#include "game/screens/ProfileDialog.h"
#include "game/screens/SimpleDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace Vuro::Test {
namespace {

class BoardMenuTest : public GameAppFixture {
protected:
    void SetUp() override {
        WriteProfile("Gardner");
        StartToMenu();
        mMenu = mApp->mMenu;
        ASSERT_TRUE(Attached(mMenu));
        mSounds->mLoaded.insert(2);
    }
    // A press and a release at one point.
    void Click(int x, int y) {
        mMenu->DoAction(x, y, BoardMenu::kMousePress);
        mMenu->DoAction(x, y, BoardMenu::kMouseRelease);
    }
    void Tick() {
        ++mApp->mUpdateCount;
        mMenu->Update();
    }
    int Clicks() const {
        int clicks = 0;
        for (const auto& instance : mSounds->mInstances) {
            clicks += instance->mId == 2 ? 1 : 0;
        }
        return clicks;
    }

    BoardMenu* mMenu = nullptr;
};

TEST_F(BoardMenuTest, HotRegionsLightTheirButtonsAndEveryCallClearsTheLast) {
    struct Case {
        int x, y, kind;
        int hovered, pressed;
        bool icon, iconPressed;
    };
    const Case cases[] = {
        {249, 156, 0, 3, 0, false, false}, // the column's corner
        {248, 156, 0, 0, 0, false, false}, // just outside it
        {358, 259, 1, 4, 4, false, false},
        {300, 210, 0, 0, 0, false, false}, // between buttons 3 and 4
        {300, 306, 0, 5, 0, false, false},
        {300, 315, 1, 6, 6, false, false},
        {300, 400, 0, 7, 0, false, false},
        {530, 406, 0, 2, 0, false, false},
        {612, 451, 1, 2, 2, false, false},
        {613, 451, 0, 0, 0, false, false},
        {222, 78, 0, 0, 0, true, false},
        {0, 1, 1, 0, 0, true, true},
        {100, 0, 0, 0, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        mMenu->DoAction(c.x, c.y, c.kind);
        EXPECT_EQ(mMenu->mHoveredButton, c.hovered);
        EXPECT_EQ(mMenu->mPressedButton, c.pressed);
        EXPECT_EQ(mMenu->mIconHover, c.icon);
        EXPECT_EQ(mMenu->mIconPressed, c.iconPressed);
        EXPECT_FALSE(mMenu->mBusy);
    }
}

TEST_F(BoardMenuTest, OptionsKeepTheMenuBusyUntilTheyCloseHoweverTheyClose) {
    Click(300, 280);
    auto* options = dynamic_cast<OptionsDialog*>(mApp->GetDialog(BoardMenu::kOptionsDialogId));
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(mMenu->mBusy);
    EXPECT_EQ(Clicks(), 1);
    Click(300, 400);
    EXPECT_EQ(mApp->GetDialog(0), nullptr) << "clicks are ignored while busy";
    EXPECT_EQ(mMenu->mScoreBoard, nullptr);

    // Its own button writes 777, which the next update turns into idle.
    options->ButtonClick(DialogButtonYes);
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateDialogClosed);
    Tick();
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_FALSE(mMenu->mBusy);

    // Closed without its answer (another dialog or a focus change closing it), the menu answers
    // again after the next update.
    Click(300, 280);
    ASSERT_TRUE(mMenu->mBusy);
    ASSERT_TRUE(mApp->CloseDialog(BoardMenu::kOptionsDialogId));
    Tick();
    EXPECT_FALSE(mMenu->mBusy);
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
}

TEST_F(BoardMenuTest, TheExitQuestionCancelsOrShutsDown) {
    Click(560, 420);
    auto* question = dynamic_cast<SimpleDialog*>(mApp->GetDialog(BoardMenu::kExitDialogId));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->mMode, SimpleDialog::Question);
    EXPECT_EQ(question->mDialogHeader, mMenu->mMenuTexts[0]);
    EXPECT_EQ(question->mDialogLines, mMenu->mMenuTexts[1]);
    question->ButtonClick(SimpleDialog::kCancelButtonId);
    Tick();
    EXPECT_FALSE(mMenu->mBusy);
    EXPECT_FALSE(mApp->mShutdown || mApp->mShutdownRequested);

    Click(560, 420);
    auto* again = dynamic_cast<SimpleDialog*>(mApp->GetDialog(BoardMenu::kExitDialogId));
    ASSERT_NE(again, nullptr);
    again->ButtonClick(SimpleDialog::kAcceptButtonId);
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateQuit);
    Tick();
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_TRUE(mApp->mShutdown || mApp->mShutdownRequested);
}

TEST_F(BoardMenuTest, TheScoreBoardClosesThroughStateOne) {
    Click(300, 380);
    ASSERT_NE(mMenu->mScoreBoard, nullptr);
    EXPECT_TRUE(Attached(mMenu->mScoreBoard));
    EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, mMenu->mScoreBoard);
    mMenu->mState = BoardMenu::kStateCloseScores;
    Tick();
    EXPECT_EQ(mMenu->mScoreBoard, nullptr);
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_FALSE(mMenu->mBusy);
}

TEST_F(BoardMenuTest, TheInformationPageScrollsOnItsOwnTicksAndAnyReleaseEndsIt) {
    // Missing information file: the menu stays idle, button 6 lit.
    Click(300, 330);
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_FALSE(mMenu->mBusy);
    EXPECT_EQ(mMenu->mHoveredButton, 6);

    WriteText("local/700.xml",
              "<HelpText><Text1 value=\"Info\"/><Text10 value=\"End\"/></HelpText>");
    mApp->mUpdateCount = 12345;
    Click(300, 330);
    ASSERT_EQ(mMenu->mState, BoardMenu::kStateInfoPage);
    EXPECT_EQ(mMenu->mInfoTexts[0], "Info");
    // The page leaves the update count (the demos' clock) where it was.
    EXPECT_EQ(mApp->mUpdateCount, 12345);
    EXPECT_EQ(mMenu->mInfoScroll, 200);
    for (int i = 0; i < 10; ++i) {
        Tick();
    }
    EXPECT_EQ(mMenu->mInfoScroll, 199);
    // 870 steps of 10 ticks in all: text 10 (at scroll + 650) above -19.
    for (int i = 0; i < 8680 && mMenu->mState == BoardMenu::kStateInfoPage; ++i) {
        Tick();
    }
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateInfoPage);
    for (int i = 0; i < 10; ++i) {
        Tick();
    }
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_EQ(mMenu->mInfoScroll, 200 - 870);
    EXPECT_FALSE(mMenu->mBusy);

    Click(300, 330);
    ASSERT_EQ(mMenu->mState, BoardMenu::kStateInfoPage);
    const int clicks = Clicks();
    mMenu->MouseUp(5, 5, 1);
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_FALSE(mMenu->mBusy);
    EXPECT_EQ(Clicks(), clicks + 1);
}

TEST_F(BoardMenuTest, TheNameUnderTheIconIsTheCurrentPlayersOrTheDefaultWhileOneIsNamed) {
    EXPECT_EQ(mMenu->DisplayedName(), "Gardner");
    mMenu->mState = BoardMenu::kStateLastProfileDeleted;
    EXPECT_EQ(mMenu->DisplayedName(), "Player");
}

TEST_F(BoardMenuTest, AStoryNotBegunStartsWithThePrologue) {
    Click(300, 180);
    EXPECT_TRUE(mMenu->mBusy);
    EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenTitres);
    EXPECT_EQ(mApp->mPreviousScreenId, GameApp::kScreenMenu);
    EXPECT_EQ(mApp->mMapMode, GameApp::kMapModeStory);
    WaitForLoadingWork();
}

using FirstStartTest = GameAppFixture;

TEST_F(FirstStartTest, WithoutAProfileListTheMenuAsksForANameThatCannotBeCancelled) {
    mSounds->mLoaded.insert(2);
    mApp->InitGame();
    ASSERT_TRUE(StepUntilLoaded());
    mApp->FinishMenuScreen();
    auto* profiles = dynamic_cast<ProfileDialog*>(mApp->GetDialog(BoardMenu::kProfileDialogId));
    ASSERT_NE(profiles, nullptr);
    EXPECT_FALSE(mSounds->mInstances.empty()) << "the click of the profile icon";
    EXPECT_EQ(profiles->mResultCode, ProfileDialog::kNoProfile);
    profiles->Update();
    auto* question = dynamic_cast<SimpleDialog*>(mApp->GetDialog(0));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->mMode, SimpleDialog::AskNameNoCancel);
    question->EditTextEntered(SimpleDialog::kEditId, "Mira");
    profiles->Update();
    EXPECT_EQ(profiles->mList->GetLine(0), "Mira");
    profiles->ButtonClick(ProfileDialog::kOkButtonId);
    EXPECT_TRUE(std::filesystem::exists("data/profile.dat"));
    EXPECT_TRUE(std::filesystem::exists("data/Mira.pf"));
    EXPECT_EQ(mApp->mMenu->DisplayedName(), "Mira");
}

} // namespace
} // namespace Vuro::Test
