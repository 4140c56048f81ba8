// Developer keys: switched on with Ctrl+Alt+D, then keys the application acts on never reach
// the widgets.

#include "TestApp.h"
#include "framework/debug/ModVal.h"
#include "framework/debug/PerfProfiler.h"
#include "framework/display/DDImage.h"
#include "framework/display/TextureData.h"
#include "support/FakeAudioSystem.h"
#include "support/FakeDirectDraw.h"
#include "support/SoundFileBytes.h"
#include "support/TempWorkingFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>

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
    // The display is made again on the 3-D device (SDL's software renderer here).
    EXPECT_TRUE(mApp.Is3DOn());
    EXPECT_TRUE(mApp.mIs3DToggled);
    ASSERT_FALSE(mWindows.mBoxes.empty());
    EXPECT_EQ(mWindows.mBoxes.back().text, "3D-Mode: ON");
    EXPECT_NE(mApp.mWidgetManager->mImage, nullptr);
    Key(kVkShift);
    Key(kVkF1 + 7);
    EXPECT_FALSE(mApp.Is3DOn());
    EXPECT_EQ(mWindows.mBoxes.back().text, "3D-Mode: OFF");
    EXPECT_EQ(mWindows.mBoxes.back().title, "Mode Switch");
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[kVkShift], 0) << "the box let go of the keys";
    EXPECT_NE(mApp.mWidgetManager->mImage, nullptr);
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
    EXPECT_EQ(mApp.mWidgetManager->mKeyDown[int{'R'}], 0);
}

// The system's menu-command click from the data set's media folder, on an output of its own.
class MenuCommandSoundTest : public DeveloperKeysTest {
protected:
    void SetUp() override {
        std::filesystem::create_directory("media");
        SoundBytes::MonoWave({9000, -9000}).Save("media/Windows XP Menu Command.wav");
        DeveloperKeysTest::SetUp();
    }
    bool Clicked() {
        std::vector<int16_t> out = mAudio.Mix(4);
        return out != std::vector<int16_t>(out.size(), 0);
    }

    // Kept in the build tree: later reparses in the same process read it again.
    std::filesystem::path mTuningSource = std::filesystem::absolute("modval_sources/click.cpp");
    FakeAudioSystem mAudio;
    TempWorkingFolder mFolder;
};

TEST_F(MenuCommandSoundTest, ClicksOnCtrlAltDAndOnAReloadThatWorkedOnly) {
    using namespace Platform;
    Key(kVkControl);
    Key(kVkMenu);
    Key('D');
    EXPECT_TRUE(mApp.mDebugKeysEnabled);
    EXPECT_TRUE(Clicked());
    Key(kVkControl, false);

    Key('R');
    EXPECT_EQ(mWindows.mBoxes.size(), 1u) << "nothing changed: the reload failed";
    EXPECT_FALSE(Clicked());

    std::filesystem::create_directories(mTuningSource.parent_path());
    std::ofstream(mTuningSource) << "int speed = M(3);\n";
    std::filesystem::last_write_time(mTuningSource, std::filesystem::file_time_type::clock::now() +
                                                        std::chrono::hours(1));
    ModValSite site{mTuningSource.c_str()};
    ModValRegisterFile(site);
    Key(kVkMenu);
    Key('R');
    EXPECT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_TRUE(Clicked());

    Key(kVkControl);
    Key('D');
    EXPECT_FALSE(mApp.mDebugKeysEnabled);
    EXPECT_TRUE(Clicked()) << "switching them off clicks too";
}

// The tools that read the display's figures, on the fake device (16 MiB of video memory).
class DisplayToolsTest : public DeveloperKeysTest {
protected:
    FakeDirectDraw mDevice;
};

TEST_F(DisplayToolsTest, F8ShowsTheVideoStats) {
    using namespace Platform;
    mApp.mDebugKeysEnabled = true;
    TextureData texture;
    texture.mTexMemSize = 2048;
    texture.mPixelFormat = TextureData::kFormatR5G6B5;
    MemoryImage image(&mApp);
    image.mTextureData = &texture;
    Key(kVkF1 + 7);
    image.mTextureData = nullptr;
    ASSERT_FALSE(mWindows.mBoxes.empty());
    EXPECT_EQ(mWindows.mBoxes.back().title, "Video Stats");
    // In a window the screen's video-memory surface is made: 640 x 480 x 4 bytes = 1,200 KB.
    EXPECT_EQ(mWindows.mBoxes.back().text,
              "3D-Mode is Off (3D is Unsupported on this system)\r\n\r\n"
              "Video Memory: 1,200/16,384 KB\r\n\r\n"
              "Texture Memory: 2 KB\r\n"
              "A8R8G8B8: 0 - 0 KB\r\n"
              "A4R4G4B4: 0 - 0 KB\r\n"
              "R5G6B5: 1 - 2 KB\r\n"
              "Palette8: 0 - 0 KB\r\n");
}

TEST_F(DisplayToolsTest, F3SwitchesTheOverlayAndItsMode) {
    using namespace Platform;
    mApp.mDebugKeysEnabled = true;
    Key(kVkF1 + 2);
    EXPECT_TRUE(mApp.mShowOverlay);
    EXPECT_EQ(mApp.DeveloperOverlayLines(), std::vector<std::string>{"FPS: 0"});
    for (int frame = 0; frame < 30; ++frame) {
        mApp.CountOverlayFrame(mApp.mOverlayPeriodStart + 1000 * (frame + 1) / 30);
    }
    EXPECT_EQ(mApp.DeveloperOverlayLines(), std::vector<std::string>{"FPS: 30"});
    Key(kVkShift);
    Key(kVkF1 + 2);
    Key(kVkShift, false);
    EXPECT_TRUE(mApp.mShowOverlay) << "Shift keeps it on";
    mApp.mWidgetManager->mLastMouseX = 12;
    mApp.mWidgetManager->mLastMouseY = 34;
    mApp.mPlayingDemoBuffer = true;
    mApp.mUpdateCount = 372300; // 3723 s at 10 ms an update
    EXPECT_EQ(mApp.DeveloperOverlayLines(), (std::vector<std::string>{"01:02:03", "12,34"}));
    mApp.mPlayingDemoBuffer = false;

    // Drawn in the bottom right corner, 10 pixels from the edges: white text on black.
    mApp.DrawDirtyWidgets();
    const uint32_t* screen = mApp.mDDInterface->GetScreenImage()->GetBits();
    int lit = 0;
    for (int y = 440; y < 470; ++y) {
        for (int x = 560; x < 640; ++x) {
            lit += (screen[y * 640 + x] & 0xFFFFFF) != 0;
            if (x >= 630 || y >= 470) {
                EXPECT_EQ(screen[y * 640 + x] & 0xFFFFFF, 0u);
            }
        }
    }
    EXPECT_GT(lit, 5);
    Key(kVkF1 + 2);
    EXPECT_FALSE(mApp.mShowOverlay);
}

} // namespace
} // namespace Vuro::Test
