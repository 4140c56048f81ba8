// Requests to end the program, each in a child process of its own (a watched signal stays
// watched for the whole process): a request is noted, reaches the event source once as the
// session's end and ends a box being asked, a process the box started ends with the program,
// and a second request ends the process the default way.

#include "platform/Termination.h"
#include "platform/EventSource.h"
#include "platform/Messages.h"
#include "support/ChildRun.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

namespace Vuro::Platform {
namespace {

using Test::ChildRun;
using Test::ReadUntilClosed;
using Test::Report;
using Test::RunInChild;

std::string YesNo(bool value) {
    return value ? "yes " : "no ";
}

TEST(TerminationTest, ARequestIsNotedAndHandedOnOnceAndASecondEndsTheProcess) {
    ChildRun run = RunInChild([](int report) {
        std::signal(SIGHUP, SIG_IGN); // as nohup starts a program
        WatchTerminationRequests();
        std::raise(SIGHUP);
        Report(report, YesNo(TerminationRequested()));
        const auto caller = std::this_thread::get_id();
        Report(report, std::to_string(AnswerUnlessTerminated(
                           [caller] { return std::this_thread::get_id() != caller ? 5 : 6; }, 0)) +
                           " ");

        std::raise(SIGTERM);
        Report(report, YesNo(TerminationRequested()));
        bool asked = false;
        Report(report, std::to_string(AnswerUnlessTerminated(
                           [&asked] {
                               asked = true;
                               return 1;
                           },
                           7)) +
                           " " + YesNo(asked));
        Message message{};
        EventSource& events = GetEventSource();
        while (events.PeekMessage(message)) {
            Report(report, std::to_string(message.message) + " ");
        }
        Report(report, "end");
        std::raise(SIGTERM);
        Report(report, " still running");
    });
    // The ignored hang-up stays ignored; a box is asked on a thread of its own; after the
    // request no box is asked, and the end-session message comes once.
    EXPECT_EQ(run.report, "no 5 yes 7 no " + std::to_string(kWmEndSession) + " end");
    ASSERT_TRUE(WIFSIGNALED(run.status)) << run.status;
    EXPECT_EQ(WTERMSIG(run.status), SIGTERM);
}

TEST(TerminationTest, ABoxWaitingForItsUserEndsAtARequestAndItsProcessWithTheProgram) {
    // Only the box keeps this pipe's writing end once the program has ended, so its reading
    // ends when the box does (a box left behind is killed once the wait for it runs out).
    int boxAlive[2];
    ASSERT_EQ(pipe(boxAlive), 0);
    ChildRun run = RunInChild([&boxAlive](int report) {
        close(boxAlive[0]);
        WatchTerminationRequests();
        int started[2];
        if (pipe(started) != 0) {
            return;
        }
        // The request comes once the box is up, from another thread, as a signal comes.
        std::thread requester([&started, report] {
            pid_t box = 0;
            if (read(started[0], &box, sizeof box) == sizeof box) {
                Report(report, std::to_string(box) + " ");
                kill(getpid(), SIGTERM);
            }
        });
        const int boxStarted = started[1];
        int answer = AnswerUnlessTerminated(
            [boxStarted, report] {
                // A box shown by a process of its own, whose user never answers. It holds
                // neither report pipe, so the child's report ends with the child.
                pid_t box = fork();
                if (box == 0) {
                    close(report);
                    close(boxStarted);
                    alarm(60); // a net should the test itself be killed
                    for (;;) {
                        pause();
                    }
                }
                (void)!write(boxStarted, &box, sizeof box);
                int status = 0;
                if (box > 0) {
                    waitpid(box, &status, 0);
                }
                return 1;
            },
            42);
        requester.join();
        Report(report, std::to_string(answer));
        close(boxAlive[1]);
    });
    close(boxAlive[1]);
    pid_t box = 0;
    int answer = 0;
    const bool reported = std::sscanf(run.report.c_str(), "%d %d", &box, &answer) == 2;
    const bool boxEnded = ReadUntilClosed(boxAlive[0]).has_value();
    close(boxAlive[0]);
    if (!boxEnded && box > 0) {
        kill(box, SIGKILL);
    }
    EXPECT_TRUE(boxEnded) << "the box outlived the program";
    ASSERT_TRUE(WIFEXITED(run.status)) << run.status;
    ASSERT_TRUE(reported) << run.report;
    EXPECT_EQ(answer, 42);
}

} // namespace
} // namespace Vuro::Platform
