// The demo file's bytes: the exact layout written, and how the reader meets short, damaged
// and foreign files.

#include "TestApp.h"

#include "framework/app/DemoFile.h"
#include "framework/util/MersenneTwister.h"
#include "support/ExitTrap.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <fstream>
#include <iterator>

namespace Vuro::Test {
namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes& bytes, std::initializer_list<int> values) {
    for (int value : values) {
        bytes.push_back(static_cast<uint8_t>(value));
    }
}
void AppendText(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}
void AppendU32(Bytes& bytes, uint32_t value) {
    Append(bytes, {static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                   static_cast<int>((value >> 16) & 0xFF), static_cast<int>(value >> 24)});
}

DemoFile SampleDemo() {
    DemoFile demo;
    demo.mSeed = 0x01020304;
    demo.mProductVersion = "1.0";
    demo.mMarkers = {{"start", 5}, {"boss", 0x0100}};
    demo.mEndTick = 300;
    demo.mRecords = {0xAA, 0x55, 0x0F};
    return demo;
}

// The bytes of SampleDemo worked out field by field.
Bytes SampleBytes() {
    Bytes bytes;
    Append(bytes, {0x78, 0xEF, 0xBE, 0x42}); // magic
    Append(bytes, {2, 0, 0, 0});             // version
    Append(bytes, {4, 3, 2, 1});             // seed
    Append(bytes, {3, 0});                   // product version
    AppendText(bytes, "1.0");
    // Marker block: count, ("start", 5), ("boss", 256) = 4 + 2 + 5 + 4 + 2 + 4 + 4 bytes.
    AppendU32(bytes, 25);
    AppendU32(bytes, 2);
    Append(bytes, {5, 0});
    AppendText(bytes, "start");
    AppendU32(bytes, 5);
    Append(bytes, {4, 0});
    AppendText(bytes, "boss");
    AppendU32(bytes, 256);
    AppendU32(bytes, 300); // end tick
    Append(bytes, {0xAA, 0x55, 0x0F});
    return bytes;
}

// The header fields end here in SampleBytes; the record stream follows.
constexpr size_t kSampleStreamStart = 4 + 4 + 4 + 2 + 3 + 4 + 25 + 4;

std::string ReadError(const Bytes& bytes, const std::string& expected = "1.0") {
    DemoFile demo;
    std::string error;
    if (demo.Read(bytes.data(), bytes.size(), expected, error)) {
        return "read";
    }
    return error;
}

TEST(DemoFileTest, WritesTheFieldsInFileOrderLittleEndian) {
    EXPECT_EQ(SampleDemo().Write(), SampleBytes());
}

TEST(DemoFileTest, ReadsBackWhatItWrote) {
    Bytes bytes = SampleBytes();
    DemoFile demo;
    std::string error = "unchanged";
    ASSERT_TRUE(demo.Read(bytes.data(), bytes.size(), "1.0", error)) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(demo.mVersion, 2);
    EXPECT_EQ(demo.mSeed, 0x01020304u);
    EXPECT_EQ(demo.mProductVersion, "1.0");
    EXPECT_EQ(demo.mMarkers, (std::vector<DemoMarker>{{"start", 5}, {"boss", 256}}));
    EXPECT_EQ(demo.mEndTick, 300);
    EXPECT_EQ(demo.mRecords, (Bytes{0xAA, 0x55, 0x0F}));
}

TEST(DemoFileTest, EveryCutBeforeTheRecordStreamIsInvalid) {
    Bytes bytes = SampleBytes();
    for (size_t length = 0; length <= kSampleStreamStart; ++length) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<long>(length));
        EXPECT_EQ(ReadError(cut), "Invalid demo file.") << "cut at " << length;
    }
    // One byte of records is a (short) demo.
    Bytes one(bytes.begin(), bytes.begin() + static_cast<long>(kSampleStreamStart + 1));
    EXPECT_EQ(ReadError(one), "read");
}

TEST(DemoFileTest, RefusesAForeignMagicAndAnotherProductVersion) {
    Bytes bytes = SampleBytes();
    bytes[3] = 0x43;
    EXPECT_EQ(ReadError(bytes), "Invalid demo file.");
    EXPECT_EQ(ReadError(SampleBytes(), "1.1"), "This demo file appears to be for '1.0'");
}

TEST(DemoFileTest, MarkerBlocksThatDoNotAddUpAreInvalid) {
    // More markers counted than the block holds.
    Bytes bytes = SampleBytes();
    bytes[21] = 3;
    EXPECT_EQ(ReadError(bytes), "Invalid demo file.");
    // A block as long as the rest of the file (or longer) leaves no room for the end tick.
    size_t rest = bytes.size() - 17;
    bytes = SampleBytes();
    for (uint32_t length :
         {static_cast<uint32_t>(rest), static_cast<uint32_t>(rest - 1), 0xFFFFFFFFu}) {
        Bytes changed = bytes;
        for (int i = 0; i < 4; ++i) {
            changed[17 + i] = static_cast<uint8_t>(length >> (8 * i));
        }
        EXPECT_EQ(ReadError(changed), "Invalid demo file.") << length;
    }
    // Fewer markers counted than held: the extra ones are not read.
    bytes[21] = 1;
    DemoFile demo;
    std::string error;
    ASSERT_TRUE(demo.Read(bytes.data(), bytes.size(), "1.0", error));
    EXPECT_EQ(demo.mMarkers, (std::vector<DemoMarker>{{"start", 5}}));
}

TEST(DemoFileTest, VersionsBelowTwoHaveNoMarkerBlock) {
    for (int32_t version : {1, 0}) {
        DemoFile old = SampleDemo();
        old.mVersion = version;
        Bytes bytes = old.Write();
        EXPECT_EQ(bytes.size(), SampleBytes().size() - 29);
        DemoFile demo;
        std::string error;
        ASSERT_TRUE(demo.Read(bytes.data(), bytes.size(), "1.0", error)) << error;
        EXPECT_EQ(demo.mVersion, version);
        EXPECT_TRUE(demo.mMarkers.empty());
        EXPECT_EQ(demo.mEndTick, 300);
        EXPECT_EQ(demo.mRecords, (Bytes{0xAA, 0x55, 0x0F}));
    }
}

TEST(DemoFileTest, ALongProductVersionIsSkippedWholeAndComparedByItsFirst255Bytes) {
    // Cutting the length to 255 before reading would read the rest of the text as the marker
    // block and the end tick.
    std::string head(255, 'v');
    DemoFile demo = SampleDemo();
    demo.mProductVersion = head + std::string(45, 'w');
    Bytes bytes = demo.Write();
    DemoFile read;
    std::string error;
    ASSERT_TRUE(read.Read(bytes.data(), bytes.size(), head, error)) << error;
    EXPECT_EQ(read.mProductVersion, head);
    EXPECT_EQ(read.mMarkers, SampleDemo().mMarkers);
    EXPECT_EQ(read.mEndTick, 300);
    EXPECT_EQ(read.mRecords, SampleDemo().mRecords);
    EXPECT_EQ(ReadError(bytes, "1.0"), "This demo file appears to be for '" + head + "'");
}

// The application's reading and writing of its demo file.
class AppDemoFileTest : public AppFixture {
protected:
    Bytes FileBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteFile(const std::string& path, const Bytes& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    TempFolder mFolder{"demofile"};
};

TEST_F(AppDemoFileTest, WritesTheRecordingWithSeedMarkersEndTickAndStream) {
    mApp.mDemoFileName = mFolder.Path("out.dmo");
    mApp.mRandSeed = 77;
    mApp.mProductVersion = "1.0";
    mApp.mDemoMarkerList = {{"start", 5}};
    mApp.mUpdateCount = 1234;
    mApp.mDemoBuffer.WriteBits(0x5, 3);
    mApp.mDemoBuffer.WriteByte(0xFF);
    mApp.WriteDemoFile();
    EXPECT_FALSE(mFolder.Exists("out.dmo")) << "only a recording is written";

    mApp.mRecordingDemoBuffer = true;
    mApp.WriteDemoFile();
    Bytes expected;
    Append(expected, {0x78, 0xEF, 0xBE, 0x42, 2, 0, 0, 0, 77, 0, 0, 0, 3, 0});
    AppendText(expected, "1.0");
    AppendU32(expected, 15);
    AppendU32(expected, 1);
    Append(expected, {5, 0});
    AppendText(expected, "start");
    AppendU32(expected, 5);
    AppendU32(expected, 1234);
    Append(expected, {0xFD, 0x07});
    EXPECT_EQ(FileBytes(mFolder.Path("out.dmo")), expected);
    // A write that comes short (a full disk) keeps the file that was there.
    mApp.mUpdateCount = 99;
    {
        FileSizeLimit diskFull(8);
        mApp.WriteDemoFile();
    }
    EXPECT_EQ(FileBytes(mFolder.Path("out.dmo")), expected);

    // A file that cannot be made is passed over.
    mApp.mDemoFileName = mFolder.Path("missing/out.dmo");
    mApp.WriteDemoFile();
    EXPECT_FALSE(mFolder.Exists("missing"));
}

TEST_F(AppDemoFileTest, ReadingTakesSeedMarkersEndTickAndRecords) {
    DemoFile demo = SampleDemo();
    demo.mProductVersion = mApp.mProductVersion;
    WriteFile(mFolder.Path("in.dmo"), demo.Write());
    mApp.mDemoFileName = mFolder.Path("in.dmo");
    std::string error;
    ASSERT_TRUE(mApp.ReadDemoFile(error)) << error;
    EXPECT_EQ(mApp.mRandSeed, 0x01020304u);
    MersenneTwister expected;
    expected.SRand(0x01020304);
    EXPECT_EQ(Rand(), static_cast<int>(expected.Next())) << "the generator is reseeded";
    EXPECT_EQ(mApp.mDemoMarkerList, demo.mMarkers);
    EXPECT_EQ(mApp.mDemoEndTick, 300);
    EXPECT_EQ(mApp.mDemoBuffer.GetDataLen(), 3);
    EXPECT_EQ(mApp.mDemoBuffer.ReadByte(), 0xAA);
}

TEST_F(AppDemoFileTest, InitEndsTheProgramWithTheReadersMessage) {
    struct Case {
        Bytes bytes;
        std::string message;
        std::string path; // what is named instead of a file of the bytes
    };
    Bytes foreign = SampleBytes();
    DemoFile truncated = SampleDemo();
    truncated.mProductVersion = mApp.mProductVersion;
    Bytes cut = truncated.Write();
    cut.resize(cut.size() - 3);
    std::vector<Case> cases = {
        {foreign, "This demo file appears to be for '1.0'", ""},
        {cut, "Invalid demo file.", ""},
        // There, but no file: a device that reads for ever and a folder.
        {{}, "Invalid demo file.", "/dev/zero"},
        {{}, "Invalid demo file.", mFolder.Folder()},
        {{}, "Demo file not found: " + mFolder.Path("missing.dmo"), mFolder.Path("missing.dmo")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FakeWindowSystem windows;
        StackApp<TestApp> app;
        WriteFile(mFolder.Path("bad.dmo"), c.bytes);
        app.mDemoFileName = c.path.empty() ? mFolder.Path("bad.dmo") : c.path;
        app.mPlayingDemoBuffer = true;
        app.mCmdLineParsed = true;
        ExitTrap trap;
        try {
            app.Init();
            ADD_FAILURE() << "Init went on";
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.code, 1);
        }
        ASSERT_EQ(windows.mBoxes.size(), 1u);
        EXPECT_EQ(windows.mBoxes[0].title, "FATAL ERROR");
        EXPECT_EQ(windows.mBoxes[0].text, c.message);
        EXPECT_FALSE(app.mPlayingDemoBuffer);
    }
}

} // namespace
} // namespace Vuro::Test
