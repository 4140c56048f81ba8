// The playback keys: speed, pause, single tick, jumps to the end, to a time before it and to a
// marker (through their windows, worked with real input while the playback holds), fast-forward
// to the end and the sound toggle; a playback steered by them ends in the same state as one left
// to run at normal speed.

#include "DemoPlaybackFixture.h"

#include "framework/app/DemoJumpDialog.h"
#include "framework/app/DemoMarkerDialog.h"
#include "framework/app/StackApp.h"
#include "framework/util/MersenneTwister.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Registry.h"
#include "platform/Window.h"
#include "support/FixedWidthSysFonts.h"
#include "support/MemoryRegistry.h"

#include <functional>
#include <thread>

namespace Vuro::Test {
namespace {

class DemoControlsTest : public DemoPlaybackFixture {
protected:
    DemoStream KeysEvery(int step, int last) {
        DemoStream stream;
        stream.ScreenMode(0, true, 100);
        for (int tick = step; tick <= last; tick += step) {
            stream.Char(tick, static_cast<char>('a' + tick % 26));
        }
        return stream;
    }

    // Real input, as the window system delivers it while the demo plays.
    void Type(const std::string& text) {
        for (char c : text) {
            mEvents.Add({mApp.mMainWindow->Id(), Platform::kWmChar, static_cast<uint8_t>(c), 0});
        }
    }
    void Click(int x, int y, int clicks) {
        const uint32_t window = mApp.mMainWindow->Id();
        const int64_t point = Platform::MakePointParam(x, y);
        mEvents.Add({window, Platform::kWmMouseMove, 0, point});
        mEvents.Add({window, clicks == 2 ? Platform::kWmLButtonDblClk : Platform::kWmLButtonDown, 0,
                     point});
        mEvents.Add({window, Platform::kWmLButtonUp, 0, point});
    }
    bool Steps(int count) {
        for (int i = 0; i < count; ++i) {
            bool updated = false;
            if (!mApp.RunLoopStep(&updated)) {
                return false;
            }
        }
        return true;
    }

    MemoryRegistry mRegistry;
    Testing::FixedWidthSysFonts mFonts; // exact layouts
};

TEST_F(DemoControlsTest, SpeedKeysScaleResetAndJumpKeysCountBackFromTheEnd) {
    Play(KeysEvery(5, 50), 200000);
    mApp.DemoPlaybackKey('+');
    EXPECT_DOUBLE_EQ(mApp.mUpdateMultiplier, 1.5);
    mApp.DemoPlaybackKey('=');
    mApp.DemoPlaybackKey('-');
    EXPECT_DOUBLE_EQ(mApp.mUpdateMultiplier, 2.0 / 3.0);
    mApp.DemoPlaybackKey('=');
    EXPECT_DOUBLE_EQ(mApp.mUpdateMultiplier, 1.0);

    const std::pair<char, int> jumps[] = {{'0', 200000}, {'4', 188000}, {'5', 191000},
                                          {'6', 194000}, {'7', 197000}, {'8', 199000},
                                          {'9', 199500}};
    for (auto [key, target] : jumps) {
        mApp.DemoPlaybackKey(key);
        EXPECT_EQ(mApp.mFastForwardTarget, target) << key;
    }
    mApp.DemoPlaybackKey('x');
    EXPECT_EQ(mApp.mFastForwardTarget, 199500) << "other keys do nothing";
}

TEST_F(DemoControlsTest, AJumpToAnEndAlreadyPassedDoesNothing) {
    Play(KeysEvery(5, 50), 5);
    ASSERT_TRUE(StepToTick(10));
    mApp.DemoPlaybackKey('0');
    int draws = static_cast<int>(mApp.drawPassUpdates.size());
    for (int tick = 11; tick <= 20; ++tick) {
        ASSERT_TRUE(StepToTick(tick));
        EXPECT_FALSE(mApp.mFastForwarding);
    }
    EXPECT_GT(static_cast<int>(mApp.drawPassUpdates.size()), draws + 5) << "drawn as usual";
}

TEST_F(DemoControlsTest, PauseHoldsTheGameAndNAdvancesOneTickAndDrawsIt) {
    Play(KeysEvery(3, 60));
    ASSERT_TRUE(StepToTick(10));
    mApp.DemoPlaybackKey('P');
    EXPECT_TRUE(mApp.mPaused);
    uint32_t clockBefore = mClock.TickMs();
    for (int i = 0; i < 50; ++i) {
        bool updated = false;
        ASSERT_TRUE(mApp.RunLoopStep(&updated));
    }
    EXPECT_EQ(mApp.mUpdateCount, 10);
    EXPECT_GT(mClock.TickMs(), clockBefore) << "a paused loop sleeps";

    mApp.DemoPlaybackKey('n');
    EXPECT_EQ(mApp.mFastForwardTarget, 11);
    EXPECT_TRUE(StepToTick(11));
    for (int i = 0; i < 20; ++i) {
        bool updated = false;
        ASSERT_TRUE(mApp.RunLoopStep(&updated));
    }
    EXPECT_EQ(mApp.mUpdateCount, 11) << "still paused";
    ASSERT_FALSE(mApp.drawPassUpdates.empty());
    EXPECT_EQ(mApp.drawPassUpdates.back(), 11) << "the single tick is drawn at once";
    EXPECT_EQ(mLog.log.back(), "9 char j");

    mApp.DemoPlaybackKey('p');
    EXPECT_FALSE(mApp.mPaused);
    EXPECT_EQ(mApp.mUpdateFTimeAcc, 0.0) << "the frame clock restarts";
    ASSERT_TRUE(StepToTick(13));
    EXPECT_EQ(mLog.log.back(), "12 char m");
}

TEST_F(DemoControlsTest, FastForwardToTheEndStopsWhenTheRecordsRunOut) {
    Play(KeysEvery(10, 600));
    ASSERT_TRUE(StepToTick(5));
    mApp.DemoPlaybackKey('M');
    bool updated = false;
    ASSERT_TRUE(mApp.RunLoopStep(&updated));
    int guard = 0;
    while (mApp.mFastForwardToEnd && guard++ < 1000) {
        ASSERT_TRUE(mApp.RunLoopStep(&updated));
    }
    EXPECT_FALSE(mApp.mFastForwardToEnd);
    EXPECT_FALSE(mApp.DemoRecordsLeft());
    EXPECT_EQ(mLog.log.size(), 60u);
    EXPECT_EQ(mLog.log.back(), "600 char c");
    EXPECT_LE(mApp.mUpdateCount, 602);
    EXPECT_LT(mClock.TickMs() - 100000, 2000u) << "the ticks ran without waiting for time";
}

TEST_F(DemoControlsTest, SoundTogglesBetweenSilenceAndTheSavedVolumes) {
    Play(KeysEvery(5, 50));
    mApp.SetMusicVolume(0.6);
    mApp.SetSfxVolume(0.4);
    mApp.DemoPlaybackKey('s');
    EXPECT_DOUBLE_EQ(mApp.GetMusicVolume(), 0.0);
    EXPECT_DOUBLE_EQ(mApp.GetSfxVolume(), 0.0);
    EXPECT_DOUBLE_EQ(mApp.mDemoMusicVolume, 0.6);
    EXPECT_DOUBLE_EQ(mApp.mDemoSfxVolume, 0.4);
    mApp.DemoPlaybackKey('S');
    EXPECT_DOUBLE_EQ(mApp.GetMusicVolume(), 0.6);
    EXPECT_DOUBLE_EQ(mApp.GetSfxVolume(), 0.4);
}

TEST_F(DemoControlsTest, TheMarkerListOffersTheMarkersAheadAndHoldsThePlaybackWhileOpen) {
    mMarkers = {{"start", 5}, {"bridge", 150}, {"boss", 6100}, {"late", 372000}};
    Play(KeysEvery(5, 200));
    ASSERT_TRUE(StepToTick(100));
    Type("L");
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(kDemoMarkerDialogId) != nullptr; }, 10));
    auto* dialog = dynamic_cast<DemoMarkerDialog*>(mApp.GetDialog(kDemoMarkerDialogId));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogHeader, "Marker List");
    EXPECT_EQ(dialog->mList->mLines,
              (std::vector<std::string>{"bridge (00:00:01)", "boss (00:01:01)", "late (01:02:00)"}))
        << "the marker behind the current tick is left out";
    ASSERT_FALSE(Testing::FixedWidthSysFonts::Requests().empty());
    EXPECT_EQ(Testing::FixedWidthSysFonts::Requests()[0].mFace, "Tahoma");

    // 320 x 240 in the middle of 640 x 480. The client area lies inside the frame (13 in),
    // from the title's foot (24 + 9) to the button row (240 - 48); the list fills it less 10
    // on each side, its scroll bar the last 16 pixels of that.
    EXPECT_EQ(dialog->GetRect(), Rect(160, 120, 320, 240));
    EXPECT_EQ(dialog->mList->GetRect(), Rect(183, 163, 258, 139));
    EXPECT_EQ(dialog->mScrollbar->GetRect(), Rect(441, 163, 16, 139));
    EXPECT_EQ(dialog->mYesButton->mLabel, "Close");

    // The playback holds: no update, no record, and playback keys typed now do nothing.
    Type("09");
    ASSERT_TRUE(Steps(40));
    EXPECT_EQ(mApp.mUpdateCount, 100);
    EXPECT_EQ(mLog.log.back(), "95 char r") << "the record due at 100 waits";
    EXPECT_EQ(mApp.mFastForwardTarget, 0);
    EXPECT_FALSE(mApp.JumpToDemoMarker(100)) << "a marker no longer ahead is no jump";

    // A single click chooses nothing; a double click on "bridge" (row 0: y 167..176) jumps.
    Click(200, 170, 1);
    ASSERT_TRUE(Steps(10));
    EXPECT_EQ(mApp.mFastForwardTarget, 0);
    Click(200, 170, 2);
    ASSERT_TRUE(Steps(10));
    EXPECT_EQ(mApp.mFastForwardTarget, 150);
    EXPECT_EQ(mApp.GetDialog(kDemoMarkerDialogId), nullptr);
    EXPECT_EQ(mApp.mWidgetManager->mFocusWidget, &mLog) << "the game has its focus back";

    ASSERT_TRUE(StepToTick(151));
    ASSERT_EQ(mLog.log.size(), 30u) << "every record arrived, none lost to the window";
    EXPECT_EQ(mLog.log[19], "100 char w");
    EXPECT_EQ(mLog.log.back(), "150 char u");
}

TEST_F(DemoControlsTest, TheMarkerListsCloseButtonClosesWithoutAJump) {
    mMarkers = {{"boss", 300}};
    Play(KeysEvery(5, 200));
    ASSERT_TRUE(StepToTick(10));
    Type("l");
    ASSERT_TRUE(Steps(3));
    ASSERT_NE(mApp.GetDialog(kDemoMarkerDialogId), nullptr);
    // One button across the content: x 184, 272 wide; y 120 + 240 - 48 = 312.
    Click(300, 320, 1);
    ASSERT_TRUE(Steps(3));
    EXPECT_EQ(mApp.GetDialog(kDemoMarkerDialogId), nullptr);
    EXPECT_EQ(mApp.mFastForwardTarget, 0);
    ASSERT_TRUE(StepToTick(21));
    EXPECT_EQ(mLog.log.back(), "20 char u");
}

TEST_F(DemoControlsTest, JumpToTimeEditsTheStoredTimeAndJumpsThatLongBeforeTheEnd) {
    Play(KeysEvery(5, 50), 20000);
    mApp.mRegKey = "Vuro\\Controls\\";
    mRegistry.Put("Vuro\\Controls", "", "DemoJumpTime", Platform::kRegSz, "1:30");
    ASSERT_TRUE(StepToTick(3));
    Type("J");
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(kDemoJumpDialogId) != nullptr; }, 10));
    auto* dialog = dynamic_cast<DemoJumpDialog*>(mApp.GetDialog(kDemoJumpDialogId));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogHeader, "Jump To Time");
    EXPECT_EQ(dialog->mEdit->mText, "1:30");
    EXPECT_EQ(dialog->mEdit->mHighlightPos, 0) << "all selected";
    EXPECT_EQ(dialog->mEdit->mCursorPos, 4);
    EXPECT_EQ(mApp.mWidgetManager->mFocusWidget, dialog->mEdit);
    EXPECT_EQ(dialog->mYesButton->mLabel, "OK");
    EXPECT_EQ(dialog->mNoButton->mLabel, "Cancel");

    // Title to 33, 10, a field of 10 + 8, 10, the buttons' 24 and 24 below: 240 x 119,
    // centred; the field at 180 + 33 + 10. Buttons (192 - 8) / 2 = 92 wide at x 224 and 324, y 180
    // + 119 - 48 = 251.
    EXPECT_EQ(dialog->GetRect(), Rect(200, 180, 240, 119));
    EXPECT_EQ(dialog->mEdit->GetRect(), Rect(224, 223, 192, 18));
    EXPECT_EQ(dialog->mYesButton->GetRect(), Rect(224, 251, 92, 24));
    EXPECT_EQ(dialog->mNoButton->GetRect(), Rect(324, 251, 92, 24));

    // Typing replaces the selection; "0", "4" and "5" are no playback keys meanwhile.
    Type("0:45");
    ASSERT_TRUE(Steps(20));
    EXPECT_EQ(dialog->mEdit->mText, "0:45");
    EXPECT_EQ(mApp.mFastForwardTarget, 0);
    EXPECT_EQ(mApp.mUpdateCount, 3);

    Click(250, 260, 1);
    ASSERT_TRUE(Steps(3));
    EXPECT_EQ(mApp.GetDialog(kDemoJumpDialogId), nullptr);
    EXPECT_EQ(mApp.mFastForwardTarget, 20000 - (45 * 1000 + 1000) / 10);
    const Platform::RegistryValue* stored = mRegistry.Find("Vuro\\Controls", "", "DemoJumpTime");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(std::string(stored->data.begin(), stored->data.end()), "0:45");
    EXPECT_TRUE(mApp.DemoRecordsLeft()) << "the window reads no demo record";
}

TEST_F(DemoControlsTest, JumpToTimeCancelChangesNothing) {
    Play(KeysEvery(5, 50), 20000);
    mApp.mRegKey = "Vuro\\Controls\\";
    mRegistry.Put("Vuro\\Controls", "", "DemoJumpTime", Platform::kRegSz, "1:30");
    ASSERT_TRUE(StepToTick(3));
    Type("j");
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(kDemoJumpDialogId) != nullptr; }, 10));
    auto* dialog = dynamic_cast<DemoJumpDialog*>(mApp.GetDialog(kDemoJumpDialogId));
    ASSERT_NE(dialog, nullptr);
    Type("9");
    ASSERT_TRUE(Steps(5));
    EXPECT_EQ(dialog->mEdit->mText, "9");
    Click(330, 260, 1);
    ASSERT_TRUE(Steps(3));
    EXPECT_EQ(mApp.GetDialog(kDemoJumpDialogId), nullptr);
    EXPECT_EQ(mApp.mFastForwardTarget, 0);
    const Platform::RegistryValue* stored = mRegistry.Find("Vuro\\Controls", "", "DemoJumpTime");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(std::string(stored->data.begin(), stored->data.end()), "1:30");
    ASSERT_TRUE(StepToTick(11));
    EXPECT_EQ(mLog.log.back(), "10 char k") << "the playback goes on where it stood";
}

TEST_F(DemoControlsTest, EnterInTheJumpFieldActsAsOk) {
    Play(KeysEvery(5, 50), 20000);
    mApp.mRegKey = "Vuro\\Controls\\";
    ASSERT_TRUE(StepToTick(3));
    Type("J");
    ASSERT_TRUE(StepUntil([&] { return mApp.GetDialog(kDemoJumpDialogId) != nullptr; }, 10));
    Type("2:00");
    mEvents.Add({mApp.mMainWindow->Id(), Platform::kWmKeyDown, Platform::kVkReturn, 0});
    ASSERT_TRUE(Steps(20));
    EXPECT_EQ(mApp.GetDialog(kDemoJumpDialogId), nullptr);
    EXPECT_EQ(mApp.mFastForwardTarget, 20000 - (120 * 1000 + 1000) / 10);
    const Platform::RegistryValue* stored = mRegistry.Find("Vuro\\Controls", "", "DemoJumpTime");
    ASSERT_NE(stored, nullptr) << "made when the key had no value yet";
    EXPECT_EQ(std::string(stored->data.begin(), stored->data.end()), "2:00");
}

TEST(DemoJumpTimeTest, FieldsSeparatedByColonsCountUpToSeconds) {
    EXPECT_EQ(VuroAppBase::ParseDemoJumpTime("1:02:03"), 3723);
    EXPECT_EQ(VuroAppBase::ParseDemoJumpTime("2:05"), 125);
    EXPECT_EQ(VuroAppBase::ParseDemoJumpTime("45"), 45);
    EXPECT_EQ(VuroAppBase::ParseDemoJumpTime(""), 0);
    EXPECT_EQ(VuroAppBase::ParseDemoJumpTime("x:7"), 7);
    EXPECT_EQ(VuroAppBase::ParseDemoJumpTime("1::"), 3600);
    // Absurd times are cut so that the jump's ms stay within range.
    EXPECT_EQ(VuroAppBase::ParseDemoJumpTime("99999999999999:99:99:99:99"), INT_MAX / 1000 - 1);
}

// One application playing back a demo file, with the input log and the moments of loading.
class PlaybackRun {
public:
    PlaybackRun(const std::string& path, int syncTick) {
        mApp.mDemoFileName = path;
        mApp.mPlayingDemoBuffer = true;
        mApp.mCmdLineParsed = true;
        mApp.Init();
        mLog.Attach(mApp);
        mApp.onLoadingDone = [this] { mLog.Note("loaded"); };
        mApp.onUpdate = [this, syncTick] {
            if (mApp.mUpdateCount == syncTick) {
                std::string text = "live";
                mApp.SyncDemoString(text);
                mLog.Note("sync " + text + " " + std::to_string(Rand()));
            }
        };
        mApp.StartLoadingThread();
        // The loading work ends at once; wait for it so that no step count races the thread.
        mApp.WaitForLoadingThread();
    }
    ~PlaybackRun() { mApp.mWidgetManager->RemoveWidget(&mLog); }
    void Step() {
        bool updated = false;
        ASSERT_TRUE(mApp.RunLoopStep(&updated));
    }
    void StepToTick(int tick) {
        for (int i = 0; i < 100000 && mApp.mUpdateCount < tick; ++i) {
            Step();
        }
        ASSERT_EQ(mApp.mUpdateCount, tick);
    }

    StackApp<TestApp> mApp;
    LogWidget mLog{mApp};
};

TEST(DemoSteeredPlaybackTest, PauseSingleTickAndAJumpEndLikeNormalSpeed) {
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    TempFolder folder("steered");
    DemoStream stream;
    stream.ScreenMode(0, true, 100);
    for (int tick = 3; tick <= 390; tick += 7) {
        stream.Char(tick, static_cast<char>('a' + tick % 26));
        if (tick == 45) {
            stream.LoadingDone(50);
        }
        if (tick == 115) {
            stream.Sync(120, std::string("\x08\0recorded", 10));
        }
    }
    DemoFile demo;
    demo.mProductVersion = Platform::ProductVersion();
    demo.mSeed = 99;
    demo.mEndTick = 400;
    demo.mRecords = stream.Bytes();
    std::vector<uint8_t> bytes = demo.Write();
    folder.Write("steered.dmo", std::string(bytes.begin(), bytes.end()));
    std::string path = folder.Path("steered.dmo");

    std::vector<std::string> normal;
    {
        PlaybackRun run(path, 120);
        run.StepToTick(400);
        normal = run.mLog.log;
    }
    ASSERT_EQ(normal.size(), 58u);
    EXPECT_NE(std::find(normal.begin(), normal.end(), "50 loaded"), normal.end());

    PlaybackRun run(path, 120);
    run.StepToTick(10);
    run.mApp.DemoPlaybackKey('P');
    for (int i = 0; i < 30; ++i) {
        run.Step();
    }
    EXPECT_EQ(run.mApp.mUpdateCount, 10);
    run.mApp.DemoPlaybackKey('P');
    run.StepToTick(12);
    run.mApp.DemoPlaybackKey('N');
    run.StepToTick(13);
    run.mApp.DemoPlaybackKey('0');
    size_t drawsBefore = run.mApp.drawPassUpdates.size();
    run.StepToTick(400);
    EXPECT_LE(run.mApp.drawPassUpdates.size(), drawsBefore + 2) << "a fast-forward rarely draws";
    EXPECT_FALSE(run.mApp.mFastForwarding);
    EXPECT_EQ(run.mLog.log, normal);
}

} // namespace
} // namespace Vuro::Test
