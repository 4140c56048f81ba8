// The HTTP transfer against a scripted server: the bytes sent, the answers read (framed by
// length, chunked or by the close), every failure code, responses cut short, unreadable or too
// large, an abort during a wait (timed on the fake clock), and its records in a demo.

#include "framework/debug/HTTPTransfer.h"
#include "framework/app/DemoStream.h"
#include "framework/app/TestApp.h"
#include "framework/debug/HTTPResponseParser.h"
#include "support/FakeClock.h"
#include "support/FakeNetwork.h"
#include "support/TransferWait.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace Vuro::Test {
namespace {

const std::string kRequest = "POST /velmar_error.php HTTP/1.1\r\n"
                             "Host: reports.example\r\n"
                             "Content-Length: 3\r\n\r\nabc";

class HTTPTransferTest : public ::testing::Test {
protected:
    HTTPTransferTest() { mNet.mHosts["reports.example"] = 0x0A000001; }
    // Sends the request, waits for the end and answers the result.
    int Run(const std::string& address = "http://reports.example/velmar_error.php") {
        mTransfer.SendRequest(address, kRequest);
        WaitFinishWithin(mTransfer);
        return mTransfer.GetResultCode();
    }

    FakeClock mClock;
    FakeNetwork mNet;
    HTTPTransfer mTransfer;
};

TEST_F(HTTPTransferTest, SendsTheRequestUnchangedAndReadsALengthFramedBody) {
    EXPECT_EQ(mTransfer.GetResultCode(), kTransferIdle);
    mNet.mSendLimit = 7; // the socket takes the request in pieces
    mNet.mResponse = {"HTTP/1.1 200 OK\r\nContent-Le", "ngth: 5\r\nServer: x\r\n\r\nhel",
                      "loEXTRA"};
    mNet.mCloseAfterResponse = false; // the body's length ends it, not the close
    EXPECT_EQ(Run("http://reports.example:81/velmar_error.php"), kTransferDone);
    EXPECT_EQ(mNet.Sent(), kRequest);
    EXPECT_EQ(mNet.mSends, static_cast<int>((kRequest.size() + 6) / 7));
    EXPECT_EQ(mTransfer.GetContent(), "hello");
    EXPECT_EQ(mNet.mAddress, 0x0A000001u);
    EXPECT_EQ(mNet.mPort, 81);
    EXPECT_EQ(mTransfer.GetProtocol(), "http");
    EXPECT_EQ(mTransfer.GetHost(), "reports.example");
    EXPECT_EQ(mTransfer.GetPath(), "/velmar_error.php");
}

TEST_F(HTTPTransferTest, ABareHostConnectsToPort80) {
    mNet.mResponse = {"HTTP/1.0 200 OK\r\n\r\nuntil the close"};
    mTransfer.PrepareRequest("https://reports.example/");
    EXPECT_EQ(mTransfer.GetProtocol(), "https");
    EXPECT_EQ(Run("reports.example"), kTransferDone);
    EXPECT_EQ(mNet.mPort, 80);
    EXPECT_EQ(mTransfer.GetPath(), "/");
    EXPECT_EQ(mTransfer.GetProtocol(), "");
    EXPECT_EQ(mTransfer.GetContent(), "until the close");
}

TEST_F(HTTPTransferTest, ChunkedBodiesJoinTheirChunksAcrossPieces) {
    mNet.mResponse = {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5 \r\nhel", "lo\r",
                      "\n0", "10\r\n, world and more\r\n0\r\n\r\n"};
    mNet.mCloseAfterResponse = false;
    EXPECT_EQ(Run(), kTransferDone);
    EXPECT_EQ(mTransfer.GetContent(), "hello, world and more");
}

TEST_F(HTTPTransferTest, AnyTransferCodingButIdentityIsChunked) {
    mNet.mResponse = {"HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n3\r\nabc\r\n"
                      "0\r\n\r\n"};
    EXPECT_EQ(Run(), kTransferDone);
    EXPECT_EQ(mTransfer.GetContent(), "abc");
}

TEST_F(HTTPTransferTest, StatusCodesOtherThan200Fail) {
    struct Case {
        const char* statusLine;
        int result;
    };
    for (Case c :
         {Case{"HTTP/1.1 404 Not Found", kTransferNotFound},
          Case{"HTTP/1.0 302 Found", kTransferBadStatus}, Case{"HTTP/1.1", kTransferBadStatus}}) {
        SCOPED_TRACE(c.statusLine);
        mNet.mResponse = {std::string(c.statusLine) + "\r\nContent-Length: 2\r\n\r\nno"};
        EXPECT_EQ(Run(), c.result);
        EXPECT_EQ(mTransfer.GetContent(), "");
    }
}

TEST_F(HTTPTransferTest, OnlyAWholeReadableResponseEndsDone) {
    // Every case but the chunk extension and the close after a body without a length is cut
    // short or unreadable, and must fail rather than end as done with part of the body or none.
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::string chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    struct Case {
        const char* what;
        std::string response;
        int result;
        std::string content;
    };
    const Case cases[] = {
        {"chunk extension", chunked + "5;name=v\r\nhello\r\n0;last\r\n\r\n", kTransferDone,
         "hello"},
        {"body up to the close", ok + "\r\nall of it", kTransferDone, "all of it"},
        {"body cut short of its length", ok + "Content-Length: 50\r\n\r\nshort",
         kTransferBrokenResponse, "short"},
        {"negative length", ok + "Content-Length: -5\r\n\r\nhello", kTransferBrokenResponse, ""},
        {"length with junk after it", ok + "Content-Length: 5x\r\n\r\nhello",
         kTransferBrokenResponse, ""},
        {"no length in its header", ok + "Content-Length: \r\n\r\nhello", kTransferBrokenResponse,
         ""},
        {"chunk cut short", chunked + "5\r\nhel", kTransferBrokenResponse, "hel"},
        {"no last chunk", chunked + "5\r\nhello\r\n", kTransferBrokenResponse, "hello"},
        {"headers cut short", ok + "Content-Le", kTransferBrokenResponse, ""},
        {"nothing at all", "", kTransferBrokenResponse, ""},
        {"chunk size above 2^31", chunked + "80000001\r\nabc", kTransferBrokenResponse, ""},
        {"junk size line", chunked + "3\r\nabc\r\nzz\r\nmore\r\n0\r\n\r\n", kTransferBrokenResponse,
         "abc"},
        {"size with junk after it", chunked + "3x\r\nabc\r\n0\r\n\r\n", kTransferBrokenResponse,
         ""},
        {"chunk data without its line end", chunked + "3\r\nabcXY0\r\n\r\n",
         kTransferBrokenResponse, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mNet.mResponse = {c.response};
        EXPECT_EQ(Run(), c.result);
        EXPECT_EQ(mTransfer.GetContent(), c.content);
    }
}

TEST_F(HTTPTransferTest, AResponseOverTheLimitFailsAndALongLineIsScannedOnce) {
    // A header line of 16 MiB without its line end, in pieces of the size received: scanning
    // it again for every piece took quadratic time (68 s in a release build).
    mNet.mResponse = {"HTTP/1.1 200 OK\r\nX-Long: "};
    const std::string piece(256, 'x');
    for (size_t sent = 0; sent <= HTTPResponseParser::kMaxResponseBytes; sent += piece.size()) {
        mNet.mResponse.push_back(piece);
    }
    EXPECT_EQ(Run(), kTransferBrokenResponse);
    EXPECT_EQ(mTransfer.GetContent(), "");
    // A body over the limit fails the same way, with what came before it.
    mNet.mResponse = {"HTTP/1.1 200 OK\r\n\r\n"};
    for (size_t sent = 0; sent <= HTTPResponseParser::kMaxResponseBytes; sent += piece.size()) {
        mNet.mResponse.push_back(piece);
    }
    EXPECT_EQ(Run(), kTransferBrokenResponse);
    EXPECT_LE(mTransfer.GetContent().size(), HTTPResponseParser::kMaxResponseBytes);
}

TEST_F(HTTPTransferTest, FailuresEndWithTheirCodes) {
    mNet.mOpenFails = true;
    EXPECT_EQ(Run(), kTransferSocketFailed);
    mNet.mOpenFails = false;
    EXPECT_EQ(Run("http://unknown.example/"), kTransferHostNotFound);
    mNet.mConnect = Platform::ConnectResult::Failed;
    EXPECT_EQ(Run(), kTransferConnectFailed);
    mNet.mConnect = Platform::ConnectResult::InProgress;
    mNet.mWaitFails = true;
    EXPECT_EQ(Run(), kTransferConnectFailed) << "the failed wait's 6 is overwritten by 8";
    EXPECT_EQ(mNet.mSends, 0);
    mNet.mWaitFails = false;
    mNet.mSendFails = true;
    EXPECT_EQ(Run(), kTransferSendFailed);
    EXPECT_EQ(mNet.mReadWaits, 0) << "nothing is read after a failed send";
    mTransfer.Reset();
    EXPECT_EQ(mTransfer.GetResultCode(), kTransferIdle);
}

TEST_F(HTTPTransferTest, AbortDuringAWaitEndsWithin100Ms) {
    mNet.mCloseAfterResponse = false; // the server stays silent
    mTransfer.SendRequest("127.0.0.1", kRequest);
    // Let the worker reach its wait (bounded in real time, the clock stands still meanwhile).
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (mNet.mReadWaits == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    ASSERT_GT(mNet.mReadWaits, 0);
    EXPECT_EQ(mTransfer.GetResultCode(), kTransferPending);
    int waits = mNet.mReadWaits;
    mTransfer.Abort();
    mTransfer.WaitFinish();
    EXPECT_EQ(mTransfer.GetResultCode(), kTransferAborted);
    // The owner's polls move the fake time faster than the worker wakes, so the bound shows
    // as this: the wait under way when the abort came (at most 100 ms) was the last one.
    EXPECT_EQ(mNet.mReadWaits, waits);
    EXPECT_EQ(mNet.mPort, 80);
    EXPECT_EQ(mNet.mAddress, 0x0100007Fu);
}

TEST_F(HTTPTransferTest, EachPreparationTakesANewId) {
    uint32_t first = mTransfer.GetTransferId();
    mTransfer.PrepareRequest("a");
    uint32_t second = mTransfer.GetTransferId();
    EXPECT_GT(second, first);
    HTTPTransfer other;
    EXPECT_GT(other.GetTransferId(), second);
}

class HTTPTransferDemoTest : public AppFixture {
protected:
    FakeNetwork mNet;
};

TEST_F(HTTPTransferDemoTest, RecordingWritesEachResultChangeAsARecord) {
    mApp.mRecordingDemoBuffer = true;
    mApp.mUpdateCount = 3;
    mNet.mHold = true;
    mNet.mResponse = {"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"};
    HTTPTransfer transfer;
    transfer.SendRequest("127.0.0.1", kRequest);
    EXPECT_EQ(transfer.GetResultCode(), kTransferPending);
    mNet.mHold = false;
    WaitFinishWithin(transfer);
    EXPECT_EQ(transfer.GetResultCode(), kTransferDone);
    EXPECT_EQ(transfer.GetResultCode(), kTransferDone) << "no record without a change";

    uint32_t id = transfer.GetTransferId();
    std::vector<uint8_t> expected =
        DemoStream().HttpResult(3, id, 2, "").HttpResult(3, id, 0, "ok").Bytes();
    const uint8_t* data = mApp.mDemoBuffer.GetDataPtr();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(data, data + mApp.mDemoBuffer.GetDataLen()), expected);
}

TEST_F(HTTPTransferDemoTest, PlaybackTakesTheResultOfItsOwnRecordWithoutANetwork) {
    mApp.mPlayingDemoBuffer = true;
    HTTPTransfer transfer;
    transfer.SendRequest("127.0.0.1", kRequest);
    uint32_t id = transfer.GetTransferId();
    std::vector<uint8_t> bytes = DemoStream().HttpResult(0, id + 100, 0, "not mine").Bytes();
    mApp.mDemoBuffer.Clear();
    mApp.mDemoBuffer.SetData(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_EQ(transfer.GetResultCode(), kTransferPending);
    EXPECT_TRUE(mApp.DemoRecordsLeft()) << "another transfer's record stays for it";

    bytes = DemoStream().HttpResult(0, id, 2, "").HttpResult(0, id, 0, "recorded").Bytes();
    mApp.mDemoBuffer.Clear();
    mApp.mDemoBuffer.SetData(bytes.data(), static_cast<int>(bytes.size()));
    mApp.mDemoBuffer.SeekFront();
    mApp.mDemoNeedsHeader = true;
    EXPECT_EQ(transfer.GetResultCode(), kTransferPending);
    transfer.WaitFinish();
    EXPECT_EQ(transfer.GetResultCode(), kTransferDone);
    EXPECT_EQ(transfer.GetContent(), "recorded");
    EXPECT_EQ(mNet.mOpened, 0);
    EXPECT_FALSE(mApp.DemoRecordsLeft());
}

TEST_F(HTTPTransferDemoTest, PlaybackWithoutARecordStopsWaitingWhenTheDemoEnds) {
    mApp.mPlayingDemoBuffer = true;
    HTTPTransfer transfer;
    transfer.SendRequest("127.0.0.1", kRequest);
    transfer.WaitFinish(); // returns: the demo holds no record to wait for
    EXPECT_EQ(transfer.GetResultCode(), kTransferPending);
    EXPECT_EQ(mNet.mOpened, 0);
}

} // namespace
} // namespace Vuro::Test
