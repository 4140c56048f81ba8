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

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace Vuro::Platform {
namespace {

using Test::ChildRun;
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

// Whether process id has ended (gone, or a zombie nobody has collected yet).
bool Ended(pid_t id) {
    std::ifstream stat("/proc/" + std::to_string(id) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const size_t name = line.rfind(')');
    return name == std::string::npos || line.compare(name + 2, 1, "Z") == 0;
}

TEST(TerminationTest, ABoxWaitingForItsUserEndsAtARequestAndItsProcessWithTheProgram) {
    ChildRun run = RunInChild([](int report) {
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
                // neither pipe, so a box left behind cannot hold up the test's reading.
                pid_t box = fork();
                if (box == 0) {
                    close(report);
                    close(boxStarted);
                    for (;;) {
                        pause();
                    }
                }
                (void)!write(boxStarted, &box, sizeof box);
                int status = 0;
                waitpid(box, &status, 0);
                return 1;
            },
            42);
        requester.join();
        Report(report, std::to_string(answer));
    });
    ASSERT_TRUE(WIFEXITED(run.status)) << run.status;
    pid_t box = 0;
    int answer = 0;
    ASSERT_EQ(std::sscanf(run.report.c_str(), "%d %d", &box, &answer), 2) << run.report;
    EXPECT_EQ(answer, 42);
    // Bounded only so that a box left behind fails the test instead of hanging it.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!Ended(box) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(Ended(box)) << "the box outlived the program";
    if (!Ended(box)) {
        kill(box, SIGKILL);
    }
}

} // namespace
} // namespace Vuro::Platform
