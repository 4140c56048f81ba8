// Value records: synchronised buffers, strings and bools, registry reads and writes and file
// reads are taken from the demo by the code that asks, at the tick it asks; lengths that run
// past the end of the stream end playback without copying or allocating them.

#include "DemoPlaybackFixture.h"

#include "framework/app/StackApp.h"
#include "platform/Registry.h"
#include "support/MemoryRegistry.h"

namespace Vuro::Test {
namespace {

// The bytes SyncDemoString and SyncDemoBool pass through the demo.
std::string StringBytes(const std::string& text) {
    return std::string{static_cast<char>(text.size()), 0} + text;
}

class DemoValuesTest : public DemoPlaybackFixture {
protected:
    // Runs ask() in the update that reaches tick.
    void AskAt(int tick, std::function<void()> ask) {
        mApp.onUpdate = [this, tick, ask] {
            if (mApp.mUpdateCount == tick) {
                ask();
            }
        };
    }

    MemoryRegistry mRegistry;
    DebugOutputLog mOutput;
};

TEST_F(DemoValuesTest, SyncedValuesAreReplacedByTheRecordedOnes) {
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .Sync(5, StringBytes("recorded"))
             .Sync(5, "\x01")
             .Sync(7, "\xAA\xBB\xCC")
             .KeyDown(8, 65));
    std::string text = "live";
    bool flag = false;
    Buffer buffer;
    mApp.onUpdate = [&] {
        if (mApp.mUpdateCount == 5) {
            mApp.SyncDemoString(text);
            mApp.SyncDemoBool(flag);
        }
        if (mApp.mUpdateCount == 7) {
            buffer.WriteLong(1);
            mApp.SyncDemoBuffer(buffer);
        }
    };
    ASSERT_TRUE(StepToTick(10));
    EXPECT_EQ(text, "recorded");
    EXPECT_TRUE(flag);
    ASSERT_EQ(buffer.GetDataLen(), 3);
    EXPECT_EQ(buffer.ReadByte(), 0xAA);
    EXPECT_EQ(buffer.ReadByte(), 0xBB);
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"8 down 65"}));
    EXPECT_EQ(mOutput.Text().find(kDamagedStream), std::string::npos);
}

TEST_F(DemoValuesTest, AfterTheUserClosedTheWindowValuesAreNoLongerReplayed) {
    Play(DemoStream().ScreenMode(0, true, 100).Sync(5, StringBytes("recorded")));
    mApp.mClosedByUser = true;
    std::string text = "live";
    mApp.SyncDemoString(text);
    EXPECT_EQ(text, "live");
    EXPECT_TRUE(mApp.DemoRecordsLeft());
}

TEST_F(DemoValuesTest, WithoutADemoSyncingLeavesTheValue) {
    std::string text(70000, 'x');
    mApp.SyncDemoString(text);
    EXPECT_EQ(text.size(), 70000u);
    EXPECT_EQ(mApp.mDemoBuffer.GetDataLen(), 0);
}

TEST_F(DemoValuesTest, ASyncLengthPastTheStreamEndsPlaybackAndKeepsTheValue) {
    // The length must not drive a copy (of up to 4 GB).
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .Header(5, false, 18)
             .Long(0x7FFFFFF0)
             .Text("abc")
             .KeyDown(6, 65));
    Buffer buffer;
    buffer.WriteByte(7);
    AskAt(5, [&] { mApp.SyncDemoBuffer(buffer); });
    ASSERT_TRUE(StepToTick(10));
    ASSERT_EQ(buffer.GetDataLen(), 1);
    EXPECT_EQ(buffer.ReadByte(), 7);
    EXPECT_NE(mOutput.Text().find(kDamagedStream), std::string::npos);
    EXPECT_TRUE(mLog.log.empty());
    EXPECT_FALSE(mApp.DemoRecordsLeft());
    std::string text = "after the end";
    mApp.SyncDemoString(text);
    EXPECT_EQ(text, "after the end") << "past the last record values stay the program's own";
}

TEST_F(DemoValuesTest, RegistryReadsAndWritesAnswerWhatWasRecorded) {
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .RegRead(3, true, Platform::kRegDword, std::string("\x2A\0\0\0", 4))
             .RegRead(3, false)
             .RegWrite(4, false)
             .RegWrite(4, true)
             .FileRead(5, true, "file bytes")
             .FileRead(5, false)
             .KeyDown(6, 65));
    mApp.mRegKey = "Vuro\\DemoTest";
    int value = 0;
    int missing = -1;
    bool readOk = false;
    bool readMissing = true;
    bool writes[2] = {true, false};
    bool files[2] = {false, true};
    Buffer contents;
    mApp.onUpdate = [&] {
        if (mApp.mUpdateCount == 3) {
            readOk = mApp.ReadRegInt("Answer", value);
            readMissing = mApp.ReadRegInt("Missing", missing);
        } else if (mApp.mUpdateCount == 4) {
            writes[0] = mApp.WriteRegInt("A", 1);
            writes[1] = mApp.WriteRegInt("B", 2);
        } else if (mApp.mUpdateCount == 5) {
            files[0] = mApp.ReadBufferFromFile("no/such/file", contents);
            Buffer other;
            files[1] = mApp.ReadBufferFromFile("no/such/file", other);
        }
    };
    ASSERT_TRUE(StepToTick(10));
    EXPECT_TRUE(readOk);
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(readMissing);
    EXPECT_EQ(missing, -1);
    EXPECT_FALSE(writes[0]);
    EXPECT_TRUE(writes[1]);
    EXPECT_TRUE(files[0]);
    EXPECT_FALSE(files[1]);
    ASSERT_EQ(contents.GetDataLen(), 10);
    EXPECT_EQ(contents.ReadByte(), 'f');
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"6 down 65"}));
    EXPECT_TRUE(mRegistry.mWriteLog.empty()) << "playback never touches the store";
}

TEST_F(DemoValuesTest, AScreenModeBetweenValuesIsAppliedOnTheWay) {
    // A window made again before the main loop (the start going to full screen) leaves its
    // screen mode between the values; the next value must not be read out of it.
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .RegRead(0, false)
             .ScreenMode(0, false, 75)
             .RegWrite(0, true)
             .KeyDown(2, 65));
    mApp.mRegKey = "Vuro\\DemoTest";
    int value = -1;
    EXPECT_FALSE(mApp.ReadRegInt("ScreenMode", value));
    EXPECT_TRUE(mApp.mIsWindowed);
    EXPECT_TRUE(mApp.WriteRegInt("ScreenMode", 1));
    EXPECT_FALSE(mApp.mIsWindowed);
    EXPECT_EQ(mApp.mRefreshRate, 75);
    ASSERT_TRUE(StepToTick(5));
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"2 down 65"}));
    EXPECT_EQ(mOutput.Text().find(kDamagedStream), std::string::npos);
}

TEST_F(DemoValuesTest, ARegistryValueLongerThanTheCallersBufferIsSkippedWhole) {
    Play(DemoStream()
             .ScreenMode(0, true, 100)
             .RegRead(3, true, Platform::kRegDword, "12345678")
             .KeyDown(4, 65));
    mApp.mRegKey = "Vuro\\DemoTest";
    int value = -1;
    bool read = true;
    AskAt(3, [&] { read = mApp.ReadRegInt("Answer", value); });
    ASSERT_TRUE(StepToTick(10));
    EXPECT_FALSE(read);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(mLog.log, (std::vector<std::string>{"4 down 65"})) << "the stream stays in step";
}

TEST_F(DemoValuesTest, HugeRegistryAndFileLengthsEndPlayback) {
    // These lengths must drive neither copies past the caller's 4 bytes nor allocations of
    // gigabytes.
    for (int code : {11, 15}) {
        SCOPED_TRACE(code);
        FakeWindowSystem windows;
        StackApp<TestApp> app;
        DemoStream stream;
        stream.ScreenMode(0, true, 100).Header(3, false, code).Bits(1, 1);
        if (code == 11) {
            stream.Long(Platform::kRegDword);
        }
        stream.Long(0xFFFFFFF0).Text("abcd").KeyDown(4, 65);
        DemoFile demo;
        demo.mProductVersion = app.mProductVersion;
        demo.mRecords = stream.Bytes();
        std::vector<uint8_t> bytes = demo.Write();
        std::ofstream(mFolder.Path("huge.dmo"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        app.mDemoFileName = mFolder.Path("huge.dmo");
        app.mPlayingDemoBuffer = true;
        app.mCmdLineParsed = true;
        app.Init();
        app.mRegKey = "Vuro\\DemoTest";
        mOutput.Text().clear();
        int value = -1;
        Buffer contents;
        contents.WriteByte(9);
        bool answer =
            code == 11 ? app.ReadRegInt("Answer", value) : app.ReadBufferFromFile("x", contents);
        EXPECT_FALSE(answer);
        EXPECT_EQ(value, -1);
        EXPECT_EQ(contents.GetDataLen(), 1);
        EXPECT_NE(mOutput.Text().find(kDamagedStream), std::string::npos);
        EXPECT_FALSE(app.DemoRecordsLeft());
    }
}

} // namespace
} // namespace Vuro::Test
