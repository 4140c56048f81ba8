// The loading and cursor threads and shut-down: work finished on the loading thread is
// completed on the main thread, the loading work is asked to stop and is joined before any of the
// application goes, a quit while loading work hangs ends the process half a second after the loop,
// and a shut-down asked on another thread takes effect on the next frame pass.

#include "TestApp.h"

#include "platform/Messages.h"
#include "platform/Process.h"
#include "support/BoundedWait.h"
#include "support/ExitTrap.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace Vuro::Test {
namespace {

// A one-way gate between threads. A gate never opened fails the test once the wait runs out.
class Gate {
public:
    void Open() {
        {
            std::lock_guard<std::mutex> lock(mMutex);
            mOpen = true;
        }
        mChanged.notify_all();
    }
    void Wait() {
        if (!WaitAtMost(kWaitLimit)) {
            ADD_FAILURE() << "a gate was never opened";
        }
    }
    // Waits at most the time given; false when the gate stayed shut.
    bool WaitAtMost(std::chrono::seconds limit) {
        std::unique_lock<std::mutex> lock(mMutex);
        return mChanged.wait_for(lock, limit, [this] { return mOpen; });
    }

private:
    std::mutex mMutex;
    std::condition_variable mChanged;
    bool mOpen = false;
};

class ThreadsTest : public AppFixture {};

TEST_F(ThreadsTest, LoadingCompletesOnTheMainThreadAtTheFirstUpdateAfterTheWork) {
    mApp.Init();
    mApp.mNumLoadingThreadTasks = 4;
    Gate release;
    mApp.loadingWork = [&] {
        mApp.mCompletedLoadingThreadTasks = 1;
        release.Wait();
        mApp.mCompletedLoadingThreadTasks = 4;
    };
    mApp.StartLoadingThread();
    EXPECT_TRUE(mApp.mLoadingThreadStarted);
    EXPECT_TRUE(mApp.mLoadingThreadRunning);
    // No early return before the work is let go: the gate goes with this scope.
    EXPECT_TRUE(StepUntil([&] { return mApp.mUpdateCount >= 5; }));
    EXPECT_FALSE(mApp.mLoaded);
    EXPECT_EQ(mApp.loadingDoneCalls, 0);

    release.Open();
    mApp.WaitForLoadingThread();
    EXPECT_TRUE(mApp.mLoadingThreadCompleted);
    EXPECT_FALSE(mApp.mLoaded) << "only the main thread completes loading";
    EXPECT_DOUBLE_EQ(mApp.GetLoadingProgress(), 1.0);

    int updates = mApp.mUpdateCount;
    ASSERT_TRUE(StepUntil([&] { return mApp.mUpdateCount > updates; }));
    EXPECT_TRUE(mApp.mLoaded);
    EXPECT_FALSE(mApp.mLoadingThreadRunning);
    EXPECT_EQ(mApp.loadingDoneCalls, 1);
    EXPECT_TRUE(mApp.loadingDoneOnMainThread);
    ASSERT_TRUE(StepUntil([&] { return mApp.mUpdateCount > updates + 5; }));
    EXPECT_EQ(mApp.loadingDoneCalls, 1);
}

TEST_F(ThreadsTest, LoadingProgressIsTheShareOfTasksDone) {
    EXPECT_DOUBLE_EQ(mApp.GetLoadingProgress(), 0.0); // no tasks yet
    mApp.mNumLoadingThreadTasks = 8;
    mApp.mCompletedLoadingThreadTasks = 2;
    EXPECT_DOUBLE_EQ(mApp.GetLoadingProgress(), 0.25);
    mApp.mCompletedLoadingThreadTasks = 9;
    EXPECT_DOUBLE_EQ(mApp.GetLoadingProgress(), 1.0);
    mApp.mCompletedLoadingThreadTasks = 0;
    mApp.mLoaded = true;
    EXPECT_DOUBLE_EQ(mApp.GetLoadingProgress(), 1.0);
}

// What the loading work below saw; it outlives the application.
struct TeardownWatch {
    Gate entered;
    std::atomic<bool> productDestroyed{false};
    std::atomic<bool> sawTheAsk{false};
    std::atomic<bool> sawEverythingAlive{false};
};

// Its loading work checks for a quit between its steps, as a product's does, and looks at the
// object it belongs to once asked. (Optimising GCC takes the destroying delete that its inlined
// destructor ends in for a mismatch with the global new.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
class TeardownApp : public VuroAppBase {
public:
    explicit TeardownApp(TeardownWatch& watch) : mWatch(watch) { mOnlyAllowOneCopyToRun = false; }
    ~TeardownApp() override { mWatch.productDestroyed = true; }
    bool OnChangeDirectory(const std::string&) override { return true; }
    void RunLoadingWork() override {
        mWatch.entered.Open();
        mWatch.sawTheAsk =
            WaitUntil([this] { return mShutdownRequested || mShutdown; }, std::this_thread::yield);
        mWatch.sawEverythingAlive = !mWatch.productDestroyed && gVuroApp == this &&
                                    mWidgetManager != nullptr && mDDInterface != nullptr &&
                                    mSoundManager != nullptr && mMusicInterface != nullptr;
    }

private:
    TeardownWatch& mWatch;
};
#pragma GCC diagnostic pop

TEST(LoadingTeardownTest, LoadingWorkIsAskedToStopAndEndsBeforeAnyOfTheAppGoes) {
    // Deleted, or made on the stack: the work still running is asked to stop, so it ends at
    // once instead of running to its end, and it sees the whole object alive to the last.
    for (bool onHeap : {true, false}) {
        SCOPED_TRACE(onHeap ? "deleted" : "made on the stack");
        FakeClock clock;
        ScriptedEvents events;
        FakeWindowSystem windows;
        TeardownWatch watch;
        auto startWork = [&](TeardownApp& app) {
            app.Init();
            app.StartLoadingThread();
            watch.entered.Wait();
        };
        if (onHeap) {
            auto* app = new TeardownApp(watch);
            startWork(*app);
            delete app;
        } else {
            StackApp<TeardownApp> app(watch);
            startWork(app);
        }
        EXPECT_TRUE(watch.sawTheAsk) << "the work was never asked to stop";
        EXPECT_TRUE(watch.sawEverythingAlive);
        EXPECT_TRUE(watch.productDestroyed);
    }
}

TEST(LoadingTeardownDeathTest, AnAppOnTheStackThatIsNoStackAppFailsWhateverTheTiming) {
#ifdef NDEBUG
    GTEST_SKIP() << "assertions are off in this build";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            FakeClock clock;
            ScriptedEvents events;
            FakeWindowSystem windows;
            TestApp app;
            app.Init();
            app.StartLoadingThread(); // its work, empty, done or not when the scope ends
        },
        // The assertion, or ThreadSanitizer's report of the race it stands for.
        "StackApp<Product>|data race on vptr");
}

TEST_F(ThreadsTest, StartWhenAlreadyShutDownReturnsOnceTheLoadingWorkIsDone) {
    // Start's early return must not leave the loading thread running.
    mApp.Init();
    std::atomic<bool> finished{false};
    mApp.loadingWork = [&] { finished = true; };
    mApp.StartLoadingThread();
    // Bounded in real time; the clock stands still meanwhile.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!mApp.mLoadingThreadCompleted && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ASSERT_TRUE(mApp.mLoadingThreadCompleted);
    mApp.Shutdown();
    ExitTrap trap; // the process is not ended: Start returns
    mApp.Start();
    EXPECT_TRUE(finished);
}

// Notes the time its shut-down has done its work (the fake clock races ahead while the main
// thread waits for the cursor thread, which wakes in real time).
class QuitApp : public TestApp {
public:
    void Shutdown() override {
        TestApp::Shutdown();
        if (mShutdown && shutDownAt == 0) {
            shutDownAt = Platform::GetClock().TickMs();
        }
    }
    uint32_t shutDownAt = 0;
};

TEST_F(ThreadsTest, AQuitDuringLoadingWorkThatNeverEndsEndsTheProcessWithinASecond) {
    // The session's end (a SIGTERM, as the platform hands it on) does not wait for the whole
    // loading work, which can take tens of seconds: the process ends half a second after the
    // loop, work or no work.
    for (bool alreadyShutDown : {false, true}) {
        SCOPED_TRACE(alreadyShutDown ? "shut down before Start" : "quit while the loop runs");
        FakeClock clock;
        ScriptedEvents events;
        FakeWindowSystem windows;
        // The gates outlive the application, whose destructor joins the loading thread that
        // may still be opening or waiting on them.
        Gate entered;
        Gate release;
        StackApp<QuitApp> app;
        app.Init();
        app.loadingWork = [&] {
            entered.Open();
            // A read that never returns; a process that waited for it would end the test
            // after 10 s here instead of hanging it.
            release.WaitAtMost(std::chrono::seconds(10));
        };
        if (alreadyShutDown) {
            app.StartLoadingThread();
            entered.Wait();
            app.Shutdown();
        } else {
            events.AddAt(clock.TickMs() + 300, Platform::Message{0, Platform::kWmEndSession, 1, 0});
        }
        int code = -1;
        {
            ExitTrap trap;
            try {
                app.Start();
            } catch (const ExitCalled& exit) {
                code = exit.code;
            }
        }
        EXPECT_EQ(code, 0);
        EXPECT_TRUE(app.mShutdown);
        EXPECT_FALSE(app.mLoadingThreadCompleted);
        ASSERT_NE(app.shutDownAt, 0u);
        EXPECT_LE(clock.TickMs() - app.shutDownAt, VuroAppBase::kExitLoadingWaitMs + 20);
        release.Open(); // the work ends before the application goes
    }
}

TEST_F(ThreadsTest, ShutdownFromAnotherThreadActsOnTheNextFramePass) {
    mApp.Init();
    ASSERT_TRUE(StepUntil([&] { return mApp.mUpdateCount >= 3; }));
    std::thread other([&] { mApp.Shutdown(); });
    other.join();
    EXPECT_TRUE(mApp.mShutdownRequested);
    EXPECT_FALSE(mApp.mShutdown) << "nothing acts off the main thread";
    EXPECT_EQ(mApp.beforeShutdownCalls, 0);

    // Steps that only pump messages do not act; the first frame pass does.
    int passes = 0;
    for (int i = 0; i < 4 && !mApp.mShutdown; ++i) {
        passes += mApp.mLoopState != 0 ? 1 : 0;
        bool updated = false;
        EXPECT_TRUE(mApp.RunLoopStep(&updated));
    }
    EXPECT_TRUE(mApp.mShutdown);
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(mApp.beforeShutdownCalls, 1);
    bool updated = false;
    EXPECT_FALSE(mApp.RunLoopStep(&updated)) << "the step after shut-down aborts";

    mApp.Shutdown();
    EXPECT_EQ(mApp.beforeShutdownCalls, 1) << "a second shut-down does nothing";
}

// Both the main and the loading thread write debug text.
std::mutex gDebugTextMutex;
std::string gDebugText;
void CaptureDebugText(std::string_view text) {
    std::lock_guard<std::mutex> lock(gDebugTextMutex);
    gDebugText += text;
}

TEST_F(ThreadsTest, StartRunsTheLoopWithBothThreadsUntilAScriptedClose) {
    gDebugText.clear();
    Platform::DebugOutputSink previous = Platform::SetDebugOutputSink(&CaptureDebugText);
    mApp.Init();
    FakeWindow* window = mWindows.LastWindow();
    mEvents.SetMousePosition(100, 120);
    // The close arrives half a second after loading completes; the loop then shuts everything
    // down.
    int updatesAtLoaded = -1;
    mApp.onLoadingDone = [&] {
        updatesAtLoaded = mApp.mUpdateCount;
        mEvents.AddAt(mClock.TickMs() + 500, CloseMessage(mApp));
    };
    mApp.Start();
    Platform::SetDebugOutputSink(previous);

    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->mVisible == false) << "the window is hidden at shut-down";
    EXPECT_GE(window->mFocusCalls, 1);
    EXPECT_TRUE(mApp.mShutdown);
    EXPECT_TRUE(mApp.mClosedByUser);
    EXPECT_FALSE(mApp.mCursorThreadRunning);
    EXPECT_TRUE(mApp.mLoadingThreadCompleted);
    EXPECT_EQ(mApp.loadingDoneCalls, 1);
    EXPECT_GE(mApp.mUpdateCount - updatesAtLoaded, 49);
    EXPECT_LE(mApp.mUpdateCount - updatesAtLoaded, 51);
    EXPECT_NE(gDebugText.find("Update Count  = " + std::to_string(mApp.mUpdateCount) + "\r\n"),
              std::string::npos);
    EXPECT_NE(gDebugText.find("Resource Loading Time: "), std::string::npos);
}

} // namespace
} // namespace Vuro::Test
