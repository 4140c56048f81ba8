#pragma once
// A network whose one server answers from a script: the pieces of its response in order, then
// a close (or silence, with the connection kept open). Installs itself as the process network
// for its lifetime. Every socket sees the same script; what the client sent, where it
// connected and how often it waited are kept for the test.
//
// A wait with nothing to read sleeps its time-out on the platform clock, so with a fake clock
// the worker waits until the test's thread moves the time.

#include "platform/Clock.h"
#include "platform/Network.h"

#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace Vuro::Test {

class FakeNetwork : public Platform::Network {
public:
    FakeNetwork() { Platform::SetNetwork(this); }
    ~FakeNetwork() override { Platform::SetNetwork(nullptr); }
    FakeNetwork(const FakeNetwork&) = delete;
    FakeNetwork& operator=(const FakeNetwork&) = delete;

    // [Script] set before the transfer starts.
    std::map<std::string, uint32_t> mHosts{{"127.0.0.1", 0x0100007F}};
    bool mOpenFails = false;
    Platform::ConnectResult mConnect = Platform::ConnectResult::InProgress;
    bool mWaitFails = false;
    bool mSendFails = false;
    size_t mSendLimit = 0; // bytes taken per send; 0: all
    std::deque<std::string> mResponse;
    bool mCloseAfterResponse = true;
    std::atomic<bool> mHold{false}; // while set the server says nothing yet

    // [Seen]
    std::string Sent() {
        std::lock_guard<std::mutex> lock(mMutex);
        return mSent;
    }
    std::atomic<int> mOpened{0};
    std::atomic<int> mSends{0};
    std::atomic<int> mReadWaits{0};
    std::atomic<uint32_t> mAddress{0};
    std::atomic<int> mPort{-1};

    std::unique_ptr<Platform::StreamSocket> OpenSocket() override {
        if (mOpenFails) {
            return nullptr;
        }
        ++mOpened;
        return std::make_unique<Socket>(*this);
    }
    bool ResolveHost(const std::string& host, uint32_t& address) override {
        auto found = mHosts.find(host);
        if (found == mHosts.end()) {
            return false;
        }
        address = found->second;
        return true;
    }

private:
    class Socket : public Platform::StreamSocket {
    public:
        explicit Socket(FakeNetwork& net) : mNet(net) {}
        Platform::ConnectResult Connect(uint32_t address, uint16_t port) override {
            mNet.mAddress = address;
            mNet.mPort = port;
            return mNet.mConnect;
        }
        Platform::SocketWait Wait(bool forReading, bool forWriting, uint32_t timeoutMs) override {
            using Platform::SocketWait;
            if (mNet.mWaitFails) {
                return SocketWait::Failed;
            }
            if (forWriting) {
                return SocketWait::Writable;
            }
            ++mNet.mReadWaits;
            if (forReading && !mNet.mHold &&
                (!mNet.mResponse.empty() || mNet.mCloseAfterResponse)) {
                return SocketWait::Readable;
            }
            Platform::GetClock().SleepMs(timeoutMs);
            return SocketWait::TimedOut;
        }
        long Send(const char* data, size_t length) override {
            ++mNet.mSends;
            if (mNet.mSendFails) {
                return -1;
            }
            size_t taken = mNet.mSendLimit == 0 ? length : std::min(length, mNet.mSendLimit);
            std::lock_guard<std::mutex> lock(mNet.mMutex);
            mNet.mSent.append(data, taken);
            return static_cast<long>(taken);
        }
        long Receive(char* data, size_t length) override {
            if (mNet.mResponse.empty()) {
                return 0;
            }
            std::string& piece = mNet.mResponse.front();
            size_t count = std::min(length, piece.size());
            piece.copy(data, count);
            piece.erase(0, count);
            if (piece.empty()) {
                mNet.mResponse.pop_front();
            }
            return static_cast<long>(count);
        }

    private:
        FakeNetwork& mNet;
    };

    std::mutex mMutex;
    std::string mSent;
};

} // namespace Vuro::Test
