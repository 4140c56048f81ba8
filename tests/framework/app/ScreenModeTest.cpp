// Window placement, the display's result codes and their fallbacks (with a display that fails
// as a test scripts), lost-surface recovery, cursor choice, the screen saver's idle hold and
// screensaver mode, and the image-set walks against images made on another thread.

#include "TestApp.h"

#include "framework/app/WindowPlacement.h"
#include "framework/display/D3DInterface.h"
#include "framework/display/D3DTester.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/MemoryImage.h"
#include "support/ExitTrap.h"
#include "support/MemoryRegistry.h"

#include <atomic>
#include <deque>
#include <thread>

namespace Vuro::Test {
namespace {

using Platform::Message;

TEST(WindowPlacementTest, APreferredPositionIsPushedInsideTheWorkArea) {
    WindowArea work{0, 30, 1024, 738}; // a panel above
    WindowPlacement place = WindowPlacement::Place(-50, 10, 646, 505, work);
    EXPECT_EQ(place.x, 4);
    EXPECT_EQ(place.y, 34);
    place = WindowPlacement::Place(900, 700, 646, 505, work);
    EXPECT_EQ(place.x, 1024 - 4 - 646);
    EXPECT_EQ(place.y, 768 - 4 - 505);
    place = WindowPlacement::Place(100, 200, 646, 505, work);
    EXPECT_EQ(place.x, 100);
    EXPECT_EQ(place.y, 200);
    // Ending exactly 4 pixels inside counts as reaching the edge: the same place.
    place = WindowPlacement::Place(374, 200, 646, 505, work);
    EXPECT_EQ(place.x, 374);
}

TEST(WindowPlacementTest, WithoutOneTheWindowIsCentredAndAThirdDown) {
    WindowArea work{100, 20, 1280, 1000};
    WindowPlacement place = WindowPlacement::Place(-1, -1, 646, 505, work);
    EXPECT_EQ(place.x, 100 + (1280 - 646) / 2);
    EXPECT_EQ(place.y, 20 + static_cast<int>(0.382 * (1000 - 505))); // 20 + 189
    EXPECT_EQ(place.y, 209);
}

// A display whose initialisations answer the codes a test lines up, then succeed.
class ScriptedDisplay : public DDInterface {
public:
    using DDInterface::DDInterface;
    int Init(Platform::Window* window, bool isWindowed) override {
        inits.push_back(isWindowed);
        int base = DDInterface::Init(window, isWindowed);
        if (results.empty()) {
            return base;
        }
        int result = results.front();
        results.pop_front();
        if (result != RESULT_OK) {
            mErrorString = "refused";
        }
        return result;
    }
    std::deque<int> results;
    std::vector<bool> inits; // the windowed flag of each call
};

class ScreenModeTest : public AppFixture {
protected:
    ScriptedDisplay* UseScriptedDisplay(std::initializer_list<int> results) {
        auto* display = new ScriptedDisplay(&mApp);
        display->results.assign(results);
        mApp.mDDInterface = display;
        return display;
    }
    // Init, answering the exit code when the program would have ended (-1 when it did not).
    int InitOrExit() {
        try {
            mApp.Init();
        } catch (const ExitCalled& exit) {
            return exit.code;
        }
        return -1;
    }
    std::string LastBoxText() const {
        return mWindows.mBoxes.empty() ? std::string() : mWindows.mBoxes.back().text;
    }
    DDImage* Screen() { return mApp.mDDInterface->GetScreenImage(); }

    ExitTrap mExitTrap;
};

TEST_F(ScreenModeTest, AWindowIsPlacedWithItsFrameAndGetsItsTimer) {
    mWindows.mFrameLeft = 3;
    mWindows.mFrameTop = 22;
    mWindows.mFrameRight = 3;
    mWindows.mFrameBottom = 3;
    mWindows.mWorkY = 30;
    mApp.mPreferredX = 2000;
    mApp.mPreferredY = 0;
    mApp.Init();
    FakeWindow* window = mWindows.LastWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->mParams.fullScreen);
    EXPECT_EQ(window->mParams.x, 1024 - 4 - 646 + 3) << "outer window inside, client after frame";
    EXPECT_EQ(window->mParams.y, 30 + 4 + 22);
    ASSERT_EQ(mEvents.mTimers.size(), 1u);
    EXPECT_EQ(mEvents.mTimers[0].window, window->Id());
    EXPECT_EQ(mEvents.mTimers[0].id, 100u);
    EXPECT_EQ(mEvents.mTimers[0].intervalMs, 10u);

    // A move of the window is the position kept for the next start.
    window->mNormalX = 203;
    window->mNormalY = 122;
    mApp.WindowProc(Message{window->Id(), Platform::kWmMove, 0, 0});
    EXPECT_TRUE(mApp.DispatchQueuedInput(true) == false);
    EXPECT_EQ(mApp.mPreferredX, 200);
    EXPECT_EQ(mApp.mPreferredY, 100);
}

TEST_F(ScreenModeTest, ADemoPlaysBackInAWindowWhateverTheMode) {
    mApp.mIsWindowed = false;
    mApp.mPlayingDemoBuffer = true;
    mApp.CreateMainWindow();
    EXPECT_FALSE(mWindows.LastWindow()->mParams.fullScreen);
    EXPECT_TRUE(mApp.mIsPhysWindowed);
}

TEST_F(ScreenModeTest, ColourDepthRefusingAWindowGoesFullScreenForGood) {
    ScriptedDisplay* display = UseScriptedDisplay({DDInterface::RESULT_INVALID_COLORDEPTH});
    EXPECT_EQ(InitOrExit(), -1);
    EXPECT_EQ(display->inits, (std::vector<bool>{true, false}));
    EXPECT_TRUE(mApp.mForceFullscreen);
    EXPECT_FALSE(mApp.mIsWindowed);
    EXPECT_TRUE(mWindows.LastWindow()->mParams.fullScreen);
    EXPECT_EQ(mApp.mWidgetManager->mImage, static_cast<Image*>(Screen()));
    // Windowed mode can no longer be asked for.
    mApp.SetWindowedMode(true);
    EXPECT_FALSE(mApp.mIsWindowed);
    EXPECT_TRUE(mApp.mInitialized);
}

TEST_F(ScreenModeTest, FullScreenRefusedFallsBackToAWindow) {
    mApp.mIsWindowed = false;
    ScriptedDisplay* display = UseScriptedDisplay({DDInterface::RESULT_DISPCHANGE_FAIL});
    EXPECT_EQ(InitOrExit(), -1);
    EXPECT_EQ(display->inits, (std::vector<bool>{false, true}));
    EXPECT_TRUE(mApp.mForceWindowed);
    EXPECT_TRUE(mApp.mIsWindowed);
    EXPECT_FALSE(mWindows.LastWindow()->mParams.fullScreen);
    EXPECT_EQ(mApp.mWidgetManager->mImage, static_cast<Image*>(Screen()));
}

TEST_F(ScreenModeTest, WhenEveryFallbackIsUsedUpTheProgramEndsWithAMessage) {
    UseScriptedDisplay(
        {DDInterface::RESULT_INVALID_COLORDEPTH, DDInterface::RESULT_EXCLUSIVE_FAIL});
    EXPECT_EQ(InitOrExit(), 1) << "no running on without a display";
    EXPECT_EQ(LastBoxText(), "Failed to initialize DirectDraw: RESULT_EXCLUSIVE_FAIL refused");
}

TEST_F(ScreenModeTest, AFullScreenRefusedWhenTheDepthRefusesWindowsAsksForSixteenBits) {
    mApp.mIsWindowed = false;
    UseScriptedDisplay(
        {DDInterface::RESULT_EXCLUSIVE_FAIL, DDInterface::RESULT_INVALID_COLORDEPTH});
    EXPECT_EQ(InitOrExit(), 1);
    EXPECT_EQ(LastBoxText(), "Please set your desktop color depth to 16 bit.");
}

TEST_F(ScreenModeTest, A3DFailureFallsBackTo2DAndTheScreenImageIsHandedOver) {
    ScriptedDisplay* display = UseScriptedDisplay({DDInterface::RESULT_3D_FAIL});
    display->mIs3D = true;
    EXPECT_EQ(InitOrExit(), -1);
    EXPECT_FALSE(mApp.Is3DOn());
    EXPECT_TRUE(mApp.mIs3DToggled);
    EXPECT_EQ(display->inits, (std::vector<bool>{true, true}));
    EXPECT_EQ(mApp.mWidgetManager->mImage, static_cast<Image*>(Screen()))
        << "the new screen image is taken";
    EXPECT_EQ(mEvents.mTimers.size(), 1u);
}

TEST_F(ScreenModeTest, A2DFailureAfterFallingBackFrom3DEndsTheProgram) {
    ScriptedDisplay* display =
        UseScriptedDisplay({DDInterface::RESULT_SURFACE_FAIL, DDInterface::RESULT_FAIL});
    display->mIs3D = true;
    EXPECT_EQ(InitOrExit(), 1) << "a failed 2-D re-initialisation ends it";
    EXPECT_EQ(LastBoxText(), "Failed to initialize DirectDraw: RESULT_FAIL refused");
}

TEST_F(ScreenModeTest, A2DFailureEndsTheProgramWithItsCodesName) {
    UseScriptedDisplay({DDInterface::RESULT_DD_CREATE_FAIL});
    EXPECT_EQ(InitOrExit(), 1);
    EXPECT_EQ(LastBoxText(), "Failed to initialize DirectDraw: RESULT_DD_CREATE_FAIL refused");
    mWindows.mBoxes.clear();
    EXPECT_EQ(DDInterface::ResultToString(42), "RESULT_UNKNOWN");
}

TEST_F(ScreenModeTest, NoWindowAtAllEndsTheProgram) {
    mWindows.mCanCreate = false;
    EXPECT_EQ(InitOrExit(), 1);
    // The device has no window to put its primary surface in.
    EXPECT_EQ(LastBoxText(), "Failed to initialize DirectDraw: RESULT_SURFACE_FAIL CreateSurface "
                             "Windowed Primary: 887600d4");
}

TEST_F(ScreenModeTest, ALostSurfaceIsRecoveredAtOnceWhileActive) {
    ScriptedDisplay* display = UseScriptedDisplay({});
    mApp.Init();
    mApp.mInMainLoop = true;
    DDImage* before = Screen();
    mWindows.LastWindow()->mPresentSucceeds = false;
    mApp.Redraw(nullptr);
    EXPECT_TRUE(mApp.mSurfaceLost);
    EXPECT_EQ(display->inits.size(), 2u) << "active: re-initialised at once";
    EXPECT_NE(Screen(), before);
    EXPECT_EQ(mApp.mWidgetManager->mImage, static_cast<Image*>(Screen()));
    mWindows.LastWindow()->mPresentSucceeds = true;
    mApp.Redraw(nullptr);
    EXPECT_FALSE(mApp.mSurfaceLost);
}

TEST_F(ScreenModeTest, ALostSurfaceIsRetriedOnceASecondWhileInactiveInAWindow) {
    ScriptedDisplay* display = UseScriptedDisplay({});
    mApp.Init();
    mApp.mActive = false;
    mWindows.LastWindow()->mPresentSucceeds = false;
    display->results = {DDInterface::RESULT_SURFACE_FAIL, DDInterface::RESULT_SURFACE_FAIL};
    mApp.Redraw(nullptr);
    EXPECT_EQ(display->inits.size(), 2u);
    mClock.Advance(1000);
    mApp.Redraw(nullptr);
    EXPECT_EQ(display->inits.size(), 2u) << "not yet: at most once a second";
    mClock.Advance(1);
    mApp.Redraw(nullptr);
    EXPECT_EQ(display->inits.size(), 3u);
    EXPECT_EQ(mApp.mWidgetManager->mImage, nullptr) << "failed: nothing to draw into yet";
    mWindows.LastWindow()->mMinimized = true;
    mClock.Advance(5000);
    mApp.Redraw(nullptr);
    EXPECT_EQ(display->inits.size(), 3u) << "never while minimised";
}

// A failed presentation clears the display's lost render target, also when no recovery is
// tried (minimised).
TEST_F(ScreenModeTest, AFailedPresentationClearsTheLostRenderTarget) {
    UseScriptedDisplay({});
    mApp.Init();
    mApp.mMinimized = true;
    mWindows.LastWindow()->mPresentSucceeds = false;
    mApp.mDDInterface->mD3DInterface->mRenderTargetLost = true;
    mApp.Redraw(nullptr);
    EXPECT_TRUE(mApp.mSurfaceLost);
    EXPECT_FALSE(mApp.mDDInterface->mD3DInterface->mRenderTargetLost);
}

// A capability test whose outcome overrules the stored 3-D choice has it erased when the main
// window is made.
TEST_F(ScreenModeTest, ATestThatOverrulesTheStored3DChoiceErasesIt) {
    MemoryRegistry registry;
    mApp.mRegKey = "Test\\Erase3D";
    registry.PutDword("Test\\Erase3D", "Is3D", 0);
    ScriptedDisplay* display = UseScriptedDisplay({});
    display->mD3DTester = std::make_unique<D3DTester>();
    display->mD3DTester->mOverrulesStored3D = false;
    mApp.Init();
    EXPECT_NE(registry.Find("Test\\Erase3D", "", "Is3D"), nullptr);
    display->mD3DTester->mOverrulesStored3D = true;
    mApp.CreateMainWindow();
    EXPECT_EQ(registry.Find("Test\\Erase3D", "", "Is3D"), nullptr);
}

// Minimising suspends drawing until the window is restored or made anew.
TEST_F(ScreenModeTest, MinimisingSuspendsDrawingUntilRestoredOrANewWindow) {
    mApp.Init();
    auto size = [&](uint64_t type) {
        mApp.WindowProc(Message{mApp.mMainWindow->Id(), Platform::kWmSize, type, 0});
        while (mApp.DispatchQueuedInput(true)) {
        }
    };
    EXPECT_FALSE(mApp.IsDrawingSuspended());
    size(Platform::kSizeMinimized);
    EXPECT_TRUE(mApp.IsDrawingSuspended());
    size(Platform::kSizeRestored);
    EXPECT_FALSE(mApp.IsDrawingSuspended());
    size(Platform::kSizeMinimized);
    mApp.CreateMainWindow();
    EXPECT_FALSE(mApp.IsDrawingSuspended());
}

TEST_F(ScreenModeTest, TheVideoMemoryScreenIsMadeAgainOnlyOnAChange) {
    mApp.Init();
    DDImage* before = Screen();
    mApp.UseVideoMemoryScreen(false);
    EXPECT_EQ(Screen(), before);
    EXPECT_FALSE(Screen()->mVideoMemoryOnly);
    // An optimised allocator may hand the new image the old one's address, so the change is
    // seen in what the new image draws into rather than where it lies.
    mApp.UseVideoMemoryScreen(true);
    EXPECT_TRUE(Screen()->mVideoMemoryOnly);
    EXPECT_EQ(mApp.mWidgetManager->mImage, static_cast<Image*>(Screen()));
}

class CursorTest : public AppFixture {
protected:
    void SetUp() override {
        mApp.Init();
        mApp.mMouseIn = true;
    }
};

TEST_F(CursorTest, EachNumberShowsItsCursorAndOnlyChangesAskTheSystem) {
    const std::pair<int, const char*> expected[] = {
        {1, "mask 11,4"}, {2, "mask 15,10"}, {3, "ibeam"}, {4, "no"},
        {5, "none"},      {9, "arrow"},      {0, "arrow"}};
    for (const auto& [number, shown] : expected) {
        mApp.SetCursor(number);
        EXPECT_EQ(mWindows.mShownCursor, shown) << number;
    }
    int sets = mWindows.mCursorSets;
    mApp.SetCursor(0);
    mApp.UpdateCursor();
    EXPECT_EQ(mWindows.mCursorSets, sets);
    mApp.SetCursor(3);
    mApp.mMouseIn = false;
    mApp.UpdateCursor();
    EXPECT_EQ(mWindows.mShownCursor, "arrow") << "outside the client area";
    mApp.mMouseIn = true;
    mApp.mCrashed = true;
    mApp.UpdateCursor();
    EXPECT_EQ(mWindows.mShownCursor, "arrow") << "after a crash";
}

// One cursor, never two: with own cursors on the system shows the image as its cursor and the
// display draws none; only during playback the display draws it, at the replayed position,
// while the system's no-entry cursor stands for the real mouse.
TEST_F(CursorTest, CustomCursorImagesShowCentredAndPlaybackShowsNoEntry) {
    DDImage image(mApp.mDDInterface);
    image.Create(24, 30);
    mApp.SetCursorImage(3, &image);
    mApp.SetCursorImage(6, &image); // ignored
    mApp.SetCursor(3);
    EXPECT_EQ(mWindows.mShownCursor, "ibeam") << "custom cursors are off";
    mApp.UseCustomCursors(true);
    EXPECT_EQ(mWindows.mShownCursor, "color 24x30 12,15");
    EXPECT_EQ(mApp.mDDInterface->mCursorImage, nullptr) << "one cursor, never two";
    mApp.SetCursor(1);
    EXPECT_EQ(mWindows.mShownCursor, "mask 11,4") << "no image for this number";
    EXPECT_EQ(mApp.mDDInterface->mCursorImage, nullptr);
    mApp.SetCursor(3);
    mApp.mPlayingDemoBuffer = true;
    mApp.UpdateCursor();
    EXPECT_EQ(mWindows.mShownCursor, "no");
    EXPECT_EQ(mApp.mDDInterface->mCursorImage, &image);
    mApp.mPlayingDemoBuffer = false;
    mApp.UpdateCursor();
    EXPECT_EQ(mWindows.mShownCursor, "color 24x30 12,15");
    EXPECT_EQ(mApp.mDDInterface->mCursorImage, nullptr);
    // New pixels make a new cursor, shown although the choice is the same image.
    int sets = mWindows.mCursorSets;
    image.Create(8, 8);
    mApp.UpdateCursor();
    EXPECT_EQ(mWindows.mShownCursor, "color 8x8 4,4");
    EXPECT_EQ(mWindows.mCursorSets, sets + 1);
    mApp.SetCursorImage(3, nullptr);
    EXPECT_EQ(mWindows.mShownCursor, "ibeam");
}

TEST_F(CursorTest, CursorChangesFromAnotherThreadWaitForTheMainThreadsFramePass) {
    DDImage image(mApp.mDDInterface);
    image.Create(24, 30);
    mApp.UseCustomCursors(true);
    std::thread loader([&] {
        mApp.SetCursorImage(4, &image);
        mApp.SetCursor(4);
    });
    loader.join();
    EXPECT_EQ(mApp.mCursorImages[4], nullptr) << "nothing changed on the other thread";
    EXPECT_EQ(mApp.mCursorNum, 0);
    (void)mApp.Process(true);
    EXPECT_EQ(mApp.mCursorImages[4], &image);
    EXPECT_EQ(mApp.mCursorNum, 4);
    EXPECT_EQ(mWindows.mShownCursor, "color 24x30 12,15");
}

class ScreenSaverTest : public AppFixture {
protected:
    void SetUp() override {
        mApp.Init();
        mWindows.mScreenSaver.settingsKnown = true;
        mWindows.mScreenSaver.enabled = true;
        mWindows.mScreenSaver.timeoutSeconds = 60;
        mWindows.mScreenSaver.idleKnown = true;
        mApp.mInMainLoop = true;
    }
    void Timer() {
        mApp.WindowProc(Message{mApp.mMainWindow->Id(), Platform::kWmTimer, 100, 0});
        (void)mApp.DispatchQueuedInput(false);
    }
};

TEST_F(ScreenSaverTest, IdleTimePastTheSaversTimeHoldsUpdatesUntilInputComes) {
    mWindows.mScreenSaver.idleMs = 58000;
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_FALSE(mApp.mScreenSaverHold) << "58 s is the limit itself";
    mWindows.mScreenSaver.idleMs = 58001;
    mClock.Advance(1000);
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_TRUE(mApp.mScreenSaverHold);
    EXPECT_FALSE(mApp.RunFixedUpdate());

    // The saver runs: the hold stays even when input is noticed.
    mWindows.mScreenSaver.running = true;
    mWindows.mScreenSaver.idleMs = 10;
    mClock.Advance(1000);
    Timer();
    EXPECT_TRUE(mApp.mScreenSaverHold);
    // Saver gone, input recent: the window timer lifts the hold (nothing draws meanwhile).
    mWindows.mScreenSaver.running = false;
    mClock.Advance(1000);
    Timer();
    EXPECT_FALSE(mApp.mScreenSaverHold) << "the hold can end";
    EXPECT_TRUE(mApp.RunFixedUpdate());
}

TEST_F(ScreenSaverTest, NoHoldWhenTheSaverIsOffUnknownOrFullScreen) {
    mWindows.mScreenSaver.idleMs = 3600000;
    mWindows.mScreenSaver.enabled = false;
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_FALSE(mApp.mScreenSaverHold);
    mWindows.mScreenSaver = Platform::ScreenSaverInfo{};
    mClock.Advance(10000);
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_FALSE(mApp.mScreenSaverHold);
    mWindows.mScreenSaver.settingsKnown = true;
    mWindows.mScreenSaver.enabled = true;
    mWindows.mScreenSaver.idleKnown = true;
    mWindows.mScreenSaver.idleMs = 3600000;
    mApp.mIsPhysWindowed = false;
    mClock.Advance(10000);
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_FALSE(mApp.mScreenSaverHold);
}

TEST_F(ScreenSaverTest, TheDesktopSaverMayStartOnlyInAWindowOnceLoaded) {
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_FALSE(mWindows.mScreenSaverAllowed) << "still loading";
    mApp.mLoaded = true;
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_TRUE(mWindows.mScreenSaverAllowed);
    mApp.mIsPhysWindowed = false;
    mApp.CheckScreenSaverIdle(mClock.TickMs());
    EXPECT_FALSE(mWindows.mScreenSaverAllowed);
}

TEST_F(ScreenSaverTest, AsAScreenSaverThreeMovesPassAndTheFourthCloses) {
    mApp.mIsScreenSaver = true;
    uint32_t main = mApp.mMainWindow->Id();
    auto move = [&](int x) {
        mApp.WindowProc(Message{main, Platform::kWmMouseMove, 0, Platform::MakePointParam(x, 0)});
    };
    move(0); // where the mouse already is: not a move
    EXPECT_EQ(mApp.mInputQueue.size(), 1u);
    move(1);
    move(2);
    move(3);
    EXPECT_EQ(mApp.mInputQueue.size(), 1u) << "three moves swallowed";
    EXPECT_EQ(mEvents.Waiting(), 0u);
    move(4);
    ASSERT_EQ(mEvents.Waiting(), 1u);
    Message posted;
    ASSERT_TRUE(mEvents.PeekMessage(posted));
    EXPECT_EQ(posted.message, Platform::kWmClose);
    move(5);
    EXPECT_EQ(mEvents.Waiting(), 0u) << "closing already";
}

TEST_F(ScreenSaverTest, AsAScreenSaverAKeyOrLosingTheFocusCloses) {
    mApp.mIsScreenSaver = true;
    uint32_t main = mApp.mMainWindow->Id();
    mApp.WindowProc(Message{main, Platform::kWmActivateApp, 1, 0});
    EXPECT_EQ(mEvents.Waiting(), 0u);
    mApp.WindowProc(Message{main, Platform::kWmActivateApp, 0, 0});
    EXPECT_EQ(mEvents.Waiting(), 1u);
}

TEST(ImageSetTest, CopiesAreNewDisplayImagesOfTheWholeImageOrOfARectangle) {
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    StackApp<TestApp> app;
    MemoryImage source(&app);
    source.Create(4, 3);
    EXPECT_EQ(app.CopyImage(&source), nullptr) << "no display yet";
    app.Init();
    uint32_t* bits = source.GetBits();
    for (int i = 0; i < 12; ++i) {
        bits[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    }
    source.OnBitsChanged();
    source.mNumRows = 3;
    source.mNumCols = 2;
    source.mAnimInfo = std::make_unique<AnimationInfo>();
    source.mAnimInfo->mFrameMap = {1, 0};

    std::unique_ptr<DDImage> whole(app.CopyImage(&source));
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole->mDDInterface, app.mDDInterface);
    ASSERT_EQ(whole->GetWidth(), 4);
    ASSERT_EQ(whole->GetHeight(), 3);
    EXPECT_EQ(whole->mNumRows, 3) << "the cel layout goes with the copy";
    EXPECT_EQ(whole->mNumCols, 2);
    ASSERT_NE(whole->mAnimInfo, nullptr);
    EXPECT_NE(whole->mAnimInfo.get(), source.mAnimInfo.get())
        << "the animation record is the copy's own";
    EXPECT_EQ(whole->mAnimInfo->mFrameMap, source.mAnimInfo->mFrameMap);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(whole->GetBits()[i], 0xFF000000u | static_cast<uint32_t>(i * 0x010203)) << i;
    }
    std::unique_ptr<DDImage> part(app.CopyImageRect(&source, Rect(1, 1, 2, 2)));
    ASSERT_NE(part, nullptr);
    ASSERT_EQ(part->GetWidth(), 2);
    ASSERT_EQ(part->GetHeight(), 2);
    EXPECT_EQ(part->mNumCols, 2) << "a rectangle's copy too";
    const int rows[2][2] = {{5, 6}, {9, 10}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(part->GetBits()[y * 2 + x],
                      0xFF000000u | static_cast<uint32_t>(rows[y][x] * 0x010203))
                << x << "," << y;
        }
    }
    EXPECT_EQ(app.mMemoryImageSet.count(part.get()), 1u) << "a copy joins the image set";
    // A rectangle reaching past the image: the part outside stays transparent.
    std::unique_ptr<DDImage> edge(app.CopyImageRect(&source, Rect(3, 2, 2, 2)));
    ASSERT_NE(edge, nullptr);
    EXPECT_EQ(edge->GetBits()[0], 0xFF000000u | static_cast<uint32_t>(11 * 0x010203));
    EXPECT_EQ(edge->GetBits()[1], 0u);
    EXPECT_EQ(edge->GetBits()[2], 0u);
    EXPECT_EQ(edge->GetBits()[3], 0u);
}

TEST(ImageSetTest, WalksHoldTheLockWhileAnotherThreadMakesAndDropsImages) {
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    StackApp<TestApp> app;
    app.Init();
    std::atomic<bool> stop{false};
    std::thread maker([&] {
        while (!stop) {
            // Registered in its constructor, unregistered in its destructor: only the set
            // is shared, so nothing else of the image races.
            MemoryImage image(&app);
        }
    });
    for (int i = 0; i < 2000; ++i) {
        app.RebuildAllImages();
        app.DropNativeImageData();
        app.DropExtraImageData();
    }
    stop = true;
    maker.join();
    EXPECT_EQ(app.mMemoryImageSet.size(), 3u) << "only the screen and the cursor's save areas";
}

} // namespace
} // namespace Vuro::Test
