// The demo of a crashed run and the application's OnCrash: a fault while recording closes the
// demo with a filler record at the crash's tick, writes it (byte for byte the file the record
// stream makes) and sends it with the report; a real fault in a recording child process leaves
// a demo that plays back to the fault; OnCrash is called and silences the music.

#include "framework/app/DemoPlaybackFixture.h"
#include "framework/app/DemoRecord.h"
#include "framework/app/StackApp.h"
#include "framework/debug/CrashHandler.h"
#include "framework/debug/CrashReporter.h"
#include "framework/sound/MusicInterface.h"
#include "platform/FaultHandler.h"
#include "platform/Process.h"
#include "platform/SoundDevice.h"
#include "support/ChildRun.h"
#include "support/FakeAudioSystem.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <thread>

namespace Vuro::Test {
namespace {

using Platform::Message;

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

Platform::FaultRecord MadeUpFault() {
    Platform::FaultRecord fault;
    fault.code = Platform::kFaultAccessViolation;
    fault.address = 0x1234;
    return fault;
}

class CrashDemoApp : public TestApp {
public:
    void OnCrash() override {
        ++crashes;
        TestApp::OnCrash();
    }
    std::string GetExtraCrashText() override { return extraFile; }
    int crashes = 0;
    std::string extraFile;
};

class CrashDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        mApp.mCmdLineParsed = true;
        mApp.mRecordingDemoBuffer = true;
        mApp.mDemoFileName = "crashed.dmo";
        mApp.Init();
        // Only the records below: start-up's own (settings, screen mode) are dropped.
        mApp.mDemoBuffer.Clear();
        mApp.mDemoNextUpdate = 0;
        mApp.mDemoMarkerList = {{"start", 3}};
    }
    void TearDown() override { Platform::SilenceSoundOutput(false); }

    // A key down at tick 10 and a relative mouse move at 12: 18 + 22 bits, so the stream ends
    // inside a byte. The same records from the format, for the expected file.
    DemoStream WriteRecords() {
        using namespace DemoRecord;
        mApp.mUpdateCount = 10;
        mApp.WriteDemoRecordHeader(kKeyDown, false);
        mApp.mDemoBuffer.WriteBits('A', 8);
        mApp.mUpdateCount = 12;
        mApp.WriteDemoRecordHeader(kMouseMoveBy, true);
        mApp.mDemoBuffer.WriteBits(5, 6);
        mApp.mDemoBuffer.WriteBits(-3, 6);
        DemoStream stream;
        stream.Header(10, false, kKeyDown).Bits('A', 8);
        stream.Header(12, true, kMouseMoveBy).Bits(5, 6).Bits(-3, 6);
        return stream;
    }
    std::vector<uint8_t> ExpectedFile(int crashTick, DemoStream stream) {
        stream.Header(crashTick, false, DemoRecord::kFiller);
        DemoFile demo;
        demo.mSeed = mApp.mRandSeed;
        demo.mProductVersion = mApp.mProductVersion;
        demo.mMarkers = mApp.mDemoMarkerList;
        demo.mEndTick = crashTick;
        demo.mRecords = stream.Bytes();
        return demo.Write();
    }

    TempWorkingFolder mFolder;
    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    StackApp<CrashDemoApp> mApp;
};

// Closed at the crash's tick after however many fillers the gap needs (a few, and more than
// the writer holds at once), written whole, and named to the report run; recording and
// playback end.
TEST_F(CrashDemoTest, AFaultWhileRecordingWritesTheClosedDemoAndSendsIt) {
    for (int crashTick : {75, 12 + 15 * 500}) {
        SCOPED_TRACE(crashTick);
        mApp.mDemoBuffer.Clear();
        mApp.mDemoNextUpdate = 0;
        mApp.mRecordingDemoBuffer = true;
        mApp.mPlayingDemoBuffer = true; // (not both in a real run: both are cleared)
        DemoStream stream = WriteRecords();
        CrashHandler::PublishCrashInfo(mApp);
        mApp.mUpdateCount = crashTick;

        CrashHandler::CrashFilter(MadeUpFault());

        EXPECT_EQ(FileBytes("crashed.dmo"), ExpectedFile(crashTick, stream));
        EXPECT_EQ(CrashHandler::LastAttachArg(), "-crashattach=crashed.dmo");
        EXPECT_FALSE(mApp.mRecordingDemoBuffer);
        EXPECT_FALSE(mApp.mPlayingDemoBuffer);
    }
    DemoFile read;
    std::string error;
    std::vector<uint8_t> bytes = FileBytes("crashed.dmo");
    ASSERT_TRUE(read.Read(bytes.data(), bytes.size(), mApp.mProductVersion, error)) << error;
    EXPECT_EQ(read.mMarkers, mApp.mDemoMarkerList);
}

TEST_F(CrashDemoTest, TheApplicationsOwnFileIsSentInsteadAndWithoutADemoNothingIs) {
    mApp.extraFile = "notes.txt";
    WriteRecords();
    CrashHandler::PublishCrashInfo(mApp);
    CrashHandler::CrashFilter(MadeUpFault());
    EXPECT_EQ(CrashHandler::LastAttachArg(), "-crashattach=notes.txt");
    EXPECT_FALSE(FileBytes("crashed.dmo").empty()) << "the demo is still written";

    std::filesystem::remove("crashed.dmo");
    mApp.extraFile.clear();
    CrashHandler::PublishCrashInfo(mApp); // no longer recording
    CrashHandler::CrashFilter(MadeUpFault());
    EXPECT_EQ(CrashHandler::LastAttachArg(), "");
    EXPECT_FALSE(std::filesystem::exists("crashed.dmo"));
}

// OnCrash is the filter's first call; the music playing stops at once.
TEST_F(CrashDemoTest, OnCrashIsCalledAndSilencesTheMusic) {
    FakeAudioSystem audio;
    // The music interface is made on the audio system in use: make it again on this one.
    delete mApp.mMusicInterface;
    mApp.mMusicInterface = mApp.CreateMusicInterface(mApp.mMainWindow.get());
    ASSERT_TRUE(
        mApp.mMusicInterface->LoadMusic(1, VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg"));
    mApp.mMusicInterface->PlayMusic(1, 0, false);
    auto audible = [](const std::vector<int16_t>& out) {
        return std::any_of(out.begin(), out.end(), [](int16_t s) { return s != 0; });
    };
    ASSERT_TRUE(audible(audio.Mix(200)));

    CrashHandler::CrashFilter(MadeUpFault());

    EXPECT_EQ(mApp.crashes, 1);
    EXPECT_TRUE(mApp.mCrashed);
    EXPECT_FALSE(audible(audio.Mix(200)));
    delete mApp.mMusicInterface;
    mApp.mMusicInterface = nullptr;
}

// The report run waits while its parent is the crashed copy, up to its limit; a copy that is
// not its parent (gone already, or a run started by hand) is not waited for.
TEST(CrashReporterWaitTest, TheReportRunWaitsForTheCrashedCopyToEnd) {
    FakeClock clock;
    CrashReporter::WaitForCrashedProgram(Platform::ParentProcessId() + 1);
    CrashReporter::WaitForCrashedProgram(0);
    EXPECT_EQ(clock.SleptMs(), 0u);
    CrashReporter::WaitForCrashedProgram(Platform::ParentProcessId());
    EXPECT_EQ(clock.SleptMs(), CrashReporter::kCrashedProgramWaitMs);
}

// Three seconds of scripted input, some of it far apart, then nothing until the fault.
InputScript Script(uint32_t window) {
    using namespace Platform;
    const WindowInput in{window};
    return {
        {5, {in.At(kWmMouseMove, 100, 100)}},
        {7, {in.At(kWmMouseMove, 110, 96)}},
        {30, {in.At(kWmLButtonDown, 110, 96), in.At(kWmMouseMove, 180, 150)}},
        {31, {in.At(kWmLButtonUp, 180, 150)}},
        {90, {in.Key(kWmKeyDown, 'Q'), in.Key(kWmChar, 'q'), in.Key(kWmKeyUp, 'Q')}},
        {200, {in.At(kWmRButtonDown, 20, 300), in.At(kWmRButtonUp, 20, 300)}},
        {251, {in.Key(kWmKeyDown, 'Z')}},
    };
}

constexpr int kFaultTick = 300;

// Steps the application until its update count reaches tick.
void StepTo(VuroAppBase& app, int tick) {
    for (int i = 0; i < 100000 && app.mUpdateCount < tick; ++i) {
        bool updated = false;
        if (!app.RunLoopStep(&updated)) {
            break;
        }
    }
}

// How a recording child ends: with a fault, or with a close while its loading work is stuck
// (the process ends half a second after the loop, without the work).
enum class Ending { kFault, kQuitDuringEndlessLoading };

constexpr int kQuitTick = 260;

// The child: records the script, tells the parent what its widget saw, and ends.
[[noreturn]] void RecordAndEnd(int reportPipe, Ending ending) {
    CrashHandler handler;
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    StackApp<TestApp> app;
    app.mCmdLineParsed = true;
    app.mRecordingDemoBuffer = true;
    app.mDemoFileName = "recorded.dmo";
    app.Init();
    LogWidget log(app);
    log.Attach(app);
    InputScript script = Script(app.mMainWindow->Id());
    if (ending == Ending::kQuitDuringEndlessLoading) {
        script[kQuitTick].push_back(CloseMessage(app));
        app.loadingWork = [] {
            for (;;) {
                std::this_thread::sleep_for(std::chrono::hours(1));
            }
        };
        app.StartLoadingThread();
    }
    app.onUpdate = [&] {
        for (const Message& message : script[app.mUpdateCount]) {
            events.Add(message);
        }
    };
    StepTo(app, kFaultTick);
    std::string seen = std::to_string(app.mUpdateCount) + "\n";
    for (const std::string& line : log.log) {
        seen += line + "\n";
    }
    // The pipe stays open to the end, so that the parent's bounded wait for it also covers
    // an ending that never comes.
    Report(reportPipe, seen);
    if (ending == Ending::kFault) {
        Platform::RaiseFault();
    }
    app.EndLoadingThreadForExit();
    _exit(3); // the loading work cannot have ended
}

struct Recording {
    int status = 0;
    int endTick = -1;                 // the update count the child reached
    std::vector<std::string> log;     // what its widget saw
    std::vector<std::string> records; // the headers of its demo's record stream
};

// Runs a recording child in the working folder and reads back what it saw and left.
Recording RecordInChild(Ending ending) {
    Recording recording;
    ChildRun run = RunInChild([ending](int reportPipe) { RecordAndEnd(reportPipe, ending); });
    recording.status = run.status;
    std::istringstream lines(run.report);
    std::string line;
    if (std::getline(lines, line)) {
        recording.endTick = std::stoi(line);
    }
    while (std::getline(lines, line)) {
        recording.log.push_back(line);
    }
    std::vector<uint8_t> bytes = FileBytes("recorded.dmo");
    DemoFile demo;
    std::string error;
    EXPECT_TRUE(demo.Read(bytes.data(), bytes.size(), Platform::ProductVersion(), error)) << error;
    EXPECT_EQ(demo.mEndTick, recording.endTick);
    recording.records = DecodeDemoRecords(demo.mRecords);
    return recording;
}

// Plays the child's demo: the widget sees what it saw, at the same ticks, to the demo's end.
void ExpectPlaysBack(const Recording& recording) {
    FakeClock clock;
    ScriptedEvents events;
    FakeWindowSystem windows;
    StackApp<TestApp> player;
    player.mCmdLineParsed = true;
    player.mPlayingDemoBuffer = true;
    player.mDemoFileName = "recorded.dmo";
    player.Init();
    LogWidget log(player);
    log.Attach(player);
    StepTo(player, recording.endTick);
    // The last records are taken at the end's tick (a replayed close shuts the player down).
    for (int i = 0; i < 1000 && player.DemoRecordsLeft() && !player.mShutdown; ++i) {
        bool updated = false;
        ASSERT_TRUE(player.RunLoopStep(&updated));
    }
    EXPECT_EQ(log.log, recording.log);
    EXPECT_EQ(player.mUpdateCount, recording.endTick);
}

TEST(CrashDemoRealFaultTest, ARecordingThatFaultsLeavesADemoThatPlaysBackToTheFault) {
    TempWorkingFolder folder;
    Recording recording = RecordInChild(Ending::kFault);
    ASSERT_TRUE(WIFSIGNALED(recording.status)) << "status " << recording.status;
    EXPECT_EQ(WTERMSIG(recording.status), SIGSEGV);
    ASSERT_EQ(recording.endTick, kFaultTick);
    ASSERT_EQ(recording.log.size(), 12u);
    // After the last key, 49 ticks: three fillers and the closing one, due at the fault.
    ASSERT_GE(recording.records.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(recording.records.end() - 5, recording.records.end()),
              (std::vector<std::string>{"15 0 31", "15 0 31", "15 0 31", "4 0 31", "end"}));
    ExpectPlaysBack(recording);
}

// A quit while the loading work is stuck ends the process without the work, and the demo of the
// run is written all the same, closed at the quit's tick.
TEST(CrashDemoRealFaultTest, AQuitDuringLoadingThatNeverEndsLeavesADemoThatPlaysBackToTheQuit) {
    TempWorkingFolder folder;
    Recording recording = RecordInChild(Ending::kQuitDuringEndlessLoading);
    ASSERT_TRUE(WIFEXITED(recording.status)) << "status " << recording.status;
    EXPECT_EQ(WEXITSTATUS(recording.status), 0);
    ASSERT_EQ(recording.endTick, kQuitTick);
    ASSERT_EQ(recording.log.size(), 12u);
    // The close, 9 ticks after the last key, then the closing filler at the same tick.
    ASSERT_GE(recording.records.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(recording.records.end() - 3, recording.records.end()),
              (std::vector<std::string>{"9 0 6", "0 0 31", "end"}));
    ExpectPlaysBack(recording);
}

} // namespace
} // namespace Vuro::Test
