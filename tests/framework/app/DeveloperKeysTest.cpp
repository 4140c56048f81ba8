// Developer keys: switched on with Ctrl+Alt+D, then keys the application acts on never reach
// the widgets.

#include "TestApp.h"
#include "framework/debug/PerfProfiler.h"

namespace Vuro::Test {
namespace {

using Platform::Message;

class DeveloperKeysTest : public AppFixture {
protected:
    void SetUp() override { mApp.Init(); }
    void Key(int key, bool down = true) {
        mApp.WindowProc(Message{mApp.mMainWindow->Id(),
                                down ? Platform::kWmKeyDown : Platform::kWmKeyUp,
                                static_cast<uint64_t>(key), 0});
        while (mApp.DispatchQueuedInput(true)) {
        }
    }
};

TEST_F(DeveloperKeysTest, CtrlAltDSwitchesThemOnAndF10StepsAndSlows) {
    using namespace Platform;
    constexpr int kF10 = kVkF1 + 9;
    Key(kF10);
    EXPECT_EQ(mApp.mSingleStepMode, 0) << "off by default: F10 is an ordinary key";
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kF10], 1);
    Key(kF10, false);
    Key(kVkControl);
    Key(kVkMenu);
    Key('D');
    Key(kVkMenu, false);
    Key('D', false);
    EXPECT_TRUE(mApp.mDebugKeysEnabled);
    Key(kF10);
    EXPECT_EQ(mApp.mUpdateMultiplier, 0.25) << "Ctrl is still down";
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kF10], 0) << "handled keys stay away from widgets";
    Key(kF10);
    EXPECT_EQ(mApp.mUpdateMultiplier, 1.0);
    Key(kVkControl, false);
    Key(kF10);
    EXPECT_EQ(mApp.mSingleStepMode, 1);
    Key(kVkShift);
    Key(kF10);
    EXPECT_EQ(mApp.mSingleStepMode, 0);
}

TEST_F(DeveloperKeysTest, ShiftF8SwitchesThreeDAndSaysSo) {
    using namespace Platform;
    mApp.mDebugKeysEnabled = true;
    Key(kVkShift);
    Key(kVkF1 + 7);
    EXPECT_TRUE(mApp.Is3DOn());
    EXPECT_TRUE(mApp.mIs3DToggled);
    ASSERT_FALSE(mWindows.mBoxes.empty());
    EXPECT_EQ(mWindows.mBoxes.back().text, "3D-Mode: ON");
    EXPECT_EQ(mWindows.mBoxes.back().title, "Mode Switch");
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkShift], 0) << "the box let go of the keys";
    Key(kVkShift);
    Key(kVkF1 + 7);
    EXPECT_FALSE(mApp.Is3DOn());
    EXPECT_EQ(mWindows.mBoxes.back().text, "3D-Mode: OFF");
}

TEST_F(DeveloperKeysTest, F2StartsTheProfilerAndShowsItsResultsOnTheNextPress) {
    using namespace Platform;
    mApp.mDebugKeysEnabled = true;
    Key(kVkF1 + 1);
    EXPECT_TRUE(PerfIsRunning());
    EXPECT_TRUE(mWindows.mBoxes.empty());
    mClock.Advance(1234);
    Key(kVkF1 + 1);
    EXPECT_FALSE(PerfIsRunning());
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text, "Total Time: 1234.00\n");
    EXPECT_EQ(mWindows.mBoxes[0].title, "Perf Results");
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkF1 + 1], 0);
}

TEST_F(DeveloperKeysTest, AltRReloadsTuningValuesAndLetsGoOfKeysWhenNothingChanged) {
    using namespace Platform;
    mApp.mDebugKeysEnabled = true;
    Key(kVkShift);
    Key(kVkMenu);
    Key('R');
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].title, "MODVAL WARNING!");
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkShift], 0);
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkMenu], 0);
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown['R'], 0);
}

} // namespace
} // namespace Vuro::Test
