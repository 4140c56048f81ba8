#pragma once
// Waits on another process with a bound (kWaitLimit): for what it writes into a pipe and for
// its end. A writer that never comes or never lets go, or a child that never ends, fails the
// test instead of hanging it until its time limit.

#include "support/WaitLimit.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <ctime>
#include <optional>
#include <string>

namespace Vuro::Test {

namespace Detail {
// Waits until fd is ready or the deadline has passed; false at the deadline.
inline bool PollUntil(int fd, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd watch{fd, POLLIN, 0};
        const int ready = poll(&watch, 1, static_cast<int>(left.count()));
        if (ready > 0) {
            return true;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}
} // namespace Detail

// Everything written to fd until its last writer has closed it; nullopt when that did not
// happen in time (what came so far is in *partial when given).
inline std::optional<std::string> ReadUntilClosed(int fd, std::string* partial = nullptr,
                                                  std::chrono::seconds limit = kWaitLimit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string text;
    while (Detail::PollUntil(fd, deadline)) {
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

// A pipe whose ends are closed when it goes, however the test ends (a failed ASSERT returns
// at once); either end can be closed before.
class Pipe {
public:
    Pipe() {
        if (pipe(mEnds) != 0) {
            mEnds[0] = mEnds[1] = -1;
        }
    }
    ~Pipe() {
        CloseReadEnd();
        CloseWriteEnd();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool IsOpen() const { return mEnds[0] >= 0; }
    const int* Ends() const { return mEnds; } // reading end, writing end
    int ReadEnd() const { return mEnds[0]; }
    int WriteEnd() const { return mEnds[1]; }
    void CloseReadEnd() { CloseEnd(0); }
    void CloseWriteEnd() { CloseEnd(1); }

private:
    void CloseEnd(int which) {
        if (mEnds[which] >= 0) {
            close(mEnds[which]);
            mEnds[which] = -1;
        }
    }
    int mEnds[2];
};

// A named pipe made at path with its reading end open, so that a writer started afterwards
// never blocks, whether the test still reads or has given up.
class NamedPipe {
public:
    explicit NamedPipe(const std::string& path) {
        if (mkfifo(path.c_str(), 0600) == 0) {
            mFd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        }
    }
    ~NamedPipe() {
        if (mFd >= 0) {
            close(mFd);
        }
    }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    bool IsOpen() const { return mFd >= 0; }
    // What the writers wrote, once the last has closed it (its end shows only once a writer
    // has come and gone); nullopt when that did not happen in time.
    std::optional<std::string> Read(std::chrono::seconds limit = kWaitLimit) const {
        return mFd >= 0 ? ReadUntilClosed(mFd, nullptr, limit) : std::nullopt;
    }

private:
    int mFd = -1;
};

// Reaps the child (a process id above 0) once it has ended; false, with the child still there,
// when it did not end in time.
inline bool ReapWithin(pid_t child, int* status, std::chrono::seconds limit = kWaitLimit) {
    const int process = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (process >= 0) {
        const bool ended = Detail::PollUntil(process, std::chrono::steady_clock::now() + limit);
        close(process);
        return ended && waitpid(child, status, 0) == child;
    }
    // No process descriptors here (an older kernel, a sandbox): the child is looked at in
    // short steps instead.
    pid_t reaped = 0;
    const bool ended = WaitUntil([&] { return (reaped = waitpid(child, status, WNOHANG)) != 0; },
                                 [] {
                                     const timespec step{0, 10'000'000};
                                     nanosleep(&step, nullptr);
                                 },
                                 limit);
    return ended && reaped == child;
}

} // namespace Vuro::Test
