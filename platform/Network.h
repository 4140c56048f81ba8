#pragma once
// TCP client sockets for the HTTP transfer: a non-blocking stream socket and host lookup.
// The process's network is the POSIX one unless a test installed another (a fake that scripts
// a server's answers).
//
// - Addresses are IPv4 in network byte order, as a dotted quad or a lookup yields them.
// - Wait blocks at most timeoutMs; Failed means an error or a pending socket error.
// - Send and Receive answer the bytes moved, or a number below 1 when the socket failed or
//   (Receive) the peer closed the connection.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace Vuro::Platform {

enum class ConnectResult { Connected, InProgress, Failed };
enum class SocketWait { Readable, Writable, TimedOut, Failed };

class StreamSocket {
public:
    virtual ~StreamSocket() = default; // closes the socket
    virtual ConnectResult Connect(uint32_t address, uint16_t port) = 0;
    virtual SocketWait Wait(bool forReading, bool forWriting, uint32_t timeoutMs) = 0;
    virtual long Send(const char* data, size_t length) = 0;
    virtual long Receive(char* data, size_t length) = 0;
};

class Network {
public:
    virtual ~Network() = default;
    // A new non-blocking TCP socket; null when none can be made.
    virtual std::unique_ptr<StreamSocket> OpenSocket() = 0;
    // A dotted quad as written, else the first IPv4 address of the host name; false when the
    // name is unknown.
    [[nodiscard]] virtual bool ResolveHost(const std::string& host, uint32_t& address) = 0;
};

Network& GetNetwork();
// Installs a network for the whole process; null goes back to the POSIX one. The caller keeps
// ownership and keeps it alive while installed.
void SetNetwork(Network* network);

} // namespace Vuro::Platform
