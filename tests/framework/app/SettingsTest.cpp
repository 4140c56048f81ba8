// Settings through the in-memory store: typed reads and writes, subkeys, the settings table in
// its order with checked values, and every access recorded into and replayed from the demo.

#include "TestApp.h"

#include "framework/app/DemoRecord.h"
#include "support/MemoryRegistry.h"
#include "support/TempFolder.h"

namespace Vuro::Test {
namespace {

constexpr const char* kKey = "Kelmontrave\\Quandrellis";

class SettingsTest : public AppFixture {
protected:
    void SetUp() override { mApp.mRegKey = kKey; }

    // A record header as the framing writes it: delta, mouse flag 0, code.
    struct Header {
        int delta;
        int code;
    };
    Header ReadHeader(Buffer& buffer) {
        int delta = buffer.ReadBits(4, false);
        EXPECT_EQ(buffer.ReadBits(1, false), 0);
        return Header{delta, buffer.ReadBits(5, false)};
    }
    void StartPlayback() {
        mApp.mDemoBuffer.SeekFront();
        mApp.mRecordingDemoBuffer = false;
        mApp.mPlayingDemoBuffer = true;
        mApp.mDemoNextUpdate = 0;
        mApp.mDemoNeedsHeader = true;
    }

    MemoryRegistry mRegistry;
};

TEST_F(SettingsTest, ValuesRoundTripAndANameWithABackslashAddressesASubkey) {
    ASSERT_TRUE(mApp.WriteRegInt("PreferredX", -17));
    ASSERT_TRUE(mApp.WriteRegBool("Is3D", true));
    ASSERT_TRUE(mApp.WriteRegString("Test3D\\RuntimeError", "Device lost"));
    int number = 0;
    EXPECT_TRUE(mApp.ReadRegInt("PreferredX", number));
    EXPECT_EQ(number, -17);
    bool flag = false;
    EXPECT_TRUE(mApp.ReadRegBool("Is3D", flag));
    EXPECT_TRUE(flag);

    const Platform::RegistryValue* text = mRegistry.Find(kKey, "Test3D", "RuntimeError");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->type, Platform::kRegSz);
    EXPECT_EQ(std::string(text->data.begin(), text->data.end()), "Device lost")
        << "the length is the string's, no terminator";
    EXPECT_EQ(mRegistry.Find(kKey, "", "RuntimeError"), nullptr);

    // A trailing separator of the key is dropped.
    mApp.mRegKey = std::string(kKey) + "\\";
    EXPECT_TRUE(mApp.ReadRegInt("PreferredX", number));
    mApp.mRegKey = std::string(kKey) + "/";
    EXPECT_TRUE(mApp.ReadRegInt("PreferredX", number));

    mApp.EraseRegValue("PreferredX");
    number = 5;
    EXPECT_FALSE(mApp.ReadRegInt("PreferredX", number));
    EXPECT_EQ(number, 5);
}

TEST_F(SettingsTest, AStringReadAsANumberFailsAndLeavesTheValue) {
    mRegistry.Put(kKey, "", "ScreenMode", Platform::kRegSz, "1");
    int number = 42;
    EXPECT_FALSE(mApp.ReadRegInt("ScreenMode", number));
    EXPECT_EQ(number, 42);
    bool flag = true;
    EXPECT_FALSE(mApp.ReadRegBool("ScreenMode", flag));
    EXPECT_TRUE(flag);
    // Too long for the 4-byte buffer: fails the same way.
    mRegistry.Put(kKey, "", "Long", Platform::kRegDword, "12345");
    EXPECT_FALSE(mApp.ReadRegInt("Long", number));
    EXPECT_EQ(number, 42);
}

TEST_F(SettingsTest, WithAnEmptyKeyEverythingFailsAndNothingIsRecorded) {
    mApp.mRegKey.clear();
    mApp.mRecordingDemoBuffer = true;
    int number = 3;
    EXPECT_FALSE(mApp.WriteRegInt("MusicVolume", 1));
    EXPECT_FALSE(mApp.ReadRegInt("MusicVolume", number));
    EXPECT_EQ(number, 3);
    mApp.EraseRegValue("MusicVolume");
    mApp.WriteSettings();
    EXPECT_EQ(mApp.mDemoBuffer.GetDataLen(), 0);
    EXPECT_TRUE(mRegistry.mWriteLog.empty());
    EXPECT_EQ(mRegistry.mQueries, 0);
}

TEST_F(SettingsTest, AWriteTheStoreRefusesFailsAndIsRecordedAsFailed) {
    mApp.mRecordingDemoBuffer = true;
    mRegistry.mFailSet = true;
    EXPECT_FALSE(mApp.WriteRegInt("MusicVolume", 50)) << "the set call's result counts";
    mRegistry.mFailSet = false;
    mRegistry.mFailCreate = true;
    EXPECT_FALSE(mApp.WriteRegInt("New\\Value", 50)) << "no key can be opened or made";
    mRegistry.mFailCreate = false;
    EXPECT_TRUE(mApp.WriteRegInt("MusicVolume", 50));

    Buffer& demo = mApp.mDemoBuffer;
    for (int expected : {0, 0, 1}) {
        Header header = ReadHeader(demo);
        EXPECT_EQ(header.code, DemoRecord::kRegistryWrite);
        EXPECT_EQ(demo.ReadBits(1, false), expected);
    }
    EXPECT_TRUE(demo.AtEnd());
}

TEST_F(SettingsTest, WriteSettingsWritesTheTableInItsOrder) {
    mApp.mMusicVolume = 0.57;
    mApp.mSfxVolume = 0.855;
    mApp.mMuteCount = 2;
    mApp.mAutoMuteCount = 1;
    mApp.mIsWindowed = false;
    mApp.mPreferredX = 12;
    mApp.mPreferredY = -1;
    mApp.mCustomCursorsEnabled = true;
    mApp.mWaitForVSync = true;
    mApp.WriteSettings();
    EXPECT_EQ(
        mRegistry.mWriteLog,
        (std::vector<std::string>{"MusicVolume", "SfxVolume", "Muted", "ScreenMode", "PreferredX",
                                  "PreferredY", "CustomCursors", "InProgress", "WaitForVSync"}));
    auto dword = [&](const char* name) {
        int value = -99;
        EXPECT_TRUE(mApp.ReadRegInt(name, value)) << name;
        return value;
    };
    EXPECT_EQ(dword("MusicVolume"), 57) << "rounded, so 0.57 is not saved as 56";
    EXPECT_EQ(dword("SfxVolume"), 85) << "0.855 x 100 is 85.5 in doubles: halves go down";
    EXPECT_EQ(dword("Muted"), 1) << "one mute beyond the automatic ones";
    EXPECT_EQ(dword("ScreenMode"), 1);
    EXPECT_EQ(dword("PreferredX"), 12);
    EXPECT_EQ(dword("PreferredY"), -1);
    EXPECT_EQ(dword("CustomCursors"), 1);
    EXPECT_EQ(dword("InProgress"), 0);
    EXPECT_EQ(dword("WaitForVSync"), 1);

    mApp.mAutoMuteCount = 2;
    mApp.WriteSettings();
    EXPECT_EQ(dword("Muted"), 0) << "automatic mutes alone are not saved";
}

TEST_F(SettingsTest, ReadSettingsReadsTheTableChecksTheValuesAndMarksTheRun) {
    mRegistry.PutDword(kKey, "MusicVolume", 57);
    mRegistry.PutDword(kKey, "SfxVolume", 250);
    mRegistry.PutDword(kKey, "Muted", 9);
    mRegistry.PutDword(kKey, "ScreenMode", 1);
    mRegistry.PutDword(kKey, "PreferredX", 300);
    mRegistry.PutDword(kKey, "PreferredY", 200);
    mRegistry.PutDword(kKey, "CustomCursors", 1);
    mRegistry.PutDword(kKey, "WaitForVSync", 1);
    mRegistry.PutDword(kKey, "InProgress", 1);
    mApp.ReadSettings();
    EXPECT_TRUE(mApp.mSettingsLoaded);
    EXPECT_DOUBLE_EQ(mApp.mMusicVolume, 0.57);
    EXPECT_DOUBLE_EQ(mApp.mSfxVolume, 1.0) << "clamped to 0..1";
    EXPECT_EQ(mApp.mMuteCount, 1) << "clamped to what Muted can mean";
    EXPECT_FALSE(mApp.mIsWindowed);
    EXPECT_EQ(mApp.mPreferredX, 300);
    EXPECT_EQ(mApp.mPreferredY, 200);
    EXPECT_TRUE(mApp.mCustomCursorsEnabled);
    EXPECT_TRUE(mApp.mWaitForVSync);
    EXPECT_FALSE(mApp.mLastShutdownWasGraceful);
    EXPECT_EQ(mRegistry.mWriteLog, std::vector<std::string>{"InProgress"});
    int inProgress = 0;
    EXPECT_TRUE(mApp.ReadRegInt("InProgress", inProgress));
    EXPECT_EQ(inProgress, 1);

    mRegistry.PutDword(kKey, "MusicVolume", -40);
    mRegistry.PutDword(kKey, "Muted", -3);
    mApp.ReadSettings();
    EXPECT_DOUBLE_EQ(mApp.mMusicVolume, 0.0);
    EXPECT_EQ(mApp.mMuteCount, 0);
}

TEST_F(SettingsTest, MissingValuesLeaveTheDefaultsAndTheKeyMayComeFromAProperty) {
    mApp.mRegKey.clear();
    mApp.SetString("RegistryKey", kKey);
    mApp.mIsScreenSaver = true;
    mApp.ReadSettings();
    EXPECT_EQ(mApp.mRegKey, kKey);
    EXPECT_DOUBLE_EQ(mApp.mMusicVolume, 0.85);
    EXPECT_TRUE(mApp.mIsWindowed);
    EXPECT_EQ(mApp.mPreferredX, -1);
    EXPECT_TRUE(mApp.mLastShutdownWasGraceful);
    EXPECT_TRUE(mRegistry.mWriteLog.empty()) << "a screen saver does not mark the run";
}

TEST_F(SettingsTest, ReadsAndWritesAreRecordedAndReplayedWithoutTouchingTheStore) {
    mRegistry.Put(kKey, "", "Title", Platform::kRegSz, "Сад");
    mRegistry.PutDword(kKey, "ScreenMode", 1);
    mApp.mRecordingDemoBuffer = true;
    uint8_t buffer[16] = {};
    uint32_t type = 0;
    uint32_t length = sizeof buffer;
    ASSERT_TRUE(mApp.ReadRegValue("Title", type, buffer, length));
    mApp.mUpdateCount = 40;
    int number = 0;
    EXPECT_FALSE(mApp.ReadRegInt("Missing", number));
    mApp.mUpdateCount = 41;
    EXPECT_TRUE(mApp.WriteRegInt("Saved", 7));
    EXPECT_TRUE(mApp.ReadRegInt("ScreenMode", number));

    // What was recorded: read 11 with type, length and data; two fillers and a read failure
    // 40 ticks later; a write; a DWORD read.
    Buffer copy;
    copy.SetData(mApp.mDemoBuffer.GetDataPtr(), mApp.mDemoBuffer.GetDataLen());
    Header header = ReadHeader(copy);
    EXPECT_EQ(header.delta, 0);
    EXPECT_EQ(header.code, DemoRecord::kRegistryRead);
    EXPECT_EQ(copy.ReadBits(1, false), 1);
    EXPECT_EQ(copy.ReadLong(), 1);
    EXPECT_EQ(copy.ReadLong(), 6);
    copy.ReadBytes(buffer, 6);
    for (int filler = 0; filler < 2; ++filler) {
        header = ReadHeader(copy);
        EXPECT_EQ(header.delta, 15);
        EXPECT_EQ(header.code, DemoRecord::kFiller);
    }
    header = ReadHeader(copy);
    EXPECT_EQ(header.delta, 10) << "40 ticks: two fillers of 15, then 10";
    EXPECT_EQ(header.code, DemoRecord::kRegistryRead);
    EXPECT_EQ(copy.ReadBits(1, false), 0);

    // Playback: the store is changed, the demo's answers win.
    mRegistry.PutDword(kKey, "ScreenMode", 0);
    mRegistry.Put(kKey, "", "Title", Platform::kRegSz, "other");
    int queries = mRegistry.mQueries;
    size_t writes = mRegistry.mWriteLog.size();
    StartPlayback();
    mApp.mUpdateCount = 0;
    uint8_t replayed[16] = {};
    length = sizeof replayed;
    ASSERT_TRUE(mApp.ReadRegValue("Title", type, replayed, length));
    EXPECT_EQ(type, Platform::kRegSz);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(replayed), length), "Сад");
    mApp.mUpdateCount = 40;
    number = 5;
    EXPECT_FALSE(mApp.ReadRegInt("Missing", number));
    EXPECT_EQ(number, 5);
    mApp.mUpdateCount = 41;
    EXPECT_TRUE(mApp.WriteRegInt("Saved", 8));
    EXPECT_TRUE(mApp.ReadRegInt("ScreenMode", number));
    EXPECT_EQ(number, 1);
    EXPECT_TRUE(mApp.mDemoBuffer.AtEnd());
    EXPECT_EQ(mRegistry.mQueries, queries);
    EXPECT_EQ(mRegistry.mWriteLog.size(), writes);
    EXPECT_EQ(mApp.mDemoNextUpdate, 41);
}

TEST_F(SettingsTest, AReplayedReadLongerThanTheBufferFailsWithoutWritingPastIt) {
    mRegistry.Put(kKey, "", "Long", Platform::kRegBinary, "0123456789");
    mApp.mRecordingDemoBuffer = true;
    uint8_t big[16] = {};
    uint32_t type = 0;
    uint32_t length = sizeof big;
    ASSERT_TRUE(mApp.ReadRegValue("Long", type, big, length));
    ASSERT_TRUE(mApp.WriteRegInt("After", 1));
    StartPlayback();
    struct {
        uint8_t small[5];
        uint8_t guard[4];
    } target{{}, {0xAA, 0xAA, 0xAA, 0xAA}};
    length = sizeof target.small;
    EXPECT_FALSE(mApp.ReadRegValue("Long", type, target.small, length));
    EXPECT_EQ(target.guard[0], 0xAA);
    EXPECT_EQ(target.small[4], '4') << "what fits is copied";
    EXPECT_TRUE(mApp.WriteRegInt("After", 1)) << "the stream stays in step";
    EXPECT_TRUE(mApp.mDemoBuffer.AtEnd());
}

TEST_F(SettingsTest, AfterTheUserClosedDuringPlaybackNothingIsConsumed) {
    mApp.mRecordingDemoBuffer = true;
    ASSERT_TRUE(mApp.WriteRegInt("Value", 1));
    StartPlayback();
    mApp.mClosedByUser = true;
    mRegistry.PutDword(kKey, "Value", 1);
    int number = 0;
    EXPECT_TRUE(mApp.WriteRegInt("Value", 2)) << "writes report success";
    EXPECT_FALSE(mApp.ReadRegInt("Value", number)) << "reads report failure";
    Buffer file;
    EXPECT_FALSE(mApp.ReadBufferFromFile("anything", file));
    EXPECT_TRUE(mApp.mDemoNeedsHeader);
    EXPECT_FALSE(mApp.mDemoBuffer.AtEnd()) << "no demo data consumed";
}

TEST_F(SettingsTest, WholeFileReadsAreRecordedAndReplayedUnlessKeptOut) {
    TempFolder folder("settings_files");
    folder.Write("data.bin", "abc");
    Buffer out;
    mApp.mRecordingDemoBuffer = true;
    ASSERT_TRUE(mApp.ReadBufferFromFile(folder.Path("data.bin"), out));
    EXPECT_EQ(out.GetDataLen(), 3);
    EXPECT_FALSE(mApp.ReadBufferFromFile(folder.Path("missing.bin"), out));
    ASSERT_TRUE(mApp.ReadBufferFromFile(folder.Path("data.bin"), out, true));
    int recorded = mApp.mDemoBuffer.GetDataLen();
    EXPECT_EQ(recorded, (10 + 1 + 32 + 24 + 10 + 1 + 7) / 8) << "two records, the third kept out";

    folder.Write("data.bin", "changed");
    StartPlayback();
    Buffer replayed;
    ASSERT_TRUE(mApp.ReadBufferFromFile(folder.Path("data.bin"), replayed));
    ASSERT_EQ(replayed.GetDataLen(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(replayed.GetDataPtr()), 3), "abc");
    EXPECT_FALSE(mApp.ReadBufferFromFile(folder.Path("data.bin"), replayed));
    Buffer real;
    ASSERT_TRUE(mApp.ReadBufferFromFile(folder.Path("data.bin"), real, true));
    EXPECT_EQ(real.GetDataLen(), 7) << "kept out of the demo: the real file";
}

} // namespace
} // namespace Vuro::Test
