// A recorded session played back: the file's header byte for byte, the record stream record
// by record, and the widgets see the same input at the same update counts in both runs, with
// registry, file and synchronised values taken from the recording.

#include "DemoPlaybackFixture.h"

#include "framework/app/StackApp.h"
#include "platform/Registry.h"
#include "support/MemoryRegistry.h"

#include <filesystem>
#include <iterator>
#include <map>

namespace Vuro::Test {
namespace {

using Platform::MakePointParam;
using Platform::Message;

// The same program in both runs: the values it asks for at fixed update counts, logged with
// the input its widget sees.
class SessionApp : public TestApp {
public:
    SessionApp(const std::string& demoFile, const std::string& dataFile, std::string liveText)
        : mDataFile(dataFile), mLiveText(std::move(liveText)) {
        mRegKey = "Vuro\\RoundTrip";
        mDemoFileName = demoFile;
        mCmdLineParsed = true;
    }
    void UpdateWidgets() override {
        TestApp::UpdateWidgets();
        if (mUpdateCount == 20) {
            bool written = WriteRegInt("Score", 7);
            int score = 0;
            bool read = ReadRegInt("Score", score);
            int missing = -1;
            bool readMissing = ReadRegInt("Missing", missing);
            log.Note("registry " + std::to_string(written) + " " + std::to_string(read) + " " +
                     std::to_string(score) + " " + std::to_string(readMissing));
        } else if (mUpdateCount == 25) {
            Buffer contents;
            bool read = ReadBufferFromFile(mDataFile, contents);
            std::string text(reinterpret_cast<const char*>(contents.GetDataPtr()),
                             static_cast<size_t>(contents.GetDataLen()));
            log.Note("file " + std::to_string(read) + " " + text);
        } else if (mUpdateCount == 30) {
            std::string text = mLiveText;
            SyncDemoString(text);
            log.Note("sync " + text);
        }
    }

    LogWidget log{*this};

private:
    std::string mDataFile;
    std::string mLiveText;
};

InputScript Script(uint32_t window) {
    using namespace Platform;
    const WindowInput in{window};
    auto wheel = [window](int delta) {
        return Message{window, kWmMouseWheel, MakeWheelParam(delta, 0), 0};
    };
    return {
        {2, {in.At(kWmMouseMove, 100, 100)}},
        {3, {in.At(kWmMouseMove, 131, 100)}}, // 31 pixels: relative
        {4, {in.At(kWmMouseMove, 163, 100)}}, // 32 pixels: absolute
        {5, {in.At(kWmLButtonDown, 163, 100)}},
        {6, {in.At(kWmMouseMove, -5, -7), in.At(kWmLButtonUp, -5, -7)}},
        {8, {in.At(kWmLButtonDblClk, 50, 50), in.At(kWmLButtonUp, 50, 50)}},
        {9,
         {in.At(kWmRButtonDown, 50, 50), in.At(kWmRButtonUp, 50, 50),
          in.At(kWmRButtonDblClk, 52, 50), in.At(kWmRButtonUp, 52, 50)}},
        {10, {in.At(kWmMButtonDown, 52, 50), in.At(kWmMButtonUp, 52, 50)}},
        {11,
         {in.Key(kWmKeyDown, 'A'), in.Key(kWmChar, 'a'), in.Key(kWmKeyUp, 'A'), wheel(-240),
          wheel(120)}},
        {70, {in.Key(kWmKeyDown, 'B')}}, // 40 ticks after the last record: two fillers, delta 10
        {80, {Message{window, kWmClose, 0, 0}}},
    };
}

class DemoRoundTripTest : public ::testing::Test {
protected:
    std::vector<uint8_t> FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
    }
    // Steps the application's loop until it shuts down.
    static bool RunToShutdown(VuroAppBase& app) {
        for (int i = 0; i < 100000 && !app.mShutdown; ++i) {
            bool updated = false;
            if (!app.RunLoopStep(&updated)) {
                break;
            }
        }
        return app.mShutdown;
    }

    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    MemoryRegistry mRegistry;
    TempFolder mFolder{"roundtrip"};
};

TEST_F(DemoRoundTripTest, PlaybackRepeatsTheRecordedSessionExactly) {
    std::string demoPath = mFolder.Path("session.dmo");
    std::string dataPath = mFolder.Path("data.txt");
    mFolder.Write("data.txt", "file contents");

    std::vector<std::string> recordedLog;
    uint32_t seed = 0;
    int endTick = 0;
    std::string version;
    {
        StackApp<SessionApp> app(demoPath, dataPath, "recorded");
        app.mRecordingDemoBuffer = true;
        app.Init();
        app.log.Attach(app);
        InputScript script = Script(app.mMainWindow->Id());
        app.onUpdate = [&] {
            for (const Message& message : script[app.mUpdateCount]) {
                mEvents.Add(message);
            }
            if (app.mUpdateCount == 40) {
                app.mDemoMarkerList.push_back({"halfway", 40});
            }
        };
        ASSERT_TRUE(RunToShutdown(app));
        recordedLog = app.log.log;
        seed = app.mRandSeed;
        endTick = app.mUpdateCount;
        version = app.mProductVersion;
        app.mWidgetManager->RemoveWidget(&app.log);
    } // the file is written here

    std::vector<uint8_t> file = FileBytes(demoPath);
    std::vector<uint8_t> header;
    auto put = [&](std::initializer_list<int> bytes) {
        for (int b : bytes) {
            header.push_back(static_cast<uint8_t>(b));
        }
    };
    auto put32 = [&](uint32_t v) {
        put({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
             static_cast<int>((v >> 16) & 0xFF), static_cast<int>(v >> 24)});
    };
    put({0x78, 0xEF, 0xBE, 0x42, 2, 0, 0, 0});
    put32(seed);
    put({static_cast<int>(version.size() & 0xFF), static_cast<int>(version.size() >> 8)});
    header.insert(header.end(), version.begin(), version.end());
    put32(4 + 2 + 7 + 4);
    put32(1);
    put({7, 0});
    header.insert(header.end(), {'h', 'a', 'l', 'f', 'w', 'a', 'y'});
    put32(40);
    put32(static_cast<uint32_t>(endTick));
    ASSERT_GT(file.size(), header.size());
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(header.size())),
              header);
    EXPECT_EQ(seed, 100000u) << "the seed is the clock at start-up";

    // The stream, record by record ("delta mouse code").
    std::vector<std::string> records = DecodeDemoRecords(
        std::vector<uint8_t>(file.begin() + static_cast<long>(header.size()), file.end()));
    std::vector<std::string> expected = {
        "0 0 23",                                           // screen mode at window creation
        "2 0 0",                                            // (100, 100): 100 pixels from (0, 0)
        "0 0 7",                                            // the mouse entered the window
        "1 1 0",                                            // 31 pixels: relative
        "1 0 0",                                            // 32 pixels: absolute
        "1 1 1",                                            // left down
        "1 0 0",   "0 1 1",                                 // drag out to (-5, -7), left up
        "2 0 0",   "0 1 1",   "0 1 1",                      // double click at (50, 50), up
        "1 1 1",   "0 1 1",   "0 1 0",  "0 1 1",  "0 1 1",  // right down, up, double (moved 2), up
        "1 1 1",   "0 1 1",                                 // middle down, up
        "1 0 3",   "0 0 5",   "0 0 4",  "0 0 21", "0 0 21", // key, character, key up, wheel x 2
        "9 0 12",  "0 0 11",  "0 0 11",                     // tick 20: write, read, missing read
        "5 0 15",                                           // tick 25: file read
        "5 0 18",                                           // tick 30: synchronised string
        "15 0 31", "15 0 31", "10 0 3",                     // tick 51: 40 ticks after tick 11
        "10 0 6",                                           // tick 80: close
        "end"};
    // Start-up reads the settings (and marks the run as in progress) before the window exists;
    // the shut-down the close record brings writes them back, after it.
    auto isSetting = [](const std::string& r) { return r == "0 0 11" || r == "0 0 12"; };
    auto first = std::find_if_not(records.begin(), records.end(), isSetting);
    auto closeRecord = std::find(records.begin(), records.end(), "10 0 6");
    ASSERT_NE(closeRecord, records.end());
    EXPECT_GE(first - records.begin(), 2);
    EXPECT_GE(records.end() - closeRecord, 3);
    EXPECT_TRUE(std::all_of(closeRecord + 1, records.end() - 1,
                            [](const std::string& r) { return r == "0 0 12"; }));
    std::vector<std::string> session(first, closeRecord + 1);
    session.push_back(records.back());
    EXPECT_EQ(session, expected);

    // The data the recording read is gone: playback must take it from the demo.
    std::filesystem::remove(dataPath);
    mRegistry.PutDword("Vuro\\RoundTrip", "Score", 9);
    mRegistry.PutDword("Vuro\\RoundTrip", "Missing", 1);
    size_t writes = mRegistry.mWriteLog.size();
    int queries = mRegistry.mQueries;
    {
        StackApp<SessionApp> app(demoPath, dataPath, "live");
        app.mPlayingDemoBuffer = true;
        app.Init();
        app.log.Attach(app);
        ASSERT_TRUE(RunToShutdown(app));
        EXPECT_EQ(app.log.log, recordedLog);
        EXPECT_EQ(app.mRandSeed, seed);
        EXPECT_EQ(app.mUpdateCount, 80);
        EXPECT_FALSE(app.DemoRecordsLeft()) << "nothing left over";
        EXPECT_EQ(mRegistry.mWriteLog.size(), writes);
        EXPECT_EQ(mRegistry.mQueries, queries);
        app.mWidgetManager->RemoveWidget(&app.log);
    }
    EXPECT_EQ(recordedLog.size(), 25u);
    EXPECT_NE(std::find(recordedLog.begin(), recordedLog.end(), "6 drag -5,-7"), recordedLog.end());
    EXPECT_NE(std::find(recordedLog.begin(), recordedLog.end(), "20 registry 1 1 7 0"),
              recordedLog.end());
    EXPECT_NE(std::find(recordedLog.begin(), recordedLog.end(), "25 file 1 file contents"),
              recordedLog.end());
    EXPECT_NE(std::find(recordedLog.begin(), recordedLog.end(), "30 sync recorded"),
              recordedLog.end());
}

} // namespace
} // namespace Vuro::Test
