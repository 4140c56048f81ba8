// The playback keys: speed, pause, single tick, jumps to the end, to a time before it and to a
// marker, fast-forward to the end and the sound toggle; a playback steered by them ends in the
// same state as one left to run at normal speed.

#include "DemoPlaybackFixture.h"

#include "framework/util/MersenneTwister.h"
#include "platform/Registry.h"
#include "platform/Window.h"
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

    MemoryRegistry mRegistry;
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

TEST_F(DemoControlsTest, TheMarkerListOffersTheMarkersAheadAndJumpsToTheChosenOne) {
    mMarkers = {{"start", 5}, {"boss", 300}, {"late", 372000}, {"finale", 372100}};
    Play(KeysEvery(5, 200));
    ASSERT_TRUE(StepToTick(100));
    mWindows.mAnswers = {Platform::kIdNo, Platform::kIdYes};
    mApp.DemoPlaybackKey('L');
    ASSERT_EQ(mWindows.mBoxes.size(), 2u);
    EXPECT_EQ(mWindows.mBoxes[0].title, "Marker List");
    EXPECT_EQ(mWindows.mBoxes[0].text, "boss (00:00:03)");
    EXPECT_EQ(mWindows.mBoxes[1].text, "late (01:02:00)");
    EXPECT_EQ(mApp.mFastForwardTarget, 372000);

    mWindows.mBoxes.clear();
    mWindows.mAnswers = {Platform::kIdNo, Platform::kIdNo, Platform::kIdNo};
    mApp.mFastForwardTarget = 0;
    mApp.DemoPlaybackKey('l');
    EXPECT_EQ(mWindows.mBoxes.size(), 3u);
    EXPECT_EQ(mApp.mFastForwardTarget, 0) << "refusing every marker jumps nowhere";
}

TEST_F(DemoControlsTest, JumpToTimeTakesTheStoredTimeBeforeTheEnd) {
    Play(KeysEvery(5, 50), 20000);
    mApp.mRegKey = "Vuro\\Controls\\";
    mRegistry.Put("Vuro\\Controls", "", "DemoJumpTime", Platform::kRegSz, "1:30");
    mWindows.mAnswers = {Platform::kIdCancel};
    mApp.DemoPlaybackKey('J');
    EXPECT_EQ(mApp.mFastForwardTarget, 0);
    mApp.DemoPlaybackKey('j');
    ASSERT_EQ(mWindows.mBoxes.size(), 2u);
    EXPECT_EQ(mWindows.mBoxes[1].title, "Jump To Time");
    EXPECT_EQ(mWindows.mBoxes[1].text, "Jump to 1:30 before the end?");
    EXPECT_EQ(mApp.mFastForwardTarget, 20000 - (90 * 1000 + 1000) / 10);
    const Platform::RegistryValue* stored = mRegistry.Find("Vuro\\Controls", "", "DemoJumpTime");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(mApp.DemoRecordsLeft(), true) << "the window reads no demo record";
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

    TestApp mApp;
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
