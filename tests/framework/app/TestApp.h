#pragma once
// An application for tests of the application object: it runs on the fake clock, the scripted
// event source and the fake window system of the fixture, keeps the working directory, takes
// no single-instance lock unless asked, and counts what the loop does. Made on the stack or as
// a member as StackApp<TestApp> (or of a class derived from it).

#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Process.h"
#include "support/FakeClock.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptedEvents.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace Vuro::Test {

class TestApp : public VuroAppBase {
public:
    TestApp() { mOnlyAllowOneCopyToRun = false; }

    bool OnChangeDirectory(const std::string&) override { return true; }
    void DrawDirtyWidgets() override {
        drawPassUpdates.push_back(mUpdateCount);
        VuroAppBase::DrawDirtyWidgets();
    }
    void UpdateWidgets() override {
        VuroAppBase::UpdateWidgets();
        if (onUpdate) {
            onUpdate();
        }
    }
    void OnLoadingDone() override {
        ++loadingDoneCalls;
        loadingDoneOnMainThread = std::this_thread::get_id() == mainThread;
        if (onLoadingDone) {
            onLoadingDone();
        }
    }
    void BeforeShutdown() override {
        ++beforeShutdownCalls;
        if (beforeShutdown) {
            beforeShutdown();
        }
    }
    void RunLoadingWork() override {
        if (loadingWork) {
            loadingWork();
        }
    }
    void ButtonPress(int id) override { pressed.push_back(id); }
    void ButtonClick(int id) override { clicked.push_back(id); }

    std::thread::id mainThread = std::this_thread::get_id();
    std::vector<int> drawPassUpdates; // the update count at every draw pass
    int loadingDoneCalls = 0;
    bool loadingDoneOnMainThread = false;
    int beforeShutdownCalls = 0;
    std::function<void()> onUpdate; // after each fixed update
    std::function<void()> beforeShutdown;
    std::function<void()> onLoadingDone;
    std::function<void()> loadingWork;
    std::vector<int> pressed;
    std::vector<int> clicked;
};

// Fake clock, scripted events and fake windows, and an application on them.
class AppFixture : public ::testing::Test {
protected:
    // Steps the loop until pred holds; false when it did not within maxSteps steps or a step
    // returned false.
    template <typename Pred> bool StepUntil(Pred pred, int maxSteps = 10000) {
        for (int i = 0; i < maxSteps; ++i) {
            if (pred()) {
                return true;
            }
            bool updated = false;
            if (!mApp.RunLoopStep(&updated)) {
                return pred();
            }
        }
        return pred();
    }
    // Steps until the loop has slept once more (it is idle and ahead of time).
    bool StepToNextSleep() {
        int sleeps = mClock.SleepCalls();
        return StepUntil([&] { return mClock.SleepCalls() > sleeps; });
    }

    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    StackApp<TestApp> mApp;
};

// Collects the debug output written while it lives.
class DebugOutputLog {
public:
    DebugOutputLog() : mPrevious(Platform::SetDebugOutputSink(&Collect)) { Text().clear(); }
    ~DebugOutputLog() { Platform::SetDebugOutputSink(mPrevious); }
    DebugOutputLog(const DebugOutputLog&) = delete;
    DebugOutputLog& operator=(const DebugOutputLog&) = delete;
    static std::string& Text() {
        static std::string text;
        return text;
    }

private:
    static void Collect(std::string_view text) { Text().append(text); }
    Platform::DebugOutputSink mPrevious;
};

inline Platform::Message CloseMessage(const VuroAppBase& app) {
    return Platform::Message{app.mMainWindow ? app.mMainWindow->Id() : 0, Platform::kWmClose, 0, 0};
}

} // namespace Vuro::Test
