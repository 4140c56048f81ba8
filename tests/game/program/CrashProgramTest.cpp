// The whole program crashing on purpose (-crash): it ends by its signal, and the report-only run
// it starts names the functions and source lines of crash.txt through the map file made beside
// the program at build time. The optimised program is checked too when its build exists (the
// release preset's folder), since inlining and its thinner debug tables are what the map step
// must survive; the suite does not build it, to keep the test run short.

#include "support/BoundedWait.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace Vuro::Test {
namespace {

struct CrashRun {
    std::string output; // what the program and its report-only run wrote
    std::string report; // crash.txt
};

// The whole run (the program and the report-only run) gets this long before what still runs
// is killed: a reporter waiting for a user fails, not hangs.
constexpr std::chrono::seconds kRunWait{60};

// Kills every process this one is the parent of, with the process group each may lead (the
// report-only run leads a session of its own). Only what may be used after fork.
void KillChildren() {
    const int list = open("/proc/thread-self/children", O_RDONLY);
    if (list < 0) {
        return;
    }
    char text[4096];
    const ssize_t got = read(list, text, sizeof text - 1);
    close(list);
    text[got > 0 ? got : 0] = '\0';
    for (char* next = text; *next != '\0';) {
        char* end = nullptr;
        const long pid = std::strtol(next, &end, 10);
        if (end == next) {
            break;
        }
        kill(static_cast<pid_t>(pid), SIGKILL);
        kill(-static_cast<pid_t>(pid), SIGKILL);
        next = end;
    }
}

// The keeper, a child of the test's: it starts the program and waits for it and for everything
// it left running. The report-only run leaves the program's session to outlive it, so only a
// subreaper can still wait for it (and kill it) once the program has ended. The program's
// status goes to the status pipe; the keeper ends with 1 when it had to kill what still ran.
[[noreturn]] void KeepCrashingProgram(const char* program, const std::filesystem::path& folder,
                                      const int output[2], const int status[2]) {
    setpgid(0, 0);
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    close(output[0]);
    close(status[0]);
    sigset_t childEnded;
    sigemptyset(&childEnded);
    sigaddset(&childEnded, SIGCHLD);
    sigprocmask(SIG_BLOCK, &childEnded, nullptr);
    const pid_t crashing = fork();
    if (crashing == 0) {
        sigprocmask(SIG_UNBLOCK, &childEnded, nullptr);
        // User folders of its own: never the user's player files or settings.
        for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
            setenv(variable, folder.c_str(), 1);
        }
        dup2(output[1], STDOUT_FILENO);
        dup2(output[1], STDERR_FILENO);
        close(output[1]);
        close(status[1]);
        execl(program, program, "-crash", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    const auto deadline = std::chrono::steady_clock::now() + kRunWait;
    bool killed = false;
    for (;;) {
        int ended = 0;
        pid_t pid = 0;
        while ((pid = waitpid(-1, &ended, WNOHANG)) > 0) {
            if (pid == crashing) {
                (void)!write(status[1], &ended, sizeof ended);
            }
        }
        if (pid < 0) {
            break; // nothing left to wait for
        }
        if (!killed && std::chrono::steady_clock::now() >= deadline) {
            KillChildren();
            killed = true;
        }
        const timespec tick{0, 100'000'000};
        (void)sigtimedwait(&childEnded, nullptr, &tick);
    }
    _exit(killed ? 1 : 0);
}

// Runs the program with -crash in the test's working folder; it must end by SIGSEGV.
void RunCrashingProgram(const char* program, const std::filesystem::path& folder, CrashRun& run) {
    Pipe output;
    Pipe status;
    ASSERT_TRUE(output.IsOpen() && status.IsOpen());
    const pid_t keeper = fork();
    ASSERT_GE(keeper, 0);
    if (keeper == 0) {
        KeepCrashingProgram(program, folder, output.Ends(), status.Ends());
    }
    output.CloseWriteEnd();
    status.CloseWriteEnd();
    // The report-only run inherits the output pipe: its end is the end of the output.
    const std::optional<std::string> text =
        ReadUntilClosed(output.ReadEnd(), &run.output, kRunWait + std::chrono::seconds(30));
    output.CloseReadEnd();
    if (!text) {
        kill(-keeper, SIGKILL); // the keeper itself did not end what it waits for
    } else {
        run.output = *text;
    }
    const std::optional<std::string> programStatus = ReadUntilClosed(status.ReadEnd());
    int keeperStatus = 0;
    ASSERT_EQ(waitpid(keeper, &keeperStatus, 0), keeper);
    ASSERT_TRUE(text.has_value() && WIFEXITED(keeperStatus) && WEXITSTATUS(keeperStatus) == 0)
        << "the program or its report-only run did not end:\n"
        << run.output;
    ASSERT_TRUE(programStatus.has_value() && programStatus->size() == sizeof(int))
        << "the program's status is unknown";
    int ended = 0;
    std::memcpy(&ended, programStatus->data(), sizeof ended);
    ASSERT_TRUE(WIFSIGNALED(ended)) << run.output;
    EXPECT_EQ(WTERMSIG(ended), SIGSEGV);
    std::ifstream in(folder / "crash.txt", std::ios::binary);
    std::stringstream report;
    report << in.rdbuf();
    run.report = report.str();
}

TEST(CrashProgram, ACrashReportNamesFunctionsAndSourceLines) {
    TempWorkingFolder folder;
    CrashRun run;
    RunCrashingProgram(VURO_PROGRAM, folder.Path(), run);
    const std::string& report = run.report;
    EXPECT_EQ(report.rfind("Exception: Access Violation (code 0xc0000005)", 0), 0u) << report;
    EXPECT_NE(report.find("Logical Address: Vuro::Platform::RaiseFault()"), std::string::npos)
        << report;
    EXPECT_NE(report.find("Vuro::VuroAppBase::HandleCommandLineOption("), std::string::npos)
        << report;
    EXPECT_NE(report.find("framework/app/AppCommandLine.cpp line "), std::string::npos) << report;
    // Where no window can be seen the report goes to a message box, which writes it out.
    EXPECT_NE(run.output.find("Fatal Error!"), std::string::npos) << run.output;
}

TEST(CrashProgram, TheOptimisedProgramNamesFunctionsAndSourceLinesToo) {
    const std::filesystem::path program =
        std::filesystem::path(VURO_SOURCE_DIR) / "build/release/bin/quandrellis";
    if (!std::filesystem::exists(program) || !std::filesystem::exists(program.string() + ".map")) {
        GTEST_SKIP() << "no release build at " << program;
    }
    // A release build older than the program under test may predate the code tested here.
    if (std::filesystem::last_write_time(program) <
        std::filesystem::last_write_time(VURO_PROGRAM)) {
        GTEST_SKIP() << "the release build at " << program << " is older than " << VURO_PROGRAM;
    }
    TempWorkingFolder folder;
    CrashRun run;
    RunCrashingProgram(program.c_str(), folder.Path(), run);
    const std::string& report = run.report;
    EXPECT_EQ(report.rfind("Exception: Access Violation (code 0xc0000005)", 0), 0u) << report;
    EXPECT_NE(report.find("Logical Address: Vuro::Platform::RaiseFault()"), std::string::npos)
        << report;
    // The frames below the fault: the program's entry is never inlined away.
    EXPECT_NE(report.find(" main+0x"), std::string::npos) << report;
    EXPECT_NE(report.find("platform/Process.cpp line "), std::string::npos) << report;
    EXPECT_NE(report.find("Main.cpp line "), std::string::npos) << report;
}

} // namespace
} // namespace Vuro::Test
