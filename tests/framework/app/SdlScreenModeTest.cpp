// The application on SDL's real window system with the dummy video driver: the main window
// opens in a window and full screen, switches between them and presents frames without error.

#include "framework/app/StackApp.h"
#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/widgets/WidgetManager.h"
#include "support/FakeClock.h"
#include "support/ScriptedEvents.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

class DummyDriverApp : public VuroAppBase {
public:
    DummyDriverApp() { mOnlyAllowOneCopyToRun = false; }
    bool OnChangeDirectory(const std::string&) override { return true; }
};

TEST(SdlScreenModeTest, TheMainWindowOpensWindowedAndFullScreen) {
    FakeClock clock;
    ScriptedEvents events;
    StackApp<DummyDriverApp> app;
    app.mPreferredX = 30;
    app.mPreferredY = 40;
    app.Init();
    ASSERT_NE(app.mMainWindow, nullptr);
    EXPECT_TRUE(app.mIsPhysWindowed);
    EXPECT_EQ(app.mWidgetManager->mImage, static_cast<Image*>(app.mDDInterface->GetScreenImage()));
    app.mInMainLoop = true;
    app.Redraw(nullptr);
    EXPECT_FALSE(app.mSurfaceLost);

    app.SetWindowedMode(false);
    ASSERT_NE(app.mMainWindow, nullptr);
    EXPECT_FALSE(app.mIsPhysWindowed);
    EXPECT_FALSE(app.mForceWindowed) << "full screen was not refused";
    app.Redraw(nullptr);
    EXPECT_FALSE(app.mSurfaceLost);

    app.SetWindowedMode(true);
    EXPECT_TRUE(app.mIsPhysWindowed);
    app.SetCursor(1);
    app.mMouseIn = true;
    app.UpdateCursor();
    app.Redraw(nullptr);
    EXPECT_FALSE(app.mSurfaceLost);
}

} // namespace
} // namespace Vuro::Test
