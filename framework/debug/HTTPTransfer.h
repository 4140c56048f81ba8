#pragma once
// Sends one prepared HTTP/1.1 request on a worker thread of its own and collects the response
// body while the owner polls GetResultCode. The caller writes the whole request text (request
// line, headers, body); only the host and port of the address are used to connect.
//
// - Results change only through the worker; GetResultCode also keeps them in step with a demo:
//   recorded as a record per change while recording, taken from the record with this
//   transfer's id while playing back (no socket is opened then).
// - GetContent is meaningful once the result is final (not kPending).
// - Waiting (WaitFinish, Reset, the destructor) polls every 20 ms of the platform clock; the
//   worker notices an abort within 100 ms.

#include <atomic>
#include <cstdint>
#include <string>

namespace Vuro {

namespace Platform {
class StreamSocket;
}

enum TransferResult : int32_t {
    kTransferDone = 0,
    kTransferIdle = 1,
    kTransferPending = 2,
    kTransferNotFound = 3,
    kTransferBadStatus = 4,
    kTransferAborted = 5,
    kTransferSocketFailed = 6,
    kTransferHostNotFound = 7,
    kTransferConnectFailed = 8,
    kTransferSendFailed = 9,
    // The response could not be read whole: cut short by the close, a chunk that cannot be
    // read, or more than the largest response taken.
    kTransferBrokenResponse = 10,
};

class HTTPTransfer {
public:
    HTTPTransfer();
    virtual ~HTTPTransfer();
    HTTPTransfer(const HTTPTransfer&) = delete;
    HTTPTransfer& operator=(const HTTPTransfer&) = delete;

    // A URL or a bare host, optionally ":port"; the request text is sent unchanged.
    void SendRequest(const std::string& address, const std::string& request);
    void PrepareRequest(const std::string& address);
    void StartThread();
    void Abort();
    void Reset();
    void WaitFinish();
    [[nodiscard]] int GetResultCode();
    void UpdateStatus();

    const std::string& GetContent() const { return mContent; }
    uint32_t GetTransferId() const { return mTransferId; }
    const std::string& GetProtocol() const { return mProtocol; }
    const std::string& GetHost() const { return mHost; }
    int GetPort() const { return mPort; }
    const std::string& GetPath() const { return mPath; }

private:
    void RunTransfer();
    void Fail(int code);
    [[nodiscard]] bool WaitForSocket(Platform::StreamSocket& socket, bool forReading,
                                     bool forWriting);
    void Exchange(Platform::StreamSocket& socket);
    void ReceiveResponse(Platform::StreamSocket& socket);
    void NewTransferId();
    void ReadDemoRecord();

    uint32_t mTransferId = 0;
    std::string mDataToSend;
    std::string mURL;
    std::string mProtocol;
    std::string mHost;
    int mPort = 80;
    std::string mPath;
    std::string mContent; // the body received so far
    std::atomic<bool> mPending{false};
    std::atomic<bool> mThreadRunning{false};
    std::atomic<bool> mExiting{false};
    std::atomic<bool> mAborted{false};
    std::atomic<int32_t> mResult{kTransferIdle};
    int32_t mLastReported = kTransferIdle; // last result written to or read from a demo
};

} // namespace Vuro
