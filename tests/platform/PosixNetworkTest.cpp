// The POSIX network under the HTTP transfer, against a small server on 127.0.0.1 in a thread
// of the test. Every wait on either side is bounded (a few seconds at most); nothing leaves
// the loopback address.

#include "framework/debug/HTTPTransfer.h"
#include "platform/Network.h"
#include "support/TransferWait.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

namespace Vuro::Test {
namespace {

constexpr int kWaitMs = 5000;

// Listens on a free loopback port; Serve answers one connection in a thread: it reads the
// request (up to its blank line and kBodyBytes more), sends the answer and waits for the
// client to close. The thread stops listening once it has its connection or has waited for
// it in vain, so a client that comes later is refused instead of waiting for an answer.
class LoopbackServer {
public:
    LoopbackServer() {
        mListen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(mListen, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            ::getsockname(mListen, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            mPort = ntohs(address.sin_port);
        }
    }
    ~LoopbackServer() {
        if (mThread.joinable()) {
            mThread.join();
        }
        if (mListen >= 0) {
            ::close(mListen);
        }
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return mPort; }
    void Serve(std::string answer, size_t bodyBytes) {
        ASSERT_EQ(::listen(mListen, 1), 0);
        mThread = std::thread([this, answer = std::move(answer), bodyBytes] {
            pollfd entry{mListen, POLLIN, 0};
            const int client =
                ::poll(&entry, 1, kWaitMs) == 1 ? ::accept(mListen, nullptr, nullptr) : -1;
            ::close(mListen);
            mListen = -1;
            if (client < 0) {
                return;
            }
            char piece[512];
            while (true) {
                size_t blank = mRequest.find("\r\n\r\n");
                if (blank != std::string::npos && mRequest.size() >= blank + 4 + bodyBytes) {
                    break;
                }
                pollfd in{client, POLLIN, 0};
                long got =
                    ::poll(&in, 1, kWaitMs) == 1 ? ::recv(client, piece, sizeof piece, 0) : 0;
                if (got <= 0) {
                    break;
                }
                mRequest.append(piece, static_cast<size_t>(got));
            }
            (void)::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
            // Keep the connection open until the client is done with it.
            pollfd in{client, POLLIN, 0};
            while (::poll(&in, 1, kWaitMs) == 1 && ::recv(client, piece, sizeof piece, 0) > 0) {
            }
            ::close(client);
        });
    }
    // What the client sent; read after the transfer has ended.
    std::string Request() {
        if (mThread.joinable()) {
            mThread.join();
        }
        return mRequest;
    }

private:
    int mListen = -1;
    int mPort = 0;
    std::thread mThread;
    std::string mRequest;
};

TEST(PosixNetworkTest, AnHttpTransferOverLoopbackSendsItsBytesAndReadsTheBody) {
    LoopbackServer server;
    ASSERT_NE(server.Port(), 0);
    const std::string request = "POST /velmar_error.php HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                "Content-Length: 4\r\n\r\nbody";
    server.Serve("HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\nthanks", 4);
    HTTPTransfer transfer;
    transfer.SendRequest("http://127.0.0.1:" + std::to_string(server.Port()) + "/velmar_error.php",
                         request);
    WaitFinishWithin(transfer);
    EXPECT_EQ(transfer.GetResultCode(), kTransferDone);
    EXPECT_EQ(transfer.GetContent(), "thanks");
    EXPECT_EQ(server.Request(), request);
}

TEST(PosixNetworkTest, AClosedPortRefusesTheConnection) {
    LoopbackServer unused; // bound but not listening: connections are refused
    ASSERT_NE(unused.Port(), 0);
    HTTPTransfer transfer;
    transfer.SendRequest("127.0.0.1:" + std::to_string(unused.Port()), "GET / HTTP/1.1\r\n\r\n");
    WaitFinishWithin(transfer);
    EXPECT_EQ(transfer.GetResultCode(), kTransferConnectFailed);
}

TEST(PosixNetworkTest, DottedQuadsNeedNoLookup) {
    uint32_t address = 0;
    ASSERT_TRUE(Platform::GetNetwork().ResolveHost("127.0.0.1", address));
    EXPECT_EQ(address, htonl(INADDR_LOOPBACK));
    EXPECT_NE(Platform::GetNetwork().OpenSocket(), nullptr);
}

} // namespace
} // namespace Vuro::Test
