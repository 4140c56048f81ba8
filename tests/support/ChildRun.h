#pragma once
// Runs part of a test in a child process of its own, for what must not happen to the test's
// process: a fault, an end without returning, a signal handler that stays installed. The child
// writes what it found to the pipe it is given; it ends with code 0 when body returns, and body
// may end it otherwise. RunInChild waits for the child's end; a child that has not ended
// within the bound is killed with every process it started, and the test fails.

#include "support/BoundedWait.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <optional>
#include <string>

namespace Vuro::Test {

struct ChildRun {
    int status = 0;     // as waitpid gives it
    std::string report; // what the child wrote to its pipe
};

inline ChildRun RunInChild(const std::function<void(int reportPipe)>& body) {
    ChildRun run;
    int ends[2];
    if (pipe(ends) != 0) {
        ADD_FAILURE() << "no pipe";
        return run;
    }
    pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // a group of its own, so that what it starts can be ended with it
        close(ends[0]);
        body(ends[1]);
        _exit(0);
    }
    setpgid(child, child);
    close(ends[1]);
    std::optional<std::string> report = ReadUntilClosed(ends[0], &run.report);
    close(ends[0]);
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
