// System boxes: what is shown, the full-screen window stepping aside while a box is up, the
// frame clock and key state after a box, and the screensaver's error file instead of boxes.

#include "TestApp.h"

#include "support/TempWorkingFolder.h"

#include <fstream>
#include <regex>
#include <sstream>

namespace Vuro::Test {
namespace {

// Notes, at the moment a box is asked, how the main window and the application stand.
class WatchingWindowSystem : public FakeWindowSystem {
public:
    int ShowMessageBox(const std::string& text, const std::string& title, uint32_t flags) override {
        FakeWindow* window = LastWindow();
        fullScreenDuringBox = window != nullptr && window->mParams.fullScreen;
        popupFlagDuringBox = app != nullptr && app->mPopupShown;
        return FakeWindowSystem::ShowMessageBox(text, title, flags);
    }

    VuroAppBase* app = nullptr;
    bool fullScreenDuringBox = true;
    bool popupFlagDuringBox = false;
};

class PopupTest : public ::testing::Test {
protected:
    PopupTest() { mWindows.app = &mApp; }

    std::string ReadFile(const std::string& name) {
        std::ifstream file(name, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    FakeClock mClock;
    ScriptedEvents mEvents;
    WatchingWindowSystem mWindows;
    StackApp<TestApp> mApp;
};

TEST_F(PopupTest, ABoxInAWindowAnswersAndRestartsTheFrameClockWithNoKeyHeld) {
    mApp.Init();
    mApp.mWidgetManager->KeyDown(17);
    mApp.mWidgetManager->KeyDown(254);
    mApp.mUpdateFTimeAcc = 150.0;
    mClock.Advance(5000);

    int answer = mApp.MsgBox("Keep?", "Question", Platform::kMbYesNo | Platform::kMbDefButton2);

    EXPECT_EQ(answer, Platform::kIdNo);
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text, "Keep?");
    EXPECT_EQ(mWindows.mBoxes[0].title, "Question");
    EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbYesNo | Platform::kMbDefButton2);
    EXPECT_FALSE(mWindows.popupFlagDuringBox) << "the flag is for full screen only";
    EXPECT_EQ(mWindows.LastWindow()->mFullScreenChanges, 0);
    EXPECT_EQ(mApp.mUpdateFTimeAcc, 0.0) << "the time the box was up is not caught up";
    EXPECT_EQ(mApp.mLastTimeCheck, mClock.TickMs());
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[17], 0);
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[254], 0);
}

TEST_F(PopupTest, InFullScreenTheWindowStepsAsideWhileTheBoxIsUp) {
    mApp.mIsWindowed = false;
    mApp.Init();
    FakeWindow* window = mWindows.LastWindow();
    ASSERT_TRUE(window->mParams.fullScreen);

    mApp.MsgBox("Text", "Title", Platform::kMbOk);

    EXPECT_FALSE(mWindows.fullScreenDuringBox);
    EXPECT_TRUE(mWindows.popupFlagDuringBox);
    EXPECT_TRUE(window->mParams.fullScreen) << "back in full screen afterwards";
    EXPECT_EQ(window->mFullScreenChanges, 2);
    EXPECT_FALSE(mApp.mPopupShown);
}

TEST_F(PopupTest, APopupIsAFatalErrorBoxUnlessShuttingDown) {
    mApp.Init();
    mApp.Popup("Missing file");
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text, "Missing file");
    EXPECT_EQ(mWindows.mBoxes[0].title, "FATAL ERROR");
    EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbIconError);

    mApp.Shutdown();
    mApp.mWidgetManager->KeyDown(65);
    mApp.Popup("Too late");
    EXPECT_EQ(mWindows.mBoxes.size(), 1u) << "nothing is shown while shutting down";
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[65], 0) << "the box's aftermath still runs";
}

TEST_F(PopupTest, TheScreensaverLogsBoxesToItsErrorFileInstead) {
    TempWorkingFolder folder;
    {
        std::ofstream old("ScrError.txt");
        old << "from an earlier run\n";
    }
    mApp.mIsScreenSaver = true;
    mClock.Set(123456);

    EXPECT_EQ(mApp.MsgBox("First", "Title", Platform::kMbYesNo), Platform::kIdOk);
    mClock.Advance(1000);
    mApp.Popup("Second");

    EXPECT_TRUE(mWindows.mBoxes.empty());
    std::string log = ReadFile("ScrError.txt");
    std::regex expected(R"(First \d\d:\d\d:\d\d 123456\nSecond \d\d:\d\d:\d\d 124456\n)");
    EXPECT_TRUE(std::regex_match(log, expected)) << log;
}

} // namespace
} // namespace Vuro::Test
