#pragma once
// Reads what another process writes into a pipe, with a bound: a writer that never comes or
// never lets go fails the test within seconds instead of hanging it until its time limit. The
// bound is a safety net for a failing test, never a measure of speed.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <string>

namespace Vuro::Test {

constexpr std::chrono::seconds kWriterWait{30};

// Everything written to fd until its last writer has closed it; nullopt when that did not
// happen in time (what came so far is in *partial when given).
inline std::optional<std::string> ReadUntilClosed(int fd, std::string* partial = nullptr,
                                                  std::chrono::seconds limit = kWriterWait) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string text;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd watch{fd, POLLIN, 0};
        const int ready = left.count() > 0 ? poll(&watch, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;
        }
        char chunk[4096];
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got == 0) {
            return text;
        }
        if (got > 0) {
            text.append(chunk, static_cast<size_t>(got));
        }
    }
    if (partial != nullptr) {
        *partial = text;
    }
    return std::nullopt;
}

// The same for a named pipe, opened without waiting for its writer (no writer before this
// call is no end: a named pipe's end is reported only once a writer has come and gone).
inline std::optional<std::string> ReadNamedPipe(const std::string& path,
                                                std::chrono::seconds limit = kWriterWait) {
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> text = ReadUntilClosed(fd, nullptr, limit);
    close(fd);
    return text;
}

} // namespace Vuro::Test
