#pragma once
// Runs part of a test in a child process of its own, for what must not happen to the test's
// process: a fault, an end without returning, a signal handler that stays installed. The child
// writes what it found to the pipe it is given; it ends with code 0 when body returns, and body
// may end it otherwise. RunInChild waits for the child's end; a child that has not ended
// within the bound is killed with every process it started, and the test fails, as it does
// when no child can be made.

#include "support/BoundedWait.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <optional>
#include <string>

namespace Vuro::Test {

struct ChildRun {
    int status = -1;    // as waitpid gives it; -1 (no exit, no signal) when there was no child
    std::string report; // what the child wrote to its pipe
};

inline ChildRun RunInChild(const std::function<void(int reportPipe)>& body) {
    ChildRun run;
    Pipe ends;
    if (!ends.IsOpen()) {
        ADD_FAILURE() << "no pipe";
        return run;
    }
    pid_t child = fork();
    if (child < 0) {
        // Nothing to wait for or signal: a wait for "any child" or a signal to "group -1" would
        // reach processes that are not ours.
        ADD_FAILURE() << "no child process: " << std::strerror(errno);
        return run;
    }
    if (child == 0) {
        setpgid(0, 0); // a group of its own, so that what it starts can be ended with it
        ends.CloseReadEnd();
        body(ends.WriteEnd());
        _exit(0);
    }
    setpgid(child, child);
    ends.CloseWriteEnd();
    std::optional<std::string> report = ReadUntilClosed(ends.ReadEnd(), &run.report);
    ends.CloseReadEnd();
    if (report) {
        run.report = *report;
    }
    if (!report || !ReapWithin(child, &run.status)) {
        ADD_FAILURE() << "the child did not end in time; it said: " << run.report;
        kill(-child, SIGKILL);
        EXPECT_EQ(waitpid(child, &run.status, 0), child);
    }
    return run;
}

// Writes text to a child's report pipe.
inline void Report(int reportPipe, const std::string& text) {
    (void)!write(reportPipe, text.data(), text.size());
}

} // namespace Vuro::Test
