// The demo session on its own, without an application: the stream it frames against the
// format (DemoStream), its reading back, the end of a damaged stream, the file's fields and
// the jump targets.

#include "framework/app/DemoSession.h"

#include "DemoStream.h"

#include <gtest/gtest.h>

#include <climits>

namespace Vuro::Test {
namespace {

std::vector<uint8_t> BytesOf(const Buffer& buffer) {
    const uint8_t* data = buffer.GetDataPtr();
    return std::vector<uint8_t>(data, data + buffer.GetDataLen());
}

TEST(DemoSessionTest, RecordsAreFramedAsTheFormatSaysAndComeDueAtTheirTicks) {
    // Gaps of 0, 15, 16 and 31 updates, a move under and over the relative limit, a click,
    // and a count that went back (written as no gap).
    DemoSession session;
    session.WriteRecordHeader(0, 3, false);
    session.WriteMouseRecords(15, 10, -5, 0, false);
    session.WriteMouseRecords(31, 42, 3000, 1, false);
    session.WriteMouseRecords(62, 42, 3000, 1, true);
    session.WriteRecordHeader(50, 6, false);
    DemoStream expected;
    expected.Header(0, false, 3)
        .MoveBy(15, 10, -5)
        .MoveTo(31, 42, 2047)
        .Button(31, true, 1)
        .Button(62, false, 1)
        .Close(62);
    EXPECT_EQ(BytesOf(session.mDemoBuffer), expected.Bytes());

    DemoSession player;
    player.mDemoBuffer.SetData(session.mDemoBuffer.GetDataPtr(), session.mDemoBuffer.GetDataLen());
    struct Due {
        int tick;
        bool mouse;
        int code;
    };
    // Fillers come due on the way, each 15 updates on.
    const Due kDue[] = {{0, false, 3},   {15, true, 0}, {30, false, 31},
                        {31, false, 0},  {31, true, 1}, {46, false, 31},
                        {61, false, 31}, {62, true, 1}, {62, false, 6}};
    for (const Due& due : kDue) {
        SCOPED_TRACE(due.tick);
        ASSERT_TRUE(player.RecordsLeft());
        EXPECT_FALSE(player.ReadUpdateDelta(due.tick - 1));
        EXPECT_TRUE(player.ReadUpdateDelta(due.tick));
        EXPECT_EQ(player.mDemoIsMouseRecord, due.mouse);
        EXPECT_EQ(player.mDemoRecordCode, due.code);
        int payload = due.mouse ? (due.code == 0 ? 12 : 4) : (due.code == 0 ? 24 : 0);
        for (; payload > 0; --payload) {
            (void)player.mDemoBuffer.ReadBits(1, false);
        }
        player.mDemoNeedsHeader = true;
    }
    EXPECT_FALSE(player.RecordsLeft()); // only the padding of the last byte is left
}

TEST(DemoSessionTest, AValuePastTheEndEndsTheStream) {
    DemoSession session;
    DemoStream stream;
    stream.Sync(0, "abc");
    std::vector<uint8_t> bytes = stream.Bytes();
    session.mDemoBuffer.SetData(bytes.data(), static_cast<int>(bytes.size()));
    session.mFastForwardToEnd = true;
    ASSERT_TRUE(session.ReadUpdateDelta(0));
    (void)session.mDemoBuffer.ReadLong();
    EXPECT_TRUE(session.BytesLeft(3));
    EXPECT_TRUE(session.mFastForwardToEnd);
    EXPECT_FALSE(session.BytesLeft(4));
    EXPECT_FALSE(session.mFastForwardToEnd);
    EXPECT_TRUE(session.mDemoNeedsHeader);
    EXPECT_FALSE(session.RecordsLeft());
}

TEST(DemoSessionTest, TheFileCarriesMarkersEndTickAndRecords) {
    DemoSession recorder;
    recorder.WriteRecordHeader(20, 9, false);
    recorder.mDemoMarkerList = {{"start", 0}, {"boss", 4000}};
    DemoFile file = recorder.MakeFile(1234, "1.0", 5000);
    EXPECT_EQ(file.mSeed, 1234u);
    EXPECT_EQ(file.mProductVersion, "1.0");

    DemoSession player;
    player.TakeFile(file);
    EXPECT_EQ(player.mDemoMarkerList, recorder.mDemoMarkerList);
    EXPECT_EQ(player.mDemoEndTick, 5000);
    EXPECT_EQ(BytesOf(player.mDemoBuffer), BytesOf(recorder.mDemoBuffer));
}

TEST(DemoSessionTest, JumpTargetsCountFromTheEndAndOnlyMarkersAheadAreTaken) {
    struct Case {
        int endTick;
        long long ms;
        int frameTime;
        int target;
    };
    const Case kCases[] = {
        {6000, 0, 10, 6000},
        {6000, 5000, 10, 5500},
        {6000, 120000, 10, -6000},
        {100, 25, 10, 98},                  // whole updates only
        {INT_MIN + 5, 1000000, 1, INT_MIN}, // clamped, not wrapped
    };
    for (const Case& c : kCases) {
        DemoSession session;
        session.mDemoEndTick = c.endTick;
        session.JumpBeforeEnd(c.ms, c.frameTime);
        EXPECT_EQ(session.mFastForwardTarget, c.target) << c.endTick << " " << c.ms;
    }

    DemoSession session;
    EXPECT_FALSE(session.JumpToMarker(300, 300));
    EXPECT_EQ(session.mFastForwardTarget, 0);
    EXPECT_TRUE(session.JumpToMarker(301, 300));
    EXPECT_EQ(session.mFastForwardTarget, 301);
    EXPECT_TRUE(session.FastForwardDue(300));
    EXPECT_FALSE(session.FastForwardDue(301));

    EXPECT_EQ(DemoSession::MarkerText({"boss", 372345}, 10), "boss (01:02:03)");
}

} // namespace
} // namespace Vuro::Test
