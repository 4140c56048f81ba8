#include "framework/debug/HTTPTransfer.h"

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"
#include "framework/debug/HTTPResponseParser.h"
#include "platform/Clock.h"
#include "platform/Network.h"
#include "platform/Threads.h"

#include <cstdlib>

namespace Vuro {

namespace {

constexpr uint32_t kOwnerPollMs = 20;
constexpr uint32_t kSocketWaitMs = 100;
constexpr size_t kReceivePiece = 256;

std::atomic<uint32_t> gNextTransferId{1};

bool IsPlayingBack() {
    return gVuroApp != nullptr && gVuroApp->mPlayingDemoBuffer;
}

// Leading decimal digits of a port, as atoi reads them; anything out of range is no port.
int PortValue(const std::string& text) {
    int port = std::atoi(text.substr(0, 6).c_str());
    return port >= 0 && port <= 65535 ? port : 0;
}

} // namespace

HTTPTransfer::HTTPTransfer() {
    NewTransferId();
}

HTTPTransfer::~HTTPTransfer() {
    Abort();
    while (mThreadRunning) {
        Platform::GetClock().SleepMs(kOwnerPollMs);
    }
}

void HTTPTransfer::NewTransferId() {
    mTransferId = gNextTransferId.fetch_add(1);
}

void HTTPTransfer::SendRequest(const std::string& address, const std::string& request) {
    PrepareRequest(address);
    mDataToSend = request;
    StartThread();
}

void HTTPTransfer::PrepareRequest(const std::string& address) {
    Reset();
    NewTransferId();
    mURL = address;
    mExiting = false;
    mAborted = false;
    mResult = kTransferPending;
    mContent.clear();
    mPort = 80;
    mProtocol.clear();
    size_t start = 0;
    size_t slashes = address.find("//");
    if (slashes != std::string::npos) {
        // The scheme without its ':' (nothing when "//" opens the address).
        mProtocol = address.substr(0, slashes == 0 ? 0 : slashes - 1);
        start = slashes + 2;
    }
    size_t slash = address.find('/', start);
    if (slash != std::string::npos) {
        mHost = address.substr(start, slash - start);
        mPath = address.substr(slash);
    } else {
        mHost = address.substr(start);
        mPath = "/";
    }
    size_t colon = mHost.find(':');
    if (colon != std::string::npos) {
        mPort = PortValue(mHost.substr(colon + 1));
        mHost.erase(colon);
    }
}

void HTTPTransfer::StartThread() {
    mPending = true;
    if (IsPlayingBack()) {
        return; // the result comes from the demo
    }
    mThreadRunning = true;
    if (!Platform::StartDetachedThread([this] { RunTransfer(); })) {
        Fail(kTransferSocketFailed);
        mThreadRunning = false;
        mPending = false;
    }
}

void HTTPTransfer::Abort() {
    mAborted = true;
    mExiting = true;
}

void HTTPTransfer::Fail(int code) {
    mExiting = true;
    mResult = code;
}

void HTTPTransfer::Reset() {
    if (mThreadRunning) {
        Abort();
        WaitFinish();
        // The worker's very last act clears this flag: wait for it too, so a new worker's
        // flag is never cleared by the old one.
        while (mThreadRunning) {
            Platform::GetClock().SleepMs(kOwnerPollMs);
        }
    }
    mResult = kTransferIdle;
    mLastReported = kTransferIdle;
    NewTransferId();
    mContent.clear();
    mURL.clear();
    mDataToSend.clear();
    mPath.clear();
    mExiting = false;
    mAborted = false;
    mPending = false;
}

void HTTPTransfer::WaitFinish() {
    while (mPending) {
        UpdateStatus();
        // A transfer waiting for a demo whose records have run out would wait for ever.
        if (!mThreadRunning && !(IsPlayingBack() && gVuroApp->DemoRecordsLeft())) {
            mPending = false;
            break;
        }
        Platform::GetClock().SleepMs(kOwnerPollMs);
    }
}

int HTTPTransfer::GetResultCode() {
    UpdateStatus();
    return mResult;
}

void HTTPTransfer::UpdateStatus() {
    VuroAppBase* app = gVuroApp;
    if (app == nullptr) {
        return;
    }
    if (app->mRecordingDemoBuffer && !app->mPlayingDemoBuffer) {
        int32_t result = mResult;
        if (result != mLastReported) {
            app->WriteDemoRecordHeader(DemoRecord::kHttpResult, false);
            app->mDemoBuffer.WriteLong(static_cast<int32_t>(mTransferId));
            app->mDemoBuffer.WriteByte(static_cast<uint8_t>(result));
            app->mDemoBuffer.WriteString(result == kTransferPending ? std::string() : mContent);
            mLastReported = result;
        }
    } else if (app->mPlayingDemoBuffer && app->DemoRecordsLeft() && app->ReadDemoUpdateDelta() &&
               !app->mDemoIsMouseRecord && app->mDemoRecordCode == DemoRecord::kHttpResult) {
        ReadDemoRecord();
    }
}

void HTTPTransfer::ReadDemoRecord() {
    VuroAppBase* app = gVuroApp;
    Buffer& demo = app->mDemoBuffer;
    if (!app->DemoBytesLeft(4 + 1 + 2)) {
        return;
    }
    int recordStart = demo.GetReadPos();
    if (static_cast<uint32_t>(demo.ReadLong()) != mTransferId) {
        demo.SetReadPos(recordStart); // another transfer's record
        return;
    }
    int32_t result = demo.ReadByte();
    int lengthStart = demo.GetReadPos();
    uint32_t length = static_cast<uint16_t>(demo.ReadShort());
    demo.SetReadPos(lengthStart);
    if (!app->DemoBytesLeft(2 + length)) {
        return;
    }
    mContent = demo.ReadString();
    mResult = result;
    mLastReported = result;
    app->mDemoNeedsHeader = true;
    // No worker runs during playback: a final result ends the wait here.
    if (result != kTransferPending) {
        mPending = false;
    }
}

bool HTTPTransfer::WaitForSocket(Platform::StreamSocket& socket, bool forReading, bool forWriting) {
    using Platform::SocketWait;
    if (mExiting) {
        return true;
    }
    while (true) {
        SocketWait wait = socket.Wait(forReading, forWriting, kSocketWaitMs);
        if (wait == SocketWait::Failed) {
            Fail(kTransferSocketFailed);
            return false;
        }
        if (wait != SocketWait::TimedOut || mExiting) {
            return true;
        }
    }
}

void HTTPTransfer::RunTransfer() {
    {
        std::unique_ptr<Platform::StreamSocket> socket = Platform::GetNetwork().OpenSocket();
        if (socket == nullptr) {
            Fail(kTransferSocketFailed);
        } else {
            Exchange(*socket);
        }
    } // closes the socket
    if (mAborted) {
        mResult = kTransferAborted;
    } else if (mResult == kTransferPending) {
        mResult = kTransferDone;
    }
    mPending = false;
    mThreadRunning = false;
}

void HTTPTransfer::Exchange(Platform::StreamSocket& socket) {
    using Platform::ConnectResult;
    if (mExiting) {
        return;
    }
    uint32_t address = 0;
    if (!Platform::GetNetwork().ResolveHost(mHost, address)) {
        Fail(kTransferHostNotFound);
        return;
    }
    ConnectResult connect = socket.Connect(address, static_cast<uint16_t>(mPort));
    if (connect != ConnectResult::Connected) {
        if (connect == ConnectResult::Failed) {
            Fail(kTransferConnectFailed);
        }
        if (!WaitForSocket(socket, false, true)) {
            Fail(kTransferConnectFailed);
        }
    }
    while (!mDataToSend.empty() && !mExiting) {
        (void)WaitForSocket(socket, false, true);
        if (mExiting) {
            break; // a failed wait or an abort: nothing more goes out
        }
        long sent = socket.Send(mDataToSend.data(), mDataToSend.size());
        if (sent < 1) {
            Fail(kTransferSendFailed);
        } else {
            mDataToSend.erase(0, static_cast<size_t>(sent));
        }
    }
    ReceiveResponse(socket);
}

void HTTPTransfer::ReceiveResponse(Platform::StreamSocket& socket) {
    using Step = HTTPResponseParser::Step;
    HTTPResponseParser parser;
    char piece[kReceivePiece];
    Step step = Step::NeedMore;
    while (!mExiting && step == Step::NeedMore) {
        step = parser.Parse(mContent);
        if (step == Step::NeedMore) {
            if (!WaitForSocket(socket, true, false) || mExiting) {
                return;
            }
            long received = socket.Receive(piece, sizeof piece);
            if (received < 1) {
                step = parser.Close();
            } else if (!parser.Append(piece, static_cast<size_t>(received))) {
                step = Step::Broken;
            }
        }
    }
    // A response cut short, unreadable or too large fails; it never ends as done with a part.
    if (step == Step::NotFound) {
        Fail(kTransferNotFound);
    } else if (step == Step::BadStatus) {
        Fail(kTransferBadStatus);
    } else if (step == Step::Broken) {
        Fail(kTransferBrokenResponse);
    }
}

} // namespace Vuro
