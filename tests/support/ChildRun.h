#pragma once
// Runs part of a test in a child process of its own, for what must not happen to the test's
// process: a fault, an end without returning, a signal handler that stays installed. The child
// writes what it found to the pipe it is given; it ends with code 0 when body returns, and body
// may end it otherwise. RunInChild waits for the child's end.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
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
        close(ends[0]);
        body(ends[1]);
        _exit(0);
    }
    close(ends[1]);
    char chunk[4096];
    for (ssize_t got; (got = read(ends[0], chunk, sizeof chunk)) > 0;) {
        run.report.append(chunk, static_cast<size_t>(got));
    }
    close(ends[0]);
    EXPECT_EQ(waitpid(child, &run.status, 0), child);
    return run;
}

// Writes text to a child's report pipe.
inline void Report(int reportPipe, const std::string& text) {
    (void)!write(reportPipe, text.data(), text.size());
}

} // namespace Vuro::Test
