// Construction, Init, the single-instance rule, shut-down and the object's own services.

#include "TestApp.h"

#include "framework/debug/CrashHandler.h"
#include "framework/display/D3DTester.h"
#include "framework/display/DDImage.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widgets/Dialog.h"
#include "platform/InstanceLock.h"
#include "platform/Process.h"
#include "support/ExitTrap.h"
#include "support/MemoryRegistry.h"

#include <filesystem>
#include <random>

namespace Vuro::Test {
namespace {

class AppLifecycleTest : public AppFixture {};

TEST_F(AppLifecycleTest, ConstructionSetsTheDefaultsAndRegistersTheApp) {
    EXPECT_EQ(gVuroApp, &mApp);
    EXPECT_EQ(CrashHandler::GetRegisteredApp(), &mApp);
    EXPECT_EQ(mApp.mWidth, 640);
    EXPECT_EQ(mApp.mHeight, 480);
    EXPECT_EQ(mApp.mColorDepth, 16);
    EXPECT_DOUBLE_EQ(mApp.mMusicVolume, 0.85);
    EXPECT_DOUBLE_EQ(mApp.mSfxVolume, 0.85);
    EXPECT_EQ(mApp.mTitle, "VuroApp");
    EXPECT_EQ(mApp.mProdName, "Product");
    EXPECT_EQ(mApp.mDemoFileName, "vuroapp.dmo");
    EXPECT_EQ(mApp.mFrameTime, 10);
    EXPECT_TRUE(mApp.mPageFlip);
    EXPECT_EQ(mApp.mProductVersion, Platform::ProductVersion());
    EXPECT_EQ(mApp.mAdd8BitMaxTable[0], 0);
    EXPECT_EQ(mApp.mAdd8BitMaxTable[255], 255);
    EXPECT_EQ(mApp.mAdd8BitMaxTable[256], 255);
    EXPECT_EQ(mApp.mAdd8BitMaxTable[511], 255);
    EXPECT_EQ(mApp.GetString("DIALOG_BUTTON_OK", "?"), "OK");
    EXPECT_EQ(mApp.GetString("UP_TO_DATE_TITLE", "?"), "Up to Date");
    EXPECT_EQ(mApp.GetString("NO_SUCH", "fallback"), "fallback");
    mApp.SetString("DIALOG_BUTTON_OK", "Да");
    EXPECT_EQ(mApp.GetString("DIALOG_BUTTON_OK", "?"), "Да");
    EXPECT_NE(mApp.mWidgetManager, nullptr);
    EXPECT_NE(mApp.mResourceManager, nullptr);
    EXPECT_EQ(mApp.mDDInterface, nullptr);
}

TEST_F(AppLifecycleTest, InitMakesTheMainWindowHiddenUntilStartAndADisplayOfTheAppsSize) {
    mApp.Init();
    EXPECT_TRUE(mApp.mInitialized);
    EXPECT_EQ(mApp.mRandSeed, mClock.TickMs());
    FakeWindow* window = mWindows.LastWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->mParams.title, "VuroApp");
    EXPECT_EQ(window->mParams.width, 640);
    EXPECT_EQ(window->mParams.height, 480);
    EXPECT_FALSE(window->mParams.fullScreen);
    EXPECT_FALSE(window->mVisible) << "Start shows it";
    EXPECT_TRUE(mApp.mIsPhysWindowed);

    ASSERT_NE(mApp.mDDInterface, nullptr);
    DDImage* screen = mApp.mDDInterface->GetScreenImage();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetWidth(), 640);
    EXPECT_EQ(screen->GetHeight(), 480);
    EXPECT_EQ(mApp.mMemoryImageSet.count(screen), 1u);
    EXPECT_EQ(mApp.mWidgetManager->mImage, screen);
    EXPECT_EQ(mApp.mWidgetManager->mScreenWidth, 640);
    EXPECT_EQ(mApp.mWidgetManager->mScreenHeight, 480);
    EXPECT_NE(mApp.mSoundManager, nullptr);
    EXPECT_NE(mApp.mMusicInterface, nullptr);
}

TEST_F(AppLifecycleTest, AWindowAsLargeAsTheDesktopStartsFullScreenUnlessForcedWindowed) {
    mWindows.mDesktopWidth = 640;
    mWindows.mDesktopHeight = 480;
    mApp.Init();
    EXPECT_FALSE(mApp.mIsWindowed);
    EXPECT_FALSE(mApp.mIsPhysWindowed);
    ASSERT_NE(mWindows.LastWindow(), nullptr);
    EXPECT_TRUE(mWindows.LastWindow()->mParams.fullScreen);
}

TEST(AppForcedWindowTest, ForcedWindowedWinsOverASmallDesktop) {
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    windows.mDesktopWidth = 640;
    windows.mDesktopHeight = 480;
    StackApp<TestApp> app;
    app.Init(true);
    EXPECT_TRUE(app.mIsWindowed);
    ASSERT_NE(windows.LastWindow(), nullptr);
    EXPECT_FALSE(windows.LastWindow()->mParams.fullScreen);
}

TEST_F(AppLifecycleTest, ADisplayThatCannotStartEndsTheProgramWithCode1) {
    ExitTrap trap;
    mWindows.mCanCreate = false;
    try {
        mApp.Init();
        FAIL() << "Init went on";
    } catch (const ExitCalled& exit) {
        EXPECT_EQ(exit.code, 1);
    }
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].title, "FATAL ERROR");
    EXPECT_EQ(mWindows.mBoxes[0].text.rfind("Failed to initialize DirectDraw: RESULT_", 0), 0u);
    EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbIconError);
}

// A product name no other run uses, and the lock file it leaves removed afterwards.
class UniqueProduct {
public:
    UniqueProduct() {
        std::random_device random;
        mName = "VuroAppTest" + std::to_string(random()) + std::to_string(random());
    }
    ~UniqueProduct() {
        std::error_code ignored;
        std::filesystem::remove(Platform::InstanceLock::LockFileOf(mName + "Mutex"), ignored);
    }
    std::string mName;
};

TEST_F(AppLifecycleTest, ASecondCopyExitsWithCode0AndRaisesTheFirst) {
    UniqueProduct product;
    mApp.mProdName = product.mName;
    mApp.mOnlyAllowOneCopyToRun = true;
    mApp.Init();
    FakeWindow* window = mWindows.LastWindow();
    ASSERT_NE(window, nullptr);
    window->mMinimized = true;
    {
        ExitTrap trap;
        StackApp<TestApp> second;
        second.mProdName = product.mName;
        second.mOnlyAllowOneCopyToRun = true;
        testing::internal::CaptureStderr();
        try {
            second.Init();
            FAIL() << "the second copy went on";
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.code, 0);
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  product.mName + " does not start: another copy is running (it holds " +
                      Platform::InstanceLock::LockFileOf(product.mName + "Mutex") + ")\n");
        EXPECT_EQ(mWindows.mCreated, 1) << "the second copy made no window";
    }
    gVuroApp = &mApp;
    ASSERT_TRUE(StepUntil([&] { return window->mRaiseCalls > 0; }, 10));
    EXPECT_EQ(window->mRaiseCalls, 1);
    EXPECT_FALSE(window->mMinimized);
}

TEST_F(AppLifecycleTest, InScreensaverModeASecondCopyMayRun) {
    UniqueProduct product;
    mApp.mProdName = product.mName;
    mApp.mOnlyAllowOneCopyToRun = true;
    mApp.Init();
    {
        StackApp<TestApp> saver;
        saver.mProdName = product.mName;
        saver.mOnlyAllowOneCopyToRun = true;
        saver.mIsScreenSaver = true;
        saver.Init();
        EXPECT_TRUE(saver.mInitialized);
        EXPECT_EQ(saver.mInstanceLock, nullptr);
        EXPECT_EQ(saver.mCursorNum, 5) << "a screen saver hides the mouse cursor";
    }
    gVuroApp = &mApp;
}

// Counts what shut-down asks of the music.
class CountingMusic : public MusicInterface {
public:
    explicit CountingMusic(int& stops) : mStops(stops) {}
    void StopAllMusic() override { ++mStops; }

private:
    int& mStops;
};

class MusicApp : public TestApp {
public:
    MusicInterface* CreateMusicInterface(Platform::Window*) override {
        return new CountingMusic(musicStops);
    }
    int musicStops = 0;
};

TEST(AppShutdownTest, ShutdownActsOnceStopsTheMusicAndHidesTheWindow) {
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    StackApp<MusicApp> app;
    app.Init();
    FakeWindow* window = windows.LastWindow();
    ASSERT_NE(window, nullptr);
    window->Show();
    app.Shutdown();
    app.Shutdown();
    EXPECT_TRUE(app.mShutdown);
    EXPECT_TRUE(app.mStepAbort);
    EXPECT_EQ(app.beforeShutdownCalls, 1);
    EXPECT_EQ(app.musicStops, 1);
    EXPECT_FALSE(window->mVisible);
}

TEST_F(AppLifecycleTest, DialogButtonsReachTheAppsOwnButtons) {
    Dialog* dialog = mApp.CreateDialogWidget(5, true, "Title", "Body", "Footer", 1);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mId, 5);
    EXPECT_TRUE(dialog->IsModal());
    dialog->ButtonPress(DialogButtonYes);
    dialog->ButtonClick(DialogButtonNo);
    dialog->ButtonClick(7); // not a dialog button
    EXPECT_EQ(mApp.pressed, (std::vector<int>{2005}));
    EXPECT_EQ(mApp.clicked, (std::vector<int>{3005}));
    EXPECT_EQ(dialog->mResult, DialogButtonNo);
    mApp.DialogButtonClick(9, DialogButtonYes);
    mApp.DialogButtonPress(9, 1002);
    EXPECT_EQ(mApp.clicked, (std::vector<int>{3005, 2009}));
    EXPECT_EQ(mApp.pressed, (std::vector<int>{2005}));
    delete dialog;
}

// What an application that switched 3-D on during its run stores when it ends.
class Switched3DTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Kelmontrave\\Quandrellis";

    // Runs an application that switches 3-D on and ends; answer is the box's answer, if asked.
    // duringRun acts on the application first.
    void RunAndEnd(int answer, const std::function<void(TestApp&)>& duringRun = nullptr,
                   bool switch3D = true) {
        mWindows.mAnswers = {answer};
        {
            StackApp<TestApp> app;
            app.mRegKey = kKey;
            app.mCaptionPrefix = "Quandrellis";
            // Its outcome would depend on this machine; what the end stores is tested here.
            app.mSkip3DTest = true;
            app.Init();
            if (duringRun) {
                duringRun(app);
            }
            if (switch3D) {
                app.Enable3D(true, false);
                ASSERT_TRUE(app.mIs3DToggled);
            }
        }
        gVuroApp = nullptr;
    }
    // The capability test ran here and recommends 3-D.
    static void Recommend3D(TestApp& app) {
        app.mDDInterface->mD3DTester = std::make_unique<D3DTester>();
    }
    static void Report3DFault(TestApp& app) { app.mDDInterface->m3DFaultReported = true; }
    const Platform::RegistryValue* Stored() const { return mRegistry.Find(kKey, "", "Is3D"); }

    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    MemoryRegistry mRegistry;
};

TEST_F(Switched3DTest, AFirstSwitchTo3DIsKeptOnlyWhenTheUserConfirmsIt) {
    RunAndEnd(Platform::kIdNo);
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text,
              "Hardware Acceleration was switched on during this session.\r\nIf this resulted in "
              "slower performance, it should be switched off.\r\nWould you like to keep Hardware "
              "Acceleration switched on?");
    EXPECT_EQ(mWindows.mBoxes[0].title, "Quandrellis Hardware Acceleration Confirmation");
    EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbYesNo | Platform::kMbIconQuestion);
    EXPECT_EQ(Stored(), nullptr) << "a no stores nothing";

    RunAndEnd(Platform::kIdYes);
    EXPECT_EQ(mWindows.mBoxes.size(), 2u);
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->data, (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST_F(Switched3DTest, AStoredChoiceIsReplacedByTheModeAtTheEndWithoutAsking) {
    mRegistry.PutDword(kKey, "Is3D", 0);
    // The stored 0 starts the display in 2-D; the run switches 3-D on.
    RunAndEnd(Platform::kIdNo);
    EXPECT_TRUE(mWindows.mBoxes.empty());
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->data, (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST_F(Switched3DTest, WhereTheTestRecommends3DTheModeIsStoredWithoutAsking) {
    RunAndEnd(Platform::kIdNo, Recommend3D);
    EXPECT_TRUE(mWindows.mBoxes.empty());
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->data, (std::vector<uint8_t>{1, 0, 0, 0}));
}

TEST_F(Switched3DTest, AFaultDuringTheRunAsksWhetherToKeep3D) {
    RunAndEnd(Platform::kIdYes, Report3DFault, false);
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text,
              "Hardware Acceleration may not have been working correctly during this "
              "session.\r\nIf you noticed graphics problems, you may want to turn off Hardware "
              "Acceleration.\r\nWould you like to keep Hardware Acceleration switched on?");
    EXPECT_EQ(mWindows.mBoxes[0].title, "Quandrellis Hardware Acceleration Confirmation");
    EXPECT_EQ(mWindows.mBoxes[0].flags, Platform::kMbYesNo | Platform::kMbIconQuestion);
    EXPECT_EQ(Stored(), nullptr) << "a yes changes nothing";

    RunAndEnd(Platform::kIdNo, Report3DFault, false);
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->data, (std::vector<uint8_t>{0, 0, 0, 0}));

    // After the box of a first switch to 3-D no second box is shown.
    ASSERT_TRUE(mRegistry.DeleteValue(kKey, "", "Is3D"));
    mWindows.mBoxes.clear();
    RunAndEnd(Platform::kIdYes, Report3DFault);
    EXPECT_EQ(mWindows.mBoxes.size(), 1u);
}

// The session's end (a kill, the desktop logging out) asks nothing: the settings are written
// and a stored 3-D choice is kept as the run left it, an unconfirmed one is not stored. A box
// the end cut short (no answer) changes nothing either.
TEST_F(Switched3DTest, TheSessionsEndAsksNothingAndAnUnansweredBoxChangesNothing) {
    auto endSession = [](TestApp& app) {
        app.WindowProc(Platform::Message{0, Platform::kWmEndSession, 1, 0});
    };
    auto faultThenEnd = [&](TestApp& app) {
        Report3DFault(app);
        endSession(app);
    };
    RunAndEnd(Platform::kIdYes, endSession);
    RunAndEnd(Platform::kIdYes, faultThenEnd, false);
    EXPECT_TRUE(mWindows.mBoxes.empty());
    EXPECT_EQ(Stored(), nullptr);
    const Platform::RegistryValue* inProgress = mRegistry.Find(kKey, "", "InProgress");
    ASSERT_NE(inProgress, nullptr);
    EXPECT_EQ(inProgress->data, (std::vector<uint8_t>{0, 0, 0, 0})) << "the settings are written";
    mRegistry.PutDword(kKey, "Is3D", 0);
    RunAndEnd(Platform::kIdNo, endSession);
    EXPECT_TRUE(mWindows.mBoxes.empty());
    ASSERT_NE(Stored(), nullptr);
    EXPECT_EQ(Stored()->data, (std::vector<uint8_t>{1, 0, 0, 0}));

    ASSERT_TRUE(mRegistry.DeleteValue(kKey, "", "Is3D"));
    RunAndEnd(Platform::kIdNone);
    RunAndEnd(Platform::kIdNone, Report3DFault, false);
    EXPECT_EQ(mWindows.mBoxes.size(), 2u);
    EXPECT_EQ(Stored(), nullptr);
}

TEST_F(AppLifecycleTest, DestructionLeavesNoRegistrationBehind) {
    {
        StackApp<TestApp> app;
        EXPECT_EQ(CrashHandler::GetRegisteredApp(), &app);
    }
    EXPECT_EQ(gVuroApp, nullptr);
    EXPECT_EQ(CrashHandler::GetRegisteredApp(), nullptr);
    gVuroApp = &mApp;
    CrashHandler::RegisterApp(&mApp);
}

} // namespace
} // namespace Vuro::Test
