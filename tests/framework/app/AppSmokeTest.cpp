// The whole application on the real platform: SDL's dummy video driver, the SDL event
// source, the system clock and a real single-instance lock. It starts, runs its loop with both
// threads, and shuts down on a posted close; ASan checks that nothing is left behind.

#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/EventSource.h"
#include "platform/InstanceLock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <random>

namespace Vuro {
namespace {

class SmokeApp : public VuroAppBase {
public:
    SmokeApp() {
        std::random_device random;
        mProdName = "VuroSmoke" + std::to_string(random()) + std::to_string(random());
    }
    ~SmokeApp() override {
        std::error_code ignored;
        std::filesystem::remove(Platform::InstanceLock::LockFileOf(mProdName + "Mutex"), ignored);
    }
    void RunLoadingWork() override { loadingWorkRan = true; }
    void OnLoadingDone() override { ++loadingDone; }
    void UpdateWidgets() override {
        VuroAppBase::UpdateWidgets();
        if (mUpdateCount == 30) {
            Platform::GetEventSource().PostMessage(
                Platform::Message{mMainWindow->Id(), Platform::kWmClose, 0, 0});
        }
    }

    std::atomic<bool> loadingWorkRan{false};
    int loadingDone = 0;
};

TEST(AppSmokeTest, StartsRunsAndShutsDownOnTheDummyDrivers) {
    StackApp<SmokeApp> app;
    app.Init();
    ASSERT_NE(app.mMainWindow, nullptr);
    ASSERT_NE(app.mInstanceLock, nullptr);
    // Something to draw every frame, so frames are presented through SDL.
    Widget busy;
    busy.mFlagAdjust.mAddFlags = WidgetFlagMarkDirty;
    app.mWidgetManager->AddWidget(&busy);

    app.Start();

    EXPECT_TRUE(app.mShutdown);
    EXPECT_TRUE(app.mClosedByUser);
    EXPECT_GE(app.mUpdateCount, 30);
    EXPECT_GT(app.mDrawCount, 0);
    EXPECT_TRUE(app.loadingWorkRan);
    EXPECT_FALSE(app.mCursorThreadRunning);
    app.mWidgetManager->RemoveWidget(&busy);
}

} // namespace
} // namespace Vuro
