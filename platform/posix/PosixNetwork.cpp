// The POSIX network: non-blocking IPv4 TCP sockets, poll for waiting, getaddrinfo for names.

#include "platform/Network.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace Vuro::Platform {

namespace {

class PosixSocket : public StreamSocket {
public:
    explicit PosixSocket(int fd) : mFd(fd) {}
    ~PosixSocket() override { ::close(mFd); }
    PosixSocket(const PosixSocket&) = delete;
    PosixSocket& operator=(const PosixSocket&) = delete;

    ConnectResult Connect(uint32_t address, uint16_t port) override {
        sockaddr_in target{};
        target.sin_family = AF_INET;
        target.sin_port = htons(port);
        target.sin_addr.s_addr = address;
        if (::connect(mFd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) {
            return ConnectResult::Connected;
        }
        return errno == EINPROGRESS ? ConnectResult::InProgress : ConnectResult::Failed;
    }

    SocketWait Wait(bool forReading, bool forWriting, uint32_t timeoutMs) override {
        pollfd entry{mFd,
                     static_cast<short>((forReading ? POLLIN : 0) | (forWriting ? POLLOUT : 0)), 0};
        int count = ::poll(&entry, 1, static_cast<int>(timeoutMs));
        if (count < 0) {
            return errno == EINTR ? SocketWait::TimedOut : SocketWait::Failed;
        }
        if (count == 0) {
            return SocketWait::TimedOut;
        }
        if ((entry.revents & (POLLERR | POLLNVAL)) != 0) {
            return SocketWait::Failed;
        }
        // A peer that hung up is readable: the receive then reports the end.
        if ((entry.revents & (POLLIN | POLLHUP)) != 0 && forReading) {
            return SocketWait::Readable;
        }
        if ((entry.revents & POLLOUT) != 0) {
            int error = 0;
            socklen_t length = sizeof error;
            if (::getsockopt(mFd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
                return SocketWait::Failed;
            }
            return SocketWait::Writable;
        }
        return (entry.revents & POLLHUP) != 0 ? SocketWait::Failed : SocketWait::TimedOut;
    }

    long Send(const char* data, size_t length) override {
        return static_cast<long>(::send(mFd, data, length, MSG_NOSIGNAL));
    }
    long Receive(char* data, size_t length) override {
        return static_cast<long>(::recv(mFd, data, length, 0));
    }

private:
    int mFd;
};

class PosixNetwork : public Network {
public:
    std::unique_ptr<StreamSocket> OpenSocket() override {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
        if (fd < 0) {
            return nullptr;
        }
        return std::make_unique<PosixSocket>(fd);
    }

    bool ResolveHost(const std::string& host, uint32_t& address) override {
        in_addr parsed{};
        if (::inet_pton(AF_INET, host.c_str(), &parsed) == 1) {
            address = parsed.s_addr;
            return true;
        }
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
            return false;
        }
        address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
        ::freeaddrinfo(found);
        return true;
    }
};

PosixNetwork gPosixNetwork;
std::atomic<Network*> gNetwork{nullptr};

} // namespace

Network& GetNetwork() {
    Network* installed = gNetwork.load();
    return installed != nullptr ? *installed : gPosixNetwork;
}

void SetNetwork(Network* network) {
    gNetwork.store(network);
}

} // namespace Vuro::Platform
