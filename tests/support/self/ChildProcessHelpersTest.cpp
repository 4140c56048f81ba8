// The helpers that run and wait for child processes, where the system lets them down: no new
// process can be made, or no process descriptor opened. Each case runs in a child of its own
// whose system calls are cut down by a seccomp filter, and reports what the helper did.

#include "support/BoundedWait.h"
#include "support/ChildRun.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

// From now on the calls given fail in this process with `error`; false where no filter can be
// set here.
bool DenyCalls(const std::vector<long>& calls, int error) {
    std::vector<sock_filter> program = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
    };
    for (long call : calls) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(call), 0, 1));
        program.push_back(
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (static_cast<unsigned>(error) & 0xFFFF)));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{static_cast<unsigned short>(program.size()), program.data()};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// A child that lives until the returned pipe end is closed (or its parent ends).
pid_t StartWaitingChild(int* release) {
    int ends[2];
    if (pipe(ends) != 0) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(ends[1]);
        char byte;
        (void)!read(ends[0], &byte, 1);
        _exit(0);
    }
    close(ends[0]);
    *release = ends[1];
    return child;
}

struct Case {
    const char* name;
    std::vector<long> denied; // system calls that fail with `error`
    int error;
    // Runs in the cut-down child beside `other`, a child of its own that waits; says what
    // the helper did.
    std::function<std::string(pid_t other)> run;
    const char* expected;
};

TEST(ChildProcessHelpers, NeitherWaitsForNorSignalsAnotherProcessAndEachKeepsItsBound) {
    const Case cases[] = {
        {"no new process: RunInChild fails the test and touches no other child",
         {SYS_clone, SYS_clone3, SYS_fork, SYS_vfork},
         EAGAIN,
         [](pid_t other) {
             testing::TestPartResultArray failures;
             ChildRun run;
             {
                 testing::ScopedFakeTestPartResultReporter reporter(
                     testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD,
                     &failures);
                 run = RunInChild([](int) {});
             }
             const bool saidWhy =
                 failures.size() == 1 &&
                 std::string(failures.GetTestPartResult(0).message()).find("no child process") !=
                     std::string::npos;
             return "failed " + std::to_string(failures.size()) + (saidWhy ? " saying why" : "") +
                    ", status " + std::to_string(run.status) + ", other " +
                    (waitpid(other, nullptr, WNOHANG) == 0 ? "untouched" : "reaped");
         },
         "failed 1 saying why, status -1, other untouched"},
        {"no process descriptor: ReapWithin keeps its bound",
         {SYS_pidfd_open},
         ENOSYS,
         [](pid_t other) {
             int status = 0;
             const bool early = ReapWithin(other, &status, std::chrono::seconds(1));
             kill(other, SIGKILL);
             const bool late = ReapWithin(other, &status, std::chrono::seconds(30));
             return std::string(early ? "reaped while running" : "gave up") + ", then " +
                    (late && WIFSIGNALED(status) ? "reaped once killed" : "not reaped");
         },
         "gave up, then reaped once killed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildRun run = RunInChild([&c](int report) {
            int release = -1;
            const pid_t other = StartWaitingChild(&release);
            if (other <= 0) {
                Report(report, "no waiting child");
                return;
            }
            if (!DenyCalls(c.denied, c.error)) {
                Report(report, "unsupported");
                return;
            }
            Report(report, c.run(other));
            close(release);
        });
        if (run.report == "unsupported") {
            GTEST_SKIP() << "no seccomp filter can be set here";
        }
        EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << run.status;
        EXPECT_EQ(run.report, c.expected);
    }
}

} // namespace
} // namespace Vuro::Test
