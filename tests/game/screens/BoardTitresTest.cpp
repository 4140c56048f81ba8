// The story's first picture and the credits on the fake clock: the signpost's hot spot, the
// credits opened after a mode's end with their texts read (or without them when the file is
// missing), their scroll and paintings, and their return to the menu.

#include "game/screens/BoardTitres.h"
#include "game/app/GameAppFixture.h"
#include "game/screens/BoardMenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

namespace Vuro::Test {
namespace {

class BoardTitresTest : public GameAppFixture {
protected:
    void SetUp() override {
        WriteProfile("Gardner");
        StartToMenu();
        mSounds->mLoaded.insert(2);
        WriteText("local/700.xml", "<HelpText><Text1 value=\"Thanks\"/><Text10 value=\"Bye\"/>"
                                   "</HelpText>\n");
    }
    // The switch a screen starts, run to its end.
    BoardTitres* SwitchTo(int target) {
        mApp->mPreviousScreenId = GameApp::kScreenMenu;
        mApp->mTargetScreenId = target;
        mApp->SwitchScreen();
        EXPECT_TRUE(StepUntilLoaded());
        EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mTitres));
        return mApp->mTitres;
    }
    void Click(int x, int y) {
        mApp->mWidgetManager->MouseMove(x, y);
        mApp->mWidgetManager->MouseDown(x, y, 1);
        mApp->mWidgetManager->MouseUp(x, y, 1);
    }
    int Clicks() const {
        int clicks = 0;
        for (const auto& instance : mSounds->mInstances) {
            clicks += instance->mId == 2 ? 1 : 0;
        }
        return clicks;
    }
};

TEST_F(BoardTitresTest, TheFirstPicturesSignpostLeadsToTheMapOnce) {
    BoardTitres* titres = SwitchTo(GameApp::kScreenTitres);
    EXPECT_EQ(titres->mPhase, BoardTitres::kFirstPicture);
    for (auto [x, y, over] : {std::tuple{449, 415, false},
                              {450, 415, true},
                              {576, 475, true},
                              {577, 475, false},
                              {500, 414, false},
                              {500, 476, false}}) {
        titres->MouseMove(x, y);
        EXPECT_EQ(titres->mHover, over) << x << "," << y;
    }
    Click(300, 300);
    EXPECT_EQ(Clicks(), 0) << "beside the signpost";
    Click(500, 445);
    Click(500, 445);
    EXPECT_EQ(Clicks(), 1) << "a second click while the switch runs does nothing";
    EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenMap);
    EXPECT_EQ(mApp->mPreviousScreenId, GameApp::kScreenTitres);
}

TEST_F(BoardTitresTest, TheCreditsScrollTheirTextsThenReturnToTheMenu) {
    BoardTitres* titres = SwitchTo(GameApp::kScreenMenuTitres);
    ASSERT_EQ(titres->mPhase, BoardTitres::kSecondPicture);
    // Read for the credits, under a menu whose information page never opened.
    EXPECT_EQ(mApp->mMenu->mInfoTexts[0], "Thanks");
    EXPECT_EQ(mApp->mMenu->mInfoTexts[9], "Bye");
    Click(10, 10);
    ASSERT_EQ(titres->mPhase, BoardTitres::kScrolling);
    EXPECT_EQ(Clicks(), 1);

    // Tick by tick from an update count of 5000: one pixel every 10 updates, a painting every
    // 1000 (the seventh stays), nothing while the application is inactive.
    mApp->mUpdateCount = 5000;
    struct Step {
        int updates; // run since the click
        int scroll;
        int picture;
    };
    const Step steps[] = {{9, 200, 0},     {10, 199, 0},    {999, 101, 0},   {1000, 100, 1},
                          {5999, -399, 5}, {6000, -400, 6}, {8000, -600, 6}, {8699, -669, 6}};
    int run = 0;
    for (const Step& step : steps) {
        for (; run < step.updates; ++run) {
            ++mApp->mUpdateCount;
            titres->Update();
        }
        EXPECT_EQ(titres->mScroll, step.scroll) << step.updates;
        EXPECT_EQ(titres->mPicture, step.picture) << step.updates;
        EXPECT_EQ(titres->mPhase, BoardTitres::kScrolling) << step.updates;
    }
    // The 8700th update, first while inactive.
    ++mApp->mUpdateCount;
    mApp->mHasFocus = false;
    titres->Update();
    EXPECT_EQ(titres->mScroll, -669) << "inactive";
    mApp->mHasFocus = true;
    titres->Update();
    EXPECT_EQ(titres->mScroll, -670);
    EXPECT_EQ(titres->mPhase, BoardTitres::kFinished);
    EXPECT_EQ(mApp->mTargetScreenId, GameApp::kScreenMenu);
    EXPECT_EQ(mApp->mPreviousScreenId, GameApp::kScreenTitres);
    ASSERT_TRUE(StepUntilLoaded());
    EXPECT_EQ(mApp->mTitres, nullptr);
    EXPECT_EQ(mApp->mCurrentScreen, static_cast<Widget*>(mApp->mMenu));
}

TEST_F(BoardTitresTest, CreditsWithoutTheirTextFileRunWithoutTheirLinesAndShowNoBox) {
    std::filesystem::remove("local/700.xml");
    BoardTitres* titres = SwitchTo(GameApp::kScreenMenuTitres);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(titres->mPhase, BoardTitres::kSecondPicture);
    for (const std::string& text : mApp->mMenu->mInfoTexts) {
        EXPECT_TRUE(text.empty());
    }
    Click(10, 10);
    EXPECT_EQ(titres->mPhase, BoardTitres::kScrolling);
}

} // namespace
} // namespace Vuro::Test
